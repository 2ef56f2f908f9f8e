// A paste of a dragged link: the address the drop's shortcut holds becomes a hyperlink, as one undoable
// operation.
#include <gtest/gtest.h>

#include "document/Field.h"
#include "editing/OperationParams.h"
#include "editing/PasteSource.h"
#include "tests/editing/edit_fixture.h"

namespace {

using namespace qptest;

constexpr int32_t FileGroup = 0xC0F0;

// A drop that offers one dragged link.
class TLinkDrop : public TPasteSource {
public:
    bool Open() override { return true; }
    void Close() override {}
    bool HasFormat(int32_t format) override { return format == FileGroup; }
    bool CanPaste() override { return true; }
    bool IsTextContent() override { return true; }
    bool IsDropping() override { return true; }
    int32_t RectangularFormat() override { return 0xC0F1; }
    int32_t NotWholeWordsFormat() override { return 0xC0F2; }
    int32_t FileGroupFormat() override { return FileGroup; }
    bool PasteInto(TDocument&, int32_t, bool, TPasteResult& result) override
    {
        result.Text = Address;
        result.IsPlainText = true;
        result.FormatUsed = FileGroup;
        return true;
    }
    bool CanPastePiggyBank(const TDocument&) override { return false; }
    bool PiggyBankContent(TDocument&, TDocumentContent&) override { return false; }
    std::string Address = "http://exemple.fr/page";
};

TEST(PasteLink, ADraggedLinkBecomesAHyperlinkToItsAddress)
{
    TLinkDrop drop;
    SetPasteSource(&drop);
    TEditDoc doc("{\\rtf1 Voir ici.}");
    const std::string before = doc.Dump();
    doc.Select(0, 5, 0, 5);
    ExecuteOperation(*doc.Doc, TPasteParams{});
    SetPasteSource(nullptr);

    TTextRange range;
    const TField* link = doc.Doc->FindFieldAt(TextPosAt(0, 8), range, nullptr, ftHyperlink, -1);
    ASSERT_NE(link, nullptr) << doc.Dump();
    EXPECT_NE(link->Code.find("\"http://exemple.fr/page\""), std::string::npos) << link->Code;
    EXPECT_NE(doc.Text(0).find("http://exemple.fr/page"), std::string::npos) << doc.Text(0);
    doc.Undo();
    EXPECT_EQ(doc.Dump(), before);
}

} // namespace
