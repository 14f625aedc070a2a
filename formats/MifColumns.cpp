#include "formats/MifColumns.h"

#include "host/Core.h"

namespace cartova {

namespace {

// The leading word of Text, upper-cased.
std::string TypeWord(std::string_view Text)
{
    std::size_t I = 0;
    while (I < Text.size() && (Text[I] == ' ' || Text[I] == '\t'))
        ++I;
    std::size_t J = I;
    while (J < Text.size() && ((Text[J] >= 'A' && Text[J] <= 'Z') || (Text[J] >= 'a' && Text[J] <= 'z')))
        ++J;
    return UpperCase(Text.substr(I, J - I));
}

} // namespace

TDataType MifColumnType(std::string_view TypeText)
{
    const std::string Word = TypeWord(TypeText);
    if (Word == "CHAR")
        return dtString;
    if (Word == "DECIMAL")
        return dtDecimal;
    if (Word == "INTEGER")
        return dtInteger;
    if (Word == "SMALLINT")
        return dtSmallInt;
    if (Word == "DATE")
        return dtDate;
    if (Word == "DATETIME")
        return dtDateTime;
    if (Word == "TIME")
        return dtTime;
    if (Word == "LOGICAL")
        return dtBoolean;
    return dtFloat; // Float, LargeInt and unknown types
}

int MifColumnWidth(std::string_view TypeText)
{
    const std::size_t Open = TypeText.find('(');
    if (Open == std::string_view::npos)
        return 0;
    long long Width = 0;
    for (std::size_t I = Open + 1; I < TypeText.size(); ++I) {
        const char C = TypeText[I];
        if (C >= '0' && C <= '9')
            Width = std::min<long long>(Width * 10 + (C - '0'), 0x7FFFFFFF);
        else if (C != ' ' && C != '\t')
            break;
    }
    return static_cast<int>(Width);
}

std::string MifColumnTypeText(const TDataField& Field, const TLayerFileInfo& Info)
{
    const TDataType Type = Field.GetDataType();
    if (const TColumnDeclaration* Kept = Info.FindColumn(Field.GetName())) {
        const bool Sized = Type == dtString || Type == dtDecimal;
        if (MifColumnType(Kept->Type) == Type && (!Sized || MifColumnWidth(Kept->Type) == Field.GetSize()))
            return Kept->Type;
    }
    switch (Type) {
    case dtString: return Format("Char(%d)", Field.GetSize());
    case dtDecimal: return Format("Decimal(%d, %D)", 9, 2);
    case dtInteger: return "Integer";
    case dtSmallInt: return "SmallInt";
    case dtDateTime: return "DateTime";
    case dtDate: return "Date";
    case dtTime: return "Time";
    case dtBoolean: return "Logical";
    case dtFloat: break;
    }
    return "Float";
}

} // namespace cartova
