// The state of one Rich Text Format write, shared by the writer's source files: the output with its
// emitters, the formats last written, and what the document holds outside the range (note texts,
// header and footer stories) found once before writing.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/FormatRecords.h"
#include "formats/rtf/RtfControlWords.h"
#include "formats/rtf/RtfWriter.h"

class TDocObject;
class TDocument;
class TField;
class TParagraph;
class TSection;
class TStyle;

// The paragraphs of a story framed by a field (a note's text, a header or a footer).
struct TStorySpan {
    int32_t First = -1;
    int32_t Last = -1;
};

class TRtfWriter {
public:
    TRtfWriter(TDocument& document, const TTextRange& range, const TRtfWriteOptions& options);
    // Writes the whole file.
    void Write();

    std::string Out;

private:
    // Emitters (RtfWriter.cpp).
    void Raw(std::string_view bytes)
    {
        Out.append(bytes);
        Delimit = false;
    }
    void Open()
    {
        Out += '{';
        Delimit = false;
    }
    void Close()
    {
        Out += '}';
        Delimit = false;
    }
    void Word(TRtfWord word);
    void Word(TRtfWord word, int32_t value);
    void Toggle(TRtfWord word, int32_t value);
    // "{\word text}" or "{\*\word text}"; nothing for an empty text.
    void TextGroup(TRtfWord word, const std::string& text, bool starred);
    void Text(const uint8_t* p, int32_t n);
    void Text(const std::string& text)
    {
        Text(reinterpret_cast<const uint8_t*>(text.data()), int32_t(text.size()));
    }
    void Hex(const uint8_t* p, size_t n);
    void LineEnd();

    // Formats.
    void CharField(int field, int32_t value, bool inStyle);
    void ParaField(int field, const TParaFormat& format);
    void Tabs(int32_t table);
    void ParagraphFormat(const TParaFormat& format);
    void PlainDefaults();
    TParaFormat DefaultPara() const;

    // Body (RtfWriter.cpp).
    void Paragraphs(int32_t first, int32_t last, int32_t startOffset, int32_t endOffset, bool dropLastMark);
    void Paragraph(int32_t index, int32_t from, int32_t to, bool dropMark);
    void Special(int code);
    void FieldStart(int32_t handle);
    void FieldEnd(int32_t handle);
    void CloseFieldsDownTo(size_t depth);
    void Note(const TField& reference);
    void Picture(TDocObject& object, bool inObject);
    void Object(TDocObject& object);
    void Bullet();

    // Header, tables, style sheet, information and sections (RtfWriterTables.cpp).
    void FindStories();
    void FontTable();
    void ColorTable();
    void StyleSheet();
    void Style(int32_t index, const TStyle& style);
    void Info();
    void Date(TRtfWord word, double value);
    void DocumentProperties();
    void SectionProperties(const TSection& section, bool first);
    void HeaderFooter(TRtfWord word, const TField* frame);
    void SectionBreakOf(const TSection& section);

    TDocument& Doc;
    TTextRange Range;
    TRtfWriteOptions Options;
    bool Delimit = false; // a control word was just written: text needs a space first
    TCharFormat Char{};
    TParaFormat Para{};
    bool InStyleSheet = false;
    std::vector<int32_t> OpenFields; // fields whose group was opened in the text written
    TParaFormat WantPara{};          // the format of the paragraph being written
    struct TSavedFormats {
        TCharFormat Char;
        TParaFormat Para;
        TParaFormat Want;
    };
    std::vector<TSavedFormats> FieldFormats;
    std::unordered_map<int32_t, TStorySpan> Stories; // by the framing field's handle
    const TSection* FirstSection = nullptr;
    int64_t Written = 0;
};
