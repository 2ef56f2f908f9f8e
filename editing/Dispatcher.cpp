// The operation dispatcher: the one entry through which every edit of a document runs as an undoable
// operation.
#include <cstdio>

#include "classlib/runtime/Exceptions.h"
#include "core/Events.h"
#include "core/Styles.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/Envelope.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"
#include "editing/OperationParams.h"
#include "editing/TableOfContents.h"

namespace {

// Mode flags of the dispatcher.
enum : int {
    mfRecorded = 87,      // the last execution recorded an operation
    mfExecuting = 88,     // an execution is running
    mfRecreateCaret = 90, // the window makes its caret again afterwards
    mfRepaintAll = 91,    // the whole document is painted again afterwards
    mfExecutingToo = 92,
    mfNoUndoRecord = 51, // the document records nothing (a hidden document)
};

constexpr int32_t evBlockErased = 2300;

// The kind each code records (codes 8, 11, 26 and 36 decide from their parameters or builder).
constexpr uint8_t CodeKinds[OperationCodeCount] = {
    1,  5,  9,  38, 9,  10, 4,  6,  5,  5,  7, 7,  28, 15, 15, 13, 13, 20, 37, 15, 21, 24, 25, 26, 27, 39,
    29, 36, 15, 42, 43, 44, 44, 45, 46, 46, 0, 47, 48, 48, 47, 49, 51, 50, 52, 51, 53, 55, 16, 56, 57};

[[noreturn]] void NotAvailable(uint8_t code)
{
    char text[128];
    std::snprintf(text, sizeof text, "Erreur interne : l'opération %d n'est pas disponible.", int(code));
    throw EInternalError(text);
}

// The formats at the caret for typed or inserted text, with the language inserted text takes.
void PrepareInsertFormatAtCaret(TDocument& doc)
{
    doc.PrepareInsertFormat(doc.Caret, 1);
    if (doc.HasSelection())
        return;
    int32_t language = doc.InsertedTextFormat[cfLanguage], font = doc.InsertedTextFormat[cfFont];
    GetInsertionLanguage(doc, font, language, font);
    doc.InsertedTextFormat[cfLanguage] = language;
    doc.InsertedTextFormat[cfFont] = font;
}

template<typename P>
const P& Params(const void* params)
{
    return *static_cast<const P*>(params);
}

void RunBuilder(TDocument& doc, uint8_t code, const void* params, TChangedRange& range, TOperation* operation)
{
    operation->Kind = CodeKinds[code];
    switch (code) {
    case opFormatParagraphs: {
        const auto& p = Params<TFormatParagraphsParams>(params);
        FormatParagraphs(doc, p.Range, p.Format, range, operation);
        break;
    }
    case opFormatText: {
        const auto& p = Params<TFormatTextParams>(params);
        FormatText(doc, p.Range, p.Format, range, operation, p.Option);
        break;
    }
    case opFormatBlock:
        ExecuteBlockOperation(doc, bmFormat, &Params<TFormatBlockParams>(params).Format, range, operation);
        break;
    case opEraseBlock:
        ExecuteBlockOperation(doc, bmErase, nullptr, range, operation);
        TriggerEvent(evBlockErased);
        break;
    case opStepCharFormatField: {
        const auto& p = Params<TStepCharFormatFieldParams>(params);
        StepCharFormatField(doc, p.Range, p.Field, p.Step, range, operation);
        break;
    }
    case opFormatPainter: {
        const auto& p = Params<TFormatPainterParams>(params);
        ApplyFormatPainter(doc, p.CharFormat, p.ParaFormat, p.StyleName, range, operation);
        break;
    }
    case opFormatTabs: {
        const auto& p = Params<TFormatTabsParams>(params);
        FormatTabs(doc, p.Interval, p.TableIndex, p.Range, range, operation);
        break;
    }
    case opResetToStyleFormat: {
        const auto& p = Params<TResetToStyleFormatParams>(params);
        operation->Kind = p.Characters ? okCharFormat : okParagraphFormat;
        ResetToStyleFormat(doc, p.Range, p.Characters != 0, range, operation);
        break;
    }
    case opStepParagraphFormat: {
        const auto& p = Params<TStepParagraphFormatParams>(params);
        StepParagraphFormat(doc, p.Range, p.Kind, p.Step, range, operation);
        break;
    }
    case opChangePageParams: {
        const auto& p = Params<TChangePageParamsParams>(params);
        ChangePageParams(doc, p.PageSetup, p.Range, range, operation);
        break;
    }
    case opReducePageCount: ReducePageCount(doc, range, operation); break;
    case opFormatPageNumbers: {
        const auto& p = Params<TFormatPageNumbersParams>(params);
        FormatPageNumbers(doc, p.Style, p.Restart, range, operation);
        break;
    }
    case opFormatSections: {
        TTextRange selection = doc.HasSelection() ? doc.Selection : TextRangeOf(doc.Caret, doc.Caret);
        if (CompareTextPos(selection.EndPos, selection.StartPos) < 0)
            std::swap(selection.StartPos, selection.EndPos);
        FormatSections(doc, selection, Params<TFormatSectionsParams>(params).Params, range, operation);
        break;
    }
    case opChangeSectionBreak: {
        const auto& p = Params<TChangeSectionBreakParams>(params);
        ChangeSectionBreak(doc, p.Paragraph, p.BreakKind, range, operation);
        break;
    }
    case opChangeDefaultLanguage:
        ChangeDefaultLanguage(doc, Params<TChangeDefaultLanguageParams>(params).Language, range, operation);
        break;
    case opFindReplace: {
        // A match replaced by the find and replace form: one replacement, or one of a "replace all".
        const auto& p = Params<TFindReplaceParams>(params);
        TTextPos start = p.Range.StartPos, end = p.Range.EndPos;
        if (CompareTextPos(end, start) < 0)
            std::swap(start, end);
        ReplaceRange(doc, start, end, range, operation, 0, p.Replacement);
        if (!operation->IsEmpty())
            doc.UndoList.KindOverride = p.ReplaceAll ? okReplaceAll : okReplace;
        break;
    }
    case opSetSameAsPrevious: SetSameAsPrevious(doc, range, operation); break;
    case opApplyStyles: {
        const auto& p = Params<TApplyStylesParams>(params);
        ApplyStyles(doc, p.Range, p.Style, range, operation, nullptr, nullptr, p.ApplyCharFormat != 0);
        break;
    }
    case opChangeStyleList: {
        const auto& p = Params<TChangeStyleListParams>(params);
        std::unique_ptr<TFormatStyleListInfo> info(p.Info);
        operation->Kind = info && info->Styles ? 8 : 7;
        ChangeStyleList(doc, p.Range, std::move(info), range, operation);
        break;
    }
    case opUpdateStyleFromSelection: {
        const auto& p = Params<TUpdateStyleFromSelectionParams>(params);
        UpdateStyleFromSelection(doc, range, operation, p.ActionName);
        break;
    }
    case opInsertContent: {
        const auto& p = Params<TInsertContentParams>(params);
        PrepareInsertFormatAtCaret(doc);
        if (p.Content)
            InsertContentAtSelection(doc, *p.Content, range, operation, p.Flags);
        break;
    }
    case opInsertText: {
        const auto& p = Params<TInsertTextParams>(params);
        PrepareInsertFormatAtCaret(doc);
        InsertTextAtSelection(doc, p.Text, p.Flags, range, operation);
        break;
    }
    case opDeleteRange: {
        const auto& p = Params<TDeleteRangeParams>(params);
        DeleteRange(doc, p.Start, p.End, range, operation, p.Options);
        break;
    }
    case opClickAndType: ClickAndType(doc, Params<TClickAndTypeParams>(params).Data, range, operation); break;
    case opFormatObject: {
        const auto& p = Params<TFormatObjectParams>(params);
        FormatObject(doc, p.Position, p.Width, p.Height, p.ScaleX, p.ScaleY, p.Visible, range, operation);
        break;
    }
    case opInsertCharacter: {
        const auto& p = Params<TInsertCharacterParams>(params);
        InsertCharacter(doc, p.Character, p.FontName, p.Charset, range, operation);
        break;
    }
    case opPaste: {
        const auto& p = Params<TPasteParams>(params);
        PasteFromClipboard(doc, p.Format, p.KeepFormat != 0, range, operation);
        break;
    }
    case opPastePiggyBank: PastePiggyBank(doc, range, operation); break;
    case opMoveText: {
        const auto& p = Params<TMoveTextParams>(params);
        MoveText(doc, p.SourceStart, p.SourceEnd, p.Target, p.Flags, range, operation);
        break;
    }
    case opDuplicateText: {
        const auto& p = Params<TDuplicateTextParams>(params);
        DuplicateText(doc, p.SourceStart, p.SourceEnd, p.Target, p.Flags, range, operation);
        break;
    }
    case opJoinParagraphs: {
        const auto& p = Params<TJoinParagraphsParams>(params);
        JoinParagraphs(doc, p.FirstParagraph, p.LastParagraph, range, operation);
        break;
    }
    case opSplitParagraphs: {
        const auto& p = Params<TSplitParagraphsParams>(params);
        SplitParagraphs(doc, p.FirstParagraph, p.LastParagraph, range, operation);
        break;
    }
    case opSortParagraphs: {
        const auto& p = Params<TSortParagraphsParams>(params);
        SortParagraphs(doc, p.Range, p.Descending != 0, range, operation);
        break;
    }
    case opTransformText: {
        const auto& p = Params<TTransformTextParams>(params);
        TransformText(doc, p.Mode, p.Range, p.Parameter, p.Flags, range, operation);
        break;
    }
    case opCalculate: {
        PrepareInsertFormatAtCaret(doc);
        CalculateAutodetected(doc, Params<TCalculateParams>(params).Range, range, operation, nullptr);
        break;
    }
    case opInsertCalculation: SumBlock(doc, Params<TInsertCalculationParams>(params).Block, range); break;
    case opFormatBookmark:
        FormatBookmark(doc, Params<TFormatBookmarkParams>(params).Name, range, operation);
        break;
    case opRemoveBookmark:
        if (TField* bookmark = Params<TRemoveBookmarkParams>(params).Bookmark)
            RemoveField(doc, *bookmark, range, operation);
        break;
    case opEditField: {
        const auto& p = Params<TEditFieldParams>(params);
        if (p.Field)
            EditField(doc, *p.Field, p.FieldCode, range, operation);
        break;
    }
    case opEditHyperlink:
        if (TField* link = Params<TEditHyperlinkParams>(params).Field)
            DeactivateHyperlink(doc, *link, range, operation);
        break;
    case opDeactivateHyperlinks: DeactivateHyperlinks(doc, range, operation); break;
    case opDeactivateBrokenHyperlinks: DeactivateBrokenHyperlinks(doc, range, operation); break;
    case opInsertHyperlink: {
        const auto& p = Params<TInsertHyperlinkParams>(params);
        PrepareInsertFormatAtCaret(doc);
        InsertHyperlink(doc, p.FieldCode, p.Text, range, operation);
        break;
    }
    case opRemoveTableOfContents: {
        TField* field = Params<TRemoveTableOfContentsParams>(params).Field;
        TTextRange where;
        if (!field)
            field = doc.GetFieldAtSelection(where, ftTableOfContents);
        if (field)
            RemoveFieldWithLinks(doc, *field, range, operation);
        break;
    }
    case opBuildTableOfContents:
        BuildTableOfContents(doc, Params<TBuildTableOfContentsParams>(params).Options, range, operation);
        break;
    case opCreateEnvelope: {
        const auto& p = Params<TCreateEnvelopeParams>(params);
        CreateEnvelope(doc, p.Recipient, p.Sender, p.Reuse != 0, range, operation);
        break;
    }
    case opInsertField: {
        const auto& p = Params<TInsertFieldParams>(params);
        PrepareInsertFormatAtCaret(doc);
        InsertField(doc, p.FieldType, p.Arguments, range, operation);
        break;
    }
    case opUpdateFieldResults: {
        const auto& p = Params<TUpdateFieldResultsParams>(params);
        UpdateFieldResults(doc, p.Range, p.Types, range, operation);
        break;
    }
    case opRemoveFields: {
        TTextRange where;
        if (TField* field = doc.GetFieldAtSelection(where, Params<TRemoveFieldsParams>(params).TypeFilter))
            RemoveField(doc, *field, range, operation);
        break;
    }
    default: NotAvailable(code);
    }
}

// Mode flags set for the length of an execution, cleared however it ends.
class TExecutionFlags {
public:
    explicit TExecutionFlags(TDocument& doc) : FDocument(doc)
    {
        FDocument.BeginBusy();
        FDocument.SetModeFlag(mfExecuting, true);
        FDocument.SetModeFlag(mfExecutingToo, true);
        FDocument.SetModeFlag(mfRecorded, false);
        FDocument.SetModeFlag(mfRecreateCaret, false);
    }
    ~TExecutionFlags()
    {
        FDocument.EndBusy();
        FDocument.SetModeFlag(mfExecuting, false);
        FDocument.SetModeFlag(mfRepaintAll, false);
        FDocument.SetModeFlag(mfExecutingToo, false);
    }
    TExecutionFlags(const TExecutionFlags&) = delete;
    TExecutionFlags& operator=(const TExecutionFlags&) = delete;

private:
    TDocument& FDocument;
};

// Takes back the steps a failed builder applied, newest first, and puts the caret and selection back.
void RollBack(TDocument& doc, TOperation& operation)
{
    try {
        TChangedRange range;
        operation.Undo(range);
        doc.ChangedRanges->RefreshAfterChange(range);
    } catch (...) {
        // The document is left as far back as it could be taken; the first error is the one reported.
    }
    doc.Caret = operation.CaretBefore;
    doc.Selection = operation.SelectionBefore;
}

} // namespace

