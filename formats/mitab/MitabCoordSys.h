// MapInfo CoordSys clauses: parsing, writing, the projection record the
// interface hands out, and the conversion to GDAL's spatial references.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class OGRSpatialReference;

namespace cartova::mitab {

// Bounds as MinX, MinY, MaxX, MaxY.
using TBounds = std::array<double, 4>;

struct TCoordSys {
    bool NonEarth = false;
    int Projection = 1;
    int Datum = 0;
    int Ellipsoid = -1;                         // of datums 999 and 9999
    std::array<double, 3> Shift{};              // datums 999 and 9999
    std::array<double, 5> DatumParams{};        // datum 9999
    std::string Unit;                           // "m"; empty for lat/long
    std::vector<double> Params;                 // after the unit, at most 6
    bool HasAffine = false;
    std::string AffineUnit;
    std::array<double, 6> Affine{};
    bool HasBounds = false;
    TBounds Bounds{};
};

// Parses "[CoordSys] Earth Projection 8, 104, "m", 15, 0, 0.9996, 500000, 0
// [Affine Units "m", A, B, C, D, E, F] [Bounds (x1, y1) (x2, y2)]" or
// "[CoordSys] NonEarth Units "m" [Bounds ...]". Empty text is lat/long
// (Earth Projection 1, 0). False, with a message, on anything else.
bool ParseCoordSys(std::string_view Text, TCoordSys& Out, std::string& Error);

// The clause without the keyword CoordSys; with its Bounds part when asked.
std::string FormatCoordSys(const TCoordSys& Cs, bool WithBounds);

// The clause of a GDAL spatial reference (lat/long for none).
TCoordSys CoordSysOf(const OGRSpatialReference* Srs);

// GDAL's spatial reference of a clause; null with a message when GDAL does
// not know the projection, or would store something else.
std::unique_ptr<OGRSpatialReference> SpatialRefOf(const TCoordSys& Cs, std::string& Error);

// MapInfo's unit codes and names (7 "m", 3 "ft", 13 degrees, ...).
int UnitId(const std::string& Name);
std::string UnitName(int Id);

// The ellipsoid a datum number stands for (MapInfo's ellipsoid codes); -1
// when unknown.
int EllipsoidOfDatum(int Datum);

// How many parameters follow the unit for a projection number.
int ProjectionParamCount(int Projection);

// The bounds a TAB file's .map header holds; false when it cannot be read.
bool ReadMapBounds(const std::string& MapPath, TBounds& Bounds);

} // namespace cartova::mitab

// The projection record of the interface.
struct mitab_projinfo_s {
    cartova::mitab::TCoordSys CoordSys;
};
