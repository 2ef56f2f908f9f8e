// The zip commands: the archive's name asked through the program's save dialog, then each document put
// into it under its own file name.
#include "shell/DocumentZip.h"

#include <windows.h>
#include <mapi.h>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Files.h"
#include "classlib/runtime/Format.h"
#include "core/Codings.h"
#include "core/Events.h"
#include "core/Messages.h"
#include "core/PathUtils.h"
#include "document/Document.h"
#include "formats/Zip.h"
#include "formats/save/DocumentSave.h"
#include "shell/CommandManager.h"
#include "shell/DocDisp.h"
#include "shell/FileDialogs.h"
#include "shell/MainForm.h"

namespace {

// A document whose file on disk is what it holds now.
bool FileIsCurrent(const TDocument& document)
{
    return !document.GetModeFlag(mfNoOwnFile) && !document.IsModified() && !document.OpenedFromCopy &&
           FileExists(document.FileName);
}

// A folder of its own in the temporary folder, so that the saved copies keep their documents' names.
std::string MakeTempFolder()
{
    const std::string name = GetTempFileNameOfKind(tfTmp);
    DeleteFileA(name.c_str());
    return CreateDirectoryA(name.c_str(), nullptr) ? name + "\\" : std::string();
}

std::vector<TDocument*> OpenDocuments(TDocDispatcher& dispatcher)
{
    std::vector<TDocument*> open;
    for (int i = 0; i < dispatcher.DocumentCount(); ++i)
        open.push_back(dispatcher.Document(i));
    return open;
}

const char* const NoMailSystem =
    "Aucun système de messagerie n'est installé sur cet ordinateur : le document "
    "ne peut pas être envoyé par courrier électronique.";

} // namespace

std::string ProposedZipName(const std::vector<TDocument*>& open, const TDocument* active, bool activeOnly)
{
    if ((activeOnly || open.size() == 1) && active)
        return ChangeFileExt(active->FileName, ".zip");
    return Format("%d_documents.zip", static_cast<int>(open.size()));
}

bool ZipDocuments(const std::vector<TDocument*>& documents, const std::string& zipName)
{
    std::string tempFolder;
    std::vector<std::string> paths, temporary;
    bool ok = true;
    for (TDocument* document : documents) {
        if (FileIsCurrent(*document)) {
            paths.push_back(document->FileName);
            continue;
        }
        if (tempFolder.empty() && (tempFolder = MakeTempFolder()).empty()) {
            ShowError(Format("Impossible de créer le fichier \"%s\".", GetTempFileNameOfKind(tfTmp)));
            ok = false;
            break;
        }
        // A document in a coding that has no writer is put in as RTF.
        std::string name = tempFolder + ExtractFileName(document->FileName);
        if (!TCodingManager::CanSaveCoding(document->Coding))
            name = ChangeFileExt(name, ".rtf");
        temporary.push_back(name);
        if (SaveDocumentToNamedFile(*document, name, 0) != kSaveWritten) {
            ok = false;
            break;
        }
        paths.push_back(name);
    }
    if (ok) {
        TZipFile zip;
        try {
            zip.Open(zipName);
            for (const std::string& path : paths)
                if (!(ok = zip.AddFile(path)))
                    break;
            zip.Close();
            ok = ok && !zip.Failed();
        } catch (const EAbort&) {
            ok = false;
        } catch (const Exception& e) {
            ShowError(e.Message);
            ok = false;
        }
    }
    for (const std::string& name : temporary)
        DeleteFileA(name.c_str());
    if (!tempFolder.empty())
        RemoveDirectoryA(tempFolder.c_str());
    return ok;
}

void ZipCommand(bool activeOnly)
{
    TDocDispatcher* dispatcher = GetDocDispatcher();
    TDocument* active = CommandManager().GetDocument();
    if (!dispatcher || !active)
        return;
    const std::vector<TDocument*> open = OpenDocuments(*dispatcher);
    std::string zipName = ProposedZipName(open, active, activeOnly);
    if (!AskZipFileName(zipName, activeOnly ? "Compresser (Zip)" : "Tout compresser (Zip)"))
        return;
    ZipDocuments(activeOnly && open.size() > 1 ? std::vector<TDocument*>{active} : open, zipName);
}

std::string SentZipName(const std::vector<TDocument*>& open, const TDocument* active, bool activeOnly)
{
    if ((activeOnly || open.size() == 1) && active)
        return ExtractFileName(ChangeFileExt(active->FileName, ".zip"));
    return Format("%d_docs.zip", static_cast<int>(open.size()));
}

bool SendFilesByMail(const std::string& paths, const std::string& names)
{
    if (MailSender())
        return MailSender()(paths, names);
    using TSendDocuments = ULONG(WINAPI*)(ULONG_PTR, LPSTR, LPSTR, LPSTR, ULONG);
    HMODULE mapi = LoadLibraryA("mapi32.dll");
    const auto send = mapi ? reinterpret_cast<TSendDocuments>(
                                 reinterpret_cast<void*>(GetProcAddress(mapi, "MAPISendDocuments")))
                           : nullptr;
    if (!send) {
        if (mapi)
            FreeLibrary(mapi);
        ShowError(NoMailSystem);
        return false;
    }
    std::string pathList = paths, nameList = names, separator = ";";
    const HWND owner = MainForm ? MainForm->Handle() : nullptr;
    const ULONG result =
        send(reinterpret_cast<ULONG_PTR>(owner), separator.data(), pathList.data(), nameList.data(), 0);
    FreeLibrary(mapi);
    switch (result) {
    case SUCCESS_SUCCESS:
    case MAPI_E_USER_ABORT: return result == SUCCESS_SUCCESS;
    case MAPI_E_NOT_SUPPORTED:
    case MAPI_E_LOGIN_FAILURE: ShowError(NoMailSystem); return false;
    default:
        ShowError(Format("L'envoi du document par courrier électronique a échoué (erreur %d).",
                         static_cast<int>(result)));
        return false;
    }
}

TMailSender& MailSender()
{
    static TMailSender sender;
    return sender;
}

void ZipAndSendCommand(bool activeOnly)
{
    TDocDispatcher* dispatcher = GetDocDispatcher();
    TDocument* active = CommandManager().GetDocument();
    if (!dispatcher || !active)
        return;
    TriggerEvent(2120);
    const std::vector<TDocument*> open = OpenDocuments(*dispatcher);
    const bool one = activeOnly || open.size() == 1;
    const std::string name = SentZipName(open, active, activeOnly);
    const std::string zipName = IncludeTrailingPathDelimiter(GetTempFolder()) + name;
    if (FileExists(zipName) && !DeleteFileA(zipName.c_str())) {
        ShowError(Format("Impossible de créer le fichier \"%s\".", zipName));
        return;
    }
    if (ZipDocuments(one ? std::vector<TDocument*>{active} : open, zipName))
        SendFilesByMail(zipName, name);
    DeleteFileA(zipName.c_str());
}
