#pragma once
// GeoCircle::TGeoCircle: a cheap geodesic circle for maps in degrees, drawn as
// an axis-parallel ellipse whose half-axes are the radius (metres) converted
// to degrees of longitude and of latitude at the centre. The conversion
// measures one arc-second in each direction in the Gauss–Krüger plane of the
// centre's zone (geometry/CoordConvertorU.h).
//
// It lives in namespace cartova::GeoCircle: the region-based geodesic circle
// of objects/GeoCircleRegion.h is cartova::TGeoCircle.

#include "objects/CustomMapObject.h"

namespace cartova::GeoCircle {

/// An ellipse around (X, Y) = (longitude, latitude) in degrees. Part 0 holds
/// the corners of its box: (X − dX, Y − dY), (X − dX, Y + dY),
/// (X + dX, Y + dY), (X + dX, Y − dY), dX and dY being the radius in degrees
/// of longitude and latitude.
///
/// Writing X, Y or Radius recomputes the corners and the bounding box, so the
/// spatial index and the selection find the circle where it is.
class TGeoCircle : public TCustomMapObject {
public:
    /// Centre (0, 0), radius 0; the corners are (0, 0), (0, 1), (1, 1), (1, 0)
    /// until a property is first written.
    TGeoCircle();

    /// Copies the base data, the centre and the radius of another ellipse circle.
    void Assign(const TPersistent* Source) override;

    /// Radius on the ground, metres.
    double GetRadius() const { return FRadius; }
    void SetRadius(double Value);
    /// Longitude of the centre, degrees.
    double GetX() const { return FX; }
    void SetX(double Value);
    /// Latitude of the centre, degrees.
    double GetY() const { return FY; }
    void SetY(double Value);

    /// Writes the four corners from the centre and the radius (adding the
    /// part and vertices when they are missing).
    void RecalculatePoints();

    /// An ellipse in the box from corner 0 to corner 2, with the canvas pen
    /// and brush as Paint left them.
    void Draw() override;
    /// Toggles the exclusive-or highlight: prepares the canvas, then draws.
    void DrawSelection() override;

    /// The point lies in the ellipse inscribed in the box of corners 0 and 2
    /// (rim included); false for a degenerate box or fewer than four corners.
    bool ContainsPoint(double PX, double PY) const override;
    // Intersects, Contains, IntersectsRect, WithinRect and ContainsRect are
    // the base versions: over the corner box and the ellipse's ContainsPoint.

private:
    double FRadius = 0.0;
    double FY = 0.0;
    double FX = 0.0;
};

} // namespace cartova::GeoCircle
