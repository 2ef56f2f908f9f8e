// The status bar's panels: their texts, the pictures of the state and spell-check panels, their hints,
// and what a double or right click on each does.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "classlib/runtime/Format.h"
#include "core/Languages.h"
#include "core/Codings.h"
#include "core/InterfaceTexts.h"
#include "core/PathUtils.h"
#include "core/Options.h"
#include "core/ShellUtils.h"
#include "core/StatusBarIcons.h"
#include "core/Units.h"
#include "document/Document.h"
#include "document/Page.h"
#include "document/ParLine.h"
#include "document/Paragraph.h"
#include "shell/CommandManager.h"
#include "shell/DocDisp.h"
#include "shell/MainForm.h"

namespace {

enum : int {
    PagePanel = 0,
    PositionPanel = 1,
    TypingPanel = 3,
    StatePanel = 4,
    LanguagePanel = 5,
    SpellPanel = 6
};
constexpr int ModeFlagReadOnly = 84;

// Tool ids of the hints: one per panel, then one per state icon.
constexpr UINT_PTR StateIconTool = 100;

// The caret's line where pagination placed it; null where the caret has no line.
const TParLine* CaretLine(const TDocument& document)
{
    const TTextPos& caret = document.Caret;
    if (caret.ParIndex < 0 || caret.ParIndex >= document.ParagraphCount())
        return nullptr;
    const TParagraph& paragraph = *document.Paragraphs[size_t(caret.ParIndex)];
    if (caret.LineIndex < 0 || caret.LineIndex >= paragraph.LineCount())
        return nullptr;
    const TParLine* line = paragraph.Lines[size_t(caret.LineIndex)].get();
    return line->Page ? line : nullptr;
}

} // namespace

std::string CaretPositionText(const TDocument& document)
{
    const TParLine* line = CaretLine(document);
    if (!line)
        return std::string();
    // Lines of the page are counted in the caret's own story (headers and footers apart).
    const int story = document.StoryOfParagraph(document.Caret.ParIndex);
    int number = 1;
    for (const TParLine* other : line->Page->Lines) {
        if (other == line)
            break;
        if (document.StoryOfParagraph(other->Paragraph->LayoutIndex) == story)
            ++number;
    }
    return Format("à %s   Li. %d  Col. %d",
                  GetMeasurementsManager()->FormatValue(document.ScreenToTwips(line->Y)), number,
                  document.Caret.Offset - line->FirstChar + 1);
}

std::string LanguageName(int32_t language)
{
    return LanguageManager().GetLanguageName(language);
}

std::string TMainForm::DocumentStates(const TDocument& document) const
{
    const TDocDispatcher* dispatcher = GetDocDispatcher();
    const bool states[StatusIconCount] = {
        dispatcher && dispatcher->IsNewDocument(&document),
        document.IsTemplateFile(),
        false, // backup copies are not kept yet
        dispatcher && dispatcher->IsRestored(&document),
        document.PreviewMode,
        document.Coding == cdEncrypted,
    };
    std::string text;
    for (bool set : states)
        text += set ? '1' : '0';
    return text;
}

int TMainForm::SpellCheckStatusFrame(const TDocument& document) const
{
    const int state = document.SpellState == 5 ? 5 + AnimationFrame : document.SpellState;
    return (CurrentOptions().SpellCheck.Flags & scoCheckAsYouType ? 1 : 0) + 2 * document.PreviewMode +
           4 * state;
}

