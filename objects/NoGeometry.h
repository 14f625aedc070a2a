#pragma once
// TNoGeometry: an object that holds only an attribute record, for a file
// row whose geometry is empty (MIF "None"). It keeps its place in the layer
// and its values in the attribute grid, is written back as a row without
// geometry, and never draws or answers a hit test.

#include "objects/CustomMapObject.h"

namespace cartova {

/// An attribute record without geometry: no parts, an empty extent.
class TNoGeometry : public TCustomMapObject {
public:
    /// Draws nothing and never shows, so it is not recorded as displayed and
    /// a click never finds it.
    bool IsShown() const override { return false; }

    /// Every predicate is false: the object lies nowhere.
    bool ContainsPoint(double X, double Y) const override;
    bool Intersects(const TCustomMapObject* MapObject) const override;
    bool Contains(const TCustomMapObject* MapObject) const override;
    bool Within(const TCustomMapObject* MapObject) const override;
    bool IntersectsRect(double X0, double Y0, double X1, double Y1) const override;
    bool WithinRect(double X0, double Y0, double X1, double Y1) const override;
    bool ContainsRect(double X0, double Y0, double X1, double Y1) const override;
};

} // namespace cartova
