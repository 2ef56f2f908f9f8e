// Random edits and random undo and redo: after every undo or redo the document is exactly the one recorded
// when that many operations were in effect.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "editing/Builders.h"
#include "editing/OperationManager.h"
#include "tests/editing/edit_fixture.h"

using namespace qptest;

namespace {

const char* const Fixtures[] = {
    "{\\rtf1 {\\footer page footer\\par}Plain {\\b bold} and {\\i\\fs30 big italic} text.\\par "
    "\\pard\\qc A {\\*\\bkmkstart mark}centred{\\*\\bkmkend mark} line\\par "
    "{\\field{\\*\\fldinst HYPERLINK \"http://example.org\"}{\\fldrslt a link}} after\\sect "
    "Second section\\tab with a tab\\par last\\par}",
    "{\\rtf1 x\\par\\par y\\page z\\par}",
};

class TRandomEditor {
public:
    TRandomEditor(TEditDoc& d, uint32_t seed) : D(d), Random(seed) {}

    int32_t Pick(int32_t n) { return n <= 0 ? 0 : int32_t(Random() % uint32_t(n)); }

    TTextPos AnyPosition()
    {
        const int32_t par = Pick(D.Doc->StoryLengths[stMain]);
        return TextPosAt(par, Pick(D.Doc->ParagraphLength(par)));
    }

    void Edit()
    {
        TTextPos a = AnyPosition(), b = AnyPosition();
        if (CompareTextPos(b, a) < 0)
            std::swap(a, b);
        switch (Pick(6)) {
        case 0:
        case 1: {
            static const char* const texts[] = {"k", " ", "new words", "one\rtwo", "\r", "t\tab"};
            D.Doc->Selection = TTextRange{a, a};
            D.Doc->Caret = a;
            D.Type(texts[Pick(6)]);
            break;
        }
        case 2: D.Delete(a.ParIndex, a.Offset, b.ParIndex, b.Offset); break;
        case 3: {
            TFormatTextParams params;
            params.Range = TextRangeOf(a, b);
            params.Format = UnsetCharFormat();
            params.Format[Pick(3) == 0 ? cfSize : cfBold] = Pick(2) ? 20 + 2 * Pick(10) : Pick(2);
            ExecuteOperation(*D.Doc, params);
            break;
        }
        case 4: {
            TFormatParagraphsParams params;
            params.Range = TextRangeOf(a, b);
            params.Format = UnsetParaFormat();
            params.Format[Pick(2) ? pfAlignment : pfLeftIndent] = Pick(4) * 100;
            ExecuteOperation(*D.Doc, params);
            break;
        }
        case 5: {
            D.Select(a.ParIndex, a.Offset, b.ParIndex, b.Offset);
            D.Type("r");
            break;
        }
        }
    }

    TEditDoc& D;
    std::mt19937 Random;
};

} // namespace

TEST(UndoProperty, RandomEditsUndoAndRedoExactly)
{
    for (const char* rtf : Fixtures)
        for (uint32_t seed = 1; seed <= 6; ++seed) {
            TEditDoc d(rtf);
            TRandomEditor editor(d, seed);
            // States[k]: the dump with k operations in effect.
            std::vector<std::string> states{d.Dump()};
            for (int step = 0; step < 120; ++step) {
                const int32_t choice = editor.Pick(10);
                if (choice < 5) {
                    editor.Edit();
                    if (d.Doc->GetModeFlag(87)) {
                        // Recorded: the redo part is gone, the new state follows the ones before it.
                        states.resize(size_t(d.CurrentIndex()) + 1);
                        states.push_back(d.Dump());
                    } else {
                        ASSERT_EQ(d.Dump(), states[size_t(d.CurrentIndex() + 1)]) << "seed " << seed;
                    }
                } else if (choice < 8) {
                    d.Undo();
                    ASSERT_EQ(d.Dump(), states[size_t(d.CurrentIndex() + 1)])
                        << "seed " << seed << " step " << step;
                } else {
                    d.Redo();
                    ASSERT_EQ(d.Dump(), states[size_t(d.CurrentIndex() + 1)])
                        << "seed " << seed << " step " << step;
                }
            }
            d.Doc->OperationManager->UndoAll();
            EXPECT_EQ(d.Dump(), states.front()) << "seed " << seed;
            d.Doc->OperationManager->RedoAll();
            EXPECT_EQ(d.Dump(), states[size_t(d.CurrentIndex() + 1)]) << "seed " << seed;
        }
}
