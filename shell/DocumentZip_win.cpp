// The zip commands: the archive's name asked through the program's save dialog, then each document put
// into it under its own file name.
#include "shell/DocumentZip.h"

#include <windows.h>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Files.h"
#include "classlib/runtime/Format.h"
#include "core/Codings.h"
#include "core/Messages.h"
#include "core/PathUtils.h"
#include "document/Document.h"
#include "formats/Zip.h"
#include "formats/save/DocumentSave.h"
#include "shell/CommandManager.h"
#include "shell/DocDisp.h"
#include "shell/FileDialogs.h"

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
    std::vector<TDocument*> open;
    for (int i = 0; i < dispatcher->DocumentCount(); ++i)
        open.push_back(dispatcher->Document(i));
    std::string zipName = ProposedZipName(open, active, activeOnly);
    if (!AskZipFileName(zipName, activeOnly ? "Compresser (Zip)" : "Tout compresser (Zip)"))
        return;
    ZipDocuments(activeOnly && open.size() > 1 ? std::vector<TDocument*>{active} : open, zipName);
}
