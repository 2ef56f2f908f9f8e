// The passes that settle a document's style list after a reader filled it with the numbers its file
// gave: styles found by number, next styles and based-on styles made list indexes, loops cut, toggles.
#pragma once
#include <cstdint>
#include <unordered_map>

class TStyleList;

// The value a toggle word without parameter leaves in a style: the opposite of what its base has.
constexpr int32_t kStyleToggle = 129;
// The character-format fields whose marker the style passes resolve: bold, italic, strike, double strike,
// small caps, all caps, shadow, outline, emboss and engrave (not underline, whose kinds are no toggle).
bool IsStyleToggleField(int field);

// The index of the last style whose file number is Number; 0 when there is none.
int32_t FindStyleByNumber(const TStyleList& list, int32_t number);
// The same in one step for every look-up, once the style sheet is read (a file may hold thousands of
// styles and refer to them on every paragraph).
class TStyleNumberIndex {
public:
    explicit TStyleNumberIndex(const TStyleList& list);
    int32_t Find(int32_t number) const;

private:
    std::unordered_map<int32_t, int32_t> Indexes;
};
// Every style's next-style field, read as a file number, becomes a list index.
void ResolveNextStyles(TStyleList& list, const TStyleNumberIndex& numbers);
// Based-on fields (already list indexes) lose loops, and toggle markers become values.
void ResolveStyleBases(TStyleList& list);
// After a style sheet was read: each style keeps only the fields that differ from the effective
// formats of its base (or from the document defaults), its style field always.
void ReduceStylesToDifferences(TStyleList& list);
