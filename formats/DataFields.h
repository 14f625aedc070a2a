#pragma once
// Attribute data: TDataField (one typed value, or one column of a schema) and
// TDataFields (an ordered, owning collection of them). A layer's collection is
// its column list; an object's holds one value per column, by index.
//
// A record copied from a schema (Assign, as a layer does for each object it
// adopts) shares the schema's columns and keeps only the values it holds, in
// a TDataValues: its cost is a few bytes a value, whatever the schema's width.
// Its TDataField items are made when first asked for (GetFields, FieldByName,
// GetDisplayed, Add, Insert, Delete); Count, GetColumn, GetValue, SetValue
// and GetAsString work on either form without making them. TDataFields hides
// TCollection's Count and GetItems with its own: use it as a TDataFields.

#include "formats/DataValues.h"
#include "host/Core.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace cartova {

/// Column types, in this order from 0, stored in one byte.
enum TDataType : std::uint8_t {
    dtString,
    dtFloat,
    dtDecimal,
    dtInteger,
    dtSmallInt,
    dtDateTime,
    dtDate,
    dtTime,
    dtBoolean
};

/// What a field says of its column: everything but its value.
struct TDataColumn {
    std::string Name;
    Variant DefaultValue;
    int Size = 0;
    TDataType DataType = dtString;
    bool IsPrimaryKey = false;
    bool Visible = true;
};

/// Text of Value as a field of type Type shows it: date, time or date-time
/// text for those types, the variant's own text otherwise.
std::string DataValueText(TDataType Type, const Variant& Value);

/// One attribute: column description (name, type, width, visibility, key flag)
/// and a variant value. DataType does not restrict what the value holds.
class TDataField : public TCollectionItem {
public:
    /// Creates the field in ACollection; Visible is true, DataType dtString, Size 0.
    explicit TDataField(TCollection* ACollection = nullptr);

    const std::string& GetName() const { return FColumn.Name; }
    /// Plain store; names need not be unique.
    void SetName(const std::string& Value);
    int GetSize() const { return FColumn.Size; }
    void SetSize(int Value);
    TDataType GetDataType() const { return FColumn.DataType; }
    /// Stores the type; a dtString field whose Size is 0 gets Size 255.
    void SetDataType(TDataType Value);
    bool GetIsPrimaryKey() const { return FColumn.IsPrimaryKey; }
    void SetIsPrimaryKey(bool Value);
    bool GetVisible() const { return FColumn.Visible; }
    void SetVisible(bool Value);
    const Variant& GetDefaultValue() const { return FColumn.DefaultValue; }
    void SetDefaultValue(const Variant& Value);
    const Variant& GetValue() const { return FValue; }
    void SetValue(const Variant& Value);
    /// The column description (all but the value).
    const TDataColumn& GetColumn() const { return FColumn; }

    /// Text of the value: date, time or date-time text for those types, the
    /// variant's own text otherwise.
    std::string GetAsString() const { return DataValueText(FColumn.DataType, FValue); }
    /// Stores a string variant.
    void SetAsString(const std::string& Value);
    /// The value as an integer; EConvertError when it is not one.
    int GetAsInteger() const;
    /// Stores a 32-bit integer variant.
    void SetAsInteger(int Value);
    /// StrToFloat of the value's text; EConvertError when it is not a number (empty included).
    double GetAsFloat() const;
    /// Stores a double variant.
    void SetAsFloat(double Value);
    /// The value as a double; EConvertError when it cannot be one.
    double GetAsDecimal() const;
    void SetAsDecimal(double Value);
    /// The value as a date-time double.
    TDateTime GetAsDate() const;
    /// Stores a double variant (not a date variant).
    void SetAsDate(TDateTime Value);
    TDateTime GetAsTime() const;
    /// Stores a double variant (not a date variant).
    void SetAsTime(TDateTime Value);
    TDateTime GetAsDateTime() const;
    /// Stores a date variant.
    void SetAsDateTime(TDateTime Value);

