// What the readers share about the stories they fill, beyond the paragraph's own filling methods.
#pragma once
#include <memory>
#include <vector>

class TParagraph;

// Removes the empty paragraph that a story's last paragraph end opened (never the only one); the field
// and bookmark marks it holds go to the end of the paragraph before.
void DropEmptyLastParagraph(std::vector<std::unique_ptr<TParagraph>>& list);
// The paragraph's last character is a paragraph mark.
bool EndsWithParagraphMark(const TParagraph& paragraph);
