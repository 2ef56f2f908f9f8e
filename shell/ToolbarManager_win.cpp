// The toolbar manager: the toolbars of the main window built from the settings, their updates, the
// command-set switch and the button pictures.
#include "shell/ToolbarManager.h"

#include <algorithm>
#include <cmath>

#include <shlwapi.h>

#include "classlib/runtime/Format.h"
#include "classlib/windowing/ExtCtrls.h"
#include "classlib/windowing/Forms.h"
#include "classlib/windowing/Menus.h"
#include "classlib/windowing/ToolBar.h"
#include "core/CmdLine.h"
#include "core/DecimalText.h"
#include "core/Events.h"
#include "core/Fonts.h"
#include "core/Messages.h"
#include "core/ShellUtils.h"
#include "core/Styles.h"
#include "document/Document.h"
#include "classlib/runtime/Files.h"
#include "classlib/runtime/StringList.h"
#include "shell/CommandManager.h"
#include "shell/HotKeys.h"
#include "shell/MainForm.h"
#include "shell/ToolbarCommands.h"
#include "window/AdvComboBox.h"
#include "window/DocForm.h"

namespace {

TToolbarManager* Manager = nullptr;

constexpr COLORREF MaskColor = RGB(128, 128, 0);
constexpr int32_t CommandSetSwitch = 6263;
constexpr int32_t NotSet = INT32_MIN;

// The combo boxes: number, editable text, width and list length at 96 dpi.
struct TComboKind {
    int32_t Command;
    bool Editable;
    int Width;
    int ListLength;
};
constexpr TComboKind ComboKinds[] = {
    {206100, true, 55, 12}, {209050, true, 110, 12}, {212100, true, 120, 12},
    {212200, true, 44, 12}, {212300, false, 38, 35}, {212400, false, 80, 10},
};

const TComboKind* ComboKindOf(int32_t command)
{
    for (const TComboKind& kind : ComboKinds)
        if (kind.Command == command)
            return &kind;
    return nullptr;
}

bool IsComboCommand(int32_t command)
{
    return command >= 200000 && command <= 300000;
}

const char* const ColorNames[17] = {
    "Automatique", "Noir",       "Bleu",       "Cyan",   "Vert vif", "Magenta", "Rouge", "Jaune",     "Blanc",
    "Bleu marine", "Cyan foncé", "Vert foncé", "Violet", "Bordeaux", "Olive",   "Gris",  "Gris clair"};
constexpr COLORREF ColorValues[17] = {
    RGB(0, 0, 0),       RGB(0, 0, 0),      RGB(0, 0, 255),   RGB(0, 255, 255),   RGB(0, 255, 0),
    RGB(255, 0, 255),   RGB(255, 0, 0),    RGB(255, 255, 0), RGB(255, 255, 255), RGB(0, 0, 128),
    RGB(0, 128, 128),   RGB(0, 128, 0),    RGB(128, 0, 128), RGB(128, 0, 0),     RGB(128, 128, 0),
    RGB(128, 128, 128), RGB(192, 192, 192)};

const char* const UnderlineNames[18] = {"Aucun",
                                        "Simple",
                                        "Mots seuls",
                                        "Double",
                                        "Pointillé",
                                        "Épais",
                                        "Tirets",
                                        "Point tiret",
                                        "Point point tiret",
                                        "Ondulé",
                                        "Pointillé épais",
                                        "Tirets épais",
                                        "Point tiret épais",
                                        "Point point tiret épais",
                                        "Ondulé épais",
                                        "Tirets longs",
                                        "Tirets longs épais",
                                        "Double ondulé"};

const int ZoomPercents[] = {500, 250, 200, 150, 100, 75, 50, 25, 10};
const char* const ZoomKindNames[] = {"Largeur de page", "Largeur du texte", "Pages entières", "Deux pages"};
const int FontSizes[] = {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

// A combo box of a toolbar: a choice from its list, or Enter in its text, runs its command.
class TToolbarComboBox : public TAdvComboBox {
public:
    TToolbarComboBox(TComponent* owner, int32_t command, bool editable)
        : TAdvComboBox(owner, editable), Command(command)
    {
        Tag = command;
    }
    const int32_t Command;
    std::vector<intptr_t> Values;
    std::function<void(TToolbarComboBox*, bool fromList)> OnChoose;

protected:
    void WndProc(TMessage& message) override
    {
        if (message.Msg == CN_COMMAND) {
            const WORD code = HIWORD(message.WParam);
            // Opening and closing the list: the list event and the entries' hint.
            if (code == CBN_DROPDOWN || code == CBN_CLOSEUP)
                TAdvComboBox::WndProc(message);
            if (code == CBN_SELENDOK) {
                FChosen = true;
            } else if (code == CBN_CLOSEUP && FChosen) {
                FChosen = false;
                if (OnChoose)
                    OnChoose(this, true);
            } else if (code == CBN_SELCHANGE && !SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0)) {
                // A choice with the arrow keys while the list is closed.
                FChosen = false;
                if (OnChoose)
                    OnChoose(this, true);
            }
            return;
        }
        if (message.Msg == CN_KEYDOWN && message.WParam == VK_RETURN) {
            if (SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0))
                SendMessageA(Handle(), CB_SHOWDROPDOWN, FALSE, 0);
            if (OnChoose)
                OnChoose(this, false);
            message.Result = 1;
            return;
        }
        if (message.Msg == CN_KEYDOWN && message.WParam == VK_ESCAPE) {
            ReturnFocus();
            message.Result = 1;
            return;
        }
        TAdvComboBox::WndProc(message);
    }

public:
    // The document window gets the keyboard back.
    static void ReturnFocus()
    {
        if (MainForm)
            if (TDocument* document = MainForm->GetActiveDocument())
                if (document->Window)
                    document->Window->SetFocus();
    }

private:
    bool FChosen = false;
};

