// Random edits and random undo and redo: after every undo or redo the document is exactly the one recorded
// when that many operations were in effect.
#include <gtest/gtest.h>

#include <vector>

#include "editing/OperationManager.h"
#include "tests/editing/random_editor.h"

using namespace qptest;

namespace {

const char* const Fixtures[] = {
    "{\\rtf1 {\\footer page footer\\par}Plain {\\b bold} and {\\i\\fs30 big italic} text.\\par "
    "\\pard\\qc A {\\*\\bkmkstart mark}centred{\\*\\bkmkend mark} line\\par "
    "{\\field{\\*\\fldinst HYPERLINK \"http://example.org\"}{\\fldrslt a link}} after\\sect "
    "Second section\\tab with a tab\\par last\\par}",
    "{\\rtf1 x\\par\\par y\\page z\\par}",
};

} // namespace

TEST(UndoProperty, RandomEditsUndoAndRedoExactly)
{
    for (const char* rtf : Fixtures)
        for (uint32_t seed = 1; seed <= 6; ++seed) {
            TEditDoc d(rtf);
            TRandomEditor editor(d, seed);
            // States[k]: the dump with k operations in effect.
            std::vector<std::string> states{d.Dump()};
            for (int step = 0; step < 120; ++step) {
                const int32_t choice = editor.Pick(10);
                if (choice < 5) {
                    editor.Edit();
                    if (d.Doc->GetModeFlag(87)) {
                        // Recorded: the redo part is gone, the new state follows the ones before it.
                        states.resize(size_t(d.CurrentIndex()) + 1);
                        states.push_back(d.Dump());
                    } else {
                        ASSERT_EQ(d.Dump(), states[size_t(d.CurrentIndex() + 1)]) << "seed " << seed;
                    }
                } else if (choice < 8) {
                    d.Undo();
                    ASSERT_EQ(d.Dump(), states[size_t(d.CurrentIndex() + 1)])
                        << "seed " << seed << " step " << step;
                } else {
                    d.Redo();
                    ASSERT_EQ(d.Dump(), states[size_t(d.CurrentIndex() + 1)])
                        << "seed " << seed << " step " << step;
                }
            }
            d.Doc->OperationManager->UndoAll();
            EXPECT_EQ(d.Dump(), states.front()) << "seed " << seed;
            d.Doc->OperationManager->RedoAll();
            EXPECT_EQ(d.Dump(), states[size_t(d.CurrentIndex() + 1)]) << "seed " << seed;
        }
}
