// Dotted, patterned, zigzag and wave lines, dashed frames, etched rules, underline samples and the
// adaptation of text colours to a background.
#include "core/LinePatterns.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "core/Fonts.h"
#include "core/SystemColors.h"

const int32_t UnderlineStyleCodes[UnderlineStyleCount] = {0,  1,  2,  3,  4,  6,  7,  9,  10,
                                                          11, 20, 23, 25, 26, 27, 39, 43, 55};

int IndexOfUnderlineStyle(int32_t code)
{
    for (int i = 0; i < UnderlineStyleCount; ++i)
        if (UnderlineStyleCodes[i] == code)
            return i;
    return -1;
}

namespace {

void DottedH(TDrawSurface& s, int32_t x1, int32_t x2, TColorRef color, int32_t y, int32_t step)
{
    for (int32_t x = x1; x <= x2; x += step)
        s.SetPixel(x, y, color);
}

enum : int { SysColorButtonHighlight = 20 };

} // namespace

void DrawDottedHLine(TDrawSurface& s, int32_t x1, int32_t x2, TColorRef color, int32_t y)
{
    DottedH(s, x1, x2, color, y, 2);
}

void DrawSpacedDottedHLine(TDrawSurface& s, int32_t x1, int32_t x2, TColorRef color, int32_t y)
{
    DottedH(s, x1, x2, color, y, 3);
}

void DrawPatternHLine(TDrawSurface& s, int32_t x1, int32_t x2, TColorRef colorB, TColorRef colorA, int32_t y)
{
    for (int32_t x = x1; x <= x2; x += 5) {
        s.SetPixel(x, y, colorA);
        s.SetPixel(x + 1, y, colorB);
        s.SetPixel(x + 2, y, colorA);
        s.SetPixel(x + 3, y, colorB);
        s.SetPixel(x + 4, y, colorB);
    }
}

void DrawPatternVLine(TDrawSurface& s, int32_t x, int32_t y1, TColorRef colorB, TColorRef colorA, int32_t y2)
{
    for (int32_t y = y1; y <= y2; y += 5) {
        s.SetPixel(x, y, colorA);
        s.SetPixel(x, y + 1, colorB);
        s.SetPixel(x, y + 2, colorA);
        s.SetPixel(x, y + 3, colorB);
        s.SetPixel(x, y + 4, colorB);
    }
}

void DrawDottedVLine(TDrawSurface& s, int32_t x, int32_t y1, TColorRef color, int32_t y2)
{
    for (int32_t y = y1; y <= y2; y += 5) {
        s.SetPixel(x, y, color);
        s.SetPixel(x, y + 2, color);
    }
}

void DrawEtchedHLine(TDrawSurface& s, int32_t x1, int32_t x2, int32_t y)
{
    s.FillRect(TRect{x1, y, x2, y + 1}, GetSystemColor(SysColorButtonShadow));
    s.FillRect(TRect{x1, y + 1, x2, y + 2}, GetSystemColor(SysColorButtonHighlight));
}

void DrawDashedRectFrame(TDrawSurface& s, const TRect& r, TColorRef color)
{
    auto horizontal = [&](int32_t y) {
        if (y < 0)
            return;
        for (int32_t x = r.Left; x < r.Right; x += 8) {
            const int32_t from = std::max(0, x), to = std::min(x + 4, r.Right);
            if (to > from)
                s.FillRect(TRect{from, y, to, y + 1}, color);
        }
    };
    auto vertical = [&](int32_t x) {
        if (x < 0)
            return;
        for (int32_t y = r.Top; y < r.Bottom; y += 8) {
            const int32_t from = std::max(0, y), to = std::min(y + 4, r.Bottom);
            if (to > from)
                s.FillRect(TRect{x, from, x + 1, to}, color);
        }
    };
    horizontal(r.Top);
    horizontal(r.Bottom - 1);
    vertical(r.Left);
    vertical(r.Right - 1);
}

void DrawZigzagLine(TDrawSurface& s, int32_t x1, int32_t x2, TColorRef color, int32_t phase, int32_t baseY)
{
    auto heightAt = [&](int32_t x) {
        const int32_t m = std::abs(x - phase) % 4;
        return m == 0 ? baseY - 1 : m == 2 ? baseY + 1 : baseY;
    };
    std::vector<TPoint> points{{x1, heightAt(x1)}};
    for (int32_t x = x1 + 2 - std::abs(x1 - phase) % 2; x <= x2; x += 2)
        points.push_back(TPoint{x, heightAt(x)});
    points.push_back(TPoint{x2, heightAt(x2)});
    s.Polyline(points.data(), int32_t(points.size()), color, 1);
}

