// Paragraphs of French words with changes of weight, slant and size, for the layout and typing benchmarks.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/Paragraph.h"

namespace {

const char* const Words[] = {
    "le",       "la",      "les",     "des",       "une",         "été",      "très",
    "écrivain", "œuvre",   "déjà",    "château",   "forêt",       "où",       "à",
    "élève",    "fenêtre", "naïf",    "Noël",      "garçon",      "français", "théâtre",
    "après",    "qu'il",   "l'hiver", "d'abord",   "aujourd'hui", "mais",     "donc",
    "parce",    "que",     "lorsque", "cependant", "quelquefois", "rivière",  "campagne",
    "souvenir", "lumière", "matin",   "soir",      "chemin",      "maison",
};

inline void AppendTag(std::string& text, int code, int32_t value)
{
    uint8_t tag[InlineTagSize];
    SetTag(tag, code, value);
    text.append(reinterpret_cast<const char*>(tag), InlineTagSize);
}

// About Chars characters of words, punctuation, an occasional tab, and changes of weight, slant and
// size, ended by the paragraph mark.
inline std::string ParagraphText(int32_t chars, uint32_t& seed)
{
    std::string text;
    int32_t count = 0;
    while (count < chars) {
        seed = seed * 1103515245u + 12345u;
        const uint32_t r = seed >> 8;
        const std::string word = Words[r % (sizeof Words / sizeof Words[0])];
        switch (r % 29) {
        case 0: AppendTag(text, cfBold, 1); break;
        case 1: AppendTag(text, cfBold, 0); break;
        case 2: AppendTag(text, cfItalic, 1); break;
        case 3: AppendTag(text, cfItalic, 0); break;
        case 4: AppendTag(text, cfSize, 28); break;
        case 5: AppendTag(text, cfSize, 24); break;
        default: break;
        }
        text += word;
        count += static_cast<int32_t>(word.size());
        if (r % 17 == 0) {
            text += ", ";
            count += 2;
        } else if (r % 23 == 0) {
            AppendTag(text, tcSpecial, scTab);
            ++count;
        } else if (r % 13 == 0) {
            text += ". ";
            count += 2;
        } else {
            text += ' ';
            ++count;
        }
    }
    AppendTag(text, tcSpecial, scParagraphMark);
    return text;
}

inline void AddParagraph(TDocument& doc, const std::string& text, int alignment)
{
    doc.Paragraphs.push_back(std::make_unique<TParagraph>(&doc));
    TParagraph& p = *doc.Paragraphs.back();
    p.Text.Assign(text.data(), static_cast<int32_t>(text.size()));
    p.UpdatePlainText();
    p.ParaFormat[pfAlignment] = alignment;
    p.ParaFormat[pfSpaceAfter] = 120;
    doc.StoryLengths[stMain] = doc.ParagraphCount();
}

// Replaces the document's paragraphs with about Pages A4 pages of text (some 3,400 characters of this
// 12-point text each); the number of characters.
inline int64_t FillPages(TDocument& doc, int32_t pages, uint32_t& seed)
{
    doc.Paragraphs.clear();
    int64_t chars = 0;
    while (chars < int64_t(pages) * 3400) {
        seed = seed * 1103515245u + 12345u;
        const int32_t length = 100 + static_cast<int32_t>((seed >> 8) % 1400);
        AddParagraph(doc, ParagraphText(length, seed), static_cast<int>((seed >> 4) % 4));
        chars += doc.Paragraphs.back()->PlainText.Size();
    }
    return chars;
}

} // namespace
