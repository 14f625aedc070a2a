#pragma once
// Text conversion at the MIF/MID file boundary. A MIF file declares its
// encoding in the Charset header ("WindowsCyrillic", "Neutral", "UTF-8", …);
// the library's strings are UTF-8. Conversions go through iconv.

#include <memory>
#include <string>
#include <string_view>

namespace cartova {

/// The iconv encoding of a MIF charset name (case ignored): "CP1251" for
/// "WindowsCyrillic", "" for "Neutral", "UTF-8" and unknown names (bytes kept as they are).
std::string MifCharsetEncoding(std::string_view Charset);

/// Converts text between a MIF charset and UTF-8. Pure ASCII text is passed
/// through without calling iconv.
class TMifTextConverter {
public:
    /// A converter for Charset; with an empty or unsupported encoding it
    /// passes bytes through.
    explicit TMifTextConverter(std::string_view Charset = "Neutral");
    ~TMifTextConverter();
    TMifTextConverter(const TMifTextConverter&) = delete;
    TMifTextConverter& operator=(const TMifTextConverter&) = delete;

    /// True when the converter changes bytes (a supported non-UTF-8 charset).
    bool Converts() const;
    /// File text to UTF-8; bytes the charset does not define become U+FFFD.
    std::string ToUtf8(std::string_view Text) const;
    /// UTF-8 to file text; false (Out unspecified) when a character cannot be represented.
    bool FromUtf8(std::string_view Text, std::string& Out) const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
};

/// True when every byte of Text is below 128.
bool IsAscii(std::string_view Text);

} // namespace cartova
