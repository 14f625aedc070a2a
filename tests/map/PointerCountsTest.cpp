// The flat pointer-count table behind the displayed-objects record: counts,
// removal inside runs of colliding keys, growth, clearing.
#include "map/PointerCounts.h"

#include <gtest/gtest.h>

#include <random>
#include <unordered_map>
#include <vector>

using namespace cartova;

TEST(PointerCounts, CountsAndForgetsAtZero)
{
    TPointerCounts C;
    int A = 0, B = 0;
    EXPECT_FALSE(C.Contains(&A));
    C.Decrement(&A); // absent: nothing
    C.Increment(&A);
    C.Increment(&A);
    C.Increment(&B);
    EXPECT_EQ(C.Size(), 2u);
    C.Decrement(&A);
    EXPECT_TRUE(C.Contains(&A));
    C.Decrement(&A);
    EXPECT_FALSE(C.Contains(&A));
    EXPECT_TRUE(C.Contains(&B));
    C.Clear();
    EXPECT_EQ(C.Size(), 0u);
    EXPECT_FALSE(C.Contains(&B));
}

TEST(PointerCounts, AgreesWithAMapThroughRandomAddsAndRemovals)
{
    // Keys 16 bytes apart, as objects are, many more than the first table
    // holds: growth and long probe runs with removals inside them.
    std::vector<char> Storage(16 * 5000);
    std::unordered_map<const void*, int> Expected;
    TPointerCounts C;
    std::mt19937 Random(3);
    for (int Step = 0; Step < 60000; ++Step) {
        const void* Key = &Storage[16 * (Random() % 5000)];
        if (Random() % 3 != 0) {
            C.Increment(Key);
            ++Expected[Key];
        } else {
            C.Decrement(Key);
            if (auto It = Expected.find(Key); It != Expected.end() && --It->second == 0)
                Expected.erase(It);
        }
        if (Step % 997 != 0)
            continue;
        for (std::size_t I = 0; I < 5000; ++I)
            ASSERT_EQ(C.Contains(&Storage[16 * I]), Expected.contains(&Storage[16 * I])) << "step " << Step;
    }
    EXPECT_EQ(C.Size(), Expected.size());
}
