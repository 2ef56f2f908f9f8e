// The states of the commands, computed on demand from the document, the main window and the options:
// whether a command is enabled, and whether it is checked, not checked or mixed.
#include <windows.h>

#include "core/FormatClipboards.h"
#include "core/Options.h"
#include "core/OptionsHolder.h"
#include "document/Document.h"
#include "document/Section.h"
#include "editing/OperationManager.h"
#include "shell/CommandManager.h"
#include "shell/DocDisp.h"
#include "shell/MainForm.h"
#include "shell/ToolbarViewCommands.h"
#include "shell/WindowCommands.h"
#include "tools/ClipboardManager.h"
#include "tools/PiggyBank.h"
#include "window/DocForm.h"

namespace {

constexpr int ModeFlagReadOnly = 84;
constexpr uint8_t MouseModeFormatPainter = 2;

bool InRange(int32_t command, uint32_t first, uint32_t width)
{
    return static_cast<uint32_t>(command) - first < width;
}

// The zoom table of 6170 - 6174: percentage and zoom kind.
struct TZoomEntry {
    int16_t Percent;
    uint8_t Kind;
};
constexpr TZoomEntry ZoomTable[5] = {{0, 1}, {0, 2}, {0, 3}, {0, 4}, {100, 0}};

uint8_t MouseMode()
{
    return MainForm ? MainForm->MouseMode : 0;
}

bool FullScreen()
{
    return MainForm && MainForm->FullScreen;
}

bool EditingHeaderFooter(const TDocument* document)
{
    return document && document->EditedHeaderFooter;
}

// The section whose header or footer is being edited.
TSection* HeaderFooterSection(TDocument& document)
{
    document.UpdateSectionRanges();
    if (document.EditedHeaderFooterPage >= 0 &&
        document.EditedHeaderFooterPage < static_cast<int32_t>(document.Pages.size()))
        if (TSection* section = document.PageSetupSectionOfPage(document.EditedHeaderFooterPage))
            return section;
    return document.SectionOfParagraph(document.Caret.ParIndex);
}

TSection* PreviousSection(TDocument& document, const TSection* section)
{
    for (size_t i = 1; i < document.Sections.size(); ++i)
        if (document.Sections[i].get() == section)
            return document.Sections[i - 1].get();
    return nullptr;
}

// The break mark of the caret's section ends its paragraph, so that its kind can be changed there.
bool SectionBreakEndsParagraph(TDocument& document)
{
    document.UpdateSectionRanges();
    const TSection* section = document.SectionOfParagraph(document.Caret.ParIndex);
    if (!section || section->LastParagraph < 0 || section->LastParagraph >= document.ParagraphCount())
        return false;
    const TMemory& plain = document.Paragraphs[size_t(section->LastParagraph)]->PlainText;
    const int32_t n = plain.Size();
    const uint8_t* p = plain.Data();
    return (n >= 1 && p[n - 1] == 3) || (n >= 2 && p[n - 1] == 13 && p[n - 2] == 3);
}

// The paste-available flag, recomputed when the clipboard changed.
bool PasteAvailable(TCommandManager& manager)
{
    if (manager.DirtyFlags & cdClipboard) {
        bool available = false;
        const bool opened = manager.QueryClipboard ? manager.QueryClipboard(available) : [&available] {
            static const UINT standard[] = {CF_TEXT,         CF_UNICODETEXT, CF_OEMTEXT, CF_ENHMETAFILE,
                                            CF_METAFILEPICT, CF_BITMAP,      CF_DIB,     CF_HDROP};
            for (UINT format : standard)
                available = available || IsClipboardFormatAvailable(format);
            available = available || IsClipboardFormatAvailable(RegisterClipboardFormatA("Rich Text Format"));
            return true;
        }();
        if (opened) {
            manager.PasteAvailable = available;
            manager.DirtyFlags &= ~cdClipboard;
        } else if (MainForm) {
            MainForm->InvalidateCommands();
        }
    }
    return manager.PasteAvailable;
}

bool FileCommandEnabled(int32_t command, TDocument* document)
{
    switch (command) {
    case 100:
    case 105:
    case 120:
    case 122:
    case 123:
    case 125:
    case 340:
    case 343:
    case 345:
    case 346:
    case 351:
    case 352:
    case 635:
    case 640:
    case 641:
    case 642:
    case 643:
    case 650:
    case 660:
    case 1200:
    case 1245:
    case 1250:
    case 1260:
    case 1270: return true;
    case 180:
        return document &&
               (document->IsModified() || document->GetModeFlag(mfNoOwnFile) || document->IsTemplateFile() ||
                (document->FileName.size() >= 3 && document->FileName[1] == ':' &&
                 GetDriveTypeA(document->FileName.substr(0, 3).c_str()) == DRIVE_REMOVABLE));
    case 360: return MainForm && IsWindowEnabled(MainForm->Handle());
    case 750: return document && document->PreviewMode;
    case 810:
    case 811: return false;
    case 828: return (CurrentOptions().SpellCheck.Flags & scoCheckAsYouType) != 0;
    }
    if (InRange(command, 1000, 100))
        return true;
    return document != nullptr;
}

bool EditCommandEnabled(TCommandManager& manager, int32_t command, TDocument* document)
{
    switch (command) {
    case 3485:
    case 5105:
    case 5215: return true;
    case 5200: return document && !CurrentOptions().ClipLib.RecentClip.empty();
    case 5205:
    case 5210:
    case 5212: return false; // the clip-library panel is not part of this window
    }
    if (!document)
        return false;
    switch (command) {
    case 3002:
    case 3022:
    case 3080:
    case 3081:
    case 3082:
    case 3083:
    case 3805:
    case 3810:
    case 4520:
    case 4600:
    case 4620:
    case 4630: return !EditingHeaderFooter(document);
    case 3340:
    case 3420: return document->HasSelection();
    case 3360:
    case 3380:
    case 3400: return PasteAvailable(manager);
    case 3440:
    case 3445: return document->HasSelection() && !document->GetModeFlag(ModeFlagReadOnly);
    case 3460: {
        TClipboardManager* clipboard = GetClipboardManager();
        return clipboard && clipboard->HasPiggyBank() && !clipboard->GetPiggyBank().IsEmpty();
    }
    case 3480: {
        TClipboardManager* clipboard = GetClipboardManager();
        return clipboard && clipboard->CanPastePiggyBank(*document);
    }
    case 3511: return manager.IsCommandEnabled(9040) && manager.IsCommandEnabled(12040);
    case 3840:
    case 3880: return document->OperationManager && document->OperationManager->CanUndo();
    case 3860:
    case 3900: return document->OperationManager && document->OperationManager->CanRedo();
    case 4510:
    case 4511:
        if (EditingHeaderFooter(document))
            return false;
        document->UpdateFields();
        return document->Bookmarks.Count() > 0;
    }
    return true;
}

bool ViewCommandEnabled(int32_t command, TDocument* document)
{
    switch (command) {
    case 6030:
    case 6095:
    case 6400:
    case 6450:
    case 7000:
    case 7060:
    case 7065: return true;
    case 6040:
    case 6041:
    case 6042:
    case 6043:
    case 6220:
    case 6240:
    case 6250:
    case 6260:
    case 6261:
    case 6263:
    case 6270:
    case 6280: return !FullScreen();
    case 6060:
    case 6065:
    case 6081:
    case 6100:
    case 6140:
    case 6350:
    case 7040: return document && !FullScreen();
    case 6080:
        return document && !FullScreen() && document->ViewState.ZoomKind != 1 &&
               document->ViewState.ZoomKind != 2;
    case 6265: return !FullScreen() && VisibleToolbarCount() > 0;
    case 6266: return !FullScreen() && VisibleToolbarCount() < 4;
    }
    if (InRange(command, 6086, 6)) {
        if (!document || FullScreen() || CurrentOptions().View.ScrollBars < 2)
            return false;
        const TPoint pos = document->ViewState.ScrollPos;
        return (command - 6086) % 2 == 0 ? pos.Y > 0 : pos.Y < document->ClampScrollPos({pos.X, INT32_MAX}).Y;
    }
    if (InRange(command, 7300, 701)) {
        if (!EditingHeaderFooter(document))
            return false;
        if (command == 7340)
            return PreviousSection(*document, HeaderFooterSection(*document)) != nullptr;
        return true;
    }
    return document != nullptr;
}

bool WindowCommandEnabled(int32_t command, TDocument* document)
{
    TDocDispatcher* dispatcher = GetDocDispatcher();
    const int count = dispatcher ? dispatcher->DocumentCount() : 0;
    switch (command) {
    case 90120:
    case 90140: return true;
    case 90060:
    case 90080:
        if (!document)
            return false;
        for (int i = 0; i < count; ++i)
            if (TDocumentForm* window = dispatcher->Document(i)->Window) {
                if (command == 90060 ? !IsIconic(window->Handle()) : IsMinimizedByAll(window))
                    return true;
            }
        return false;
    }
    if (InRange(command, 90105, 9))
        return count > command - 90105;
    if (InRange(command, 90160, 3)) {
        if (!document || !document->Window || !document->Window->HandleAllocated())
            return false;
        const HWND wnd = document->Window->Handle();
        const int state = IsIconic(wnd) ? 1 : IsZoomed(wnd) ? 2 : 0;
        return state != command - 90160;
    }
    return document != nullptr;
}

// A toggle of a format field: checked when set, mixed when the selection holds different values.
int FieldState(int32_t value, bool checked)
{
    if (value == UndefinedField)
        return csMixed;
    return checked ? csChecked : csUnchecked;
}

} // namespace

