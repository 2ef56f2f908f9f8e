// The read-only viewer of texts with inline formatting codes (the tips, formatted messages).
#include "shell/RichViewer.h"

#include <windows.h>

#include <cstring>

namespace {

// The look in force: five toggles (bold, italic, underline, strikeout, larger) and a colour.
struct TRichFont {
    bool Toggles[5] = {};
    COLORREF Color = GetSysColor(COLOR_WINDOWTEXT);
};

HFONT MakeFont(const TRichFont& f)
{
    return CreateFontA(f.Toggles[4] ? -16 : -13, 0, 0, 0, f.Toggles[0] ? FW_BOLD : FW_NORMAL, f.Toggles[1],
                       f.Toggles[2], f.Toggles[3], DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
}

} // namespace

void TRichViewer::SetText(const std::string& text)
{
    FText = text;
    if (HandleAllocated())
        InvalidateRect(Handle(), nullptr, TRUE);
}

std::string TRichViewer::LaidOutText()
{
    HDC dc = GetDC(HandleAllocated() ? Handle() : nullptr);
    std::string lines = Flow(dc, false);
    ReleaseDC(HandleAllocated() ? Handle() : nullptr, dc);
    return lines;
}

void TRichViewer::Paint()
{
    HDC dc = Canvas().Handle();
    if (PaintTopBand) {
        RECT r{0, 0, Width(), Height()};
        FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
    }
    Flow(dc, true);
}

void TRichViewer::WndProc(TMessage& message)
{
    TCustomControl::WndProc(message);
    if (message.Msg == WM_SIZE && HandleAllocated())
        InvalidateRect(Handle(), nullptr, TRUE);
}

std::string TRichViewer::Flow(HDC dc, bool draw)
{
    const TRichFont standard;
    TRichFont look = standard;
    HFONT font = MakeFont(look);
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    const int right = Width() - LeftMargin;
    int x = LeftMargin, y = 2, lineHeight = 0;
    std::string lines;
    auto newLine = [&] {
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        y += std::max(lineHeight, int(tm.tmHeight));
        x = LeftMargin;
        lineHeight = 0;
        lines += '\n';
    };
    auto apply = [&](char code) {
        static const char toggles[] = "biusr";
        if (code == 'd')
            look = standard;
        else if (const char* t = std::strchr(toggles, code))
            look.Toggles[t - toggles] = !look.Toggles[t - toggles];
        else if (code == 'A')
            look.Color = GetSysColor(COLOR_WINDOWTEXT);
        else if (code == 'R')
            look.Color = RGB(255, 0, 0);
        else if (code == 'B')
            look.Color = RGB(0, 0, 255);
        else if (code == 'G')
            look.Color = RGB(0, 128, 0);
        else if (code == 'F')
            look.Color = RGB(255, 0, 255);
        else if (code == 'p')
            newLine();
        HFONT next = MakeFont(look);
        SelectObject(dc, next);
        DeleteObject(font);
        font = next;
    };
    const std::string& t = FText;
    size_t i = 0;
    while (i < t.size()) {
        if (t[i] == '^' && i + 1 < t.size() && t[i + 1] && std::strchr("dbiusrARBGFp@(J", t[i + 1])) {
            apply(t[i + 1]);
            i += 2;
            continue;
        }
        if (t[i] == ' ') {
            if (x > LeftMargin) {
                SIZE size{};
                GetTextExtentPoint32A(dc, " ", 1, &size);
                x += size.cx;
                lines += ' ';
            }
            ++i;
            continue;
        }
        // A word: up to a blank or a code.
        size_t end = i;
        while (end < t.size() && t[end] != ' ' &&
               !(t[end] == '^' && end + 1 < t.size() && t[end + 1] &&
                 std::strchr("dbiusrARBGFp@(J", t[end + 1])))
            ++end;
        const std::string word = t.substr(i, end - i);
        SIZE size{};
        GetTextExtentPoint32A(dc, word.data(), int(word.size()), &size);
        if (x > LeftMargin && x + size.cx > right) {
            while (!lines.empty() && lines.back() == ' ')
                lines.pop_back();
            newLine();
        }
        if (draw) {
            SetTextColor(dc, look.Color);
            TextOutA(dc, x, y, word.data(), int(word.size()));
        }
        x += size.cx;
        lineHeight = std::max(lineHeight, int(size.cy));
        lines += word;
        i = end;
    }
    SelectObject(dc, old);
    DeleteObject(font);
    return lines;
}
