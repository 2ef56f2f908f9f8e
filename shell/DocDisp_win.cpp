// The document dispatcher: the list of open documents, their windows and the picture cache.
#include "shell/DocDisp.h"
#include "tools/PiggyBank.h"

#include "dialogs/EncPswd.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <tuple>

#include "classlib/runtime/AnsiStrings.h"
#include "classlib/runtime/FileStream.h"
#include "classlib/runtime/Files.h"
#include "classlib/runtime/Format.h"
#include "core/Colors.h"
#include "core/CmdLine.h"
#include "core/Events.h"
#include "core/Messages.h"
#include "core/OptionsHolder.h"
#include "core/PathUtils.h"
#include "core/ShellUtils.h"
#include "core/Sounds.h"
#include "core/TextUtils.h"
#include "core/Codings.h"
#include "core/Memory.h"
#include "core/Options.h"
#include "classlib/runtime/DateTime.h"
#include "formats/DocumentFiles.h"
#include "formats/InsertFile.h"
#include "formats/save/Backups.h"
#include "formats/save/SaveCommands.h"
#include "formats/load/DocumentLoad.h"
#include "formats/save/DocumentSave.h"
#include "shell/CommandManager.h"
#include "shell/ClipboardCommands.h"
#include "shell/DocBar.h"
#include "shell/FileDialogs.h"
#include "shell/HotKeys.h"
#include "shell/MainForm.h"
#include "editing/Builders.h"
#include "window/DropTarget.h"
#include "dialogs/DocProperties.h"
#include "core/DataFolder.h"
#include "core/SystemUtils.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "document/Paragraph.h"
#include "window/DocForm.h"
#include "tools/SpellCheck.h"

namespace {

// The whole of a template file as Rich Text, so that a new document shares nothing with the file; false
// when the template cannot be read.
// The program's own copy of a default template ("Normal.rtf" and "Brouillon.rtf" of the templates
// folder); empty for any other file.
std::string DefaultTemplateText(const std::string& templateFile)
{
    if (::TemplatesFolder().empty())
        return {}; // no data folder, no templates
    const std::string folder = IncludeTrailingPathDelimiter(::TemplatesFolder());
    const char* resource = nullptr;
    if (SameText(templateFile, folder + "Normal.rtf"))
        resource = "NORMAL";
    else if (SameText(templateFile, folder + "Brouillon.rtf"))
        resource = "PLAIN";
    HRSRC found = resource ? FindResourceA(nullptr, resource, "DOCTEMPLATE") : nullptr;
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    if (!loaded)
        return {};
    return std::string(static_cast<const char*>(LockResource(loaded)), SizeofResource(nullptr, found));
}

bool ReadTemplate(const std::string& templateFile, TMemory& text)
{
    if (templateFile.empty())
        return false;
    if (!FileExists(templateFile)) {
        // A default template that is missing reads from the program's copy.
        const std::string own = DefaultTemplateText(templateFile);
        text.Assign(own.data(), int32_t(own.size()));
        return !own.empty();
    }
    TDocument source(true);
    TDocOpeningOptions load;
    load.FileName = templateFile;
    load.Quiet = true;
    load.OpenMode = omReadOnly;
    if (!OpenDocumentFile(source, load))
        return false;
    TDocSavingOptions save;
    save.ToMemory = 1;
    save.Range = source.GetBodyRange();
    save.Coding = cdRtf;
    save.MemoryBlock = &text;
    save.Flags = sfKeepState;
    return SaveDocumentFile(source, save) == kSaveWritten;
}

// Fills a new document (its window made, nothing read yet) with a template's text; false when it fails.
bool FillFromTemplate(TDocument& document, const TMemory& text)
{
    TDocOpeningOptions copy;
    copy.SourceKind = 1;
    copy.Coding = cdRtf;
    copy.MemoryBlock = text.Data();
    copy.MemorySize = text.Size();
    copy.Quiet = true;
    if (!OpenDocumentFile(document, copy))
        return false;
    // A new document: by this user, of today, without a file of its own.
    document.Info.Author = CurrentOptions().General.UsrName;
    document.Info.LastAuthor = document.Info.Author;
    document.Info.CreationDate = Now();
    document.Info.LastSaveDate = document.Info.CreationDate;
    document.SetModeFlag(mfNoOwnFile, true);
    document.SetModified(false);
    return true;
}

// The optional question asked when a document already open is opened again; true to reload it.
bool AskRevertToOriginal(const std::string& fileName)
{
    HDC screen = GetDC(nullptr);
    HGDIOBJ font = SelectObject(screen, GetStockObject(DEFAULT_GUI_FONT));
    const std::string shown = ShortenPath(
        [screen](const std::string& text) {
            SIZE extent{};
            GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &extent);
            return static_cast<int>(extent.cx);
        },
        fileName, ScaleToScreen(350));
    SelectObject(screen, font);
    ReleaseDC(nullptr, screen);
    return MessageDlgWithOption(Format("Voulez-vous revenir à la copie originale de \"%s\" ?", shown),
                                mtConfirmation, mbYesNo, 3) == mrYes;
}