// The overflow pop-up window of a toolbar: the rows that did not fit on the main window.
class TAdditionalCommands_Form : public TForm {
public:
    explicit TAdditionalCommands_Form(TComponent* owner) : TForm(owner)
    {
        SetBorderStyle(bsNone);
        KeyPreview = true;
    }
    TToolButton* MoreButton = nullptr;
    int ToolbarIndex = 0;

protected:
    void CreateParams(TCreateParams& params) override
    {
        TForm::CreateParams(params);
        params.Style = WS_POPUP | WS_BORDER;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        if (MainForm)
            params.WndParent = MainForm->Handle();
    }
    void WndProc(TMessage& message) override
    {
        if (message.Msg == WM_ACTIVATE && LOWORD(message.WParam) == WA_INACTIVE) {
            TForm::WndProc(message);
            CloseUp();
            return;
        }
        if (message.Msg == CN_KEYDOWN) {
            if (message.WParam == VK_ESCAPE) {
                CloseUp();
                message.Result = 1;
                return;
            }
            HotKeyManager().WMKeyDown(message);
            return;
        }
        TForm::WndProc(message);
    }

public:
    void CloseUp()
    {
        if (!Visible())
            return;
        Hide();
        if (MoreButton)
            MoreButton->SetDown(false);
    }
};

uint32_t ReadU32(const uint8_t* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// The 32 by 32 list of a 16 by 16 strip: each picture stretched to twice its size.
HIMAGELIST StretchedList(HBITMAP strip)
{
    BITMAP info{};
    GetObjectA(strip, sizeof(info), &info);
    HDC screen = GetDC(nullptr);
    HDC source = CreateCompatibleDC(screen);
    HDC target = CreateCompatibleDC(screen);
    HBITMAP large = CreateCompatibleBitmap(screen, info.bmWidth * 2, info.bmHeight * 2);
    HGDIOBJ oldSource = SelectObject(source, strip);
    HGDIOBJ oldTarget = SelectObject(target, large);
    StretchBlt(target, 0, 0, info.bmWidth * 2, info.bmHeight * 2, source, 0, 0, info.bmWidth, info.bmHeight,
               SRCCOPY);
    SelectObject(source, oldSource);
    SelectObject(target, oldTarget);
    DeleteDC(source);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
    HIMAGELIST list = ImageList_Create(32, 32, ILC_COLOR24 | ILC_MASK, info.bmWidth / 16, 8);
    ImageList_AddMasked(list, large, MaskColor);
    DeleteObject(large);
    return list;
}

HIMAGELIST LoadList(const char* resource, bool large)
{
    auto strip = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), resource, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!strip)
        return nullptr;
    HIMAGELIST list;
    if (large) {
        list = StretchedList(strip);
    } else {
        BITMAP info{};
        GetObjectA(strip, sizeof(info), &info);
        list = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, info.bmWidth / 16, 8);
        ImageList_AddMasked(list, strip, MaskColor);
    }
    DeleteObject(strip);
    return list;
}

// The hint of a toolbar control: the command's caption, with its shortcut when the settings show them.
std::string ControlHint(int32_t command, bool showHotKeys)
{
    std::string hint = ToolbarCommandCaption(command);
    const uint32_t key = showHotKeys ? HotKeyManager().HotKeyOfCommand(command) : 0;
    if (key != 0)
        hint = Format("%s (%s)", hint, HotKeyToText(key));
    return hint;
}

// Half-points as the size box shows them: "12", "10,5".
std::string FontSizeText(int32_t halfPoints)
{
    return FormatFixedValue(halfPoints * 5, 1, FormatSettings.DecimalSeparator);
}

} // namespace

TToolbarManager* ToolbarManager()
{
    return Manager;
}

bool ParseZoomText(const std::string& text, int32_t& percent, std::string& error)
{
    std::string t = text;
    while (!t.empty() && (t.back() == ' ' || t.back() == '%'))
        t.pop_back();
    const std::optional<int32_t> value = ParseFixedValue(t, 0, FormatSettings.DecimalSeparator);
    if (!value || t.find_first_of(",.") != std::string::npos) {
        error = "Le nombre spécifié n'est pas valide.";
        return false;
    }
    if (*value < 10 || *value > 500) {
        error = Format("Le nombre doit être compris entre %s et %s.", "10%", "500%");
        return false;
    }
    percent = *value;
    return true;
}

