#include "host/Guid.h"

#include "host/Exceptions.h"

#include <cstdio>

namespace cartova::host {

namespace {

int HexDigit(char C)
{
    if (C >= '0' && C <= '9')
        return C - '0';
    if (C >= 'a' && C <= 'f')
        return C - 'a' + 10;
    if (C >= 'A' && C <= 'F')
        return C - 'A' + 10;
    return -1;
}

} // namespace

TGUID StringToGUID(std::string_view Text)
{
    // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}: 38 characters.
    const auto Fail = [Text]() -> TGUID {
        throw EConvertError("'" + std::string(Text) + "' is not a valid GUID value");
    };
    if (Text.size() != 38 || Text.front() != '{' || Text.back() != '}' || Text[9] != '-' ||
        Text[14] != '-' || Text[19] != '-' || Text[24] != '-')
        return Fail();
    std::size_t Pos = 1;
    // Reads Digits hex digits at Pos, skipping one '-' first when present there.
    const auto Read = [&](int Digits, std::uint64_t& Value) {
        if (Text[Pos] == '-')
            ++Pos;
        Value = 0;
        for (int I = 0; I < Digits; ++I, ++Pos) {
            const int D = HexDigit(Text[Pos]);
            if (D < 0)
                return false;
            Value = Value * 16 + static_cast<unsigned>(D);
        }
        return true;
    };
    TGUID Result;
    std::uint64_t V = 0;
    if (!Read(8, V))
        return Fail();
    Result.D1 = static_cast<std::uint32_t>(V);
    if (!Read(4, V))
        return Fail();
    Result.D2 = static_cast<std::uint16_t>(V);
    if (!Read(4, V))
        return Fail();
    Result.D3 = static_cast<std::uint16_t>(V);
    for (std::size_t I = 0; I < 8; ++I) {
        if (!Read(2, V))
            return Fail();
        Result.D4[I] = static_cast<std::uint8_t>(V);
    }
    if (Pos != 37)
        return Fail();
    return Result;
}

std::string GUIDToString(const TGUID& Guid)
{
    char Buffer[40];
    std::snprintf(Buffer, sizeof Buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(Guid.D1), static_cast<unsigned>(Guid.D2),
                  static_cast<unsigned>(Guid.D3), Guid.D4[0], Guid.D4[1], Guid.D4[2], Guid.D4[3],
                  Guid.D4[4], Guid.D4[5], Guid.D4[6], Guid.D4[7]);
    return Buffer;
}

} // namespace cartova::host
