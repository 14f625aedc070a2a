#include "formats/DataFields.h"

#include <gtest/gtest.h>

using namespace cartova;

TEST(DataFields, AddAndInsertApplyTheStringSizeRuleDifferently)
{
    TDataFields F;
    EXPECT_EQ(F.Add("name", dtString, 0)->GetSize(), 255);
    EXPECT_EQ(F.Add("area", dtFloat, 0)->GetSize(), 0);
    EXPECT_EQ(F.Add("code", dtString, 12)->GetSize(), 12);
    TDataField* Inserted = F.Insert(0, "key", dtString, 0);
    EXPECT_EQ(Inserted->GetSize(), 0);
    EXPECT_EQ(F.GetFields(0), Inserted);
    EXPECT_EQ(F.GetFields(1)->GetName(), "name");

    TDataField* Code = F.GetFields(3);
    Code->SetDataType(dtString);
    EXPECT_EQ(Code->GetSize(), 12);
    EXPECT_EQ(Code->GetDataTypeName(), "Char(12)");
    EXPECT_EQ(F.GetFields(1)->GetDataTypeName(), "Char(255)");
    EXPECT_EQ(F.GetFields(2)->GetDataTypeName(), "Float");
    EXPECT_THROW(F.GetFields(4), EListError);
    EXPECT_THROW(F.Insert(6, "x", dtInteger, 0), EListError);
}

TEST(DataFields, CopyingASchemaGoesThroughTheSetters)
{
    TDataFields Schema;
    Schema.Insert(0, "key", dtString, 0)->SetIsPrimaryKey(true);
    TDataField* Pop = Schema.Add("pop", dtInteger, 10);
    Pop->SetVisible(false);
    Pop->SetDefaultValue(Variant(7));
    Pop->SetAsInteger(42);

    TDataFields Copy;
    Copy.Add("stale", dtFloat, 0);
    Copy.Assign(&Schema);
    ASSERT_EQ(Copy.Count(), 2);
    EXPECT_EQ(Copy[0]->GetSize(), 255); // Size is set before DataType
    EXPECT_EQ(Schema[0]->GetSize(), 0);
    EXPECT_TRUE(Copy[0]->GetIsPrimaryKey());
    EXPECT_EQ(Copy[1]->GetName(), "pop");
    EXPECT_EQ(Copy[1]->GetDataType(), dtInteger);
    EXPECT_EQ(Copy[1]->GetSize(), 10);
    EXPECT_FALSE(Copy[1]->GetVisible());
    EXPECT_EQ(Copy[1]->GetDefaultValue(), Variant(7));
    EXPECT_EQ(Copy[1]->GetAsInteger(), 42);

    // Fields[i] write copies contents; a foreign class is refused.
    Copy.SetFields(0, Schema[1]);
    EXPECT_EQ(Copy[0]->GetName(), "pop");
    TCollection Other(CollectionItemClass<TCollectionItem>());
    EXPECT_THROW(Schema[0]->AssignTo(Other.Add()), EConvertError);
}

TEST(DataFields, LookupByNameAndVisibility)
{
    TDataFields F;
    F.Add("A", dtString, 5);
    F.Add("NAME", dtString, 5)->SetVisible(false);
    F.Add("C", dtString, 5);
    F.Add("Name", dtInteger, 0);
    EXPECT_EQ(F.FieldByName("name"), F[1]);
    EXPECT_EQ(F.FieldByName("missing"), nullptr);
    EXPECT_EQ(F.GetVisibleFieldCount(), 3);
    EXPECT_EQ(F.GetDisplayed(0), F[0]);
    EXPECT_EQ(F.GetDisplayed(1), F[2]);
    EXPECT_EQ(F.GetDisplayed(2), F[3]);
    EXPECT_EQ(F.GetDisplayed(3), nullptr);
    EXPECT_EQ(F.GetDisplayed(-1), nullptr);
}

