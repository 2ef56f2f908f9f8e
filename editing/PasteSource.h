// What a paste asks of the clipboard: the writing tools' clipboard manager installs itself as the
// source; without one nothing can be pasted.
#pragma once
#include <cstdint>
#include <string>

#include "editing/DocumentContent.h"

class TDocument;

// What the clipboard gave for a paste: formatted content (text read as a document, or a picture), or
// plain text; the format it was read from and, for converted Unicode text, the character set.
struct TPasteResult {
    TDocumentContent Content;
    std::string Text;
    bool IsPlainText = false;
    int32_t FormatUsed = 0;
    int32_t Charset = -1;
};

class TPasteSource {
public:
    virtual ~TPasteSource();
    // Opens the clipboard (or lists a drop's data); false when it could not be opened.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    virtual bool HasFormat(int32_t format) = 0;
    virtual bool CanPaste() = 0;
    // The content is plain text.
    virtual bool IsTextContent() = 0;
    // A drop's data is read rather than the clipboard.
    virtual bool IsDropping() = 0;
    // The registered numbers of the program's own formats.
    virtual int32_t RectangularFormat() = 0;
    virtual int32_t NotWholeWordsFormat() = 0;
    virtual int32_t FileGroupFormat() = 0;
    // Reads the clipboard for a paste into Target (a preferred format, 0 for none; or as text). False
    // when there was nothing to read; a damaged content raises an error.
    virtual bool PasteInto(TDocument& target, int32_t preferred, bool asText, TPasteResult& result) = 0;
    // The language the clipboard's text was copied in (a Windows language id), 0 when it names none.
    virtual int32_t ClipboardLocale() { return 0; }
    // The piggy bank holds something that may go into Target (never the piggy bank itself).
    virtual bool CanPastePiggyBank(const TDocument& target) = 0;
    // The piggy bank's content for operation 16, made ready for Target; false when there is none.
    virtual bool PiggyBankContent(TDocument& target, TDocumentContent& content) = 0;
};

TPasteSource* PasteSource();
void SetPasteSource(TPasteSource* source);

// The clipboard formats a paste can ask for.
constexpr int32_t cfText = 1;
constexpr int32_t cfBitmap = 2;
constexpr int32_t cfMetafilePict = 3;
constexpr int32_t cfDib = 8;
constexpr int32_t cfPalette = 9;
constexpr int32_t cfUnicodeText = 13;
constexpr int32_t cfEnhMetafile = 14;
constexpr int32_t cfLocale = 16;
