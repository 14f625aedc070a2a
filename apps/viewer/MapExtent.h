#pragma once
// The view of the whole map: the extent of the data, and the zoom and centre
// that show it.

#include "objects/MapPoints.h"

namespace cartova {
class TCartova;
}

namespace viewer {

/// The union of the extents of every object of every layer; false when the
/// map holds no object with an extent.
bool DataExtent(const cartova::TCartova& Map, cartova::TBounds& Extent);
/// Makes the data's extent the map's full extent (MinX … MaxY), so that zoom 1
/// shows all the data and the wheel's zoom range is relative to it. Nothing
/// when the map holds no object.
void AdoptDataExtent(cartova::TCartova& Map);
/// Centres the map on its data and zooms so that all of it shows, filling
/// Fill of the tighter side of the window. Nothing when the map holds no object.
void ShowWholeMap(cartova::TCartova& Map, double Fill = 0.95);

} // namespace viewer
