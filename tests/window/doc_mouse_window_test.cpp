// The document window under real mouse messages: clicks place the caret, drags select, double and triple
// clicks select a word and a paragraph, Shift extends, Alt+drag takes a rectangle of text.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "classlib/windowing/Forms.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "core/TabTables.h"
#include "../common/test_support.h"
#include "../common/rtf_document.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "document/PageSetup.h"
#include "document/Paragraph.h"
#include "document/ParLine.h"
#include "document/Section.h"
#include "formats/DocumentMemory.h"
#include "formats/load/LoadInput.h"
#include "formats/text/PlainText.h"
#include "editing/Builders.h"
#include "editing/OperationManager.h"
#include "core/Events.h"
#include "shell/DocDisp.h"
#include "tools/ClipboardManager.h"
#include "window/DocForm.h"

namespace {

class DocumentMouse : public testing::Test {
protected:
    void SetUp() override
    {
        SilentMessages = true;
        InstallRangeCopier(); // copies go through the document's own memory format, as the program sets up
        SavedEdit = CurrentOptions().Edit;
        Doc = Dispatcher.AddDocument(std::make_unique<TDocument>(false));
        const std::string text = "Un deux trois quatre cinq.\r\n"
                                 "Alpha beta gamma delta epsilon.\r\n"
                                 "Le troisieme paragraphe est ici.\r\n"
                                 "Fin.\r\n";
        TLoadInput input(text.data(), int64_t(text.size()));
        int64_t length = 0;
        ReadPlainTextDocument(*Doc, input, TPlainTextFormats(), length);
        Doc->Relayout();
        Window = Doc->Window;
        Window->SetClientSize(700, 500);
        Window->Show();
        Application->ProcessMessages();
    }
    void TearDown() override { CurrentOptions().Edit = SavedEdit; }

    // The client point in the middle of the line at a text position, at the position's boundary.
    TPoint PointAt(int32_t par, int32_t offset)
    {
        Doc->SetCaret(par, offset, 0, 0);
        const TPoint doc{Doc->CaretState.X + Doc->CaretState.Shape.XOffset,
                         Doc->CaretState.Y + Doc->CaretState.Shape.Height / 2};
        return Window->DocToClient(doc);
    }
    void Send(UINT msg, TPoint p, WPARAM keys)
    {
        SendMessageA(Window->Handle(), msg, keys, MAKELPARAM(p.X, p.Y));
    }
    void Click(TPoint p, WPARAM keys = 0)
    {
        Send(WM_LBUTTONDOWN, p, MK_LBUTTON | keys);
        Send(WM_LBUTTONUP, p, keys);
    }
    void Drag(TPoint from, TPoint to, WPARAM keys = 0)
    {
        Send(WM_LBUTTONDOWN, from, MK_LBUTTON | keys);
        Send(WM_MOUSEMOVE, TPoint{(from.X + to.X) / 2, (from.Y + to.Y) / 2}, MK_LBUTTON | keys);
        Send(WM_MOUSEMOVE, to, MK_LBUTTON | keys);
        Send(WM_LBUTTONUP, to, keys);
    }
    static void HoldAlt(bool down)
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_MENU] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    void DoubleClick(TPoint p)
    {
        Click(p);
        Send(WM_LBUTTONDBLCLK, p, MK_LBUTTON);
        Send(WM_LBUTTONUP, p, 0);
    }
    // The first page's text area and the bottom and height of a paragraph's line, in document pixels.
    struct TTextFrame {
        int32_t TextLeft = 0, TextWidth = 0, Bottom = 0, Pitch = 0;
    };
    TTextFrame FrameBelow(int32_t paragraph)
    {
        TTextFrame frame;
        const THitResult hit = Window->HitTest(PointAt(paragraph, 0));
        if (!hit.Line)
            return frame;
        const TRect page = Doc->GetPageRect(0);
        const TPageSetup& ps = Doc->Sections[0]->PageSetup;
        frame.TextLeft = page.Left + Doc->GetPageMargins(ps, 0).LeftZoom;
        frame.TextWidth = Doc->TwipsToDeviceY(ps[psTextWidth]);
        frame.Pitch = hit.Line->GetDisplayHeight();
        frame.Bottom = page.Top + Doc->ApplyZoom(hit.Line->Y) + frame.Pitch;
        return frame;
    }
    // A word selected by a double click, then three moves so that the next press is not a third click.
    void SelectWord(TPoint p)
    {
        DoubleClick(p);
        for (int i = 0; i < 3; ++i)
            Send(WM_MOUSEMOVE, TPoint{p.X, p.Y + i}, 0);
    }
    std::string Selected() { return Doc->GetRangeText(Doc->Selection); }
    std::string ParagraphText(int32_t par)
    {
        return Doc->GetText(TextPosAt(par, 0), Doc->ParagraphLength(par));
    }

