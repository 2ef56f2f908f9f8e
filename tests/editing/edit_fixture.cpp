// Documents read from RTF text for the editing tests.
#include "tests/editing/edit_fixture.h"

#include <sstream>

#include "document/TextAccess.h"
#include "editing/OperationManager.h"
#include "formats/DocumentDump.h"
#include "formats/load/LoadInput.h"
#include "formats/load/ParagraphBuilder.h"
#include "formats/rtf/RtfReader.h"

namespace qptest {

TEditDoc::TEditDoc(const std::string& rtf) : Doc(std::make_unique<TDocument>())
{
    TLoadInput input(rtf.data(), static_cast<int64_t>(rtf.size()));
    ReadRtfDocument(*Doc, input);
    Doc->FinishParagraphs();
    for (auto& p : Doc->Paragraphs)
        p->NormalizeTags();
    // A document without a window still keeps its undo history here.
    Doc->SetModeFlag(mfHidden, false);
    Doc->SetCaret(0, 0, 0, 4);
}

std::string TEditDoc::Dump() const
{
    return DumpDocument(*Doc, true);
}

void TEditDoc::TypeAt(int32_t par, int32_t offset, const std::string& text)
{
    MakeTextPos(par, offset, Doc->Caret);
    Doc->Selection = TTextRange{Doc->Caret, Doc->Caret};
    Type(text);
}

void TEditDoc::Type(const std::string& text)
{
    TInsertTextParams params;
    params.Text = text;
    ExecuteOperation(*Doc, params);
}

void TEditDoc::Delete(int32_t par1, int32_t off1, int32_t par2, int32_t off2, uint8_t options)
{
    TDeleteRangeParams params;
    MakeTextPos(par1, off1, params.Start);
    MakeTextPos(par2, off2, params.End);
    params.Options = options;
    ExecuteOperation(*Doc, params);
}

void TEditDoc::Select(int32_t par1, int32_t off1, int32_t par2, int32_t off2)
{
    MakeTextPos(par1, off1, Doc->Selection.StartPos);
    MakeTextPos(par2, off2, Doc->Selection.EndPos);
    Doc->Caret = Doc->Selection.EndPos;
}

void TEditDoc::Undo()
{
    Doc->OperationManager->Undo();
}

void TEditDoc::Redo()
{
    Doc->OperationManager->Redo();
}

std::string TEditDoc::ParLine(int n) const
{
    std::istringstream in(Dump());
    const std::string prefix = "P" + std::to_string(n);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(prefix + ":", 0) == 0 || line.rfind(prefix + " ", 0) == 0)
            return line;
    return {};
}

std::string TEditDoc::Text(int32_t par) const
{
    const TMemory& plain = Doc->Paragraphs[size_t(par)]->PlainText;
    return std::string(reinterpret_cast<const char*>(plain.Data()), size_t(std::max(plain.Size() - 1, 0)));
}

TTextRange Range(int32_t par1, int32_t off1, int32_t par2, int32_t off2)
{
    return TextRangeOf(TextPosAt(par1, off1), TextPosAt(par2, off2));
}

} // namespace qptest
