// Handles that inline tags carry to the sections, fields and objects they refer to.
#pragma once
#include <cstdint>

// What a handle refers to; a handle resolves only as the kind it was registered with.
enum class TTagTargetKind : uint8_t { Section, Field, Object };

// A new handle (above 0) for Target. Handles are not reused within a run, so a stale handle never
// names a later object.
int32_t RegisterTagTarget(TTagTargetKind kind, void* target);
// Forgets a handle; tags that still carry it then resolve to nothing.
void ReleaseTagTarget(int32_t handle);
// The target of a handle of that kind, or nullptr for 0, a released handle or another kind.
void* ResolveTagTarget(int32_t handle, TTagTargetKind kind);
