// The save dispatch: the writer by coding, the file written beside the old one, and what a save changes
// in the document.
#include "formats/save/DocumentSave.h"

#include <functional>

#include "classlib/runtime/DateTime.h"
#include "classlib/runtime/Files.h"
#include "core/Memory.h"
#include "core/Options.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "editing/OperationManager.h"
#include "codecs/CodePages.h"
#include "core/Codings.h"
#include "formats/Encryption.h"
#include "formats/load/FileMessages.h"
#include "core/SafeSave.h"
#include "formats/rtf/RtfWriter.h"
#include "formats/text/PlainText.h"

using namespace filemsg;

namespace {

// The codings that have a writer: RTF (also enciphered) and plain text; never a web page.
bool HasWriter(int coding, int32_t flags)
{
    return !(flags & sfWebPage) && (coding == cdRtf || coding == cdEncrypted || coding >= cdAnsiText);
}

// The encrypted document: a header with fresh file keys under the password, the RTF text enciphered
// under them by a cipher of this save's own, and the check trailer. False when the user gave no
// password.
bool WriteEncrypted(TDocument& document, const TTextRange& range, const std::function<void(int64_t)>& step,
                    bool safetyCopy, TMemory& out)
{
    std::string password = document.Password; // enciphered in memory
    if (password.empty()) {
        if (!DocumentHost().AskPassword(true, password) || password.empty())
            return false;
        document.Password = password;
    }
    TMemory body;
    TRtfWriteOptions rtf;
    rtf.EightBit = true;
    rtf.Coding = cdEncrypted;
    rtf.SafetyCopy = safetyCopy;
    rtf.Progress = step;
    WriteRtf(document, range, rtf, body);
    TDigest key1, key2;
    TEncryptionManager& keeper = GetEncryptionManager();
    keeper.NewFileKeys(CurrentOptions().LoadSave.CipherStrength, key1, key2);
    TCipherContext cipher;
    uint8_t header[kEncryptedHeaderSize];
    keeper.DecryptString(password);
    if (step) {
        // Making the password's key takes a moment in a file's save: the progress bar follows it.
        DocumentHost().BeginProgress(kPasswordKeyPasses, "Cryptage en cours ...", "");
        cipher.CreateHeader(header, password, key1, key2,
                            [](int pass) { DocumentHost().StepProgress(pass); });
        DocumentHost().EndProgress(true);
    } else {
        cipher.CreateHeader(header, password, key1, key2);
    }
    WipeString(password);
    key1.fill(0);
    key2.fill(0);
    cipher.EncryptBuffer(body.Data(), body.Size());
    const TDigest trailer = cipher.Trailer();
    out.Append(header, kEncryptedHeaderSize);
    out.AppendMemory(body);
    out.Append(trailer.data(), kEncryptedTrailerSize);
    return true;
}

// Reads an encrypted file back and checks it under the document's password.
bool EncryptedFileChecks(TDocument& document, const std::string& fileName, const TAskUser& ask)
{
    std::unique_ptr<TStream> file = TryOpen(fileName, fmOpenRead | fmShareDenyNone);
    if (!file)
        return false;
    std::string password = document.Password;
    GetEncryptionManager().DecryptString(password);
    const bool passed = CheckEncryptedFile(*file, file->GetSize(), fileName, password);
    WipeString(password);
    if (!passed)
        ask(Quoted("Contrôle du CRC négatif. Il se peut que le fichier ", fileName,
                   " soit corrompu.||Il est très probable qu'Quillpad ne sera pas en mesure d'ouvrir ce "
                   "document "
                   "avec le mot de passe originel.||||Nous vous recommendons fortement de réenregistrer ce "
                   "fichier dans un autre format de document."),
            mkError, btOK, mkNoOption);
    return passed;
}

// The range in the coding's bytes, for a file (where the final paragraph mark gives no line end) or
// for memory; the main window's progress bar follows the paragraphs of a file.
bool WriteRange(TDocument& document, const TTextRange& range, int coding, int32_t flags, bool toFile,
                TMemory& out)
{
    std::function<void(int64_t)> step;
    if (toFile)
        step = [](int64_t written) { DocumentHost().StepProgress(written); };
    if (coding == cdRtf) {
        TRtfWriteOptions rtf;
        // Files of the program's own keep their 8-bit characters; the clipboard gets standard RTF.
        rtf.EightBit = toFile && CurrentOptions().LoadSave.SuperCmpctSave;
        rtf.KeepCaret = toFile && !(flags & sfKeepState) && CurrentOptions().LoadSave.SaveCaretPos;
        rtf.Coding = coding;
        rtf.SafetyCopy = (flags & sfSafetyCopy) != 0;
        rtf.Progress = step;
        WriteRtf(document, range, rtf, out);
        return true;
    }
    if (coding == cdEncrypted)
        return WriteEncrypted(document, range, step, (flags & sfSafetyCopy) != 0, out);
    WritePlainText(document, range, (flags & sfCompact) != 0, toFile, out, step);
    if (coding == cdDosText)
        AnsiToOemBuffer(out.Data(), out.Size());
    return true;
}

// A save given up: an old file of that name is still there as it was, and the user hears so.
uint8_t SaveGivenUp(const std::string& fileName, const TAskUser& ask)
{
    if (FileExists(fileName))
        ask(Quoted("Le fichier ", fileName, " n'a pas été modifié."), mkInformation, btOK, mkNoOption);
    return kSaveFailed;
}

// Writes Out as the new content of FileName, beside it first; asks again on failure.
uint8_t WriteFileSafely(const std::string& fileName, const TMemory& out, TLoadedDocument& loaded,
                        const TAskUser& ask)
{
    for (;;) {
        std::unique_ptr<TSafeSave> save;
        try {
            save = std::make_unique<TSafeSave>(fileName);
        } catch (const EStreamError&) {
            if (ask(Quoted("Impossible de créer le fichier ", fileName, "."), mkError, btRetry | btCancel,
                    mkNoOption) != mrRetry)
                return SaveGivenUp(fileName, ask);
            continue;
        }
        bool written = false;
        try {
            save->Stream().WriteBuffer(out.Data(), out.Size());
            // The kept file is let go so that the new one can take its place, and taken again after.
            bool kept = loaded.File != nullptr;
            loaded.File.reset();
            written = save->Commit();
            if (kept || written)
                loaded.File = TryOpen(fileName, fmOpenReadWrite | fmShareDenyWrite);
        } catch (const EStreamError&) {
            written = false;
        }
        save.reset();
        if (written) {
            loaded.FileSize = out.Size();
            return kSaveWritten;
        }
        if (ask(Quoted("Erreur lors de l'écriture du fichier ", fileName, "."), mkError, btRetry | btCancel,
                mkNoOption) != mrRetry)
            return SaveGivenUp(fileName, ask);
    }
}

// The main window's progress bar over a save; ended however the save ends.
struct TSaveProgress {
    bool Filled = false;
    TSaveProgress(int64_t paragraphs, const std::string& fileName,
                  const char* text = "Enregistrement du document \"%s\" ...")
    {
        DocumentHost().BeginProgress(paragraphs, text, fileName);
    }
    ~TSaveProgress() { DocumentHost().EndProgress(Filled); }
};

// Saves as the request says under FileName; the document's own name is given back however it ends.
uint8_t SaveUnderName(TDocument& document, const std::string& fileName, const TDocSavingOptions& options,
                      TLoadedDocument& loaded, const TAskUser& ask)
{
    struct TOwnNameBack {
        TDocument& Document;
        std::string Own;
        ~TOwnNameBack() { Document.FileName = std::move(Own); }
    } back{document, document.FileName};
    document.FileName = fileName;
    return SaveDocument(document, options, loaded, ask);
}

} // namespace

