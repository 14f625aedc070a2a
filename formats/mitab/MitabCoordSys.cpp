#include "MitabCoordSys.h"

#include "MitabStyle.h"

#include <ogr_spatialref.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <map>
#include <mutex>

namespace cartova::mitab {

namespace {

struct TToken {
    enum TKind { Word, Number, String, Comma, Open, Close, End, Bad } Kind = End;
    std::string Text;
    double Value = 0;
};

class TLexer {
public:
    explicit TLexer(std::string_view Text) : S(Text) {}

    TToken Next()
    {
        TToken T = Peek();
        I = After;
        return T;
    }

    TToken Peek()
    {
        std::size_t J = I;
        while (J < S.size() && std::isspace(static_cast<unsigned char>(S[J])))
            ++J;
        TToken T;
        if (J >= S.size()) {
            After = J;
            return T;
        }
        const char C = S[J];
        if (C == ',' || C == '(' || C == ')') {
            T.Kind = C == ',' ? TToken::Comma : C == '(' ? TToken::Open : TToken::Close;
            After = J + 1;
        } else if (C == '"') {
            const std::size_t Close = S.find('"', J + 1);
            T.Kind = Close == std::string_view::npos ? TToken::Bad : TToken::String;
            if (Close != std::string_view::npos)
                T.Text = std::string(S.substr(J + 1, Close - J - 1));
            After = Close == std::string_view::npos ? S.size() : Close + 1;
        } else if (std::isalpha(static_cast<unsigned char>(C))) {
            std::size_t K = J;
            while (K < S.size() && (std::isalnum(static_cast<unsigned char>(S[K])) || S[K] == '_'))
                ++K;
            T.Kind = TToken::Word;
            T.Text = std::string(S.substr(J, K - J));
            After = K;
        } else {
            std::size_t K = J + (C == '+' || C == '-');
            const char* Begin = S.data() + (C == '+' ? J + 1 : J);
            const auto [End, Ec] = std::from_chars(Begin, S.data() + S.size(), T.Value);
            T.Kind = Ec == std::errc() && std::isfinite(T.Value) ? TToken::Number : TToken::Bad;
            After = Ec == std::errc() ? static_cast<std::size_t>(End - S.data()) : K + 1;
        }
        return T;
    }

private:
    std::string_view S;
    std::size_t I = 0;
    std::size_t After = 0;
};

bool IsWord(const TToken& T, std::string_view Word)
{
    if (T.Kind != TToken::Word || T.Text.size() != Word.size())
        return false;
    for (std::size_t I = 0; I < Word.size(); ++I)
        if (std::tolower(static_cast<unsigned char>(T.Text[I])) != std::tolower(static_cast<unsigned char>(Word[I])))
            return false;
    return true;
}

class TParser {
public:
    TParser(std::string_view Text, std::string& Error) : Lex(Text), Err(Error) {}

    bool Number(double& V)
    {
        const TToken T = Lex.Next();
        if (T.Kind != TToken::Number)
            return Fail("a number expected");
        V = T.Value;
        return true;
    }

    bool CommaNumber(double& V) { return Expect(TToken::Comma, "',' expected") && Number(V); }

    bool Integer(int& V)
    {
        double D = 0;
        if (!Number(D))
            return false;
        if (D != std::floor(D) || std::fabs(D) > 1e9)
            return Fail("a whole number expected");
        V = static_cast<int>(D);
        return true;
    }

    bool Expect(TToken::TKind Kind, const char* What)
    {
        return Lex.Next().Kind == Kind || Fail(What);
    }

    bool Fail(const std::string& What)
    {
        if (Err.empty())
            Err = What;
        return false;
    }

    bool Bounds(TBounds& B)
    {
        double X1, Y1, X2, Y2;
        if (!(Expect(TToken::Open, "'(' expected") && Number(X1) && CommaNumber(Y1) &&
              Expect(TToken::Close, "')' expected") && Expect(TToken::Open, "'(' expected") &&
              Number(X2) && CommaNumber(Y2) && Expect(TToken::Close, "')' expected")))
            return false;
        B = {std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2)};
        return B[0] < B[2] && B[1] < B[3] ? true : Fail("empty bounds");
    }

    bool Affine(TCoordSys& Cs)
    {
        if (!IsWord(Lex.Next(), "Units"))
            return Fail("'Units' expected after 'Affine'");
        const TToken U = Lex.Next();
        if (U.Kind != TToken::String)
            return Fail("a unit name expected");
        Cs.HasAffine = true;
        Cs.AffineUnit = U.Text;
        for (double& V : Cs.Affine)
            if (!CommaNumber(V))
                return false;
        return true;
    }

    TLexer Lex;
    std::string& Err;
};

std::string Quote(const std::string& Text)
{
    return "\"" + Text + "\"";
}

} // namespace