void DrawWaveLine(TDrawSurface& s, int32_t x1, int32_t x2, TColorRef color, int32_t penWidth,
                  int32_t amplitude, int32_t period, int32_t phase, int32_t baseY)
{
    const int32_t step = period / 2;
    if (step <= 0)
        return;
    s.SaveClip();
    s.IntersectClip(
        TRect{x1, baseY - 2 * amplitude - penWidth - 1, x2, baseY + 2 * amplitude + penWidth + 2});
    auto mod = [](int32_t a, int32_t b) { return ((a % b) + b) % b; };
    const int32_t first = x1 - mod(phase + x1, period);
    const int32_t last = x2 + (period - mod(phase + x2, period));
    const bool flat = penWidth > 2 && period > 2 && amplitude > 2;
    std::vector<TPoint> points;
    for (int32_t x = first; x <= last; x += step) {
        int32_t y = mod(x + phase, period) != 0 ? baseY - amplitude : baseY + amplitude;
        if (flat) {
            const int32_t px = x + 1 - penWidth / 2;
            y += y < baseY ? penWidth / 2 : -(penWidth / 2);
            points.push_back(TPoint{px, y});
            points.push_back(TPoint{px + penWidth - 1, y});
        } else {
            points.push_back(TPoint{x, y});
        }
    }
    s.Polyline(points.data(), int32_t(points.size()), color, penWidth);
    s.RestoreClip();
}

void DrawUnderlineStyle(TDrawSurface& s, const TRect& r, int32_t code, bool centre, TColorRef color,
                        const TSharedFont* font)
{
    const int32_t middle = r.Top + (r.Bottom - r.Top - 1) / 2;
    auto bar = [&](int32_t x, int32_t y, int32_t w, int32_t h) {
        const int32_t right = std::min(x + w, r.Right);
        if (right > x)
            s.FillRect(TRect{x, y, right, y + h}, color);
    };
    // Marks of a pattern: (start, length) pairs within each period.
    auto pattern = [&](int32_t period, std::initializer_list<std::pair<int32_t, int32_t>> marks, int32_t h) {
        const int32_t count = (r.Right - r.Left) / period + 1;
        for (int32_t i = 0; i < count; ++i)
            for (const auto& [start, length] : marks)
                bar(r.Left + i * period + start, middle, length, h);
    };
    const bool thick = code == 20 || code == 23 || code == 25 || code == 26 || code == 55;
    const int32_t h = thick ? 2 : 1;
    switch (code) {
    case 0:
    case 2: {
        const char* text = code == 0 ? "Aucun(e)" : "Mots seuls";
        if (!font)
            return;
        const int32_t width = font->TextWidth(text);
        const int32_t height = font->Metrics.Height;
        const int32_t x = centre ? r.Left + (r.Right - r.Left - width) / 2 : r.Left;
        s.SelectFont(font->Handle);
        s.WriteText(x, r.Top + (r.Bottom - r.Top - height) / 2, text, nullptr, color, nullptr);
        return;
    }
    case 1:
    case 6: bar(r.Left, middle - (code == 6 ? 1 : 0) / 2, r.Right - r.Left, code == 6 ? 2 : 1); return;
    case 3:
        bar(r.Left, middle - 1, r.Right - r.Left, 1);
        bar(r.Left, middle + 1, r.Right - r.Left, 1);
        return;
    case 4:
    case 20: pattern(4, {{0, 2}}, h); return;
    case 7:
    case 23: pattern(12, {{0, 8}}, h); return;
    case 39:
    case 55: pattern(20, {{0, 12}}, h); return;
    case 9:
    case 25: pattern(14, {{0, 8}, {10, 2}}, h); return;
    case 10:
    case 26: pattern(18, {{0, 8}, {10, 2}, {14, 2}}, h); return;
    case 11:
    case 27: DrawWaveLine(s, r.Left, r.Right, color, code == 27 ? 2 : 1, 1, 6, r.Left, middle); return;
    case 43:
        DrawWaveLine(s, r.Left, r.Right, color, 1, 1, 6, r.Left, middle - 2);
        DrawWaveLine(s, r.Left, r.Right, color, 1, 1, 6, r.Left, middle + 2);
        return;
    default: return;
    }
}

namespace {

int32_t Channel(TColorRef c, int shift)
{
    return int32_t((c >> shift) & 0xFF);
}

// One channel: A the background's, D the darkness of the text's (255 minus its channel).
int32_t AdaptColorChannel(int32_t a, int32_t d, bool dark, bool secondPass, int32_t& remainder)
{
    if (dark && a + d <= 255)
        return a >= 32 ? a + d : std::min(255, (a * 100 + d * 250 + 50) / 100);
    if (a >= d) {
        int32_t result = a - d;
        if (secondPass && remainder > 0 && result > 0) {
            const int32_t taken = std::min(remainder, result);
            result -= taken;
            remainder -= taken;
        }
        return result;
    }
    if (a > 128) {
        remainder += d - a;
        return 0;
    }
    const int32_t result = std::min(255, a + d);
    remainder += d - (result - a);
    return result;
}

} // namespace

TColorRef AdaptColorToBackground(TColorRef color, TColorRef background)
{
    const bool dark = Channel(background, 0) + Channel(background, 8) + Channel(background, 16) < 384;
    int32_t remainder = 0;
    auto pass = [&](bool second) {
        // Blue first, then green, then red.
        const int32_t b =
            AdaptColorChannel(Channel(background, 16), 255 - Channel(color, 16), dark, second, remainder);
        const int32_t g =
            AdaptColorChannel(Channel(background, 8), 255 - Channel(color, 8), dark, second, remainder);
        const int32_t r =
            AdaptColorChannel(Channel(background, 0), 255 - Channel(color, 0), dark, second, remainder);
        return TColorRef(r) | TColorRef(g) << 8 | TColorRef(b) << 16;
    };
    const TColorRef first = pass(false);
    if (remainder <= 0)
        return first;
    return pass(true);
}