    TDocDispatcher Dispatcher;
    TDocument* Doc = nullptr;
    TDocumentForm* Window = nullptr;
    TEditOptions SavedEdit;
};

// How often a word stands in a text.
int Occurrences(const std::string& text, const std::string& word)
{
    int n = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++n;
    return n;
}

void ExpectPos(const TTextPos& pos, int32_t par, int32_t offset)
{
    EXPECT_EQ(pos.ParIndex, par);
    EXPECT_EQ(pos.Offset, offset);
}

TEST_F(DocumentMouse, ClickPlacesTheCaretAndADragSelects)
{
    CurrentOptions().Edit.SelWholeWords = false;
    Click(PointAt(1, 6));
    EXPECT_FALSE(Doc->HasSelection());
    ExpectPos(Doc->Caret, 1, 6);
    EXPECT_EQ(Window->State & dsMouseGestures, 0u);

    // Character by character across paragraphs, forwards and backwards.
    Drag(PointAt(0, 3), PointAt(1, 5));
    ExpectPos(Doc->Selection.StartPos, 0, 3);
    ExpectPos(Doc->Selection.EndPos, 1, 5);
    ExpectPos(Doc->Caret, 1, 5);
    Drag(PointAt(2, 9), PointAt(1, 11));
    ExpectPos(Doc->Selection.StartPos, 1, 11);
    ExpectPos(Doc->Selection.EndPos, 2, 9);
    ExpectPos(Doc->Caret, 1, 11);

    // Shift+click extends from where the caret was.
    const TPoint from = PointAt(0, 2), to = PointAt(0, 8);
    Click(from);
    Click(to, MK_SHIFT);
    EXPECT_EQ(Selected(), " deux ");
    // A click collapses the selection; so does a press and release inside it.
    Click(PointAt(0, 5));
    EXPECT_FALSE(Doc->HasSelection());
}

TEST_F(DocumentMouse, WholeWordsWhenTheDragLeavesAWord)
{
    CurrentOptions().Edit.SelWholeWords = true;
    Drag(PointAt(1, 8), PointAt(1, 14));
    EXPECT_EQ(Selected(), "beta gamma");
    // Within one word the drag stays character by character.
    Click(PointAt(3, 1));
    Drag(PointAt(1, 7), PointAt(1, 9));
    EXPECT_EQ(Selected(), "et");
}

TEST_F(DocumentMouse, DoubleClickSelectsAWordTripleClickTheParagraph)
{
    const TPoint p = PointAt(1, 13); // inside "gamma"
    DoubleClick(p);
    EXPECT_EQ(Selected(), "gamma");
    // A third click at once: the paragraph.
    Click(p);
    ExpectPos(Doc->Selection.StartPos, 1, 0);
    EXPECT_EQ(Selected().substr(0, 31), "Alpha beta gamma delta epsilon.");

    // Three moves after the double click and the next click is an ordinary one inside the selection.
    DoubleClick(p);
    for (int i = 0; i < 3; ++i)
        Send(WM_MOUSEMOVE, TPoint{p.X + i, p.Y}, 0);
    Click(p);
    EXPECT_FALSE(Doc->HasSelection());

    // Double click, then drag: the selection grows by whole words.
    Click(p);
    Send(WM_LBUTTONDBLCLK, p, MK_LBUTTON);
    Send(WM_MOUSEMOVE, PointAt(1, 24), MK_LBUTTON);
    Send(WM_LBUTTONUP, PointAt(1, 24), 0);
    EXPECT_EQ(Selected(), "gamma delta epsilon");
}

TEST_F(DocumentMouse, SelectionBarSelectsLinesAndCtrlClickASentence)
{
    const TPoint line = PointAt(2, 0);
    const TPoint bar{line.X - 30, line.Y};
    Click(bar);
    EXPECT_EQ(Selected().substr(0, 32), "Le troisieme paragraphe est ici.");
    ExpectPos(Doc->Selection.StartPos, 2, 0);
    Click(PointAt(0, 8), MK_CONTROL);
    EXPECT_EQ(Selected(), "Un deux trois quatre cinq.");
}

