// The document's life: creation with its first paragraph and section, reset as new, and destruction.
#include "document/Document.h"

#include <cstdio>
#include <cstring>

#include "classlib/runtime/DateTime.h"
#include "core/Options.h"
#include "core/StyleManager.h"
#include "core/Styles.h"
#include "core/TabTables.h"
#include "document/DocObjects.h"
#include "document/DocumentHost.h"
#include "document/DocumentView.h"
#include "document/InlineTags.h"
#include "document/Page.h"
#include "document/ParReformatingManager.h"
#include "codecs/ScreenResolution.h"
#include "document/Section.h"
#include "document/ChangedRanges.h"

namespace {

TOperationManagerFactory GOperationManagerFactory = nullptr;

} // namespace

void SetOperationManagerFactory(TOperationManagerFactory factory)
{
    GOperationManagerFactory = factory;
}

TDocument::TDocument(bool hidden)
{
    SetModeFlag(mfConstructing, true);
    ObjectManager = std::make_unique<TObjectManager>(this);
    TabManager = std::make_unique<TTabManager>();
    StyleList = std::make_unique<TStyleList>(this, TabManager.get());
    ViewState.ZoomPercent = 100;
    InsertionFormat = DefaultCharFormat();
    Paragraphs.push_back(std::make_unique<TParagraph>(this));
    StoryLengths[stMain] = 1;
    Sections.push_back(std::make_unique<TSection>(this));
    Sections.front()->SetDefaults();
    ViewState.ScreenDpi = static_cast<int32_t>(ScreenDotsPerInch(false));
    SetModeFlag(mfViewNotReady, true);
    SetZoom(100);
    if (!hidden)
        Window = DocumentHost().CreateDocumentWindow(this);
    if (Window) {
        SetModeFlag(mfViewNotReady, false);
        SetModeFlag(mfHasWindow, true);
    } else {
        SetModeFlag(mfHidden, true);
    }
    ReformatingManager = std::make_unique<TParReformatingManager>(this);
    ChangedRanges = std::make_unique<TChangedRanges>(this);
    if (GOperationManagerFactory)
        OperationManager = GOperationManagerFactory(this);
    SetModeFlag(mfSectionRangesStale, true);
    SetModeFlag(mfColumnWidthsStale, true);
    SetModeFlag(mfFieldsDirty, true);
    SetModeFlag(mfConstructing, false);
}

TDocument::~TDocument()
{
    // Recorded steps may hold sections, fields and objects out of the document: they go first.
    UndoList.Operations.clear();
    // The window lets go of the caret it shows for the document.
    if (TDocumentView* view = View())
        view->DestroySystemCaret();
    if (GetModeFlag(mfTempFileOpen)) {
        if (Coding == 4 && !GetModeFlag(mfTempFileNoWipe))
            WipeTempFile();
        std::remove(TempFileName.c_str());
    }
    CloseFileHandle();
    // Pages point at lines of the paragraphs: they go first.
    Pages.clear();
    Paragraphs.clear();
    ReformatingManager.reset();
    if (Window)
        DocumentHost().FreeDocumentWindow(Window, GetModeFlag(mfFreeWindowAtOnce));
    Window = nullptr;
    OperationManager.reset();
    ChangedRanges.reset();
    StyleList.reset();
    TabManager.reset();
    ObjectManager.reset();
    Sections.clear();
}

void TDocument::ResetAsNew()
{
    Info.Author = CurrentOptions().General.UsrName;
    Info.LastAuthor = Info.Author;
    // The program's dates are local time.
    Info.CreationDate = Now();
    Info.LastSaveDate = Info.CreationDate;

    SetModeFlag(mfViewLive, false);
    SetModeFlag(mfPaginationComplete, false);
    {
        TModeFlagScope scope(*this);
        scope.On(mfHoldScrolling);
        scope.On(12);
        scope.On(mfHoldCaret);
        scope.On(mfViewNotReady);
        scope.On(mfNoScrollToCaret);
        TParagraph& first = *Paragraphs.front();
        if (first.CharacterCount() == 0) {
            first.Text.Clear();
            first.AppendZeroWidthTag(1, 20);
            first.AppendSpecial(scParagraphMark);
        }
        for (auto& paragraph : Paragraphs)
            paragraph->ParaFormat = DefaultParaFormat();
        StyleList->Assign(*GetStyleManager().DefaultList);
        // Laid out anew, the caret where it stands.
        DiscardLayout();
        SetModeFlag(mfPaginationComplete, false);
        PaginateAll();
        SetCaret(Caret.ParIndex, Caret.Offset, 0, 4);
    }
    for (int k : {int(mfViewLive), 29, 8, int(mfNoOwnFile), 45})
        SetModeFlag(k, true);
    for (int k : {int(mfHoldScrolling), 12, int(mfHoldCaret), int(mfViewNotReady), int(mfNoScrollToCaret)})
        SetModeFlag(k, false);
}

void TDocument::SetModified(bool modified)
{
    if (modified == FModified)
        return;
    FModified = modified;
    DocumentHost().InvalidateCommands();
}

void TDocument::EditProperties()
{
    if (!DocumentHost().EditDocumentProperties(Info))
        return;
    SetModeFlag(mfStatisticsStale, true);
    // Undoing can no longer bring back the state of the last save.
    UndoList.SavedMark = INT32_MIN;
    SetModified(true);
}

void TDocument::BeginBusy()
{
    DocumentHost().BeginBusy(this);
}

void TDocument::EndBusy()
{
    DocumentHost().EndBusy(this);
    if (PaintPending && DocumentHost().BusyCount == 0) {
        PaintPending = false;
        if (TDocumentView* view = View())
            view->InvalidateViewRect(PendingPaintRect);
    }
}

bool TDocument::IsBusy() const
{
    const TDocumentHost& host = DocumentHost();
    return host.BusyCount > 0 && host.BusyDocument == this;
}

void TDocument::CloseFileHandle()
{
    FileStream.reset();
}

void TDocument::WipeTempFile()
{
    std::FILE* file = std::fopen(TempFileName.c_str(), "r+b");
    if (!file)
        return;
    std::fseek(file, 0, SEEK_END);
    long left = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    static const char zeros[16384] = {};
    while (left > 0) {
        const long piece = left < long(sizeof zeros) ? left : long(sizeof zeros);
        if (std::fwrite(zeros, 1, size_t(piece), file) != size_t(piece))
            break;
        left -= piece;
    }
    std::fclose(file);
}

int CompareByFirstField(const void* a, const void* b)
{
    int32_t x, y;
    std::memcpy(&x, a, 4);
    std::memcpy(&y, b, 4);
    return x < y ? -1 : x > y ? 1 : 0;
}

int CompareBySecondThenThird(const void* a, const void* b)
{
    int32_t x[3], y[3];
    std::memcpy(x, a, 12);
    std::memcpy(y, b, 12);
    if (x[1] != y[1])
        return x[1] < y[1] ? -1 : 1;
    return x[2] < y[2] ? -1 : x[2] > y[2] ? 1 : 0;
}
