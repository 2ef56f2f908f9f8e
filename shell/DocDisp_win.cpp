// The document dispatcher: the list of open documents, their windows and the picture cache.
#include "shell/DocDisp.h"

#include "dialogs/EncPswd.h"

#include <windows.h>

#include "core/Colors.h"
#include "core/ShellUtils.h"
#include "dialogs/DocProperties.h"
#include "shell/DataFolder.h"
#include "core/SystemUtils.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "window/DocForm.h"

namespace {

TDocDispatcher* Dispatcher = nullptr;

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
    SetDocumentHost(nullptr);
    Dispatcher = nullptr;
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
            if (!fromWindow)
                closing->SetModeFlag(mfFreeWindowAtOnce, true);
            closing.reset();
            InvalidateCommands();
            return;
        }
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
    for (const auto& document : Documents)
        if (document->Window && !IsIconic(document->Window->Handle()))
            document->Window->Invalidate();
}

void TDocDispatcher::ApplyDocumentColors(TDocument* document)
{
    if (document)
        document->SelectColorScheme();
}

TDocumentForm* TDocDispatcher::CreateDocumentWindow(TDocument* document)
{
    auto* window = new TDocumentForm(nullptr, document);
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
