#include "geometry/CoordConvertorU.h"

#include <bit>
#include <cmath>
#include <cstdint>

// Every expression is evaluated in extended precision (long double, 80-bit on
// x86-64); every named intermediate is stored as a double, as the series were
// tabulated. Coefficients are extended literals with exactly the decimal value
// shown, except where a comment says single or double.

namespace cartova {

namespace {

using LD = long double;

constexpr LD Pi = 3.141592653589793238462643383279502884L;

LD DegToRad(LD Degrees) { return Degrees * (Pi / 180.0L); }
LD RadToDeg(LD Radians) { return Radians * (180.0L / Pi); }
LD Sqr(LD V) { return V * V; }

// The zone width, 6 degrees in radians as a double; slightly more than
// 6 degrees, so a point on a central meridian lands about 1.6e-10 radians
// west of it.
const double ZoneWidth = std::bit_cast<double>(std::uint64_t{0x3FBACEE9F3963613}); // 0.10471975514357039

// A single (32-bit) constant: exactly 6367558.5.
constexpr float MeridianScale = 6367558.5f;
// Single constants of the footpoint latitude series (integers, exact).
constexpr float F24 = 24.0f, F2936 = 2936.0f, F502217 = 502217.0f, F10000 = 10000.0f;

} // namespace

void BL2XY(double B, double L, double& X, double& Y, int ZoneShift)
{
    const double b = static_cast<double>(DegToRad(B));
    double l = static_cast<double>(DegToRad(L));
    const double w = ZoneWidth;
    if (l < 0)
        l = static_cast<double>(l + 6.283185308L);
    // The zone number minus one. Kept as a floating value so that absurd
    // longitudes (or NaN) give absurd values instead of an integer overflow.
    const LD n = std::floor(static_cast<LD>(l) / w);
    l = static_cast<double>(l - (n - ZoneShift) * w - static_cast<LD>(w) / 2);

    const double c = static_cast<double>(Sqr(std::cos(static_cast<LD>(b))));
    const LD cc = c;
    const double a3 = static_cast<double>((0.001123L * cc + 0.333333L) * cc - 0.166667L);
    const double a4 = static_cast<double>((0.00252L * cc + 0.25L) * cc - 0.04166L);
    const double a0 = static_cast<double>(32140.404L - (135.3302L - (0.7092L - 0.004L * cc) * cc) * cc);
    const double a5 = static_cast<double>(0.0083L - (0.1667L - (0.1968L + 0.004L * cc) * cc) * cc);
    const double a6 = static_cast<double>((0.166L * cc - 0.084L) * cc);
    // Radius of curvature in the prime vertical, metres.
    const double N = static_cast<double>(6399698.902L - (21562.267L - (108.973L - 0.612L * cc) * cc) * cc);

    const LD bb = b, l2 = Sqr(static_cast<LD>(l));
    const LD sb = std::sin(bb), cb = std::cos(bb);
    X = static_cast<double>(6367558.4969L * bb -
                            sb * (a0 - (0.5L + (a4 + a6 * l2) * l2) * l2 * N) * cb);
    Y = static_cast<double>(cb * (1.0L + (a3 + a5 * l2) * l2) * l * N);
    Y = static_cast<double>(((n + 1 - ZoneShift) * 1000000.0L + Y) + 500000.0L);
}

void XY2BL(double X, double Y, double& B, double& L)
{
    // The zone number, and the easting within the zone: the remainder of
    // floor(Y) by 1 000 000 (taking the sign of floor(Y)).
    const LD Zone = std::floor(static_cast<LD>(Y) / 1000000.0L);
    const LD Easting = std::fmod(std::floor(static_cast<LD>(Y)), 1000000.0L);
    XY2BLInZone(X, static_cast<double>(Zone), static_cast<double>(Easting), B, L);
}

void XY2BLInZone(double X, double Zone, double Easting, double& B, double& L)
{
    const double beta = static_cast<double>(X / static_cast<LD>(MeridianScale));
    const LD n = Zone;
    // f - 0.5 is the easting offset in units of 1000 km.
    const double f = static_cast<double>(Easting / 1000000.0L);
    // Central meridian of zone n, radians.
    const double l0 = static_cast<double>((n - 0.5L) / 9.5492966L);

    // Footpoint latitude.
    const LD be = beta, sbe = std::sin(be), cbe = std::cos(be), cbe2 = Sqr(cbe);
    const double B0 = static_cast<double>(
        be + sbe * cbe * ((F24 * cbe2 + F2936) * cbe2 + F502217) / F10000 / F10000);

    const LD b0 = B0, sb0 = std::sin(b0), cb0 = std::cos(b0);
    const double c = static_cast<double>(Sqr(cb0));
    const LD cc = c;
    const double z0 = static_cast<double>(std::sqrt(1.0L + 0.00673853L * cc) * (f - 0.5L) / cb0 / 6.3996989L);
    const double b2 = static_cast<double>((0.5L + 0.00337L * cc) * sb0 * cb0);
    const double b3 = static_cast<double>((0.0011L * cc - 0.1667L) * cc + 0.3333L);
    const double b4 = static_cast<double>(0.162L * cc + 0.25L);
    const double b5 = static_cast<double>(0.17L * cc - 0.2L);

    const LD z2 = Sqr(static_cast<LD>(z0));
    const double Br = static_cast<double>(b0 + (b4 * z2 - 1.0L) * b2 * z2);
    const double Lr = static_cast<double>(l0 + z0 * (1.0L - (b3 + b5 * z2) * z2));
    B = static_cast<double>(RadToDeg(Br));
    L = static_cast<double>(RadToDeg(Lr));
}

} // namespace cartova
