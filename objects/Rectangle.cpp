#include "objects/Rectangle.h"

#include <algorithm>

namespace cartova {

TRectangle::TRectangle()
{
    TMapPoints* P = GetParts()->Add()->GetPoints();
    P->Add(0, 0);
    P->Add(0, 0);
}

TMapPoints& TRectangle::Corners() const
{
    TParts* Parts = GetParts();
    if (Parts->Count() == 0)
        Parts->Add();
    TMapPoints& P = *Parts->GetItems(0)->GetPoints();
    while (P.Count() < 2)
        P.Add(0, 0);
    return P;
}

double TRectangle::GetX0() const
{
    const TMapPoints& P = Corners();
    return std::min(P[0].X, P[1].X);
}

double TRectangle::GetY0() const
{
    const TMapPoints& P = Corners();
    return std::min(P[0].Y, P[1].Y);
}

double TRectangle::GetX1() const
{
    const TMapPoints& P = Corners();
    return std::max(P[0].X, P[1].X);
}

double TRectangle::GetY1() const
{
    const TMapPoints& P = Corners();
    return std::max(P[0].Y, P[1].Y);
}

void TRectangle::SetX0(double Value) { Corners()[0].X = Value; }
void TRectangle::SetY0(double Value) { Corners()[0].Y = Value; }
void TRectangle::SetX1(double Value) { Corners()[1].X = Value; }
void TRectangle::SetY1(double Value) { Corners()[1].Y = Value; }

TBounds TRectangle::GetExtent() const
{
    const TParts* Parts = GetParts();
    if (Parts->Count() == 0 || Parts->GetItems(0)->GetPoints()->Count() < 2)
        return GetBounds();
    return {GetX0(), GetY0(), GetX1(), GetY1()};
}

void TRectangle::Draw()
{
    TMapView* Map = GetMap();
    if (!Map || GetParts()->Count() == 0)
        return;
    int SX0, SY0, SX1, SY1;
    Map->MapToScreen(GetX0(), GetY0(), SX0, SY0, false);
    Map->MapToScreen(GetX1(), GetY1(), SX1, SY1, false);
    TCanvas* Canvas = Map->GetCanvas();
    if (GetUseBGColor()) {
        Canvas->GetPen()->SetStyle(psClear);
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->GetBrush()->SetColor(GetBGColor());
        Canvas->Rectangle(SX0, SY0, SX1, SY1);
    }
    Canvas->SetPen(GetPen());
    Canvas->SetBrush(GetBrush());
    Canvas->Rectangle(SX0, SY0, SX1, SY1);
}

void TRectangle::DrawSelection()
{
    if (!GetMap() || !GetMap()->GetShowSelection())
        return;
    TCustomMapObject::DrawSelection();
    Draw();
}

bool TRectangle::Contains(const TCustomMapObject* MapObject) const
{
    const TBounds B = MapObject->GetBounds();
    return ContainsRect(B.MinX, B.MinY, B.MaxX, B.MaxY);
}

bool TRectangle::Intersects(const TCustomMapObject* MapObject) const
{
    const TParts* Parts = MapObject->GetParts();
    for (int I = 0; I < Parts->Count(); ++I)
        for (const TMapPoint& P : *Parts->GetItems(I)->GetPoints())
            if (TCustomMapObject::ContainsPoint(P.X, P.Y))
                return true;
    return false;
}

bool TRectangle::IntersectsRect(double X0, double Y0, double X1, double Y1) const
{
    return ContainsPoint(X0, Y0) || ContainsPoint(X1, Y0) || ContainsPoint(X1, Y1) ||
           ContainsPoint(X0, Y1);
}

bool TRectangle::WithinRect(double X0, double Y0, double X1, double Y1) const
{
    return TCustomMapObject::WithinRect(X0, Y0, X1, Y1);
}

bool TRectangle::ContainsRect(double X0, double Y0, double X1, double Y1) const
{
    return TCustomMapObject::ContainsRect(X0, Y0, X1, Y1);
}

} // namespace cartova