bool TCommandManager::IsCommandEnabled(int32_t command)
{
    TDocument* document = GetDocument();
    if (command >= 200000) {
        if (InRange(command, 200000, 3000) || InRange(command, 218000, 6000) || command >= 224000)
            return true;
        if (command == 203500)
            return IsCommandEnabled(3360);
        return document != nullptr;
    }
    if (InRange(command, 100, 2900))
        return FileCommandEnabled(command, document);
    if (InRange(command, 3000, 3000))
        return EditCommandEnabled(*this, command, document);
    if (InRange(command, 6000, 3000))
        return ViewCommandEnabled(command, document);
    if (InRange(command, 9000, 3000)) {
        if (command == 9040)
            return document && ParFormatClipboard().HasFormat;
        switch (command) {
        case 9100:
        case 9120:
        case 9140:
        case 9160:
        case 9240:
        case 9243:
        case 9246:
        case 9260:
        case 9300:
        case 9310: return document && MouseMode() != MouseModeFormatPainter;
        }
        return document != nullptr;
    }
    if (InRange(command, 12000, 3000)) {
        switch (command) {
        case 12040: return document && CharFormatClipboard().HasFormat;
        case 12310: return document && !EditingHeaderFooter(document);
        case 12220:
        case 12240:
        case 12260:
        case 12280:
        case 12300:
        case 12320:
        case 12340:
        case 12360:
        case 12380:
        case 12400: return document && MouseMode() != MouseModeFormatPainter;
        case 12600: return true;
        }
        return document != nullptr;
    }
    if (InRange(command, 15000, 3000)) {
        if (command == 15500 || command == 15600)
            return document && !EditingHeaderFooter(document);
        if (InRange(command, 15650, 4))
            return document && !EditingHeaderFooter(document) && SectionBreakEndsParagraph(*document);
        return document != nullptr;
    }
    if (InRange(command, 90000, 3000))
        return WindowCommandEnabled(command, document);
    if (InRange(command, 100000, 3000))
        return command != 101210 || InternetLibraryLoaded();
    return true;
}

