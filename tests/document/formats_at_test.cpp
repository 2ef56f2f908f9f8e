// Formats at a place and over a range, fields around a place, and the selection with its format
// states.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/Styles.h"
#include "document/Document.h"
#include "document/Field.h"
#include "tagged_text.h"

namespace {

class FormatsAt : public testing::Test {
protected:
    void SetUp() override { Doc = std::make_unique<TDocument>(true); }
    void Set(std::initializer_list<std::string> texts)
    {
        Doc->Paragraphs.resize(1);
        Doc->StoryLengths[stMain] = 1;
        bool first = true;
        for (const std::string& text : texts) {
            if (!first) {
                Doc->Paragraphs.push_back(std::make_unique<TParagraph>(Doc.get()));
                ++Doc->StoryLengths[stMain];
            }
            qptest::SetTaggedText(*Doc->Paragraphs.back(), text);
            first = false;
        }
        Doc->SetModeFlag(mfFieldsDirty, true);
    }
    // A field owned by the document; its marks carry the returned handle.
    TField& AddField(uint8_t kind, uint8_t type = 0)
    {
        Doc->Fields.push_back(std::make_unique<TField>());
        Doc->Fields.back()->Kind = kind;
        Doc->Fields.back()->FieldType = type;
        return *Doc->Fields.back();
    }
    static std::string Start(const TField& f) { return "{26:" + std::to_string(f.Handle) + "}"; }
    static std::string End(const TField& f) { return "{27:" + std::to_string(f.Handle) + "}"; }
    static TTextPos At(int32_t par, int32_t offset)
    {
        TTextPos pos{};
        MakeTextPos(par, offset, pos);
        return pos;
    }
    static TTextRange Range(int32_t p0, int32_t o0, int32_t p1, int32_t o1)
    {
        return TTextRange{At(p0, o0), At(p1, o1)};
    }
    std::unique_ptr<TDocument> Doc;
};

} // namespace

TEST_F(FormatsAt, FormatOfTheCharacterBefore)
{
    Set({"a{2:1}bc{2:0}{3:1}d{22:2}"});
    EXPECT_EQ(Doc->GetCharFormatAt(At(0, 0))[cfBold], 0);
    EXPECT_EQ(Doc->GetCharFormatAt(At(0, 1))[cfBold], 0); // after "a"
    EXPECT_EQ(Doc->GetCharFormatAt(At(0, 2))[cfBold], 1); // after "b"
    const TCharFormat d = Doc->GetCharFormatAt(At(0, 4));
    EXPECT_EQ(d[cfBold], 0);
    EXPECT_EQ(d[cfItalic], 1);
    EXPECT_EQ(d[cfSize], DefaultCharFormat()[cfSize]);
    EXPECT_EQ(Doc->GetLanguageAt(0, 2), DefaultCharFormat()[cfLanguage]);
    Set({"{21:1036}été{22:2}"});
    EXPECT_EQ(Doc->GetLanguageAt(0, 1), 1036);
}

TEST_F(FormatsAt, FormatsOverARange)
{
    Set({"a{2:1}b{14:6}c{22:2}", "{2:1}{14:6}d{22:2}"});
    TCharFormat f;
    Doc->GetCharFormatStateOfRange(Range(0, 1, 0, 2), f, false);
    EXPECT_EQ(f[cfBold], 1);
    Doc->GetCharFormatStateOfRange(Range(0, 0, 0, 3), f, false);
    EXPECT_EQ(f[cfBold], UndefinedField); // "a" plain, "b" bold
    EXPECT_EQ(f[cfColor], UndefinedField);
    EXPECT_EQ(f[cfItalic], 0); // the same everywhere
    Doc->GetCharFormatStateOfRange(Range(0, 1, 1, 1), f, false);
    EXPECT_EQ(f[cfBold], 1);               // "b", "c", the end mark and "d" are all bold
    EXPECT_EQ(f[cfColor], UndefinedField); // "b" is not red
    Doc->GetCharFormatStateOfRange(Range(0, 2, 1, 1), f, false);
    EXPECT_EQ(f[cfColor], 6);
    // Merged into the caller's state.
    TCharFormat state = DefaultCharFormat();
    Doc->GetCharFormatStateOfRange(Range(0, 2, 0, 3), state, true);
    EXPECT_EQ(state[cfBold], UndefinedField);
    EXPECT_EQ(state[cfSize], DefaultCharFormat()[cfSize]);

    EXPECT_TRUE(Doc->RangeFormatDiffers(Range(0, 0, 0, 3), DefaultCharFormat()));
    EXPECT_FALSE(Doc->RangeFormatDiffers(Range(0, 0, 0, 1), DefaultCharFormat()));
}

