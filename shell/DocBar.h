// The document bar: one button per open document; a click brings that document's window to the front.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "classlib/windowing/Controls.h"

class TDocument;

// The part of a caption that fits Width pixels: whole when it fits in Width - 28, otherwise cut so
// that it and "..." fit in Width - 38 (a doubled "&" goes as a pair).
std::string FitButtonCaption(const std::string& caption, int width,
                             const std::function<int(const std::string&)>& textWidth);

class TButtonBar : public TCustomControl {
public:
    explicit TButtonBar(TComponent* owner);
    ~TButtonBar() override;

    struct TButton {
        TDocument* Document;
        std::string Caption; // the file name with every "&" doubled
        uintptr_t Icon;      // the shell's small icon of the file; 0 for the piggy bank's picture
    };

    // A button for a document; the piggy bank's shows its toolbar picture, any other the shell's icon of
    // its file (of its kind of file while it has none yet).
    void AddDocument(TDocument* document, const std::string& fileName, bool piggyBank = false);
    // The document's button shows its new file name.
    void RenameDocument(const TDocument* document, const std::string& fileName);
    void RemoveButton(int index);
    int IndexOfDocument(const TDocument* document) const;
    int ButtonCount() const { return static_cast<int>(Buttons.size()); }
    const TButton& Button(int index) const { return Buttons[static_cast<size_t>(index)]; }
    // The document whose button is down.
    void SetActiveDocument(TDocument* document);
    // Places the buttons for the bar's width (along the top or bottom of the main window).
    void UpdateLayout(bool keepActiveVisible);
    void Scroll(int direction);

    int FirstVisible = 0;
    int VisibleCount = 0;
    int ButtonWidth = 0;
    bool ScrollButtonsShown = false;
    bool Flat = true;
    std::function<void(TDocument*)> OnActivateDocument;
    // A right click over the bar (screen point).
    std::function<void(int x, int y)> OnContextMenu;

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;

private:
    int ButtonAt(int x, int y) const;

    std::vector<TButton> Buttons;
    TDocument* Active = nullptr;
};
