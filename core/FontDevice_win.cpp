// The font device over the Windows graphics interface.
#include "core/FontDevice.h"

#include <windows.h>

#include <cstring>

#include "classlib/graphics/GdiHandles_win.h"

namespace {

class TGdiFontDevice : public TFontDevice {
public:
    TDCHandle MeasuringDC() override
    {
        if (!FDC)
            FDC.reset(CreateCompatibleDC(nullptr));
        return reinterpret_cast<TDCHandle>(FDC.get());
    }

    int32_t ScreenDpi() override { return GetDeviceCaps(DC(MeasuringDC()), LOGPIXELSY); }

    TFontHandle MakeFont(const TLogFont& lf) override
    {
        LOGFONTA l;
        std::memset(&l, 0, sizeof l);
        l.lfHeight = lf.Height;
        l.lfWidth = lf.Width;
        l.lfEscapement = lf.Escapement;
        l.lfOrientation = lf.Orientation;
        l.lfWeight = lf.Weight;
        l.lfItalic = lf.Italic;
        l.lfUnderline = lf.Underline;
        l.lfStrikeOut = lf.StrikeOut;
        l.lfCharSet = lf.CharSet;
        l.lfOutPrecision = lf.OutPrecision;
        l.lfClipPrecision = lf.ClipPrecision;
        l.lfQuality = lf.Quality;
        l.lfPitchAndFamily = lf.PitchAndFamily;
        std::memcpy(l.lfFaceName, lf.FaceName, sizeof l.lfFaceName);
        l.lfFaceName[LF_FACESIZE - 1] = 0;
        return reinterpret_cast<TFontHandle>(CreateFontIndirectA(&l));
    }

    void DestroyFont(TFontHandle font) override
    {
        if (font)
            DeleteObject(reinterpret_cast<HGDIOBJ>(font));
    }

    void SelectFont(TDCHandle dc, TFontHandle font) override
    {
        SelectObject(DC(dc), font ? reinterpret_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    }

    void GetTextMetric(TDCHandle dc, TTextMetric& metric) override
    {
        TEXTMETRICA tm;
        std::memset(&tm, 0, sizeof tm);
        GetTextMetricsA(DC(dc), &tm);
        metric.Height = tm.tmHeight;
        metric.Ascent = tm.tmAscent;
        metric.Descent = tm.tmDescent;
        metric.InternalLeading = tm.tmInternalLeading;
        metric.ExternalLeading = tm.tmExternalLeading;
        metric.AveCharWidth = tm.tmAveCharWidth;
        metric.MaxCharWidth = tm.tmMaxCharWidth;
        metric.Weight = tm.tmWeight;
        metric.Italic = tm.tmItalic;
        metric.Underlined = tm.tmUnderlined;
        metric.StruckOut = tm.tmStruckOut;
        metric.PitchAndFamily = tm.tmPitchAndFamily;
        metric.CharSet = tm.tmCharSet;
    }

    std::string GetFaceName(TDCHandle dc) override
    {
        char face[LF_FACESIZE] = {};
        GetTextFaceA(DC(dc), LF_FACESIZE, face);
        face[LF_FACESIZE - 1] = 0;
        return face;
    }

    void GetCharWidths(TDCHandle dc, int32_t widths[256]) override
    {
        INT w[256] = {};
        if (!GetCharWidth32A(DC(dc), 0, 255, w))
            GetCharWidthA(DC(dc), 0, 255, w);
        for (int i = 0; i < 256; ++i)
            widths[i] = w[i];
    }

    int32_t MeasureText(TFontHandle font, std::string_view text) override
    {
        HDC dc = DC(MeasuringDC());
        const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(font));
        SIZE size{};
        GetTextExtentPoint32A(dc, text.data(), int(text.size()), &size);
        SelectObject(dc, old);
        return size.cx;
    }

    void ReadKerningPairs(TDCHandle dc, std::vector<TKerningPair>& pairs) override
    {
        pairs.clear();
        const DWORD count = GetKerningPairsA(DC(dc), 0, nullptr);
        if (count == 0 || count > 1000000)
            return;
        std::vector<KERNINGPAIR> got(count);
        const DWORD n = GetKerningPairsA(DC(dc), count, got.data());
        for (DWORD i = 0; i < n && i < count; ++i)
            pairs.push_back({got[i].wFirst, got[i].wSecond, got[i].iKernAmount});
    }

    void EnumerateFamilies(std::vector<TFontFamilyInfo>& families) override
    {
        families.clear();
        Enumerate(families);
    }

    void EnumerateFonts(std::vector<TFontFamilyInfo>& fonts) override
    {
        fonts.clear();
        Enumerate(fonts);
    }

private:
    static HDC DC(TDCHandle dc) { return reinterpret_cast<HDC>(dc); }

    static int CALLBACK AddFamily(const LOGFONTA* lf, const TEXTMETRICA* tm, DWORD, LPARAM data)
    {
        try {
            auto* list = reinterpret_cast<std::vector<TFontFamilyInfo>*>(data);
            list->push_back({lf->lfFaceName, lf->lfCharSet, tm->tmPitchAndFamily});
        } catch (...) {
            return 0;
        }
        return 1;
    }

    void Enumerate(std::vector<TFontFamilyInfo>& list)
    {
        LOGFONTA lf;
        std::memset(&lf, 0, sizeof lf);
        lf.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExA(DC(MeasuringDC()), &lf, reinterpret_cast<FONTENUMPROCA>(AddFamily),
                            reinterpret_cast<LPARAM>(&list), 0);
    }

    TMemoryDC FDC;
};

} // namespace

TFontDevice& SystemFontDevice()
{
    static TGdiFontDevice device;
    return device;
}
