#include "apps/cartova/Json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace cartova::cli {

namespace {

// The length of the valid UTF-8 sequence at Text[At], or 0 when the byte
// there does not start one.
std::size_t Utf8SequenceLength(const std::string& Text, std::size_t At)
{
    const auto Byte = [&](std::size_t I) { return static_cast<unsigned char>(Text[I]); };
    const unsigned char B = Byte(At);
    if (B < 0x80)
        return 1;
    std::size_t Length;
    unsigned char Low = 0x80, High = 0xBF; // the range of the second byte
    if (B >= 0xC2 && B <= 0xDF) {
        Length = 2;
    } else if (B >= 0xE0 && B <= 0xEF) {
        Length = 3;
        if (B == 0xE0)
            Low = 0xA0; // overlong
        else if (B == 0xED)
            High = 0x9F; // surrogates
    } else if (B >= 0xF0 && B <= 0xF4) {
        Length = 4;
        if (B == 0xF0)
            Low = 0x90; // overlong
        else if (B == 0xF4)
            High = 0x8F; // above U+10FFFF
    } else {
        return 0;
    }
    if (At + Length > Text.size() || Byte(At + 1) < Low || Byte(At + 1) > High)
        return 0;
    for (std::size_t I = 2; I < Length; ++I)
        if (Byte(At + I) < 0x80 || Byte(At + I) > 0xBF)
            return 0;
    return Length;
}

} // namespace

bool IsValidUtf8(const std::string& Text)
{
    for (std::size_t At = 0; At < Text.size();) {
        const std::size_t Length = Utf8SequenceLength(Text, At);
        if (Length == 0)
            return false;
        At += Length;
    }
    return true;
}

std::string JsonString(const std::string& Text)
{
    std::string Out = "\"";
    for (std::size_t At = 0; At < Text.size();) {
        const std::size_t Length = Utf8SequenceLength(Text, At);
        const unsigned char C = static_cast<unsigned char>(Text[At]);
        if (Length == 0) {
            Out += "\xEF\xBF\xBD"; // U+FFFD
            ++At;
            continue;
        }
        if (Length > 1) {
            Out.append(Text, At, Length);
        } else if (C == '"') {
            Out += "\\\"";
        } else if (C == '\\') {
            Out += "\\\\";
        } else if (C == '\n') {
            Out += "\\n";
        } else if (C == '\r') {
            Out += "\\r";
        } else if (C == '\t') {
            Out += "\\t";
        } else if (C < 0x20) {
            char Buf[8];
            std::snprintf(Buf, sizeof Buf, "\\u%04x", C);
            Out += Buf;
        } else {
            Out.push_back(static_cast<char>(C));
        }
        At += Length;
    }
    return Out + "\"";
}

std::string JsonNumber(double V)
{
    if (!std::isfinite(V))
        return "null";
    char Buf[64];
    const auto R = std::to_chars(Buf, Buf + sizeof Buf, V);
    return std::string(Buf, R.ptr);
}

} // namespace cartova::cli
