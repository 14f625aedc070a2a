#include "formats/MifCharset.h"

#include "host/Core.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace cartova {

namespace {

struct TCharsetName {
    const char* Mif;
    const char* Iconv;
};

constexpr TCharsetName CharsetNames[] = {
    {"WindowsLatin1", "CP1252"},      {"WindowsLatin2", "CP1250"},
    {"WindowsCyrillic", "CP1251"},    {"WindowsGreek", "CP1253"},
    {"WindowsTurkish", "CP1254"},     {"WindowsHebrew", "CP1255"},
    {"WindowsArabic", "CP1256"},      {"WindowsBalticRim", "CP1257"},
    {"WindowsVietnamese", "CP1258"},  {"WindowsThai", "CP874"},
    {"WindowsSimpChinese", "CP936"},  {"WindowsTradChinese", "CP950"},
    {"WindowsJapanese", "CP932"},     {"WindowsKorean", "CP949"},
    {"CodePage437", "CP437"},         {"CodePage850", "CP850"},
    {"CodePage852", "CP852"},         {"CodePage855", "CP855"},
    {"CodePage857", "CP857"},         {"CodePage860", "CP860"},
    {"CodePage861", "CP861"},         {"CodePage863", "CP863"},
    {"CodePage864", "CP864"},         {"CodePage865", "CP865"},
    {"CodePage866", "CP866"},         {"CodePage869", "CP869"},
    {"ISO8859_1", "ISO-8859-1"},      {"ISO8859_2", "ISO-8859-2"},
    {"ISO8859_3", "ISO-8859-3"},      {"ISO8859_4", "ISO-8859-4"},
    {"ISO8859_5", "ISO-8859-5"},      {"ISO8859_6", "ISO-8859-6"},
    {"ISO8859_7", "ISO-8859-7"},      {"ISO8859_8", "ISO-8859-8"},
    {"ISO8859_9", "ISO-8859-9"},      {"MacRoman", "MACINTOSH"},
};

const iconv_t NoIconv = reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1));

} // namespace

bool IsAscii(std::string_view Text)
{
    for (unsigned char C : Text)
        if (C >= 0x80)
            return false;
    return true;
}

std::string MifCharsetEncoding(std::string_view Charset)
{
    for (const auto& Name : CharsetNames)
        if (SameText(Charset, Name.Mif))
            return Name.Iconv;
    return {};
}

struct TMifTextConverter::TImpl {
    iconv_t ToUtf8 = NoIconv;
    iconv_t FromUtf8 = NoIconv;
};

TMifTextConverter::TMifTextConverter(std::string_view Charset) : FImpl(std::make_unique<TImpl>())
{
    const std::string Encoding = MifCharsetEncoding(Charset);
    if (Encoding.empty())
        return;
    FImpl->ToUtf8 = iconv_open("UTF-8", Encoding.c_str());
    FImpl->FromUtf8 = iconv_open(Encoding.c_str(), "UTF-8");
    if (FImpl->ToUtf8 == NoIconv || FImpl->FromUtf8 == NoIconv) {
        if (FImpl->ToUtf8 != NoIconv)
            iconv_close(FImpl->ToUtf8);
        if (FImpl->FromUtf8 != NoIconv)
            iconv_close(FImpl->FromUtf8);
        FImpl->ToUtf8 = FImpl->FromUtf8 = NoIconv;
    }
}

TMifTextConverter::~TMifTextConverter()
{
    if (FImpl->ToUtf8 != NoIconv)
        iconv_close(FImpl->ToUtf8);
    if (FImpl->FromUtf8 != NoIconv)
        iconv_close(FImpl->FromUtf8);
}

bool TMifTextConverter::Converts() const
{
    return FImpl->ToUtf8 != NoIconv;
}

std::string TMifTextConverter::ToUtf8(std::string_view Text) const
{
    if (!Converts() || IsAscii(Text))
        return std::string(Text);
    iconv(FImpl->ToUtf8, nullptr, nullptr, nullptr, nullptr);
    std::string Out(Text.size() * 4 + 4, '\0');
    char* In = const_cast<char*>(Text.data());
    size_t InLeft = Text.size();
    char* Dst = Out.data();
    size_t DstLeft = Out.size();
    while (InLeft > 0) {
        if (iconv(FImpl->ToUtf8, &In, &InLeft, &Dst, &DstLeft) != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG)
            break; // cannot happen: four output bytes per input byte suffice
        // A byte the charset does not define: U+FFFD, then go on after it.
        if (DstLeft < 3)
            break;
        std::memcpy(Dst, "\xEF\xBF\xBD", 3);
        Dst += 3;
        DstLeft -= 3;
        ++In;
        --InLeft;
    }
    Out.resize(Out.size() - DstLeft);
    return Out;
}

bool TMifTextConverter::FromUtf8(std::string_view Text, std::string& Out) const
{
    if (!Converts() || IsAscii(Text)) {
        Out.assign(Text);
        return true;
    }
    iconv(FImpl->FromUtf8, nullptr, nullptr, nullptr, nullptr);
    Out.assign(Text.size() * 4 + 4, '\0');
    char* In = const_cast<char*>(Text.data());
    size_t InLeft = Text.size();
    char* Dst = Out.data();
    size_t DstLeft = Out.size();
    if (iconv(FImpl->FromUtf8, &In, &InLeft, &Dst, &DstLeft) == static_cast<size_t>(-1))
        return false;
    Out.resize(Out.size() - DstLeft);
    return true;
}

} // namespace cartova
