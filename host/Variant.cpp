#include "host/Variant.h"

#include "host/StrUtils.h"
#include "host/SysUtils.h"

#include <cmath>

namespace cartova::host {

namespace {
template <class... F>
struct TVisitor : F... {
    using F::operator()...;
};
template <class... F>
TVisitor(F...) -> TVisitor<F...>;
} // namespace

std::string VarTypeAsText(TVarType type)
{
    switch (type) {
    case varEmpty: return "Empty";
    case varNull: return "Null";
    case varInteger: return "Integer";
    case varDouble: return "Double";
    case varDate: return "Date";
    case varBoolean: return "Boolean";
    case varInt64: return "Int64";
    case varString: return "String";
    }
    return "Unknown";
}

// Out of line: inlined, GCC 12 warns of a possibly uninitialised string
// alternative when a temporary variant is destroyed.
Variant::Variant(const Variant& other) = default;
Variant::Variant(Variant&& other) noexcept = default;
Variant& Variant::operator=(const Variant& other) = default;
Variant& Variant::operator=(Variant&& other) noexcept = default;
Variant::~Variant() = default;

TVarType Variant::VarType() const
{
    static constexpr TVarType kinds[] = {varEmpty, varNull, varInteger, varInt64,
                                         varDouble, varDate, varString, varBoolean};
    return kinds[FValue.index()];
}

void Variant::RaiseCast(const char* target) const
{
    throw EVariantTypeCastError("Could not convert variant of type (" + VarTypeAsText(VarType()) +
                                ") into type (" + target + ")");
}

std::string Variant::AsString() const
{
    return std::visit(TVisitor{
                          [](std::monostate) { return std::string(); },
                          [](TVarNull) { return std::string(); },
                          [](std::int32_t v) { return IntToStr(v); },
                          [](std::int64_t v) { return IntToStr(v); },
                          [](double v) { return FloatToStr(v); },
                          [](const TDateValue& v) { return DateTimeToStr(v.Value); },
                          [](const std::string& v) { return v; },
                          [](bool v) { return std::string(v ? "True" : "False"); },
                      },
                      FValue);
}

std::int64_t Variant::AsInt64() const
{
    // Rounds halves to even; values outside the 64-bit range overflow.
    const auto fromDouble = [this](double v) -> std::int64_t {
        const double r = std::nearbyint(v);
        if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0))
            throw EVariantOverflowError("Overflow while converting variant of type (" +
                                        VarTypeAsText(VarType()) + ") into type (Int64)");
        return static_cast<std::int64_t>(r);
    };
    return std::visit(TVisitor{
                          [](std::monostate) -> std::int64_t { return 0; },
                          [this](TVarNull) -> std::int64_t { RaiseCast("Int64"); },
                          [](std::int32_t v) -> std::int64_t { return v; },
                          [](std::int64_t v) { return v; },
                          [&](double v) { return fromDouble(v); },
                          [&](const TDateValue& v) { return fromDouble(v.Value); },
                          [&](const std::string& v) -> std::int64_t {
                              std::int64_t i;
                              if (TryStrToInt64(v, i))
                                  return i;
                              double d;
                              if (TryStrToFloat(v, d))
                                  return fromDouble(d);
                              RaiseCast("Int64");
                          },
                          [](bool v) -> std::int64_t { return v ? -1 : 0; },
                      },
                      FValue);
}

int Variant::AsInteger() const
{
    std::int64_t v;
    try {
        v = AsInt64();
    } catch (const EVariantTypeCastError&) {
        RaiseCast("Integer");
    } catch (const EVariantOverflowError&) {
        v = INT64_MAX;
    }
    if (v < INT32_MIN || v > INT32_MAX)
        throw EVariantOverflowError("Overflow while converting variant of type (" + VarTypeAsText(VarType()) +
                                    ") into type (Integer)");
    return static_cast<int>(v);
}

double Variant::AsDouble() const
{
    return std::visit(TVisitor{
                          [](std::monostate) { return 0.0; },
                          [this](TVarNull) -> double { RaiseCast("Double"); },
                          [](std::int32_t v) { return static_cast<double>(v); },
                          [](std::int64_t v) { return static_cast<double>(v); },
                          [](double v) { return v; },
                          [](const TDateValue& v) { return v.Value; },
                          [this](const std::string& v) -> double {
                              double d;
                              if (!TryStrToFloat(v, d))
                                  RaiseCast("Double");
                              return d;
                          },
                          [](bool v) { return v ? -1.0 : 0.0; },
                      },
                      FValue);
}

TDateTime Variant::AsDate() const
{
    if (const auto* s = std::get_if<std::string>(&FValue)) {
        TDateTime d;
        if (!TryStrToDateTime(*s, d))
            RaiseCast("Date");
        return d;
    }
    if (IsNull())
        RaiseCast("Date");
    return AsDouble();
}

bool Variant::AsBoolean() const
{
    return std::visit(TVisitor{
                          [](std::monostate) { return false; },
                          [this](TVarNull) -> bool { RaiseCast("Boolean"); },
                          [](std::int32_t v) { return v != 0; },
                          [](std::int64_t v) { return v != 0; },
                          [](double v) { return v != 0; },
                          [](const TDateValue& v) { return v.Value != 0; },
                          [this](const std::string& v) -> bool {
                              if (SameText(Trim(v), "True"))
                                  return true;
                              if (SameText(Trim(v), "False"))
                                  return false;
                              double d;
                              if (!TryStrToFloat(v, d))
                                  RaiseCast("Boolean");
                              return d != 0;
                          },
                          [](bool v) { return v; },
                      },
                      FValue);
}

} // namespace cartova::host
