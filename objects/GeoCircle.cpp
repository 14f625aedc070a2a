#include "objects/GeoCircle.h"

#include "geometry/CoordConvertorU.h"

#include <cmath>

namespace cartova::GeoCircle {

namespace {

constexpr double ArcSecond = 1.0 / 3600.0;

/// The zone number Y carries in front of its easting.
double ZoneOf(double Y) { return std::floor(Y / 1000000.0); }

} // namespace

TGeoCircle::TGeoCircle()
{
    TMapPoints* Corners = GetParts()->Add()->GetPoints();
    Corners->Add(0, 0);
    Corners->Add(0, 1);
    Corners->Add(1, 1);
    Corners->Add(1, 0);
}

void TGeoCircle::Assign(const TPersistent* Source)
{
    TCustomMapObject::Assign(Source);
    if (const auto* Other = dynamic_cast<const TGeoCircle*>(Source)) {
        FRadius = Other->FRadius;
        FY = Other->FY;
        FX = Other->FX;
    }
}

void TGeoCircle::SetRadius(double Value)
{
    FRadius = Value;
    RecalculatePoints();
}

void TGeoCircle::SetX(double Value)
{
    FX = Value;
    RecalculatePoints();
}

void TGeoCircle::SetY(double Value)
{
    FY = Value;
    RecalculatePoints();
}

void TGeoCircle::RecalculatePoints()
{
    // Metres of one arc-second of latitude (mY) and of longitude (mX) at the
    // centre. Within an arc-second west of a zone edge the step east would
    // land in the next zone, whose eastings are not comparable: step west.
    double X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
    BL2XY(FY, FX, X0, Y0, 0);
    BL2XY(FY + ArcSecond, FX, X1, Y1, 0);
    const double MY = std::fabs(X1 - X0);
    BL2XY(FY, FX + ArcSecond, X1, Y1, 0);
    if (ZoneOf(Y1) != ZoneOf(Y0))
        BL2XY(FY, FX - ArcSecond, X1, Y1, 0);
    const double MX = std::fabs(Y1 - Y0);
    const double DY = FRadius / MY / 3600.0;
    const double DX = FRadius / MX / 3600.0;

    TParts* Parts = GetParts();
    if (Parts->Count() == 0)
        Parts->Add();
    TMapPoints& Corners = *Parts->First()->GetPoints();
    while (Corners.Count() < 4)
        Corners.Add(FX, FY);
    Corners[0] = {FX - DX, FY - DY};
    Corners[1] = {FX - DX, FY + DY};
    Corners[2] = {FX + DX, FY + DY};
    Corners[3] = {FX + DX, FY - DY};
    UpdateBounds();
}

void TGeoCircle::Draw()
{
    auto* Map = GetMap();
    if (!Map || GetParts()->Count() == 0)
        return;
    const TMapPoints& Corners = *GetParts()->First()->GetPoints();
    if (Corners.Count() < 4)
        return;
    int X0, Y0, X2, Y2;
    Map->MapToScreen(Corners[0].X, Corners[0].Y, X0, Y0, false);
    Map->MapToScreen(Corners[2].X, Corners[2].Y, X2, Y2, false);
    Map->GetCanvas()->Ellipse(X0, Y0, X2, Y2);
}

void TGeoCircle::DrawSelection()
{
    if (!GetMap() || !GetMap()->GetShowSelection())
        return;
    TCustomMapObject::DrawSelection();
    Draw();
}

bool TGeoCircle::ContainsPoint(double PX, double PY) const
{
    const TParts* Parts = GetParts();
    if (Parts->Count() == 0)
        return false;
    const TMapPoints& Corners = *Parts->First()->GetPoints();
    if (Corners.Count() <= 3)
        return false;
    const TMapPoint& C0 = Corners[0];
    const TMapPoint& C2 = Corners[2];
    const double A = (C2.X - C0.X) / 2, B = (C2.Y - C0.Y) / 2;
    if (A == 0 || B == 0)
        return false;
    const double U = PX - C0.X - A, V = PY - C0.Y - B;
    return U * U / (A * A) + V * V / (B * B) <= 1;
}

} // namespace cartova::GeoCircle
