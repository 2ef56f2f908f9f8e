// Save, Save As, Save as template and Save the selection: the dialog, the checks on the chosen name, and
// the document's name, coding and file after a save that succeeded.
#include "formats/save/SaveCommands.h"

#include <functional>
#include <utility>

#include "classlib/runtime/AnsiStrings.h"
#include "classlib/runtime/Files.h"
#include "core/Codings.h"
#include "core/DirUtils.h"
#include "core/Events.h"
#include "core/Options.h"
#include "core/PathUtils.h"
#include "core/TextUtils.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "document/TextAccess.h"
#include "formats/load/FileMessages.h"
#include "formats/save/Backups.h"
#include "formats/save/DocumentSave.h"
#include "formats/save/FormatLosses.h"

using namespace filemsg;

namespace {

bool IsUntitled(const TDocument& document)
{
    return document.GetModeFlag(mfNoOwnFile);
}

// Another open document has that name.
bool OpenElsewhere(const TDocument& document, const std::string& fileName)
{
    return DocumentHost().IsDocumentOpen(fileName) && !SameFileName(fileName, document.FileName);
}

std::string ReadOnlyInformation(const std::string& fileName)
{
    return Quoted("Le document ", fileName, " a été ouvert en lecture seule.");
}

std::string InUseWarning(const std::string& fileName)
{
    return Quoted("Le fichier ", fileName, " est en cours d'utilisation par une autre application.");
}

// The save filter index of a coding, the native format's for a coding that cannot be saved.
int32_t FilterIndexOf(int32_t coding)
{
    return TCodingManager::CodingToSaveFilterIndex(TCodingManager::CanSaveCoding(coding) ? coding : cdRtf);
}

std::string WithCodingExtension(const std::string& name, int32_t coding)
{
    return ChangeFileExt(name, "." + std::string(TCodingManager::GetCodingExtension(coding)));
}

// Writes the whole document under a name in a coding and makes that its name, coding and file; on any
// failure the document keeps what it had.
uint8_t SaveUnder(TDocument& document, const std::string& fileName, int32_t coding, const TAskUser& ask)
{
    const bool untitled = IsUntitled(document);
    // The document's own open file is written through; a copy's handle is not the file's.
    const bool ownFile = !untitled && !document.OpenedFromCopy && document.FileStream &&
                         SameFileName(fileName, document.FileName);
    if (FileExists(fileName) && !MakeBackupCopy(fileName, fileName))
        return scFailed;
    const std::string oldPassword = document.Password;
    if (coding == cdEncrypted && (document.Coding != cdEncrypted || untitled || document.Password.empty())) {
        std::string password;
        if (!DocumentHost().AskPassword(true, password) || password.empty())
            return scCancelled;
        document.Password = std::move(password);
    }
    const std::string oldName = document.FileName;
    TLoadedDocument loaded;
    if (ownFile)
        loaded.File = std::move(document.FileStream);
    document.FileName = fileName;
    TDocSavingOptions options;
    options.Range = document.GetBodyRange();
    options.Coding = coding;
    if (SaveDocument(document, options, loaded, ask) != kSaveWritten) {
        document.FileName = oldName;
        document.Password = oldPassword;
        if (ownFile)
            document.FileStream = std::move(loaded.File);
        return scFailed;
    }
    document.FileStream = std::move(loaded.File);
    document.OpenedReadOnly = false;
    document.OpenedFromCopy = false;
    if (IsRemovableDrive(fileName))
        document.FileStream.reset();
    MakeBackupCopy(fileName, fileName);
    if (!SameFileName(oldName, fileName) || untitled)
        DocumentHost().DocumentRenamed(&document);
    return scSaved;
}

// Save As with the dialog: the proposal, then the checks on the chosen name, asked again until it
// passes or the user cancels.
uint8_t SaveAsWithDialog(TDocument& document, std::string proposal, int32_t coding, const TAskUser& ask)
{
    if (!AskSummaryBeforeSaving(document, true))
        return scCancelled;
    TSaveDialogRequest request;
    request.Title = "Enregistrer sous";
    request.FileName = ExtractFileName(proposal);
    request.Folder = ExtractFilePath(proposal);
    request.FilterIndex = FilterIndexOf(coding);
    const TLoadSaveOptions& options = CurrentOptions().LoadSave;
    if (IsUntitled(document) && options.UseDocFolder && !options.DocFolder.empty())
        request.Folder = options.DocFolder;
    for (;;) {
        if (!DocumentHost().AskSaveFileName(request))
            return scCancelled;
        coding = TCodingManager::SaveFilterIndexToCoding(request.FilterIndex);
        const std::string name = TCodingManager::AddDefaultExtension(request.FileName, request.FilterIndex);
        request.FileName = ExtractFileName(name);
        request.Folder = ExtractFilePath(name);
        if (OpenElsewhere(document, name)) {
            ask(SameNameWarning(name), mkError, btOK, mkNoOption);
            continue;
        }
        if (SameFileName(name, document.FileName) && !IsUntitled(document)) {
            if (document.OpenedFromCopy) {
                ask(InUseWarning(name), mkError, btOK, mkNoOption);
                continue;
            }
            if (document.OpenedReadOnly) {
                ask(ReadOnlyInformation(name), mkInformation, btOK, mkNoOption);
                continue;
            }
        }
        if (CheckFormatLosses(document, nullptr, coding, ask)) {
            request.FilterIndex = FilterIndexOf(cdRtf);
            request.FileName = WithCodingExtension(request.FileName, cdRtf);
            continue;
        }
        return SaveUnder(document, name, coding, ask);
    }
}

// The name Save As proposes: a fresh one for a template, one from the text for an untitled document.
std::string ProposedName(TDocument& document)
{
    if (document.IsTemplateFile())
        return document.MakeDefaultFileName();
    if (IsUntitled(document) && CurrentOptions().LoadSave.GetFileNameFromDoc)
        return ExtractFilePath(document.FileName) +
               document.SuggestFileName(ExtractFileName(document.FileName), false);
    return document.FileName;
}

// The selection, start before end.
TTextRange OrderedSelection(const TDocument& document)
{
    TTextPos start = document.Selection.StartPos, end = document.Selection.EndPos;
    if (CompareTextPos(end, start) < 0)
        std::swap(start, end);
    return TextRangeOf(start, end);
}

} // namespace