TEST_F(FormatsAt, ParagraphFormatsOverARange)
{
    Set({"a{22:2}", "b{22:2}", "c{22:2}"});
    Doc->Paragraphs[1]->ParaFormat[pfAlignment] = 2;
    Doc->Paragraphs[2]->ParaFormat[pfAlignment] = 2;
    TParaFormat f;
    Doc->GetParFormatStateOfRange(Range(0, 0, 1, 0), f, false);
    EXPECT_EQ(f[pfAlignment], UndefinedField);
    EXPECT_EQ(f[pfLineSpacing], 240);
    EXPECT_EQ(f[pfTabTable], -1);
    Doc->GetParFormatStateOfRange(Range(1, 0, 2, 1), f, false);
    EXPECT_EQ(f[pfAlignment], 2);
}

TEST_F(FormatsAt, FieldsAroundAPlace)
{
    TField& toc = AddField(fkCode, ftTableOfContents);
    TField& ref = AddField(fkCode, ftPageReference);
    TField& mark = AddField(fkBookmark);
    // "ab[Titre [12]]cd", the bookmark around "cd".
    Set({"ab" + Start(toc) + "Titre " + Start(ref) + "12" + End(ref) + End(toc) + Start(mark) + "cd" +
         End(mark) + "{22:2}"});
    TTextRange range;
    EXPECT_EQ(Doc->FindFieldAt(At(0, 1), range, nullptr, -1, -1), nullptr);
    EXPECT_EQ(Doc->FindFieldAt(At(0, 3), range, nullptr, -1, -1), &toc);
    EXPECT_EQ(range.StartPos.Offset, 2);
    EXPECT_EQ(range.EndPos.Offset, 10);
    EXPECT_EQ(Doc->FindFieldAt(At(0, 8), range, nullptr, -1, -1), &ref); // the innermost
    EXPECT_EQ(Doc->FindFieldAt(At(0, 8), range, nullptr, ftTableOfContents, -1), &toc);
    uint8_t excluded[12] = {};
    excluded[ftPageReference / 8] = static_cast<uint8_t>(1 << (ftPageReference % 8));
    EXPECT_EQ(Doc->FindFieldAt(At(0, 8), range, excluded, -1, -1), &toc);
    // Bookmarks are found only when asked for.
    EXPECT_EQ(Doc->FindFieldAt(At(0, 11), range, nullptr, -1, -1), nullptr);
    Doc->SetModeFlag(mfFindBookmarkLikeFields, true);
    EXPECT_EQ(Doc->FindFieldAt(At(0, 11), range, nullptr, -1, -1), &mark);
    Doc->SetModeFlag(mfFindBookmarkLikeFields, false);
    ASSERT_EQ(Doc->Bookmarks.Count(), 1);
    EXPECT_EQ(Doc->Bookmarks.Objects(0), reinterpret_cast<intptr_t>(&mark));
}