TEST(DataFields, TypedAccessStoresItsOwnVariantKind)
{
    TDataFields F;
    TDataField* D = F.Add("d", dtDate, 0);
    D->SetAsFloat(0);
    EXPECT_EQ(D->GetAsString(), "1899-12-30");
    D->SetDataType(dtFloat);
    EXPECT_EQ(D->GetAsString(), "0");

    const TDateTime When = EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 0, 0);
    D->SetAsDate(When);
    EXPECT_EQ(D->GetValue().VarType(), varDouble);
    EXPECT_DOUBLE_EQ(D->GetAsDateTime(), When);
    D->SetAsDateTime(When);
    EXPECT_EQ(D->GetValue().VarType(), varDate);
    EXPECT_DOUBLE_EQ(D->GetAsDateTime(), When);
    D->SetDataType(dtDateTime);
    EXPECT_EQ(D->GetAsString(), "2024-03-05 14:30:00");
    D->SetDataType(dtTime);
    EXPECT_EQ(D->GetAsString(), "14:30:00");
    D->SetAsTime(0.5);
    EXPECT_EQ(D->GetValue().VarType(), varDouble);

    D->SetDataType(dtInteger);
    D->SetAsInteger(5);
    EXPECT_EQ(D->GetValue().VarType(), varInteger);
    EXPECT_DOUBLE_EQ(D->GetAsFloat(), 5);
    // The declared type does not restrict what is stored; text is read as a number.
    D->SetAsString("12.5");
    EXPECT_EQ(D->GetValue().VarType(), varString);
    EXPECT_DOUBLE_EQ(D->GetAsFloat(), 12.5);
    EXPECT_DOUBLE_EQ(D->GetAsDecimal(), 12.5);
    EXPECT_EQ(D->GetAsString(), "12.5");

    // Unconvertible values raise conversion errors for the caller to catch.
    D->SetAsString("abc");
    EXPECT_THROW(D->GetAsInteger(), EConvertError);
    EXPECT_THROW(D->GetAsFloat(), EConvertError);
    D->SetValue(Variant());
    EXPECT_THROW(D->GetAsFloat(), EConvertError);
    EXPECT_EQ(D->GetAsInteger(), 0);

    TDataField* B = F.Add("b", dtBoolean, 0);
    EXPECT_EQ(B->GetDataTypeName(), "Logical");
    B->SetValue(Variant(true));
    EXPECT_EQ(B->GetAsString(), "True");
}

TEST(DataFields, CopiesShareTheColumnsAndHoldOnlyTheirValues)
{
    TDataFields Schema;
    Schema.Add("name", dtString, 0);
    Schema.Add("pop", dtInteger, 0);
    Schema.Add("born", dtDate, 0)->SetVisible(false);

    TDataFields A;
    A.Assign(&Schema);
    EXPECT_EQ(A.ValueBytes(), 0u);
    A.SetValue(2, Variant(2.0));
    A.SetValue(0, Variant("Oslo"));
    EXPECT_THROW(A.SetValue(3, Variant(1)), EListError);
    EXPECT_THROW(A.GetValue(-1), EListError);
    EXPECT_LT(A.ValueBytes(), 32u);
    EXPECT_EQ(A.GetAsString(2), DateToStr(2.0)); // shown as its column's type
    EXPECT_EQ(A.GetVisibleFieldCount(), 2);

    // The schema changes after the copy: the copy keeps what it was given.
    Schema.GetFields(0)->SetName("city");
    Schema.Add("area", dtFloat, 0);
    TDataFields B;
    B.Assign(&Schema);
    EXPECT_EQ(A.Count(), 3);
    EXPECT_EQ(A.GetColumn(0).Name, "name");
    EXPECT_EQ(B.Count(), 4);
    EXPECT_EQ(B.GetColumn(0).Name, "city");
    EXPECT_TRUE(B.GetValue(0).IsEmpty());

    // A copy of a copy has its values; asking for a field item gives every
    // field its column and value, and the field then works as any other.
    TDataFields C;
    C.Assign(&A);
    EXPECT_EQ(C.FieldByName("NAME"), C[0]);
    EXPECT_EQ(C[0]->GetAsString(), "Oslo");
    EXPECT_EQ(C[0]->GetSize(), 255);
    EXPECT_EQ(C[2]->GetValue(), Variant(2.0));
    EXPECT_FALSE(C[2]->GetVisible());
    C[1]->SetAsInteger(5);
    EXPECT_EQ(C.GetValue(1), Variant(5));
    EXPECT_TRUE(A.GetValue(1).IsEmpty());
    C.Add("extra", dtInteger, 0);
    EXPECT_EQ(C.Count(), 4);

    // An item's change reaches copies taken after it.
    A.GetFields(1)->SetAsInteger(9);
    TDataFields D;
    D.Assign(&A);
    EXPECT_EQ(D.GetValue(1), Variant(9));
    D.Clear();
    EXPECT_EQ(D.Count(), 0);
    EXPECT_THROW(D.GetFields(0), EListError);
}