bool ParseFontSizeText(const std::string& text, int32_t& halfPoints, std::string& error)
{
    const std::optional<int32_t> tenths = ParseFixedValue(text, 1, FormatSettings.DecimalSeparator);
    if (!tenths) {
        error = "Le nombre spécifié n'est pas valide.";
        return false;
    }
    const int32_t value = *tenths / 5;
    if (value < 2 || value > 2000) {
        error = Format("Le nombre doit être compris entre %s et %s.", "1", "1000");
        return false;
    }
    halfPoints = value;
    return true;
}

namespace {

// The version of the common-controls library as major * 100 + minor (0 when it does not say).
int CommonControlsVersion()
{
    HMODULE library = GetModuleHandleA("comctl32.dll");
    if (!library)
        return 0;
    using TGetVersion = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
    auto getVersion =
        reinterpret_cast<TGetVersion>(reinterpret_cast<void*>(GetProcAddress(library, "DllGetVersion")));
    DLLVERSIONINFO info = {sizeof(info), 0, 0, 0, 0};
    if (!getVersion || getVersion(&info) != S_OK)
        return 0;
    return static_cast<int>(info.dwMajorVersion * 100 + info.dwMinorVersion);
}

} // namespace

void CheckCommonControlsVersion()
{
    const int version = CommonControlsVersion();
    if (version == 0 || version >= 471)
        return;
    const char* const page = "https://www.microsoft.com/fr-fr/download/";
    if (MessageDlgEx(
            Format("Une version ancienne de la bibliothèque de contrôles communs \"comctl32.dll\" est "
                   "présente sur votre système Windows. Quillpad a besoin d'une version plus récente de "
                   "cette bibliothèque pour fonctionner.||||Nous vous recommandons de vous rendre sur "
                   "notre site pour en télécharger une version plus récente.||||Voulez-vous le faire "
                   "tout de suite à partir de la page Web suivante ?||||%s",
                   page),
            3, mbYesNo) == mrYes)
        OpenInBrowser(page);
}

// ---- TToolbarButtonImages

TToolbarButtonImages::TToolbarButtonImages()
{
    HRSRC found = FindResourceA(nullptr, "TOOLBARIMAGECOMMANDS", MAKEINTRESOURCEA(10)); // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const auto* data = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    if (data)
        for (size_t i = 0; i + 4 <= SizeofResource(nullptr, found); i += 4)
            ImageCommands.push_back(static_cast<int32_t>(ReadU32(data + i)));
}

TToolbarButtonImages::~TToolbarButtonImages()
{
    FreeLists();
}

void TToolbarButtonImages::FreeLists()
{
    for (HIMAGELIST* list : {&Small, &SmallDisabled, &Large, &LargeDisabled, &More}) {
        if (*list)
            ImageList_Destroy(*list);
        *list = nullptr;
    }
}

int TToolbarButtonImages::IndexOfCommand(int32_t command) const
{
    if (command == 4900)
        command = 5000;
    auto found = std::lower_bound(ImageCommands.begin(), ImageCommands.end(), command);
    if (found == ImageCommands.end() || *found != command)
        return -1;
    return static_cast<int>(found - ImageCommands.begin());
}

void TToolbarButtonImages::LoadImages(const TToolbarSettings& settings)
{
    FreeLists();
    Small = LoadList("NORMALTOOLBARIMAGES", false);
    SmallDisabled = LoadList("GRAYEDTOOLBARIMAGES", false);
    More = ImageList_LoadImageA(GetModuleHandleA(nullptr), "MORECOMMANDS", 8, 0, MaskColor, IMAGE_BITMAP,
                                LR_CREATEDIBSECTION);
    if (settings.LargeButtons) {
        Large = LoadList("NORMALTOOLBARIMAGES", true);
        LargeDisabled = LoadList("GRAYEDTOOLBARIMAGES", true);
    }
}

void TToolbarButtonImages::DrawCommandImage(int32_t command, TCanvas& canvas, int x, int y) const
{
    RECT cell = {x, y, x + 16, y + 16};
    HBRUSH mask = CreateSolidBrush(MaskColor);
    ::FillRect(canvas.Handle(), &cell, mask);
    DeleteObject(mask);
    const int index = IndexOfCommand(IsComboCommand(command) ? ComboImageCommand : command);
    if (Small && index >= 0)
        ImageList_Draw(Small, index, canvas.Handle(), x, y, ILD_TRANSPARENT);
}

// ---- TToolbarManager

TToolbarManager::TToolbarManager() : Settings(this)
{
    Manager = this;
    DropDownCommands = {100,  120,  200,  300, 1260, 3360, 3645,  3646,  4020,  3960, 3540, 3560,
                        3580, 3600, 3620, 702, 704,  705,  12440, 12445, 15600, 4520, 12160};
    FormatPainterCommands = {702,   209050, 9000,  9080,  9081,   9082,   9083,   9180,   9200,  9220,
                             9270,  9271,   9272,  9320,  12000,  705,    12120,  12140,  12160, 12161,
                             12162, 12163,  12164, 12165, 12166,  12167,  12168,  12170,  12171, 12180,
                             12200, 12210,  12215, 12520, 212100, 212200, 212300, 212400, 12150, 12285};
    const std::string file = ToolbarSettingsFileName();
    if (!CmdLineSwitchPresent(swDontLoadSettings) && FileExists(file))
        Settings.Load(file);
    else
        Settings.SetDefaults();
    CheckCommonControlsVersion();
    Ready = true;
}

