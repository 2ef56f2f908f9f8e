// Fields and the handles their marks carry.
#include "document/Field.h"

#include "document/Document.h"
#include "document/FieldCodes.h"
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

int TField::NoteKind() const
{
    return Owner && Owner->IsEndnote ? 1 : 0;
}

bool TField::UpdatePageNumber(const TDocument& document, int32_t counter)
{
    Number = counter;
    const TNoteSettings& settings = NoteKind() ? document.EndnoteSettings : document.FootnoteSettings;
    const int64_t n = int64_t(counter) + settings.StartNumber;
    const std::string text = n < INT32_MIN || n > INT32_MAX
                                 ? std::to_string(n)
                                 : FormatNumberingFormat(int32_t(n), settings.Format);
    if (text == Result)
        return false;
    Result = text;
    return true;
}
