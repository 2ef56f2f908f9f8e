// The tips of the advice window and the order they are shown in.
#include "core/AdviseManager.h"

#include <chrono>

TAdviseManager::TAdviseManager(std::string text)
    : FText(std::move(text)),
      FRandom(static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()))
{
    IndexTips();
}

void TAdviseManager::IndexTips()
{
    FStarts.clear();
    size_t start = 0;
    while (start < FText.size()) {
        if (FText[start] == '\n') { // the LF of a CR LF pair
            ++start;
            continue;
        }
        FStarts.push_back(start);
        const size_t end = FText.find_first_of("\r\n", start);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
}

TTip TAdviseManager::GetTip(int i) const
{
    TTip tip;
    if (i < 0 || i >= TipCount())
        return tip;
    const size_t start = FStarts[size_t(i)];
    size_t end = FText.find_first_of("\r\n", start);
    if (end == std::string::npos)
        end = FText.size();
    tip.Text = FText.substr(start, end - start);
    const size_t hash = tip.Text.rfind('#');
    if (hash != std::string::npos && hash + 1 < tip.Text.size() &&
        tip.Text.find_first_not_of("0123456789", hash + 1) == std::string::npos &&
        tip.Text.size() - hash - 1 <= 9) {
        tip.Number = std::stoi(tip.Text.substr(hash + 1));
        tip.Text.erase(hash);
    }
    return tip;
}

TTip TAdviseManager::PreviousTip()
{
    if (!CanGoBack())
        return {};
    return GetTip(FHistory[size_t(--FPosition)]);
}

TTip TAdviseManager::NextTip(int32_t runCount)
{
    if (TipCount() == 0)
        return {};
    if (FPosition + 1 < int(FHistory.size()))
        return GetTip(FHistory[size_t(++FPosition)]);
    int tip;
    if (FShown.empty() && runCount >= 0 && runCount < 10 && runCount < TipCount()) {
        tip = runCount;
    } else {
        if (int(FShown.size()) >= TipCount())
            FShown.clear();
        std::vector<int> fresh;
        for (int i = 0; i < TipCount(); ++i)
            if (!FShown.count(i))
                fresh.push_back(i);
        tip = fresh[std::uniform_int_distribution<size_t>(0, fresh.size() - 1)(FRandom)];
    }
    FShown.insert(tip);
    if (FHistory.size() >= MaxHistory)
        FHistory.erase(FHistory.begin());
    FHistory.push_back(tip);
    FPosition = int(FHistory.size()) - 1;
    return GetTip(tip);
}
