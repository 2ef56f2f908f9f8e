// Loading and saving every settings key: one walk over the sections serves both directions, so that
// reading and writing always agree on names, ranges and order.
#include "core/OptionsHolder.h"

#include <algorithm>
#include <climits>

#include "classlib/runtime/AnsiStrings.h"
#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Files.h"
#include "classlib/runtime/Format.h"
#include "core/CmdLine.h"
#include "core/DataFolder.h"
#include "core/IniFile.h"
#include "core/Languages.h"
#include "core/Memory.h"
#include "core/OptionalMessages.h"
#include "core/PathUtils.h"
#include "core/SettingsStorage.h"
#include "core/SystemDefaults.h"
#include "core/TextUtils.h"
#include "core/Version.h"
#include "classlib/runtime/DateTime.h"

const char* const SettingsRoot = "\\Software\\Blue Heron Works, Inc.\\Quillpad.1_x\\";
const char* const FileListSections[6] = {"RecentDocs",      "OpenDoc_Files",         "SaveDocAs_Files",
                                         "InsertDoc_Files", "InsertPicture_Folders", "InsertPicture_Files"};

namespace {

TOptionsHolder* Holder = nullptr;

constexpr int32_t Full = INT32_MIN;
constexpr int32_t FullMax = INT32_MAX;
// The answer buffer of the optional messages holds at least this many bytes after loading.
constexpr int OptionalAnswerBytes = 23;

// Reads into, or writes from, the fields of one section after another.
class TKeyWalker {
public:
    TKeyWalker(TSettingsStorage& store, bool saving) : Store(store), Saving(saving) {}
    void Section(const std::string& name) { Store.OpenSection(name); }
    void Bool(const char* key, bool& value, bool def)
    {
        if (Saving)
            Store.WriteBool(key, value);
        else
            value = Store.ReadBool(key, def);
    }
    void Int(const std::string& key, int32_t& value, int32_t min, int32_t max, int32_t def)
    {
        if (Saving)
            Store.WriteInteger(key, value);
        else
            value = Store.ReadInteger(key, min, max, def);
    }
    void Byte(const char* key, uint8_t& value, int32_t min, int32_t max, int32_t def)
    {
        int32_t v = value;
        Int(key, v, min, max, def);
        value = static_cast<uint8_t>(v);
    }
    void Str(const std::string& key, std::string& value, const std::string& def)
    {
        if (Saving)
            Store.WriteString(key, value);
        else
            value = Store.ReadString(key, def);
    }
    void Binary(const std::string& section, std::vector<uint8_t>& block)
    {
        if (Saving)
            Store.WriteBinary(section, block.data(), block.size());
        else
            block = Store.ReadBinary(section);
    }
    void LongString(const std::string& section, std::string& text, const std::string& def)
    {
        if (Saving)
            Store.WriteLongString(section, text);
        else
            text = Store.ReadLongString(section, def);
    }

    TSettingsStorage& Store;
    const bool Saving;
};

std::string WithTrailingBackslash(std::string folder)
{
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    return folder;
}

// An empty folder setting stands for a folder of that name in the data folder.
void DefaultFolder(std::string& folder, const char* name)
{
    if (folder.empty())
        folder = DataFolder() + name;
}

std::string ToHex(const uint8_t* data, int32_t size)
{
    return HexBytes(data, size_t(std::max(size, 0)), true);
}

void LoadOptionalAnswers(std::string text)
{
    while (text.size() / 2 < OptionalAnswerBytes)
        text += "00";
    TMemory& answers = OptionalMessageAnswers();
    answers.SetSize(static_cast<int32_t>(text.size() / 2));
    for (size_t i = 0; i + 1 < text.size(); i += 2)
        try {
            answers.Data()[i / 2] = static_cast<uint8_t>(HexToInt(std::string_view(text).substr(i, 2)));
        } catch (const Exception&) {
            answers.Data()[i / 2] = 0; // a damaged pair counts as a message never answered
        }
}

std::string JoinBars(const std::vector<std::string>& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i ? "||" : "") + lines[i];
    return text;
}

