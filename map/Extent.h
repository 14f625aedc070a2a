#pragma once
// The extent of a group of objects and zooming the map to it, shared by
// "zoom to layer" and "zoom to selection".

#include "objects/MapPoints.h"

#include <vector>

namespace cartova {

class TCartova;
class TCustomMapObject;

/// The union of the objects' extents: a text counts by its box, any other
/// object of one part with one vertex as that vertex, the rest by their parts' box. Starts from the empty
/// box (minima 2147483647, maxima -2147483647).
TBounds GatherExtent(const std::vector<TCustomMapObject*>& Objects);

/// Inside one update: centres Map on Extent and, when Extent has width and
/// height, sets the zoom to the larger of the two extent ratios.
void ZoomMapToExtent(TCartova* Map, const TBounds& Extent);

} // namespace cartova
