#include "formats/DataFields.h"

namespace cartova {

std::string DataValueText(TDataType Type, const Variant& Value)
{
    switch (Type) {
    case dtDateTime:
        return DateTimeToStr(Value.AsDouble());
    case dtDate:
        return DateToStr(Value.AsDouble());
    case dtTime:
        return TimeToStr(Value.AsDouble());
    default:
        return VarToStr(Value);
    }
}

TDataField::TDataField(TCollection* ACollection) : TCollectionItem(ACollection)
{
    FColumn.Visible = true;
}

void TDataField::Modified()
{
    if (auto* Owner = dynamic_cast<TDataFields*>(GetCollection()))
        Owner->FCopies.reset();
}

void TDataField::SetName(const std::string& Value)
{
    FColumn.Name = Value;
    Modified();
}

void TDataField::SetSize(int Value)
{
    FColumn.Size = Value;
    Modified();
}

void TDataField::SetDataType(TDataType Value)
{
    FColumn.DataType = Value;
    if (Value == dtString && FColumn.Size == 0)
        FColumn.Size = 255;
    Modified();
}

void TDataField::SetIsPrimaryKey(bool Value)
{
    FColumn.IsPrimaryKey = Value;
    Modified();
}

void TDataField::SetVisible(bool Value)
{
    FColumn.Visible = Value;
    Modified();
}

void TDataField::SetDefaultValue(const Variant& Value)
{
    FColumn.DefaultValue = Value;
    Modified();
}

void TDataField::SetValue(const Variant& Value)
{
    FValue = Value;
    Modified();
}

void TDataField::SetAsString(const std::string& Value)
{
    SetValue(Variant(Value));
}

int TDataField::GetAsInteger() const
{
    return FValue.AsInteger();
}

void TDataField::SetAsInteger(int Value)
{
    SetValue(Variant(Value));
}

double TDataField::GetAsFloat() const
{
    return StrToFloat(VarToStr(FValue));
}

void TDataField::SetAsFloat(double Value)
{
    SetValue(Variant(Value));
}

double TDataField::GetAsDecimal() const
{
    return FValue.AsDouble();
}

void TDataField::SetAsDecimal(double Value)
{
    SetValue(Variant(Value));
}

TDateTime TDataField::GetAsDate() const
{
    return FValue.AsDouble();
}

void TDataField::SetAsDate(TDateTime Value)
{
    SetValue(Variant(static_cast<double>(Value)));
}

TDateTime TDataField::GetAsTime() const
{
    return FValue.AsDouble();
}

void TDataField::SetAsTime(TDateTime Value)
{
    SetValue(Variant(static_cast<double>(Value)));
}

TDateTime TDataField::GetAsDateTime() const
{
    return FValue.AsDouble();
}

void TDataField::SetAsDateTime(TDateTime Value)
{
    SetValue(VarFromDateTime(Value));
}

std::string TDataField::GetDataTypeName() const
{
    switch (FColumn.DataType) {
    case dtString:
        return Format("Char(%D)", FColumn.Size);
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
    Field->SetIsPrimaryKey(FColumn.IsPrimaryKey);
    Field->SetSize(FColumn.Size);
    Field->SetName(FColumn.Name);
    Field->SetDataType(FColumn.DataType);
    Field->SetDefaultValue(FColumn.DefaultValue);
    Field->SetValue(FValue);
    Field->SetVisible(FColumn.Visible);
}

TDataFields::TDataFields() : TCollection(CollectionItemClass<TDataField>()) {}

int TDataFields::Count() const
{
    return FSchema ? static_cast<int>(FSchema->Columns.size()) : TCollection::Count();
}

TDataField* TDataFields::GetFields(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError::OutOfBounds(Index);
    Expand();
    return static_cast<TDataField*>(TCollection::GetItems(Index));
}

void TDataFields::SetFields(int Index, const TDataField* Value)
{
    GetFields(Index)->Assign(Value);
}

TDataField* TDataFields::Add(const std::string& Name, TDataType DataType, int Size)
{
    Expand();
    auto* Field = static_cast<TDataField*>(TCollection::Add());
    Field->SetName(Name);
    Field->SetSize(Size);
    Field->SetDataType(DataType);
    return Field;
}

TDataField* TDataFields::Insert(int Index, const std::string& Name, TDataType DataType, int Size)
{
    Expand();
    auto* Field = static_cast<TDataField*>(TCollection::Insert(Index));
    Field->SetName(Name);
    Field->SetDataType(DataType);
    Field->SetSize(Size);
    return Field;
}

void TDataFields::Delete(int Index)
{
    Expand();
    TCollection::Delete(Index);
}

void TDataFields::Clear()
{
    FSchema.reset();
    FValues.Clear();
    FCopies.reset();
    TCollection::Clear();
}

TDataField* TDataFields::FieldByName(const std::string& Name) const
{
    for (int I = 0; I < Count(); ++I)
        if (AnsiCompareText(GetColumn(I).Name, Name) == 0)
            return GetFields(I);
    return nullptr;
}

int TDataFields::GetVisibleFieldCount() const
{
    int Result = 0;
    for (int I = 0; I < Count(); ++I)
        if (GetColumn(I).Visible)
            ++Result;
    return Result;
}

TDataField* TDataFields::GetDisplayed(int Index) const
{
    if (Index < 0)
        return nullptr;
    for (int I = 0; I < Count(); ++I)
        if (GetColumn(I).Visible && Index-- == 0)
            return GetFields(I);
    return nullptr;
}

const TDataColumn& TDataFields::GetColumn(int Index) const
{
    if (!FSchema)
        return static_cast<TDataField*>(TCollection::GetItems(Index))->GetColumn();
    if (Index < 0 || Index >= Count())
        throw EListError::OutOfBounds(Index);
    return FSchema->Columns[static_cast<std::size_t>(Index)];
}

Variant TDataFields::GetValue(int Index) const
{
    if (!FSchema)
        return static_cast<TDataField*>(TCollection::GetItems(Index))->GetValue();
    if (Index < 0 || Index >= Count())
        throw EListError::OutOfBounds(Index);
    return FValues.Get(Index);
}

void TDataFields::SetValue(int Index, const Variant& Value)
{
    if (!FSchema) {
        static_cast<TDataField*>(TCollection::GetItems(Index))->SetValue(Value);
        return;
    }
    if (Index < 0 || Index >= Count())
        throw EListError::OutOfBounds(Index);
    FValues.Set(Index, Value);
    FCopies.reset();
}

std::size_t TDataFields::ValueBytes() const
{
    if (FSchema)
        return FValues.Size();
    // A field item: the object, its slot in the list and what its texts hold.
    std::size_t Bytes = 0;
    for (int I = 0; I < TCollection::Count(); ++I) {
        const auto* F = static_cast<const TDataField*>(TCollection::GetItems(I));
        Bytes += sizeof(TDataField) + sizeof(void*) + F->GetName().capacity();
    }
    return Bytes;
}

std::shared_ptr<const TDataFields::TShared> TDataFields::Shared() const
{
    if (FCopies)
        return FCopies;
    if (FSchema && FValues == FSchema->Values)
        return FCopies = FSchema;
    auto S = std::make_shared<TShared>();
    const int N = Count();
    S->Columns.reserve(static_cast<std::size_t>(N));
    for (int I = 0; I < N; ++I) {
        TDataColumn C = GetColumn(I);
        // As TDataField::AssignTo copies: Size before DataType.
        if (C.DataType == dtString && C.Size == 0)
            C.Size = 255;
        S->Columns.push_back(std::move(C));
        S->Values.Set(I, GetValue(I));
    }
    S->Values.Shrink();
    FCopies = S;
    return FCopies;
}

void TDataFields::Expand() const
{
    if (!FSchema)
        return;
    const std::shared_ptr<const TShared> Schema = std::move(FSchema);
    FSchema.reset();
    auto* Self = const_cast<TDataFields*>(this);
    Self->BeginUpdate();
    for (std::size_t I = 0; I < Schema->Columns.size(); ++I) {
        auto* Field = static_cast<TDataField*>(Self->TCollection::Add());
        Field->FColumn = Schema->Columns[I];
        Field->FValue = FValues.Get(static_cast<int>(I));
    }
    FValues.Clear();
    Self->EndUpdate();
}

void TDataFields::Assign(const TPersistent* Source)
{
    const auto* Other = dynamic_cast<const TDataFields*>(Source);
    if (!Other) {
        TCollection::Assign(Source);
        return;
    }
    if (Other == this)
        return;
    std::shared_ptr<const TShared> Schema;
    TDataValues Values;
    if (Other->FSchema) {
        Schema = Other->FSchema;
        Values = Other->FValues;
    } else {
        Schema = Other->Shared();
        Values = Schema->Values;
    }
    BeginUpdate();
    TCollection::Clear();
    FCopies.reset();
    FSchema = std::move(Schema);
    FValues = std::move(Values);
    EndUpdate();
}

void TDataFields::Update(TCollectionItem* Item)
{
    FCopies.reset();
    TCollection::Update(Item);
}

void TDataFields::Notify(TCollectionItem* Item, TOperation Action)
{
    FCopies.reset();
    TCollection::Notify(Item, Action);
}

} // namespace cartova