TDocDispatcher* Dispatcher = nullptr;

std::string ExpandFileName(const std::string& name)
{
    char full[MAX_PATH * 2] = "";
    char* file = nullptr;
    const DWORD n = GetFullPathNameA(name.c_str(), sizeof(full), full, &file);
    return n > 0 && n < sizeof(full) ? std::string(full, n) : name;
}

// The characters of the main text (each paragraph's end mark excluded).
int64_t MainTextCharacters(const TDocument& document)
{
    int64_t count = 0;
    for (int32_t i = 0; i < document.StoryLengths[0] && i < document.ParagraphCount(); ++i)
        count += std::max<int32_t>(document.Paragraphs[size_t(i)]->PlainText.Size() - 1, 0);
    return count;
}

} // namespace

TDocDispatcher* GetDocDispatcher()
{
    return Dispatcher;
}

TDocDispatcher::TDocDispatcher()
{
    LivePictureLimit = 16;
    if (!(GetVersion() & 0x80000000))
        LivePictureLimit *= 3;
    const uint64_t memory = TotalPhysicalMemory();
    if (memory)
        LivePictureBytesLimit = int64_t(memory / 2);
    Dispatcher = this;
    SetDocumentHost(this);
    SpellCheckManager()->OnRecheckDocuments = [this] { RecheckDocuments(); };
    // Files dropped on a document window: opened, or with Ctrl inserted into that document (pictures).
    DropFilesHook = [this](TDocument* target, const std::vector<std::string>& files, int mode) {
        if (mode != 2) {
            DropFiles(files, false);
            return;
        }
        for (const std::string& name : files)
            InsertFileInto(target, name);
    };
    // New colours repaint whatever documents are open then.
    GetColorManager()->OnColorsChanged = [](TColorManager&) {
        if (TDocDispatcher* dispatcher = GetDocDispatcher())
            dispatcher->RelayoutAllDocuments();
    };
}

TDocDispatcher::~TDocDispatcher()
{
    while (!Documents.empty())
        CloseDocument(Documents.back().get(), false);
    DropFilesHook = nullptr;
    SpellCheckManager()->OnRecheckDocuments = nullptr;
    SetDocumentHost(nullptr);
    Dispatcher = nullptr;
}

void TDocDispatcher::RecheckDocuments()
{
    const bool background = (CurrentOptions().SpellCheck.Flags & scoCheckAsYouType) != 0;
    for (auto it = Documents.rbegin(); it != Documents.rend(); ++it) {
        TDocument& document = **it;
        document.SpellState = background ? 5 : 0;
        if (document.Window)
            document.Window->InvalidateView();
    }
    if (MainForm)
        MainForm->InvalidateCommands();
}

TDocument* TDocDispatcher::AddDocument(std::unique_ptr<TDocument> document)
{
    Documents.push_back(std::move(document));
    return Documents.back().get();
}