TEST_F(DocumentMouse, AltDragTakesARectangleOfText)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    // From "deux" on the first line to "gamma" on the second: the columns between, a line each.
    const TPoint from = PointAt(0, 3), to = PointAt(1, 11);
    Send(WM_LBUTTONDOWN, TPoint{from.X, from.Y - 4}, MK_LBUTTON);
    EXPECT_TRUE(Window->State & dsRectSelecting);
    EXPECT_FALSE(Doc->HasSelection());
    Send(WM_MOUSEMOVE, TPoint{to.X, to.Y + 4}, MK_LBUTTON);
    Send(WM_LBUTTONUP, TPoint{to.X, to.Y + 4}, 0);
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(Window->State & dsMouseGestures, 0u);
    EXPECT_EQ(Window->LastRectangleText, "deux tro\r\nha beta \r\n");
    // Without Ctrl the rectangle goes to the clipboard as text.
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_TEXT);
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(data)), "deux tro\r\nha beta \r\n");
    GlobalUnlock(data);
    CloseClipboard();
    // The block stays shown as the document's rectangular selection until a click places the caret.
    EXPECT_TRUE(Doc->BlockSelection.Active);
    EXPECT_EQ(Doc->GetBlockText(), "deux tro\r\nha beta \r\n");
    Send(WM_LBUTTONDOWN, from, MK_LBUTTON);
    Send(WM_LBUTTONUP, from, 0);
    EXPECT_FALSE(Doc->BlockSelection.Active);
}

namespace {

// The program events fired while it lives.
struct TEventRecorder : TEventHandler {
    std::vector<int32_t> Events;
    void HandleEvent(int32_t event) override { Events.push_back(event); }
};

std::string ClipboardFormatData(UINT format)
{
    std::string data;
    if (!OpenClipboard(nullptr))
        return data;
    if (HANDLE h = GetClipboardData(format)) {
        data.assign(static_cast<const char*>(GlobalLock(h)), GlobalSize(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return data;
}

} // namespace

TEST_F(DocumentMouse, AltDragCopiesTheBlockInEveryFormatAndFiresTheCopyEvent)
{
    TClipboardManager manager;
    TEventRecorder recorder;
    // The same Alt+drag as above, from "deux" to "gamma".
    const auto altDrag = [this] {
        HoldAlt(true);
        const TPoint from = PointAt(0, 3), to = PointAt(1, 11);
        Drag(TPoint{from.X, from.Y - 4}, TPoint{to.X, to.Y + 4});
        HoldAlt(false);
    };
    altDrag();
    // The block's lines as the program's formats give them, marked rectangular.
    EXPECT_EQ(std::string(ClipboardFormatData(CF_TEXT).c_str()), "deux tro\r\nha beta ");
    EXPECT_EQ(ClipboardFormatData(RegisterClipboardFormatA("Rich Text Format")).rfind("{\\rtf1", 0), 0u);
    EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatA("Rectangular Selection")));
    EXPECT_EQ(recorder.Events, std::vector<int32_t>{2320});

    // Another window holds the clipboard open: whatever the copy gives, the event fires once.
    recorder.Events.clear();
    HWND other = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(other));
    altDrag();
    CloseClipboard();
    DestroyWindow(other);
    EXPECT_EQ(recorder.Events, std::vector<int32_t>{2320});
}

TEST_F(DocumentMouse, ClicksNeverLandBetweenTheBytesOfADoubleByteCharacter)
{
    // Three Japanese characters in a Shift-JIS font: each is a lead and a trail byte.
    ASSERT_TRUE(qptest::LoadRtfText(*Doc, "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 MS Gothic;}}"
                                          "\\f0\\fs24 \\'93\\'fa\\'82\\'a0\\'82\\'a0\\par}"));
    Application->ProcessMessages();
    const int32_t last = Doc->Paragraphs[0]->CharacterCount() - 1;
    const TPoint start = PointAt(0, 0), end = PointAt(0, last);
    ASSERT_GT(end.X - start.X, 20);
    for (int32_t x = start.X; x <= end.X; x += 2) {
        Click(TPoint{x, start.Y});
        const int32_t offset = Doc->Caret.Offset;
        EXPECT_EQ(Doc->CharBoundary(0, offset, true), offset) << "x " << x - start.X;
        // Dragging from the start ends the selection at a character's edge too.
        Drag(start, TPoint{x, start.Y});
        EXPECT_EQ(Doc->CharBoundary(0, Doc->Caret.Offset, true), Doc->Caret.Offset) << "x " << x - start.X;
    }
}

