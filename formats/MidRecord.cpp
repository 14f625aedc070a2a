#include "formats/MidRecord.h"

#include "formats/MifNumbers.h"

#include <cmath>
#include <cstdio>

namespace cartova {

namespace {

// Reads a run of ASCII digits at Text[I]; false when there is none.
bool ReadDigits(std::string_view Text, std::size_t& I, std::string_view& Run)
{
    std::size_t J = I;
    while (J < Text.size() && Text[J] >= '0' && Text[J] <= '9')
        ++J;
    if (J == I)
        return false;
    Run = Text.substr(I, J - I);
    I = J;
    return true;
}

// The value of up to nine digits.
int Number(std::string_view Digits)
{
    int Value = 0;
    for (char C : Digits)
        Value = Value * 10 + (C - '0');
    return Value;
}

bool MakeDate(int Y, int Mo, int D, TDateTime& Value)
{
    static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Y < 1 || Y > 9999 || Mo < 1 || Mo > 12 || D < 1 || D > Days[Mo - 1] + (Mo == 2 && IsLeapYear(Y)))
        return false;
    Value = EncodeDate(Y, Mo, D);
    return true;
}

bool MakeTime(int H, int Mi, int S, int Ms, TDateTime& Value)
{
    if (H > 23 || Mi > 59 || S > 59 || Ms > 999)
        return false;
    Value = EncodeTime(H, Mi, S, Ms);
    return true;
}

// A time of day: HHMMSS, HHMMSSmmm, or H:MM[:SS[.fff]].
bool ParseClock(std::string_view Text, TDateTime& Value)
{
    std::size_t I = 0;
    std::string_view A;
    if (!ReadDigits(Text, I, A))
        return false;
    if (I == Text.size()) {
        if (A.size() != 6 && A.size() != 9)
            return false;
        return MakeTime(Number(A.substr(0, 2)), Number(A.substr(2, 2)), Number(A.substr(4, 2)),
                        A.size() == 9 ? Number(A.substr(6, 3)) : 0, Value);
    }
    std::string_view Mi, S, F;
    if (A.size() > 2 || Text[I] != ':' || !ReadDigits(Text, ++I, Mi) || Mi.size() > 2)
        return false;
    if (I < Text.size() && (Text[I] != ':' || !ReadDigits(Text, ++I, S) || S.size() > 2))
        return false;
    if (I < Text.size() && (Text[I] != '.' || !ReadDigits(Text, ++I, F)))
        return false;
    if (I != Text.size())
        return false;
    int Ms = 0;
    for (std::size_t K = 0; K < 3; ++K)
        Ms = Ms * 10 + (K < F.size() ? F[K] - '0' : 0);
    return MakeTime(Number(A), Number(Mi), S.empty() ? 0 : Number(S), Ms, Value);
}

// A date with an optional time: YYYYMMDD, YYYYMMDDHHMMSS[mmm], YYYY/MM/DD,
// DD/MM/YYYY, DD.MM.YYYY (also with '-' between the numbers), followed by a
// space or 'T' and a time of day. HasTime tells whether a time was given.
bool ParseCalendar(std::string_view Text, TDateTime& Date, TDateTime& Time, bool& HasTime)
{
    HasTime = false;
    Time = 0;
    std::size_t I = 0;
    std::string_view A, B, C;
    if (!ReadDigits(Text, I, A))
        return false;
    int Y = 0, Mo = 0, D = 0;
    if (A.size() == 8 || A.size() == 14 || A.size() == 17) {
        Y = Number(A.substr(0, 4)), Mo = Number(A.substr(4, 2)), D = Number(A.substr(6, 2));
        if (A.size() > 8) {
            if (!ParseClock(A.substr(8), Time))
                return false;
            HasTime = true;
        }
    } else {
        if (I >= Text.size() || (Text[I] != '/' && Text[I] != '.' && Text[I] != '-'))
            return false;
        const char Sep = Text[I];
        if (!ReadDigits(Text, ++I, B) || I >= Text.size() || Text[I] != Sep || !ReadDigits(Text, ++I, C))
            return false;
        if (A.size() == 4 && B.size() <= 2 && C.size() <= 2)
            Y = Number(A), Mo = Number(B), D = Number(C);
        else if (A.size() <= 2 && B.size() <= 2 && C.size() == 4)
            D = Number(A), Mo = Number(B), Y = Number(C);
        else
            return false;
    }
    if (I < Text.size()) {
        if (HasTime || (Text[I] != ' ' && Text[I] != 'T'))
            return false;
        std::string_view Clock = Text.substr(I + 1);
        detail::SkipMifSpaces(Clock);
        if (!ParseClock(Clock, Time))
            return false;
        HasTime = true;
    }
    return MakeDate(Y, Mo, D, Date);
}

// A number as MIF writes it: optional sign, digits, decimals, exponent.
bool IsMidNumber(std::string_view Text)
{
    std::string_view Rest = Text;
    double Value = 0;
    if (!detail::ScanDouble(Rest, Value))
        return false;
    detail::SkipMifSpaces(Rest);
    return Rest.empty();
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

char OpenMidQuote(std::string_view Text, std::string_view Delimiter, char Quote)
{
    const std::size_t N = Text.size();
    std::size_t I = 0;
    for (;;) {
        if (!Quote) {
            // A value is quoted when its first non-blank character is a quote.
            std::size_t J = I;
            while (J < N && (Text[J] == ' ' || Text[J] == '\t') &&
                   (Delimiter.empty() || Text.compare(J, Delimiter.size(), Delimiter) != 0))
                ++J;
            if (J < N && (Text[J] == '"' || Text[J] == '\'')) {
                Quote = Text[J];
                I = J + 1;
            }
        }
        if (Quote) {
            for (;; ++I) {
                if (I >= N)
                    return Quote;
                if (Text[I] == Quote) {
                    if (I + 1 < N && Text[I + 1] == Quote) {
                        ++I;
                        continue;
                    }
                    ++I;
                    break;
                }
            }
            Quote = 0;
        }
        const std::size_t D = Delimiter.empty() ? std::string_view::npos : Text.find(Delimiter, I);
        if (D == std::string_view::npos)
            return 0;
        I = D + Delimiter.size();
    }
}

bool SplitMidRecord(std::string_view Line, std::string_view Delimiter, std::vector<TMidValue>& Values)
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
                if (K >= N) { // unterminated: the value runs to the end of the text
                    Values.resize(Used);
                    return false;
                }
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
            const std::size_t D = Delimiter.empty() ? std::string_view::npos : Line.find(Delimiter, I);
            if (D == std::string_view::npos) {
                Values.resize(Used);
                return true;
            }
            I = D + Delimiter.size();
            continue;
        }
        const std::size_t D = Delimiter.empty() ? std::string_view::npos : Line.find(Delimiter, I);
        if (D == std::string_view::npos) {
            V.Text.assign(Line.substr(I));
            Values.resize(Used);
            return true;
        }
        V.Text.assign(Line.substr(I, D - I));
        I = D + Delimiter.size();
    }
}

