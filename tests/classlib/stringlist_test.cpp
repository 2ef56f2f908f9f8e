// The string list: sorted entries without regard to case, objects, duplicates, lines and comma text.
#include <gtest/gtest.h>

#include <string>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/StringList.h"

namespace {

std::string Joined(const TStringList& l)
{
    std::string s;
    for (int i = 0; i < l.Count(); ++i)
        s += (i ? "|" : "") + l[i];
    return s;
}

} // namespace

TEST(StringList, SortedWithoutRegardToCase)
{
    TStringList l;
    l.SetSorted(true);
    EXPECT_EQ(l.Add("pomme", 1), 0);
    EXPECT_EQ(l.Add("Banane", 2), 0);
    EXPECT_EQ(l.Add("cerise", 3), 1);
    EXPECT_EQ(l.Add("ABRICOT", 4), 0);
    EXPECT_EQ(Joined(l), "ABRICOT|Banane|cerise|pomme");
    EXPECT_EQ(l.Objects(2), 3);

    int index = -1;
    EXPECT_TRUE(l.Find("CERISE", index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(l.Find("datte", index));
    EXPECT_EQ(index, 3); // where it would go
    EXPECT_EQ(l.IndexOf("banane"), 1);
    EXPECT_EQ(l.IndexOf("kiwi"), -1);
    EXPECT_EQ(l.IndexOfObject(4), 0);

    // Duplicates: ignored (the old index), accepted (after the equal ones), or refused.
    EXPECT_EQ(l.Add("POMME", 9), 3);
    EXPECT_EQ(l.Count(), 4);
    l.Duplicates = dupAccept;
    EXPECT_EQ(l.Add("Pomme", 9), 4);
    EXPECT_EQ(l.Count(), 5);
    l.Duplicates = dupError;
    EXPECT_THROW(l.Add("pomme"), EListError);
    EXPECT_THROW(l.Insert(0, "x"), EListError);

    l.Delete(0);
    EXPECT_EQ(Joined(l), "Banane|cerise|pomme|Pomme");
    EXPECT_THROW(l.Delete(4), EListError);
    EXPECT_THROW(l.Objects(-1), EListError);
}

TEST(StringList, UnsortedKeepsOrderUntilSorted)
{
    TStringList l;
    l.Add("b");
    l.Add("B");
    l.Insert(0, "c", 7);
    l.Add("a");
    EXPECT_EQ(Joined(l), "c|b|B|a");
    EXPECT_EQ(l.IndexOf("B"), 1); // first match, case ignored
    l.SetCaseSensitive(true);
    EXPECT_EQ(l.IndexOf("B"), 2);
    l.SetCaseSensitive(false);
    l.SetSorted(true);
    EXPECT_EQ(Joined(l), "a|b|B|c"); // equal texts keep their order
    EXPECT_EQ(l.Objects(3), 7);
}

TEST(StringList, TextAsLines)
{
    TStringList l;
    l.SetText("un\r\ndeux\rtrois\nquatre");
    EXPECT_EQ(Joined(l), "un|deux|trois|quatre");
    EXPECT_EQ(l.Text(), "un\r\ndeux\r\ntrois\r\nquatre\r\n");
    l.SetText("a\r\n\r\nb\r\n");
    EXPECT_EQ(l.Count(), 3);
    EXPECT_EQ(l[1], "");
    l.SetText("");
    EXPECT_EQ(l.Count(), 0);
}

TEST(StringList, CommaText)
{
    TStringList l;
    l.SetCommaText("cod,doc,dot,ini,rtf,txt,wri");
    EXPECT_EQ(l.Count(), 7);
    EXPECT_EQ(l[6], "wri");
    l.SetCommaText("\"Mes documents\",a b, \"dit \"\"oui\"\"\",,");
    EXPECT_EQ(Joined(l), "Mes documents|a|b|dit \"oui\"||");
    EXPECT_EQ(l.CommaText(), "\"Mes documents\",a,b,\"dit \"\"oui\"\"\",,");
    TStringList back;
    back.SetCommaText(l.CommaText());
    EXPECT_EQ(Joined(back), Joined(l));
}
