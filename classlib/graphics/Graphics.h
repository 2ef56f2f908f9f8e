// Drawing objects over GDI: colours, fonts, brushes, pens, icons and the canvas that draws with them.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "classlib/graphics/GdiHandles_win.h"

// A colour: an RGB value (red in the low byte), or a system colour when the high bit is set
// (0x80000000 + the system's colour index).
using TColor = int32_t;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clSystemColor = static_cast<TColor>(0x80000000);
constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;

// The RGB value of a colour, system colours resolved.
COLORREF ColorToRGB(TColor color);

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A logical font; the system font is made on first use and again after every change.
class TFont {
public:
    TFont() = default;
    TFont(const TFont& other) { Assign(other); }
    TFont& operator=(const TFont& other)
    {
        Assign(other);
        return *this;
    }

    void Assign(const TFont& other);
    HFONT Handle();

    const std::string& Name() const { return FName; }
    void SetName(const std::string& name);
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return FHeight; }
    void SetHeight(int height);
    // Size in points at the font's pixels per inch.
    int Size() const;
    void SetSize(int points);
    uint8_t Style() const { return FStyle; }
    void SetStyle(uint8_t style);
    uint8_t Charset() const { return FCharset; }
    void SetCharset(uint8_t charset);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int ppi) { FPixelsPerInch = ppi; }

    // Called after every change.
    std::function<void()> OnChange;

private:
    void Changed();
    std::string FName = "MS Sans Serif";
    int FHeight = -11;
    uint8_t FStyle = 0;
    uint8_t FCharset = DEFAULT_CHARSET;
    TColor FColor = clWindowText;
    int FPixelsPerInch = 96;
    TGdiObject<HFONT> FHandle;
};

enum TBrushStyle : uint8_t { bsSolid, bsClear };

class TBrush {
public:
    TBrush() = default;
    explicit TBrush(TColor color) : FColor(color) {}
    TBrush(const TBrush& other) : FColor(other.FColor), FStyle(other.FStyle) {}
    TBrush& operator=(const TBrush& other);
    HBRUSH Handle();
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle style);

private:
    void Changed();
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TGdiObject<HBRUSH> FHandle;
};

class TPen {
public:
    TPen() = default;
    TPen(const TPen& other) : FColor(other.FColor), FWidth(other.FWidth), FStyle(other.FStyle) {}
    TPen& operator=(const TPen& other);
    HPEN Handle();
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    int Width() const { return FWidth; }
    void SetWidth(int width);
    // PS_SOLID, PS_DASH, PS_DOT, PS_NULL...
    int Style() const { return FStyle; }
    void SetStyle(int style);

private:
    void Changed();
    TColor FColor = clBlack;
    int FWidth = 1;
    int FStyle = PS_SOLID;
    TGdiObject<HPEN> FHandle;
};

// An icon: a system icon (shared, never destroyed) or one the icon owns.
class TIcon {
public:
    TIcon() = default;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;
    ~TIcon() { Clear(); }
    HICON Handle() const { return FHandle; }
    void SetHandle(HICON icon, bool owned);
    // One of the system's icons (IDI_...).
    void LoadSystem(LPCSTR id) { SetHandle(LoadIconA(nullptr, id), false); }
    void Clear();
    int Width() const { return FHandle ? GetSystemMetrics(SM_CXICON) : 0; }
    int Height() const { return FHandle ? GetSystemMetrics(SM_CYICON) : 0; }

private:
    HICON FHandle = nullptr;
    bool FOwned = false;
};

// Draws on a device context with its own font, brush and pen, selected for each drawing and put back
// after it, so that they can change at any time. The canvas does not own the device context.
class TCanvas {
public:
    TCanvas() = default;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;
    virtual ~TCanvas() = default;

    HDC Handle() const { return FHandle; }
    void SetHandle(HDC dc) { FHandle = dc; }

    TFont& Font() { return FFont; }
    TBrush& Brush() { return FBrush; }
    TPen& Pen() { return FPen; }

    void TextOut(int x, int y, const std::string& text);
    // The text in the rectangle with DrawText's formatting flags (DT_...); returns the text height.
    int DrawText(const std::string& text, RECT& rect, UINT format);
    SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    // Filled with the brush, no outline.
    void FillRect(const RECT& rect);
    // Outlined with the pen and filled with the brush (the right and bottom edges excluded).
    void Rectangle(int left, int top, int right, int bottom);
    // A one-pixel frame in the brush's colour.
    void FrameRect(const RECT& rect);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Draw(int x, int y, const TIcon& icon);

private:
    class TSelection;
    HDC FHandle = nullptr;
    TFont FFont;
    TBrush FBrush;
    TPen FPen;
};
