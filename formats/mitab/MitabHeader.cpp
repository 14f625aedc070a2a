#include "MitabHeader.h"

#include "mitab.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>

namespace cartova::mitab {

namespace {

// Headers are short; a file whose header runs longer is not read as one.
constexpr std::size_t MaxHeaderLines = 20000;

std::string Lower(std::string_view Text)
{
    std::string S(Text);
    for (char& C : S)
        C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
    return S;
}

std::string_view Trim(std::string_view S)
{
    while (!S.empty() && std::isspace(static_cast<unsigned char>(S.front())))
        S.remove_prefix(1);
    while (!S.empty() && std::isspace(static_cast<unsigned char>(S.back())))
        S.remove_suffix(1);
    return S;
}

// The first word of a line, lower case.
std::string Keyword(std::string_view Line)
{
    Line = Trim(Line);
    std::size_t N = 0;
    while (N < Line.size() && std::isalpha(static_cast<unsigned char>(Line[N])))
        ++N;
    return Lower(Line.substr(0, N));
}

int TypeOfWord(const std::string& Word)
{
    static const struct {
        const char* Name;
        int Type;
    } Types[] = {{"char", TABFT_Char},       {"integer", TABFT_Integer}, {"smallint", TABFT_SmallInt},
                 {"decimal", TABFT_Decimal}, {"float", TABFT_Float},     {"date", TABFT_Date},
                 {"logical", TABFT_Logical}, {"time", TABFT_Time},       {"datetime", TABFT_DateTime}};
    for (const auto& T : Types)
        if (Word == T.Name)
            return T.Type;
    return 0;
}

// "name Char (10) Index 1 ;" or "name Decimal(10,3)".
bool ParseField(std::string_view Line, TNativeField& Field)
{
    Line = Trim(Line);
    std::size_t I = 0;
    if (!Line.empty() && (Line[0] == '"' || Line[0] == '`')) {
        const std::size_t Close = Line.find(Line[0], 1);
        if (Close == std::string_view::npos)
            return false;
        I = Close + 1;
    } else
        while (I < Line.size() && !std::isspace(static_cast<unsigned char>(Line[I])))
            ++I;
    const std::string Rest = Lower(Line.substr(I));
    std::size_t J = 0;
    while (J < Rest.size() && std::isspace(static_cast<unsigned char>(Rest[J])))
        ++J;
    std::size_t K = J;
    while (K < Rest.size() && std::isalpha(static_cast<unsigned char>(Rest[K])))
        ++K;
    Field.Type = TypeOfWord(Rest.substr(J, K - J));
    Field.Indexed = Rest.find(" index ", K) != std::string::npos;
    return Field.Type != 0;
}

class THeaderReader {
public:
    explicit THeaderReader(const std::string& Path) : In(Path, std::ios::binary) {}

    bool Next(std::string& Line)
    {
        if (Count++ >= MaxHeaderLines || !std::getline(In, Line))
            return false;
        if (!Line.empty() && Line.back() == '\r')
            Line.pop_back();
        return true;
    }

private:
    std::ifstream In;
    std::size_t Count = 0;
};

} // namespace

std::vector<TNativeField> ReadNativeFields(const std::string& Path, bool IsTab)
{
    THeaderReader Reader(Path);
    const std::string Section = IsTab ? "fields" : "columns";
    std::string Line;
    while (Reader.Next(Line)) {
        const std::string Word = Keyword(Line);
        if (Word == "data" || Word == "begin")
            break;
        if (Word != Section)
            continue;
        const long Count = std::strtol(Trim(Line).data() + Section.size(), nullptr, 10);
        if (Count <= 0 || Count > 10000)
            return {};
        std::vector<TNativeField> Fields;
        while (static_cast<long>(Fields.size()) < Count && Reader.Next(Line)) {
            if (Trim(Line).empty())
                continue;
            TNativeField F;
            if (!ParseField(Line, F))
                return {};
            Fields.push_back(F);
        }
        return static_cast<long>(Fields.size()) == Count ? Fields : std::vector<TNativeField>{};
    }
    return {};
}

std::string ReadMifCoordSys(const std::string& Path)
{
    THeaderReader Reader(Path);
    std::string Line, Clause;
    bool In = false;
    while (Reader.Next(Line)) {
        const std::string Word = Keyword(Line);
        if (Word == "data" || Word == "columns")
            break;
        if (Word == "coordsys")
            In = true;
        else if (In && !Word.empty() && Word != "bounds" && Word != "affine" && Word != "units")
            break; // numbers and these words continue the clause on a new line
        if (In)
            Clause += std::string(Trim(Line)) + " ";
    }
    return std::string(Trim(Clause));
}

} // namespace cartova::mitab
