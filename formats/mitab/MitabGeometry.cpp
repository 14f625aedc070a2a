#include "MitabGeometry.h"

#include <ogr_geometry.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace cartova::mitab {

namespace {

// A vertex; the TAB decoding can give -0, which is 0.
TPoint Vertex(double X, double Y)
{
    return {X + 0.0, Y + 0.0};
}

TPart PointsOf(const OGRSimpleCurve& Curve)
{
    TPart Part(static_cast<std::size_t>(Curve.getNumPoints()));
    for (int I = 0; I < Curve.getNumPoints(); ++I)
        Part[static_cast<std::size_t>(I)] = Vertex(Curve.getX(I), Curve.getY(I));
    return Part;
}

void AddPart(TPart Part, char IsHole, std::vector<TPart>& Parts, std::vector<char>& Interior)
{
    Parts.push_back(std::move(Part));
    Interior.push_back(IsHole);
}

struct TBox {
    double MinX = HUGE_VAL, MinY = HUGE_VAL, MaxX = -HUGE_VAL, MaxY = -HUGE_VAL;

    void Add(const TPoint& P)
    {
        MinX = std::min(MinX, P.X);
        MinY = std::min(MinY, P.Y);
        MaxX = std::max(MaxX, P.X);
        MaxY = std::max(MaxY, P.Y);
    }
    bool Holds(const TBox& B) const
    {
        return MinX <= B.MinX && MinY <= B.MinY && MaxX >= B.MaxX && MaxY >= B.MaxY;
    }
};

TBox BoxOf(const std::vector<TPart>& Parts)
{
    TBox Box;
    for (const auto& Part : Parts)
        for (const auto& P : Part)
            Box.Add(P);
    return Box;
}

// Even-odd test of a point against a ring given without its closing vertex.
bool Inside(const TPart& Ring, const TPoint& P)
{
    bool In = false;
    for (std::size_t I = 0, J = Ring.size() - 1; I < Ring.size(); J = I++) {
        const TPoint& A = Ring[I];
        const TPoint& B = Ring[J];
        if ((A.Y > P.Y) != (B.Y > P.Y) && P.X < (B.X - A.X) * (P.Y - A.Y) / (B.Y - A.Y) + A.X)
            In = !In;
    }
    return In;
}

OGRLinearRing* ClosedRing(const TPart& Ring)
{
    auto* R = new OGRLinearRing;
    R->setNumPoints(static_cast<int>(Ring.size()) + 1, FALSE);
    for (std::size_t I = 0; I < Ring.size(); ++I)
        R->setPoint(static_cast<int>(I), Ring[I].X, Ring[I].Y);
    R->setPoint(static_cast<int>(Ring.size()), Ring[0].X, Ring[0].Y);
    return R;
}

OGRLineString* LineOf(const TPart& Part)
{
    auto* L = new OGRLineString;
    L->setNumPoints(static_cast<int>(Part.size()), FALSE);
    for (std::size_t I = 0; I < Part.size(); ++I)
        L->setPoint(static_cast<int>(I), Part[I].X, Part[I].Y);
    return L;
}

} // namespace

void AppendParts(const OGRGeometry& Geometry, std::vector<TPart>& Parts, std::vector<char>& Interior)
{
    if (Geometry.IsEmpty())
        return;
    switch (wkbFlatten(Geometry.getGeometryType())) {
    case wkbPoint: {
        const auto& P = *Geometry.toPoint();
        AddPart({Vertex(P.getX(), P.getY())}, 0, Parts, Interior);
        return;
    }
    case wkbLineString:
    case wkbLinearRing:
        AddPart(PointsOf(*Geometry.toLineString()), 0, Parts, Interior);
        return;
    case wkbPolygon: {
        const auto& Polygon = *Geometry.toPolygon();
        if (const auto* Ring = Polygon.getExteriorRing())
            AddPart(PointsOf(*Ring), 0, Parts, Interior);
        for (int I = 0; I < Polygon.getNumInteriorRings(); ++I)
            AddPart(PointsOf(*Polygon.getInteriorRing(I)), 1, Parts, Interior);
        return;
    }
    case wkbMultiPoint: {
        TPart All;
        for (const auto* P : *Geometry.toMultiPoint())
            All.push_back(Vertex(P->getX(), P->getY()));
        AddPart(std::move(All), 0, Parts, Interior);
        return;
    }
    case wkbMultiLineString:
    case wkbMultiPolygon:
    case wkbGeometryCollection:
        for (const auto* Member : *Geometry.toGeometryCollection())
            AppendParts(*Member, Parts, Interior);
        return;
    default:
        if (Geometry.hasCurveGeometry()) {
            const std::unique_ptr<OGRGeometry> Linear(Geometry.getLinearGeometry());
            if (Linear)
                AppendParts(*Linear, Parts, Interior);
        }
        return;
    }
}