TEST_F(DocumentMouse, AWheelNotchScrollsTheSystemsLinesOfSixteenPixels)
{
    Doc->SetZoom(300);
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int32_t step = std::min<int32_t>(int32_t(lines) * 16, Doc->ViewState.ScrollRanges.VertPage);
    const int32_t y = Doc->ViewState.ScrollPos.Y;
    SendMessageA(Window->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), MAKELPARAM(100, 100));
    EXPECT_EQ(Doc->ViewState.ScrollPos.Y, y + step);
    SendMessageA(Window->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-2 * WHEEL_DELTA)),
                 MAKELPARAM(100, 100));
    EXPECT_EQ(Doc->ViewState.ScrollPos.Y, y + 3 * step);
    // With Shift, a page at a time.
    SendMessageA(Window->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, WHEEL_DELTA), MAKELPARAM(100, 100));
    EXPECT_EQ(Doc->ViewState.ScrollPos.Y, std::max(0, y + 3 * step - Doc->ViewState.ScrollRanges.VertPage));
}

TEST_F(DocumentMouse, APictureDraggedByItsCornerChangesItsScale)
{
    Doc->SetCaret(1, 6, 0, 0);
    InsertPictureFromFile(*Doc, qptest::DataPath("png/basn2c08.png"), 14);
    TDocObject* picture = Doc->GetObjectAt(TextPosAt(1, 6));
    ASSERT_NE(picture, nullptr);
    const int32_t scaleX = picture->ScaleX, scaleY = picture->ScaleY;
    // A click on the picture selects it; its bottom-right handle lies just outside its corner.
    TRect frame;
    ASSERT_TRUE(Window->ObjectClientRect(TextPosAt(1, 6), frame));
    Click(TPoint{(frame.Left + frame.Right) / 2, (frame.Top + frame.Bottom) / 2});
    ASSERT_TRUE(Doc->IsSingleObjectRange(Doc->Selection));
    const int32_t w = frame.Right - frame.Left, h = frame.Bottom - frame.Top;
    const TPoint handle{frame.Right + 4, frame.Bottom + 4};
    EXPECT_EQ(Window->HitTest(handle).ObjectHandle, 8);
    // Twice as wide and high.
    Drag(handle, TPoint{handle.X + w, handle.Y + h});
    EXPECT_NEAR(picture->ScaleX, 2 * scaleX, 3);
    EXPECT_NEAR(picture->ScaleY, 2 * scaleY, 3);
    // Much too far: held at 1000 %; one undo takes back one drag.
    ASSERT_TRUE(Window->ObjectClientRect(TextPosAt(1, 6), frame));
    Doc->Select(1, 6, 1, 7, 0);
    Drag(TPoint{frame.Right + 4, frame.Bottom + 4}, TPoint{frame.Right + 40 * w, frame.Bottom + 40 * h});
    EXPECT_EQ(picture->ScaleX, 1000);
    EXPECT_EQ(picture->ScaleY, 1000);
    Doc->OperationManager->Undo();
    EXPECT_NEAR(picture->ScaleX, 2 * scaleX, 3);
    Doc->OperationManager->Undo();
    EXPECT_EQ(picture->ScaleX, scaleX);
    EXPECT_EQ(picture->ScaleY, scaleY);
}

