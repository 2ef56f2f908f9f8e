// What every reader does to the paragraphs it fills: text, special characters, tags, new paragraphs.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

class TDocument;
class TParagraph;

// Appends characters to both the tagged text and the plain text.
void AppendText(TParagraph& paragraph, const uint8_t* bytes, int32_t count);
// Appends a special character: a tag of code 22 and its code as a plain byte.
void AppendSpecial(TParagraph& paragraph, uint8_t code);
// Appends a picture (tag 24) or an OLE object (tag 25) carrying the object's handle, with its plain byte.
void AppendObject(TParagraph& paragraph, int code, int32_t handle);
// Appends a tag that takes no character position (formats, field marks).
void AppendZeroWidthTag(TParagraph& paragraph, int code, int32_t value);
// Appends a new paragraph to the document's list (in the main text) and returns it.
TParagraph& AddParagraph(TDocument& document);
// The paragraph a reader starts in: the document's last one while it is empty (the first paragraph
// of a new document), else a new one.
TParagraph& FirstParagraph(TDocument& document);
// Gives the main text's last paragraph its end mark when the reader left it without one; a document
// without paragraphs gets one empty paragraph. The tags of every paragraph are put in canonical form.
void FinishParagraphs(TDocument& document);
// Removes the empty paragraph that a story's last paragraph end opened (never the only one); the field
// and bookmark marks it holds go to the end of the paragraph before.
void DropEmptyLastParagraph(std::vector<std::unique_ptr<TParagraph>>& list);
// The paragraph's last character is a paragraph mark.
bool EndsWithParagraphMark(const TParagraph& paragraph);
