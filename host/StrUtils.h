#pragma once
// Text helpers over UTF-8 strings: comparison and case mapping (Unicode through
// Qt's case folding, or ASCII), trimming, quoting, 1-based Pos/Copy and
// StringReplace.

#include <cstddef>
#include <string>
#include <string_view>

namespace cartova::host {

/// Compares case-insensitively with Unicode case folding; <0, 0 or >0.
int AnsiCompareText(std::string_view a, std::string_view b);
/// Compares case-sensitively by Unicode code points; <0, 0 or >0.
int AnsiCompareStr(std::string_view a, std::string_view b);
/// Whether two texts are equal under AnsiCompareText.
bool SameText(std::string_view a, std::string_view b);
/// Compares case-insensitively folding only ASCII letters; <0, 0 or >0.
int CompareText(std::string_view a, std::string_view b);
/// Upper case of every letter (full Unicode).
std::string AnsiUpperCase(std::string_view s);
/// Lower case of every letter (full Unicode).
std::string AnsiLowerCase(std::string_view s);
/// Upper case of the ASCII letters; other bytes unchanged.
std::string UpperCase(std::string_view s);
/// Lower case of the ASCII letters; other bytes unchanged.
std::string LowerCase(std::string_view s);

/// Removes leading and trailing characters up to and including ' ' (controls, NUL).
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

/// Encloses in apostrophes, doubling the apostrophes inside: O'Brien → 'O''Brien'.
std::string QuotedStr(std::string_view s);
/// Encloses in `quote`, doubling each `quote` inside.
std::string AnsiQuotedStr(std::string_view s, char quote);
/// Reverses AnsiQuotedStr; text that does not start with `quote` or has no
/// closing `quote` is returned unchanged.
std::string AnsiDequotedStr(std::string_view s, char quote);

/// 1-based position of the first `sub` in `s`; 0 when absent or `sub` is empty.
std::size_t Pos(std::string_view sub, std::string_view s);
/// Like Pos, searching from the 1-based position `offset`.
std::size_t PosEx(std::string_view sub, std::string_view s, std::size_t offset = 1);
/// At most `count` bytes from the 1-based `index` (below 1 counts as 1); empty
/// when `index` is past the end or `count` is not positive.
std::string Copy(std::string_view s, long long index, long long count);

/// Flags of StringReplace.
enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = unsigned;
/// Replaces the first (or with rfReplaceAll every) occurrence of `oldPattern`;
/// rfIgnoreCase matches with Unicode case folding. An empty pattern replaces nothing.
std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          TReplaceFlags flags);

} // namespace cartova::host

namespace cartova {
using host::AnsiCompareText;
using host::AnsiCompareStr;
using host::SameText;
using host::CompareText;
using host::AnsiUpperCase;
using host::AnsiLowerCase;
using host::UpperCase;
using host::LowerCase;
using host::Trim;
using host::TrimLeft;
using host::TrimRight;
using host::QuotedStr;
using host::AnsiQuotedStr;
using host::AnsiDequotedStr;
using host::Pos;
using host::PosEx;
using host::Copy;
using host::TReplaceFlag;
using host::TReplaceFlags;
using host::rfReplaceAll;
using host::rfIgnoreCase;
using host::StringReplace;
} // namespace cartova
