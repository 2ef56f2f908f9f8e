// The rectangular selection: which lines it covers, their repaint when it changes, and its text.
#include <algorithm>
#include <string>
#include <vector>

#include "document/Document.h"
#include "document/Page.h"
#include "document/ParLine.h"
#include "document/Paragraph.h"
#include "document/TextAccess.h"

namespace {

// The range from the first to the last line of the block, or an empty one.
TTextRange BlockLinesRange(TDocument& doc)
{
    TTextRange range{};
    const TBlockSelection& block = doc.BlockSelection;
    if (!block.Active || block.Page < 0 || block.Page >= int32_t(doc.Pages.size()))
        return range;
    bool found = false;
    for (TParLine* line : doc.Pages[size_t(block.Page)]->Lines) {
        if (!doc.IsLineInBlockSelection(*line))
            continue;
        const int32_t par = line->Paragraph->LayoutIndex;
        if (!found)
            range.StartPos = TextPosAt(par, line->FirstChar);
        range.EndPos = TextPosAt(par, line->FirstChar + std::max(1, line->CharCount));
        found = true;
    }
    return range;
}

} // namespace

bool TDocument::IsLineInBlockSelection(const TParLine& line) const
{
    const TBlockSelection& block = BlockSelection;
    return block.Active && line.Page && line.Page->PageIndex == block.Page && line.Paragraph &&
           StoryOfParagraph(line.Paragraph->LayoutIndex) == stMain && line.Y < block.Bottom &&
           line.Y + line.Height > block.Top;
}

void TDocument::SetBlockSelection(const TBlockSelection& block)
{
    const TTextRange old = BlockLinesRange(*this);
    BlockSelection = block;
    if (BlockSelection.X1 > BlockSelection.X2)
        std::swap(BlockSelection.X1, BlockSelection.X2);
    if (BlockSelection.Top > BlockSelection.Bottom)
        std::swap(BlockSelection.Top, BlockSelection.Bottom);
    if (!IsRangeEmpty(old))
        RepaintRange(old);
    const TTextRange now = BlockLinesRange(*this);
    if (!IsRangeEmpty(now))
        RepaintRange(now);
}

std::vector<TTextRange> TDocument::GetBlockPieces()
{
    std::vector<TTextRange> pieces;
    const TBlockSelection& block = BlockSelection;
    if (!block.Active || block.Page < 0 || block.Page >= int32_t(Pages.size()))
        return pieces;
    for (TParLine* line : Pages[size_t(block.Page)]->Lines) {
        if (!IsLineInBlockSelection(*line))
            continue;
        int32_t first, end;
        line->CharSpanInX(block.X1, block.X2, first, end);
        const int32_t par = line->Paragraph->LayoutIndex;
        // The paragraph mark stays out: erasing a block never joins paragraphs.
        const int32_t textEnd = std::max(ParagraphLength(par) - 1, 0);
        const int32_t from = std::min(line->FirstChar + first, textEnd);
        const int32_t to = std::clamp(line->FirstChar + end, from, textEnd);
        pieces.push_back(TextRangeOf(TextPosAt(par, from), TextPosAt(par, to)));
    }
    return pieces;
}

std::string TDocument::GetBlockText()
{
    std::string text;
    for (const TTextRange& piece : GetBlockPieces()) {
        if (!IsRangeEmpty(piece))
            text += GetText(piece.StartPos, piece.EndPos.Offset - piece.StartPos.Offset);
        text += "\r\n";
    }
    return text;
}