void TDocDispatcher::CloseDocument(TDocument* document, bool fromWindow)
{
    for (auto it = Documents.begin(); it != Documents.end(); ++it)
        if (it->get() == document) {
            std::unique_ptr<TDocument> closing = std::move(*it);
            Documents.erase(it);
            if (MainForm) {
                const int button = MainForm->DocButtonBar->IndexOfDocument(document);
                if (button >= 0)
                    MainForm->DocButtonBar->RemoveButton(button);
                MainForm->Flags |= mffDocumentsChanged;
                if (!(MainForm->Flags & mffKeepStatus))
                    MainForm->ClearTimedStatus();
            }
            // Closed normally: its recovery copy is no longer needed.
            auto state = States.find(document);
            if (state != States.end()) {
                state->second.RecoveryStream.reset();
                if (!state->second.RecoveryFile.empty())
                    DeleteFileA(state->second.RecoveryFile.c_str());
                States.erase(state);
            }
            if (!fromWindow)
                closing->SetModeFlag(mfFreeWindowAtOnce, true);
            SpellCheckManager()->ForgetCaretWord(document);
            closing.reset();
            InvalidateCommands();
            if (Documents.empty() && MainForm)
                MainForm->UpdateInterface();
            return;
        }
}

bool TDocDispatcher::CanOpenAnother()
{
    if (DocumentCount() < MaxDocuments)
        return true;
    ShowWarning("Trop de documents sont déjà ouverts. Impossible d'en ouvrir un de plus.");
    return false;
}

bool TDocDispatcher::IsRestored(const TDocument* document) const
{
    auto it = States.find(document);
    return it != States.end() && it->second.Restored;
}

bool TDocDispatcher::IsNewDocument(const TDocument* document) const
{
    auto it = States.find(document);
    return it != States.end() && it->second.New;
}

void TDocDispatcher::ShowNewDocument(TDocument* document)
{
    if (!document->Window)
        return;
    const bool maximize = CurrentOptions().NewDocParams.Maximize;
    document->Window->Show();
    if (maximize)
        ShowWindow(document->Window->Handle(), SW_MAXIMIZE);
    if (MainForm && MainForm->ClientHandle())
        SendMessageA(MainForm->ClientHandle(), WM_MDIACTIVATE,
                     reinterpret_cast<WPARAM>(document->Window->Handle()), 0);
    document->ScrollToFirstText();
}

