// What the layout tests share.
#include "layout_support.h"

#include "core/Fonts.h"
#include "core/Kerning.h"
#include "document/ParLine.h"
#include "document/Paragraph.h"
#include "tagged_text.h"

namespace qptest {

std::vector<std::string> LineTexts(const TParagraph& paragraph)
{
    std::vector<std::string> lines;
    for (const auto& line : paragraph.Lines) {
        std::string text;
        for (int32_t i = 0; i < line->CharCount; ++i) {
            const uint8_t c = line->CharAt(i);
            const char* marks = "??|$%/#>**^_+=~?";
            text += c < 16 ? marks[c] : static_cast<char>(c);
        }
        lines.push_back(text);
    }
    return lines;
}

namespace {

void FreshFonts()
{
    FreeFontManager();
    FreeKerningPairsManager();
}

} // namespace

void FixedDeviceTest::SetUp()
{
    SetFontDevice(&Device);
    FreshFonts();
}

void FixedDeviceTest::TearDown()
{
    FreshFonts();
    SetFontDevice(nullptr);
}

void LayoutTest::SetUp()
{
    SetFontDevice(FixedFonts ? &Device : nullptr);
    FreshFonts();
    Doc = std::make_unique<TDocument>(true);
}

void LayoutTest::TearDown()
{
    Doc.reset();
    FreshFonts();
    SetFontDevice(nullptr);
}

TParagraph& LayoutTest::Break(const std::string& notation, int32_t width)
{
    TParagraph& p = *Doc->Paragraphs[0];
    SetTaggedText(p, notation);
    p.SetNormalized(false);
    p.UpdateLayout(true, width);
    return p;
}

TParaFormat& LayoutTest::Format()
{
    return Doc->Paragraphs[0]->ParaFormat;
}

const TParLine& LayoutTest::Line(int n)
{
    return *Doc->Paragraphs[0]->Lines[static_cast<size_t>(n)];
}

int32_t LayoutTest::X(int line, int32_t n)
{
    return Line(line).DecodeCharX(n);
}

std::vector<int32_t> LayoutTest::Boundaries(int line)
{
    std::vector<int32_t> x;
    for (int32_t i = 0; i <= Line(line).CharCount; ++i)
        x.push_back(X(line, i));
    return x;
}

} // namespace qptest
