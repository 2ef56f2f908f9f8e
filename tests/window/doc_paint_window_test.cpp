// The document window painting a multi-page RTF document: screenshots of its client area at 100 % and
// at whole-page zoom (written beside the test program), and the update region after a one-character
// edit.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "classlib/graphics/Bitmap.h"
#include "classlib/runtime/FileStream.h"
#include "classlib/windowing/Forms.h"
#include "document/Document.h"
#include "document/Page.h"
#include "document/Paragraph.h"
#include "codecs/PNG.h"
#include "shell/DocDisp.h"
#include "tests/common/rtf_document.h"
#include "tests/common/test_support.h"
#include "window/DocForm.h"

namespace {

// The window's client area as it stands on the screen, in a 24-bit bitmap.
TBitmap CaptureClient(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    GdiFlush();
    TBitmap out;
    out.SetPixelFormat(pf24bit);
    out.SetSize(client.right, client.bottom);
    const int stride = (client.right * 3 + 3) & ~3;
    for (int y = 0; y < client.bottom; ++y) {
        const uint8_t* from = static_cast<const uint8_t*>(bits) + size_t(y) * size_t(stride);
        uint8_t* to = out.ScanLine(y);
        for (int x = 0; x < client.right; ++x) {
            to[x * 3] = from[x * 3];
            to[x * 3 + 1] = from[x * 3 + 1];
            to[x * 3 + 2] = from[x * 3 + 2];
        }
    }
    SelectObject(memory, old);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return out;
}

void SavePng(const TBitmap& bitmap, const std::string& name)
{
    TPNGImage png;
    png.Assign(bitmap);
    TFileStream file(qptest::BuildBinPath(name), fmCreate);
    png.SaveToStream(file);
}

// Pixels of the bitmap whose colour passes a test.
int Count(const TBitmap& b, bool (*test)(const uint8_t*))
{
    int n = 0;
    for (int32_t y = 0; y < b.GetHeight(); ++y)
        for (int32_t x = 0; x < b.GetWidth(); ++x)
            n += test(b.ScanLine(y) + x * 3) ? 1 : 0;
    return n;
}

bool IsWhite(const uint8_t* p)
{
    return p[0] == 255 && p[1] == 255 && p[2] == 255;
}

bool IsInk(const uint8_t* p)
{
    return p[0] + p[1] + p[2] < 200;
}

class DocumentPainting : public testing::Test {
protected:
    void SetUp() override
    {
        Doc = Dispatcher.AddDocument(std::make_unique<TDocument>(false));
        const std::string rtf = qptest::ReadFileBytes(qptest::DataPath("drawing/plusieurs-pages.rtf"));
        ASSERT_FALSE(rtf.empty());
        ASSERT_TRUE(qptest::LoadRtfText(*Doc, rtf));
        Window = Doc->Window;
        Window->SetClientSize(820, 620);
        Window->Show();
        Pump();
        Doc->PaginateAll();
        Pump();
    }
    void Pump()
    {
        for (int i = 0; i < 5; ++i) {
            Application->ProcessMessages();
            UpdateWindow(Window->Handle());
            Sleep(20);
        }
    }
    TDocDispatcher Dispatcher;
    TDocument* Doc = nullptr;
    TDocumentForm* Window = nullptr;
};

TEST_F(DocumentPainting, PagesAtOneHundredPercentAndWholePage)
{
    ASSERT_GE(Doc->Pages.size(), 2u);
    Doc->SetZoomKind(0);
    Doc->SetZoom(100);
    Pump();
    Doc->PaginateAll();
    const TBitmap full = CaptureClient(Window->Handle());
    SavePng(full, "doc-window-100.png");
    // Paper fills most of the view, and text is drawn on it.
    EXPECT_GT(Count(full, IsWhite), full.GetWidth() * full.GetHeight() / 3);
    EXPECT_GT(Count(full, IsInk), 500);

    Doc->SetZoomKind(3);
    Pump();
    const TBitmap whole = CaptureClient(Window->Handle());
    SavePng(whole, "doc-window-whole-page.png");
    // The whole first page fits: paper with the grey around it, less paper than at 100 %.
    EXPECT_GT(Count(whole, IsWhite), 10000);
    EXPECT_LT(Count(whole, IsWhite), Count(full, IsWhite));
    EXPECT_GT(Count(whole, IsInk), 100);
}

TEST_F(DocumentPainting, AOneCharacterEditInvalidatesOnlyItsLine)
{
    Doc->SetZoomKind(0);
    Doc->SetZoom(100);
    Pump();
    Doc->PaginateAll();
    Pump();
    ValidateRect(Window->Handle(), nullptr);
    // A character of the second paragraph typed over, its line measured again in place.
    const int32_t par = 1, offset = 3;
    TParagraph& p = *Doc->Paragraphs[par];
    ASSERT_TRUE(p.IsOnPage());
    p.Text.Data()[p.CharToStreamOffset(offset)] = 'x';
    p.UpdatePlainText();
    ASSERT_TRUE(p.Lines[0]->Relayout());
    Doc->InvalidateRange(TTextRange{{par, offset, 0, 0, 0, 0}, {par, offset + 1, 0, 0, 0, 0}});

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetUpdateRgn(Window->Handle(), region, FALSE), ERROR);
    const DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<uint8_t> data(size);
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    GetRegionData(region, size, rgn);
    DeleteObject(region);
    EXPECT_EQ(rgn->rdh.nCount, 1u);
    const TRect line = Doc->LineClientRect(*p.Lines[0]);
    EXPECT_EQ(rgn->rdh.rcBound.left, line.Left);
    EXPECT_EQ(rgn->rdh.rcBound.top, line.Top);
    EXPECT_EQ(rgn->rdh.rcBound.right, line.Right);
    EXPECT_EQ(rgn->rdh.rcBound.bottom, line.Bottom);
    // The next paint draws the line with the new character and leaves nothing to paint.
    UpdateWindow(Window->Handle());
    RECT rest;
    EXPECT_FALSE(GetUpdateRect(Window->Handle(), &rest, FALSE));
}

} // namespace
