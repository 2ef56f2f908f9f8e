// The shared file-reading buffer and the table of handles that inline tags carry.
#include <gtest/gtest.h>

#include <cstring>

#include "document/ReadBuffer.h"
#include "document/TagTargets.h"

namespace {

TEST(ReadBuffer, AllocatedOnceWithItsFillWordAtZero)
{
    uint8_t* buffer = EnsureReadBuffer();
    ASSERT_NE(buffer, nullptr);
    int32_t fill = -1;
    std::memcpy(&fill, buffer + ReadBufferFillOffset, 4);
    EXPECT_EQ(fill, 0);
    EXPECT_EQ(ReadBufferFillOffset + 4, ReadBufferSize);
    buffer[0] = 'R';
    buffer[ReadBufferSize - 1] = 'Z';
    EXPECT_EQ(EnsureReadBuffer(), buffer);
    EXPECT_EQ(buffer[0], 'R');  // later calls leave the contents alone
    FreeReadBuffer();
    buffer = EnsureReadBuffer();
    std::memcpy(&fill, buffer + ReadBufferFillOffset, 4);
    EXPECT_EQ(fill, 0);
    FreeReadBuffer();
}

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
