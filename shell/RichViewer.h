// A read-only text with inline formatting codes, broken into lines at words to fit its width.
#pragma once
#include <string>

#include "classlib/windowing/Controls.h"

// Codes: "^" and a letter. "d" the default look again; "b", "i", "u", "s" toggle bold, italic,
// underline and strikeout; "r" toggles a larger size; "A" window text, "R" red, "B" blue, "G" green,
// "F" fuchsia; "p" ends the paragraph. "@", "(" and "J" are not drawn.
class TRichViewer : public TCustomControl {
public:
    explicit TRichViewer(TComponent* owner) : TCustomControl(owner) {}

    void SetText(const std::string& text);
    const std::string& Text() const { return FText; }
    // The text without its codes, line by line as drawn at the control's width (lines end in "\n").
    std::string LaidOutText();
    int LeftMargin = 4;
    // A band of the window colour behind the text.
    bool PaintTopBand = true;

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;

private:
    // Walks the text, placing each word; draws when Draw is set; returns the lines' text.
    std::string Flow(HDC dc, bool draw);

    std::string FText;
};
