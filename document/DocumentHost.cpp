// The plain document host and the choice of the host in force.
#include "document/DocumentHost.h"

#include "classlib/runtime/AnsiStrings.h"
#include "document/DocumentView.h"

namespace {

TDocumentHost PlainHost;
TDocumentHost* CurrentHost = &PlainHost;

} // namespace

TDocumentHost::~TDocumentHost() = default;

TDocumentView::~TDocumentView() = default;

TDocumentForm* TDocumentHost::CreateDocumentWindow(TDocument*)
{
    return nullptr;
}

void TDocumentHost::FreeDocumentWindow(TDocumentForm*, bool) {}

TDocumentView* TDocumentHost::ViewOf(TDocumentForm*)
{
    return nullptr;
}

void TDocumentHost::BeginBusy(TDocument* document)
{
    BusyDocument = document;
    ++BusyCount;
}

void TDocumentHost::EndBusy(TDocument*)
{
    if (BusyCount > 0)
        --BusyCount;
}

bool TDocumentHost::IsDocumentOpen(const std::string&)
{
    return false;
}

std::string TDocumentHost::TemplatesFolder()
{
    return {};
}

std::string TDocumentHost::UserDocumentsFolder()
{
    return {};
}

void TDocumentHost::InvalidateCommands() {}
bool TDocumentHost::PutTextOnClipboard(const std::string&)
{
    return false;
}
bool TDocumentHost::CopyBlockToClipboard(TDocument&)
{
    return false;
}
void TDocumentHost::CalculationBeep() {}
bool TDocumentHost::OpenLink(const std::string&)
{
    return false;
}
void TDocumentHost::AddToRecentFiles(TDocument*) {}
void TDocumentHost::TemplatesChanged() {}

void TDocumentHost::ShowProgressText(const std::string&) {}

void TDocumentHost::BeginProgress(int64_t, const std::string&, const std::string&) {}

void TDocumentHost::StepProgress(int64_t) {}

void TDocumentHost::EndProgress(bool) {}

void TDocumentHost::PushStatusText() {}

void TDocumentHost::PopStatusText() {}

void TDocumentHost::CheckTypedWord(TDocument*, const TTextRange&) {}

bool TDocumentHost::EditDocumentProperties(TDocumentInfo&)
{
    return false;
}

TDocument* TDocumentHost::FindOpenDocument(const std::string&)
{
    return nullptr;
}

bool TDocumentHost::AskSaveFileName(TSaveDialogRequest&)
{
    return false;
}

void TDocumentHost::DocumentRenamed(TDocument*) {}

bool TDocumentHost::AskPassword(bool, std::string&)
{
    return false;
}

bool TDocumentHost::IsWindowBusy(TDocumentForm*, uint32_t)
{
    return false;
}

void TDocumentHost::ClosePrintPreview(TDocument*) {}

std::string TDocumentHost::CommandShortcutText(int)
{
    return {};
}

bool TDocumentHost::IsOverwriteMode()
{
    return false;
}

void TDocumentHost::ApplyFormattingTool(TCharFormat&) {}

int32_t TDocumentHost::KeyboardLanguage()
{
    return 0;
}

bool TDocumentHost::FreeOldestPictureCache(TDocObject*)
{
    return false;
}

TDocumentHost& DocumentHost()
{
    return *CurrentHost;
}

void SetDocumentHost(TDocumentHost* host)
{
    // The counts of live pictures go with the host.
    TDocumentHost* next = host ? host : &PlainHost;
    if (next != CurrentHost) {
        next->LivePictureCount = CurrentHost->LivePictureCount;
        next->LivePictureBytes = CurrentHost->LivePictureBytes;
    }
    CurrentHost = next;
}

bool LiesInTemplatesFolder(const std::string& fileName)
{
    std::string folder = DocumentHost().TemplatesFolder();
    if (folder.empty())
        return false;
    if (folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    return fileName.size() > folder.size() &&
           SameText(std::string_view(fileName).substr(0, folder.size()), folder);
}