    /// "Char(<Size>)", "Float", "Decimal", "Integer", "SmallInt", "DateTime",
    /// "Date", "Time" or "Logical".
    std::string GetDataTypeName() const;

    /// Copies into a TDataField through its setters, in the order IsPrimaryKey,
    /// Size, Name, DataType, DefaultValue, Value, Visible (so a dtString of
    /// Size 0 arrives with Size 255); the host's assignment error otherwise.
    void AssignTo(TPersistent* Dest) const override;

private:
    friend class TDataFields;
    // Tells the collection that copies of it must be taken anew.
    void Modified();

    TDataColumn FColumn;
    Variant FValue;
};

/// An owning, ordered collection of TDataField, indexed from 0.
class TDataFields : public TCollection {
public:
    TDataFields();

    /// Number of fields.
    int Count() const;
    /// Field Index; EListError when out of range.
    TDataField* GetFields(int Index) const;
    TDataField* GetItems(int Index) const { return GetFields(Index); }
    TDataField* operator[](int Index) const { return GetFields(Index); }
    /// Assigns Value's contents to the field at Index.
    void SetFields(int Index, const TDataField* Value);

    /// Appends a field and sets Name, Size, then DataType: a dtString of Size 0 gets 255.
    TDataField* Add(const std::string& Name, TDataType DataType, int Size);
    /// Inserts a field at Index and sets Name, DataType, then Size: Size is kept as given.
    TDataField* Insert(int Index, const std::string& Name, TDataType DataType, int Size);
    /// Frees field Index.
    void Delete(int Index);
    /// Frees every field.
    void Clear();
    /// The first field named Name ignoring case (AnsiCompareText); nullptr when none.
    TDataField* FieldByName(const std::string& Name) const;
    /// Number of fields whose Visible is true.
    int GetVisibleFieldCount() const;
    /// The Index-th visible field (from 0); nullptr when there are fewer.
    TDataField* GetDisplayed(int Index) const;

    /// Field Index's column; EListError when out of range.
    const TDataColumn& GetColumn(int Index) const;
    /// Field Index's value; EListError when out of range.
    Variant GetValue(int Index) const;
    /// Stores Value in field Index; EListError when out of range.
    void SetValue(int Index, const Variant& Value);
    /// Field Index's value as TDataField::GetAsString gives it.
    std::string GetAsString(int Index) const { return DataValueText(GetColumn(Index).DataType, GetValue(Index)); }
    /// Gives back room left over from writing the values one by one.
    void Shrink() { FValues.Shrink(); }
    /// Bytes this record holds for its values and, when it has them, its own
    /// fields; a shared schema is not counted.
    std::size_t ValueBytes() const;

    /// From another TDataFields: this collection becomes a copy of it, one
    /// field per source field as the source field's AssignTo fills it (so a
    /// dtString of Size 0 arrives with Size 255); the copy shares the columns
    /// and holds only the values. From another collection: the host's Assign.
    void Assign(const TPersistent* Source) override;

protected:
    void Update(TCollectionItem* Item) override;
    void Notify(TCollectionItem* Item, TOperation Action) override;

private:
    friend class TDataField;
    // Columns as copies receive them, and the values the copies start with.
    struct TShared {
        std::vector<TDataColumn> Columns;
        TDataValues Values;
    };
    // What copies of this collection share (made once until it changes).
    std::shared_ptr<const TShared> Shared() const;
    // Turns a copy into one field item a column.
    void Expand() const;
    bool IsCompact() const { return FSchema != nullptr; }

    // A copy not expanded yet: the shared columns and this record's values.
    mutable std::shared_ptr<const TShared> FSchema;
    mutable TDataValues FValues;
    // What the copies taken since the last change share.
    mutable std::shared_ptr<const TShared> FCopies;
};

} // namespace cartova
