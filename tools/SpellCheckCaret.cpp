// The check of the word at the caret (for the spelling menu and its commands), and the words the user
// accepts from that menu: ignored for the session or added to a personal dictionary.
#include <fstream>

#include "core/Options.h"
#include "core/PathUtils.h"
#include "document/Document.h"
#include "document/Paragraph.h"
#include "tools/SpellCheck.h"
#include "tools/SpellCheckSystem.h"
#include "tools/SpellEngine.h"
#include "tools/SpellWordRules.h"

namespace {

// Words without a language given are never checked.
constexpr int32_t NoLanguage = 0x400;
constexpr int32_t MisspelledMark = 0xFF;
constexpr int32_t NoCheckerMark = 0x800000;

// A word as the lexicons keep it: typographic apostrophes and the optional hyphen in their plain forms.
std::string LexiconForm(std::string word)
{
    for (char& c : word) {
        if (c == '`' || c == '\x91' || c == '\x92')
            c = '\'';
        else if (c == 11)
            c = '-';
    }
    return word;
}

// The word and its variants with other apostrophes or the optional hyphen leave the rejected words.
void ForgetRejected(TStringList& rejected, const std::string& word)
{
    std::vector<std::string> forms{word};
    for (char quote : {'\x91', '\x92', '`'}) {
        std::string w = word;
        for (char& c : w)
            if (c == '\'')
                c = quote;
        forms.push_back(w);
    }
    std::string hyphen = word;
    for (char& c : hyphen)
        if (c == '-')
            c = 11;
    forms.push_back(hyphen);
    for (const std::string& form : forms)
        for (int i = rejected.IndexOf(form); i >= 0; i = rejected.IndexOf(form))
            rejected.Delete(i);
}

// The word under the caret, or ending at it.
TTextPiece WordAtCaret(TDocument& document)
{
    const TTextPos caret = document.Caret;
    if (caret.ParIndex < 0 || caret.ParIndex >= document.ParagraphCount())
        return TTextPiece{caret, 0};
    TTextPiece word = document.GetWordAt(caret);
    if (word.Length == 0 && caret.Offset > 0)
        word = document.GetWordAt(TextPosAt(caret.ParIndex, caret.Offset - 1));
    return word;
}

} // namespace

void TSpellCheckManager::CheckWordAtCaret(TDocument& document)
{
    CaretWord = TCaretWordCheck{};
    const TTextPiece word = WordAtCaret(document);
    if (word.Length <= 0)
        return;
    TCaretWordCheck found;
    found.Document = &document;
    found.Range = TextRangeOf(word.Pos, TextPosAt(word.Pos.ParIndex, word.Pos.Offset + word.Length));
    found.Word = document.GetText(word.Pos, word.Length);
    found.Language = document.GetLanguageAt(word.Pos.ParIndex, word.Pos.Offset + 1);
    if (found.Word.empty() || found.Language == NoLanguage) {
        CaretWord = found;
        return;
    }
    found.HasChecker = HasSystemForLanguage(found.Language);
    TSpellCheckSystem* system = found.HasChecker ? GetSystem(found.Language, true) : nullptr;
    found.HasChecker = system != nullptr;
    int32_t mark = 0;
    if (!system) {
        mark = NoCheckerMark;
    } else {
        std::vector<char> buffer(4096);
        const int kind =
            system->Suggest(found.Word, found.Language, buffer.data(), static_cast<int32_t>(buffer.size()));
        if (kind == skRejected) {
            found.Misspelled = true;
            found.Suggestions = ReadEntryList(buffer.data(), static_cast<int32_t>(buffer.size()));
            if (system->RejectedWords.IndexOf(found.Word) < 0)
                system->RejectedWords.Add(found.Word);
            mark = MisspelledMark;
        } else if (kind < 0) {
            SpellCheckEngineError(kind);
        }
    }
    // The check of a typed word: the paragraph keeps the mark, drawn while spelling is checked as you type.
    const uint16_t flags = CurrentOptions().SpellCheck.Flags;
    if ((flags & scoCheckAsYouType) && (flags & scoUnderlineMistakes)) {
        TParagraph& paragraph = *document.Paragraphs[size_t(word.Pos.ParIndex)];
        const int32_t end = word.Pos.Offset + word.Length;
        paragraph.ExtendSpellCheckRange(word.Pos.Offset, end, CheckGeneration);
        std::erase_if(paragraph.Misspellings,
                      [&](const TMisspelling& m) { return m.Start < end && m.End > word.Pos.Offset; });
        if (mark)
            paragraph.AddMisspelling(word.Pos.Offset, end, mark);
        document.InvalidateRange(found.Range);
    }
    CaretWord = found;
}

void TSpellCheckManager::ForgetCaretWord(const TDocument* document)
{
    if (CaretWord.Document == document)
        CaretWord = TCaretWordCheck{};
}

void TSpellCheckSystem::IgnoreAll(const std::string& word)
{
    const std::string w = LexiconForm(word);
    if (!Running)
        Start();
    if (!Running)
        return;
    if (IgnoreLexicon < 0) {
        IgnoreLexiconFile = GetUniqueTempFileName("tlx");
        std::ofstream(IgnoreLexiconFile, std::ios::binary);
        TempFiles.Add(IgnoreLexiconFile);
        IgnoreLexicon = OpenLex(IgnoreLexiconFile);
        if (SpellCheckEngineError(IgnoreLexicon)) {
            IgnoreLexicon = -1;
            return;
        }
    }
    SpellCheckEngineError(AddToLex(IgnoreLexicon, SSCE_ACTION_ACCEPT, "", w));
    ForgetRejected(RejectedWords, w);
    SpellCheckManager()->RecheckDocuments();
}

void TSpellCheckSystem::AddToDictionary(const std::string& word, int index)
{
    if (!Running)
        Start();
    if (!Running)
        return;
    if (index < 0) {
        if (AddLexicon(NewPersonalDictionaryName(), almEditableCreated) < 0)
            return;
        index = EditableLexicons.Count() - 1;
        CurrentPersonalDictionary = index;
    }
    if (index >= EditableLexicons.Count())
        return;
    const std::string w = LexiconForm(word);
    SpellCheckEngineError(
        AddToLex(static_cast<int>(EditableLexicons.Objects(index)), SSCE_ACTION_ACCEPT, "", w));
    ForgetRejected(RejectedWords, w);
    SpellCheckManager()->RecheckDocuments();
}