TEST_F(FormatsAt, FormatsAtFieldEdges)
{
    TField& link = AddField(fkCode, ftHyperlink);
    Set({"a" + Start(link) + "{6:1}lien" + End(link) + "{6:0}b{22:2}"});
    // The last character of a field that shows a result takes the format after the field.
    EXPECT_EQ(Doc->GetCharFormatAt(At(0, 5))[cfUnderline], 0);
    Doc->SetModeFlag(mfFormatsAtMarks, true);
    EXPECT_EQ(Doc->GetCharFormatAt(At(0, 5))[cfUnderline], 1);
    Doc->SetModeFlag(mfFormatsAtMarks, false);
    EXPECT_EQ(Doc->GetCharFormatAt(At(0, 4))[cfUnderline], 1);

    // Text typed where a field begins takes the paragraph style's format, not the field's.
    auto normal = std::make_unique<TStyle>(Doc->StyleList.get());
    normal->CharFormat = StyleBaseCharFormat();
    ClearCharFormatState(normal->CharFormat);
    normal->CharFormat[cfSize] = 20;
    normal->ParaFormat[pfStyle] = 0;
    Doc->StyleList->Styles.push_back(std::move(normal));
    Doc->Paragraphs[0]->ParaFormat[pfStyle] = 0;
    TField& toc = AddField(fkCode, ftTableOfContents);
    Set({Start(toc) + "{1:40}Titre{22:2}", "suite" + End(toc) + "{1:30} x{22:2}"});
    EXPECT_EQ(Doc->GetCharFormatInParagraph(0, 0)[cfSize], 20);
    EXPECT_EQ(Doc->GetCharFormatInParagraph(0, 2)[cfSize], 40);
    // A field within the paragraph is stepped over: the text after it gives the format.
    TField& date = AddField(fkCode, 31);
    Set({Start(date) + "{1:40}1er mai" + End(date) + "{1:30} x{22:2}"});
    EXPECT_EQ(Doc->GetCharFormatInParagraph(0, 0)[cfSize], 30);
}

TEST_F(FormatsAt, SelectOrdersAndClampsItsEnds)
{
    Set({"un{22:2}", "deux{22:2}", "trois{22:2}", "quatre{22:2}", "cinq{22:2}"});
    Doc->Select(2, 3, 1, 1, 0);
    EXPECT_EQ(Doc->Selection.StartPos.ParIndex, 1);
    EXPECT_EQ(Doc->Selection.StartPos.Offset, 1);
    EXPECT_EQ(Doc->Selection.EndPos.ParIndex, 2);
    EXPECT_EQ(Doc->Selection.EndPos.Offset, 3);
    EXPECT_TRUE(Doc->HasSelection());
    // An end at the start of a paragraph ends the selection at the end of the one before.
    Doc->Select(3, 0, 4, 0, 0);
    EXPECT_EQ(Doc->Selection.EndPos.ParIndex, 3);
    EXPECT_EQ(Doc->Selection.EndPos.Offset, 7);
    // Offsets beyond a paragraph's length stand for its length.
    Doc->Select(0, 1, 0, 99, 0);
    EXPECT_EQ(Doc->Selection.EndPos.Offset, 3);
    EXPECT_TRUE(Doc->IsPosInSelection(At(0, 2)));
    EXPECT_FALSE(Doc->IsPosInSelection(At(0, 3)));
    Doc->SelectAll();
    EXPECT_EQ(Doc->Selection.EndPos.ParIndex, 4);
    EXPECT_EQ(Doc->Selection.EndPos.Offset, 5);
    Doc->ClearSelection();
    EXPECT_FALSE(Doc->HasSelection());
}

TEST_F(FormatsAt, SelectionFormatStates)
{
    Set({"a{2:1}b{22:2}", "c{22:2}"});
    Doc->Paragraphs[1]->ParaFormat[pfAlignment] = 1;
    Doc->Select(0, 0, 1, 1, 0);
    EXPECT_EQ(Doc->CharFormatState[cfBold], UndefinedField);
    EXPECT_EQ(Doc->ParaFormatState[pfAlignment], UndefinedField);
    EXPECT_EQ(Doc->ParaFormatState[pfLineSpacing], 240);
    MakeTextPos(0, 2, Doc->Caret);
    Doc->ClearSelection();
    EXPECT_EQ(Doc->CharFormatState[cfBold], 1);
    EXPECT_EQ(Doc->ParaFormatState[pfAlignment], 0);
}

