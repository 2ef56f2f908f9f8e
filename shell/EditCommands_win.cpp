// The edit commands (3000 - 5999): special characters and breaks, deleting, the clipboard and the piggy
// bank, selection, undo and redo, rearranging and transforming text, scrolling. Commands whose dialog
// or service is not in the program yet return false, so that the command manager names them.
#include "shell/CommandExecutors.h"

#include <algorithm>

#include "core/DateTimeFormats.h"
#include "core/Events.h"
#include "core/Messages.h"
#include "core/InterfaceTexts.h"
#include "core/Options.h"
#include "document/Document.h"
#include "document/Field.h"
#include "document/Page.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"
#include "editing/OperationParams.h"
#include "shell/ClipboardCommands.h"
#include "shell/CommandManager.h"
#include "shell/SelectionSaveCommands.h"
#include "shell/MainForm.h"

namespace {

// The byte each of the commands 3000 - 3022 inserts.
constexpr uint8_t SpecialCharacters[23] = {13,  11, 12,  9,   169, 174, 153, 160, 16,  31,  133, 151,
                                           150, 39, 145, 146, 147, 148, 171, 187, 132, 147, 15};

// The operation kind of the duplication, for its message.
constexpr uint8_t okDuplicate = 24;

TTextRange Ordered(const TTextRange& given)
{
    TTextRange r = given;
    if (CompareTextPos(r.EndPos, r.StartPos) < 0)
        std::swap(r.StartPos, r.EndPos);
    return r;
}

void InsertCharacterCommand(TDocument& doc, int32_t command)
{
    TInsertTextParams params;
    if (command >= 3080) {
        params.Text = std::string{char(12), char(0), char(command - 3080)};
        params.Flags = ioSectionBreaks;
    } else {
        const uint8_t c = SpecialCharacters[command - 3000];
        params.Text = std::string(1, char(c));
        if (command == 3002 || command == 3022) {
            // A page or column break begins a paragraph.
            const TTextPos at = doc.HasSelection() ? Ordered(doc.Selection).StartPos : doc.Caret;
            if (at.Offset > 0)
                params.Text.insert(params.Text.begin(), char(13));
        }
    }
    TModeFlagScope scope(doc);
    scope.On(mfKeepLanguage);
    ExecuteOperation(doc, params);
}

void DeleteRangeCommand(TDocument& doc, const TTextPos& start, const TTextPos& end)
{
    TDeleteRangeParams params;
    params.Start = start;
    params.End = end;
    ExecuteOperation(doc, params);
}

// Delete (3200) and backspace (3220): the selection, else the character after or before the caret.
void DeleteCharacter(TDocument& doc, bool forward)
{
    if (doc.HasSelection()) {
        const TTextRange r = Ordered(doc.Selection);
        DeleteRangeCommand(doc, r.StartPos, r.EndPos);
        return;
    }
    TTextPos at = doc.Caret;
    if (forward) {
        TTextPos next = at.Offset + 1 < doc.ParagraphLength(at.ParIndex)
                            ? TextPosAt(at.ParIndex, at.Offset + 1)
                            : TextPosAt(at.ParIndex + 1, 0);
        if (next.ParIndex >= doc.ParagraphCount())
            return;
        DeleteRangeCommand(doc, at, next);
    } else {
        if (at.Offset == 0 && at.ParIndex == 0)
            return;
        const TTextPos before = at.Offset > 0
                                    ? TextPosAt(at.ParIndex, at.Offset - 1)
                                    : TextPosAt(at.ParIndex - 1, doc.ParagraphLength(at.ParIndex - 1) - 1);
        DeleteRangeCommand(doc, before, at);
    }
}

// The first character and the count of the caret's line (the whole paragraph when it is not laid out).
void CaretLine(TDocument& doc, int32_t& first, int32_t& count)
{
    const TParagraph& p = *doc.Paragraphs[size_t(doc.Caret.ParIndex)];
    first = 0;
    count = p.PlainText.Size();
    if (p.LineCount() == 0)
        return;
    const int32_t line =
        std::clamp(p.LineAtOffset(doc.Caret.Offset, doc.Caret.LineHint, 0), 0, p.LineCount() - 1);
    first = p.Lines[size_t(line)]->FirstChar;
    count = p.Lines[size_t(line)]->CharCount;
}

void SelectRange(TDocument& doc, const TTextPos& a, const TTextPos& b)
{
    doc.Select(a.ParIndex, a.Offset, b.ParIndex, b.Offset, 0);
}

bool SelectCommand(TDocument& doc, int32_t command)
{
    const TTextPos caret = doc.Caret;
    const int32_t par = caret.ParIndex;
    switch (command) {
    case 3740: doc.SelectAll(); return true;
    case 3760: {
        const TTextPiece word = doc.GetWordAt(caret);
        SelectRange(doc, word.Pos, TextPosAt(word.Pos.ParIndex, word.Pos.Offset + word.Length));
        return true;
    }
    case 3770: {
        int32_t first = 0, count = 0;
        CaretLine(doc, first, count);
        SelectRange(doc, TextPosAt(par, first), TextPosAt(par, first + count));
        return true;
    }
    case 3780: {
        const TTextRange sentence = doc.GetSentenceRange(caret);
        SelectRange(doc, sentence.StartPos, sentence.EndPos);
        return true;
    }
    case 3790: SelectRange(doc, TextPosAt(par, 0), TextPosAt(par, doc.ParagraphLength(par))); return true;
    case 3800: {
        // The caret's page: from its first line to its last.
        const int32_t pageIndex = caret.PageIndex;
        if (pageIndex < 0 || pageIndex >= int32_t(doc.Pages.size()))
            return true;
        int32_t firstPar = -1, lastPar = -1;
        for (int32_t i = 0; i < doc.ParagraphCount(); ++i)
            for (const auto& line : doc.Paragraphs[size_t(i)]->Lines)
                if (line->Page == doc.Pages[size_t(pageIndex)].get()) {
                    if (firstPar < 0)
                        firstPar = i;
                    lastPar = i;
                }
        if (firstPar >= 0)
            SelectRange(doc, TextPosAt(firstPar, 0), TextPosAt(lastPar, doc.ParagraphLength(lastPar)));
        return true;
    }
    case 3810: {
        doc.UpdateSectionRanges();
        if (const TSection* s = doc.SectionOfParagraph(par))
            SelectRange(doc, TextPosAt(s->FirstParagraph, 0),
                        TextPosAt(s->LastParagraph, doc.ParagraphLength(s->LastParagraph)));
        return true;
    }
    }
    return false;
}

void TransformCommand(TDocument& doc, uint8_t mode)
{
    TTransformTextParams params;
    params.Mode = mode;
    params.Range = doc.Selection;
    params.Flags = ioSelectInserted;
    ExecuteOperation(doc, params);
}

void ScrollCommand(TDocument& doc, int32_t command)
{
    TPoint pos = doc.ViewState.ScrollPos;
    const int32_t step = 32;
    switch (command) {
    case 4140: pos.X -= step; break;
    case 4160: pos.X += step; break;
    case 4180: pos.Y -= step; break;
    case 4200: pos.Y += step; break;
    case 4220: pos.X = (doc.ViewState.ScrollRanges.HorzMax - doc.ViewState.ScrollRanges.HorzPage) / 2; break;
    case 4225:
    case 4226: {
        const int32_t first = doc.FirstVisiblePage();
        const int32_t target = command == 4225 ? std::max(first - 1, 0) : first + 1;
        if (target >= int32_t(doc.Pages.size()))
            return;
        pos.Y = doc.GetPageRect(target).Top - 10;
        break;
    }
    }
    doc.SetScrollPos(pos);
}

// Runs two commands and binds the operations they recorded into one undo step of kind 14.
void RunLinkedPair(TDocument& doc, int32_t first, int32_t second)
{
    const int32_t before = doc.UndoList.Count();
    CommandManager().ExecuteCommand(first);
    CommandManager().ExecuteCommand(second);
    const int32_t added = doc.UndoList.Count() - before;
    for (int32_t i = before; i < doc.UndoList.Count(); ++i)
        if (TOperation* operation = doc.OperationManager->OperationAt(i))
            operation->Kind = 14;
    if (added == 2)
        if (TOperation* second = doc.OperationManager->OperationAt(before + 1))
            second->Linked = true;
}

} // namespace

