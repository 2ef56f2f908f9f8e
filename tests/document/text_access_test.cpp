// Reading the text: plain pieces, words, links, file-name tokens, sentences and the steps between
// words, French text included.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "classlib/runtime/StringList.h"
#include "core/Options.h"
#include "document/Document.h"
#include "document/TextAccess.h"
#include "tagged_text.h"

namespace {

class TextAccess : public testing::Test {
protected:
    void SetUp() override { Doc = std::make_unique<TDocument>(true); }
    void TearDown() override
    {
        CurrentOptions().Edit.TreatURLsAsWords = true;
        AbbreviationList = nullptr;
    }
    // Makes the document's paragraphs from notations.
    void Set(std::initializer_list<const char*> texts)
    {
        bool first = true;
        for (const char* text : texts) {
            if (!first) {
                Doc->Paragraphs.push_back(std::make_unique<TParagraph>(Doc.get()));
                ++Doc->StoryLengths[stMain];
            }
            qptest::SetTaggedText(*Doc->Paragraphs.back(), text);
            first = false;
        }
    }
    static TTextPos At(int32_t par, int32_t offset)
    {
        TTextPos pos{};
        MakeTextPos(par, offset, pos);
        return pos;
    }
    // The text of a piece, or "" when it is empty.
    std::string Text(const TTextPiece& piece) { return Doc->GetText(piece.Pos, piece.Length); }
    std::string Word(int32_t offset, int32_t par = 0) { return Text(Doc->GetWordAt(At(par, offset))); }
    std::string Link(int32_t offset) { return Text(Doc->GetLinkAt(At(0, offset))); }
    std::string Token(int32_t offset) { return Text(Doc->GetTokenLinkAt(At(0, offset))); }
    std::string Sentence(int32_t offset)
    {
        const TTextRange r = Doc->GetSentenceRange(At(0, offset));
        return Doc->GetText(r.StartPos, r.EndPos.Offset - r.StartPos.Offset);
    }
    std::unique_ptr<TDocument> Doc;
};

} // namespace

TEST_F(TextAccess, PlainTextOfAPiece)
{
    Set({"{22:7}{22:10}a{22:11}{22:12}{22:13}{1:30}b{22:2}"});
    EXPECT_EQ(Doc->GetText(At(0, 0), 3), " a");
    EXPECT_EQ(Doc->GetText(At(0, 3), 10), "-\x97\x96"
                                          "b");
    Set({std::string(2000, 'x').append("{22:2}").c_str()});
    EXPECT_EQ(Doc->GetText(At(0, 0), 2000).size(), 1024u);

    Set({"abc{22:2}", "de{22:2}"});
    TTextRange r{At(0, 1), At(1, 1)};
    EXPECT_EQ(Doc->GetRangeText(r), "bc");
    EXPECT_TRUE(Doc->RangeHasControlCodes(r)); // the end mark of the first paragraph
    r = TTextRange{At(0, 1), At(0, 3)};
    EXPECT_FALSE(Doc->RangeHasControlCodes(r));
    r = TTextRange{At(0, 1), At(0, 1)};
    EXPECT_FALSE(Doc->RangeHasControlCodes(r));
}

TEST_F(TextAccess, WordsAsTheSeparatorsCut)
{
    Set({"Bonjour  le monde, l'été {21:1036}éte aujourd'hui §x{22:2}"});
    EXPECT_EQ(Word(3), "Bonjour");
    EXPECT_EQ(Word(7), "Bonjour"); // just after the word
    const TTextPiece gap = Doc->GetWordAt(At(0, 8));
    EXPECT_EQ(gap.Pos.Offset, 8); // between two spaces: the place itself, no word
    EXPECT_EQ(gap.Length, 0);
    EXPECT_EQ(Word(13), "monde");
    EXPECT_EQ(Word(17), "monde"); // on the comma after it
    EXPECT_EQ(Word(20), "l'été"); // the apostrophe and the accents belong to the word
    EXPECT_EQ(Word(26), "éte");
    EXPECT_EQ(Word(32), "aujourd'hui");
    // A leading character that is no letter is left out; a word that then starts after the place
    // is no word there.
    EXPECT_EQ(Word(42), "x");
    EXPECT_EQ(Doc->GetWordAt(At(0, 41)).Length, 0);
}

TEST_F(TextAccess, Links)
{
    Set({"Voir (http://www.exemple.fr/page?a=1), puis rapport.doc, moi@exemple.fr et "
         "file://serveur/partage.{22:2}"});
    EXPECT_EQ(Link(10), "http://www.exemple.fr/page?a=1");
    EXPECT_EQ(Word(10), "http://www.exemple.fr/page?a=1"); // links count as words
    CurrentOptions().Edit.TreatURLsAsWords = false;
    EXPECT_EQ(Word(10), "http");
    EXPECT_EQ(Link(47), ""); // a file name is no link
    EXPECT_EQ(Link(60), "moi@exemple.fr");
    EXPECT_EQ(Link(80), "file://serveur/partage");
    EXPECT_EQ(Text(Doc->GetWordOrLinkAt(At(0, 60))), "moi@exemple.fr");
}

