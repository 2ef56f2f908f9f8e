// The pop-up list from which the user inserts one of the calculator's function names into the text.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "classlib/windowing/ExtCtrls.h"
#include "window/BaseForms.h"

class TDocument;

class TInsertIdentifierForm : public TPopupStayOnTopForm {
public:
    // The list for a document, its top left corner at a screen position (moved up when the list would
    // pass the bottom of the screen), the function chosen last time selected.
    TInsertIdentifierForm(TDocument* document, int x, int y);
    ~TInsertIdentifierForm() override;

    // The function entry of each row: the 97 names sorted without regard to case.
    const std::vector<int32_t>& Entries() const { return FEntries; }
    // The function entry of the selected row, 0 for none.
    int32_t SelectedFunction() const;
    // A typed printable character: extends the typed prefix and selects the first name it starts (the
    // current row tried first); with no such name the prefix starts again from the character.
    void TypeAhead(char c);
    // Inserts the selected function around the selection (or with the caret between its parentheses)
    // as one undoable operation, and closes.
    void InsertSelected();

    TListBox* List;          // owner-drawn rows: the name in bold, then its description
    int NameColumnWidth = 0; // where the descriptions start, from the row's left edge

protected:
    void DoClose(TCloseAction& action) override;

private:
    TDocument* FDocument;
    std::vector<int32_t> FEntries;
    std::string FTyped;
    int32_t FSelected = 0;
};

// Shows the list for a document at a screen position; it frees itself when it closes.
TInsertIdentifierForm* ShowInsertIdentifier(TDocument& document, int x, int y);
// Inserts a function's name and parentheses at the selection as one operation: the selection goes
// between them, else the caret does.
void InsertFunctionName(TDocument& document, int32_t function);
