// The document's paragraph list and its four stories.
#include "document/Document.h"

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