namespace {

// A field giving the current date or time in one of the table's formats (the time formats make a time
// field, the others a date field).
void InsertDateTimeField(TDocument& doc, int index)
{
    if (index < 0 || index >= DateTimeFormatCount)
        return;
    TInsertFieldParams field;
    field.FieldType = index >= DateFormatCount ? 32 : 31;
    field.Arguments = "\\@ \"" + DateTimeFieldPicture(index) + "\"";
    ExecuteOperation(doc, field);
}

// The calculator, bookmarks, hyperlinks and fields.
bool FieldCommand(TDocument& doc, int32_t command)
{
    TTextRange range;
    switch (command) {
    case 4120: {
        TCalculateParams calculate;
        if (doc.HasSelection())
            calculate.Range = doc.Selection;
        else
            calculate.Range = TTextRange{doc.Caret, doc.Caret};
        ExecuteOperation(doc, calculate);
        return true;
    }
    case 4510:
    case 4511: doc.GoToNeighbourBookmark(command == 4511); return true;
    case 4545:
        if (TField* link = doc.GetFieldAtSelection(range, ftHyperlink))
            doc.FollowHyperlink(link->Code);
        return true;
    case 4550:
    case 4905:
        if (doc.GetFieldAtSelection(range, command == 4550 ? ftHyperlink : -1))
            doc.Select(range.StartPos.ParIndex, range.StartPos.Offset, range.EndPos.ParIndex,
                       range.EndPos.Offset, 0);
        return true;
    case 4560:
        if (TField* link = doc.GetFieldAtSelection(range, ftHyperlink)) {
            TEditHyperlinkParams params;
            params.Field = link;
            ExecuteOperation(doc, params);
        }
        return true;
    case 4580: ExecuteOperation(doc, TDeactivateHyperlinksParams{}); return true;
    case 4900:
    case 5000: {
        // The field at the caret, or every field of the selection, else of the document.
        if (command == 4900 && doc.GetFieldAtSelection(range, -1)) {
        } else if (doc.HasSelection()) {
            range = doc.Selection;
        } else {
            range = doc.GetBodyRange();
        }
        RefreshFields(doc, range);
        return true;
    }
    case 4915: {
        TRemoveFieldsParams params;
        ExecuteOperation(doc, params);
        return true;
    }
    case 4640:
    case 4645:
    case 4910:
        // Select the table of contents or the field at the selection; the copies then run the copy.
        if (doc.GetFieldAtSelection(range, command == 4910 ? -1 : ftTableOfContents)) {
            doc.Select(range.StartPos.ParIndex, range.StartPos.Offset, range.EndPos.ParIndex,
                       range.EndPos.Offset, 0);
            if (command != 4640)
                ExecuteClipboardCommand(3340, &doc);
        }
        return true;
    case 4650: ExecuteOperation(doc, TRemoveTableOfContentsParams{}); return true;
    case 4620:
        // The table at the selection built again, keeping its code and the look of its styles.
        if (doc.GetFieldAtSelection(range, ftTableOfContents)) {
            TBuildTableOfContentsParams build;
            build.Options.Refresh = 1;
            ExecuteOperation(doc, build);
        }
        return true;
    case 4630:
        // Its page numbers follow the pages as they are laid out now.
        if (doc.GetFieldAtSelection(range, ftTableOfContents)) {
            doc.PaginateAll();
            TUpdateFieldResultsParams update;
            update.Range = range;
            update.Types[ftPageReference / 8] |= uint8_t(1u << (ftPageReference % 8));
            ExecuteOperation(doc, update);
        }
        return true;
    case 3540: InsertDateTimeField(doc, CurrentOptions().Internal.DefDateFmt_Fr); return true;
    case 3560: InsertDateTimeField(doc, CurrentOptions().Internal.DefTimeFmt_Fr); return true;
    case 3820: doc.OperationManager->GoToLastEdit(); return true;
    case 3570:
    case 3571: {
        TInsertFieldParams field;
        field.FieldType = command == 3570 ? ftPage : ftNumPages;
        ExecuteOperation(doc, field);
        return true;
    }
    case 4565:
    case 4655:
    case 4920:
        // The whole link, table or field goes, text included.
        if (doc.GetFieldAtSelection(range, command == 4565   ? ftHyperlink
                                           : command == 4655 ? ftTableOfContents
                                                             : -1)) {
            TDeleteRangeParams params;
            params.Start = range.StartPos;
            params.End = range.EndPos;
            ExecuteOperation(doc, params);
        }
        return true;
    default:
        if (command >= DateTimeCommand && command < DateTimeCommand + DateTimeFormatCount) {
            InsertDateTimeField(doc, command - DateTimeCommand);
            return true;
        }
        return false;
    }
}

} // namespace

