// The formatting commands on a document shown in its window: the client area after bold, centring,
// bullets, a larger size and double line spacing run through the command manager (written beside the
// test program as format-commands.png), and the page sample of the page dialogs drawn on a bitmap
// (page-sample.png).
#include <gtest/gtest.h>

#include <windows.h>

#include "classlib/graphics/Bitmap.h"
#include "classlib/runtime/FileStream.h"
#include "classlib/windowing/Forms.h"
#include "codecs/PNG.h"
#include "core/DCSurface.h"
#include "core/Messages.h"
#include "document/Document.h"
#include "document/PageSample.h"
#include "editing/OperationManager.h"
#include "tests/common/rtf_document.h"
#include "shell/CommandManager.h"
#include "shell/DocDisp.h"
#include "tests/common/test_support.h"
#include "window/DocForm.h"

namespace {

// A 24-bit copy of a device context's rectangle.
TBitmap Capture(HDC source, int width, int height)
{
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    TBitmap out;
    out.SetPixelFormat(pf24bit);
    out.SetSize(width, height);
    const int stride = (width * 3 + 3) & ~3;
    for (int y = 0; y < height; ++y)
        std::copy_n(static_cast<const uint8_t*>(bits) + size_t(y) * size_t(stride), width * 3,
                    out.ScanLine(y));
    SelectObject(memory, old);
    DeleteObject(section);
    DeleteDC(memory);
    return out;
}

void SavePng(const TBitmap& bitmap, const std::string& name)
{
    TPNGImage png;
    png.Assign(bitmap);
    TFileStream file(qptest::BuildBinPath(name), fmCreate);
    png.SaveToStream(file);
}

int Ink(const TBitmap& b)
{
    int n = 0;
    for (int32_t y = 0; y < b.GetHeight(); ++y)
        for (int32_t x = 0; x < b.GetWidth(); ++x) {
            const uint8_t* p = b.ScanLine(y) + x * 3;
            n += p[0] + p[1] + p[2] < 200 ? 1 : 0;
        }
    return n;
}

const char* const Demo =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}"
    "\\pard\\plain\\fs28 Titre du rapport\\par"
    "\\pard\\plain\\fs24 Premier paragraphe du texte, assez long pour courir sur deux lignes "
    "de la page et montrer la mise en forme des commandes.\\par"
    "\\pard\\plain\\fs24 Deuxi\\'e8me paragraphe.\\par"
    "\\pard\\plain\\fs24 Troisi\\'e8me paragraphe.\\par}";

} // namespace

TEST(FormatCommandsWindow, CommandsOnAShownDocument)
{
    SilentMessages = true;
    TDocDispatcher dispatcher;
    TDocument* doc = dispatcher.AddDocument(std::make_unique<TDocument>(false));
    ASSERT_TRUE(qptest::LoadRtfText(*doc, Demo));
    TDocumentForm* window = doc->Window;
    window->SetClientSize(820, 420);
    window->Show();
    auto pump = [&] {
        for (int i = 0; i < 5; ++i) {
            Application->ProcessMessages();
            UpdateWindow(window->Handle());
            Sleep(20);
        }
    };
    doc->SetZoomKind(0);
    doc->SetZoom(100);
    pump();
    auto capture = [&] {
        RECT client;
        GetClientRect(window->Handle(), &client);
        HDC dc = GetDC(window->Handle());
        TBitmap b = Capture(dc, client.right, client.bottom);
        ReleaseDC(window->Handle(), dc);
        return b;
    };
    const int before = Ink(capture());

    CommandManager().DocumentOverride = doc;
    auto run = [&](int32_t par1, int32_t off1, int32_t par2, int32_t off2,
                   std::initializer_list<int32_t> commands) {
        doc->Select(par1, off1, par2, off2, 0);
        for (int32_t c : commands)
            CommandManager().ExecuteCommand(c);
    };
    run(0, 0, 0, 16, {12120, 9081, 12280}); // the title bold, centred, a size larger
    run(1, 0, 1, 7, {12140, 12160});        // "Premier" italic and underlined
    run(1, 10, 1, 10, {9220});              // the first paragraph double spaced
    run(2, 0, 3, 5, {9320});                // bullets on the last two
    pump();
    doc->PaginateAll();
    pump();
    SavePng(capture(), "format-commands-refreshed.png");
    doc->DiscardLineLayout();
    doc->Relayout();
    doc->Invalidate();
    pump();
    const TBitmap after = capture();
    SavePng(after, "format-commands.png");
    EXPECT_EQ(doc->UndoList.Count(), 7);
    EXPECT_GT(Ink(after), before); // bold, larger and underlined text and the bullets add ink
    CommandManager().DocumentOverride = nullptr;
    SilentMessages = false;
}

TEST(FormatCommandsWindow, PageSampleOnABitmap)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 200);
    HGDIOBJ old = SelectObject(dc, bitmap);
    {
        TDCSurface surface(reinterpret_cast<TDCHandle>(dc));
        surface.FillRect(TRect{0, 0, 300, 200}, 0xC0C0C0);
        TPageSetup ps{};
        SetPageSetupDefaults(ps);
        ps[psMirrorMargins] = 1;
        ps[psLeftMargin] = 2200;
        TSectionParams sp{};
        sp[spColumnCount] = 2;
        sp[spEqualWidths] = 1;
        sp[spColumnGap] = 720;
        sp[spLineBetween] = 1;
        TPageSampleOptions o;
        o.Highlight = shLeftMargin;
        o.Blocks = 2;
        o.AffectedBlock = 1;
        o.PageNumberMark = 4;
        DrawPageSample(surface, TRect{10, 10, 290, 190}, ps, sp, o);
    }
    const TBitmap picture = Capture(dc, 300, 200);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    SavePng(picture, "page-sample.png");
    EXPECT_GT(Ink(picture), 100);
}
