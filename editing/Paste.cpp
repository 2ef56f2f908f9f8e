// Pasting: the clipboard's content inserted at the selection as one operation, ordinarily or as a column
// of lines; and the piggy bank's content.
#include <algorithm>

#include "classlib/runtime/Exceptions.h"
#include "core/Fonts.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/FieldCodes.h"
#include "document/InlineTags.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/DocumentContent.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"
#include "editing/ParagraphExchange.h"
#include "editing/PasteSource.h"

namespace {

TPasteSource* Source = nullptr;

// Closes the clipboard however the paste ends.
class TOpenSource {
public:
    explicit TOpenSource(TPasteSource& source) : FSource(source) { FOpen = FSource.Open(); }
    ~TOpenSource() { FSource.Close(); }
    TOpenSource(const TOpenSource&) = delete;
    TOpenSource& operator=(const TOpenSource&) = delete;
    bool IsOpen() const { return FOpen; }

private:
    TPasteSource& FSource;
    bool FOpen;
};

void InsertResult(TDocument& doc, TPasteResult& result, uint8_t flags, TChangedRange& range,
                  TOperation* operation)
{
    TChangedRange one;
    if (result.IsPlainText) {
        if (result.Text.empty())
            return;
        TModeFlagScope scope(doc);
        scope.On(mfPasting);
        InsertTextAtSelection(doc, result.Text, flags, one, operation);
    } else {
        if (result.Content.Buffer.Size() == 0)
            return;
        InsertDocumentContent(doc, result.Content, doc.Caret, flags, one, operation);
    }
    doc.ChangedRanges->UnionChangedRange(range, one);
}

// Each line of the clipboard into the next paragraph, at the caret's offset (or the line's end).
void PasteColumn(TDocument& doc, TPasteResult& result, TChangedRange& range, TOperation* operation)
{
    std::vector<std::string> lines;
    std::vector<std::string> texts;
    if (result.IsPlainText) {
        std::string line;
        for (size_t i = 0; i <= result.Text.size(); ++i) {
            const char c = i < result.Text.size() ? result.Text[i] : '\r';
            if (c == '\r' || c == '\n') {
                if (i < result.Text.size() || !line.empty())
                    texts.push_back(line);
                line.clear();
                if (c == '\r' && i + 1 < result.Text.size() && result.Text[i + 1] == '\n')
                    ++i;
            } else {
                line.push_back(c);
            }
        }
    } else {
        const TMemory& buffer = result.Content.Buffer;
        for (const auto& [start, length] : SplitParagraphPieces(buffer.Data(), buffer.Size())) {
            std::string piece(reinterpret_cast<const char*>(buffer.Data()) + start, size_t(length));
            // The paragraph's own end mark stays out: each line joins a target paragraph.
            if (piece.size() >= size_t(InlineTagSize)) {
                const auto* tail =
                    reinterpret_cast<const uint8_t*>(piece.data() + piece.size() - InlineTagSize);
                if (tail[0] == 0 && TagCode(tail) == tcSpecial && TagValue(tail) == scParagraphMark)
                    piece.resize(piece.size() - InlineTagSize);
            }
            lines.push_back(std::move(piece));
        }
    }
    const size_t count = result.IsPlainText ? texts.size() : lines.size();
    const int32_t offset = doc.Caret.Offset;
    int32_t par = doc.Caret.ParIndex;
    const int story = doc.StoryOfParagraph(par);
    TModeFlagScope scope(doc);
    scope.On(mfNoSelectionRepaint);
    scope.On(mfNoScrollToCaret);
    scope.Off(mfViewLive);
    TChangedRange one;
    for (size_t i = 0; i < count; ++i, ++par) {
        if (par > doc.StoryEnd(story)) {
            // Past the story's last paragraph: a new one.
            const int32_t lastPar = doc.StoryEnd(story);
            const TTextPos end = TextPosAt(lastPar, doc.ParagraphLength(lastPar) - 1);
            doc.PrepareInsertFormat(end, 0);
            InsertPlainText(doc, "\r", end, one, operation, 0);
            doc.ChangedRanges->UnionChangedRange(range, one);
            par = doc.StoryEnd(story);
        }
        const TTextPos at = TextPosAt(par, std::min(offset, doc.ParagraphLength(par) - 1));
        doc.PrepareInsertFormat(at, 0);
        if (result.IsPlainText) {
            TModeFlagScope pasting(doc);
            pasting.On(mfPasting);
            InsertPlainText(doc, texts[i], at, one, operation, 0);
        } else {
            TMemory piece;
            piece.Append(lines[i].data(), int32_t(lines[i].size()));
            InsertDeleteText(doc, piece, at, one, operation, 0, story, 0);
        }
        doc.ChangedRanges->UnionChangedRange(range, one);
    }
}

} // namespace