int TCommandManager::GetCommandState(int32_t command)
{
    TDocument* document = GetDocument();
    const TOptions& o = CurrentOptions();
    auto state = [](bool checked) { return checked ? csChecked : csUnchecked; };
    switch (command) {
    case 290: return state(document && document->PreviewMode);
    case 825: return state(o.SpellCheck.Flags & scoCheckAsYouType);
    case 828: return state(o.SpellCheck.Flags & scoUnderlineMistakes);
    case 3485: return csUnchecked; // the piggy bank keeps only what is sent to it
    case 6000: return state(document ? document->GetModeFlag(mfShowMarks) : o.NewDocParams.SpecSymbols);
    case 6020: return state(o.View.MarginBorders);
    case 6060: return state(o.View.Ruler);
    case 6065: return state(o.View.VerRuler);
    case 6350: return state(o.View.Bookmarks);
    case 6100: return state(o.View.DocBtnBar);
    case 6130: return state(o.View.FlatDocBtnBar);
    case 6140: return state(o.View.StatusBar);
    case 6080: return state(o.View.ScrollBars == 1 || o.View.ScrollBars == 3);
    case 6081: return state(o.View.ScrollBars >= 2);
    case 6400: return csUnchecked;
    case 6450: return state(o.ClipLib.Visible);
    case 7000: return state(FullScreen());
    case 7060: return state(o.Internal.FloatFmtPlt);
    case 7065: return state(o.Internal.FloatFmtPltVsbl);
    case 7200: return state(EditingHeaderFooter(document));
    case 7300: return state(EditingHeaderFooter(document) && document->GetModeFlag(mfHideBodyText));
    case 7340: {
        if (!EditingHeaderFooter(document))
            return csUnchecked;
        const TSection* previous = PreviousSection(*document, HeaderFooterSection(*document));
        if (previous)
            for (TField* field : previous->HeaderFooter)
                if (field && field == document->EditedHeaderFooter)
                    return csChecked;
        return csUnchecked;
    }
    }
    if (InRange(command, 700, 7))
        return state(MouseMode() == command - 700);
    if (InRange(command, 6120, 6))
        return state(o.View.DocBtnBarAlign == command - 6120);
    if (InRange(command, 6170, 5)) {
        if (!document)
            return csUnchecked;
        const TZoomEntry& entry = ZoomTable[command - 6170];
        return state(document->ViewState.ZoomKind == entry.Kind &&
                     (entry.Kind != 0 || document->ViewState.ZoomPercent == entry.Percent));
    }
    if (command == 6040 || command == 6041 || command == 6042 || command == 6043 ||
        InRange(command, 6240, 41))
        return ToolbarViewCommandState(command);
    if (!InRange(command, 9000, 6000))
        return csUnchecked;

    // The formats at the selection, or the painter's in format-painter mode.
    TCharFormat chars;
    TParaFormat paragraph;
    if (MouseMode() == MouseModeFormatPainter) {
        chars = CharFormatClipboard().Format;
        paragraph = ParFormatClipboard().Format;
    } else if (document) {
        chars = document->CharFormatState;
        paragraph = document->ParaFormatState;
    } else {
        return csUnchecked;
    }
    if (InRange(command, 9080, 4))
        return FieldState(paragraph[pfAlignment], paragraph[pfAlignment] == command - 9080);
    switch (command) {
    case 9180:
    case 9200:
    case 9220: {
        const int32_t spacing = command == 9180 ? 240 : command == 9200 ? 360 : 480;
        if (paragraph[pfSpacingRule] == UndefinedField || paragraph[pfLineSpacing] == UndefinedField)
            return csMixed;
        return state(paragraph[pfSpacingRule] == 1 && paragraph[pfLineSpacing] == spacing);
    }
    case 9270: return FieldState(paragraph[pfKeepWithNext], paragraph[pfKeepWithNext] != 0);
    case 9271: return FieldState(paragraph[pfKeepTogether], paragraph[pfKeepTogether] != 0);
    case 9272: return FieldState(paragraph[pfPageBreakBefore], paragraph[pfPageBreakBefore] != 0);
    case 9320: return FieldState(paragraph[pfBullets], paragraph[pfBullets] != 0);
    case 12120: return FieldState(chars[cfBold], chars[cfBold] != 0);
    case 12140: return FieldState(chars[cfItalic], chars[cfItalic] != 0);
    case 12170: return FieldState(chars[cfStrike], chars[cfStrike] != 0);
    case 12171: return FieldState(chars[cfDoubleStrike], chars[cfDoubleStrike] != 0);
    case 12210: return FieldState(chars[cfSmallCaps], chars[cfSmallCaps] != 0);
    case 12215: return FieldState(chars[cfAllCaps], chars[cfAllCaps] != 0);
    case 12285: return FieldState(chars[cfShadow], chars[cfShadow] != 0);
    case 12180: return FieldState(chars[cfVertPos], chars[cfVertPos] == 1);
    case 12200: return FieldState(chars[cfVertPos], chars[cfVertPos] == 2);
    }
    if (InRange(command, 12160, 10)) {
        const int32_t kind = chars[cfUnderline];
        return FieldState(kind, kind != 0 && kind == UnderlineKindOfCommand(command));
    }
    return csUnchecked;
}
