// Documents read from RTF text for the editing tests, edited through the dispatcher and compared through
// the document dump.
#pragma once
#include <memory>
#include <string>

#include "document/Document.h"
#include "editing/OperationParams.h"

namespace qptest {

class TEditDoc {
public:
    // The document the RTF text describes, its paragraphs in canonical form, recording undo.
    explicit TEditDoc(const std::string& rtf);

    // The whole document as text: paragraphs, formats, sections, fields, objects.
    std::string Dump() const;
    // Typing at a place: the caret goes there and the text is typed.
    void TypeAt(int32_t par, int32_t offset, const std::string& text);
    void Type(const std::string& text);
    void Delete(int32_t par1, int32_t off1, int32_t par2, int32_t off2, uint8_t options = 0);
    void Select(int32_t par1, int32_t off1, int32_t par2, int32_t off2);
    void Undo();
    void Redo();
    int32_t CurrentIndex() const { return Doc->UndoList.CurrentIndex; }
    int32_t OperationCount() const { return Doc->UndoList.Count(); }
    // The dump's line of paragraph N.
    std::string ParLine(int n) const;
    // The plain text of a paragraph, without its end mark.
    std::string Text(int32_t par) const;

    std::unique_ptr<TDocument> Doc;
};

TTextRange Range(int32_t par1, int32_t off1, int32_t par2, int32_t off2);

} // namespace qptest
