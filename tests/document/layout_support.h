// What the layout tests share: a document measured by the fixed-proportion font device, and the
// lines of a paragraph written as text.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/FontDevice.h"
#include "document/Document.h"

namespace qptest {

// Each line of a paragraph as its characters, with marks for the codes below 32: "|" paragraph mark,
// "$" section break, "%" column break, "/" line break, "#" page break, ">" tab, "^" non-breaking
// space, "_" non-breaking hyphen, "+" em dash, "=" en dash, "~" optional hyphen, "*" an object.
std::vector<std::string> LineTexts(const TParagraph& paragraph);

// A hidden document with fresh font and kerning caches, measured by the fixed font device or by the
// system's fonts, and the breaking of its first paragraph.
class LayoutTest : public testing::Test {
protected:
    explicit LayoutTest(bool fixedFonts) : FixedFonts(fixedFonts) {}
    void SetUp() override;
    void TearDown() override;
    // Breaks the first paragraph, set from a notation, for a text width in twips.
    TParagraph& Break(const std::string& notation, int32_t width);
    TParaFormat& Format();
    const TParLine& Line(int n);
    // Boundary N of line L, and all boundaries of line L, in layout units.
    int32_t X(int line, int32_t n);
    std::vector<int32_t> Boundaries(int line);

    bool FixedFonts;
    TFixedFontDevice Device;
    std::unique_ptr<TDocument> Doc;
};

// Fonts measured by the fixed font device, with fresh caches, for tests that build their own documents.
class FixedDeviceTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    TFixedFontDevice Device;
};

class FixedFontTest : public LayoutTest {
protected:
    FixedFontTest() : LayoutTest(true) {}
};

class SystemFontTest : public LayoutTest {
protected:
    SystemFontTest() : LayoutTest(false) {}
};

} // namespace qptest