void TMainForm::UpdateStatusPanels()
{
    if (!FStatusBar || FStatusMode != 0)
        return;
    std::string texts[StatusPanelCount];
    if (TDocument* document = GetActiveDocument()) {
        const int32_t page = document->Caret.PageIndex + 1;
        const int32_t pages = std::max<int32_t>(static_cast<int32_t>(document->Pages.size()), 1);
        document->UpdateSectionRanges();
        const TSection* section = document->SectionOfParagraph(document->Caret.ParIndex);
        int32_t sectionNumber = 1;
        for (size_t i = 0; i < document->Sections.size(); ++i)
            if (document->Sections[i].get() == section)
                sectionNumber = static_cast<int32_t>(i) + 1;
        texts[0] = Format(" Page %d/%d   Sec %d/%d", std::max(page, 1), pages, sectionNumber,
                          static_cast<int32_t>(document->Sections.size()));
        texts[PositionPanel] = CaretPositionText(*document);
        texts[2] = document->IsModified() ? "Modifié" : "";
        texts[TypingPanel] = TypingModes[OverwriteMode ? 1 : 0];
        texts[StatePanel] = DocumentStates(*document);
        const int32_t language = document->CharFormatState[cfLanguage];
        if (language != INT32_MIN)
            texts[LanguagePanel] = " " + LanguageName(language);
        texts[SpellPanel] = std::to_string(SpellCheckStatusFrame(*document));
    }
    bool changed = false;
    for (int i = 0; i < StatusPanelCount; ++i) {
        if (texts[i] == FPanelTexts[i])
            continue;
        changed = true;
        FPanelTexts[i] = texts[i];
        // The state and spell-check panels are pictures drawn by the form.
        if (i == StatePanel || i == SpellPanel)
            SendMessageA(FStatusBar, SB_SETTEXTA, i | SBT_OWNERDRAW, 0);
        else
            SendMessageA(FStatusBar, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(texts[i].c_str()));
    }
    if (changed)
        UpdateStatusHints();
}

std::string TMainForm::PanelText(int panel) const
{
    return panel >= 0 && panel < StatusPanelCount ? FPanelTexts[panel] : std::string();
}

void TMainForm::DrawStatusPanel(const DRAWITEMSTRUCT& item)
{
    const int panel = static_cast<int>(item.itemID);
    const RECT& r = item.rcItem;
    HDC source = CreateCompatibleDC(item.hDC);
    const auto draw = [&](uintptr_t bitmap, int x, int y, int w, int h, int fromX) {
        if (!bitmap)
            return;
        HGDIOBJ old = SelectObject(source, reinterpret_cast<HBITMAP>(bitmap));
        // The first colour of the pictures' palette is their transparent colour.
        TransparentBlt(item.hDC, x, y, w, h, source, fromX, 0, w, h, RGB(0x80, 0x80, 0x00));
        SelectObject(source, old);
    };
    if (panel == StatePanel) {
        const std::string& states = FPanelTexts[StatePanel];
        for (int i = 0; i < StatusIconCount && i < static_cast<int>(states.size()); ++i) {
            if (states[size_t(i)] != '1')
                continue;
            const uintptr_t icon = StatusBarIcons().GetIcon(i);
            BITMAP info{};
            GetObjectA(reinterpret_cast<HBITMAP>(icon), sizeof(info), &info);
            draw(icon, r.left + 2 + i * StatusIconStep, (r.top + r.bottom - info.bmHeight) / 2, info.bmWidth,
                 info.bmHeight, 0);
        }
    } else if (panel == SpellPanel && !FPanelTexts[SpellPanel].empty()) {
        const int frame = std::stoi(FPanelTexts[SpellPanel]);
        const int size = SpellCheckStatusFrameSize;
        draw(StatusBarIcons().GetSpellCheckStatusBitmap(), (r.left + r.right - size) / 2,
             (r.top + r.bottom - size) / 2, size, size, frame * size);
    }
    DeleteDC(source);
}

int TMainForm::StatusPanelAt(int x, int y) const
{
    if (!FStatusBar || FStatusMode != 0)
        return -1;
    for (int i = 0; i < StatusPanelCount; ++i) {
        RECT r;
        if (SendMessageA(FStatusBar, SB_GETRECT, i, reinterpret_cast<LPARAM>(&r)) && x >= r.left &&
            x < r.right && y >= r.top && y < r.bottom)
            return i;
    }
    return -1;
}

