// The default format records and the comparisons and merges of character and paragraph formats.
#include "core/FormatRecords.h"

namespace {

// Language of text with no language given; the program's own replaces it at engine start.
constexpr int32_t NoLanguage = 0x400;

constexpr TCharFormat MakeDefaultCharFormat(int32_t language)
{
    TCharFormat f{};
    f[cfSize] = 24;
    f[cfScale] = 100;
    f[cfLanguage] = language;
    return f;
}

constexpr TCharFormat MakeBoldCharFormat(int32_t language)
{
    TCharFormat f = MakeDefaultCharFormat(language);
    f[cfBold] = 1;
    return f;
}

constexpr TCharFormat MakeStyleBaseCharFormat()
{
    TCharFormat f{};
    f[cfFont] = UndefinedField;
    f[cfSize] = UndefinedField;
    f[cfScale] = 100;
    return f;
}

constexpr TParaFormat MakeDefaultParaFormat()
{
    TParaFormat f{};
    f[pfLineSpacing] = 240;
    f[pfSpacingRule] = 1;
    f[pfTabTable] = -1;
    return f;
}

constexpr TParaFormat MakeStyleBaseParaFormat(int32_t widowControl)
{
    TParaFormat f = MakeDefaultParaFormat();
    f[pfFirstIndent] = UndefinedField;
    f[pfLeftIndent] = UndefinedField;
    f[pfRightIndent] = UndefinedField;
    f[pfAlignment] = UndefinedField;
    f[pfWidowControl] = widowControl;
    return f;
}

constinit TCharFormat GDefaultChar = MakeDefaultCharFormat(NoLanguage);
constinit TCharFormat GDefaultCharCopy = MakeDefaultCharFormat(NoLanguage);
constinit TCharFormat GDefaultBoldChar = MakeBoldCharFormat(NoLanguage);
constexpr TCharFormat GStyleBaseChar = MakeStyleBaseCharFormat();
constexpr TParaFormat GDefaultPara = MakeDefaultParaFormat();
constexpr TParaFormat GStyleBasePara = MakeStyleBaseParaFormat(1);
constexpr TParaFormat GStyleBaseParaNoWidow = MakeStyleBaseParaFormat(0);

TFontIdLookup GFontIdLookup = nullptr;

} // namespace

TChangedRange EmptyChangedRange()
{
    TChangedRange r{};
    for (int i = crFirstParagraph; i <= crSelStartOffset; ++i)
        r[i] = UndefinedField;
    return r;
}

const TCharFormat& DefaultCharFormat()
{
    return GDefaultChar;
}
const TCharFormat& DefaultCharFormatCopy()
{
    return GDefaultCharCopy;
}
const TCharFormat& DefaultBoldCharFormat()
{
    return GDefaultBoldChar;
}
const TCharFormat& StyleBaseCharFormat()
{
    return GStyleBaseChar;
}
const TParaFormat& DefaultParaFormat()
{
    return GDefaultPara;
}
const TParaFormat& StyleBaseParaFormat()
{
    return GStyleBasePara;
}
const TParaFormat& StyleBaseParaFormatNoWidow()
{
    return GStyleBaseParaNoWidow;
}

void InitFormatDefaults(int32_t defaultLanguage)
{
    GDefaultChar = MakeDefaultCharFormat(defaultLanguage);
    GDefaultCharCopy = GDefaultChar;
    GDefaultBoldChar = MakeBoldCharFormat(defaultLanguage);
}

void SetFontIdLookup(TFontIdLookup lookup)
{
    GFontIdLookup = lookup;
}

bool SameFontId(int32_t fontA, int32_t fontB)
{
    if (fontA == UndefinedField || fontB == UndefinedField)
        return false;
    if (fontA == fontB)
        return true;
    if (!GFontIdLookup)
        return false;
    const int32_t idA = GFontIdLookup(fontA);
    return idA != UndefinedField && idA == GFontIdLookup(fontB);
}

bool CharFormatsEqual(const TCharFormat& a, const TCharFormat& b)
{
    if (a[cfFont] != b[cfFont] && !SameFontId(a[cfFont], b[cfFont]))
        return false;
    for (int i = cfFont + 1; i < CharFormatFieldCount; ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

void IntersectCharFormats(TCharFormat& a, const TCharFormat& b)
{
    if (a[cfFont] != b[cfFont] && !SameFontId(a[cfFont], b[cfFont]))
        a[cfFont] = UndefinedField;
    for (int i = cfFont + 1; i < CharFormatFieldCount; ++i)
        if (a[i] != b[i])
            a[i] = UndefinedField;
}

void FillUnsetCharFormat(TCharFormat& a, const TCharFormat& b)
{
    for (int i = 0; i < CharFormatFieldCount; ++i)
        if (a[i] == UndefinedField && b[i] != UndefinedField)
            a[i] = b[i];
}

void RemoveSameCharFormat(TCharFormat& a, const TCharFormat& b)
{
    if (a[cfFont] == b[cfFont] || SameFontId(a[cfFont], b[cfFont]))
        a[cfFont] = UndefinedField;
    for (int i = cfFont + 1; i < CharFormatFieldCount; ++i)
        if (a[i] == b[i])
            a[i] = UndefinedField;
}

void RemoveSameParaFormat(TParaFormat& a, const TParaFormat& b)
{
    if (a[pfFirstIndent] == b[pfFirstIndent] && a[pfLeftIndent] == b[pfLeftIndent]) {
        a[pfFirstIndent] = UndefinedField;
        a[pfLeftIndent] = UndefinedField;
    } else if (a[pfFirstIndent] == 0 && b[pfFirstIndent] == 0) {
        a[pfFirstIndent] = UndefinedField;
    }
    if (a[pfLineSpacing] == b[pfLineSpacing] && a[pfSpacingRule] == b[pfSpacingRule]) {
        a[pfLineSpacing] = UndefinedField;
        a[pfSpacingRule] = UndefinedField;
    }
    for (int i = pfRightIndent; i < ParaFormatFieldCount; ++i)
        if (a[i] == b[i])
            a[i] = UndefinedField;
}
