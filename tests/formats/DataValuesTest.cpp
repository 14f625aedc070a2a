#include "formats/DataValues.h"

#include <gtest/gtest.h>

using namespace cartova;

TEST(DataValues, EveryKindComesBackAsStored)
{
    const std::string Long(300, 'x');
    const Variant Kinds[] = {Null,      Variant(-7),  Variant(1LL << 40),       Variant(2.5),
                             VarFromDateTime(45000.25), Variant(std::string("a\0b", 3)), Variant(Long),
                             Variant(""), Variant(true), Variant(false)};
    TDataValues V;
    int Column = 0;
    for (const Variant& K : Kinds) {
        V.Set(Column, K);
        Column += 200; // columns far apart
    }
    EXPECT_EQ(V.Count(), 10);
    // Read forwards, backwards and out of turn.
    for (int I = 0; I < 10; ++I)
        EXPECT_EQ(V.Get(I * 200), Kinds[I]) << I;
    for (int I = 9; I >= 0; --I)
        EXPECT_EQ(V.Get(I * 200), Kinds[I]) << I;
    EXPECT_EQ(V.Get(1000), Kinds[5]);
    EXPECT_TRUE(V.Get(1).IsEmpty());
    EXPECT_EQ(V.Get(0), Kinds[0]);
    EXPECT_TRUE(V.Get(1999).IsEmpty());
    EXPECT_TRUE(V.Get(-1).IsEmpty());
    EXPECT_THROW(V.Set(-1, Variant(1)), EListError);
}

TEST(DataValues, ChangesBeforeTheLastValueKeepTheOrder)
{
    TDataValues V;
    V.Set(5, Variant("five"));
    V.Set(9, Variant(9));
    V.Set(2, Variant("two"));   // before the first
    V.Set(7, Variant(7.0));     // between
    V.Set(9, Variant("nine"));  // replaced
    V.Set(5, Variant());        // removed
    V.Set(3, Variant());        // removing what is not there changes nothing
    std::vector<std::pair<int, Variant>> Seen;
    V.ForEach([&](int C, const Variant& Value) { Seen.emplace_back(C, Value); });
    const std::vector<std::pair<int, Variant>> Expected = {
        {2, Variant("two")}, {7, Variant(7.0)}, {9, Variant("nine")}};
    EXPECT_EQ(Seen, Expected);
    EXPECT_EQ(V.Get(9), Variant("nine"));
    V.Set(12, Variant(12));    // appended after the last again
    EXPECT_EQ(V.Get(12), Variant(12));
    EXPECT_EQ(V.Get(7), Variant(7.0));
    // A short value costs a few bytes, besides its text.
    EXPECT_LE(V.Size(), 64u);
    V.Clear();
    EXPECT_TRUE(V.IsEmpty());
    EXPECT_TRUE(V.Get(7).IsEmpty());
}
