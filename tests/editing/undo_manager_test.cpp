// The undo manager and the dispatcher: the modified state that follows the saved mark, discarding, the
// memory limit, linked operations, codes that record nothing, and a failing edit that leaves the document
// as it was.
#include <gtest/gtest.h>

#include "classlib/runtime/Exceptions.h"
#include "core/Options.h"
#include "document/DocumentHost.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"
#include "tests/editing/edit_fixture.h"

using namespace qptest;

namespace {

const char* const Text = "{\\rtf1 One two three four\\par}";

// Three operations that do not group: typed far apart.
void TypeThree(TEditDoc& d)
{
    d.TypeAt(0, 0, "a");
    d.TypeAt(0, 6, "b");
    d.TypeAt(0, 12, "c");
}

// A host whose overwrite-mode question fails: the typing builder has then applied its text step.
class TFailingHost : public TDocumentHost {
public:
    bool IsOverwriteMode() override { throw EOutOfMemory(); }
};

} // namespace

TEST(UndoManager, ModifiedFollowsTheSavedMark)
{
    TEditDoc d(Text);
    TypeThree(d);
    TOperationManager& m = *d.Doc->OperationManager;
    m.DocumentSaved();
    EXPECT_FALSE(d.Doc->IsModified());
    EXPECT_EQ(d.Doc->UndoList.SavedMark, 2);
    d.Undo();
    EXPECT_TRUE(d.Doc->IsModified());
    d.Redo();
    EXPECT_FALSE(d.Doc->IsModified());
    // A new operation after an undo frees the redo part, and the saved state with it.
    d.Undo();
    d.TypeAt(0, 3, "z");
    EXPECT_EQ(d.OperationCount(), 3);
    EXPECT_EQ(d.Doc->UndoList.SavedMark, INT32_MIN);
    d.Undo();
    EXPECT_TRUE(d.Doc->IsModified());
}

TEST(UndoManager, DiscardingAfterOpeningKeepsTheDocumentUnmodified)
{
    TEditDoc d(Text);
    TypeThree(d);
    d.Doc->OperationManager->DocumentSaved();
    d.Doc->OperationManager->DiscardUndo();
    EXPECT_EQ(d.OperationCount(), 0);
    EXPECT_EQ(d.Doc->UndoList.SavedMark, -1);
    EXPECT_FALSE(d.Doc->OperationManager->CanUndo());
    const std::string before = d.Dump();
    // Undo with nothing to undo changes nothing and leaves the document unmodified.
    d.Undo();
    EXPECT_FALSE(d.Doc->IsModified());
    EXPECT_EQ(d.Dump(), before);
}

TEST(UndoManager, AfterSaveTheUndoPartGoesWhenTheSettingsSaySo)
{
    for (bool keep : {true, false}) {
        CurrentOptions().Edit.UndoAfterSave = keep;
        TEditDoc d(Text);
        TypeThree(d);
        d.Doc->OperationManager->DocumentSaved();
        EXPECT_EQ(d.OperationCount(), keep ? 3 : 0);
        EXPECT_EQ(d.Doc->UndoList.SavedMark, keep ? 2 : -1);
        EXPECT_FALSE(d.Doc->IsModified());
    }
    CurrentOptions().Edit.UndoAfterSave = true;
}

TEST(UndoManager, OldestOperationsGoPastTheMemoryLimit)
{
    TEditDoc d(Text);
    TOperationManager& m = *d.Doc->OperationManager;
    d.TypeAt(0, 0, "a");
    const int64_t one = d.Doc->UndoList.TotalMemory;
    ASSERT_GT(one, 0);
    m.DocumentSaved();
    m.MemoryLimit = one * 2 + one / 2;
    d.TypeAt(0, 6, "b");
    d.TypeAt(0, 12, "c");
    EXPECT_EQ(d.OperationCount(), 2);
    EXPECT_EQ(d.CurrentIndex(), 1);
    EXPECT_LE(d.Doc->UndoList.TotalMemory, m.MemoryLimit);
    // The saved state is still reachable: undoing both gives it back, unmodified.
    EXPECT_EQ(d.Doc->UndoList.SavedMark, -1);
    d.Undo();
    d.Undo();
    EXPECT_EQ(d.Text(0), "aOne two three four");
    EXPECT_FALSE(d.Doc->IsModified());
    // Once dropped past, the saved state never comes back.
    d.Redo();
    m.MemoryLimit = one + one / 2;
    d.TypeAt(0, 16, "d");
    EXPECT_EQ(d.OperationCount(), 1);
    EXPECT_LT(d.Doc->UndoList.SavedMark, -1);
    d.Undo();
    EXPECT_TRUE(d.Doc->IsModified());
}

TEST(UndoManager, MemoryLimitIsAnEighthOfMemoryAndAtMost256MB)
{
    EXPECT_EQ(UndoMemoryLimit(uint64_t(512) << 20), int64_t(64) << 20);
    EXPECT_EQ(UndoMemoryLimit(uint64_t(16) << 30), int64_t(256) << 20);
    EXPECT_EQ(UndoMemoryLimit(uint64_t(5) << 30), int64_t(256) << 20);
}

TEST(UndoManager, LinkedOperationsGoTogether)
{
    TEditDoc d(Text);
    const std::string before = d.Dump();
    TypeThree(d);
    d.Doc->OperationManager->OperationAt(2)->Linked = true;
    d.Doc->OperationManager->OperationAt(1)->Linked = true;
    const std::string after = d.Dump();
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
    d.Redo();
    EXPECT_EQ(d.Dump(), after);
}

TEST(Dispatcher, CodesWithoutABuilderRecordNothing)
{
    TEditDoc d(Text);
    const std::string before = d.Dump();
    ExecuteOperation(*d.Doc, 51, nullptr);
    EXPECT_EQ(d.OperationCount(), 0);
    // A code whose builder does not exist says so, with its number.
    TAutocorrectKeyParams autocorrect;
    try {
        ExecuteOperation(*d.Doc, autocorrect);
        FAIL();
    } catch (const EInternalError& e) {
        EXPECT_NE(std::string(e.Message).find("31"), std::string::npos);
    }
    // A builder that finds nothing to do records nothing.
    TFormatTextParams nothing;
    std::fill(std::begin(nothing.Format.F), std::end(nothing.Format.F), UndefinedField);
    ExecuteOperation(*d.Doc, nothing);
    d.Delete(0, 3, 0, 3);
    EXPECT_EQ(d.OperationCount(), 0);
    EXPECT_EQ(d.Dump(), before);
    EXPECT_FALSE(d.Doc->IsModified());
    EXPECT_FALSE(d.Doc->GetModeFlag(88));
}

TEST(Dispatcher, AFailingEditLeavesTheDocumentAsItWas)
{
    TEditDoc d(Text);
    d.TypeAt(0, 0, "a");
    const std::string before = d.Dump();
    TFailingHost host;
    SetDocumentHost(&host);
    d.Select(0, 4, 0, 8);
    CurrentOptions().Edit.ReplaceSel = false;
    EXPECT_THROW(d.Type("x"), EOutOfMemory);
    SetDocumentHost(nullptr);
    CurrentOptions().Edit.ReplaceSel = true;
    EXPECT_EQ(d.Dump(), before);
    EXPECT_EQ(d.OperationCount(), 1);
    EXPECT_FALSE(d.Doc->GetModeFlag(88));
    EXPECT_EQ(d.Doc->ModeFlagStackDepth(), 0);
    // The document goes on working.
    d.Undo();
    EXPECT_EQ(d.Text(0), "One two three four");
}
