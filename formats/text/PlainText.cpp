// The plain-text reader and writer.
#include "formats/text/PlainText.h"

#include <algorithm>

#include "core/Memory.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "codecs/CharTables.h"
#include "formats/rtf/RtfControlWords.h"
#include "formats/load/LoadInput.h"
#include "formats/load/ParagraphBuilder.h"

namespace {

TParagraph& StartParagraph(TDocument& document, const TPlainTextFormats& formats, bool first = false)
{
    TParagraph& p = first ? document.StartingParagraph() : document.AppendParagraph();
    if (!formats.InitialTags.empty())
        p.Text.Append(formats.InitialTags.data(), static_cast<int32_t>(formats.InitialTags.size()));
    p.ParaFormat = formats.ParaFormat;
    return p;
}

} // namespace

void ReadPlainTextDocument(TDocument& document, TLoadInput& input, const TPlainTextFormats& formats,
                           int64_t& textLength)
{
    TParagraph* p = &StartParagraph(document, formats, true);
    while (input.Ensure(1)) {
        const uint8_t* data = input.Buffer.data();
        uint8_t c = data[input.Pos];
        if (c == '\r' || c == '\n') {
            ++input.Pos;
            // CR LF is one line end; any other CR or LF is a line end of its own.
            if (c == '\r' && input.Ensure(1) && input.Buffer[input.Pos] == '\n')
                ++input.Pos;
            textLength += p->CharacterCount();
            p->AppendSpecial(scParagraphMark);
            p = &StartParagraph(document, formats);
            continue;
        }
        if (uint8_t special = TextSpecialTable[c]) {
            p->AppendSpecial(special);
            ++input.Pos;
            continue;
        }
        if (c < 32) {
            ++input.Pos;
            continue;
        }
        // At least the byte in hand: backslashes and braces are ordinary characters of a text file.
        int32_t n = std::max(1, CountPlainTextRun(data + input.Pos, input.Filled - input.Pos));
        p->AppendText(data + input.Pos, n);
        input.Pos += n;
    }
    textLength += p->CharacterCount();
}

void WritePlainText(const TDocument& document, const TTextRange& range, bool compact, bool forFile,
                    TMemory& out, const std::function<void(int64_t written)>& paragraphDone)
{
    int32_t first = std::max(range.StartPos.ParIndex, 0);
    int32_t last = std::min(range.EndPos.ParIndex, static_cast<int32_t>(document.Paragraphs.size()) - 1);
    for (int32_t i = first; i <= last; ++i) {
        const TMemory& plain = document.Paragraphs[static_cast<size_t>(i)]->PlainText;
        int32_t start = i == range.StartPos.ParIndex ? std::clamp(range.StartPos.Offset, 0, plain.Size()) : 0;
        int32_t end = plain.Size();
        if (i == range.EndPos.ParIndex) {
            end = std::clamp(range.EndPos.Offset, 0, plain.Size());
            if (forFile && end == plain.Size() && end > start)
                --end;
        }
        const uint8_t* p = plain.Data();
        for (int32_t k = start; k < end;) {
            uint8_t c = p[k];
            if (c >= 32) {
                int32_t n = 1;
                while (k + n < end && p[k + n] >= 32)
                    ++n;
                out.Append(p + k, n);
                k += n;
                continue;
            }
            ++k;
            switch (c) {
            case scParagraphMark:
            case scSectionBreak:
            case scColumnBreak:
            case scLineBreak:
                if (compact)
                    out.AppendByte(' ');
                else
                    out.Append("\r\n", 2);
                break;
            case scPageBreak: out.AppendByte(compact ? ' ' : 12); break;
            case scTab: out.AppendByte(compact ? ' ' : 9); break;
            case scPicture:
            case scOLEObject: out.AppendByte(' '); break;
            // The byte a text file gives a non-breaking space, so that such files read and write alike.
            case scNonBreakingSpace: out.AppendByte(compact ? ' ' : 160); break;
            case scNonBreakingHyphen: out.AppendByte('-'); break;
            case scEmDash: out.AppendByte(compact ? '-' : 151); break;
            case scEnDash: out.AppendByte(compact ? '-' : 150); break;
            case scOptionalHyphen:
                if (compact)
                    out.AppendByte('-');
                break;
            default: break;
            }
        }
        if (paragraphDone)
            paragraphDone(i - first + 1);
    }
}
