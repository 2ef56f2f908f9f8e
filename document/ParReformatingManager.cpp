// The reformatting queue: paragraphs waiting to be broken into lines again.
#include "document/ParReformatingManager.h"

#include <algorithm>

void TParReformatingManager::AddParagraph(int32_t i)
{
    if (std::find(Pending.begin(), Pending.end(), i) == Pending.end())
        Pending.push_back(i);
}