TToolbarManager::~TToolbarManager()
{
    if (Settings.Modified && !CmdLineSwitchPresent(swDontSaveSettings)) {
        try {
            Settings.Save(ToolbarSettingsFileName());
        } catch (...) {
            // A settings file that cannot be written at exit is not worth stopping the exit for.
        }
    }
    for (int i = 0; i < ToolbarCount; ++i)
        FreeRows(i);
    for (TForm* form : FOverflow)
        delete form;
    for (TPopupMenu* menu : FPopups)
        delete menu;
    if (Manager == this)
        Manager = nullptr;
}

void TToolbarManager::CreatePopupMenus()
{
    // The drop-down menus are built when they pop up (ShowDropDown); nothing is needed beforehand.
}

TToolbarButtonImages& TToolbarManager::GetButtonImages()
{
    if (!FImages) {
        FImages = std::make_unique<TToolbarButtonImages>();
        FImages->LoadImages(Settings);
    }
    return *FImages;
}

bool TToolbarManager::IsToolbarVisible(int index) const
{
    if (index < 0 || index >= ToolbarCount)
        return false;
    const TSingleToolbarSettings& toolbar = Settings.Toolbars[static_cast<size_t>(index)];
    if (!(Preview ? toolbar.Visible_Preview : toolbar.Visible) || toolbar.GetCommands().empty())
        return false;
    return !(MainForm && MainForm->FullScreen) || index == 4;
}

int TToolbarManager::GetToolbarsHeight() const
{
    int height = 0;
    for (const std::vector<TToolBar*>& rows : FRows)
        if (!rows.empty() && rows.front()->Visible())
            height += rows.front()->Height();
    return height;
}

int TToolbarManager::ControlWidth(int32_t command) const
{
    const bool large = Settings.LargeButtons;
    if (command == ToolbarSeparator)
        return 8;
    if (const TComboKind* kind = ComboKindOf(command))
        return ScaleToScreen(kind->Width) + 4;
    int width = large ? 46 : 23;
    if (Settings.DropDownMenus &&
        std::find(DropDownCommands.begin(), DropDownCommands.end(), command) != DropDownCommands.end())
        width += TToolButton::ArrowWidth;
    return width;
}

void TToolbarManager::FreeRows(int index)
{
    for (TToolBar* row : FRows[static_cast<size_t>(index)])
        delete row;
    FRows[static_cast<size_t>(index)].clear();
}

