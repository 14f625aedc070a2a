#pragma once
// The viewer's picture of a map without a window: the files drawn as a
// finished map — a sea colour, the countries named by their layer's automatic
// labels where the names fit, the small countries as symbols — and
// antialiased by drawing at a larger scale and reducing smoothly.

#include <QImage>

#include <string>
#include <vector>

namespace cartova {
class TCartova;
class TMapLayer;
} // namespace cartova

namespace viewer {

/// The sea behind the land.
constexpr unsigned SeaColor = 0xF0DCB4;  // TColor: low byte red, a pale blue

/// Readies every layer of Map, drawn Scale times larger than it will be
/// shown, for a finished picture: pens and symbols Scale times larger, and
/// the automatic labels of the layer of regions that has a "name" column,
/// placed by PlaceLabels.
void StyleFinishedMap(cartova::TCartova& Map, int Scale);

/// Turns on Layer's automatic labels for the objects whose name fits in
/// their own box at the current view without covering a name already placed
/// (larger objects first): the names go to a "label" column added to the
/// layer (empty for the others), which becomes the label column. Returns how
/// many names were placed.
int PlaceLabels(cartova::TMapLayer& Layer, const std::string& NameColumn);

/// Opens Files into a map of Width × Height pixels drawn Scale times larger,
/// styles it as a finished map showing all the data, and returns the
/// picture reduced to Width × Height. Raises TFileError for a file that
/// cannot be opened.
QImage RenderFinishedMap(const std::vector<std::string>& Files, int Width, int Height, int Scale = 2);

} // namespace viewer