std::vector<std::string> SplitBars(const std::string& text)
{
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t bar = text.find("||", pos);
        if (bar == std::string::npos)
            bar = text.size();
        if (bar > pos)
            lines.push_back(text.substr(pos, bar - pos));
        pos = bar + 2;
    }
    return lines;
}

} // namespace

TOptionsHolder* GetOptionsHolder()
{
    return Holder;
}

TOptionsHolder::TOptionsHolder() : Options(CurrentOptions())
{
    FileExtensions = SplitBars(Options.Autocorrect.FileExts);
    std::sort(FileExtensions.begin(), FileExtensions.end());
    Holder = this;
}

TOptionsHolder::~TOptionsHolder()
{
    if (Holder == this)
        Holder = nullptr;
}

void TOptionsHolder::LoadViewSettings(TSettingsStorage& store, TViewElements& view, bool preview)
{
    view.MarginBorders = store.ReadBool("MarginBorders", false);
    view.Ruler = store.ReadBool("Ruler", true);
    view.VerRuler = store.ReadBool("VerRuler", true);
    view.Bookmarks = store.ReadBool("Bookmarks", !preview);
    view.ScrollBars = static_cast<uint8_t>(store.ReadInteger("ScrollBars", 0, 3, preview ? 2 : 3));
    view.DocBtnBar = store.ReadBool("DocBtnBar", true);
    view.StatusBar = store.ReadBool("StatusBar", true);
    view.MouseMode = preview ? static_cast<uint8_t>(store.ReadInteger("MouseMode", 0, 6, 3)) : 0;
}

void TOptionsHolder::SaveViewSettings(TSettingsStorage& store, const TViewElements& view, bool preview)
{
    store.WriteBool("MarginBorders", view.MarginBorders);
    store.WriteBool("Ruler", view.Ruler);
    store.WriteBool("VerRuler", view.VerRuler);
    store.WriteBool("Bookmarks", view.Bookmarks);
    store.WriteInteger("ScrollBars", view.ScrollBars);
    store.WriteBool("DocBtnBar", view.DocBtnBar);
    store.WriteBool("StatusBar", view.StatusBar);
    if (preview)
        store.WriteInteger("MouseMode", view.MouseMode);
}

void TOptionsHolder::SetMenuState(const TViewElements& view)
{
    TViewOptions& v = Options.View;
    v.MarginBorders = view.MarginBorders;
    v.Ruler = view.Ruler;
    v.VerRuler = view.VerRuler;
    v.Bookmarks = view.Bookmarks;
    v.ScrollBars = view.ScrollBars;
    v.DocBtnBar = view.DocBtnBar;
    v.StatusBar = view.StatusBar;
    if (CurrentMouseMode && OnMouseMode && CurrentMouseMode() != view.MouseMode)
        OnMouseMode(view.MouseMode);
}

void TOptionsHolder::Load(TSettingsStorage& store)
{
    Exchange(store, false);
    FixInstallKeys();
}

void TOptionsHolder::WriteAll(TSettingsStorage& store)
{
    Exchange(store, true);
}

