// The envelope builder: the envelope's section, its address styles and its two address blocks.
#include "editing/Envelope.h"

#include <algorithm>

#include "core/Options.h"
#include "core/RecordUtils.h"
#include "core/StyleManager.h"
#include "core/Styles.h"
#include "core/Units.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/Field.h"
#include "document/InlineTags.h"
#include "document/Page.h"
#include "document/Paragraph.h"
#include "document/Section.h"
#include "document/TextAccess.h"
#include "editing/Builders.h"
#include "editing/FormatSteps.h"
#include "editing/HeaderFooterEditing.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"
#include "editing/ParagraphExchange.h"

TDocumentTextLoader DocumentTextLoader = nullptr;

namespace {

void Unite(TDocument& doc, TChangedRange& range, const TChangedRange& one)
{
    doc.ChangedRanges->UnionChangedRange(range, one);
}

bool IsAddressStyle(const TDocument& doc, int32_t style)
{
    const TStyle* s = doc.StyleList ? doc.StyleList->StyleOf(style) : nullptr;
    return s && (s->BuiltInId == RecipientAddressStyleId || s->BuiltInId == SenderAddressStyleId);
}

// Six empty header and footer blocks at the start of story 3 made the section's, the ones it had kept
// for the section after the envelope.
void GiveEmptyHeadersFooters(TDocument& doc, TSection& section, TChangedRange& range, TOperation* operation)
{
    std::vector<std::unique_ptr<TParagraph>> made;
    std::vector<std::unique_ptr<TField>> fields;
    TField* slots[HeaderFooterSlotCount];
    for (int slot = 0; slot < HeaderFooterSlotCount; ++slot) {
        auto field = std::make_unique<TField>();
        field->Kind = fkHeaderFooter;
        auto p = std::make_unique<TParagraph>(&doc);
        AppendInlineTag(p->Text, tcFieldStart, field->Handle);
        AppendInlineTag(p->Text, cfSize, 2);
        AppendInlineTag(p->Text, tcSpecial, scParagraphMark);
        AppendInlineTag(p->Text, tcFieldEnd, field->Handle);
        p->ParaFormat = DefaultParaFormat();
        slots[slot] = field.get();
        made.push_back(std::move(p));
        fields.push_back(std::move(field));
    }
    TModeFlagScope flags(doc);
    flags.On(mfConstructing);
    InstallHeaderFooterBlocks(doc, section, std::move(made), std::move(fields), slots, range, operation);
}

// The address styles of the settings' template, or the program's own when it is empty, does not read
// or lacks one of them.
std::unique_ptr<TStyleList> AddressStyleSource(std::unique_ptr<TDocument>& scratch)
{
    const std::string& text = CurrentOptions().Internal.Envelopes.AddrFont;
    if (!text.empty() && DocumentTextLoader) {
        scratch = DocumentTextLoader(text);
        if (scratch && scratch->StyleList &&
            scratch->StyleList->IndexOfBuiltIn(RecipientAddressStyleId) >= 0 &&
            scratch->StyleList->IndexOfBuiltIn(SenderAddressStyleId) >= 0) {
            auto list = std::make_unique<TStyleList>(nullptr, scratch->StyleList->TabManager);
            list->Assign(*scratch->StyleList);
            return list;
        }
    }
    return MakeBuiltInAddressStyles();
}

void ImportAddressStyles(TDocument& doc, TChangedRange& range, TOperation* operation)
{
    std::unique_ptr<TDocument> scratch;
    std::unique_ptr<TStyleList> source = AddressStyleSource(scratch);
    TImportStylesInfo info;
    info.Mode = 1;
    info.Source = source.get();
    info.Requested = {source->IndexOfBuiltIn(RecipientAddressStyleId),
                      source->IndexOfBuiltIn(SenderAddressStyleId)};
    auto copy = std::make_unique<TStyleList>(doc.StyleList->Document, doc.StyleList->TabManager);
    copy->Assign(*doc.StyleList);
    for (int32_t i = 0; i < copy->Count(); ++i)
        copy->Styles[size_t(i)]->ParaFormat[pfStyle] = i;
    copy->ImportStyles(info, false);
    auto change = std::make_unique<TFormatStyleListInfo>();
    change->Styles = std::move(copy);
    change->Changed = info.Replaced;
    TChangedRange one;
    ChangeStyleList(doc, TextRangeOf(doc.Caret, doc.Caret), std::move(change), one, operation);
    Unite(doc, range, one);
}

// One address block at the caret in its style, placed X twips from the left and Y below what comes
// before; its height in twips (Y included).
int32_t InsertAddressBlock(TDocument& doc, std::string text, int32_t styleId, int32_t x, int32_t y,
                           TChangedRange& range, TOperation* operation)
{
    while (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
        text.erase(text.size() - 2);
    text += "\r\n";
    const TTextPos start = doc.Caret;
    TChangedRange one;
    InsertPlainText(doc, text, start, one, operation, 0);
    Unite(doc, range, one);
    const int32_t first = start.ParIndex, last = doc.Caret.ParIndex - 1;
    const TTextRange block = TextRangeOf(TextPosAt(first, 0), TextPosAt(last, doc.ParagraphLength(last) - 1));
    const int32_t style = doc.StyleList->IndexOfBuiltIn(styleId);
    if (style >= 0) {
        ApplyStyles(doc, block, style, one, operation, nullptr, nullptr, true);
        Unite(doc, range, one);
        // The style's own character format, what it leaves unset taken from the defaults.
        TCharFormat format = doc.StyleList->StyleOf(style)->CharFormat;
        FillUnsetCharFormat(format, DefaultCharFormat());
        FormatText(doc, block, format, one, operation, 1);
        Unite(doc, range, one);
    }
    int32_t height = 0;
    for (int32_t i = first; i <= last; ++i) {
        const TParagraph& p = *doc.Paragraphs[size_t(i)];
        if (!p.GetLaidOut())
            doc.LayoutParagraph(i, doc.ColumnTextWidth(i, -1));
        for (const auto& line : p.Lines)
            height += doc.ScreenToTwips(line->Height);
    }
    if (x != 0) {
        TParaFormat format = UnsetParaFormat();
        format[pfLeftIndent] = x;
        FormatParagraphs(doc, block, format, one, operation);
        Unite(doc, range, one);
    }
    if (y != 0) {
        TParaFormat format = UnsetParaFormat();
        format[pfSpaceBefore] = y;
        FormatParagraphs(doc, TextRangeOf(block.StartPos, block.StartPos), format, one, operation);
        Unite(doc, range, one);
    }
    MakeTextPos(last + 1, 0, doc.Caret);
    return height + y;
}

} // namespace

std::unique_ptr<TStyleList> MakeBuiltInAddressStyles()
{
    const TStyleList& defaults = *GetStyleManager().DefaultList;
    auto list = std::make_unique<TStyleList>(nullptr, defaults.TabManager);
    auto normal = std::make_unique<TStyle>(list.get());
    AssignStyle(*normal, *defaults.StyleOf(0));
    list->AddStyle(std::move(normal));
    // The recipient's address in 12 points, the sender's in 10.
    for (const auto& [id, size] :
         {std::pair{RecipientAddressStyleId, 24}, std::pair{SenderAddressStyleId, 20}}) {
        auto style = std::make_unique<TStyle>(list.get());
        ClearCharFormatState(style->CharFormat);
        ClearParFormatState(style->ParaFormat);
        style->Name = std::string(BuiltInStyleName(id));
        style->DisplayName = std::string(BuiltInStyleDisplayName(id));
        style->BasedOn = 0;
        style->NextStyle = list->Count();
        style->CharFormat[cfSize] = size;
        list->AddStyle(std::move(style));
    }
    GetStyleManager().IdentifyBuiltInStyles(*list);
    return list;
}

void CreateEnvelope(TDocument& doc, const std::string& recipient, const std::string& sender, bool reuse,
                    TChangedRange& range, TOperation* operation)
{
    range = EmptyChangedRange();
    doc.ClearSelection();
    doc.UpdateSectionRanges();
    TSection* section = doc.SectionOfParagraph(doc.Caret.ParIndex);
    if (!section || doc.StoryOfParagraph(doc.Caret.ParIndex) != stMain)
        return;
    const bool inEmptyFirst =
        doc.Caret.ParIndex == section->FirstParagraph && doc.ParagraphLength(doc.Caret.ParIndex) <= 1;
    TChangedRange one;
    if (!(inEmptyFirst && (reuse || doc.Sections.size() > 1))) {
        // A new-page section break before the caret: the text before it is the envelope.
        TField* kept[HeaderFooterSlotCount];
        std::copy(section->HeaderFooter, section->HeaderFooter + HeaderFooterSlotCount, kept);
        const TTextPos caret = doc.Caret;
        {
            TModeFlagScope flags(doc);
            flags.On(mfKeepLanguage);
            InsertPlainText(doc, std::string("\f\0\1", 3), caret, one, operation, ioSectionBreaks);
            Unite(doc, range, one);
        }
        doc.UpdateSectionRanges();
        TSection* envelope = doc.SectionOfParagraph(caret.ParIndex);
        TSection* after = doc.SectionOfParagraph(caret.ParIndex + 1);
        // The text after the envelope keeps its headers and footers; the envelope has empty ones.
        if (after && after != envelope &&
            !std::equal(kept, kept + HeaderFooterSlotCount, after->HeaderFooter)) {
            ApplyStep(doc, std::make_unique<TChangeSectionHeadersOperation>(&doc, after, kept), one,
                      operation);
            Unite(doc, range, one);
        }
        GiveEmptyHeadersFooters(doc, *envelope, range, operation);
        MakeTextPos(caret.ParIndex, caret.Offset, doc.Caret);
        doc.SetModeFlag(mfInsertAtCaretFormat, false);
        doc.UpdateSectionRanges();
        section = envelope;
    }
    const TEnvelopeOptions& env = CurrentOptions().Internal.Envelopes;
    const TTextRange sectionRange = TextRangeOf(
        TextPosAt(section->FirstParagraph, 0),
        TextPosAt(section->LastParagraph, std::max(doc.ParagraphLength(section->LastParagraph) - 1, 0)));
    TPageSetup page;
    SetPageSetupDefaults(page);
    page[psWidth] = env.Width;
    page[psHeight] = env.Height;
    page[psOrientation] = 1;
    for (int f :
         {psLeftMargin, psRightMargin, psTopMargin, psBottomMargin, psHeaderDistance, psFooterDistance})
        page[f] = 0;
    ChangePageParams(doc, page, sectionRange, one, operation);
    Unite(doc, range, one);
    TSectionParams params;
    SetSectionParamsDefaults(params);
    params[spBreakKind] = UndefinedField; // the break the section has stays
    FormatSections(doc, sectionRange, params, one, operation);
    Unite(doc, range, one);

    ImportAddressStyles(doc, range, operation);
    int32_t senderHeight = 0;
    if (!sender.empty())
        senderHeight =
            InsertAddressBlock(doc, sender, SenderAddressStyleId, MulDivRound(env.Width, env.RA_Left, 10000),
                               MulDivRound(env.Height, env.RA_Top, 10000), range, operation);
    InsertAddressBlock(doc, recipient, RecipientAddressStyleId, MulDivRound(env.Width, env.DA_Left, 10000),
                       std::max(0, MulDivRound(env.Height, env.DA_Top, 10000) - senderHeight), range,
                       operation);
    doc.SetModeFlag(mfKeepCharFormatState, false);
    SetCaretFieldsTo(range, doc.Caret);
    range[crWholeDocument] = 1;
}

int32_t HasEnvelope(TDocument& doc)
{
    const int32_t pages = int32_t(doc.Pages.size());
    int32_t count = 0;
    while (count < pages - 1) {
        bool address = false;
        for (const auto& placement : doc.Pages[size_t(count)]->Placements)
            if (placement->Paragraph && IsAddressStyle(doc, placement->Paragraph->ParaFormat[pfStyle]))
                address = true;
        if (!address)
            break;
        ++count;
    }
    return count;
}
