// The string-list editor: a list of lines edited in a modal dialog through an entry field with the Add
// and Delete buttons.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

class TStringList;

// Flags of the editor: in choice mode the entry field is a drop-down list of Choices instead of an edit.
enum : uint32_t { slfChoiceMode = 1 };

// Accepts an entry about to be added (it tells the user itself why it refuses one).
using TStrListEntryValidator = std::function<bool(const std::string& entry)>;

// Edits a copy of Lines under the caption, the label above the list and the help topic; on OK the edited
// lines are assigned back to Lines and the result is true.
bool ExecuteStrListEditDialog(TStringList& lines, const std::string& caption, const std::string& label,
                              int helpTopic, uint32_t flags,
                              const TStrListEntryValidator& validator = nullptr,
                              const TStringList* choices = nullptr);
