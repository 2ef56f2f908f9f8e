// Rewriting field instructions read from files.
#include <gtest/gtest.h>

#include "formats/FieldInstructions.h"

TEST(FieldInstructions, Rewriting)
{
    struct {
        const char* text;
        int type;
        bool field;
        int resultType;
        const char* code;
    } cases[] = {
        {"  PAGE  ", 255, true, 33, "PAGE"},
        {"page \\* arabe", 255, true, 33, "PAGE \\* ARABIC"},
        {"= 2+3", 255, true, 34, "= 2+3"},
        {"PAGE\\* ARABIC", 255, false, 0, ""},
        {"DATE \\@ \"dd MMMM yyyy\"", 255, true, 31, "DATE \\@ \"dd MMMM yyyy\""},
        {"PAGE \\* Ordinal", 255, true, 33, "PAGE \\* ORDINAL"},
        {"PAGE \\* roman", 255, true, 33, "PAGE \\* roman"},
        {"hyperlink \"http://www.arabe.fr/\"", 255, true, 88, "HYPERLINK \"http://www.arabe.fr/\""},
        // Words that are not switch words stay as written, wherever they stand.
        {"REF ARABE \\h", 255, true, 3, "REF ARABE \\h"},
        {"PAGE \\*   alfabético \\* MERGEFORMAT", 255, true, 33, "PAGE \\*   ALPHABETIC \\* MERGEFORMAT"},
        {"?", 255, true, 0, "?"},
        {"   ", 255, false, 0, ""},
        {"", 33, false, 0, ""},
        {"NOSUCHFIELD x", 255, false, 0, ""},
        {"SEITE \\* ARABISCH", 33, true, 33, "PAGE \\* ARABIC"},
        {"anything \\* arabe", 1, true, 1, "anything \\* ARABIC"},
        // A type beyond the table is taken from the keyword.
        {"PAGE", 140, true, 33, "PAGE"},
        {"whatever", 140, false, 0, ""},
        {"\\*", 255, false, 0, ""},
    };
    for (auto& c : cases) {
        TFieldInstruction f;
        ASSERT_EQ(RewriteFieldInstruction(c.text, c.type, f), c.field) << c.text;
        if (!c.field)
            continue;
        EXPECT_EQ(f.Type, c.resultType) << c.text;
        EXPECT_EQ(f.Code, c.code) << c.text;
    }
}