std::string SameNameWarning(const std::string& fileName)
{
    return "Un document situé dans le même dossier et portant le même nom (\"" + ExtractFileName(fileName) +
           "\") est déjà ouvert. Il est impossible d'enregistrer deux documents sous le même nom dans le "
           "même dossier. Vous pouvez soit enregistrer le présent document sous un nom différent dans ce "
           "même dossier, soit conserver le même nom mais l'enregistrer dans un dossier différent.";
}

bool AskSummaryBeforeSaving(TDocument& document, bool force)
{
    if (!CurrentOptions().General.OfferDocProp || document.Coding >= cdAnsiText ||
        !(force || document.SummaryAsked))
        return true;
    if (document.Info.Title.empty())
        document.Info.Title = document.SuggestFileName({}, true);
    const bool confirmed = DocumentHost().EditDocumentProperties(document.Info);
    document.SummaryAsked = false;
    return confirmed;
}

uint8_t SaveDocumentCommand(TDocument& document, const TAskUser& ask)
{
    const bool untitled = IsUntitled(document);
    if (!untitled && !AskSummaryBeforeSaving(document, false))
        return scCancelled;
    if (document.OpenedFromCopy && !untitled) {
        if (TryOpen(document.FileName, fmOpenReadWrite | fmShareDenyWrite)) {
            const int answer = ask(Quoted("Le document ", document.FileName,
                                          " a été modifié par une autre application. L'enregistrement de ce "
                                          "document dans Quillpad annulera toutes les modifications "
                                          "introduites par l'autre application. Enregistrer le document "
                                          "malgré tout ?"),
                                   mkConfirmation, btYes | btNo | btCancel, 3);
            if (answer == mrYes)
                return SaveDocumentAs(document, document.FileName, false, ask);
            if (answer != mrNo)
                return scCancelled;
        } else {
            ask(InUseWarning(document.FileName), mkError, btOK, mkNoOption);
        }
        return SaveAsWithDialog(document, document.FileName, document.Coding, ask);
    }
    if (document.OpenedReadOnly && !untitled) {
        ask(ReadOnlyInformation(document.FileName), mkInformation, btOK, mkNoOption);
        return SaveAsWithDialog(document, document.FileName, document.Coding, ask);
    }
    if (untitled || document.IsTemplateFile()) {
        const uint8_t result = SaveAsWithDialog(document, ProposedName(document), document.Coding, ask);
        if (result == scCancelled)
            document.FormatLossesAccepted = false;
        return result;
    }
    if (CheckFormatLosses(document, nullptr, document.Coding, ask)) {
        const uint8_t result =
            SaveAsWithDialog(document, WithCodingExtension(document.FileName, cdRtf), cdRtf, ask);
        if (result == scCancelled)
            document.FormatLossesAccepted = false;
        return result;
    }
    if (!FileExists(document.FileName))
        return SaveDocumentAs(document, document.FileName, false, ask);
    // The version on disk goes to the backups before it is replaced, the new one after.
    if (!MakeBackupCopy(document.FileName, document.FileName))
        return scFailed;
    TDocSavingOptions options;
    options.Range = document.GetBodyRange();
    options.Coding = document.Coding;
    TLoadedDocument loaded;
    loaded.File = std::move(document.FileStream);
    const uint8_t result = SaveDocument(document, options, loaded, ask);
    document.FileStream = std::move(loaded.File);
    if (result != kSaveWritten)
        return scFailed;
    if (IsRemovableDrive(document.FileName))
        document.FileStream.reset();
    MakeBackupCopy(document.FileName, document.FileName);
    return scSaved;
}

