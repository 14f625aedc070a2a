#pragma once
// Geodetic latitude/longitude <-> Gauss–Krüger plane coordinates (transverse
// Mercator in 6-degree zones on the Krasovsky 1940 ellipsoid), by short series
// with fixed coefficients.
//
// Y carries the zone number in front of the easting:
//   Y = zone * 1 000 000 + 500 000 + easting offset from the central meridian,
// where zone k (counted from 1) has its central meridian at 6k - 3 degrees east.
// X is the northing. Angles are in degrees, X and Y in metres.
//
// The series are truncated, yet over whole zones from the equator to 80
// degrees north BL2XY stays within 6 mm of a full transverse Mercator
// projection, and XY2BL within 11 cm for whole-metre coordinates; XY2BL drops
// the easting's fraction of a metre first, so in general it is within 1.1 m
// (tests/geometry/CoordConvertorTest.cpp measures both against PROJ). A round
// trip is therefore not exact either. Nothing is validated: any input gives a
// result (NaN in, NaN out), no exception is raised.

namespace cartova {

/// Latitude B and longitude L (degrees) to northing X and zone-prefixed
/// easting Y (metres). ZoneShift 0 projects into the point's own zone; a
/// positive value projects into the zone that many zones further west and
/// labels Y with that zone's number. A negative L is moved into 0..360 once.
void BL2XY(double B, double L, double& X, double& Y, int ZoneShift = 0);

/// Northing X and zone-prefixed easting Y (metres) to latitude B and
/// longitude L (degrees). L is the zone's central meridian plus the offset,
/// so zones past 30 give longitudes above 180.
void XY2BL(double X, double Y, double& B, double& L);

/// XY2BL with the zone given apart: Easting is the distance in metres from
/// the zone's false origin (500 000 on its central meridian) and may reach
/// beyond 0..1 000 000, where the zone-prefixed form would name another zone.
/// XY2BL(X, Y) is XY2BLInZone(X, floor(Y / 1e6), floor(Y) mod 1e6): the
/// easting's fraction of a metre is dropped there, not here.
void XY2BLInZone(double X, double Zone, double Easting, double& B, double& L);

} // namespace cartova