bool TDocDispatcher::OpenDocument(const std::string& name, int32_t coding, uint32_t flags)
{
    const std::string fileName = ExpandFileName(name);
    if (TDocument* open = FindDocument(fileName)) {
        if (open->Window)
            ShowNewDocument(open);
        if ((State & dsOpeningStartup) || !AskRevertToOriginal(fileName)) {
            if (!(flags & odNoHistory)) {
                if (TOptionsHolder* holder = GetOptionsHolder()) {
                    holder->Owners.FileLists[0].Add(fileName);
                    holder->Owners.FileLists[1].Add(ExtractFilePath(fileName));
                }
                SHAddToRecentDocs(SHARD_PATHA, fileName.c_str());
            }
            if (MainForm)
                MainForm->UpdateWindowCaptions();
            return false;
        }
        // The open copy gives way to the file as it is on disk; the status text stays meanwhile.
        if (MainForm)
            MainForm->Flags |= mffKeepStatus;
        try {
            CloseDocument(open, false);
        } catch (...) {}
        if (MainForm)
            MainForm->Flags &= ~mffKeepStatus;
    }
    if (!(flags & odRecovery) && !CanOpenAnother())
        return false;
    const DWORD started = GetTickCount();
    auto document = std::make_unique<TDocument>(false);
    TDocOpeningOptions options;
    options.FileName = fileName;
    options.Coding = coding;
    if (flags & odReadOnly)
        options.OpenMode |= omReadOnly;
    State |= dsLoading;
    const bool loaded = OpenDocumentFile(*document, options);
    State &= ~dsLoading;
    if (!loaded)
        return false; // the document and its window go; no history is touched
    if (flags & odRecovery) {
        // A recovery copy stands for the document it was made of: that document's name (or a new one),
        // to be saved under it with the dialog; the copy stays its safety copy until it is closed.
        document->FileName = !document->OriginalFileName.empty() ? document->OriginalFileName
                                                                 : document->MakeDefaultFileName();
        document->CloseFileHandle();
        document->SetModeFlag(mfNoOwnFile, true);
        document->SetModified(true);
    } else {
        document->FileName = fileName;
    }
    if (!(flags & (odRecovery | odNoHistory))) {
        if (TOptionsHolder* holder = GetOptionsHolder()) {
            holder->Owners.FileLists[0].Add(fileName);
            holder->Owners.FileLists[1].Add(ExtractFilePath(fileName));
        }
        SHAddToRecentDocs(SHARD_PATHA, fileName.c_str());
    }
    TDocument* opened = AddDocument(std::move(document));
    TDocumentState& state = States[opened];
    state.Restored = (flags & odRecovery) != 0;
    if (state.Restored) {
        state.RecoveryFile = fileName;
        state.SafetyEditCount = opened->EditCount;
        try {
            state.RecoveryStream = std::make_unique<TFileStream>(fileName, fmOpenRead | fmShareDenyWrite);
        } catch (const Exception&) {}
    }
    if (MainForm) {
        MainForm->UpdateWindowCaptions();
        MainForm->DocButtonBar->AddDocument(opened, opened->FileName, opened->GetModeFlag(mfPiggyBank));
    }
    ShowNewDocument(opened);
    // The untouched new document of the start gives way to the first document opened.
    if (OpenedCount == 1 && CurrentOptions().General.NewDocAtStartUp && Documents.size() > 1 &&
        IsNewDocument(Documents.front().get()) && !Documents.front()->IsModified()) {
        try {
            CloseDocument(Documents.front().get(), false);
        } catch (...) {}
    }
    ++OpenedCount;
    const DWORD elapsed = GetTickCount() - started;
    if (MainForm) {
        MainForm->SetTimedStatus(Format(
            "\"%s\" : %s caractère(s). Temps écoulé : %d sec. %d msec.", ExtractFileName(fileName),
            FormatNumberSpaced(MainTextCharacters(*opened)), int(elapsed / 1000), int(elapsed % 1000)));
        MainForm->Flags |= mffDocumentsChanged;
    }
    TriggerEvent(2020);
    return true;
}

bool TDocDispatcher::OpenFile(const std::string& fileName)
{
    if (!CanOpenAnother())
        return false;
    if (TCodingManager::GetPictureFormat(fileName) != kNoPictureFormat)
        return OpenPicture(fileName);
    return OpenDocument(fileName, 7, (State & dsReloading) ? odOpen | odNoHistory : odOpen);
}

bool TDocDispatcher::OpenPicture(const std::string& name)
{
    const std::string fileName = ExpandFileName(name);
    if (!FileExists(fileName)) {
        ShowError(Format("Impossible d'ouvrir le fichier \"%s\".", fileName));
        return false;
    }
    TDocument* document = NewDefaultDocument();
    if (!document)
        return false;
    // The picture stands centred on its page, the caret before it. The commands act on the new document
    // even while its window is not the active one yet.
    TCommandManager& commands = CommandManager();
    TDocument* const previous = commands.DocumentOverride;
    commands.DocumentOverride = document;
    struct TRestore {
        TCommandManager& Commands;
        TDocument* Previous;
        ~TRestore() { Commands.DocumentOverride = Previous; }
    } restore{commands, previous};
    commands.ExecuteCommand(9081);
    const size_t objects = document->ObjectManager->Objects.size();
    InsertPictureFromFile(*document, fileName, PictureFormatCount);
    document->PlaceCaret(TTextPos{0, 0, 0, 0, 0, 0}, 0);
    commands.ExecuteCommand(4220);
    // The document takes the picture's folder and name, unless an open document has that name already.
    const std::string ownName =
        ChangeFileExt(fileName, "." + std::string(TCodingManager::GetCodingExtension(document->Coding)));
    if (!IsOpen(ownName))
        document->FileName = ownName;
    if (MainForm) {
        MainForm->UpdateWindowCaptions();
        MainForm->Flags |= mffRebuildDocBar;
    }
    return document->ObjectManager->Objects.size() > objects;
}

