// Fonts, brushes, pens, icons and the canvas over GDI.
#include "classlib/graphics/Graphics.h"

COLORREF ColorToRGB(TColor color)
{
    if (color & clSystemColor)
        return GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color) & 0xFFFFFF;
}

// ---- TFont

void TFont::Assign(const TFont& other)
{
    if (&other == this)
        return;
    FName = other.FName;
    FHeight = other.FHeight;
    FStyle = other.FStyle;
    FCharset = other.FCharset;
    FColor = other.FColor;
    FPixelsPerInch = other.FPixelsPerInch;
    Changed();
}

void TFont::Changed()
{
    FHandle.reset();
    if (OnChange)
        OnChange();
}

HFONT TFont::Handle()
{
    if (!FHandle) {
        LOGFONTA lf = {};
        lf.lfHeight = FHeight;
        lf.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (FStyle & fsItalic) ? 1 : 0;
        lf.lfUnderline = (FStyle & fsUnderline) ? 1 : 0;
        lf.lfStrikeOut = (FStyle & fsStrikeOut) ? 1 : 0;
        lf.lfCharSet = FCharset;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = DEFAULT_PITCH;
        lstrcpynA(lf.lfFaceName, FName.c_str(), LF_FACESIZE);
        FHandle.reset(CreateFontIndirectA(&lf));
    }
    return FHandle.get();
}

void TFont::SetName(const std::string& name)
{
    FName = name;
    Changed();
}
void TFont::SetHeight(int height)
{
    FHeight = height;
    Changed();
}
void TFont::SetStyle(uint8_t style)
{
    FStyle = style;
    Changed();
}
void TFont::SetCharset(uint8_t charset)
{
    FCharset = charset;
    Changed();
}
void TFont::SetColor(TColor color)
{
    FColor = color;
    if (OnChange)
        OnChange();
}

int TFont::Size() const
{
    return -MulDiv(FHeight, 72, FPixelsPerInch);
}

void TFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, FPixelsPerInch, 72));
}

// ---- TBrush

TBrush& TBrush::operator=(const TBrush& other)
{
    if (&other != this) {
        FColor = other.FColor;
        FStyle = other.FStyle;
        Changed();
    }
    return *this;
}

void TBrush::Changed()
{
    FHandle.reset();
}

HBRUSH TBrush::Handle()
{
    if (!FHandle) {
        if (FStyle == bsClear)
            FHandle.reset(static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
        else
            FHandle.reset(CreateSolidBrush(ColorToRGB(FColor)));
    }
    return FHandle.get();
}

void TBrush::SetColor(TColor color)
{
    FColor = color;
    Changed();
}
void TBrush::SetStyle(TBrushStyle style)
{
    FStyle = style;
    Changed();
}

// ---- TPen

TPen& TPen::operator=(const TPen& other)
{
    if (&other != this) {
        FColor = other.FColor;
        FWidth = other.FWidth;
        FStyle = other.FStyle;
        Changed();
    }
    return *this;
}

void TPen::Changed()
{
    FHandle.reset();
}

HPEN TPen::Handle()
{
    if (!FHandle)
        FHandle.reset(CreatePen(FStyle, FWidth, ColorToRGB(FColor)));
    return FHandle.get();
}

void TPen::SetColor(TColor color)
{
    FColor = color;
    Changed();
}
void TPen::SetWidth(int width)
{
    FWidth = width;
    Changed();
}
void TPen::SetStyle(int style)
{
    FStyle = style;
    Changed();
}

// ---- TIcon

void TIcon::SetHandle(HICON icon, bool owned)
{
    Clear();
    FHandle = icon;
    FOwned = owned;
}

void TIcon::Clear()
{
    if (FHandle && FOwned)
        DestroyIcon(FHandle);
    FHandle = nullptr;
    FOwned = false;
}

// ---- TCanvas

// Selects the canvas's objects into its device context for one drawing and puts the old ones back.
class TCanvas::TSelection {
public:
    TSelection(TCanvas& canvas, bool font, bool brush, bool pen) : FDC(canvas.FHandle)
    {
        if (font) {
            FOldFont = SelectObject(FDC, canvas.FFont.Handle());
            SetTextColor(FDC, ColorToRGB(canvas.FFont.Color()));
        }
        if (brush) {
            FOldBrush = SelectObject(FDC, canvas.FBrush.Handle());
            if (canvas.FBrush.Style() == bsClear) {
                SetBkMode(FDC, TRANSPARENT);
            } else {
                SetBkMode(FDC, OPAQUE);
                SetBkColor(FDC, ColorToRGB(canvas.FBrush.Color()));
            }
        }
        if (pen)
            FOldPen = SelectObject(FDC, canvas.FPen.Handle());
    }
    ~TSelection()
    {
        if (FOldFont)
            SelectObject(FDC, FOldFont);
        if (FOldBrush)
            SelectObject(FDC, FOldBrush);
        if (FOldPen)
            SelectObject(FDC, FOldPen);
    }

private:
    HDC FDC;
    HGDIOBJ FOldFont = nullptr, FOldBrush = nullptr, FOldPen = nullptr;
};

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    TSelection s(*this, true, true, false);
    ::TextOutA(FHandle, x, y, text.data(), static_cast<int>(text.size()));
}

int TCanvas::DrawText(const std::string& text, RECT& rect, UINT format)
{
    TSelection s(*this, true, true, false);
    return ::DrawTextA(FHandle, text.data(), static_cast<int>(text.size()), &rect, format);
}

SIZE TCanvas::TextExtent(const std::string& text)
{
    TSelection s(*this, true, false, false);
    SIZE size = {0, 0};
    GetTextExtentPoint32A(FHandle, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

void TCanvas::FillRect(const RECT& rect)
{
    ::FillRect(FHandle, &rect, FBrush.Handle());
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    TSelection s(*this, false, true, true);
    ::Rectangle(FHandle, left, top, right, bottom);
}

void TCanvas::FrameRect(const RECT& rect)
{
    ::FrameRect(FHandle, &rect, FBrush.Handle());
}

void TCanvas::MoveTo(int x, int y)
{
    MoveToEx(FHandle, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y)
{
    TSelection s(*this, false, false, true);
    ::LineTo(FHandle, x, y);
}

void TCanvas::Draw(int x, int y, const TIcon& icon)
{
    if (icon.Handle())
        DrawIconEx(FHandle, x, y, icon.Handle(), 0, 0, 0, nullptr, DI_NORMAL);
}