TControl* TToolbarManager::CreateCommandControl(int32_t command, TControl* parent, bool onOverflow)
{
    const bool large = Settings.LargeButtons;
    const int buttonHeight = large ? 44 : 22;
    if (IsComboCommand(command)) {
        const TComboKind* kind = ComboKindOf(command);
        auto* panel = new TPanel(parent);
        panel->Tag = command;
        panel->SetParent(parent);
        const int width = ScaleToScreen(kind ? kind->Width : 60);
        panel->SetBounds(0, 0, width + 4, buttonHeight);
        auto* combo = new TToolbarComboBox(panel, command, !kind || kind->Editable);
        combo->SetParent(panel);
        combo->SetTabStop(false);
        combo->SetBounds(2, std::max(0, (buttonHeight - 21) / 2), width,
                         ScaleToScreen(kind ? kind->ListLength * 16 + 30 : 200));
        combo->SetHint(ControlHint(command, Settings.ShowHotKeys));
        // The style, font and size lists show the highlighted entry beside the open list.
        if (Settings.ComboBoxHints && (command == 209050 || command == 212100 || command == 212200))
            combo->OnItemHint = [combo](int item) { return combo->Items(item); };
        else
            combo->OnItemHint = [](int) { return std::string(); };
        switch (command) {
        case 206100:
            for (int percent : ZoomPercents) {
                combo->Add(Format("%d%%", percent));
                combo->Values.push_back(percent);
            }
            for (int kind = 1; kind <= 4; ++kind) {
                combo->Add(ZoomKindNames[kind - 1]);
                combo->Values.push_back(kind << 16); // a zoom kind goes above the percentage
            }
            break;
        case 212200:
            for (int size : FontSizes) {
                combo->Add(Format("%d", size));
                combo->Values.push_back(size * 2);
            }
            break;
        case 212100: {
            TStringList names;
            GetFontManager().GetFontNames(names);
            for (int i = 0; i < names.Count(); ++i)
                combo->Add(names[i]);
            break;
        }
        case 212300:
            for (int i = 0; i < 17; ++i) {
                combo->Add(ColorNames[i]);
                combo->Values.push_back(i);
            }
            break;
        case 212400:
            for (int i = 0; i < 18; ++i) {
                combo->Add(UnderlineNames[i]);
                combo->Values.push_back(i);
            }
            break;
        }
        combo->OnChoose = [this](TToolbarComboBox* box, bool fromList) {
            const int32_t number = box->Command;
            const int index = box->ItemIndex();
            const std::string text = box->Text();
            std::string error;
            if (number == 206100) {
                int32_t percent = 0;
                if (fromList && index >= 0 && index < static_cast<int>(box->Values.size())) {
                    // Percentages, or the zoom kinds 1 to 4 in bits 16 to 23.
                    TToolbarComboBox::ReturnFocus();
                    CommandManager().ExecuteCommandWithArg(number, box->Values[static_cast<size_t>(index)]);
                    return;
                }
                if (!ParseZoomText(text, percent, error)) {
                    ShowError(error);
                    return;
                }
                TToolbarComboBox::ReturnFocus();
                CommandManager().ExecuteCommandWithArg(number, percent);
            } else if (number == 212200) {
                int32_t halfPoints = 0;
                if (!ParseFontSizeText(text, halfPoints, error)) {
                    ShowError(error);
                    return;
                }
                TToolbarComboBox::ReturnFocus();
                CommandManager().ExecuteCommandWithArg(number, halfPoints);
            } else if (number == 212300 || number == 212400) {
                TToolbarComboBox::ReturnFocus();
                CommandManager().ExecuteCommandWithArg(number, index);
            } else {
                // Style and font names go as their zero-terminated text.
                TToolbarComboBox::ReturnFocus();
                CommandManager().ExecuteCommandWithArg(number, reinterpret_cast<intptr_t>(text.c_str()));
            }
        };
        return panel;
    }

    auto* button = new TToolButton(parent);
    button->Tag = command;
    button->SetParent(parent);
    button->Flat = onOverflow || Settings.FlatButtons;
    if (command == ToolbarSeparator) {
        button->Separator = true;
        button->SetBounds(0, 0, 8, buttonHeight);
        return button;
    }
    TToolbarButtonImages& images = GetButtonImages();
    button->Images = large ? images.Large : images.Small;
    button->DisabledImages = large ? images.LargeDisabled : images.SmallDisabled;
    button->ImageIndex = images.IndexOfCommand(command);
    button->DropDownArrow =
        Settings.DropDownMenus && !onOverflow &&
        std::find(DropDownCommands.begin(), DropDownCommands.end(), command) != DropDownCommands.end();
    if (command == 704 || command == 705) {
        button->OnDrawImage = [this, command](TCanvas& canvas, const RECT& area) {
            const int h = area.bottom - area.top;
            const int32_t index = command == 704 ? HighlightColorIndex : FontColorIndex;
            COLORREF colour;
            if (index == NotSet || index < 0 || index >= 17)
                colour = GetSysColor(COLOR_BTNFACE);
            else if (index == 0)
                colour = command == 704 ? RGB(255, 255, 0) : RGB(0, 0, 0);
            else
                colour = ColorValues[index];
            RECT bar = {area.left + h / 7, area.top + 2 * h / 3, area.left + h - h / 7,
                        area.top + 2 * h / 3 + h / 5};
            HBRUSH brush = CreateSolidBrush(colour);
            ::FillRect(canvas.Handle(), &bar, brush);
            DeleteObject(brush);
        };
    }
    if (onOverflow) {
        button->Text = ToolbarCommandCaption(command);
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SIZE extent{};
        GetTextExtentPoint32A(dc, button->Text.c_str(), static_cast<int>(button->Text.size()), &extent);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        button->SetBounds(0, 0, (large ? 32 : 16) + 16 + extent.cx, buttonHeight);
    } else {
        button->SetBounds(0, 0, ControlWidth(command), buttonHeight);
    }
    if (command != MoreCommandsCommand)
        button->SetHint(ControlHint(command, Settings.ShowHotKeys));
    button->OnClick = [this, command](TComponent* sender) {
        ButtonClicked(command, static_cast<TToolButton*>(sender));
    };
    button->OnDropDown = [this, command](TComponent* sender) {
        ShowDropDown(command, static_cast<TToolButton*>(sender));
    };
    return button;
}

TToolBar* TToolbarManager::NewRow(TControl* parent)
{
    auto* row = new TToolBar(nullptr);
    row->SetParent(parent);
    row->OnContextMenu = [](int x, int y) {
        if (MainForm)
            MainForm->GetPopupMenu("TLBAR")->Popup(x, y);
    };
    return row;
}

