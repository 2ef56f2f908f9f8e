// Another program on the clipboard, for the clipboard tests: it puts text, Unicode text, Rich Text
// Format or a bitmap on the clipboard and stays its owner until told to go, or reads what the clipboard
// holds into a file.
//   clip_helper put-text TEXT | put-unicode | put-rtf RTF | put-dib | put-bad-dib
//   clip_helper read FORMAT-NAME|NUMBER FILE | formats FILE
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

HGLOBAL Block(const void* data, size_t size)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(h), data, size);
    GlobalUnlock(h);
    return h;
}

UINT FormatOf(const char* name)
{
    if (name[0] >= '0' && name[0] <= '9')
        return UINT(std::atoi(name));
    return RegisterClipboardFormatA(name);
}

// Signals the test that the clipboard is filled, then stays its owner until the test is done with it.
void Hold()
{
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, "QuillpadClipHelperReady");
    HANDLE done = OpenEventA(SYNCHRONIZE, FALSE, "QuillpadClipHelperDone");
    if (ready)
        SetEvent(ready);
    if (done)
        WaitForSingleObject(done, 20000);
}

int Put(int argc, char** argv)
{
    const std::string what = argv[1];
    if (!OpenClipboard(nullptr))
        return 2;
    EmptyClipboard();
    if (what == "put-text" && argc > 2) {
        SetClipboardData(CF_TEXT, Block(argv[2], std::strlen(argv[2]) + 1));
    } else if (what == "put-unicode") {
        // "Grüße ŵ" with a Welsh letter no Western code page has, then the ANSI stand-in.
        const wchar_t wide[] = L"Gr\u00fc\u00dfe \u0175";
        SetClipboardData(CF_UNICODETEXT, Block(wide, sizeof wide));
        SetClipboardData(CF_TEXT, Block("ansi", 5));
    } else if (what == "put-rtf" && argc > 2) {
        SetClipboardData(RegisterClipboardFormatA("Rich Text Format"),
                         Block(argv[2], std::strlen(argv[2]) + 1));
        SetClipboardData(CF_TEXT, Block("plain", 6));
    } else if (what == "put-dib" || what == "put-bad-dib") {
        // 3 by 2 pixels, 24 bits: the bottom row red, green, blue; the top row white, black, grey.
        BITMAPINFOHEADER h{};
        h.biSize = sizeof h;
        h.biWidth = 3;
        h.biHeight = 2;
        h.biPlanes = 1;
        h.biBitCount = 24;
        const unsigned char rows[24] = {0,   0,   255, 0, 255, 0, 255, 0,   0,   0, 0, 0,
                                        255, 255, 255, 0, 0,   0, 128, 128, 128, 0, 0, 0};
        std::string dib(reinterpret_cast<const char*>(&h), sizeof h);
        dib.append(reinterpret_cast<const char*>(rows), sizeof rows);
        if (what == "put-bad-dib") {
            // A header that claims far more rows than the block holds.
            BITMAPINFOHEADER* bad = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
            bad->biHeight = 4000;
        }
        SetClipboardData(CF_DIB, Block(dib.data(), dib.size()));
    } else {
        CloseClipboard();
        return 3;
    }
    CloseClipboard();
    Hold();
    return 0;
}

int Read(int argc, char** argv)
{
    const std::string what = argv[1];
    FILE* out = std::fopen(argv[argc - 1], "wb");
    if (!out)
        return 4;
    if (!OpenClipboard(nullptr)) {
        std::fclose(out);
        return 2;
    }
    if (what == "formats") {
        for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f)) {
            char name[128] = "";
            if (!GetClipboardFormatNameA(f, name, sizeof name))
                std::snprintf(name, sizeof name, "%u", f);
            std::fprintf(out, "%s\n", name);
        }
    } else if (argc > 3) {
        if (HGLOBAL h = GetClipboardData(FormatOf(argv[2]))) {
            const void* p = GlobalLock(h);
            std::fwrite(p, 1, GlobalSize(h), out);
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    std::fclose(out);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 1;
    if (std::strncmp(argv[1], "put-", 4) == 0)
        return Put(argc, argv);
    return Read(argc, argv);
}
