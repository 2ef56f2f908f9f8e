// Inserting another document at the selection as one undoable operation: its styles first, then its
// text with its formats, pictures and fields; or, from a plain-text document, its text alone.
#include <algorithm>
#include <memory>
#include <set>

#include "core/Codings.h"
#include "core/Options.h"
#include "core/RecordUtils.h"
#include "core/Styles.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/PageSetup.h"
#include "document/Paragraph.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/DocumentContent.h"
#include "editing/Operation.h"
#include "editing/OperationParams.h"

namespace {

// The kind of operation an insertion of a document records.
constexpr uint8_t okInsertDocument = 18;

// Adds to Target, as a step of the operation, the styles that the main text of Source uses and Target
// has no style of that name for (with the parents and next styles they name).
void ImportUsedStyles(TDocument& target, const TDocument& source, TChangedRange& range, TOperation* operation)
{
    if (!source.StyleList || !target.StyleList)
        return;
    std::set<int32_t> used;
    const int32_t count = std::min<int32_t>(source.StoryLengths[stMain], source.ParagraphCount());
    for (int32_t i = 0; i < count; ++i) {
        const int32_t index = source.Paragraphs[size_t(i)]->ParaFormat[pfStyle];
        const TStyle* style = source.StyleList->StyleOf(index);
        if (style && target.StyleList->IndexOfName(style->Name) < 0)
            used.insert(index);
    }
    if (used.empty())
        return;
    auto info = std::make_unique<TFormatStyleListInfo>();
    info->Styles = std::make_unique<TStyleList>(&target, target.TabManager.get());
    info->Styles->Assign(*target.StyleList);
    TImportStylesInfo import;
    import.Source = source.StyleList.get();
    import.Requested.assign(used.begin(), used.end());
    info->Styles->ImportStyles(import, false);
    if (import.Added.empty())
        return;
    ChangeStyleList(target, target.Selection, std::move(info), range, operation);
}

// The target is one empty paragraph and no header or footer is being edited.
bool IsEmptyBody(const TDocument& target)
{
    return !target.GetModeFlag(mfHideBodyText) && target.StoryLengths[stMain] == 1 &&
           target.Paragraphs[0]->PlainText.Size() <= 1;
}

// An empty document takes the inserted document's last section: its columns and its page setup (the
// break kind of the target's own section stays).
void TakeSectionFormatting(TDocument& target, TDocument& source, TChangedRange& range, TOperation* operation)
{
    if (source.Sections.empty() || !IsEmptyBody(target))
        return;
    const TSection& last = *source.Sections.back();
    const TSection* owner = source.PageSetupOwnerSection(last.FirstParagraph);
    const TPageSetup& setup = owner ? owner->PageSetup : last.PageSetup;
    TSectionParams params = last.Params;
    params[spBreakKind] = UndefinedField;
    TPageSetup request;
    FillUndefined(request.F, PageSetupFieldCount);
    for (int f : {psWidth, psHeight, psOrientation, psLeftMargin, psRightMargin, psTopMargin, psBottomMargin,
                  psMirrorMargins, psHeaderDistance, psFooterDistance, psHeaderFlags})
        request[f] = setup[f];
    const TTextRange body = target.GetBodyRange();
    TChangedRange one;
    FormatSections(target, body, params, one, operation);
    target.ChangedRanges->UnionChangedRange(range, one);
    ChangePageParams(target, request, body, one, operation);
    target.ChangedRanges->UnionChangedRange(range, one);
}

// The plain text of a document's main text, paragraphs joined by CR LF and the stored special codes
// turned back into the characters they stand for.
std::string PlainTextOf(const TDocument& source)
{
    std::string text;
    const int32_t count = std::min<int32_t>(source.StoryLengths[stMain], source.ParagraphCount());
    for (int32_t i = 0; i < count; ++i) {
        const TMemory& plain = source.Paragraphs[size_t(i)]->PlainText;
        const auto* bytes = static_cast<const uint8_t*>(plain.Data());
        // The paragraph's own end mark is the last position.
        for (int32_t k = 0; k + 1 < plain.Size(); ++k) {
            switch (bytes[k]) {
            case 4: text += char(15); break;
            case 6: text += char(12); break;
            case 7: text += '\t'; break;
            case 10: text += char(160); break;
            case 11: text += char(16); break;
            case 12: text += char(151); break;
            case 13: text += char(150); break;
            case 14: text += char(31); break;
            default: text += char(bytes[k]);
            }
        }
        if (i + 1 < count)
            text += "\r\n";
    }
    return text;
}

void InsertDocumentAtSelection(TDocument& target, TDocument& source, TChangedRange& range,
                               TOperation* operation)
{
    range = EmptyChangedRange();
    if (source.ParagraphCount() == 0)
        return;
    const uint8_t flags = CurrentOptions().Edit.WiseCutPaste ? ioAdjustSpaces : 0;
    TChangedRange one;
    if (source.Coding >= cdAnsiText) {
        const std::string text = PlainTextOf(source);
        if (text.empty())
            return;
        MakeInsertionPoint(target, range, operation);
        TModeFlagScope pasting(target);
        pasting.On(mfPasting);
        InsertTextAtSelection(target, text, flags, one, operation);
        target.ChangedRanges->UnionChangedRange(range, one);
        return;
    }
    MakeInsertionPoint(target, range, operation);
    ImportUsedStyles(target, source, one, operation);
    target.ChangedRanges->UnionChangedRange(range, one);
    TakeSectionFormatting(target, source, one, operation);
    target.ChangedRanges->UnionChangedRange(range, one);
    target.PrepareInsertFormat(target.Caret, 1);
    TDocumentContent content;
    TakeDocumentContent(target, source, content);
    if (content.Buffer.Size() == 0 || content.Positions == 0)
        return;
    InsertDocumentContent(target, content, target.Caret, flags, one, operation);
    target.ChangedRanges->UnionChangedRange(range, one);
}

} // namespace

bool InsertDocument(TDocument& target, TDocument& source)
{
    bool inserted = false;
    ExecuteBuilder(target, okInsertDocument, [&](TChangedRange& range, TOperation* operation) {
        InsertDocumentAtSelection(target, source, range, operation);
        inserted = !operation->IsEmpty();
    });
    return inserted;
}