bool ParseCoordSys(std::string_view Text, TCoordSys& Out, std::string& Error)
{
    TCoordSys Cs;
    TParser P(Text, Error);
    TToken T = P.Lex.Next();
    if (T.Kind == TToken::End) {
        Out = Cs;
        return true;
    }
    if (IsWord(T, "CoordSys"))
        T = P.Lex.Next();
    if (IsWord(T, "Earth")) {
        if (!IsWord(P.Lex.Next(), "Projection"))
            return P.Fail("'Projection' expected after 'Earth'");
        if (!P.Integer(Cs.Projection) || !P.Expect(TToken::Comma, "',' expected") || !P.Integer(Cs.Datum))
            return false;
        if (Cs.Datum == 999 || Cs.Datum == 9999) {
            if (!P.Expect(TToken::Comma, "',' expected") || !P.Integer(Cs.Ellipsoid))
                return false;
            for (double& V : Cs.Shift)
                if (!P.CommaNumber(V))
                    return false;
            if (Cs.Datum == 9999)
                for (double& V : Cs.DatumParams)
                    if (!P.CommaNumber(V))
                        return false;
        }
        while (P.Lex.Peek().Kind == TToken::Comma) {
            P.Lex.Next();
            const TToken V = P.Lex.Next();
            if (V.Kind == TToken::String && Cs.Unit.empty() && Cs.Params.empty())
                Cs.Unit = V.Text;
            else if (V.Kind == TToken::Number && Cs.Params.size() < 6)
                Cs.Params.push_back(V.Value);
            else
                return P.Fail("unexpected projection parameter");
        }
    } else if (IsWord(T, "NonEarth")) {
        Cs.NonEarth = true;
        Cs.Projection = 0;
        while (true) {
            const TToken K = P.Lex.Peek();
            if (IsWord(K, "Units")) {
                P.Lex.Next();
                const TToken U = P.Lex.Next();
                if (U.Kind != TToken::String)
                    return P.Fail("a unit name expected");
                Cs.Unit = U.Text;
            } else if (IsWord(K, "Affine")) {
                P.Lex.Next();
                if (!P.Affine(Cs))
                    return false;
            } else
                break;
        }
        if (Cs.Unit.empty())
            return P.Fail("'Units' expected after 'NonEarth'");
    } else
        return P.Fail("'Earth' or 'NonEarth' expected");
    while (true) {
        const TToken K = P.Lex.Next();
        if (K.Kind == TToken::End)
            break;
        if (IsWord(K, "Affine") && !Cs.HasAffine) {
            if (!P.Affine(Cs))
                return false;
        } else if (IsWord(K, "Bounds") && !Cs.HasBounds) {
            if (!P.Bounds(Cs.Bounds))
                return false;
            Cs.HasBounds = true;
        } else
            return P.Fail("unexpected '" + (K.Text.empty() ? std::string("symbol") : K.Text) + "'");
    }
    Out = Cs;
    return true;
}

std::string FormatCoordSys(const TCoordSys& Cs, bool WithBounds)
{
    std::string S;
    const auto Num = [&](double V) { S += ", " + FormatNumber(V); };
    const auto AffinePart = [&] {
        if (!Cs.HasAffine)
            return;
        S += " Affine Units " + Quote(Cs.AffineUnit);
        for (const double V : Cs.Affine)
            Num(V);
    };
    if (Cs.NonEarth) {
        S = "NonEarth";
        AffinePart();
        S += " Units " + Quote(Cs.Unit);
    } else {
        S = "Earth Projection " + std::to_string(Cs.Projection) + ", " + std::to_string(Cs.Datum);
        if (Cs.Datum == 999 || Cs.Datum == 9999) {
            S += ", " + std::to_string(Cs.Ellipsoid);
            for (const double V : Cs.Shift)
                Num(V);
            if (Cs.Datum == 9999)
                for (const double V : Cs.DatumParams)
                    Num(V);
        }
        if (!Cs.Unit.empty())
            S += ", " + Quote(Cs.Unit);
        for (const double V : Cs.Params)
            Num(V);
        AffinePart();
    }
    if (WithBounds && Cs.HasBounds)
        S += " Bounds (" + FormatNumber(Cs.Bounds[0]) + ", " + FormatNumber(Cs.Bounds[1]) + ") (" +
             FormatNumber(Cs.Bounds[2]) + ", " + FormatNumber(Cs.Bounds[3]) + ")";
    return S;
}

TCoordSys CoordSysOf(const OGRSpatialReference* Srs)
{
    TCoordSys Cs; // lat/long, what MapInfo assumes without a clause
    char* Text = nullptr;
    if (Srs && Srs->exportToMICoordSys(&Text) == OGRERR_NONE && Text) {
        std::string Error;
        TCoordSys Parsed;
        if (ParseCoordSys(Text, Parsed, Error))
            Cs = Parsed;
    }
    CPLFree(Text);
    return Cs;
}

std::unique_ptr<OGRSpatialReference> SpatialRefOf(const TCoordSys& Cs, std::string& Error)
{
    TCoordSys Plain = Cs;
    Plain.HasAffine = false;
    Plain.HasBounds = false;
    const std::string Text = FormatCoordSys(Plain, false);
    auto Srs = std::make_unique<OGRSpatialReference>();
    Srs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    if (Srs->importFromMICoordSys(Text.c_str()) != OGRERR_NONE) {
        Error = "GDAL does not know the CoordSys '" + Text + "'";
        return nullptr;
    }
    // GDAL falls back to other projections for numbers it does not know.
    const TCoordSys Back = CoordSysOf(Srs.get());
    if (Back.NonEarth != Cs.NonEarth || Back.Projection != Cs.Projection) {
        Error = "GDAL cannot store the projection of the CoordSys '" + Text + "'";
        return nullptr;
    }
    return Srs;
}

