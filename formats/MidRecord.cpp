#include "formats/MidRecord.h"

#include "formats/MifNumbers.h"

#include <cmath>
#include <cstdio>

namespace cartova {

namespace {

bool AllDigits(std::string_view Text)
{
    for (char C : Text)
        if (C < '0' || C > '9')
            return false;
    return !Text.empty();
}

int Digits(std::string_view Text, std::size_t At, std::size_t Count)
{
    int Value = 0;
    for (std::size_t I = At; I < At + Count; ++I)
        Value = Value * 10 + (Text[I] - '0');
    return Value;
}

// YYYYMMDD; false when it is not a valid date.
bool ParseMidDate(std::string_view Text, TDateTime& Value)
{
    if (Text.size() != 8 || !AllDigits(Text))
        return false;
    try {
        Value = EncodeDate(Digits(Text, 0, 4), Digits(Text, 4, 2), Digits(Text, 6, 2));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// HHMMSS or HHMMSSmmm; false when it is not a valid time.
bool ParseMidTime(std::string_view Text, TDateTime& Value)
{
    if ((Text.size() != 6 && Text.size() != 9) || !AllDigits(Text))
        return false;
    try {
        Value = EncodeTime(Digits(Text, 0, 2), Digits(Text, 2, 2), Digits(Text, 4, 2),
                           Text.size() == 9 ? Digits(Text, 6, 3) : 0);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

[[noreturn]] void BadValue(const TDataField& Field, std::string_view Text)
{
    throw EConvertError(Format("'%s' is not a valid %s value of column %s", std::string(Text),
                               Field.GetDataTypeName(), Field.GetName()));
}

void SplitDateTime(TDateTime Value, int& Y, int& Mo, int& D, int& H, int& Mi, int& S, int& Ms)
{
    // Round to the millisecond first so that 23:59:59.9995 does not print as 60 seconds.
    const double Days = std::floor(Value);
    long long Msecs = std::llround((Value - Days) * 86400000.0);
    double Date = Days;
    if (Msecs >= 86400000) {
        Msecs -= 86400000;
        Date += 1;
    }
    DecodeDate(Date, Y, Mo, D);
    H = static_cast<int>(Msecs / 3600000);
    Mi = static_cast<int>(Msecs / 60000 % 60);
    S = static_cast<int>(Msecs / 1000 % 60);
    Ms = static_cast<int>(Msecs % 1000);
}

} // namespace

void SplitMidRecord(std::string_view Line, std::string_view Delimiter, std::vector<TMidValue>& Values)
{
    std::size_t Used = 0;
    auto Next = [&]() -> TMidValue& {
        if (Used == Values.size())
            Values.emplace_back();
        TMidValue& V = Values[Used++];
        V.Text.clear();
        V.Quoted = false;
        return V;
    };
    std::size_t I = 0;
    const std::size_t N = Line.size();
    for (;;) {
        TMidValue& V = Next();
        // A value is quoted when its first non-blank character is a quote.
        std::size_t J = I;
        while (J < N && (Line[J] == ' ' || Line[J] == '\t') &&
               (Delimiter.empty() || Line.compare(J, Delimiter.size(), Delimiter) != 0))
            ++J;
        if (J < N && (Line[J] == '"' || Line[J] == '\'')) {
            const char Q = Line[J];
            V.Quoted = true;
            std::size_t K = J + 1;
            for (;;) {
                if (K >= N)
                    break; // unterminated: the value runs to the end of the line
                if (Line[K] == Q) {
                    if (K + 1 < N && Line[K + 1] == Q) {
                        V.Text.push_back(Q);
                        K += 2;
                        continue;
                    }
                    ++K;
                    break;
                }
                V.Text.push_back(Line[K]);
                ++K;
            }
            // Anything after the closing quote up to the delimiter is ignored.
            I = K;
            if (Delimiter.empty())
                return Values.resize(Used);
            const std::size_t D = Line.find(Delimiter, I);
            if (D == std::string_view::npos)
                return Values.resize(Used);
            I = D + Delimiter.size();
            continue;
        }
        const std::size_t D = Delimiter.empty() ? std::string_view::npos : Line.find(Delimiter, I);
        if (D == std::string_view::npos) {
            V.Text.assign(Line.substr(I));
            return Values.resize(Used);
        }
        V.Text.assign(Line.substr(I, D - I));
        I = D + Delimiter.size();
    }
}

void StoreMidValue(TDataField& Field, const TMidValue& Value)
{
    const std::string_view Text = Value.Text;
    switch (Field.GetDataType()) {
    case dtString:
        Field.SetValue(Variant(Value.Text));
        return;
    case dtDate:
    case dtTime:
    case dtDateTime:
    case dtBoolean:
        break;
    default: // numbers stay text; the field converts on reading
        Field.SetValue(Variant(Value.Quoted ? Value.Text : Trim(Value.Text)));
        return;
    }
    const std::string T = Trim(Text);
    if (T.empty())
        return;
    TDateTime D = 0, Tm = 0;
    switch (Field.GetDataType()) {
    case dtDate:
        if (ParseMidDate(T, D) || TryStrToDate(T, D))
            Field.SetAsDate(D);
        else
            BadValue(Field, T);
        return;
    case dtTime:
        if (ParseMidTime(T, Tm) || TryStrToTime(T, Tm))
            Field.SetAsTime(Tm);
        else
            BadValue(Field, T);
        return;
    case dtDateTime:
        if (T.size() >= 14 && ParseMidDate(std::string_view(T).substr(0, 8), D) &&
            ParseMidTime(std::string_view(T).substr(8), Tm))
            Field.SetAsDateTime(D + Tm);
        else if (ParseMidDate(T, D) || TryStrToDateTime(T, D))
            Field.SetAsDateTime(D);
        else
            BadValue(Field, T);
        return;
    default: {
        const std::string U = UpperCase(T);
        if (U == "T" || U == "TRUE" || U == "Y" || U == "1")
            Field.SetValue(Variant(true));
        else if (U == "F" || U == "FALSE" || U == "N" || U == "0")
            Field.SetValue(Variant(false));
        else
            BadValue(Field, T);
        return;
    }
    }
}

void AppendMidQuoted(std::string& Out, std::string_view Text)
{
    Out.push_back('"');
    for (char C : Text) {
        if (C == '"')
            Out.push_back('"');
        Out.push_back(C);
    }
    Out.push_back('"');
}

std::string MidValueText(const TDataField& Field)
{
    const Variant& V = Field.GetValue();
    std::string Out;
    if (Field.GetDataType() == dtString) {
        AppendMidQuoted(Out, V.AsString());
        return Out;
    }
    if (V.IsEmpty() || V.IsNull())
        return Out;
    if (V.VarType() == varString && Trim(V.AsString()).empty())
        return Out;
    char Buf[32];
    int Y = 0, Mo = 0, D = 0, H = 0, Mi = 0, S = 0, Ms = 0;
    switch (Field.GetDataType()) {
    case dtDate:
        SplitDateTime(Field.GetAsDate(), Y, Mo, D, H, Mi, S, Ms);
        std::snprintf(Buf, sizeof Buf, "%04d%02d%02d", Y, Mo, D);
        return Buf;
    case dtTime:
        SplitDateTime(Field.GetAsTime(), Y, Mo, D, H, Mi, S, Ms);
        std::snprintf(Buf, sizeof Buf, "%02d%02d%02d%03d", H, Mi, S, Ms);
        return Buf;
    case dtDateTime:
        SplitDateTime(Field.GetAsDateTime(), Y, Mo, D, H, Mi, S, Ms);
        std::snprintf(Buf, sizeof Buf, "%04d%02d%02d%02d%02d%02d%03d", Y, Mo, D, H, Mi, S, Ms);
        return Buf;
    case dtBoolean:
        return V.AsBoolean() ? "T" : "F";
    default:
        return V.AsString();
    }
}

} // namespace cartova
