#include "formats/DataValues.h"

#include <cstring>
#include <utility>
#include <vector>

namespace cartova {

namespace {

enum TKind : char { kNull, kInteger, kInt64, kDouble, kDate, kString, kFalse, kTrue, kEmptyString };

void PutNumber(std::string& Out, std::uint64_t N)
{
    while (N >= 0x80) {
        Out.push_back(static_cast<char>((N & 0x7F) | 0x80));
        N >>= 7;
    }
    Out.push_back(static_cast<char>(N));
}

std::uint64_t GetNumber(const std::string& In, std::size_t& At)
{
    std::uint64_t N = 0;
    for (int Shift = 0;; Shift += 7) {
        const auto B = static_cast<unsigned char>(In[At++]);
        N |= static_cast<std::uint64_t>(B & 0x7F) << Shift;
        if (!(B & 0x80))
            return N;
    }
}

template <typename T>
void PutRaw(std::string& Out, T Value)
{
    char Buf[sizeof(T)];
    std::memcpy(Buf, &Value, sizeof(T));
    Out.append(Buf, sizeof(T));
}

template <typename T>
T GetRaw(const std::string& In, std::size_t& At)
{
    T Value;
    std::memcpy(&Value, In.data() + At, sizeof(T));
    At += sizeof(T);
    return Value;
}

} // namespace

std::size_t TDataValues::Size() const
{
    // A short buffer lives inside the string itself.
    static const std::size_t Inside = std::string().capacity();
    return FBytes.capacity() > Inside ? FBytes.capacity() + 1 : 0;
}

int TDataValues::Count() const
{
    int N = 0;
    ForEach([&N](int, const Variant&) { ++N; });
    return N;
}

std::uint32_t TDataValues::Advance(std::uint32_t Column, bool First, std::size_t& At) const
{
    const auto Delta = static_cast<std::uint32_t>(GetNumber(FBytes, At));
    return First ? Delta : Column + Delta;
}

Variant TDataValues::Decode(std::size_t& At) const
{
    switch (static_cast<TKind>(FBytes[At++])) {
    case kNull: return Null;
    case kInteger: return Variant(GetRaw<std::int32_t>(FBytes, At));
    case kInt64: return Variant(static_cast<long long>(GetRaw<std::int64_t>(FBytes, At)));
    case kDouble: return Variant(GetRaw<double>(FBytes, At));
    case kDate: return VarFromDateTime(GetRaw<double>(FBytes, At));
    case kString: {
        const auto Length = static_cast<std::size_t>(GetNumber(FBytes, At));
        Variant Text(std::string_view(FBytes).substr(At, Length));
        At += Length;
        return Text;
    }
    case kFalse: return Variant(false);
    case kTrue: return Variant(true);
    case kEmptyString: return Variant(std::string());
    }
    return Variant();
}

void TDataValues::Skip(std::size_t& At) const
{
    switch (static_cast<TKind>(FBytes[At++])) {
    case kInteger: At += 4; break;
    case kInt64:
    case kDouble:
    case kDate: At += 8; break;
    case kString: At += static_cast<std::size_t>(GetNumber(FBytes, At)); break;
    default: break;
    }
}

Variant TDataValues::Get(int Column) const
{
    if (Column < 0 || FBytes.empty() || static_cast<std::uint32_t>(Column) > FLast)
        return Variant();
    const auto Wanted = static_cast<std::uint32_t>(Column);
    // The cursor stands at a value whose column is past the one read before it.
    std::size_t At = 0;
    std::uint32_t Previous = 0;
    bool First = true;
    if (FCursorAt > 0 && FCursorColumn < Wanted) {
        At = FCursorAt;
        Previous = FCursorColumn;
        First = false;
    }
    while (At < FBytes.size()) {
        const std::size_t Start = At;
        const std::uint32_t C = Advance(Previous, First, At);
        if (C > Wanted) {
            // Not stored; the next read of a later column starts here.
            FCursorAt = static_cast<std::uint32_t>(Start);
            FCursorColumn = First ? 0 : Previous;
            if (First)
                FCursorAt = 0;
            return Variant();
        }
        if (C == Wanted) {
            Variant Value = Decode(At);
            FCursorAt = static_cast<std::uint32_t>(At);
            FCursorColumn = C;
            return Value;
        }
        Skip(At);
        Previous = C;
        First = false;
    }
    return Variant();
}

void TDataValues::Append(std::uint32_t Column, const Variant& Value)
{
    PutNumber(FBytes, FBytes.empty() ? Column : Column - FLast);
    FLast = Column;
    switch (Value.VarType()) {
    case varNull: FBytes.push_back(kNull); break;
    case varInteger:
        FBytes.push_back(kInteger);
        PutRaw<std::int32_t>(FBytes, Value.AsInteger());
        break;
    case varInt64:
        FBytes.push_back(kInt64);
        PutRaw<std::int64_t>(FBytes, Value.AsInt64());
        break;
    case varDouble:
        FBytes.push_back(kDouble);
        PutRaw<double>(FBytes, Value.AsDouble());
        break;
    case varDate:
        FBytes.push_back(kDate);
        PutRaw<double>(FBytes, Value.AsDate());
        break;
    case varBoolean: FBytes.push_back(Value.AsBoolean() ? kTrue : kFalse); break;
    default: { // varString
        const std::string Text = Value.AsString();
        if (Text.empty()) {
            FBytes.push_back(kEmptyString);
            break;
        }
        FBytes.push_back(kString);
        PutNumber(FBytes, Text.size());
        FBytes += Text;
        break;
    }
    }
}

void TDataValues::Set(int Column, const Variant& Value)
{
    if (Column < 0)
        throw EListError::OutOfBounds(Column);
    const auto C = static_cast<std::uint32_t>(Column);
    if (FBytes.empty() || C > FLast) {
        if (!Value.IsEmpty())
            Append(C, Value);
        return;
    }
    // Before the last value: written anew with this one in its place.
    std::vector<std::pair<std::uint32_t, Variant>> All;
    bool Placed = false;
    ForEach([&](int At, const Variant& Old) {
        const auto A = static_cast<std::uint32_t>(At);
        if (!Placed && A >= C) {
            Placed = true;
            if (!Value.IsEmpty())
                All.emplace_back(C, Value);
            if (A == C)
                return;
        }
        All.emplace_back(A, Old);
    });
    Clear();
    for (const auto& [A, V] : All)
        Append(A, V);
}

void TDataValues::Clear()
{
    FBytes.clear();
    FLast = 0;
    FCursorAt = 0;
    FCursorColumn = 0;
}

} // namespace cartova
