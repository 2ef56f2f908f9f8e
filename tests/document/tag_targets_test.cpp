// The table of handles that inline tags carry to sections, fields and objects.
#include <gtest/gtest.h>

#include "document/TagTargets.h"

namespace {

TEST(TagTargets, HandlesResolveByKindUntilReleased)
{
    int section = 0, field = 0;
    const int32_t s = RegisterTagTarget(TTagTargetKind::Section, &section);
    const int32_t f = RegisterTagTarget(TTagTargetKind::Field, &field);
    EXPECT_GT(s, 0);
    EXPECT_NE(s, f);
    EXPECT_EQ(ResolveTagTarget(s, TTagTargetKind::Section), &section);
    EXPECT_EQ(ResolveTagTarget(f, TTagTargetKind::Field), &field);
    EXPECT_EQ(ResolveTagTarget(s, TTagTargetKind::Field), nullptr);
    EXPECT_EQ(ResolveTagTarget(0, TTagTargetKind::Section), nullptr);
    EXPECT_EQ(ResolveTagTarget(-7, TTagTargetKind::Object), nullptr);
    ReleaseTagTarget(s);
    EXPECT_EQ(ResolveTagTarget(s, TTagTargetKind::Section), nullptr);
    // A new registration never takes a released handle.
    EXPECT_NE(RegisterTagTarget(TTagTargetKind::Section, &section), s);
    ReleaseTagTarget(f);
}

} // namespace
