// The document's paragraph list and its four stories.
#include "document/Document.h"

#include "document/InlineTags.h"

int TDocument::StoryOfParagraph(int32_t i) const
{
    int32_t start = 0;
    for (int story = 0; story < StoryCount; ++story) {
        if (i >= start && i < start + StoryLengths[story])
            return story;
        start += StoryLengths[story];
    }
    return stMain;
}

int32_t TDocument::StoryStart(int story) const
{
    int32_t start = 0;
    for (int n = 0; n < story && n < StoryCount; ++n)
        start += StoryLengths[n];
    return start;
}

int32_t TDocument::StoryEnd(int story) const
{
    return StoryStart(story) + StoryLengths[story] - 1;
}

bool TDocument::IsOutsideEditedStory(int32_t i) const
{
    if (GetModeFlag(mfPrinting) || PreviewMode)
        return false;
    const bool inHeadersFooters = StoryOfParagraph(i) == stHeadersFooters;
    return EditedHeaderFooter ? !inHeadersFooters : inHeadersFooters;
}

bool TDocument::IsTextHidden(int32_t i) const
{
    return GetModeFlag(mfHideBodyText) && EditedHeaderFooter && !GetModeFlag(mfPrinting) &&
           StoryOfParagraph(i) != stHeadersFooters;
}

TParagraph& TDocument::AppendParagraph()
{
    Paragraphs.push_back(std::make_unique<TParagraph>(this));
    ++StoryLengths[stMain];
    return *Paragraphs.back();
}

TParagraph& TDocument::StartingParagraph()
{
    if (!Paragraphs.empty() && Paragraphs.back()->Text.Size() == 0)
        return *Paragraphs.back();
    return AppendParagraph();
}

void TDocument::AppendStories(std::vector<std::unique_ptr<TParagraph>>& footnotes,
                              std::vector<std::unique_ptr<TParagraph>>& endnotes,
                              std::vector<std::unique_ptr<TParagraph>>& headersFooters)
{
    StoryLengths[stMain] = ParagraphCount();
    StoryLengths[stFootnotes] = static_cast<int32_t>(footnotes.size());
    StoryLengths[stEndnotes] = static_cast<int32_t>(endnotes.size());
    StoryLengths[stHeadersFooters] = static_cast<int32_t>(headersFooters.size());
    for (auto* story : {&footnotes, &endnotes, &headersFooters}) {
        for (auto& p : *story)
            Paragraphs.push_back(std::move(p));
        story->clear();
    }
}

void TDocument::FinishParagraphs()
{
    if (Paragraphs.empty() || StoryLengths[stMain] <= 0) {
        Paragraphs.clear();
        for (int32_t& length : StoryLengths)
            length = 0;
        AppendParagraph();
    }
    TParagraph& last = *Paragraphs[static_cast<size_t>(StoryLengths[stMain] - 1)];
    const uint8_t end = last.LastCharacter();
    if (end != scParagraphMark && end != scSectionBreak)
        last.AppendSpecial(scParagraphMark);
    for (auto& p : Paragraphs)
        p->NormalizeTags();
    // Reading places no caret: text typed at the start takes the format of the first character.
    if (Caret.ParIndex < 0 || Caret.ParIndex >= ParagraphCount())
        MakeTextPos(0, 0, Caret);
    if (TakeFormatStatesAtCaret())
        InsertionFormat = CharFormatState;
}
