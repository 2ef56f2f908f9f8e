// The document window's drop target as OLE calls it during a drag from another program: the caret follows
// the pointer, text lands at the drop point as one undoable edit, files go to the dispatcher (opened
// without Ctrl, inserted with it), and a damaged file list is refused.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "classlib/windowing/Forms.h"
#include "core/Messages.h"
#include "../common/test_support.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "editing/OperationManager.h"
#include "formats/load/LoadInput.h"
#include "formats/text/PlainText.h"
#include "shell/DocDisp.h"
#include "window/DocForm.h"
#include "window/DropTarget.h"

namespace {

// A data object holding one block of one format, as another program's drag source hands it over.
class TTestData : public IDataObject {
public:
    TTestData(CLIPFORMAT format, std::string bytes) : FFormat(format), FBytes(std::move(bytes)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        if (QueryGetData(format) != S_OK)
            return DV_E_FORMATETC;
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, FBytes.size());
        std::memcpy(GlobalLock(memory), FBytes.data(), FBytes.size());
        GlobalUnlock(memory);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override
    {
        return format->cfFormat == FFormat && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
    CLIPFORMAT FFormat;
    std::string FBytes;
};

std::string FileList(const std::vector<std::string>& names)
{
    std::string block(20, '\0');
    block[0] = 20;
    for (const std::string& name : names)
        block += name + '\0';
    return block + '\0';
}

class DocumentDrop : public testing::Test {
protected:
    void SetUp() override
    {
        SilentMessages = true;
        Doc = Dispatcher.AddDocument(std::make_unique<TDocument>(false));
        const std::string text = "Un deux trois.\r\nQuatre cinq six.\r\n";
        TLoadInput input(text.data(), int64_t(text.size()));
        int64_t length = 0;
        ReadPlainTextDocument(*Doc, input, TPlainTextFormats(), length);
        Doc->Relayout();
        Window = Doc->Window;
        Window->SetClientSize(700, 400);
        Window->Show();
        Application->ProcessMessages();
        Target = Window->DropTarget;
    }
    // The files dropped are recorded here instead of going to the dispatcher.
    void RecordDroppedFiles()
    {
        DropFilesHook = [this](TDocument* target, const std::vector<std::string>& files, int mode) {
            HookTarget = target;
            HookFiles = files;
            HookMode = mode;
        };
    }

    // The screen point over a text position.
    POINTL ScreenAt(int32_t par, int32_t offset)
    {
        const TTextPos caret = Doc->Caret;
        Doc->SetCaret(par, offset, 0, 0);
        const TPoint p = Window->DocToClient(TPoint{Doc->CaretState.X + Doc->CaretState.Shape.XOffset,
                                                    Doc->CaretState.Y + Doc->CaretState.Shape.Height / 2});
        Doc->SetCaret(caret.ParIndex, caret.Offset, 0, 0);
        POINT screen{p.X, p.Y};
        ClientToScreen(Window->Handle(), &screen);
        return POINTL{screen.x, screen.y};
    }
    // A whole drag: in, over two places, dropped at the second.
    DWORD DragAndDrop(IDataObject* data, POINTL over, POINTL at, DWORD keys = 0)
    {
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        Target->DragEnter(data, MK_LBUTTON | keys, over, &effect);
        const DWORD entered = effect;
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        Target->DragOver(MK_LBUTTON | keys, over, &effect);
        Target->DragOver(MK_LBUTTON | keys, at, &effect);
        Target->Drop(data, keys, at, &effect);
        return entered;
    }
    std::string ParagraphText(int32_t par)
    {
        return Doc->GetText(TextPosAt(par, 0), Doc->ParagraphLength(par));
    }

