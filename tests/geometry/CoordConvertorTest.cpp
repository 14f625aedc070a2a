// Gauss–Krüger series: zones, the central meridian, round trips, and an
// independent check against PROJ's transverse Mercator (cs2cs from proj-bin)
// over whole zones between the equator and 80 degrees north.
#include "geometry/CoordConvertorU.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <QStringList>

#include <cmath>
#include <iostream>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace cartova;

namespace {

int ZoneOf(double Y) { return static_cast<int>(std::floor(Y / 1000000.0)); }

TEST(CoordConvertor, ZonesAndCentralMeridian)
{
    double X = 0, Y = 0;
    // West of zone 7's central meridian (39 degrees).
    BL2XY(55.75, 37.6, X, Y, 0);
    EXPECT_EQ(ZoneOf(Y), 7);
    EXPECT_GT(Y, 7000000.0);
    EXPECT_LT(Y, 7500000.0);
    EXPECT_NEAR(X, 6181724.28, 0.01); // PROJ: 6181724.2760
    EXPECT_NEAR(Y, 7412088.84, 0.01); // PROJ: 7412088.8357

    // On the central meridian the easting is 500 000 within a millimetre,
    // though not exactly (the zone width constant is a little over 6 degrees).
    BL2XY(55.75, 39.0, X, Y, 0);
    EXPECT_NEAR(Y, 7500000.0, 0.001);
    EXPECT_NE(Y, 7500000.0);

    // Projected one zone further west: zone 6, central meridian 33 degrees.
    double X6 = 0, Y6 = 0;
    BL2XY(55.75, 37.6, X6, Y6, 1);
    EXPECT_EQ(ZoneOf(Y6), 6);
    EXPECT_GT(Y6, 6500000.0); // east of 33 degrees
    // 4.6 degrees east of 33 and 1.4 degrees west of 39: the eastings differ.
    EXPECT_GT(Y6 - 6500000.0, 7500000.0 - Y);

    // A negative longitude is moved into 0..360: -3 is zone 60's central
    // meridian (357 degrees).
    BL2XY(10.0, -3.0, X, Y, 0);
    EXPECT_EQ(ZoneOf(Y), 60);
    EXPECT_LT(Y, 60500000.0);
    EXPECT_GT(Y, 60500000.0 - 0.01);
    BL2XY(10.0, -3.5, X, Y, 0);
    EXPECT_EQ(ZoneOf(Y), 60);
    EXPECT_LT(Y, 60500000.0 - 50000.0);

    // The equator maps to northing 0 on every meridian; the south is negative.
    BL2XY(0.0, 39.0, X, Y, 0);
    EXPECT_NEAR(X, 0.0, 1e-6);
    BL2XY(-10.0, 39.0, X, Y, 0);
    EXPECT_LT(X, -1000000.0);

    // Back from the central meridian: 39 degrees within the precision of the
    // zone constant.
    double B = 0, L = 0;
    XY2BL(6000000.0, 7500000.0, B, L);
    EXPECT_NEAR(L, 39.0, 1e-7);
    XY2BL(0.0, 7500000.0, B, L);
    EXPECT_DOUBLE_EQ(B, 0.0);
}

TEST(CoordConvertor, RoundTrip)
{
    double X = 0, Y = 0, B = 0, L = 0;
    BL2XY(55.75, 37.6, X, Y, 0);
    XY2BL(X, Y, B, L);
    EXPECT_NEAR(B, 55.7499997, 5e-8);
    EXPECT_NEAR(L, 37.5999866, 5e-8);

    // Everywhere in a zone a round trip lands within about a metre: at most
    // 1e-5 degrees of latitude (1.1 m) and 2e-5 degrees of longitude (well
    // under 1.2 m up to 55 degrees north).
    for (double Lat : {0.0, 30.0, 55.0})
        for (double Lon : {36.01, 37.0, 39.0, 40.5, 41.99}) {
            BL2XY(Lat, Lon, X, Y, 0);
            XY2BL(X, Y, B, L);
            EXPECT_NEAR(B, Lat, 1e-5) << Lat << " " << Lon;
            EXPECT_NEAR(L, Lon, 2e-5) << Lat << " " << Lon;
        }

    // Beyond a zone's band of eastings: 43.6 degrees east on the equator,
    // projected into zone 7 (central meridian 39), is 512 km east of it, and
    // its Y reads as zone 8. Given the zone apart, it comes back.
    BL2XY(0.0, 43.6, X, Y, 1);
    ASSERT_GT(Y, 8000000.0);
    XY2BLInZone(X, 7, Y - 7000000.0, B, L);
    EXPECT_NEAR(L, 43.6, 2e-5);
    EXPECT_NEAR(B, 0.0, 1e-9);
    XY2BL(X, Y, B, L);
    EXPECT_GT(std::fabs(L - 43.6), 2.0); // read as zone 8: about 3 degrees off
    // Inside the band both forms agree to the last bit (the easting rounded
    // down to whole metres).
    BL2XY(55.75, 37.6, X, Y, 0);
    double B2 = 0, L2 = 0;
    XY2BL(X, Y, B, L);
    XY2BLInZone(X, 7, std::floor(Y) - 7000000.0, B2, L2);
    EXPECT_EQ(B, B2);
    EXPECT_EQ(L, L2);

    // Zones past 30 give longitudes past 180.
    BL2XY(60.0, -170.0, X, Y, 0);
    EXPECT_EQ(ZoneOf(Y), 32);
    XY2BL(X, Y, B, L);
    EXPECT_NEAR(L, 190.0, 2e-5);
}

TEST(CoordConvertor, AnyInputGivesAResult)
{
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    double X = 0, Y = 0, B = 0, L = 0;
    BL2XY(NaN, NaN, X, Y, 0);
    EXPECT_TRUE(std::isnan(X) && std::isnan(Y));
    XY2BL(NaN, NaN, B, L);
    EXPECT_TRUE(std::isnan(B) && std::isnan(L));
    BL2XY(1e300, 1e300, X, Y, 0);
    XY2BL(1e300, -1e300, B, L);
    BL2XY(45.0, 1e12, X, Y, 1000000);
    SUCCEED();
}

// ---- against PROJ ------------------------------------------------------------

/// PROJ's Gauss–Krüger zone Zone on the Krasovsky ellipsoid, false easting
/// carrying the zone number as the series do.
std::string ZoneProjection(int Zone)
{
    return "+proj=tmerc +lat_0=0 +lon_0=" + std::to_string(6 * Zone - 3) +
           " +k=1 +x_0=" + std::to_string(Zone * 1000000 + 500000) + " +y_0=0 +ellps=krass";
}

/// Runs cs2cs From +to To over the coordinate pairs In; returns the output pairs.
std::vector<std::pair<double, double>> Cs2cs(const std::string& From, const std::string& To,
                                             const std::vector<std::pair<double, double>>& In)
{
    QStringList Args{"-f", "%.9f"};
    for (const std::string& S : {From, std::string("+to"), To})
        for (const QString& W : QString::fromStdString(S).split(' '))
            Args << W;
    std::ostringstream Input;
    Input.precision(17);
    for (const auto& [A, B] : In)
        Input << A << ' ' << B << '\n';
    QProcess P;
    P.start("cs2cs", Args);
    if (!P.waitForStarted(10000)) {
        ADD_FAILURE() << "cs2cs (Debian package proj-bin) could not be started; run scripts/setup";
        return {};
    }
    P.write(QByteArray::fromStdString(Input.str()));
    P.closeWriteChannel();
    P.waitForFinished(60000);
    std::istringstream Output(P.readAllStandardOutput().toStdString());
    std::vector<std::pair<double, double>> Out;
    double A = 0, B = 0, Z = 0;
    while (Output >> A >> B >> Z)
        Out.emplace_back(A, B);
    EXPECT_EQ(Out.size(), In.size()) << P.readAllStandardError().toStdString();
    return Out;
}

/// Ground distance in metres between two nearby geodetic positions (degrees)
/// on the Krasovsky ellipsoid, from the local radii of curvature.
double GroundDistance(double B1, double L1, double B2, double L2)
{
    const double A = 6378245.0, F = 1 / 298.3, E2 = F * (2 - F);
    const double Rad = M_PI / 180, S = std::sin(B1 * Rad), W = 1 - E2 * S * S;
    const double M = A * (1 - E2) / (W * std::sqrt(W)), N = A / std::sqrt(W);
    return std::hypot((B2 - B1) * Rad * M, std::remainder(L2 - L1, 360.0) * Rad * N * std::cos(B1 * Rad));
}

struct TWorst {
    double Metres = 0;
    double B = 0, L = 0;
    void Take(double D, double AtB, double AtL)
    {
        if (D > Metres)
            *this = {D, AtB, AtL};
    }
};

std::ostream& operator<<(std::ostream& S, const TWorst& W)
{
    return S << W.Metres << " m at B " << W.B << ", L " << W.L;
}

// Points within 3 degrees of the central meridians of zones 1, 7, 15, 23, 30,
// 31, 47 and 60 (both sides of the antimeridian and of Greenwich), latitudes 0
// to 80. Each point is compared in the zone the series choose for it (a point
// on a zone edge belongs to one of its two zones).
//
// Measured on this grid: BL2XY within 5.6 mm of PROJ (largest on the
// equator at a zone edge); XY2BL within 6 cm on the central meridians and
// 10.5 cm at the zone edges for whole-metre coordinates, and within 1.09 m for
// any coordinates, because it drops the easting's fraction of a metre first.
TEST(CoordConvertor, AgreesWithProj)
{
    std::map<int, std::vector<std::pair<double, double>>> LatLonByZone; // (lon, lat)
    std::map<int, std::vector<std::pair<double, double>>> SeriesXYByZone;
    for (int CentralMeridian : {3, 39, 87, 135, 177, -177, -81, -3})
        for (int Lat = 0; Lat <= 80; Lat += 2)
            for (int K = -12; K <= 12; ++K) {
                const double Lon = CentralMeridian + K * 0.25;
                double X = 0, Y = 0;
                BL2XY(Lat, Lon, X, Y, 0);
                const int Zone = ZoneOf(Y);
                const double Wrapped = Lon < 0 ? Lon + 360 : Lon;
                ASSERT_LE(std::fabs(Wrapped - (6 * Zone - 3)), 3.0 + 1e-6) << Lat << " " << Lon;
                LatLonByZone[Zone].emplace_back(Lon, Lat);
                SeriesXYByZone[Zone].emplace_back(X, Y);
            }
    ASSERT_GE(LatLonByZone.size(), 8u);

    const std::string LongLat = "+proj=longlat +ellps=krass";
    TWorst Forward, ForwardNearMeridian, Inverse, InverseWholeMetres;
    for (const auto& [Zone, Points] : LatLonByZone) {
        const std::string GK = ZoneProjection(Zone);
        const auto Proj = Cs2cs(LongLat, GK, Points); // (easting, northing)
        ASSERT_EQ(Proj.size(), Points.size());
        std::vector<std::pair<double, double>> Whole;
        for (size_t I = 0; I < Points.size(); ++I) {
            const auto [Lon, Lat] = Points[I];
            const auto [E, N] = Proj[I];
            const auto [X, Y] = SeriesXYByZone[Zone][I];
            const double D = std::hypot(X - N, Y - E);
            Forward.Take(D, Lat, Lon);
            if (std::fabs(std::remainder(Lon - (6 * Zone - 3), 360.0)) <= 1.0)
                ForwardNearMeridian.Take(D, Lat, Lon);
            double B = 0, L = 0;
            XY2BL(N, E, B, L);
            Inverse.Take(GroundDistance(Lat, Lon, B, L), Lat, Lon);
            Whole.emplace_back(std::floor(E), std::floor(N));
        }
        // Whole-metre plane coordinates isolate the inverse series' own error.
        const auto Back = Cs2cs(GK, LongLat, Whole); // (lon, lat)
        ASSERT_EQ(Back.size(), Whole.size());
        for (size_t I = 0; I < Whole.size(); ++I) {
            double B = 0, L = 0;
            XY2BL(Whole[I].second, Whole[I].first, B, L);
            InverseWholeMetres.Take(GroundDistance(Back[I].second, Back[I].first, B, L),
                                    Back[I].second, Back[I].first);
        }
    }
    std::cout << "BL2XY - PROJ: largest " << Forward << "; within 1 degree of the meridian "
              << ForwardNearMeridian << "\nXY2BL - PROJ: largest " << Inverse
              << "; whole-metre input " << InverseWholeMetres << "\n";
    EXPECT_LT(Forward.Metres, 0.01) << Forward;
    EXPECT_LT(ForwardNearMeridian.Metres, 0.01) << ForwardNearMeridian;
    EXPECT_LT(InverseWholeMetres.Metres, 0.15) << InverseWholeMetres;
    EXPECT_LT(Inverse.Metres, 1.15) << Inverse;
}

} // namespace
