#pragma once
// Attribute data: TDataField (one typed value, or one column of a schema) and
// TDataFields (an ordered, owning collection of them). A layer's collection is
// its column list; an object's holds one value per column, by index.

#include "host/Core.h"

#include <cstdint>
#include <string>

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

/// One attribute: column description (name, type, width, visibility, key flag)
/// and a variant value. DataType does not restrict what the value holds.
class TDataField : public TCollectionItem {
public:
    /// Creates the field in ACollection; Visible is true, DataType dtString, Size 0.
    explicit TDataField(TCollection* ACollection = nullptr);

    const std::string& GetName() const { return FName; }
    /// Plain store; names need not be unique.
    void SetName(const std::string& Value) { FName = Value; }
    int GetSize() const { return FSize; }
    void SetSize(int Value) { FSize = Value; }
    TDataType GetDataType() const { return FDataType; }
    /// Stores the type; a dtString field whose Size is 0 gets Size 255.
    void SetDataType(TDataType Value);
    bool GetIsPrimaryKey() const { return FIsPrimaryKey; }
    void SetIsPrimaryKey(bool Value) { FIsPrimaryKey = Value; }
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }
    const Variant& GetDefaultValue() const { return FDefaultValue; }
    void SetDefaultValue(const Variant& Value) { FDefaultValue = Value; }
    const Variant& GetValue() const { return FValue; }
    void SetValue(const Variant& Value) { FValue = Value; }

    /// Text of the value: date, time or date-time text for those types, the
    /// variant's own text otherwise.
    std::string GetAsString() const;
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
    bool FIsPrimaryKey = false;
    int FSize = 0;
    std::string FName;
    TDataType FDataType = dtString;
    Variant FDefaultValue;
    Variant FValue;
    bool FVisible = true;
};

/// An owning, ordered collection of TDataField, indexed from 0.
class TDataFields : public TCollection {
public:
    TDataFields();

    /// Field Index; EListError when out of range.
    TDataField* GetFields(int Index) const { return static_cast<TDataField*>(GetItems(Index)); }
    TDataField* operator[](int Index) const { return GetFields(Index); }
    /// Assigns Value's contents to the field at Index.
    void SetFields(int Index, const TDataField* Value) { SetItems(Index, Value); }

    /// Appends a field and sets Name, Size, then DataType: a dtString of Size 0 gets 255.
    TDataField* Add(const std::string& Name, TDataType DataType, int Size);
    /// Inserts a field at Index and sets Name, DataType, then Size: Size is kept as given.
    TDataField* Insert(int Index, const std::string& Name, TDataType DataType, int Size);
    /// The first field named Name ignoring case (AnsiCompareText); nullptr when none.
    TDataField* FieldByName(const std::string& Name) const;
    /// Number of fields whose Visible is true.
    int GetVisibleFieldCount() const;
    /// The Index-th visible field (from 0); nullptr when there are fewer.
    TDataField* GetDisplayed(int Index) const;

    // Assign (inherited): from another collection, clears this one and adds one
    // field per source field, filled by that field's AssignTo.
};

} // namespace cartova
