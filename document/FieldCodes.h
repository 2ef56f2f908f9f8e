// Field codes: building the codes the insert dialogs make, and reading back their words and options.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The words of a field code: split at blanks outside double quotes and after each quoted part, runs of
// backslashes made one, the quotes around a word taken off, empty words dropped.
std::vector<std::string> SplitFieldCode(std::string_view code);
// The address of a hyperlink code ("\l" adds "#" and a bookmark to it) and its tooltip ("\o").
void ParseHyperlinkFieldCode(std::string_view code, std::string& address, std::string& tooltip);
// The code of a hyperlink to an address (a mail address gets "mailto:", "#name" is a bookmark) with an
// optional tooltip; quotes inside the texts are escaped so that the code reads back whole.
std::string BuildHyperlinkFieldCode(const std::string& address, const std::string& tooltip);
// The first argument of a hyperlink code other than the switch "\l", and whether "\l" is there.
std::string ParseHyperlinkTarget(std::string_view code, bool& bookmark);

// The switches "\h" (the result is a link) and "\p" (relative position) of a page reference, and the
// bookmark it refers to.
struct TPageRefCode {
    bool Hyperlink = false;
    bool Relative = false;
    std::string Bookmark;
};
TPageRefCode ParsePageRefFieldCode(std::string_view code);

// The options of a table-of-contents code.
struct TTocOptions {
    uint8_t PageNumbers = 1;
    uint8_t RightAligned = 1;
    uint8_t RightAlignedTabStyle = 0; // 0-based
    int32_t HeadingLevels = 3;        // 1..9
    uint8_t SeparatorUsed = 0;
    std::string Separator;
};
TTocOptions ParseTocFieldCode(std::string_view code);
std::string BuildTocFieldCode(const TTocOptions& options);

// The date picture of a code: the text between the two double quotes after "\@ "; empty without one.
std::string ParseDateFieldFormat(std::string_view code);
// The character code of a SYMBOL field (63 when the code has no blank) and its font ("\f").
void ParseSymbolFieldCode(std::string_view code, int32_t& character, std::string& font);
std::string BuildSymbolFieldCode(int32_t character, const std::string& font);

// A page or note number in a notation: 0 decimal, 1 lower-case letters, 2 upper-case letters, 3 lower-case
// Roman, 4 upper-case Roman. A number the notation cannot show (below 1, or beyond its range) is written
// in decimal.
std::string FormatPageNumber(int32_t n, int style);
// The notation of FormatPageNumber for a numbering format of sections and notes (0 decimal, 1 upper-case
// Roman, 2 lower-case Roman, 3 upper-case letters, 4 lower-case letters).
int NotationOfNumberingFormat(int32_t format);
// A number written with the symbol sequence: the symbol at (n - 1) mod its length, repeated n / length
// times rounded up; decimal below 1.
std::string FormatSymbolNumber(int32_t n);
// A number in a numbering format of sections and notes: 0 to 4 as NotationOfNumberingFormat, 5 and above
// the symbol sequence.
std::string FormatNumberingFormat(int32_t n, int32_t format);