void TToolbarManager::BuildToolbar(int index)
{
    FreeRows(index);
    if (!IsToolbarVisible(index) || !MainForm)
        return;
    const std::vector<int32_t>& commands = Settings.Toolbars[static_cast<size_t>(index)].GetCommands();
    const bool large = Settings.LargeButtons;
    const int rowHeight = (large ? 44 : 22) + 4;
    const int usable = MainForm->ClientWidth() - 12;

    auto* first = NewRow(MainForm);
    first->SetBounds(0, 0, MainForm->ClientWidth(), rowHeight);
    FRows[static_cast<size_t>(index)].push_back(first);

    // The first row takes the controls that fit.
    std::vector<TControl*> placed;
    int x = 2;
    size_t next = 0;
    for (; next < commands.size(); ++next) {
        const int width = ControlWidth(commands[next]);
        if (x + width > usable)
            break;
        TControl* control = CreateCommandControl(commands[next], first, false);
        control->SetLeft(x);
        control->SetTop(2);
        x += control->Width();
        placed.push_back(control);
    }
    if (next < commands.size()) {
        // Room for the more-commands button, and the command-set switch kept on the first row.
        auto removeLast = [&]() {
            x -= placed.back()->Width();
            delete placed.back();
            placed.pop_back();
            --next;
        };
        const int moreWidth = large ? 24 : 12;
        while (!placed.empty() && x + moreWidth + 3 > usable)
            removeLast();
        const bool hasSwitch =
            std::find(commands.begin(), commands.end(), CommandSetSwitch) != commands.end();
        const bool switchPlaced =
            std::any_of(placed.begin(), placed.end(), [](TControl* c) { return c->Tag == CommandSetSwitch; });
        if (hasSwitch && !switchPlaced) {
            while (!placed.empty() && x + (large ? 70 : 35) > usable)
                removeLast();
            TControl* control = CreateCommandControl(CommandSetSwitch, first, false);
            control->SetBounds(x, 2, large ? 46 : 23, control->Height());
            x += control->Width();
        }
        auto* more = static_cast<TToolButton*>(CreateCommandControl(MoreCommandsCommand, first, false));
        more->DropDownArrow = false;
        more->DisabledImages = nullptr;
        more->SetHint(ToolbarCommandCaption(MoreCommandsCommand));
        more->SetBounds(x, 2, moreWidth, more->Height());
        more->OnClick = [this, index](TComponent* sender) {
            ShowOverflow(index, static_cast<TToolButton*>(sender));
        };
        more->Images = GetButtonImages().More;
        more->ImageIndex = 0;

        // The rest goes into rows on the overflow window, each a quarter of the screen wide.
        TForm*& overflow = FOverflow[static_cast<size_t>(index)];
        if (!overflow) {
            auto* form = new TAdditionalCommands_Form(nullptr);
            form->ToolbarIndex = index;
            overflow = form;
        }
        const int rowWidth = GetSystemMetrics(SM_CXSCREEN) / 4;
        TToolBar* row = nullptr;
        int rx = 0, y = 0, widest = 0;
        for (; next < commands.size(); ++next) {
            const int32_t command = commands[next];
            if (command == CommandSetSwitch || (command == ToolbarSeparator && (!row || rx == 2)))
                continue;
            TControl* probe = nullptr;
            if (!row || (command != ToolbarSeparator && rx > 2 && rx + ControlWidth(command) > rowWidth)) {
                if (row)
                    y += rowHeight;
                row = NewRow(overflow);
                row->SetBounds(0, y, rowWidth, rowHeight);
                FRows[static_cast<size_t>(index)].push_back(row);
                rx = 2;
                if (command == ToolbarSeparator)
                    continue;
            }
            probe = CreateCommandControl(command, row, true);
            if (rx > 2 && rx + probe->Width() > rowWidth) {
                // Too wide for the rest of this row: it starts the next.
                delete probe;
                y += rowHeight;
                row = NewRow(overflow);
                row->SetBounds(0, y, rowWidth, rowHeight);
                FRows[static_cast<size_t>(index)].push_back(row);
                rx = 2;
                probe = CreateCommandControl(command, row, true);
            }
            probe->SetLeft(rx);
            probe->SetTop(2);
            rx += probe->Width();
            widest = std::max(widest, rx);
        }
        static_cast<TAdditionalCommands_Form*>(overflow)->MoreButton = more;
        overflow->SetClientSize(rowWidth + 6, y + rowHeight + 4);
    }
}

void TToolbarManager::RebuildToolbars()
{
    if (!MainForm)
        return;
    Ready = false;
    // Large buttons need their pictures made, and the small ones come back when switched off.
    if (FImages && Settings.LargeButtons != (FImages->Large != nullptr))
        FImages->LoadImages(Settings);
    FBuiltWidth = MainForm->ClientWidth();
    for (int i = 0; i < ToolbarCount; ++i)
        BuildToolbar(i);
    Ready = true;
    UpdateAllToolbars();
    RelayoutMainWindow();
}

void TToolbarManager::RelayoutMainWindow()
{
    if (!MainForm || !MainForm->HandleAllocated())
        return;
    RECT r;
    GetClientRect(MainForm->Handle(), &r);
    FPlacing = true;
    SendMessageA(MainForm->Handle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.right, r.bottom));
    FPlacing = false;
}

int TToolbarManager::PlaceToolbars(int width)
{
    if (!FPlacing && width != FBuiltWidth && Ready && FBuiltWidth >= 0) {
        FBuiltWidth = width;
        Ready = false;
        for (int i = 0; i < ToolbarCount; ++i)
            BuildToolbar(i);
        Ready = true;
        UpdateAllToolbars();
    }
    int y = 0;
    for (const std::vector<TToolBar*>& rows : FRows) {
        if (rows.empty())
            continue;
        TToolBar* first = rows.front();
        first->SetBounds(0, y, width, first->Height());
        y += first->Height();
    }
    return y;
}