bool ExecuteEditCommand(int32_t command)
{
    if (ExecuteSelectionSaveCommand(command))
        return true;
    if (command == 3720) {
        if (MainForm) {
            MainForm->OverwriteMode = MainForm->OverwriteMode ? 0 : 1;
            MainForm->InvalidateCommands();
        }
        TriggerEvent(2520);
        return true;
    }
    TDocument* doc = CommandManager().GetDocument();
    if (ExecuteClipboardCommand(command, doc))
        return true;
    if (!doc)
        return (command >= 3000 && command <= 3022) || (command >= 3080 && command <= 3083) ||
               (command >= 3200 && command <= 3320) || (command >= 3740 && command <= 4226);
    if ((command >= 3000 && command <= 3022 && command != 3013) || (command >= 3080 && command <= 3083)) {
        InsertCharacterCommand(*doc, command);
        if (command <= 3002 || command == 3022)
            TriggerEvent(12400);
        return true;
    }
    switch (command) {
    case 3200:
    case 3220:
        DeleteCharacter(*doc, command == 3200);
        TriggerEvent(2300);
        return true;
    case 3240:
    case 3260: {
        if (doc->HasSelection()) {
            const TTextRange r = Ordered(doc->Selection);
            DeleteRangeCommand(*doc, r.StartPos, r.EndPos);
            return true;
        }
        const TTextPos caret = doc->Caret;
        if (command == 3240)
            DeleteRangeCommand(*doc, doc->PrevWordPos(caret), caret);
        else
            DeleteRangeCommand(*doc, caret, doc->NextWordPos(caret));
        return true;
    }
    case 3280:
    case 3300:
    case 3320: {
        int32_t first = 0, count = 0;
        CaretLine(*doc, first, count);
        const int32_t par = doc->Caret.ParIndex;
        const int32_t end = std::min(first + count, doc->ParagraphLength(par) - 1);
        if (command == 3280)
            DeleteRangeCommand(*doc, TextPosAt(par, first), TextPosAt(par, end));
        else if (command == 3300)
            DeleteRangeCommand(*doc, TextPosAt(par, first), doc->Caret);
        else
            DeleteRangeCommand(*doc, doc->Caret, TextPosAt(par, end));
        return true;
    }
    case 3500: {
        if (!doc->HasSelection()) {
            char text[400];
            std::snprintf(
                text, sizeof text,
                "Cette action (\"%s\") ne s'applique qu'à une sélection. Sélectionnez le fragment de "
                "texte visé et recommencez.",
                OperationNames[okDuplicate]);
            ShowInformation(text);
            return true;
        }
        const TTextRange r = Ordered(doc->Selection);
        TDuplicateTextParams params;
        params.SourceStart = r.StartPos;
        params.SourceEnd = r.EndPos;
        params.Target = r.EndPos;
        params.Flags = ioSelectInserted;
        ExecuteOperation(*doc, params);
        return true;
    }
    case 3510:
        CommandManager().ExecuteCommand(9020);
        CommandManager().ExecuteCommand(12020);
        return true;
    case 3511: RunLinkedPair(*doc, 9040, 12040); return true;
    case 3840:
    case 3860:
        if (command == 3840)
            doc->OperationManager->Undo();
        else
            doc->OperationManager->Redo();
        TriggerEvent(command == 3840 ? 2540 : 2560);
        return true;
    case 3880:
    case 3900:
        if (command == 3880)
            doc->OperationManager->UndoAll();
        else
            doc->OperationManager->RedoAll();
        TriggerEvent(command == 3880 ? 2540 : 2560);
        return true;
    case 3920:
    case 3925: {
        int32_t first = 0, last = 0;
        doc->GetSelectionParagraphs(first, last);
        if (command == 3920) {
            TJoinParagraphsParams params;
            params.FirstParagraph = first;
            params.LastParagraph = last;
            ExecuteOperation(*doc, params);
        } else {
            TSplitParagraphsParams params;
            params.FirstParagraph = first;
            params.LastParagraph = last;
            ExecuteOperation(*doc, params);
        }
        return true;
    }
    case 3930:
    case 3931: {
        TSortParagraphsParams params;
        params.Range = doc->Selection;
        params.Descending = command == 3931;
        ExecuteOperation(*doc, params);
        return true;
    }
    case 3940: TransformCommand(*doc, 0); return true;
    case 3980: TransformCommand(*doc, 1); return true;
    case 4000: TransformCommand(*doc, 2); return true;
    case 4020: TransformCommand(*doc, 3); return true;
    case 4025: TransformCommand(*doc, 4); return true;
    case 4030: TransformCommand(*doc, 5); return true;
    case 4140:
    case 4160:
    case 4180:
    case 4200:
    case 4220:
    case 4225:
    case 4226: ScrollCommand(*doc, command); return true;
    }
    if (FieldCommand(*doc, command))
        return true;
    return SelectCommand(*doc, command);
}
