// The piggy bank's document: building it, emptying it, appending clips and handing its content over.
#include "tools/PiggyBank.h"

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Files.h"
#include "core/Codings.h"
#include "core/DataFolder.h"
#include "core/Memory.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/DocumentContent.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"
#include "editing/OperationParams.h"
#include "formats/DocumentFiles.h"
#include "formats/DocumentMemory.h"
#include "formats/load/DocumentLoad.h"

std::function<void(TDocument&)> TPiggyBank::AppendCheck;

namespace {

// The last position of the main text, before its final mark.
TTextPos MainTextEnd(const TDocument& doc)
{
    const int32_t last = doc.StoryLengths[stMain] - 1;
    return TextPosAt(last, doc.ParagraphLength(last) - 1);
}

// The page setup of the default template "Normal.rtf" (when it can be read) for the first section.
void TakeTemplatePageSetup(TDocument& doc)
{
    const std::string folder = TemplatesFolder();
    if (folder.empty() || !FileExists(folder + "Normal.rtf"))
        return;
    try {
        TDocument normal(true);
        TDocOpeningOptions load;
        load.FileName = folder + "Normal.rtf";
        load.Quiet = true;
        load.OpenMode = omReadOnly;
        if (OpenDocumentFile(normal, load))
            doc.Sections[0]->PageSetup = normal.Sections[0]->PageSetup;
    } catch (...) {
        // A template that cannot be read leaves the default page.
    }
}

} // namespace

TPiggyBank::TPiggyBank()
{
    LoadDocument();
}

TPiggyBank::~TPiggyBank() = default;

void TPiggyBank::LoadDocument()
{
    Document.reset();
    Document = std::make_unique<TDocument>(true);
    Document->ResetAsNew();
    TakeTemplatePageSetup(*Document);
    Document->Info.Title = "Pique-notes";
    Document->SetModeFlag(mfPiggyBank, true);
    // It keeps its own undo history although it has no window of its own yet.
    Document->SetModeFlag(mfHidden, false);
    Document->SetModeFlag(mfConstructing, false);
}

bool TPiggyBank::IsEmpty() const
{
    return Document->StoryLengths[stMain] == 1 && Document->Paragraphs[0]->PlainText.Size() == 1;
}

void TPiggyBank::Clear()
{
    if (IsEmpty())
        return;
    TDeleteRangeParams params;
    params.Start = TextPosAt(0, 0);
    params.End = MainTextEnd(*Document);
    try {
        ExecuteOperation(*Document, params);
    } catch (...) {
        LoadDocument();
        return;
    }
    Document->SetModified(true);
}

bool TPiggyBank::Append(TDocument& source, const TTextRange& range)
{
    TMemory block;
    if (!SaveRangeToMemory(source, range, cdRtf, block))
        return false;
    std::unique_ptr<TDocument> clip = LoadDocumentFromMemory(block.Data(), block.Size(), cdRtf);
    if (!clip)
        return false;
    TDocument& doc = *Document;
    auto operation = std::make_unique<TOperation>(&doc, okTyping);
    TChangedRange range2 = EmptyChangedRange();
    try {
        TChangedRange one;
        TTextPos at = MainTextEnd(doc);
        if (at.Offset > 0) {
            // The new piece starts a paragraph of its own.
            doc.PrepareInsertFormat(at, 0);
            InsertPlainText(doc, "\r", at, one, operation.get(), 0);
            doc.ChangedRanges->UnionChangedRange(range2, one);
            at = MainTextEnd(doc);
        }
        MakeTextPos(at.ParIndex, at.Offset, doc.Caret);
        doc.Selection = TextRangeOf(doc.Caret, doc.Caret);
        doc.PrepareInsertFormat(at, 0);
        TDocumentContent content;
        TakeDocumentContent(doc, *clip, content);
        InsertDocumentContent(doc, content, at, CurrentOptions().Edit.WiseCutPaste ? ioAdjustSpaces : 0, one,
                              operation.get());
        doc.ChangedRanges->UnionChangedRange(range2, one);
        if (AppendCheck)
            AppendCheck(doc);
    } catch (const std::exception& e) {
        // Only this append is taken back.
        try {
            TChangedRange undone;
            operation->Undo(undone);
            doc.ChangedRanges->RefreshAfterChange(undone);
        } catch (...) {}
        doc.Caret = operation->CaretBefore;
        doc.Selection = operation->SelectionBefore();
        if (!dynamic_cast<const EAbort*>(&e))
            ShowError(e.what());
        return false;
    }
    doc.ChangedRanges->RefreshAfterChange(range2);
    doc.OperationManager->AddOperation(std::move(operation));
    doc.SetModified(true);
    return true;
}

bool TPiggyBank::InsertInto(TDocument& target, TDocumentContent& content)
{
    TMemory block;
    const TTextRange body = TextRangeOf(TextPosAt(0, 0), MainTextEnd(*Document));
    if (!SaveRangeToMemory(*Document, body, cdRtf, block))
        return false;
    std::unique_ptr<TDocument> copy = LoadDocumentFromMemory(block.Data(), block.Size(), cdRtf);
    if (!copy)
        return false;
    TakeDocumentContent(target, *copy, content);
    return true;
}