void TToolbarManager::UpdateComboText(TComboBox* combo, int32_t command)
{
    std::string text;
    TDocument* document = CommandManager().GetDocument();
    if (document) {
        // A document whose caret never moved has no format state yet: the format at the caret is it.
        if (document->CharFormatState[cfSize] == 0 && !document->HasSelection())
            document->CharFormatState = document->GetCharFormatAt(document->Caret);
        switch (command) {
        case 206100: text = Format("%d%%", document->ViewState.ZoomPercent); break;
        case 209050: {
            const int32_t style = document->ParaFormatState[pfStyle];
            const TStyle* s =
                document->StyleList && style != NotSet ? document->StyleList->StyleOf(style) : nullptr;
            text = s ? s->Name : "";
            break;
        }
        case 212100: {
            const int32_t font = document->CharFormatState[cfFont];
            text = font != NotSet ? GetFontManager().FontName(font) : "";
            break;
        }
        case 212200: {
            const int32_t size = document->CharFormatState[cfSize];
            text = size != NotSet ? FontSizeText(size) : "";
            break;
        }
        case 212300:
        case 212400: return;
        }
    }
    if (combo->Text() != text)
        combo->SetText(text);
}

void TToolbarManager::UpdateControl(TControl* control)
{
    const auto command = static_cast<int32_t>(control->Tag);
    if (command < 1 || command == CommandSetSwitch || command == ToolbarSeparator ||
        command == MoreCommandsCommand)
        return;
    const bool displayOnly = Flags & 1;
    if (auto* button = dynamic_cast<TToolButton*>(control)) {
        const int state = ToolbarCommandState(command);
        button->SetDown(state == 0 && !displayOnly);
        button->SetMixed(state == 2 && !displayOnly && !button->DropDownArrow);
    } else if (auto* panel = dynamic_cast<TPanel*>(control)) {
        auto* combo = panel->ControlCount() > 0 ? dynamic_cast<TComboBox*>(panel->Controls(0)) : nullptr;
        if (combo && !combo->Focused())
            UpdateComboText(combo, command);
    }
    const bool enabled = displayOnly || ToolbarCommandEnabled(command);
    if (control->Enabled() != enabled) {
        control->SetEnabled(enabled);
        for (int i = 0; i < control->ControlCount(); ++i)
            control->Controls(i)->SetEnabled(enabled);
        control->Invalidate();
    }
}

void TToolbarManager::UpdateAllToolbars()
{
    if (!Ready)
        return;
    Ready = false;
    for (int i = 0; i < ToolbarCount; ++i)
        if (IsToolbarVisible(i))
            for (TToolBar* row : FRows[static_cast<size_t>(i)])
                for (int c = 0; c < row->ControlCount(); ++c)
                    UpdateControl(row->Controls(c));
    Ready = true;
}

void TToolbarManager::RefreshToolbarControls()
{
    for (const std::vector<TToolBar*>& rows : FRows)
        for (TToolBar* row : rows) {
            row->Invalidate();
            for (int c = 0; c < row->ControlCount(); ++c)
                row->Controls(c)->Invalidate();
        }
}

void TToolbarManager::CloseOverflowWindows()
{
    if (Flags & 4)
        return;
    for (TForm* form : FOverflow)
        if (form)
            static_cast<TAdditionalCommands_Form*>(form)->CloseUp();
}

TControl* TToolbarManager::ControlOfCommand(int32_t command) const
{
    for (const std::vector<TToolBar*>& rows : FRows)
        for (TToolBar* row : rows)
            for (int c = 0; c < row->ControlCount(); ++c)
                if (row->Controls(c)->Tag == command)
                    return row->Controls(c);
    return nullptr;
}

void TToolbarManager::ButtonClicked(int32_t command, TToolButton* button)
{
    static const int32_t pressAtOnce[] = {9080, 9082, 9081, 9083, 9180, 9200, 9220};
    if (!button->DropDownArrow &&
        std::find(std::begin(pressAtOnce), std::end(pressAtOnce), command) != std::end(pressAtOnce))
        button->SetDown(true);
    TToolbarComboBox::ReturnFocus();
    CloseOverflowWindows();
    CommandManager().ExecuteCommand(command);
}