void SayCannotSave(int coding, const TAskUser& ask)
{
    ask(Quoted("Quillpad ne peut pas pour le moment enregistrer de document au format ",
               std::string(TCodingManager::GetCodingIdentifier(coding)),
               ". Veuillez, s'il vous plaît, choisir un autre format"),
        mkInformation, btOK, mkNoOption);
}

uint8_t SaveDocument(TDocument& document, const TDocSavingOptions& options, TLoadedDocument& loaded,
                     const TAskUser& ask)
{
    if (document.Paragraphs.empty())
        return kSaveFailed;
    TModeFlagScope flags(document);
    flags.On(mfSaving);
    if (!HasWriter(options.Coding, options.Flags)) {
        if (!options.ToMemory)
            SayCannotSave(options.Coding, ask);
        return kSaveFailed;
    }
    const bool keepState = (options.Flags & sfKeepState) != 0;
    // RTF files, enciphered or not, name who saved them last.
    if ((options.Coding == cdRtf || options.Coding == cdEncrypted) &&
        !CurrentOptions().General.UsrName.empty())
        document.Info.LastAuthor = CurrentOptions().General.UsrName;
    TMemory out;
    if (options.ToMemory) {
        if (!options.MemoryBlock)
            return kSaveFailed;
        if (!WriteRange(document, options.Range, options.Coding, options.Flags, false, out))
            return kSaveFailed;
        options.MemoryBlock->AppendMemory(out);
    } else {
        // The file carries the date of its own save; a failed save gives the old date back.
        const double lastSaved = document.Info.LastSaveDate;
        if (!keepState)
            document.Info.LastSaveDate = Now();
        TSaveProgress progress(options.Range.EndPos.ParIndex - options.Range.StartPos.ParIndex + 1,
                               document.FileName);
        if (!WriteRange(document, options.Range, options.Coding, options.Flags, true, out) ||
            WriteFileSafely(document.FileName, out, loaded, ask) != kSaveWritten) {
            document.Info.LastSaveDate = lastSaved;
            return kSaveFailed;
        }
        progress.Filled = true;
        if (options.Coding == cdEncrypted && !EncryptedFileChecks(document, document.FileName, ask))
            return kSaveFailed;
    }
    if (!keepState) {
        // Saved into a file, the document has one of its own from now on.
        if (!options.ToMemory)
            document.SetModeFlag(mfNoOwnFile, false);
        document.Coding = options.Coding;
        // The undo history follows the settings; the document is unmodified at its current index.
        if (document.OperationManager)
            document.OperationManager->DocumentSaved();
        else
            document.SetModified(false);
        DocumentHost().AddToRecentFiles(&document);
        DocumentHost().InvalidateCommands();
    }
    if (!options.ToMemory && LiesInTemplatesFolder(document.FileName))
        DocumentHost().TemplatesChanged();
    return kSaveWritten;
}

