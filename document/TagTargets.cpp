// The one table of handles carried by inline tags.
#include "document/TagTargets.h"

#include <unordered_map>

#include "classlib/runtime/Exceptions.h"

namespace {

struct TTagTarget {
    TTagTargetKind Kind;
    void* Target;
};

std::unordered_map<int32_t, TTagTarget>& Table()
{
    static std::unordered_map<int32_t, TTagTarget> table;
    return table;
}

int32_t GLastHandle = 0;

} // namespace

int32_t RegisterTagTarget(TTagTargetKind kind, void* target)
{
    if (GLastHandle == INT32_MAX)
        throw EOutOfMemory();
    Table()[++GLastHandle] = TTagTarget{kind, target};
    return GLastHandle;
}

void ReleaseTagTarget(int32_t handle)
{
    Table().erase(handle);
}

void* ResolveTagTarget(int32_t handle, TTagTargetKind kind)
{
    const auto it = Table().find(handle);
    if (it == Table().end() || it->second.Kind != kind)
        return nullptr;
    return it->second.Target;
}
