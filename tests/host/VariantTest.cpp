// The Variant value type and its conversion rules.
#include "host/Variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace cartova;

TEST(Variant, KindsAndTests)
{
    EXPECT_TRUE(VarIsEmpty(Variant()));
    EXPECT_TRUE(VarIsNull(Null));
    EXPECT_FALSE(VarIsEmpty(Null));
    EXPECT_EQ(VarType(Variant(5)), varInteger);
    EXPECT_EQ(VarType(Variant(std::int64_t(5))), varInt64);
    EXPECT_EQ(VarType(Variant(2.5)), varDouble);
    EXPECT_EQ(VarType(VarFromDateTime(2.5)), varDate);
    EXPECT_EQ(VarType(Variant("x")), varString);
    EXPECT_EQ(VarType(Variant(true)), varBoolean);
    EXPECT_EQ(Variant(2.5), Variant(2.5));
    EXPECT_NE(Variant(2.5), VarFromDateTime(2.5));
}

TEST(Variant, ToText)
{
    EXPECT_EQ(VarToStr(Unassigned), "");
    EXPECT_EQ(VarToStr(Null), "");
    EXPECT_EQ(VarToStr(Variant(-42)), "-42");
    EXPECT_EQ(VarToStr(Variant(0.1 + 0.2)), "0.3");
    EXPECT_EQ(VarToStr(Variant(0.0)), "0");
    EXPECT_EQ(VarToStr(VarFromDateTime(0.0)), "1899-12-30"); // no time part, no time
    EXPECT_EQ(VarToStr(VarFromDateTime(EncodeDate(2024, 3, 5) + 0.5)), "2024-03-05 12:00:00");
    EXPECT_EQ(VarToStr(Variant(true)), "True");
    EXPECT_EQ(VarToStr(Variant(false)), "False");
    EXPECT_EQ(VarToStr(Variant(std::string("a\0b", 3))), std::string("a\0b", 3));
}

TEST(Variant, ToNumbers)
{
    EXPECT_EQ(Variant(2.5).AsInteger(), 2); // halves to even
    EXPECT_EQ(Variant(3.5).AsInteger(), 4);
    EXPECT_EQ(Variant(-2.5).AsInteger(), -2);
    EXPECT_EQ(Variant(" 12").AsInteger(), 12);
    EXPECT_EQ(Variant("12.5").AsInteger(), 12);
    EXPECT_EQ(Variant(true).AsInteger(), -1);
    EXPECT_EQ(Unassigned.AsInteger(), 0);
    EXPECT_EQ(Variant(std::int64_t(1) << 40).AsInt64(), std::int64_t(1) << 40);
    EXPECT_DOUBLE_EQ(Variant("12.5").AsDouble(), 12.5);
    EXPECT_DOUBLE_EQ(Variant(7).AsDouble(), 7.0);
    EXPECT_DOUBLE_EQ(VarFromDateTime(1.25).AsDate(), 1.25);
    EXPECT_DOUBLE_EQ(Variant("1899-12-31 06:00:00").AsDate(), 1.25);
    EXPECT_TRUE(Variant("TRUE").AsBoolean());
    EXPECT_FALSE(Variant("0").AsBoolean());
    EXPECT_TRUE(Variant(0.5).AsBoolean());
}

TEST(Variant, FailedConversionsName)
{
    try {
        Variant("abc").AsInteger();
        FAIL();
    } catch (const EVariantTypeCastError& e) {
        EXPECT_STREQ(e.what(), "Could not convert variant of type (String) into type (Integer)");
    }
    EXPECT_THROW(Variant("abc").AsDouble(), EConvertError);
    EXPECT_THROW(Variant("").AsDouble(), EConvertError);
    EXPECT_THROW(Null.AsInteger(), EVariantTypeCastError);
    EXPECT_THROW(Null.AsBoolean(), EVariantTypeCastError);
    EXPECT_THROW(Variant("yes").AsBoolean(), EVariantTypeCastError);
    EXPECT_THROW(Variant("x").AsDate(), EVariantTypeCastError);
    EXPECT_THROW(Variant(3e9).AsInteger(), EVariantOverflowError);
    EXPECT_THROW(Variant(std::nan("")).AsInt64(), EVariantOverflowError);
    EXPECT_THROW(Variant(std::int64_t(1) << 40).AsInteger(), EVariantOverflowError);
}
