#include "objects/Circle.h"

namespace cartova {

TCircle::TCircle()
{
    GetParts()->Add()->GetPoints()->Add(0, 0);
}

TMapPoints& TCircle::Centre() const
{
    TParts* Parts = GetParts();
    if (Parts->Count() == 0)
        Parts->Add();
    TMapPoints& P = *Parts->GetItems(0)->GetPoints();
    if (P.Empty())
        P.Add(0, 0);
    return P;
}

double TCircle::GetX() const { return Centre()[0].X; }
double TCircle::GetY() const { return Centre()[0].Y; }

void TCircle::SetX(double Value)
{
    TParts* Parts = GetParts();
    if (Parts->Count() == 0)
        Parts->Add();
    TMapPoints& P = *Parts->GetItems(0)->GetPoints();
    if (P.Empty())
        P.Add(Value, 0);
    else
        P[0].X = Value;
}

void TCircle::SetY(double Value)
{
    TParts* Parts = GetParts();
    if (Parts->Count() == 0)
        Parts->Add();
    TMapPoints& P = *Parts->GetItems(0)->GetPoints();
    if (P.Empty())
        P.Add(0, Value);
    else
        P[0].Y = Value;
}

void TCircle::Assign(const TPersistent* Source)
{
    TCustomMapObject::Assign(Source);
    if (const auto* Other = dynamic_cast<const TCircle*>(Source))
        FRadius = Other->FRadius;
}

TBounds TCircle::GetExtent() const
{
    const TParts* Parts = GetParts();
    if (Parts->Count() == 0 || Parts->GetItems(0)->GetPoints()->Empty())
        return GetBounds();
    const double X = GetX(), Y = GetY();
    return {X - FRadius, Y - FRadius, X + FRadius, Y + FRadius};
}

void TCircle::Draw()
{
    TMapView* Map = GetMap();
    if (!Map || GetParts()->Count() == 0)
        return;
    int CX, CY, EX, EY;
    Map->MapToScreen(GetX(), GetY(), CX, CY, false);
    Map->MapToScreen(GetX() + FRadius, GetY(), EX, EY, false);
    const int R = EX - CX;
    Map->GetCanvas()->Ellipse(CX - R, CY - R, CX + R, CY + R);
}

void TCircle::DrawSelection()
{
    if (!GetMap() || !GetMap()->GetShowSelection())
        return;
    TCustomMapObject::DrawSelection();
    Draw();
}

bool TCircle::ContainsPoint(double PX, double PY) const
{
    const double DX = PX - GetX(), DY = PY - GetY();
    return DX * DX + DY * DY <= FRadius * FRadius;
}

bool TCircle::Contains(const TCustomMapObject* MapObject) const
{
    return AnyVertexOf(*MapObject->GetParts(),
                       [this](const TMapPoint& P) { return ContainsPoint(P.X, P.Y); });
}

bool TCircle::Intersects(const TCustomMapObject* MapObject) const
{
    if (const auto* Other = dynamic_cast<const TCircle*>(MapObject)) {
        const double DX = Other->GetX() - GetX(), DY = Other->GetY() - GetY();
        const double Sum = FRadius + Other->FRadius;
        return DX * DX + DY * DY < Sum * Sum;
    }
    return TCustomMapObject::Intersects(MapObject);
}

bool TCircle::IntersectsRect(double X0, double Y0, double X1, double Y1) const
{
    return ContainsPoint(X0, Y0) || ContainsPoint(X1, Y0) || ContainsPoint(X1, Y1) ||
           ContainsPoint(X0, Y1);
}

bool TCircle::WithinRect(double X0, double Y0, double X1, double Y1) const
{
    const double X = GetX(), Y = GetY();
    return X0 < X - FRadius && X + FRadius < X1 && Y0 < Y - FRadius && Y + FRadius < Y1;
}

bool TCircle::ContainsRect(double X0, double Y0, double X1, double Y1) const
{
    return ContainsPoint(X0, Y0) && ContainsPoint(X1, Y0) && ContainsPoint(X1, Y1) &&
           ContainsPoint(X0, Y1);
}

} // namespace cartova