TEST_F(DocumentMouse, DoubleClickInEmptySpaceRunsTheClickAndTypeSteps)
{
    const int32_t lastParagraph = Doc->StoryEnd(stMain);
    const TTextFrame frame = FrameBelow(lastParagraph);
    ASSERT_GT(frame.Pitch, 0);
    const int32_t textLeft = frame.TextLeft, textWidth = frame.TextWidth, bottom = frame.Bottom,
                  pitch = frame.Pitch;
    const int32_t count = Doc->ParagraphCount(), undo = Doc->UndoList.Count();

    // A line and a half below the text, in the middle: two paragraphs, the second centred, the caret in it.
    const TPoint centre = Window->DocToClient(TPoint{textLeft + textWidth / 2, bottom + pitch * 3 / 2});
    ASSERT_TRUE(Window->HitTest(centre).ClickAndType.Possible);
    DoubleClick(centre);
    ASSERT_EQ(Doc->ParagraphCount(), count + 2);
    EXPECT_EQ(Doc->Paragraphs[size_t(lastParagraph + 2)]->ParaFormat[pfAlignment], 1);
    EXPECT_EQ(Doc->Paragraphs[size_t(lastParagraph + 1)]->ParaFormat[pfAlignment], 0);
    ExpectPos(Doc->Caret, lastParagraph + 2, 0);
    EXPECT_EQ(Doc->UndoList.Count(), undo + 1);
    // The next click, with nothing typed, takes it back.
    Click(PointAt(0, 2));
    EXPECT_EQ(Doc->ParagraphCount(), count);

    // Two inches in, just below the text: a left stop at the click and a tab before the caret.
    const TPoint left = Window->DocToClient(TPoint{textLeft + Doc->TwipsToDeviceY(2880), bottom + 2});
    DoubleClick(left);
    ASSERT_EQ(Doc->ParagraphCount(), count + 1);
    const TParagraph& target = *Doc->Paragraphs[size_t(lastParagraph + 1)];
    ASSERT_GE(target.ParaFormat[pfTabTable], 0);
    const TTabTable& tabs = Doc->TabManager->Table(target.ParaFormat[pfTabTable]);
    ASSERT_EQ(tabs.Count(), 1);
    EXPECT_NEAR(TabStopPosition(tabs[0]), 2880, 15);
    EXPECT_EQ(target.PlainText.Data()[0], 7);
    // The caret goes into the new paragraph (after the tab where the paragraph has an end mark to stand
    // before; the text's last paragraph here has none).
    EXPECT_EQ(Doc->Caret.ParIndex, lastParagraph + 1);
    // One step back.
    Doc->OperationManager->Undo();
    EXPECT_EQ(Doc->ParagraphCount(), count);
}

TEST_F(DocumentMouse, TextDraggedElsewhereMovesAndWithCtrlCopiesInOneStep)
{
    const std::string before = ParagraphText(1);
    const TPoint word = PointAt(1, 8), target = PointAt(1, 23), end = PointAt(1, 10), start = PointAt(1, 6);
    SelectWord(word); // "beta"
    ASSERT_EQ(Selected(), "beta");
    const int32_t undo = Doc->UndoList.Count();
    Drag(word, target);
    std::string after = ParagraphText(1);
    EXPECT_EQ(Occurrences(after, "beta"), 1);
    EXPECT_LT(after.find("delta"), after.find("beta"));
    EXPECT_LT(after.find("beta"), after.find("epsilon"));
    EXPECT_EQ(Doc->UndoList.Count(), undo + 1);
    Doc->OperationManager->Undo();
    EXPECT_EQ(ParagraphText(1), before);

    // With Ctrl the text is copied there.
    SelectWord(word);
    Send(WM_LBUTTONDOWN, word, MK_LBUTTON | MK_CONTROL);
    Send(WM_MOUSEMOVE, target, MK_LBUTTON | MK_CONTROL);
    Send(WM_LBUTTONUP, target, MK_CONTROL);
    after = ParagraphText(1);
    EXPECT_EQ(Occurrences(after, "beta"), 2);
    EXPECT_LT(after.find("delta"), after.rfind("beta"));
    Doc->OperationManager->Undo();
    EXPECT_EQ(ParagraphText(1), before);

    // Dropped on one of its own ends a move does nothing but collapse; a copy copies.
    SelectWord(word);
    Drag(word, end);
    EXPECT_EQ(ParagraphText(1), before);
    EXPECT_FALSE(Doc->HasSelection());
    SelectWord(word);
    Send(WM_LBUTTONDOWN, word, MK_LBUTTON | MK_CONTROL);
    Send(WM_MOUSEMOVE, start, MK_LBUTTON | MK_CONTROL);
    Send(WM_LBUTTONUP, start, MK_CONTROL);
    EXPECT_EQ(Occurrences(ParagraphText(1), "beta"), 2);
}

