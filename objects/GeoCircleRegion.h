#pragma once
// TGeoCircle: a circle of a radius in metres around a geographic centre
// (longitude, latitude in degrees), kept as one closed ring of vertices and
// drawn, filled and hit-tested as a region. The ring is computed in the
// Gauss–Krüger plane of the centre's zone (geometry/CoordConvertorU.h), so it
// follows the ground: at 60 degrees north it is about twice as wide in degrees
// of longitude as it is high in degrees of latitude.

#include "objects/Region.h"

namespace cartova {

/// A geodesic circle: PieCount vertices at equal bearings around the centre,
/// clockwise from the first at bearing 360 / PieCount to the last at north,
/// and a copy of the first closing the ring. X is longitude, Y latitude.
///
/// Like every object's geometry setters, the property setters leave the
/// bounding box to the caller: the new ring's vertices extend the box (it only
/// grows); UpdateBounds makes it exact.
class TGeoCircle : public TRegion {
public:
    /// Centre (0, 0), radius 100 km, 90 vertices plus the closing one.
    TGeoCircle();

    /// Copies the base data, the centre, radius and vertex count of another
    /// geodesic circle.
    void Assign(const TPersistent* Source) override;

    /// Longitude of the centre, degrees.
    double GetCenterX() const { return FCenterX; }
    void SetCenterX(double Value);
    /// Latitude of the centre, degrees.
    double GetCenterY() const { return FCenterY; }
    void SetCenterY(double Value);
    /// Radius on the ground, metres.
    double GetRadius() const { return FRadius; }
    void SetRadius(double Value);
    /// Number of ring vertices before the closing one. Raises ERangeError for
    /// 0 or less and leaves the circle unchanged.
    int GetPieCount() const { return FPieCount; }
    void SetPieCount(int Value);

    /// Replaces the parts by one ring computed from the centre, radius and
    /// vertex count: each vertex is the centre's plane position moved by the
    /// radius along its bearing, taken back to degrees in the centre's zone.
    /// Longitudes past 180 are brought back by 360.
    void GeneratePoints();

private:
    double FCenterX = 0.0;
    double FCenterY = 0.0;
    double FRadius = 100000.0;
    int FPieCount = 90;
};

} // namespace cartova