void TOptionsHolder::Exchange(TSettingsStorage& store, bool saving)
{
    const TSystemDefaults& sys = SystemDefaults();
    const int32_t W = sys.ScreenWidth, H = sys.ScreenHeight;
    TKeyWalker k(store, saving);
    TOptions& o = Options;
    store.Root = SettingsRoot;

    // --- Internal ---
    TInternalOptions& in = o.Internal;
    k.Section("Internal");
    if (saving) {
        store.WriteInteger("RunCount", in.RunCount < INT32_MAX ? in.RunCount + 1 : in.RunCount);
        store.WriteInteger("LastRunVer", CurrentVersionNumber());
    } else {
        in.RunCount = store.ReadInteger("RunCount", 0, FullMax, 0);
        in.LastRunVer = store.ReadInteger("LastRunVer", Full, FullMax, CurrentVersionNumber());
    }
    k.Byte("EditOptions_Tab", in.EditOptions_Tab, 0, 6, 0);
    k.Byte("StyleListViewKind", in.StyleListViewKind, 0, 1, 0);
    k.Int("OpenDocDlgFilter", Owners.OpenDocDlgFilter, 1, 9, 8);
    k.Int("OpenPictDlgFilter", Owners.OpenPictDlgFilter, 1, 15, 14);
    k.Int("SavePictDlgFilter", Owners.SavePictDlgFilter, 1, 7, 1);
    k.Str("InitDir", in.InitDir, sys.CurrentDir);
    if (!saving && !in.InitDir.empty())
        SetCurrentDir(in.InitDir);
    k.Bool("AdviseAtStartUp", in.AdviseAtStartUp, true);
    k.Int("SavePict_Index", in.SavePict_Index, 1, 999, 1);
    k.Int("SavePict_Web_Index", in.SavePict_Web_Index, 1, 99999, 1);
    in.PictureNamePattern = "Image%s.%s";
    k.Str("InsSymbol_Font", in.InsSymbol_Font, "Symbol");
    k.Int("InsSymbol_Lang", in.InsSymbol_Lang, Full, FullMax, sys.UserLocale);
    k.Int("InsSymbol_Symbol", in.InsSymbol_Symbol, 32, 255, 32);
    k.Int("BkmkSort", in.BkmkSort, 0, 1, 1);
    k.Byte("DefDateFmt_Fr", in.DefDateFmt_Fr, 0, 35, 16);
    k.Byte("DefTimeFmt_Fr", in.DefTimeFmt_Fr, 36, 41, 37);
    k.Byte("LastDateFmt_Fr", in.LastDateFmt_Fr, 0, 41, 0);
    k.Byte("LastUsedDateTimeCaseFormat", in.LastUsedDateTimeCaseFormat, 0, 4, 0);
    k.Bool("UpdDtTm", in.UpdDtTm, false);
    k.Int("LastFntScaleFactor", in.LastFntScaleFactor, 1, 1000, 200);
    k.Int("PasteSpec_Fmt", in.PasteSpec_Fmt, Full, FullMax, sys.RtfClipboardFormat);
    k.Bool("ApplyTemplatePreview", in.ApplyTemplatePreview, true);
    k.Str("LastUsedDocTemplate", in.LastUsedDocTemplate, "");
    k.Int("Highlight_Color", in.Highlight_Color, 0, 16, 6);
    k.Int("Font_Color", in.Font_Color, 0, 16, 2);
    k.Int("LastChkForUpd", in.LastChkForUpd, 0, FullMax, ApproxDayNumber(Date()));
    k.Bool("ChkForUpdts", in.ChkForUpdts, true);
    k.Bool("FloatFmtPlt", in.FloatFmtPlt, false);
    k.Bool("FloatFmtPltVsbl", in.FloatFmtPltVsbl, true);
    k.Int("FloatFmtPlt_x1", in.FloatFmtPlt_x1, 0, W * 19 / 20, W - 150);
    k.Int("FloatFmtPlt_y1", in.FloatFmtPlt_y1, 0, H * 17 / 20, H / 4);
    k.Int("FloatFmtPlt_x2", in.FloatFmtPlt_x2, in.FloatFmtPlt_x1, FullMax, in.FloatFmtPlt_x1 + 150);
    k.Int("FloatFmtPlt_y2", in.FloatFmtPlt_y2, in.FloatFmtPlt_y1, FullMax, in.FloatFmtPlt_y1 + 184);
    THelpWindowPlacement& help = in.HelpPlacement;
    k.Int("hlpwnd_x1", help.Left, Full, FullMax, W / 10);
    k.Int("hlpwnd_y1", help.Top, Full, FullMax, H / 18);
    k.Int("hlpwnd_x2", help.Right, Full, FullMax, W * 9 / 10);
    k.Int("hlpwnd_y2", help.Bottom, Full, FullMax, H * 17 / 18);
    bool helpMaximized = help.ShowCmd == 3;
    k.Bool("hlpwnd_max", helpMaximized, true);
    help.Length = 44;
    help.ShowCmd = helpMaximized ? 3 : 1;
    k.Byte("OpenDlgPreview", in.OpenDlgPreview, 0, 2, 1);
    k.Byte("TemplateDlgPreview", in.TemplateDlgPreview, 0, 2, 2);
    k.Int(Format("OpenDlgSize_%dx%d", W, H), in.OpenDlgSize, 0, (W << 16) + H, ((W / 2) << 16) + H * 2 / 3);
    k.Str("FavFolder", in.FavFolder, "");
    if (!saving)
        DefaultFolder(in.FavFolder, "Favoris");
    if (saving) {
        const TMemory& answers = OptionalMessageAnswers();
        store.WriteString("OptionalMsgs", ToHex(answers.Data(), answers.Size()));
    } else {
        LoadOptionalAnswers(store.ReadString("OptionalMsgs", ""));
    }

    // --- Internal\TOC ---
    TTocDialogOptions& toc = in.Toc;
    k.Section("Internal\\TOC");
    k.Bool("PageNum", toc.PageNum, true);
    k.Bool("RightAlign", toc.RightAlign, true);
    int32_t leader = toc.TabLeader == 255 ? -1 : toc.TabLeader;
    k.Int("TabLeader", leader, -1, 3, 1);
    toc.TabLeader = static_cast<uint8_t>(leader);
    k.Int("Levels", toc.Levels, 1, 9, 3);
    k.Bool("ShowTitle", toc.ShowTitle, true);
    k.Str("Title", toc.Title, "Table des matières");
    k.Str("Template", toc.Template, "");

    // --- Internal\Envelopes ---
    TEnvelopeOptions& env = in.Envelopes;
    k.Section("Internal\\Envelopes");
    k.Str("AddrBookFldr", env.AddrBookFldr, "");
    if (!saving)
        DefaultFolder(env.AddrBookFldr, "Carnets d'adresses");
    k.Str("LastAddrBook", env.LastAddrBook, "");
    k.Str("LastAddr", env.LastAddr, "");
    k.Bool("OmitRetAddr", env.OmitRetAddr, false);
    k.Str("RetAddr", env.RetAddr, "");
    k.Int("Width", env.Width, 1440, 31680, 9184);
    k.Int("Height", env.Height, 1440, 31680, 6463);
    k.Int("DA_Left", env.DA_Left, 0, 8000, 4000);
    k.Int("DA_Top", env.DA_Top, 4000, 8000, 5000);
    k.Int("RA_Left", env.RA_Left, 0, 8000, 1000);
    k.Int("RA_Top", env.RA_Top, 0, 2000, 1000);
    k.Byte("FeedMethod", env.FeedMethod, 0, 5, 5);
    k.Bool("FeedFace", env.FeedFace, false);
    store.Root = std::string(SettingsRoot) + "Internal\\Envelopes\\";
    k.LongString("AddrFont", env.AddrFont, "");
    k.Binary("DEVMODE", env.DevMode);
    k.Binary("DEVNAMES", env.DevNames);
    store.Root = SettingsRoot;

    // --- Internal\Menus (read by the start-up sequence, written here) ---
    if (saving) {
        k.Section("Internal\\Menus");
        store.WriteBool("ShowHotKeys", in.ShowHotKeys);
        if (!in.MainMenu.empty())
            store.WriteBinary("MainMenu_Fr", in.MainMenu.data(), in.MainMenu.size());
        // The shortcut overrides, read by the start-up sequence; an empty block restores the table.
        store.WriteBinary("HotKeyOverrides_fr", Owners.HotKeyOverrides.data(), Owners.HotKeyOverrides.size());
    }

    // --- Internal\MainWnd ---
    TMainWindowPlacement& main = Owners.MainWnd;
    k.Section("Internal\\MainWnd");
    k.Byte("State", main.State, 0, 2, 2);
    if (!saving) {
        if (main.State == 1 || CmdLineSwitchPresent(swRestored))
            main.State = 0;
        if (CmdLineSwitchPresent(swMaximized))
            main.State = 2;
    }
    k.Int("x", main.X, Full, FullMax, W / 6);
    k.Int("y", main.Y, Full, FullMax, H / 6);
    k.Int("cx", main.CX, 350, W, W * 4 / 6);
    k.Int("cy", main.CY, 320, H, H * 4 / 6);

    // --- DefDocTemplates and the file lists ---
    TDefaultDocTemplates& templates = o.General.DefaultTemplates;
    k.Section("DefDocTemplates");
    k.Int("DefDocFmt", templates.DefDocFmt, 0, 6, 0);
    for (int i = 0; i < 6; ++i) {
        std::string& name = templates.Templates[i];
        k.Str("Template" + std::to_string(i), name, i < 4 ? "Normal.rtf" : "Plain.rtf");
        if (!saving && SameText(name, "Plain.rtf") && !TemplatesFolder().empty() &&
            !FileExists(TemplatesFolder() + "Plain.rtf"))
            name = "Brouillon.rtf";
    }
    for (int i = 0; i < 6; ++i) {
        k.Section(FileListSections[i]);
        if (saving)
            Owners.FileLists[i].Save(store);
        else
            Owners.FileLists[i].Load(store);
    }

    // --- Internal\FindReplace ---
    k.Section("Internal\\FindReplace");
    for (auto [count, prefix, list] : {std::tuple{"StringsToFind", "Find_", &Owners.FindHistory},
                                       std::tuple{"StringsToReplace", "Replace_", &Owners.ReplaceHistory}}) {
        int32_t n = static_cast<int32_t>(std::min<size_t>(list->size(), 20));
        k.Int(count, n, 0, 20, 0);
        if (!saving)
            list->assign(static_cast<size_t>(n), std::string());
        for (int32_t i = 0; i < n; ++i)
            k.Str(prefix + std::string(1, char('A' + i)), (*list)[static_cast<size_t>(i)], "");
    }
    k.Byte("FindTextFlags", Owners.FindTextFlags, 0, 255, 0);

    // --- NewDocParams ---
    k.Section("NewDocParams");
    k.Bool("SpecSymbols", o.NewDocParams.SpecSymbols, false);
    k.Bool("Maximize", o.NewDocParams.Maximize, true);

    // --- Preview ---
    k.Section("Preview");
    k.Bool("SpecSymbols", o.Preview.SpecSymbols, false);
    k.Int("ZoomFactor", o.Preview.ZoomFactor, 10, 500, 100);
    k.Byte("ZoomKind", o.Preview.ZoomKind, 0, 4, 4);
    if (saving)
        SaveViewSettings(store, PreviewView, true);
    else
        LoadViewSettings(store, PreviewView, true);
    k.LongString("FontHistory", Owners.FontHistory, "Arial||Times New Roman||Verdana");

    // --- General ---
    TGeneralOptions& g = o.General;
    k.Section("General");
    k.Bool("NewDocAtStartUp", g.NewDocAtStartUp, true);
    k.Bool("AlwaysShowTemplWnd", g.AlwaysShowTemplWnd, false);
    k.Bool("NewDocsContNum", g.NewDocsContNum, true);
    if (saving || g.NewDocsContNum) {
        k.Int("NewDoc_Index", o.NewDocParams.NewDoc_Index, 1, 99, 1);
    } else {
        o.NewDocParams.NewDoc_Index = 1;
        in.SavePict_Index = 1;
        in.SavePict_Web_Index = 1;
    }
    k.Bool("FullPaths", g.FullPaths, true);
    k.Bool("OfferDocProp", g.OfferDocProp, false);
    k.Int("DocsToKeep", g.DocsToKeep, 0, 30, 10);
    k.Byte("Measurements", g.Measurements, 0, 4, sys.MetricSystem ? 0 : 1);
    k.Bool("FavFonts", g.FavFonts, false);
    k.Bool("UpdFlds", g.UpdFlds, true);
    k.Str("UsrName", g.UsrName, sys.UserName);
    if (saving)
        store.WriteBool("ShowSplash", g.ShowSplash);

    // --- View ---
    TViewOptions& v = o.View;
    k.Section("View");
    k.Byte("PicDrawing", v.PicDrawing, 0, 1, 0);
    k.Byte("SpecSymbTypes", v.SpecSymbTypes, 0, 255, 31);
    k.Byte("FldShading", v.FldShading, 0, 2, 2);
    k.Byte("DocBtnBarAlign", v.DocBtnBarAlign, 1, 4, 2);
    k.Bool("FlatDocBtnBar", v.FlatDocBtnBar, true);
    if (saving) {
        SaveViewSettings(store, DocumentView, false);
    } else {
        LoadViewSettings(store, DocumentView, false);
        SetMenuState(DocumentView);
    }

    // --- Edit ---
    TEditOptions& e = o.Edit;
    k.Section("Edit");
    k.Bool("ReplaceSel", e.ReplaceSel, true);
    k.Bool("Drag&Drop", e.DragDrop, true);
    k.Bool("GroupUndo", e.GroupUndo, true);
    k.Bool("UndoAfterSave", e.UndoAfterSave, true);
    k.Bool("FindWordAtCursor", e.FindWordAtCursor, true);
    k.Bool("SelWholeWords", e.SelWholeWords, true);
    k.Bool("StepLikeColumns", e.StepLikeColumns, false);
    k.Bool("WiseCut&Paste", e.WiseCutPaste, true);
    k.Bool("DiscrVerScroll", e.DiscrVerScroll, false);
    k.Bool("FmtWithoutSel", e.FmtWithoutSel, true);
    k.Bool("TreatURLsAsWords", e.TreatURLsAsWords, true);
    k.Bool("Click&Type", e.ClickType, true);
    k.Int("HLink_ULine", e.HLink_ULine, Full, FullMax, 1);
    k.Int("HLink_Color", e.HLink_Color, 0, 16, 2);

    // --- LoadSave ---
    TLoadSaveOptions& ls = o.LoadSave;
    k.Section("LoadSave");
    k.Bool("SuperCmpctSave", ls.SuperCmpctSave, true);
    k.Bool("GetFileNameFromDoc", ls.GetFileNameFromDoc, true);
    k.Bool("SaveCaretPos", ls.SaveCaretPos, false);
    k.Bool("CreateBackup", ls.CreateBackup, false);
    k.Str("BackupFolder", BackupFolder, "");
    if (!saving) {
        DefaultFolder(BackupFolder, "Sauvegardes");
        if (!DataFolder().empty() && !DirectoryExists(BackupFolder))
            ForceDirectories(BackupFolder);
    }
    k.Int("Backup_MaxFiles", ls.Backup_MaxFiles, 0, 9, 5);
    k.Bool("Backup_SepFolders", ls.Backup_SepFolders, true);
    k.Int("Backup_MinDiff", ls.Backup_MinDiff, 0, 16, 2);
    k.Int("Backup_MaxAmount", ls.Backup_MaxAmount, 1, FullMax, 10);
    k.Bool("ReloadDocs", ls.ReloadDocs, true);
    k.Str("DocsToReload", Owners.DocsToReload, "");
    k.Str("ReloadDoc_ToActivate", Owners.ReloadDocToActivate, "");
    k.Int("AutoSave", ls.AutoSave, 0, 120, 3);
    k.Bool("UseDocFolder", ls.UseDocFolder, true);
    k.Str("DocFolder", ls.DocFolder, sys.MyDocuments.empty() ? in.InitDir : sys.MyDocuments);
    if (!saving)
        ls.DocFolder = WithTrailingBackslash(ls.DocFolder.empty() ? in.InitDir : ls.DocFolder);
    if (!saving)
        ls.CipherStrength = store.ReadBool("CipherStrength", false);
    k.Byte("ReuseEncPass", ls.ReuseEncPass, 0, 3, 0);
    k.Bool("OpenHLinksInPlace", ls.OpenHLinksInPlace, false);

    // --- Print ---
    TPrintOptions& p = o.Print;
    k.Section("Print");
    k.Bool("Collate", p.Collate, true);
    k.Bool("TwoSided", p.TwoSided, false);
    k.Str("PrnDuplexInfoEx", p.PrnDuplexInfoEx, "");
    k.Int("BookletSize", p.BookletSize, 4, FullMax, NoBookletSize);
    if (!saving && p.BookletSize != NoBookletSize) {
        // At most 64 pages a booklet, and never fewer than 4; a size with the 4 bit loses it unless
        // that would leave nothing.
        p.BookletSize = std::min(p.BookletSize, 64);
        if ((p.BookletSize & 4) && p.BookletSize > 4)
            p.BookletSize &= ~4;
    }
    k.Bool("CutGrid", p.CutGrid, true);
    store.Root = std::string(SettingsRoot) + "Print\\";
    k.Binary("DEVMODE", p.DevMode);
    k.Binary("DEVNAMES", p.DevNames);
    store.Root = SettingsRoot;

    // --- HotCalculator ---
    TCalculatorOptions& c = o.Calculator;
    k.Section("HotCalculator");
    k.Bool("Autodetect", c.Autodetect, true);
    k.Bool("Beep", c.Beep, true);
    k.Int("DigitsBeforePoint", c.DigitsBeforePoint, 1, 18, 10);
    k.Int("DigitsAfterPoint", c.DigitsAfterPoint, 1, 18, 6);
    k.Byte("ResHandling", c.ResHandling, 0, 2, 2);
    k.Int("SelectedFunc", c.SelectedFunc, 0, 97, 0);

    // --- PageNum ---
    k.Section("PageNum");
    k.Byte("PageNumPos", o.PageNum.PageNumPos, 0, 1, 1);
    k.Byte("PageNumAlign", o.PageNum.PageNumAlign, 0, 4, 2);
    k.Bool("1stPage", o.PageNum.FirstPage, true);

    // --- ColorScheme ---
    k.Section("ColorScheme");
    std::string colors = ColorScheme.SaveToString();
    k.Str("Colors", colors, "");
    if (!saving)
        ColorScheme.LoadFromString(colors);
    k.Bool("SmrtClrs", o.View.SmartColors, true);
    k.Section("ColorScheme\\UsrSchemes");
    if (saving) {
        store.WriteInteger("Count", static_cast<int32_t>(UserSchemes.size()));
        for (size_t i = 0; i < UserSchemes.size(); ++i) {
            store.WriteString("Name" + std::to_string(i), UserSchemes[i].Name);
            store.WriteString("Data" + std::to_string(i), UserSchemes[i].Scheme.SaveToString());
        }
    } else {
        UserSchemes.clear();
        const int32_t count = store.ReadInteger("Count", 0, FullMax, 0);
        for (int32_t i = count - 1; i >= 0; --i) {
            TNamedColorScheme scheme;
            scheme.Name = store.ReadString("Name" + std::to_string(i), "");
            if (scheme.Name.empty())
                continue;
            scheme.Scheme.LoadFromString(store.ReadString("Data" + std::to_string(i), ""));
            UserSchemes.push_back(scheme);
        }
        // Read from the last to the first: put back in stored order.
        std::reverse(UserSchemes.begin(), UserSchemes.end());
    }

    // --- SpellCheck ---
    k.Section("SpellCheck");
    int32_t flags = o.SpellCheck.Flags;
    k.Int("Flags", flags, 0, 65535, 0x0D34);
    o.SpellCheck.Flags = static_cast<uint16_t>(flags & ~0x40);
    k.Byte("SuggestQuality", o.SpellCheck.SuggestQuality, 0, 2, 1);
    k.Str("Systems", Owners.SpellCheckSystems, "");

    // --- Autocorrect ---
    TAutocorrectOptions& a = o.Autocorrect;
    k.Section("Autocorrect");
    k.Bool("AsYouType", a.AsYouType, true);
    k.Bool("IniCaps", a.IniCaps, true);
    k.Bool("CapSent", a.CapSent, true);
    k.Bool("CapsLock", a.CapsLock, true);
    k.Bool("RmvSpcs", a.RmvSpcs, true);
    k.Bool("ReplTxt", a.ReplTxt, true);
    k.Bool("SuperscriptOrdinals", a.SuperscriptOrdinals, true);
    k.Bool("ScriptFract", a.ScriptFract, true);
    k.Bool("FmtURL", a.FmtURL, true);
    if (saving)
        a.FileExts = JoinBars(FileExtensions);
    k.Str("FileExts", a.FileExts, TAutocorrectOptions().FileExts);
    if (!saving) {
        FileExtensions = SplitBars(a.FileExts);
        std::sort(FileExtensions.begin(), FileExtensions.end());
    }
    k.Bool("SplChkrAdds", a.SplChkrAdds, false);

    // --- SaveAsWeb ---
    TSaveAsWebOptions& w = o.SaveAsWeb;
    k.Section("SaveAsWeb");
    k.Str("KWrds", w.KWrds, "");
    k.Str("Author", w.Author, sys.UserName);
    k.Bool("SepFldr", w.SepFldr, true);
    k.Int("BkClr", w.BkClr, Full, FullMax, INT32_MIN);
    k.Str("BkImg", w.BkImg, "");
    k.Bool("RestartImgNum", w.RestartImgNum, false);
    k.Byte("DefImgFmt", w.DefImgFmt, 0, 3, 1);

    // --- ClipLib ---
    TClipLibraryOptions& cl = o.ClipLib;
    k.Section("ClipLib");
    k.Str("Folder", cl.Folder, "");
    if (!saving)
        DefaultFolder(cl.Folder, "Collections d'inserts");
    k.Bool("Visible", cl.Visible, false);
    k.Bool("Thumbnails", cl.Thumbnails, true);
    k.Str("RecentClip", cl.RecentClip, "");
    k.Bool("Preview", cl.Preview, true);
    k.Str("AddTextClip_RecentFolder", cl.AddTextClip_RecentFolder, "");
    k.Str("AddGraphicClip_RecentFolder", cl.AddGraphicClip_RecentFolder, "Images");
    k.Bool("ReplaceAsYouType", cl.ReplaceAsYouType, false);
    k.Bool("ShowClipLibPanel", cl.ShowClipLibPanel, true);

    // --- LangHistory: read at start-up by the program, which knows the spell checkers' languages ---
    if (saving && LanguageManagerExists())
        LanguageManager().SaveHistory(store);
}

