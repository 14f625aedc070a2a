#pragma once
// JSON text for `cartova info --json`. The output is always valid UTF-8:
// map files in the Neutral charset (or one that was not declared) give names
// and values as the file's bytes, and a byte that does not belong to a valid
// UTF-8 sequence is written as U+FFFD, the replacement character.

#include <string>

namespace cartova::cli {

/// Whether Text is valid UTF-8 (no overlong forms, surrogates or code points above U+10FFFF).
bool IsValidUtf8(const std::string& Text);
/// Text as a JSON string literal, quotes included; each byte that is not part
/// of a valid UTF-8 sequence becomes U+FFFD.
std::string JsonString(const std::string& Text);
/// The shortest text that reads back as V ("83.64513", "-180"); null when V is not finite.
std::string JsonNumber(double V);

} // namespace cartova::cli