    TDocDispatcher Dispatcher;
    TDocument* Doc = nullptr;
    TDocumentForm* Window = nullptr;
    TDocForm_OLEDragDropManager* Target = nullptr;
    TDocument* HookTarget = nullptr;
    std::vector<std::string> HookFiles;
    int HookMode = 0;
};

TEST_F(DocumentDrop, TextLandsWhereTheCaretWasShownDuringTheDrag)
{
    ASSERT_NE(Target, nullptr);
    Doc->SetCaret(0, 0, 0, 0);
    TTestData text(CF_TEXT, std::string("vingt\r\net un \0garbage after the end", 34));
    EXPECT_EQ(DragAndDrop(&text, ScreenAt(0, 3), ScreenAt(1, 7)), DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(ParagraphText(1), "Quatre vingt");
    EXPECT_EQ(ParagraphText(2).substr(0, 16), "et un cinq six.");
    EXPECT_EQ(Window->State & dsMouseGestures, 0u);
    // One step back.
    Doc->OperationManager->Undo();
    EXPECT_EQ(ParagraphText(1).substr(0, 16), "Quatre cinq six.");
}

TEST_F(DocumentDrop, FilesAreOpenedOrWithCtrlInserted)
{
    RecordDroppedFiles();
    TTestData files(CF_HDROP, FileList({"C:\\docs\\a.rtf", "C:\\docs\\b.png"}));
    EXPECT_EQ(DragAndDrop(&files, ScreenAt(0, 2), ScreenAt(0, 4)), DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(HookTarget, Doc);
    EXPECT_EQ(HookFiles, (std::vector<std::string>{"C:\\docs\\a.rtf", "C:\\docs\\b.png"}));
    EXPECT_EQ(HookMode, 1);
    DragAndDrop(&files, ScreenAt(0, 2), ScreenAt(0, 4), MK_CONTROL);
    EXPECT_EQ(HookMode, 2);
}

TEST_F(DocumentDrop, DamagedOrUnknownDataIsRefused)
{
    RecordDroppedFiles();
    // A list whose last name runs to the block's end without its zero.
    std::string damaged = FileList({"C:\\docs\\a.rtf"});
    damaged.resize(damaged.size() - 2);
    TTestData files(CF_HDROP, damaged);
    DragAndDrop(&files, ScreenAt(0, 2), ScreenAt(0, 4));
    EXPECT_TRUE(HookFiles.empty());
    EXPECT_EQ(HookMode, 0);
    // Data that is neither text nor files: refused at once, and the text stays as it was.
    TTestData other(CF_TIFF, "II*\0");
    EXPECT_EQ(DragAndDrop(&other, ScreenAt(0, 2), ScreenAt(0, 4)), DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(ParagraphText(0).substr(0, 14), "Un deux trois.");
    EXPECT_EQ(Window->State & dsMouseGestures, 0u);
}

TEST_F(DocumentDrop, NothingWhileTheDocumentIsBuilt)
{
    TTestData text(CF_TEXT, std::string("x\0", 2));
    Doc->SetModeFlag(mfConstructing, true);
    EXPECT_EQ(DragAndDrop(&text, ScreenAt(0, 2), ScreenAt(0, 4)), DWORD(DROPEFFECT_NONE));
    Doc->SetModeFlag(mfConstructing, false);
    EXPECT_EQ(ParagraphText(0).substr(0, 14), "Un deux trois.");
}

// The dispatcher's own handling: a text file dropped is opened as a document of its own; a picture
// dropped with Ctrl is inserted at the drop point, one undoable step.
TEST_F(DocumentDrop, TheDispatcherOpensFilesAndInsertsPictures)
{
    const std::string name = qptest::ScratchDir() + "\\lettre.txt";
    FILE* f = std::fopen(name.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("Bonjour.\r\n", f);
    std::fclose(f);
    TTestData file(CF_HDROP, FileList({name}));
    DragAndDrop(&file, ScreenAt(0, 2), ScreenAt(0, 4));
    ASSERT_EQ(Dispatcher.DocumentCount(), 2);
    EXPECT_EQ(Dispatcher.Document(1)->GetText(TextPosAt(0, 0), 8), "Bonjour.");

    TTestData picture(CF_HDROP, FileList({qptest::DataPath("png/basn2c08.png")}));
    DragAndDrop(&picture, ScreenAt(0, 2), ScreenAt(1, 6), MK_CONTROL);
    EXPECT_EQ(Dispatcher.DocumentCount(), 2);
    ASSERT_EQ(Doc->ObjectManager->Objects.size(), 1u);
    EXPECT_NE(Doc->GetObjectAt(TextPosAt(1, 6)), nullptr);
    Doc->OperationManager->Undo();
    EXPECT_EQ(Doc->GetObjectAt(TextPosAt(1, 6)), nullptr);
}

} // namespace
