#include "classlib/system/Exceptions.h"
#include "classlib/system/StringList.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Items(const TStrings& list)
{
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i) items.push_back(list.Strings(i));
    return items;
}

} // namespace

TEST(StringList, EditingAndNameValuePairs)
{
    TStringList list;
    list.Add("skin=255");
    list.Add("Style=1");
    list.Insert(0, "first");
    EXPECT_EQ(Items(list), std::vector<std::string>({"first", "skin=255", "Style=1"}));
    EXPECT_EQ(list.IndexOf("FIRST"), 0);
    EXPECT_EQ(list.IndexOf("absent"), -1);
    EXPECT_EQ(list.Names(1), "skin");
    EXPECT_EQ(list.Values("SKIN"), "255");
    list.SetValues("style", "0");
    list.SetValues("new", "x");
    list.SetValues("skin", "");
    EXPECT_EQ(Items(list), std::vector<std::string>({"first", "style=0", "new=x"}));
    list.Delete(0);
    EXPECT_EQ(list.Count(), 2);
    try {
        list.Strings(2);
        FAIL() << "no exception";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (2)");
    }
    EXPECT_THROW(list.Insert(-1, "x"), EListError);
}

TEST(StringList, TextAndCommaTextRoundTrip)
{
    TStringList list;
    list.SetText("a\r\nb\rc\n\nd");
    EXPECT_EQ(Items(list), std::vector<std::string>({"a", "b", "c", "", "d"}));
    EXPECT_EQ(list.Text(), "a\nb\nc\n\nd\n");

    list.SetCommaText("one, \"two words\",\"say \"\"hi\"\"\" three four,");
    EXPECT_EQ(Items(list), std::vector<std::string>({"one", "two words", "say \"hi\"", "three", "four", ""}));
    TStringList copy;
    copy.SetCommaText(list.CommaText());
    EXPECT_EQ(Items(copy), Items(list));
}

TEST(StringList, SortedListsKeepOrderAndHandleDuplicates)
{
    TStringList list;
    list.SetCommaText("pear,Apple,fig");
    list.SetSorted(true);
    EXPECT_EQ(Items(list), std::vector<std::string>({"Apple", "fig", "pear"}));
    EXPECT_EQ(list.Add("banana"), 1);
    EXPECT_EQ(list.Add("APPLE"), 0); // ignored: already there without regard to case
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.IndexOf("PEAR"), 3);
    EXPECT_THROW(list.Insert(0, "x"), EListError);
    list.SetDuplicates(dupError);
    EXPECT_THROW(list.Add("fig"), EListError);
    list.SetDuplicates(dupAccept);
    list.Add("fig");
    EXPECT_EQ(Items(list), std::vector<std::string>({"Apple", "banana", "fig", "fig", "pear"}));
}

TEST(StringList, FilesLoadAndSave)
{
    TTempFolder folder;
    TStringList list;
    list.SetCommaText("a,b");
    list.SaveToFile(folder / "list.txt");
    EXPECT_EQ(ReadText(folder / "list.txt"), "a\nb\n");
    WriteText(folder / "bom.txt", "\xEF\xBB\xBFx\r\ny");
    list.LoadFromFile(folder / "bom.txt");
    EXPECT_EQ(Items(list), std::vector<std::string>({"x", "y"}));
    EXPECT_THROW(list.LoadFromFile(folder / "missing.txt"), EFOpenError);
    EXPECT_THROW(list.LoadFromFile(folder.Path()), EFOpenError);
    EXPECT_THROW(list.SaveToFile(folder / "list.txt/below"), EWriteError);
}
