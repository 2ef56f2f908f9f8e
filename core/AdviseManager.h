// The tips of the advice window: the tip collection (one tip per line), the history of the tips shown
// with a position in it, and the set of tips already shown.
#pragma once
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

// A tip: its text and the number of its help topic (0 for none).
struct TTip {
    std::string Text;
    int32_t Number = 0;
};

class TAdviseManager {
public:
    // The collection from its text: one tip per line (ended by CR, LF or both).
    explicit TAdviseManager(std::string text);

    static constexpr size_t MaxHistory = 1000;

    int TipCount() const { return int(FStarts.size()); }
    // Tip I: a line ending in "#" and digits carries that number, which is not part of the text.
    TTip GetTip(int i) const;
    bool CanGoBack() const { return FPosition > 0; }
    TTip PreviousTip();
    // Forward in the history, else a new tip: during the first ten runs the tip of the run's number,
    // then a random tip not shown yet. Empty when there are no tips.
    TTip NextTip(int32_t runCount);
    const std::vector<int>& History() const { return FHistory; }

private:
    void IndexTips();

    std::string FText;
    std::vector<size_t> FStarts;
    std::vector<int> FHistory;
    int FPosition = -1;
    std::set<int> FShown;
    std::minstd_rand FRandom;
};
