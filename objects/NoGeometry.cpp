#include "objects/NoGeometry.h"

namespace cartova {

bool TNoGeometry::ContainsPoint(double, double) const { return false; }
bool TNoGeometry::Intersects(const TCustomMapObject*) const { return false; }
bool TNoGeometry::Contains(const TCustomMapObject*) const { return false; }
bool TNoGeometry::Within(const TCustomMapObject*) const { return false; }
bool TNoGeometry::IntersectsRect(double, double, double, double) const { return false; }
bool TNoGeometry::WithinRect(double, double, double, double) const { return false; }
bool TNoGeometry::ContainsRect(double, double, double, double) const { return false; }

} // namespace cartova