void ExecuteOperation(TDocument& doc, uint8_t code, const void* params)
{
    if (code >= OperationCodeCount)
        return;
    ExecuteBuilder(doc, okCommand, [&](TChangedRange& range, TOperation* operation) {
        RunBuilder(doc, code, params, range, operation);
    });
}

void ExecuteBuilder(TDocument& doc, uint8_t kind,
                    const std::function<void(TChangedRange& range, TOperation* operation)>& builder)
{
    TExecutionFlags flags(doc);
    auto operation = std::make_unique<TOperation>(&doc, kind);
    TChangedRange range = EmptyChangedRange();
    try {
        builder(range, operation.get());
    } catch (...) {
        RollBack(doc, *operation);
        throw;
    }
    if (doc.GetModeFlag(mfRepaintAll))
        range[crWholeDocument] = 1;
    if (operation->IsEmpty() || doc.GetModeFlag(mfNoUndoRecord)) {
        // Nothing to record; what was changed (with no operation) is still brought up to date.
        if (!operation->IsEmpty())
            doc.ChangedRanges->RefreshAfterChange(range);
        if (doc.GetModeFlag(mfRepaintAll)) {
            doc.Invalidate();
            DocumentHost().InvalidateCommands();
        }
        return;
    }
    doc.ChangedRanges->RefreshAfterChange(range);
    if (doc.UndoList.KindOverride != 0xFF) {
        operation->Kind = doc.UndoList.KindOverride;
        doc.UndoList.KindOverride = 0xFF;
    }
    doc.OperationManager->AddOperation(std::move(operation));
    doc.SetModeFlag(mfRecorded, true);
    doc.SetModeFlag(29, false);
    doc.SetModeFlag(mfFieldsDirty, true);
    DocumentHost().InvalidateCommands();
}
