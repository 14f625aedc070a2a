#pragma once
// TGUID: a 128-bit identifier in the host's layout, with its text form
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace cartova::host {

/// A globally unique identifier: D1-D2-D3-D4[0..1]-D4[2..7].
struct TGUID {
    std::uint32_t D1 = 0;
    std::uint16_t D2 = 0;
    std::uint16_t D3 = 0;
    std::array<std::uint8_t, 8> D4{};

    friend bool operator==(const TGUID&, const TGUID&) = default;
};

/// Parses the braced text form (hex digits in either case); raises
/// EConvertError "'x' is not a valid GUID value" for any other text.
TGUID StringToGUID(std::string_view Text);
/// The braced text form with upper-case hex digits.
std::string GUIDToString(const TGUID& Guid);
/// Whether two identifiers are equal.
inline bool IsEqualGUID(const TGUID& A, const TGUID& B) { return A == B; }

} // namespace cartova::host

namespace cartova {
using host::TGUID;
using host::StringToGUID;
using host::GUIDToString;
using host::IsEqualGUID;
} // namespace cartova
