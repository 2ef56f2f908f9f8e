// Random edits through the dispatcher for the property tests: typing, deleting, character and paragraph
// formats and replacing a selection, at random places of the main text.
#pragma once
#include <random>

#include "editing/Builders.h"
#include "tests/editing/edit_fixture.h"

namespace qptest {

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

} // namespace qptest