TDocument* TDocDispatcher::NewDocument()
{
    if (!CanOpenAnother())
        return nullptr;
    const TDefaultDocTemplates& defaults = CurrentOptions().General.DefaultTemplates;
    std::array<std::string, 6> templates;
    std::copy(std::begin(defaults.Templates), std::end(defaults.Templates), templates.begin());
    // Template names are relative to the templates folder unless they name a whole path.
    std::string templateFile = TCodingManager::GetTemplateForCoding(defaults.DefDocFmt, templates);
    if (!templateFile.empty() && templateFile.find(':') == std::string::npos && templateFile[0] != '\\')
        templateFile = IncludeTrailingPathDelimiter(TemplatesFolder()) + templateFile;
    TMemory text;
    const bool fromTemplate = ReadTemplate(templateFile, text);
    auto document = std::make_unique<TDocument>(false);
    if (!fromTemplate || !FillFromTemplate(*document, text)) {
        if (fromTemplate)
            document = std::make_unique<TDocument>(false); // a failed read may have left part of its text
        document->ResetAsNew();
    }
    if (TCodingManager::CanSaveCoding(defaults.DefDocFmt))
        document->Coding = defaults.DefDocFmt;
    document->FileName = document->MakeDefaultFileName();
    document->SummaryAsked = true;
    TDocument* created = AddDocument(std::move(document));
    States[created].New = true;
    if (MainForm) {
        MainForm->UpdateWindowCaptions();
        MainForm->DocButtonBar->AddDocument(created, created->FileName, created->GetModeFlag(mfPiggyBank));
        MainForm->Flags |= mffDocumentsChanged;
    }
    ShowNewDocument(created);
    ++OpenedCount;
    TriggerEvent(2000);
    return created;
}

TDocument* TDocDispatcher::NewDefaultDocument()
{
    TSoundsSuspended quiet;
    NewDocument();
    return Documents.empty() ? nullptr : Documents.back().get();
}

void TDocDispatcher::WriteDefaultTemplates()
{
    const std::string folder = IncludeTrailingPathDelimiter(::TemplatesFolder());
    if (!ForceDirectories(folder))
        return;
    for (const char* name : {"Normal.rtf", "Brouillon.rtf"}) {
        const std::string file = folder + name;
        if (FileExists(file))
            continue;
        const std::string text = DefaultTemplateText(file);
        // A folder that cannot be written leaves the program's copies in use.
        if (FILE* out = text.empty() ? nullptr : fopen(file.c_str(), "wb")) {
            const bool written = fwrite(text.data(), 1, text.size(), out) == text.size();
            if (fclose(out) != 0 || !written)
                DeleteFileA(file.c_str());
        }
    }
}

bool TDocDispatcher::FindRecoveryFiles()
{
    Recovery.clear();
    const std::string folder = GetTempFolder();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*.qad").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const std::string path = folder + found.cFileName;
        // A copy that another running copy holds open is that copy's own.
        HANDLE probe = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
        if (probe == INVALID_HANDLE_VALUE)
            continue;
        const DWORD size = GetFileSize(probe, nullptr);
        CloseHandle(probe);
        if (size == 0)
            DeleteFileA(path.c_str());
        else
            Recovery.push_back(path);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return !Recovery.empty();
}

