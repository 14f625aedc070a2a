#pragma once
// TRectangle: an axis-parallel rectangle given by two corners, the two
// vertices of the first part as written.

#include "objects/CustomMapObject.h"

namespace cartova {

/// A rectangle from vertex 0 and vertex 1 of part 0 (either order).
class TRectangle : public TCustomMapObject {
public:
    /// One part holding (0, 0) and (0, 0).
    TRectangle();

    /// The smaller and larger X and Y of the two corners. Reading or writing
    /// first pads the first part with (0, 0) vertices up to two.
    double GetX0() const;
    double GetY0() const;
    double GetX1() const;
    double GetY1() const;
    /// X0/Y0 write vertex 0's X/Y, X1/Y1 vertex 1's, directly: no bounds
    /// update, no repaint.
    void SetX0(double Value);
    void SetY0(double Value);
    void SetX1(double Value);
    void SetY1(double Value);

    /// The normalised box of the two corners.
    TBounds GetExtent() const override;

    /// Optional background fill, then the rectangle with the object's own pen
    /// and brush (which replace a selection style Paint had set).
    void Draw() override;
    void DrawSelection() override;

    /// ContainsRect of the other object's box.
    bool Contains(const TCustomMapObject* MapObject) const override;
    /// Any vertex of the other object inside this box.
    bool Intersects(const TCustomMapObject* MapObject) const override;
    /// Any corner of the rectangle inside this box (corners only).
    bool IntersectsRect(double X0, double Y0, double X1, double Y1) const override;
    bool WithinRect(double X0, double Y0, double X1, double Y1) const override;
    bool ContainsRect(double X0, double Y0, double X1, double Y1) const override;

private:
    TMapPoints& Corners() const;
};

} // namespace cartova