uint8_t SaveDocumentToNamedFile(TDocument& document, const std::string& fileName, int32_t flags,
                                const TAskUser& ask)
{
    TDocSavingOptions options;
    options.Range = document.GetBodyRange();
    options.Coding = document.Coding;
    // A copy under another name, a web page too, leaves the document's own state alone.
    options.Flags = sfKeepState;
    if (flags & 1) {
        options.Flags |= sfWebPage;
        options.Coding = cdAnsiText;
        options.SourceFileName = document.FileName;
    }
    TLoadedDocument copy;
    return SaveUnderName(document, fileName, options, copy, ask);
}

uint8_t SaveDocumentToFile(TDocument& document, const std::string& fileName, int32_t coding,
                           TLoadedDocument& loaded, const TAskUser& ask)
{
    TDocSavingOptions options;
    options.Range = document.GetBodyRange();
    options.Coding = coding;
    options.Flags = sfKeepState;
    return SaveUnderName(document, fileName, options, loaded, ask);
}

uint8_t SaveRangeToNamedFile(TDocument& document, const TTextRange& range, const std::string& fileName,
                             int32_t coding, const TAskUser& ask)
{
    TDocSavingOptions options;
    options.Range = range;
    options.Coding = coding;
    options.Flags = sfKeepState;
    options.SourceFileName = document.FileName;
    TLoadedDocument none;
    return SaveUnderName(document, fileName, options, none, ask);
}

uint8_t WriteSafetyCopy(TDocument& document, const std::string& fileName, const TAskUser& ask)
{
    if (document.Paragraphs.empty())
        return kSaveFailed;
    TModeFlagScope flags(document);
    flags.On(mfSaving);
    const int32_t coding =
        document.Coding == cdEncrypted && !document.Password.empty() ? int32_t(cdEncrypted) : int32_t(cdRtf);
    const TTextRange range = document.GetBodyRange();
    TSaveProgress progress(range.EndPos.ParIndex - range.StartPos.ParIndex + 1, document.FileName,
                           "Création d'une copie de secours du document \"%s\" ...");
    TMemory out;
    TLoadedDocument none;
    if (!WriteRange(document, range, coding, sfKeepState | sfSafetyCopy, true, out) ||
        WriteFileSafely(fileName, out, none, ask) != kSaveWritten)
        return kSaveFailed;
    progress.Filled = true;
    return kSaveWritten;
}