uint8_t SaveDocumentAs(TDocument& document, const std::string& fileName, bool showDialog, const TAskUser& ask)
{
    if (showDialog)
        return SaveAsWithDialog(document, fileName.empty() ? ProposedName(document) : fileName,
                                document.Coding, ask);
    if (!TCodingManager::CanSaveCoding(document.Coding))
        return SaveAsWithDialog(document, WithCodingExtension(fileName, cdRtf), cdRtf, ask);
    return SaveUnder(document, fileName, document.Coding, ask);
}

uint8_t SaveDocumentAsTemplate(TDocument& document, const TAskUser& ask)
{
    const std::string folder = IncludeTrailingPathDelimiter(DocumentHost().TemplatesFolder());
    if (!DirectoryExists(folder) && !ForceDirectories(folder)) {
        ask(Quoted("Impossible de créer le dossier ", folder, "."), mkError, btOK, mkNoOption);
        return scFailed;
    }
    TSaveDialogRequest request;
    request.Title = "Enregistrer comme modèle";
    request.Folder = folder;
    request.FileName = WithCodingExtension(ExtractFileName(document.FileName), cdRtf);
    request.FilterIndex = FilterIndexOf(cdRtf);
    for (;;) {
        if (!DocumentHost().AskSaveFileName(request))
            return scCancelled;
        const int32_t coding = TCodingManager::SaveFilterIndexToCoding(request.FilterIndex);
        const std::string name = TCodingManager::AddDefaultExtension(request.FileName, request.FilterIndex);
        request.FileName = ExtractFileName(name);
        if (!LiesInTemplatesFolder(name)) {
            ask("Il est préférable d'enregistrer les modèles de documents dans le dossier suivant (ou l'un "
                "de "
                "ses sous-dossiers) :||" +
                    folder,
                mkInformation, btOK, mkNoOption);
            request.Folder = folder;
            continue;
        }
        if (SameFileName(name, document.FileName) && !IsUntitled(document))
            return SaveDocumentCommand(document, ask);
        if (OpenElsewhere(document, name)) {
            ask(SameNameWarning(name), mkError, btOK, mkNoOption);
            continue;
        }
        if (CheckFormatLosses(document, nullptr, coding, ask))
            continue;
        return SaveRangeToFile(document, document.GetBodyRange(), name, coding, ask) ? scSaved : scFailed;
    }
}

bool SaveRangeToFile(TDocument& document, const TTextRange& range, const std::string& fileName,
                     int32_t coding, const TAskUser& ask)
{
    // A copy enciphered under a password of its own leaves the document's password as it was.
    const std::string ownPassword = document.Password;
    if (coding == cdEncrypted) {
        std::string password;
        if (!DocumentHost().AskPassword(true, password) || password.empty())
            return false;
        document.Password = std::move(password);
    }
    const uint8_t result = SaveRangeToNamedFile(document, range, fileName, coding, ask);
    document.Password = ownPassword;
    return result == kSaveWritten;
}

void BackUpCurrentText(TDocument& document, const TBackupSettings& settings)
{
    const int32_t coding =
        document.Coding == cdRtf || document.Coding == cdEncrypted || document.Coding >= cdAnsiText
            ? document.Coding
            : int32_t(cdRtf);
    const std::string temp = GetTempFileNameOfKind(tfTmp);
    TLoadedDocument none;
    if (SaveDocumentToFile(document, temp, coding, none) == kSaveWritten)
        MakeBackupCopy(coding == document.Coding ? document.FileName
                                                 : WithCodingExtension(document.FileName, cdRtf),
                       temp, settings, Now(), AskThroughMessages);
    DeleteFile(temp);
}

namespace {

// Tells the user that the command needs a selection; true when there is one.
bool RequireSelection(TDocument& document, const char* title, const TAskUser& ask)
{
    if (document.HasSelection())
        return true;
    ask(std::string("Cette action (\"") + title +
            "\") ne s'applique qu'à une sélection. Sélectionnez le fragment de texte visé et recommencez.",
        mkInformation, btOK, mkNoOption);
    return false;
}

} // namespace