namespace {

// Rings without their closing vertex, and what holds each of them.
struct TRings {
    std::vector<TPart> Rings;
    std::vector<std::vector<std::size_t>> Holders;
};

bool OpenRings(const std::vector<TPart>& Parts, TRings& Out, std::string& Error)
{
    std::vector<TBox> Boxes;
    for (const auto& Part : Parts) {
        TPart Ring = Part;
        if (Ring.size() > 1 && Ring.front().X == Ring.back().X && Ring.front().Y == Ring.back().Y)
            Ring.pop_back();
        if (Ring.size() < 3) {
            Error = "a region ring needs at least three points";
            return false;
        }
        Boxes.push_back(BoxOf({Ring}));
        Out.Rings.push_back(std::move(Ring));
    }
    const std::size_t N = Out.Rings.size();
    Out.Holders.assign(N, {});
    for (std::size_t I = 0; I < N; ++I)
        for (std::size_t J = 0; J < N; ++J)
            if (I != J && Boxes[J].Holds(Boxes[I]) && Inside(Out.Rings[J], Out.Rings[I][0]))
                Out.Holders[I].push_back(J);
    return true;
}

} // namespace

std::vector<char> RingHoles(const std::vector<TPart>& Parts)
{
    std::vector<char> Holes(Parts.size(), 0);
    TRings R;
    std::string Ignored;
    if (OpenRings(Parts, R, Ignored))
        for (std::size_t I = 0; I < Parts.size(); ++I)
            Holes[I] = R.Holders[I].size() % 2;
    return Holes;
}

std::unique_ptr<OGRGeometry> RegionOf(const std::vector<TPart>& Parts, std::string& Error)
{
    TRings R;
    if (!OpenRings(Parts, R, Error))
        return nullptr;
    if (R.Rings.empty()) {
        Error = "a region needs at least one ring";
        return nullptr;
    }
    // Rings held by an even number of others are outer rings; the rest are
    // holes of the deepest ring that holds them.
    const std::size_t N = R.Rings.size();
    std::vector<int> PolygonOf(N, -1);
    auto Multi = std::make_unique<OGRMultiPolygon>();
    std::vector<OGRPolygon*> Polygons;
    for (std::size_t I = 0; I < N; ++I)
        if (R.Holders[I].size() % 2 == 0) {
            auto Polygon = std::make_unique<OGRPolygon>();
            Polygon->addRingDirectly(ClosedRing(R.Rings[I]));
            PolygonOf[I] = static_cast<int>(Polygons.size());
            Polygons.push_back(Polygon.get());
            Multi->addGeometryDirectly(Polygon.release());
        }
    for (std::size_t I = 0; I < N; ++I) {
        const auto& Holders = R.Holders[I];
        if (Holders.size() % 2 == 0)
            continue;
        const auto Parent = std::max_element(Holders.begin(), Holders.end(), [&](std::size_t A, std::size_t B) {
            return R.Holders[A].size() < R.Holders[B].size();
        });
        if (PolygonOf[*Parent] >= 0) {
            Polygons[static_cast<std::size_t>(PolygonOf[*Parent])]->addRingDirectly(ClosedRing(R.Rings[I]));
            continue;
        }
        // Rings that hold each other (duplicates) stay outer rings.
        auto Polygon = std::make_unique<OGRPolygon>();
        Polygon->addRingDirectly(ClosedRing(R.Rings[I]));
        Multi->addGeometryDirectly(Polygon.release());
    }
    if (Multi->getNumGeometries() == 1)
        return std::unique_ptr<OGRGeometry>(Multi->getGeometryRef(0)->clone());
    return Multi;
}

std::unique_ptr<OGRGeometry> PolylineOf(const std::vector<TPart>& Parts, std::string& Error)
{
    if (Parts.empty()) {
        Error = "a polyline needs at least one part";
        return nullptr;
    }
    for (const auto& Part : Parts)
        if (Part.size() < 2) {
            Error = "a polyline part needs at least two points";
            return nullptr;
        }
    if (Parts.size() == 1)
        return std::unique_ptr<OGRGeometry>(LineOf(Parts[0]));
    auto Multi = std::make_unique<OGRMultiLineString>();
    for (const auto& Part : Parts)
        Multi->addGeometryDirectly(LineOf(Part));
    return Multi;
}

TPart ArcPoints(double CX, double CY, double RX, double RY, double Start, double End)
{
    Start = std::fmod(Start, 360.0);
    End = std::fmod(End, 360.0);
    if (End <= Start)
        End += 360;
    const int Steps = std::max(2, static_cast<int>(std::ceil((End - Start) / 2)));
    TPart Part;
    Part.reserve(static_cast<std::size_t>(Steps) + 1);
    for (int I = 0; I <= Steps; ++I) {
        const double A = (Start + (End - Start) * I / Steps) * std::numbers::pi / 180;
        Part.push_back({CX + RX * std::cos(A), CY + RY * std::sin(A)});
    }
    return Part;
}

TPart RectangleRing(const std::vector<TPart>& Parts)
{
    const TBox B = BoxOf(Parts);
    return {{B.MinX, B.MinY}, {B.MaxX, B.MinY}, {B.MaxX, B.MaxY}, {B.MinX, B.MaxY}, {B.MinX, B.MinY}};
}

TPart EllipseRing(const std::vector<TPart>& Parts)
{
    const TBox B = BoxOf(Parts);
    TPart Ring = ArcPoints((B.MinX + B.MaxX) / 2, (B.MinY + B.MaxY) / 2, (B.MaxX - B.MinX) / 2,
                           (B.MaxY - B.MinY) / 2, 0, 360);
    Ring.back() = Ring.front();
    return Ring;
}

} // namespace cartova::mitab