void TMainForm::UpdateStatusHints()
{
    if (!FStatusBar)
        return;
    if (!FStatusHints) {
        FStatusHints =
            CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                            GetModuleHandleA(nullptr), nullptr);
        if (!FStatusHints)
            return; // the panels work without hints
    }
    // Every tool is made again: the panels move with the window and the icons come and go.
    const auto remove = [this](UINT_PTR id) {
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = FStatusBar;
        tool.uId = id;
        SendMessageA(FStatusHints, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    };
    const auto add = [this](UINT_PTR id, const RECT& r, const char* text) {
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = FStatusBar;
        tool.uId = id;
        tool.rect = r;
        tool.lpszText = const_cast<char*>(text);
        SendMessageA(FStatusHints, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    };
    for (UINT_PTR id = 0; id < StatusPanelCount; ++id)
        remove(id);
    for (UINT_PTR id = StateIconTool; id < StateIconTool + StatusIconCount; ++id)
        remove(id);
    if (FStatusMode != 0 || !GetActiveDocument())
        return;
    const auto rectOf = [this](int panel) {
        RECT r{};
        SendMessageA(FStatusBar, SB_GETRECT, panel, reinterpret_cast<LPARAM>(&r));
        return r;
    };
    add(0, rectOf(0), "Position actuelle du curseur d'insertion");
    add(PositionPanel, rectOf(PositionPanel), "Position actuelle du curseur d'insertion");
    add(TypingPanel, rectOf(TypingPanel), "double-cliquez pour alterner mode insertion et mode refrappe");
    add(LanguagePanel, rectOf(LanguagePanel),
        "double-cliquez pour spécifier la langue utilisée dans le document");
    const std::string& states = FPanelTexts[StatePanel];
    const RECT icons = rectOf(StatePanel);
    for (int i = 0; i < StatusIconCount && i < static_cast<int>(states.size()); ++i)
        if (states[size_t(i)] == '1') {
            const RECT r = {icons.left + 2 + i * StatusIconStep, icons.top,
                            icons.left + 2 + (i + 1) * StatusIconStep, icons.bottom};
            add(StateIconTool + UINT_PTR(i), r, TStatusBarIcons::GetHint(i));
        }
    const TDocument* document = GetActiveDocument();
    if (!document->PreviewMode && document->SpellState < 6)
        add(SpellPanel, rectOf(SpellPanel), SpellCheckNotices[document->SpellState]);
}

void TMainForm::StatusBarDoubleClicked(int x, int y)
{
    TDocument* document = GetActiveDocument();
    const int panel = StatusPanelAt(x, y);
    if (!document || panel < 0)
        return;
    switch (panel) {
    case 0: {
        RECT r{};
        SendMessageA(FStatusBar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
        CommandManager().ExecuteCommandWithArg(203600, x >= (r.left + r.right) / 2 ? 1 : 0);
        break;
    }
    case PositionPanel: CommandManager().ExecuteCommandWithArg(203600, 3); break;
    case TypingPanel: CommandManager().ExecuteCommand(3720); break;
    case LanguagePanel: CommandManager().ExecuteCommand(12440); break;
    case SpellPanel:
        // Waiting for a change: checking starts again at once.
        if (document->SpellState == 1) {
            document->SpellState = 5;
            InvalidateCommands();
        }
        break;
    }
}

TPopupMenu* TMainForm::BookmarkMenu(TDocument& document)
{
    if (document.Bookmarks.Count() == 0 || document.EditedHeaderFooter)
        return nullptr;
    FBookmarkMenu = std::make_unique<TPopupMenu>(nullptr);
    for (int i = 0; i < document.Bookmarks.Count(); ++i) {
        const std::string name = document.Bookmarks[i];
        auto* item = new TMenuItem(nullptr);
        item->Caption = EscapeAmpersands(name);
        TDocument* target = &document;
        // The document may have closed while the menu was open.
        item->OnClick = [target, name](TComponent*) {
            const TDocDispatcher* dispatcher = GetDocDispatcher();
            for (int k = 0; dispatcher && k < dispatcher->DocumentCount(); ++k)
                if (dispatcher->Document(k) == target)
                    target->GoToBookmark(name, false);
        };
        FBookmarkMenu->Items()->Add(item);
    }
    return FBookmarkMenu.get();
}

void TMainForm::StatusBarRightClicked(int x, int y)
{
    const int panel = StatusPanelAt(x, y);
    POINT p = {x, y};
    ClientToScreen(FStatusBar, &p);
    TDocument* document = GetActiveDocument();
    if (panel == PagePanel || panel == PositionPanel) {
        if (TPopupMenu* menu = document ? BookmarkMenu(*document) : nullptr) {
            menu->Popup(p.x, p.y);
            return;
        }
    }
    if (panel == LanguagePanel && !LanguageManager().History.empty()) {
        ShowPopupMenu("LNGHIST", p.x, p.y);
        return;
    }
    if (panel == SpellPanel) {
        if (document && !document->GetModeFlag(ModeFlagReadOnly))
            ShowPopupMenu("STATBAR_SPLCHCK", p.x, p.y);
        return;
    }
    ShowPopupMenu("STATBAR", p.x, p.y);
}
