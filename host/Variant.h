#pragma once
// Variant: a tagged value that is empty (Unassigned), null, a 32- or 64-bit
// integer, a double, a date, a string or a boolean, with the host's conversion
// rules between the kinds.

#include "host/DateTime.h"
#include "host/Exceptions.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace cartova::host {

/// The kind of a variant, with the host's type codes.
enum TVarType : std::uint16_t {
    varEmpty = 0x0000,
    varNull = 0x0001,
    varInteger = 0x0003,
    varDouble = 0x0005,
    varDate = 0x0007,
    varBoolean = 0x000B,
    varInt64 = 0x0014,
    varString = 0x0100,
};

/// A variant's value cannot be converted to the requested kind:
/// "Could not convert variant of type (String) into type (Integer)".
class EVariantTypeCastError : public EConvertError {
public:
    using EConvertError::EConvertError;
};
/// A variant's value is outside the range of the requested kind.
class EVariantOverflowError : public EConvertError {
public:
    using EConvertError::EConvertError;
};

/// Tag for constructing a date variant.
struct TVarDate {
    TDateTime Value = 0;
};
/// Tag for constructing a null variant.
struct TVarNull {
    bool operator==(const TVarNull&) const = default;
};

class Variant {
public:
    /// An empty (Unassigned) variant.
    Variant() = default;
    Variant(TVarNull) : FValue(TVarNull{}) {}
    Variant(int value) : FValue(static_cast<std::int32_t>(value)) {}
    Variant(unsigned value) : FValue(static_cast<std::int64_t>(value)) {}
    Variant(long value) : FValue(static_cast<std::int64_t>(value)) {}
    Variant(long long value) : FValue(static_cast<std::int64_t>(value)) {}
    Variant(double value) : FValue(value) {}
    Variant(TVarDate value) : FValue(TDateValue{value.Value}) {}
    Variant(const char* value) : FValue(std::string(value ? value : "")) {}
    Variant(std::string value) : FValue(std::move(value)) {}
    Variant(std::string_view value) : FValue(std::string(value)) {}
    Variant(bool value) : FValue(value) {}
    Variant(const Variant& other);
    Variant(Variant&& other) noexcept;
    Variant& operator=(const Variant& other);
    Variant& operator=(Variant&& other) noexcept;
    ~Variant();

    /// The kind of the value (varEmpty, varInteger, varString, ...).
    TVarType VarType() const;
    bool IsEmpty() const { return FValue.index() == 0; }
    bool IsNull() const { return FValue.index() == 1; }

    /// Text of the value: IntToStr, FloatToStr, DateTimeToStr, "True"/"False";
    /// empty and null give "".
    std::string AsString() const;
    /// 32-bit integer: doubles and dates round halves to even, strings are
    /// parsed (as an integer, else as a number then rounded), true is -1, empty is 0.
    int AsInteger() const;
    /// Like AsInteger with the 64-bit range.
    std::int64_t AsInt64() const;
    /// Double: strings parse with StrToFloat, true is -1, empty is 0.
    double AsDouble() const;
    /// Date: numbers as they are, strings through StrToDateTime.
    TDateTime AsDate() const;
    /// Boolean: numbers are true when non-zero, strings "True"/"False" (any case)
    /// or a number, empty is false.
    bool AsBoolean() const;

    /// Same kind and same value.
    bool operator==(const Variant& other) const = default;

private:
    struct TDateValue {
        TDateTime Value;
        bool operator==(const TDateValue&) const = default;
    };
    [[noreturn]] void RaiseCast(const char* target) const;

    std::variant<std::monostate, TVarNull, std::int32_t, std::int64_t, double, TDateValue, std::string, bool> FValue;
};

/// An empty variant and a null variant.
inline const Variant Unassigned{};
inline const Variant Null{TVarNull{}};

/// The kind of a variant.
inline TVarType VarType(const Variant& v) { return v.VarType(); }
inline bool VarIsEmpty(const Variant& v) { return v.IsEmpty(); }
inline bool VarIsNull(const Variant& v) { return v.IsNull(); }
/// The variant's text; "" for empty and null.
inline std::string VarToStr(const Variant& v) { return v.AsString(); }
/// A date variant.
inline Variant VarFromDateTime(TDateTime value) { return Variant(TVarDate{value}); }
/// The host's name of a variant kind ("Integer", "String", ...).
std::string VarTypeAsText(TVarType type);

} // namespace cartova::host

namespace cartova {
using host::TVarType;
using host::varEmpty;
using host::varNull;
using host::varInteger;
using host::varDouble;
using host::varDate;
using host::varBoolean;
using host::varInt64;
using host::varString;
using host::EVariantTypeCastError;
using host::EVariantOverflowError;
using host::TVarDate;
using host::TVarNull;
using host::Variant;
using host::Unassigned;
using host::Null;
using host::VarType;
using host::VarIsEmpty;
using host::VarIsNull;
using host::VarToStr;
using host::VarFromDateTime;
using host::VarTypeAsText;
} // namespace cartova