bool StoreMidValue(TDataFields& Record, int Index, const TMidValue& Value)
{
    const TDataType Type = Record.GetColumn(Index).DataType;
    if (Type == dtString) {
        Record.SetValue(Index, Variant(Value.Text));
        return true;
    }
    const std::string T = Trim(Value.Text);
    bool Valid = true;
    switch (Type) {
    case dtDate:
    case dtTime:
    case dtDateTime: {
        if (T.empty())
            return true;
        TDateTime D = 0, Tm = 0;
        bool HasTime = false;
        if (Type == dtTime) {
            Valid = ParseClock(T, Tm) || TryStrToTime(T, Tm);
            if (Valid)
                Record.SetValue(Index, Variant(static_cast<double>(Tm)));
        } else if (ParseCalendar(T, D, Tm, HasTime)) {
            if (Type == dtDate)
                Record.SetValue(Index, Variant(static_cast<double>(D)));
            else
                Record.SetValue(Index, VarFromDateTime(ComposeDateTime(D, Tm)));
        } else {
            Valid = Type == dtDate ? TryStrToDate(T, D) : TryStrToDateTime(T, D);
            if (Valid)
                Type == dtDate ? Record.SetValue(Index, Variant(static_cast<double>(D))) : Record.SetValue(Index, VarFromDateTime(D));
        }
        break;
    }
    case dtBoolean: {
        if (T.empty())
            return true;
        const std::string U = UpperCase(T);
        if (U == "T" || U == "TRUE" || U == "Y" || U == "1")
            Record.SetValue(Index, Variant(true));
        else if (U == "F" || U == "FALSE" || U == "N" || U == "0")
            Record.SetValue(Index, Variant(false));
        else
            Valid = false;
        break;
    }
    default: // numbers stay text; the field converts on reading
        Valid = T.empty() || IsMidNumber(T);
        if (Valid)
            Record.SetValue(Index, Variant(Value.Quoted ? Value.Text : T));
        break;
    }
    if (!Valid)
        Record.SetValue(Index, Variant());
    return Valid;
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

std::string MidValueText(TDataType Type, const Variant& V)
{
    std::string Out;
    if (Type == dtString) {
        AppendMidQuoted(Out, V.AsString());
        return Out;
    }
    if (V.IsEmpty() || V.IsNull())
        return Out;
    if (V.VarType() == varString && Trim(V.AsString()).empty())
        return Out;
    char Buf[32];
    int Y = 0, Mo = 0, D = 0, H = 0, Mi = 0, S = 0, Ms = 0;
    switch (Type) {
    case dtDate:
        SplitDateTime(V.AsDouble(), Y, Mo, D, H, Mi, S, Ms);
        std::snprintf(Buf, sizeof Buf, "%04d%02d%02d", Y, Mo, D);
        return Buf;
    case dtTime:
        SplitDateTime(V.AsDouble(), Y, Mo, D, H, Mi, S, Ms);
        std::snprintf(Buf, sizeof Buf, "%02d%02d%02d%03d", H, Mi, S, Ms);
        return Buf;
    case dtDateTime:
        SplitDateTime(V.AsDouble(), Y, Mo, D, H, Mi, S, Ms);
        std::snprintf(Buf, sizeof Buf, "%04d%02d%02d%02d%02d%02d%03d", Y, Mo, D, H, Mi, S, Ms);
        return Buf;
    case dtBoolean:
        return V.AsBoolean() ? "T" : "F";
    default:
        return V.AsString();
    }
}

} // namespace cartova