void TDocDispatcher::OpenStartupDocuments()
{
    State |= dsOpeningStartup;
    if (!CmdLineSwitchPresent(swDontSaveSettings) && !::TemplatesFolder().empty())
        WriteDefaultTemplates();
    if (!Recovery.empty()) {
        TriggerEvent(2070);
        int answer;
        {
            TSoundsSuspended quiet;
            // Never answered once and for all: deleting the copies is asked each time.
            answer =
                MessageDlgEx(Format("Quillpad a trouvé des copies de secours de documents (%d). Voulez-vous "
                                    "récupérer ces documents ?",
                                    int(Recovery.size())),
                             mtConfirmation, mbYesNo);
        }
        if (answer == mrYes) {
            bool any = false;
            for (const std::string& file : Recovery) {
                if (OpenDocument(file, 7, odRecovery)) {
                    any = true;
                    if (MainForm)
                        MainForm->UpdateWindowCaptions();
                }
            }
            if (any)
                TriggerEvent(2075);
        } else if (answer == mrNo) {
            for (const std::string& file : Recovery)
                DeleteFileA(file.c_str());
        }
        // Any other answer (the message could not be shown) keeps the copies for the next start.
        Recovery.clear();
    }
    TOptionsHolder* holder = GetOptionsHolder();
    if (StartupMode < 2 && holder && CurrentOptions().LoadSave.ReloadDocs) {
        State |= dsReloading;
        std::string list = holder->Owners.DocsToReload;
        size_t pos = 0;
        while (pos < list.size()) {
            size_t end = list.find(';', pos);
            if (end == std::string::npos)
                end = list.size();
            const std::string path = list.substr(pos, end - pos);
            if (!path.empty() && FileExists(path))
                OpenFile(ExpandFileName(path));
            pos = end + 1;
        }
        State &= ~dsReloading;
        if (TDocument* activate = FindDocument(holder->Owners.ReloadDocToActivate))
            ShowNewDocument(activate);
    }
    if (StartupMode == 1 || StartupMode == 2) {
        for (const std::string& name : StartupDocuments) {
            std::string path = name;
            if (SameText(std::string(FileExtensionOf(path)), "lnk"))
                path = GetShortcutTarget(path);
            if (!OpenFile(ExpandFileName(path)))
                break;
        }
    }
    if (StartupMode == 2) {
        // Each document is brought to the front, so that the print command takes it.
        for (int i = 0; i < DocumentCount(); ++i)
            if (MainForm && Document(i)->Window) {
                ShowNewDocument(Document(i));
                CommandManager().ExecuteCommand(280);
            }
        PostQuitMessage(0);
    }
    if (Documents.empty() && StartupMode < 2 && CurrentOptions().General.NewDocAtStartUp &&
        !CmdLineSwitchPresent(swDontCreateNewDoc))
        NewDefaultDocument();
    State &= ~dsOpeningStartup;
}

void TDocDispatcher::ApplyDocumentViewSettings(TDocument* document)
{
    TOptionsHolder* holder = GetOptionsHolder();
    if (!holder || !document)
        return;
    const TViewOptions& view = CurrentOptions().View;
    const auto shown = [&view] {
        return std::make_tuple(view.MarginBorders, view.Ruler, view.VerRuler, view.Bookmarks, view.ScrollBars,
                               view.DocBtnBar, view.StatusBar);
    };
    const auto before = shown();
    holder->SetMenuState(document->PreviewMode ? holder->PreviewView : holder->DocumentView);
    if (shown() == before)
        return;
    for (const auto& open : Documents)
        if (open->Window && open->Window->HandleAllocated()) {
            open->Window->RelayoutWindow();
            open->Window->Invalidate();
        }
    if (MainForm)
        MainForm->RealignChildren();
}

void TDocDispatcher::AutosaveAll()
{
    for (const auto& document : Documents) {
        TDocumentState& state = States[document.get()];
        const bool first = state.RecoveryFile.empty();
        // Nothing new since the last safety copy, or nothing changed at all.
        if ((!first && state.SafetyEditCount == document->EditCount) || (first && !document->IsModified()))
            continue;
        if (first)
            state.RecoveryFile = GetTempFileNameOfKind(tfQad);
        state.RecoveryStream.reset();
        if (WriteSafetyCopy(*document, state.RecoveryFile) != 0) {
            if (first) {
                DeleteFileA(state.RecoveryFile.c_str());
                state.RecoveryFile.clear();
            }
            continue;
        }
        state.SafetyEditCount = document->EditCount;
        TriggerEvent(2065);
        if (CurrentBackupSettings().Create)
            BackUpDocument(*document);
        try {
            state.RecoveryStream =
                std::make_unique<TFileStream>(state.RecoveryFile, fmOpenRead | fmShareDenyWrite);
        } catch (const Exception&) {}
    }
}

