#pragma once
// TCircle: a centre (vertex 0 of part 0) and a radius in map units.

#include "objects/CustomMapObject.h"

namespace cartova {

/// A circle; the rim belongs to it.
class TCircle : public TCustomMapObject {
public:
    /// One part holding (0, 0); radius 0.
    TCircle();

    /// The centre; reading first adds a part and the vertex (0, 0) when
    /// missing.
    double GetX() const;
    double GetY() const;
    /// Writes the centre's X (Y): adds a part, or the vertex (Value, 0)
    /// ((0, Value)) when missing, otherwise sets the coordinate directly.
    void SetX(double Value);
    void SetY(double Value);
    double GetRadius() const { return FRadius; }
    /// Stores the value only.
    void SetRadius(double Value) { FRadius = Value; }

    /// Copies another circle's radius besides the base data.
    void Assign(const TPersistent* Source) override;
    /// Centre ± radius.
    TBounds GetExtent() const override;

    /// The ellipse around the centre with the canvas pen and brush.
    void Draw() override;
    void DrawSelection() override;

    /// Distance to the centre at most the radius.
    bool ContainsPoint(double PX, double PY) const override;
    /// At least one vertex of the other object inside the circle.
    bool Contains(const TCustomMapObject* MapObject) const override;
    /// Circles: centres closer than the sum of the radii; otherwise any
    /// vertex of the other object inside this circle.
    bool Intersects(const TCustomMapObject* MapObject) const override;
    /// Any corner of the rectangle in the circle.
    bool IntersectsRect(double X0, double Y0, double X1, double Y1) const override;
    /// The circle strictly inside the rectangle.
    bool WithinRect(double X0, double Y0, double X1, double Y1) const override;
    /// All four corners in the circle.
    bool ContainsRect(double X0, double Y0, double X1, double Y1) const override;

private:
    TMapPoints& Centre() const;
    double FRadius = 0.0;
};

} // namespace cartova