void MakeInsertionPoint(TDocument& doc, TChangedRange& range, TOperation* operation)
{
    if (doc.HasSelection()) {
        TTextPos start = doc.Selection.StartPos, end = doc.Selection.EndPos;
        if (CompareTextPos(end, start) < 0)
            std::swap(start, end);
        if (CurrentOptions().Edit.ReplaceSel) {
            doc.InsertionFormat = doc.GetCharFormatAt(TextPosAt(start.ParIndex, start.Offset + 1));
            TChangedRange one;
            DeleteRange(doc, start, end, one, operation, 0);
            doc.ChangedRanges->UnionChangedRange(range, one);
        } else {
            doc.Caret = end;
        }
        doc.Selection.StartPos = doc.Selection.EndPos = doc.Caret;
    }
    doc.PrepareInsertFormat(doc.Caret, 1);
}

TPasteSource::~TPasteSource() = default;

TPasteSource* PasteSource()
{
    return Source;
}

void SetPasteSource(TPasteSource* source)
{
    Source = source;
}

void PasteFromClipboard(TDocument& doc, int32_t format, bool keepFormat, TChangedRange& range,
                        TOperation* operation)
{
    range = EmptyChangedRange();
    TPasteSource* source = PasteSource();
    if (!source)
        return;
    try {
        TOpenSource open(*source);
        if (!open.IsOpen())
            return;
        bool asText = false;
        if ((format != 0 || keepFormat) && (source->HasFormat(cfText) || source->HasFormat(cfUnicodeText)))
            asText = true;
        if (!source->IsDropping() && source->IsTextContent())
            asText = true;
        const int32_t preferred = keepFormat ? 0 : format;
        if (!source->CanPaste())
            return;
        MakeInsertionPoint(doc, range, operation);
        TPasteResult result;
        const bool column = !doc.EditedHeaderFooter && source->RectangularFormat() != 0 &&
                            source->HasFormat(source->RectangularFormat());
        if (!source->PasteInto(doc, preferred, asText, result))
            throw EAbort(); // nothing could be read: the selection stays
        if (column) {
            PasteColumn(doc, result, range, operation);
            return;
        }
        if (result.FormatUsed == source->FileGroupFormat() && result.FormatUsed != 0) {
            // A dragged link: inserted as a hyperlink to its address.
            if (!result.Text.empty()) {
                TChangedRange one;
                InsertHyperlink(doc, BuildHyperlinkFieldCode(result.Text, ""), result.Text, one, operation);
                doc.ChangedRanges->UnionChangedRange(range, one);
            }
            return;
        }
        uint8_t flags = 0;
        if (CurrentOptions().Edit.WiseCutPaste && !source->HasFormat(source->NotWholeWordsFormat()) &&
            result.FormatUsed != cfBitmap && result.FormatUsed != cfEnhMetafile)
            flags = ioAdjustSpaces;
        TModeFlagScope charset(doc);
        if (result.Charset >= 0 && result.IsPlainText) {
            // Converted Unicode text takes the variant of the font for its character set.
            doc.InsertedTextFormat[cfFont] =
                GetFontManager().GetFontForCharset(doc.InsertedTextFormat[cfFont], result.Charset);
            charset.On(mfNoInsertFormat);
        }
        InsertResult(doc, result, flags, range, operation);
    } catch (const EAbort&) {
        throw;
    } catch (const std::exception&) {
        ShowError(
            std::string("Erreur lors de l'insertion du contenu du Presse-papiers. La cause peut en être la "
                        "présence de données incorrectes dans le Presse-papiers ou une insuffisance de "
                        "ressources système. Nous vous recommendons fortement d'enregistrer le document "
                        "actif dans un autre dossier, de fermer Quillpad, et de rebooter votre système "
                        "d'exploitation."));
        // The operation is taken back whole: no half-inserted text stays.
        throw EAbort();
    }
}

void PastePiggyBank(TDocument& doc, TChangedRange& range, TOperation* operation)
{
    range = EmptyChangedRange();
    TPasteSource* source = PasteSource();
    if (!source || !source->CanPastePiggyBank(doc))
        return;
    MakeInsertionPoint(doc, range, operation);
    TDocumentContent content;
    if (!source->PiggyBankContent(doc, content))
        throw EAbort();
    if (content.Buffer.Size() == 0)
        return;
    TChangedRange one;
    InsertDocumentContent(doc, content, doc.Caret, 0, one, operation);
    doc.ChangedRanges->UnionChangedRange(range, one);
}