void TToolbarManager::ShowDropDown(int32_t command, TToolButton* button)
{
    if (!MainForm)
        return;
    TriggerEvent(400);
    auto* menu = new TPopupMenu(nullptr);
    FPopups.push_back(menu);
    auto addItem = [menu](const std::string& caption, int32_t number, std::function<void()> run) {
        auto* item = new TMenuItem(nullptr);
        item->Caption = caption;
        item->Tag = number;
        item->OnClick = [run](TComponent*) { run(); };
        menu->Items()->Add(item);
    };
    if (command == 704 || command == 705 || command == 12150) {
        for (int i = 0; i < 17; ++i) {
            const std::string caption =
                i == 0 ? (command == 704 ? "Aucun(e)" : "Automatique") : ColorNames[i];
            addItem(caption, command, [this, command, i]() {
                if (command == 704)
                    HighlightColorIndex = i;
                else if (command == 705)
                    FontColorIndex = i;
                RefreshToolbarControls();
                CommandManager().ExecuteCommand(command);
            });
        }
    } else if (command == 15600) {
        static const char* const layouts[] = {"1 colonne",  "3 colonnes", "5 colonnes", "Gauche",
                                              "2 colonnes", "4 colonnes", "6 colonnes", "Droite"};
        for (const char* layout : layouts)
            addItem(layout, command, [command]() { CommandManager().ExecuteCommand(command); });
    } else {
        static const std::pair<int32_t, const char*> resources[] = {
            {100, "NEW"},      {120, "OPEN"},     {200, "SAVEDOCAS"}, {300, "EMAIL"},    {1260, "FAVORITES"},
            {3645, "FIND"},    {3646, "REPLACE"}, {3580, "SYMBOL"},   {4020, "CASE"},    {3600, "INSPIC"},
            {3620, "INSFILE"}, {702, "FMTPAL"},   {12440, "LNGHIST"}, {12445, "LNGHIST"}};
        for (const auto& [number, name] : resources)
            if (number == command) {
                TPopupMenu* shared = MainForm->GetPopupMenu(name);
                if (shared && shared->Items()->Count() > 0) {
                    RECT r;
                    GetWindowRect(button->Handle(), &r);
                    shared->Popup(r.left, r.bottom);
                    return;
                }
            }
        auto* empty = new TMenuItem(nullptr);
        empty->Caption = "( Vide )";
        empty->Enabled = false;
        menu->Items()->Add(empty);
    }
    RECT r;
    GetWindowRect(button->Handle(), &r);
    menu->Popup(r.left, r.bottom);
}

void TToolbarManager::ShowOverflow(int toolbar, TToolButton* button)
{
    auto* form = static_cast<TAdditionalCommands_Form*>(FOverflow[static_cast<size_t>(toolbar)]);
    if (!form)
        return;
    button->SetDown(true);
    RECT r;
    GetWindowRect(button->Handle(), &r);
    form->SetBounds(r.right - form->Width(), r.bottom + 2, form->Width(), form->Height());
    form->Show();
    SetForegroundWindow(form->Handle());
    UpdateAllToolbars();
}

void TToolbarManager::SwitchCommandSet()
{
    Alternative = !Alternative;
    FSwitchState = 0;
    TriggerEvent(300);
    RebuildToolbars();
    if (MainForm)
        MainForm->InvalidateCommands();
}

void TToolbarManager::HandleKeyDown(const TMessage& message)
{
    if (message.WParam == VK_CONTROL && KeyboardShiftState() == ssCtrl) {
        if (MainForm && MainForm->FullScreen)
            return;
        if (FSwitchState == 0)
            FSwitchState = 1;
        else if (FSwitchState == 2)
            FSwitchState = 3;
        return;
    }
    FSwitchState = 0;
}

void TToolbarManager::HandleKeyUp(const TMessage& message)
{
    if (message.WParam != VK_CONTROL || KeyboardShiftState() != 0) {
        FSwitchState = 0;
        return;
    }
    if (FSwitchState == 1) {
        FSwitchState = 2;
        FSwitchTime = GetTickCount();
    } else if (FSwitchState == 3) {
        if (GetTickCount() - FSwitchTime > GetDoubleClickTime()) {
            FSwitchState = 2;
            FSwitchTime = GetTickCount();
        } else {
            SwitchCommandSet();
        }
    }
}

void TToolbarManager::WatchSwitchKey(const MSG& msg)
{
    if ((msg.message != WM_KEYDOWN && msg.message != WM_KEYUP && msg.message != WM_SYSKEYDOWN &&
         msg.message != WM_SYSKEYUP) ||
        !MainForm || !MainForm->HandleAllocated() || GetAncestor(msg.hwnd, GA_ROOT) != MainForm->Handle())
        return;
    const TMessage message = {msg.message, msg.wParam, msg.lParam, 0};
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
        HandleKeyDown(message);
    else
        HandleKeyUp(message);
}

bool TToolbarManager::ActivateCommandControl(int32_t command)
{
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = ToolbarCount - 1; i >= 0; --i) {
            if (!IsToolbarVisible(i) && pass == 0)
                continue;
            const TSingleToolbarSettings& toolbar = Settings.Toolbars[static_cast<size_t>(i)];
            const std::vector<int32_t>& other = Alternative ? toolbar.Commands : toolbar.AlternativeCommands;
            const std::vector<int32_t>& list = pass == 0 ? toolbar.GetCommands() : other;
            if (std::find(list.begin(), list.end(), command) == list.end())
                continue;
            if (pass == 1)
                SwitchCommandSet();
            for (TToolBar* row : FRows[static_cast<size_t>(i)]) {
                for (int c = 0; c < row->ControlCount(); ++c) {
                    TControl* control = row->Controls(c);
                    if (control->Tag != command)
                        continue;
                    if (auto* panel = dynamic_cast<TPanel*>(control)) {
                        if (panel->ControlCount() > 0) {
                            TControl* combo = panel->Controls(0);
                            combo->SetFocus();
                            SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
                            TriggerEvent(410);
                        }
                        return true;
                    }
                    auto* button = dynamic_cast<TToolButton*>(control);
                    if (button && !button->DropDownArrow) {
                        Clicking = true;
                        button->Click();
                        Clicking = false;
                    }
                    return true;
                }
            }
            return false;
        }
    }
    return false;
}