TEST_F(DocumentMouse, NothingHappensWhileTheDocumentIsBuilt)
{
    const TPoint a = PointAt(0, 1), b = PointAt(2, 3);
    Click(PointAt(1, 4));
    Doc->SetModeFlag(mfConstructing, true);
    Drag(a, b);
    Send(WM_LBUTTONDBLCLK, a, MK_LBUTTON);
    Doc->SetModeFlag(mfConstructing, false);
    EXPECT_FALSE(Doc->HasSelection());
    ExpectPos(Doc->Caret, 1, 4);
    EXPECT_EQ(Window->State & dsMouseGestures, 0u);
}

// Click and type: what a double click in empty space would do, as the hit under the pointer says.
TEST_F(DocumentMouse, ClickAndTypeStepsBelowAndBesideTheText)
{
    // The text ends with an empty paragraph.
    const int32_t lastParagraph = Doc->StoryEnd(stMain);
    ASSERT_EQ(lastParagraph, 4);
    const TTextFrame frame = FrameBelow(lastParagraph);
    ASSERT_GT(frame.Pitch, 0);
    const int32_t textLeft = frame.TextLeft, textWidth = frame.TextWidth, bottom = frame.Bottom,
                  pitch = frame.Pitch;
    auto at = [&](int32_t x, int32_t y) {
        return Window->HitTest(Window->DocToClient(TPoint{x, y})).ClickAndType;
    };

    // Just below the last line, in the middle: one paragraph, centred.
    TClickAndTypeData data = at(textLeft + textWidth / 2, bottom + 2);
    ASSERT_TRUE(data.Possible);
    EXPECT_EQ(data.Cursor, 25);
    EXPECT_EQ(data.TargetParagraph, 5);
    ASSERT_EQ(data.StepCount, 2);
    EXPECT_EQ(data.Steps[0].Kind, 0);
    EXPECT_EQ(data.Steps[0].A, 1);
    EXPECT_EQ(data.Steps[1].Kind, 1);
    EXPECT_EQ(data.Steps[1].A, 1);
    // Two and a half lines lower: three paragraphs; near the right edge: right alignment.
    data = at(textLeft + textWidth - 5, bottom + pitch * 5 / 2);
    ASSERT_TRUE(data.Possible);
    EXPECT_EQ(data.Cursor, 26);
    EXPECT_EQ(data.Steps[0].A, 3);
    EXPECT_EQ(data.TargetParagraph, 7);
    EXPECT_EQ(data.Steps[1].Kind, 1);
    EXPECT_EQ(data.Steps[1].A, 2);
    // Left zone two inches in: every stop removed, a left stop at the click and a tab before the text.
    data = at(textLeft + Doc->TwipsToDeviceY(2880), bottom + 2);
    ASSERT_TRUE(data.Possible);
    EXPECT_EQ(data.Cursor, 23);
    ASSERT_EQ(data.StepCount, 5);
    EXPECT_EQ(data.Steps[2].Kind, 4);
    EXPECT_EQ(data.Steps[3].Kind, 5);
    EXPECT_NEAR(data.Steps[3].A, 2880, 15);
    EXPECT_EQ(data.Steps[3].B, 0);
    EXPECT_EQ(data.Steps[4].Kind, 3);
    EXPECT_EQ(data.Steps[4].A, 0);

    // Right of the first line's text, in the middle: a centred stop there and a tab before the mark.
    const int32_t firstLineY = PointAt(0, 0).Y;
    const TPoint beside = Window->DocToClient(TPoint{textLeft + textWidth / 2, 0});
    data = Window->HitTest(TPoint{beside.X, firstLineY}).ClickAndType;
    ASSERT_TRUE(data.Possible);
    EXPECT_EQ(data.Cursor, 25);
    EXPECT_EQ(data.TargetParagraph, 0);
    ASSERT_EQ(data.StepCount, 2);
    EXPECT_EQ(data.Steps[0].Kind, 5);
    EXPECT_EQ(data.Steps[0].B, 1);
    EXPECT_EQ(data.Steps[1].Kind, 3);
    EXPECT_EQ(data.Steps[1].A, Doc->ParagraphLength(0) - 1);

    // On the text, and with the option off, nothing is offered.
    EXPECT_FALSE(Window->HitTest(PointAt(1, 3)).ClickAndType.Possible);
    CurrentOptions().Edit.ClickType = false;
    EXPECT_FALSE(at(textLeft + textWidth / 2, bottom + 2).Possible);
}

} // namespace