void TDocDispatcher::BackUpDocument(TDocument& document)
{
    // The file on disk, then the text as it stands now.
    if (!document.GetModeFlag(mfNoOwnFile) && !document.OpenedFromCopy && !document.OpenedReadOnly)
        MakeBackupCopy(document.FileName, document.FileName);
    BackUpCurrentText(document, CurrentBackupSettings());
}

void TDocDispatcher::InsertFileInto(TDocument* document, const std::string& fileName)
{
    if (!document)
        return;
    if (PictureFormatOfFile(fileName) != 255)
        InsertPictureFromFile(*document, fileName, 14);
    else
        ::InsertFile(*document, fileName);
}

void TDocDispatcher::DropFiles(const std::vector<std::string>& files, bool insert)
{
    if (insert) {
        if (Documents.empty())
            NewDocument();
        TDocument* target = CommandManager().GetDocument();
        for (const std::string& name : files)
            InsertFileInto(target, name);
        return;
    }
    for (const std::string& name : files) {
        std::string path = name;
        if (SameText(std::string(FileExtensionOf(path)), "lnk"))
            path = GetShortcutTarget(path);
        if (!CanOpenAnother())
            break;
        OpenFile(path);
    }
}

void TDocDispatcher::InvalidateCommands()
{
    if (MainForm)
        MainForm->InvalidateCommands();
}

bool TDocDispatcher::PutTextOnClipboard(const std::string& text)
{
    const bool put = ::PutTextOnClipboard(text);
    InvalidateCommands();
    return put;
}

bool TDocDispatcher::CopyBlockToClipboard(TDocument& document)
{
    return CopyBlockSelection(document);
}

bool TDocDispatcher::OpenLink(const std::string& target)
{
    return OpenInBrowser(target);
}

void TDocDispatcher::CalculationBeep()
{
    // The calculation event plays its own sound when it has one; otherwise the system's beep.
    constexpr int32_t CalculationEvent = 2660;
    TSoundManager* sounds = GetSoundManager();
    const TSoundChoice::TKind kind =
        sounds ? sounds->ChooseSound(CalculationEvent).Kind : TSoundChoice::Silent;
    if (kind == TSoundChoice::WaveFile || kind == TSoundChoice::SchemeSample)
        TriggerEvent(CalculationEvent);
    else
        MessageBeep(0);
}

void TDocDispatcher::AddToRecentFiles(TDocument* document)
{
    if (FindDocument(document->FileName) == document)
        if (TOptionsHolder* holder = GetOptionsHolder())
            holder->Owners.FileLists[0].Add(document->FileName);
}

void TDocDispatcher::ShowProgressText(const std::string& text)
{
    if (!MainForm)
        return;
    MainForm->SetStatusText(text);
    MainForm->SetStatusMode(2);
    UpdateWindow(MainForm->StatusBarHandle());
}

void TDocDispatcher::BeginProgress(int64_t total, const std::string& text, const std::string& path)
{
    if (MainForm)
        MainForm->BeginProgress(static_cast<int>(std::min<int64_t>(total, INT32_MAX)),
                                Format(text, ExtractFileName(path)));
}

void TDocDispatcher::StepProgress(int64_t position)
{
    if (MainForm)
        MainForm->StepProgress(static_cast<int>(std::min<int64_t>(position, INT32_MAX)));
}

void TDocDispatcher::EndProgress(bool filled)
{
    if (MainForm)
        MainForm->EndProgress(filled);
}

void TDocDispatcher::PushStatusText()
{
    if (MainForm)
        MainForm->PushStatusText();
}

void TDocDispatcher::PopStatusText()
{
    if (MainForm)
        MainForm->PopStatusText();
}

std::string TDocDispatcher::OpenDocumentList() const
{
    std::string list;
    for (const auto& document : Documents)
        if (!IsNewDocument(document.get()) && FileExists(document->FileName))
            list += (list.empty() ? "" : ";") + document->FileName;
    return list;
}