void TOptionsHolder::Apply()
{
    GetColorManager()->UpdateSchemeColors(ColorScheme);
    // Every list keeps "DocsToKeep" entries from now on (TFileList::Add reads it); the recent documents are
    // cut at once.
    Owners.FileLists[0].TrimTo(Options.General.DocsToKeep);
    if (OnApply)
        OnApply();
}

void TOptionsHolder::FixInstallKeys()
{
    TInternalOptions& in = Options.Internal;
    // A misspelt replacement of the French list that older versions shipped.
    if (in.LastRunVer < 10501000 && OnFixReplacementEntry)
        OnFixReplacementEntry(12, "acceuillaient\tpaccueillaient", "acceuillaient\taccueillaient");
    if (in.LastRunVer < 10102010) {
        Owners.OpenPictDlgFilter = 14;
        in.DefTimeFmt_Fr = 37;
    }
    if (in.LastRunVer < 10102012)
        FixRegistryFileAssoc(SettingsRoot);
    if (!IsProgramOnRemovableDrive())
        FixRegistryIcons(SettingsRoot, in.RunCount, in.LastRunVer);
}

void TOptionsHolder::SaveToIni(const std::string& fileName)
{
    Flags |= 1;
    struct TClearFlag {
        uint8_t& Flags;
        ~TClearFlag() { Flags &= static_cast<uint8_t>(~1); }
    } clear{Flags};
    TIniFile ini(fileName, true);
    WriteAll(ini);
    ini.UpdateFile();
}
