// The main window's view tool and character-format picker under the document window's mouse, and the
// hints the window shows over links.
#include <windows.h>

#include "document/Document.h"
#include "document/Field.h"
#include "document/FieldCodes.h"
#include "window/BaseForms.h"
#include "window/DocForm.h"
#include "window/DocWindowHost.h"

void TDocumentForm::ViewToolClick(TPoint p, int32_t step)
{
    TDocument& doc = *Document;
    const int32_t zoom = doc.ViewState.ZoomPercent;
    const TPoint spot = ClientToDoc(p);
    DocWindowHost().ExecuteCommandWithArg(206200, step);
    if (!CanEdit() || zoom <= 0 || Document->ViewState.ZoomPercent == zoom)
        return;
    // The place clicked stays under the pointer.
    const int32_t now = Document->ViewState.ZoomPercent;
    const TPoint scroll{MulDiv(spot.X, now, zoom) - (p.X - ViewRect.Left),
                        MulDiv(spot.Y, now, zoom) - (p.Y - ViewRect.Top)};
    Document->SetScrollPos(Document->ClampScrollPos(scroll));
}

void TDocumentForm::PickCharFormat(TPoint p)
{
    TDocument& doc = *Document;
    const THitResult hit = HitTest(p);
    if (hit.Kind == hkNoPage || hit.Kind == hkHeaderArea || hit.Kind == hkFooterArea || !hit.Line ||
        doc.EditedHeaderFooter || doc.IsOutsideEditedStory(hit.Pos.ParIndex))
        return;
    DocWindowHost().AddPaletteFormat(doc.GetCharFormatAt(hit.Pos));
    if (ExecuteCommandHook)
        ExecuteCommandHook(700);
}

std::string TDocumentForm::LinkHint(const THitResult& hit)
{
    if (!hit.LinkField || hit.Kind == hkSelectionBar)
        return {};
    if (hit.LinkField->FieldType == ftHyperlink) {
        std::string address, tooltip;
        ParseHyperlinkFieldCode(hit.LinkField->Code, address, tooltip);
        return address;
    }
    return "#" + ParsePageRefFieldCode(hit.LinkField->Code).Bookmark;
}
