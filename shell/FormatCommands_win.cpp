// The formats the paragraph and character commands start from, and the running of their change records.
#include "shell/FormatCommands_win.h"

#include "core/FormatClipboards.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "editing/OperationParams.h"
#include "shell/MainForm.h"

namespace {

constexpr uint8_t MouseModeFormatPainter = 2;

// Fields set in the change go over the painter's format; commands and palette show it.
template<typename TFormat>
void ChangePainterFormat(TFormat& painter, const TFormat& change)
{
    for (size_t f = 0; f < std::size(change.F); ++f)
        if (IsFieldSet(change.F[f]))
            painter.F[f] = change.F[f];
    DocumentHost().InvalidateCommands();
}

} // namespace

bool InFormatPainterMode()
{
    return MainForm && MainForm->MouseMode == MouseModeFormatPainter;
}

void CommandFormats(TDocument& doc, TCharFormat& charFormat, TParaFormat& paraFormat)
{
    if (InFormatPainterMode()) {
        charFormat = CharFormatClipboard().Format;
        paraFormat = ParFormatClipboard().Format;
        return;
    }
    SelectionFormats(doc, charFormat, paraFormat);
}

TTextRange CommandRange(const TDocument& doc)
{
    return doc.HasSelection() ? doc.Selection : TTextRange{doc.Caret, doc.Caret};
}

void SelectionFormats(TDocument& doc, TCharFormat& charFormat, TParaFormat& paraFormat)
{
    if (doc.HasSelection()) {
        doc.GetCharFormatStateOfRange(doc.Selection, charFormat, false);
        doc.GetParFormatStateOfRange(doc.Selection, paraFormat, false);
        return;
    }
    charFormat = doc.GetCharFormatAt(doc.Caret);
    // Text typed at the caret takes the typing format's fields.
    for (int f = 0; f < CharFormatFieldCount; ++f)
        if (IsFieldSet(doc.InsertionFormat[f]) && doc.GetModeFlag(mfInsertAtCaretFormat))
            charFormat[f] = doc.InsertionFormat[f];
    paraFormat = doc.Paragraphs[size_t(doc.Caret.ParIndex)]->ParaFormat;
}

namespace {

// The two flags that keep a typing format waiting at the caret.
void ClearPendingFormat(TDocument& doc)
{
    doc.SetModeFlag(mfInsertAtCaretFormat, false);
    doc.SetModeFlag(mfKeepCharFormatState, false);
}

} // namespace

void ApplyParagraphChange(TDocument& doc, TParaFormat change)
{
    if (InFormatPainterMode()) {
        ChangePainterFormat(ParFormatClipboard().Format, change);
        return;
    }
    TCharFormat chars;
    TParaFormat current;
    SelectionFormats(doc, chars, current);
    RemoveSameParaFormat(change, current);
    TFormatParagraphsParams params;
    params.Range = CommandRange(doc);
    params.Format = change;
    ExecuteOperation(doc, params);
    ClearPendingFormat(doc);
}

void ApplyCharacterChange(TDocument& doc, TCharFormat change)
{
    if (InFormatPainterMode()) {
        ChangePainterFormat(CharFormatClipboard().Format, change);
        return;
    }
    TCharFormat current;
    TParaFormat paras;
    SelectionFormats(doc, current, paras);
    RemoveSameCharFormat(change, current);
    TFormatTextParams params;
    params.Range = CommandRange(doc);
    params.Format = change;
    ExecuteOperation(doc, params);
    ClearPendingFormat(doc);
}

int32_t Toggled(int32_t current)
{
    return !IsFieldSet(current) || current == 0 ? 1 : 0;
}

int32_t SetOrClear(int32_t current, int32_t value, int32_t off)
{
    return current == value ? off : value;
}