namespace {

struct TUnit {
    int Id;
    const char* Name;
};

// MapInfo's unit codes.
constexpr TUnit Units[] = {{0, "mi"}, {1, "km"}, {2, "in"}, {3, "ft"}, {4, "yd"}, {5, "mm"},
                           {6, "cm"}, {7, "m"}, {8, "survey ft"}, {9, "nmi"}, {13, "degree"},
                           {30, "li"}, {31, "ch"}, {32, "rd"}};

} // namespace

int UnitId(const std::string& Name)
{
    if (Name.empty())
        return 13;
    for (const auto& U : Units)
        if (Name == U.Name)
            return U.Id;
    return -1;
}

std::string UnitName(int Id)
{
    for (const auto& U : Units)
        if (U.Id == Id)
            return U.Name;
    return {};
}

int EllipsoidOfDatum(int Datum)
{
    static std::mutex Lock;
    static std::vector<std::array<double, 2>> Ellipsoids; // by MapInfo ellipsoid code
    static std::map<int, int> Known;
    const std::lock_guard<std::mutex> Guard(Lock);
    if (const auto It = Known.find(Datum); It != Known.end())
        return It->second;
    const auto AxesOf = [](const std::string& Clause, std::array<double, 2>& Axes) {
        OGRSpatialReference Srs;
        CPLPushErrorHandler(CPLQuietErrorHandler);
        const bool Ok = Srs.importFromMICoordSys(Clause.c_str()) == OGRERR_NONE;
        CPLPopErrorHandler();
        Axes = {Srs.GetSemiMajor(), Srs.GetInvFlattening()};
        return Ok;
    };
    if (Ellipsoids.empty())
        for (int E = 0; E < 64; ++E) {
            std::array<double, 2> Axes{};
            AxesOf("Earth Projection 1, 999, " + std::to_string(E) + ", 0, 0, 0", Axes);
            Ellipsoids.push_back(Axes);
        }
    int Found = -1;
    std::array<double, 2> Axes{};
    if (AxesOf("Earth Projection 1, " + std::to_string(Datum), Axes))
        for (std::size_t E = 0; E < Ellipsoids.size() && Found < 0; ++E)
            if (std::fabs(Ellipsoids[E][0] - Axes[0]) < 1e-3 && std::fabs(Ellipsoids[E][1] - Axes[1]) < 1e-6)
                Found = static_cast<int>(E);
    Known[Datum] = Found;
    return Found;
}

int ProjectionParamCount(int Projection)
{
    // Numbers after the unit for MapInfo's projections 0..34.
    static const int Counts[] = {0, 0, 2, 6, 3, 3, 6, 6, 5, 6, 1, 1, 1, 1, 1, 1, 1, 1,
                                 4, 6, 5, 5, 5, 5, 5, 4, 2, 4, 3, 3, 4, 5, 5, 6, 5};
    const int N = static_cast<int>(sizeof Counts / sizeof Counts[0]);
    return Projection >= 0 && Projection < N ? Counts[Projection] : 6;
}

bool ReadMapBounds(const std::string& MapPath, TBounds& Bounds)
{
    // The .map header block starts at byte 256 with the magic number
    // 42424242; 112 bytes further on are the scale and displacement that
    // map coordinates onto the integers -1e9 .. 1e9 the file stores.
    static_assert(std::endian::native == std::endian::little, "the header is little-endian");
    std::ifstream In(MapPath, std::ios::binary);
    char Header[400];
    if (!In.read(Header, sizeof Header))
        return false;
    std::int32_t Magic = 0;
    std::memcpy(&Magic, Header + 256, 4);
    if (Magic != 42424242)
        return false;
    double T[4];
    std::memcpy(T, Header + 368, sizeof T);
    for (const double V : T)
        if (!std::isfinite(V))
            return false;
    if (T[0] == 0 || T[1] == 0)
        return false;
    const double X1 = (-1e9 - T[2]) / T[0], X2 = (1e9 - T[2]) / T[0];
    const double Y1 = (-1e9 - T[3]) / T[1], Y2 = (1e9 - T[3]) / T[1];
    Bounds = {std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2)};
    // The division leaves noise below the stored precision: keep 10 digits
    // of each axis' range.
    for (int I = 0; I < 4; ++I) {
        const double Range = Bounds[I % 2 + 2] - Bounds[I % 2];
        if (!(Range > 0) || !std::isfinite(Range))
            return false;
        const double Step = std::pow(10.0, std::floor(std::log10(Range)) - 9);
        Bounds[I] = std::round(Bounds[I] / Step) * Step;
    }
    return std::isfinite(Bounds[0]) && std::isfinite(Bounds[2]) && Bounds[0] < Bounds[2] &&
           Bounds[1] < Bounds[3];
}

} // namespace cartova::mitab