TEST_F(TextAccess, FileNameTokens)
{
    Set({"Dans C:\\Documents, voir (lisez.txt), notes.xyz et \\\\serveur\\partage\\a.{22:2}"});
    EXPECT_EQ(Token(8), "C:\\Documents"); // a drive makes a file name
    EXPECT_EQ(Token(28), "lisez.txt");    // a known extension; brackets and comma trimmed
    EXPECT_EQ(Token(40), "");             // an unknown extension without a drive
    EXPECT_EQ(Token(55), "\\\\serveur\\partage\\a");
    EXPECT_EQ(Text(Doc->DetectLinkAt(At(0, 28))), "lisez.txt");
    EXPECT_TRUE(IsFilePathText("file:///C:\\x"));
    EXPECT_FALSE(IsFilePathText("FILE:///C:\\x")); // the prefix is exact: no drive is found after it
    EXPECT_TRUE(IsFilePathText("rapport.RTF"));
    EXPECT_FALSE(IsFilePathText("rapport."));
}

TEST_F(TextAccess, StepsFromWordToWord)
{
    Set({"Bonjour le monde... l'été, oui.{22:2}", "Suite{22:2}"});
    auto next = [&](int32_t par, int32_t offset) {
        const TTextPos p = Doc->NextWordPos(At(par, offset));
        return std::make_pair(p.ParIndex, p.Offset);
    };
    auto prev = [&](int32_t par, int32_t offset) {
        const TTextPos p = Doc->PrevWordPos(At(par, offset));
        return std::make_pair(p.ParIndex, p.Offset);
    };
    EXPECT_EQ(next(0, 0), std::make_pair(0, 8));
    EXPECT_EQ(next(0, 8), std::make_pair(0, 11));
    EXPECT_EQ(next(0, 11), std::make_pair(0, 16)); // "monde" then the dots
    EXPECT_EQ(next(0, 16), std::make_pair(0, 20)); // the dots and the space
    EXPECT_EQ(next(0, 20), std::make_pair(0, 22)); // the elision ends after the apostrophe
    EXPECT_EQ(next(0, 31), std::make_pair(1, 0));  // from the end mark to the next paragraph
    EXPECT_EQ(next(1, 5), std::make_pair(1, 6));   // the last paragraph's end
    EXPECT_EQ(next(1, 6), std::make_pair(1, 6));
    EXPECT_EQ(prev(0, 11), std::make_pair(0, 8));
    EXPECT_EQ(prev(0, 8), std::make_pair(0, 0));
    EXPECT_EQ(prev(0, 22), std::make_pair(0, 20));
    EXPECT_EQ(prev(1, 0), std::make_pair(0, 31)); // to the end mark of the paragraph before
    EXPECT_EQ(prev(0, 0), std::make_pair(0, 0));
}

TEST_F(TextAccess, Sentences)
{
    Set({"Il dort. Le chat mange. « Oui ! » dit-il... puis rien.{22:2}"});
    EXPECT_TRUE(Doc->IsSentenceStart(At(0, 0)));
    EXPECT_TRUE(Doc->IsSentenceStart(At(0, 9)));
    EXPECT_FALSE(Doc->IsSentenceStart(At(0, 12)));
    EXPECT_EQ(Sentence(1), "Il dort.");
    EXPECT_EQ(Sentence(13), "Le chat mange.");
    // Quotes are taken in only when they touch the sentence: French guillemets stand apart.
    EXPECT_EQ(Sentence(26), "Oui !");
    // Three dots end no sentence.
    EXPECT_EQ(Sentence(45), "dit-il... puis rien.");
    Set({"\"Oui.\" Non.{22:2}"});
    EXPECT_EQ(Sentence(2), "\"Oui.\"");

    // An abbreviation of the language ends no sentence.
    Set({"Voir M. Dupont demain.{22:2}"});
    EXPECT_TRUE(Doc->IsSentenceStart(At(0, 8)));
    static TStringList abbreviations;
    abbreviations.Clear();
    abbreviations.Add("M.");
    AbbreviationList = [](int32_t) -> const TStringList* { return &abbreviations; };
    EXPECT_FALSE(Doc->IsSentenceStart(At(0, 8)));
    EXPECT_EQ(Sentence(10), "Voir M. Dupont demain.");
}

TEST_F(TextAccess, ListLabelsAndAbbreviations)
{
    Set({"a) premier{22:5}12. second{22:5}iv) trois{22:5}mot) non{22:2}"});
    EXPECT_TRUE(Doc->IsListLabelAt(At(0, 0)));
    EXPECT_TRUE(Doc->IsListLabelAt(At(0, 11)));
    EXPECT_TRUE(Doc->IsListLabelAt(At(0, 22)));
    EXPECT_FALSE(Doc->IsListLabelAt(At(0, 33)));
    EXPECT_TRUE(Doc->IsSentenceStart(At(0, 3))); // a label before the word starts a sentence
    Set({"Fin. a) premier point{22:2}"});
    EXPECT_EQ(Sentence(10), "a) premier point");

    Set({"Aux U.S.A. et en R-F. mais pas UE. ni Ab.{22:2}"});
    EXPECT_TRUE(Doc->IsDottedAbbreviationAt(At(0, 5)));
    EXPECT_TRUE(Doc->IsDottedAbbreviationAt(At(0, 18)));
    EXPECT_FALSE(Doc->IsDottedAbbreviationAt(At(0, 31)));
    EXPECT_FALSE(Doc->IsDottedAbbreviationAt(At(0, 39)));
}

TEST_F(TextAccess, WholeWordRanges)
{
    Set({"un mot ici{22:2}"});
    EXPECT_TRUE(Doc->IsWholeWordRange(TTextRange{At(0, 3), At(0, 6)}));
    EXPECT_TRUE(Doc->IsWholeWordRange(TTextRange{At(0, 0), At(0, 2)}));
    EXPECT_FALSE(Doc->IsWholeWordRange(TTextRange{At(0, 4), At(0, 6)}));
    EXPECT_FALSE(Doc->IsWholeWordRange(TTextRange{At(0, 3), At(0, 3)}));
}
