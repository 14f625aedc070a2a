// Parts of vertices and GDAL's geometries.
#pragma once

#include <memory>
#include <string>
#include <vector>

class OGRGeometry;

namespace cartova::mitab {

struct TPoint {
    double X = 0;
    double Y = 0;
};
using TPart = std::vector<TPoint>;

// The vertices of a geometry's points, lines or rings, one part each; for
// polygons Interior tells the holes.
void AppendParts(const OGRGeometry& Geometry, std::vector<TPart>& Parts, std::vector<char>& Interior);

// For each ring: whether it is a hole, that is inside an odd number of the
// other rings.
std::vector<char> RingHoles(const std::vector<TPart>& Rings);

// Rings as a polygon or multipolygon: each ring is closed, and a ring inside
// an odd number of others is a hole of the innermost of them. Null with a
// message for rings of fewer than three points.
std::unique_ptr<OGRGeometry> RegionOf(const std::vector<TPart>& Rings, std::string& Error);

// Parts as a line string or multilinestring; null for parts of fewer than two points.
std::unique_ptr<OGRGeometry> PolylineOf(const std::vector<TPart>& Parts, std::string& Error);

// The points of an elliptical arc, counterclockwise from Start to End degrees
// in steps of at most two degrees.
TPart ArcPoints(double CX, double CY, double RX, double RY, double Start, double End);

// The closed ring of the rectangle, or of the ellipse, that the parts' bounding box holds.
TPart RectangleRing(const std::vector<TPart>& Parts);
TPart EllipseRing(const std::vector<TPart>& Parts);

} // namespace cartova::mitab
