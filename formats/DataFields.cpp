#include "formats/DataFields.h"

namespace cartova {

TDataField::TDataField(TCollection* ACollection) : TCollectionItem(ACollection)
{
    FVisible = true;
}

void TDataField::SetDataType(TDataType Value)
{
    FDataType = Value;
    if (Value == dtString && FSize == 0)
        FSize = 255;
}

std::string TDataField::GetAsString() const
{
    switch (FDataType) {
    case dtDateTime:
        return DateTimeToStr(FValue.AsDouble());
    case dtDate:
        return DateToStr(FValue.AsDouble());
    case dtTime:
        return TimeToStr(FValue.AsDouble());
    default:
        return VarToStr(FValue);
    }
}

void TDataField::SetAsString(const std::string& Value)
{
    FValue = Variant(Value);
}

int TDataField::GetAsInteger() const
{
    return FValue.AsInteger();
}

void TDataField::SetAsInteger(int Value)
{
    FValue = Variant(Value);
}

double TDataField::GetAsFloat() const
{
    return StrToFloat(VarToStr(FValue));
}

void TDataField::SetAsFloat(double Value)
{
    FValue = Variant(Value);
}

double TDataField::GetAsDecimal() const
{
    return FValue.AsDouble();
}

void TDataField::SetAsDecimal(double Value)
{
    FValue = Variant(Value);
}

TDateTime TDataField::GetAsDate() const
{
    return FValue.AsDouble();
}

void TDataField::SetAsDate(TDateTime Value)
{
    FValue = Variant(static_cast<double>(Value));
}

TDateTime TDataField::GetAsTime() const
{
    return FValue.AsDouble();
}

void TDataField::SetAsTime(TDateTime Value)
{
    FValue = Variant(static_cast<double>(Value));
}

TDateTime TDataField::GetAsDateTime() const
{
    return FValue.AsDouble();
}

void TDataField::SetAsDateTime(TDateTime Value)
{
    FValue = VarFromDateTime(Value);
}

std::string TDataField::GetDataTypeName() const
{
    switch (FDataType) {
    case dtString:
        return Format("Char(%D)", FSize);
    case dtFloat:
        return "Float";
    case dtDecimal:
        return "Decimal";
    case dtInteger:
        return "Integer";
    case dtSmallInt:
        return "SmallInt";
    case dtDateTime:
        return "DateTime";
    case dtDate:
        return "Date";
    case dtTime:
        return "Time";
    case dtBoolean:
        return "Logical";
    }
    return std::string();
}

void TDataField::AssignTo(TPersistent* Dest) const
{
    auto* Field = dynamic_cast<TDataField*>(Dest);
    if (!Field) {
        TCollectionItem::AssignTo(Dest);
        return;
    }
    if (Field == this)
        return;
    Field->SetIsPrimaryKey(FIsPrimaryKey);
    Field->SetSize(FSize);
    Field->SetName(FName);
    Field->SetDataType(FDataType);
    Field->SetDefaultValue(FDefaultValue);
    Field->SetValue(FValue);
    Field->SetVisible(FVisible);
}

TDataFields::TDataFields() : TCollection(CollectionItemClass<TDataField>()) {}

TDataField* TDataFields::Add(const std::string& Name, TDataType DataType, int Size)
{
    auto* Field = static_cast<TDataField*>(TCollection::Add());
    Field->SetName(Name);
    Field->SetSize(Size);
    Field->SetDataType(DataType);
    return Field;
}

TDataField* TDataFields::Insert(int Index, const std::string& Name, TDataType DataType, int Size)
{
    auto* Field = static_cast<TDataField*>(TCollection::Insert(Index));
    Field->SetName(Name);
    Field->SetDataType(DataType);
    Field->SetSize(Size);
    return Field;
}

TDataField* TDataFields::FieldByName(const std::string& Name) const
{
    for (int I = 0; I < Count(); ++I) {
        TDataField* Field = GetFields(I);
        if (AnsiCompareText(Field->GetName(), Name) == 0)
            return Field;
    }
    return nullptr;
}

int TDataFields::GetVisibleFieldCount() const
{
    int Result = 0;
    for (int I = 0; I < Count(); ++I)
        if (GetFields(I)->GetVisible())
            ++Result;
    return Result;
}

TDataField* TDataFields::GetDisplayed(int Index) const
{
    if (Index < 0)
        return nullptr;
    for (int I = 0; I < Count(); ++I) {
        TDataField* Field = GetFields(I);
        if (Field->GetVisible() && Index-- == 0)
            return Field;
    }
    return nullptr;
}

} // namespace cartova