TEST_F(FormatsAt, InsertionFormats)
{
    Set({"a{2:1}b{15:3}c{2:0}{15:0}d{22:2}"});
    // Typing at the caret: the typing format, the text after from the format at the caret.
    MakeTextPos(0, 2, Doc->Caret);
    Doc->InsertionFormat = DefaultCharFormat();
    Doc->InsertionFormat[cfItalic] = 1;
    Doc->InsertionFormat[cfHighlight] = 5;
    Doc->PrepareInsertFormat(Doc->Caret, 1);
    EXPECT_EQ(Doc->InsertedTextFormat[cfItalic], 1);
    EXPECT_EQ(Doc->InsertedTextFormat[cfHighlight], 3); // the highlight of the character after the caret
    EXPECT_EQ(Doc->InsertFormatBefore[cfItalic], 1);
    EXPECT_EQ(Doc->InsertFormatAfter[cfBold], 1);
    // Replacing a selection: the format of its start; before it the default at a paragraph start.
    Doc->Select(0, 0, 0, 2, 0);
    Doc->PrepareInsertFormat(Doc->Selection.StartPos, 1);
    EXPECT_EQ(Doc->InsertedTextFormat[cfBold], 0);
    EXPECT_EQ(Doc->InsertedTextFormat[cfHighlight], 3);
    EXPECT_TRUE(CharFormatsEqual(Doc->InsertFormatBefore, DefaultCharFormat()));
    EXPECT_EQ(Doc->InsertFormatAfter[cfBold], 1);
    // Anywhere else: the format at the place on both sides.
    Doc->ClearSelection();
    Doc->PrepareInsertFormat(TextPosAt(0, 4), 0);
    EXPECT_EQ(Doc->InsertedTextFormat[cfBold], 0);
    EXPECT_EQ(Doc->InsertFormatBefore[cfBold], 0);
    Doc->SetModeFlag(mfNoInsertFormat, true);
    Doc->PrepareInsertFormat(TextPosAt(0, 2), 0);
    EXPECT_EQ(Doc->InsertedTextFormat[cfBold], 0); // left as it was
}

TEST_F(FormatsAt, BookmarksLinkedToAField)
{
    TField& toc = AddField(fkCode, ftTableOfContents);
    TField& first = AddField(fkBookmark);
    first.Code = "_Toc1";
    TField& second = AddField(fkBookmark);
    second.Code = "_Toc2";
    TField& start = AddField(fkBookmark);
    start.Code = "Debut";
    TField& a = AddField(fkCode, ftHyperlink);
    a.Code = "HYPERLINK \\l \"_Toc1\"";
    TField& b = AddField(fkCode, ftHyperlink);
    b.Code = "HYPERLINK \"#_Toc1\" \\o \"Vers le titre\"";
    TField& c = AddField(fkCode, ftHyperlink);
    c.Code = "HYPERLINK \"#\"";
    TField& d = AddField(fkCode, ftHyperlink);
    d.Code = "HYPERLINK \"http://exemple.fr\"";
    Set({Start(start) + Start(toc) + Start(a) + "Un" + End(a) + Start(b) + "Deux" + End(b) + Start(c) + "x" +
             End(c) + Start(d) + "y" + End(d) + End(toc) + End(start) + "{22:2}",
         Start(first) + "Titre" + End(first) + Start(second) + "Autre" + End(second) + "{22:2}"});
    const std::vector<TField*> linked = Doc->CollectLinkedBookmarks(toc);
    // In the order found, from the last field back: the links come after the bookmarks here.
    EXPECT_EQ(linked, (std::vector<TField*>{&first, &start}));
}