TDocument* TDocDispatcher::FindDocument(const std::string& fileName) const
{
    for (auto it = Documents.rbegin(); it != Documents.rend(); ++it)
        if (!fileName.empty() && lstrcmpiA((*it)->FileName.c_str(), fileName.c_str()) == 0)
            return it->get();
    return nullptr;
}

void TDocDispatcher::RelayoutAllDocuments()
{
    for (const auto& document : Documents) {
        TDocumentForm* window = document->Window;
        if (!window || !window->HandleAllocated() || IsIconic(window->Handle()))
            continue;
        // The window's controls and rulers as the options now show them, then every line broken again
        // and the pages rebuilt, the caret kept where it was and in view.
        window->RelayoutWindow();
        document->UpdatePageLayout();
        {
            TModeFlagScope flags(*document);
            flags.Save(mfViewLive);
            document->RelayoutAll();
            if (window->Focused())
                window->RecreateCaret();
        }
        document->MakeCaretVisible(0);
    }
    if (MainForm)
        MainForm->UpdateInterface();
}

void TDocDispatcher::ApplyDocumentColors(TDocument* document)
{
    if (document)
        document->SelectColorScheme();
}

TDocumentForm* TDocDispatcher::CreateDocumentWindow(TDocument* document)
{
    auto* window = new TDocumentForm(nullptr, document);
    // Shortcuts typed in the document go to the hot-key manager.
    window->OnKeyDown = [](TComponent*, WORD& key, uint32_t) {
        if (HandleShortcutKey(key))
            key = 0;
    };
    if (MainForm && MainForm->ClientHandle()) {
        // A document window of the main frame: closing it closes the document.
        window->FormStyle = fsMDIChild;
        window->SetVisible(false);
        window->OnClose = [this, window](TComponent*, TCloseAction& action) {
            action = caNone;
            if (window->Document)
                CloseDocument(window->Document, true);
        };
    }
    window->HandleNeeded();
    return window;
}

void TDocDispatcher::FreeDocumentWindow(TDocumentForm* window, bool atOnce)
{
    window->Document = nullptr;
    if (atOnce)
        delete window;
    else
        window->Release();
}

TDocumentView* TDocDispatcher::ViewOf(TDocumentForm* window)
{
    return window;
}

bool TDocDispatcher::IsWindowBusy(TDocumentForm* window, uint32_t mask)
{
    return window && (window->State & mask) != 0;
}

bool TDocDispatcher::AskPassword(bool forSaving, std::string& password)
{
    return forSaving ? AskPasswordForSaving(password) : AskPasswordForOpening(password);
}

bool TDocDispatcher::AskSaveFileName(TSaveDialogRequest& request)
{
    return RunSaveDialog(request);
}

void TDocDispatcher::DocumentRenamed(TDocument* document)
{
    auto state = States.find(document);
    if (state != States.end()) {
        state->second.Restored = false;
        state->second.New = false;
    }
    SHAddToRecentDocs(SHARD_PATHA, document->FileName.c_str());
    if (!MainForm)
        return;
    MainForm->UpdateWindowCaptions();
    MainForm->DocButtonBar->RenameDocument(document, document->FileName);
    MainForm->Invalidate();
}

bool TDocDispatcher::EditDocumentProperties(TDocumentInfo& info)
{
    return ExecuteDocPropertiesDialog(info);
}

std::string TDocDispatcher::TemplatesFolder()
{
    return ::TemplatesFolder();
}

bool TDocDispatcher::FreeOldestPictureCache(TDocObject* except)
{
    if (!PictureCacheFull())
        return false;
    TDocObject* oldest = nullptr;
    for (const auto& document : Documents)
        if (TDocObject* candidate = document->ObjectManager->LeastRecentlyUsed(except))
            if (!oldest || candidate->Image->UseCount < oldest->Image->UseCount)
                oldest = candidate;
    if (!oldest)
        return false;
    oldest->Image->SetCompressed(true);
    return true;
}

std::string TDocDispatcher::UserDocumentsFolder()
{
    std::string folder = GetSpecialFolderPath(5); // My Documents
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder;
}
