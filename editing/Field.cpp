// Fields and the handles their marks carry.
#include "editing/Field.h"

#include "document/TagTargets.h"

TField::TField() : Handle(RegisterTagTarget(TTagTargetKind::Field, this)) {}

TField::~TField()
{
    ReleaseTagTarget(Handle);
}

TField* FieldOfTag(int32_t handle)
{
    return static_cast<TField*>(ResolveTagTarget(handle, TTagTargetKind::Field));
}
