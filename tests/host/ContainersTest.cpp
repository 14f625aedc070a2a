// Lists, collections and string lists.
#include "host/Host.h"

#include <gtest/gtest.h>

#include <QFile>

#include <memory>

using namespace cartova;

namespace {

int Alive = 0;
struct TCounted {
    int Value;
    explicit TCounted(int V) : Value(V) { ++Alive; }
    ~TCounted() { --Alive; }
};

class TNamedItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    std::string Label;
    void Assign(const TPersistent* Source) override
    {
        if (auto* S = dynamic_cast<const TNamedItem*>(Source))
            Label = S->Label;
        else
            TCollectionItem::Assign(Source);
    }
};

} // namespace

TEST(Lists, IndexErrorsAndReorderingFollowTheHostList)
{
    TList<int> L;
    int A = 1, B = 2, C = 3;
    L.Add(&A);
    L.Add(&B);
    L.Insert(0, &C);
    EXPECT_EQ(L.GetItems(0), &C);
    EXPECT_EQ(L.IndexOf(&B), 2);
    try {
        L.GetItems(3);
        FAIL();
    } catch (const EListError& E) {
        EXPECT_STREQ(E.what(), "List index out of bounds (3)");
    }
    EXPECT_THROW(L.Insert(5, &A), EListError);
    L.Move(0, 2);
    EXPECT_EQ(L.Last(), &C);
    L.Exchange(0, 1);
    EXPECT_EQ(L.First(), &B);
    EXPECT_EQ(L.Remove(&A), 1);
    EXPECT_EQ(L.Remove(&A), -1);
    L.Clear();
    EXPECT_THROW(L.First(), EListError);
    EXPECT_THROW(L.Last(), EListError);
}

TEST(Lists, ObjectListFreesItemsExceptExtractedOnes)
{
    Alive = 0;
    std::unique_ptr<TCounted> Kept;
    {
        TObjectList<TCounted> L;
        L.Add(new TCounted(1));
        auto* Two = new TCounted(2);
        L.Add(Two);
        L.Add(new TCounted(3));
        L.Delete(0);
        EXPECT_EQ(Alive, 2);
        Kept.reset(L.Extract(Two));
        EXPECT_EQ(L.Count(), 1);
    }
    EXPECT_EQ(Alive, 1);
    EXPECT_EQ(Kept->Value, 2);
}

TEST(Collections, ItemsKnowTheirCollectionIndexAndStableIds)
{
    TTypedCollection<TNamedItem> C;
    auto* A = C.Add();
    auto* B = C.Add();
    auto* X = C.Insert(0);
    EXPECT_EQ(X->GetCollection(), &C);
    EXPECT_EQ(X->GetIndex(), 0);
    EXPECT_EQ(A->GetIndex(), 1);
    EXPECT_EQ(B->GetID(), 1);
    EXPECT_EQ(C.FindItemID(2), X);
    EXPECT_THROW(C.Insert(4), EListError);
    EXPECT_THROW(C.GetItems(3), EListError);
    delete A; // an item leaves its collection when freed
    EXPECT_EQ(C.Count(), 2);
    EXPECT_EQ(B->GetIndex(), 1);
    B->SetIndex(0);
    EXPECT_EQ(C.GetItems(0), B);
    C.Delete(1);
    EXPECT_EQ(C.Count(), 1);
    EXPECT_EQ(C.Add()->GetID(), 3); // ids are never reused
}

TEST(Collections, AssignCopiesEveryItem)
{
    TTypedCollection<TNamedItem> Src, Dst;
    Src.Add()->Label = "one";
    Src.Add()->Label = "two";
    Dst.Add()->Label = "old";
    Dst.Assign(&Src);
    ASSERT_EQ(Dst.Count(), 2);
    EXPECT_EQ(Dst.GetItems(1)->Label, "two");
    EXPECT_EQ(Dst.GetItems(0)->GetCollection(), &Dst);
}

TEST(StringList, NamesValuesAndCaseInsensitiveSearch)
{
    TStringList L;
    L.Add("Zoom=2.5");
    L.Add("Center=10,20");
    L.Add("plain");
    EXPECT_EQ(L.IndexOf("PLAIN"), 2);
    EXPECT_EQ(L.GetValues("zoom"), "2.5");
    EXPECT_EQ(L.GetNames(1), "Center");
    EXPECT_EQ(L.GetNames(2), "");
    L.SetValues("Zoom", "3");
    EXPECT_EQ(L.Get(0), "Zoom=3");
    L.SetValues("New", "x");
    EXPECT_EQ(L.Count(), 4);
    L.SetValues("New", "");
    EXPECT_EQ(L.Count(), 3);
    EXPECT_THROW(L.Get(3), EListError);
    EXPECT_THROW(L.Insert(-1, "x"), EListError);
}

TEST(StringList, TextSplitsEveryLineBreakKindAndKeepsEmptyLines)
{
    TStringList L;
    L.SetText("a\r\nb\n\nc\rd\n");
    ASSERT_EQ(L.Count(), 5);
    EXPECT_EQ(L.Get(2), "");
    EXPECT_EQ(L.Get(4), "d");
    EXPECT_EQ(L.GetText(), "a\nb\n\nc\nd\n");
    L.SetText(std::string("x\0y", 3));
    ASSERT_EQ(L.Count(), 1);
    EXPECT_EQ(L.Get(0).size(), 3u);
    L.SetCommaText("one, \"two words\",\"say \"\"hi\"\"\",");
    ASSERT_EQ(L.Count(), 4);
    EXPECT_EQ(L.Get(2), "say \"hi\"");
    EXPECT_EQ(L.GetCommaText(), "one,\"two words\",\"say \"\"hi\"\"\",\"\"");
}

TEST(StringList, SortedListsKeepOrderAndFileRoundTrip)
{
    TStringList L;
    L.SetSorted(true);
    L.Add("pear");
    L.Add("Apple");
    L.Add("banana");
    L.Add("apple");
    EXPECT_EQ(L.GetCommaText(), "Apple,banana,pear");
    EXPECT_EQ(L.IndexOf("BANANA"), 1);
    EXPECT_THROW(L.Insert(0, "x"), EInvalidOperation);

    const std::string Path = std::string(CARTOVA_TEST_OUTPUT_DIR) + "/strings.txt";
    L.SaveToFile(Path);
    TStringList M;
    M.LoadFromFile(Path);
    EXPECT_TRUE(M.Equals(L));
    QFile::remove(QString::fromStdString(Path));
    EXPECT_THROW(M.LoadFromFile(Path), EFOpenError);
    EXPECT_EQ(M.Count(), 3); // a failed load keeps the lines
}