namespace {

// Asks for the file a range goes into until the name passes the checks: not another open document's,
// and a coding that keeps the range's formatting (or the user accepts losing it). Refused, when given,
// may turn a name down after telling the user why. False when the user cancelled.
bool AskRangeFileName(TDocument& document, const TTextRange& range, TSaveDialogRequest& request,
                      std::string& name, int32_t& coding, const TAskUser& ask,
                      const std::function<bool(const std::string&)>& refused = nullptr)
{
    for (;;) {
        if (!DocumentHost().AskSaveFileName(request))
            return false;
        coding = TCodingManager::SaveFilterIndexToCoding(request.FilterIndex);
        name = TCodingManager::AddDefaultExtension(request.FileName, request.FilterIndex);
        request.FileName = ExtractFileName(name);
        request.Folder = ExtractFilePath(name);
        if (refused && refused(name))
            continue;
        if (OpenElsewhere(document, name) || SameFileName(name, document.FileName)) {
            ask(SameNameWarning(name), mkError, btOK, mkNoOption);
            continue;
        }
        if (CheckFormatLosses(document, &range, coding, ask)) {
            request.FilterIndex = FilterIndexOf(cdRtf);
            request.FileName = WithCodingExtension(request.FileName, cdRtf);
            continue;
        }
        return true;
    }
}

} // namespace

std::string InsertNameFromText(const std::string& text)
{
    std::string name;
    for (char c : text) {
        // Breaks, tabs and what a file name cannot hold become spaces, runs of spaces one.
        const bool blank = static_cast<unsigned char>(c) < 32 ||
                           std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
        const char kept = blank ? ' ' : c;
        if (kept == ' ' && (name.empty() || name.back() == ' '))
            continue;
        if (name.size() == 50)
            break;
        name += kept;
    }
    while (!name.empty() && !IsAlphaNumChar(DefaultLanguage, name.back()))
        name.pop_back();
    return name;
}

bool SaveSelectionAsInsert(TDocument& document, const TAskUser& ask)
{
    const char* const title = "Enregistrer comme insert";
    if (!RequireSelection(document, title, ask))
        return false;
    const std::string folder = IncludeTrailingPathDelimiter(CurrentOptions().ClipLib.Folder);
    if (folder.size() <= 1 || (!DirectoryExists(folder) && !ForceDirectories(folder)) ||
        (!DirectoryExists(folder + "Images") && !ForceDirectories(folder + "Images"))) {
        ask(Quoted("Impossible de créer le dossier ", folder, "."), mkError, btOK, mkNoOption);
        return false;
    }
    const TTextRange range = OrderedSelection(document);
    TSaveDialogRequest request;
    request.Title = title;
    request.Folder = folder;
    request.FilterIndex = FilterIndexOf(cdRtf);
    const std::string extension = "." + std::string(TCodingManager::GetCodingExtension(cdRtf));
    std::string stem = InsertNameFromText(document.GetRangeText(range));
    if (stem.empty())
        for (int n = 1; stem.empty() || FileExists(folder + stem + extension); ++n)
            stem = "Insert " + std::to_string(n);
    request.FileName = stem + extension;
    std::string name;
    int32_t coding = cdRtf;
    const auto outsideInserts = [&](const std::string& chosen) {
        const std::string chosenFolder = IncludeTrailingPathDelimiter(ExtractFilePath(chosen));
        if (chosenFolder.size() >= folder.size() && SameText(chosenFolder.substr(0, folder.size()), folder))
            return false;
        ask(Quoted("Les inserts doivent être placés dans le dossier ", folder,
                   ", ou dans un de ses sous-dossiers."),
            mtWarning, btOK, mkNoOption);
        request.Folder = folder;
        return true;
    };
    return AskRangeFileName(document, range, request, name, coding, ask, outsideInserts) &&
           SaveRangeToFile(document, range, name, coding, ask);
}

bool SaveSelectionToFile(TDocument& document, const std::string& folder, const TAskUser& ask)
{
    const char* const title = "Enregistrer la sélection dans un fichier";
    if (!RequireSelection(document, title, ask))
        return false;
    TSaveDialogRequest request;
    request.Title = title;
    request.FilterIndex = FilterIndexOf(cdRtf);
    request.FileName = WithCodingExtension(ExtractFileName(document.MakeDefaultFileName()), cdRtf);
    const TLoadSaveOptions& options = CurrentOptions().LoadSave;
    request.Folder = !folder.empty() ? folder : options.UseDocFolder ? options.DocFolder : std::string();
    const TTextRange range = OrderedSelection(document);
    std::string name;
    int32_t coding = cdRtf;
    if (!AskRangeFileName(document, range, request, name, coding, ask) ||
        !SaveRangeToFile(document, range, name, coding, ask))
        return false;
    TriggerEvent(2060);
    return true;
}
