#include "objects/CustomMapObject.h"

#include "geometry/PolySplitter.h"

namespace cartova {

namespace {

/// Whether the segments A1-A2 and B1-B2 cross, through the splitter's line
/// operations: the crossing of the two lines must lie within both segments.
bool EdgesCross(const TMapPoint& A1, const TMapPoint& A2, const TMapPoint& B1, const TMapPoint& B2)
{
    const TVectorOperations Op(VectorEx(PointEx(A1.X, A1.Y), PointEx(A2.X, A2.Y)));
    TPointEx Cross;
    return Op.IsIntersected(VectorEx(PointEx(B1.X, B1.Y), PointEx(B2.X, B2.Y)), Cross) &&
           Op.IsPointInsideBoundsRect(Cross);
}

} // namespace

TCustomMapObject::TCustomMapObject()
    : FBrush(std::make_unique<TBrush>()),
      FFont(std::make_unique<TFont>()),
      FPen(std::make_unique<TPen>()),
      FParts(std::make_unique<TParts>()),
      FFields(std::make_unique<TDataFields>())
{
}

TCustomMapObject::~TCustomMapObject()
{
    if (FMap)
        FMap->DetachObject(this);
    if (FLayer)
        FLayer->RemoveObject(this);
}

void TCustomMapObject::Assign(const TPersistent* Source)
{
    const auto* Other = dynamic_cast<const TCustomMapObject*>(Source);
    if (!Other) {
        TPersistent::Assign(Source);
        return;
    }
    if (Other == this)
        return;
    FPen->Assign(Other->FPen.get());
    FBrush->Assign(Other->FBrush.get());
    FFont->Assign(Other->FFont.get());
    FParts->Assign(Other->FParts.get());
    // The copy covers what the source's box covers, no more.
    FParts->SetMinX(Other->FParts->GetMinX());
    FParts->SetMinY(Other->FParts->GetMinY());
    FParts->SetMaxX(Other->FParts->GetMaxX());
    FParts->SetMaxY(Other->FParts->GetMaxY());
    FFields->Assign(Other->FFields.get());
    FTag = Other->FTag;
    FUseBGColor = Other->FUseBGColor;
    FBGColor = Other->FBGColor;
}

void TCustomMapObject::SetPen(TPen* Value) { ReplaceOwned(FPen, Value); }
void TCustomMapObject::SetBrush(TBrush* Value) { ReplaceOwned(FBrush, Value); }
void TCustomMapObject::SetFont(TFont* Value) { ReplaceOwned(FFont, Value); }
void TCustomMapObject::SetParts(TParts* Value) { ReplaceOwned(FParts, Value); }
void TCustomMapObject::SetFields(TDataFields* Value) { ReplaceOwned(FFields, Value); }

bool TCustomMapObject::GetSelected() const
{
    return FMap && FMap->IsSelected(this);
}

void TCustomMapObject::SetSelected(bool /*Value*/)
{
    DrawSelection();
}

TPoint TCustomMapObject::GetPixels(int PartIndex, int PointIndex) const
{
    const TMapPoint& P = FParts->GetItems(PartIndex)->GetPoints()->GetPoint(PointIndex);
    TPoint Result;
    if (FMap)
        FMap->MapToScreen(P.X, P.Y, Result.X, Result.Y, false);
    return Result;
}

bool TCustomMapObject::Paint()
{
    if (!FMap)
        return false;
    TCanvas* Canvas = FMap->GetCanvas();
    Canvas->SetPen(FPen.get());
    Canvas->SetBrush(FBrush.get());
    Canvas->SetFont(FFont.get());
    if (GetSelected() && !FMap->GetFastSelection()) {
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->GetBrush()->SetBitmap(FMap->GetSelectionPattern());
        Canvas->GetPen()->SetMode(pmCopy);
        Canvas->GetPen()->SetColor(clNavy);
        Canvas->GetPen()->SetWidth(FPen->GetWidth() + 2);
    }
    Draw();
    PaintAutoLabel();
    return IsShown();
}

void TCustomMapObject::PaintAutoLabel()
{
    if (!FLayer || !FLayer->GetAutoLabel())
        return;
    TDataFields* Schema = FLayer->GetFields();
    const int Index = FLayer->GetLabelFieldIndex();
    // The object's own record must hold the field too, or there is no text.
    if (Schema->Count() == 0 || Index < 0 || Index >= Schema->Count() || Index >= FFields->Count())
        return;
    // Only an object wholly in the client area is labelled.
    const TBounds View = FMap->GetViewBounds();
    if (!WithinRect(View.MinX, View.MinY, View.MaxX, View.MaxY))
        return;
    int X, Y;
    if (FParts->Count() == 1 && FParts->First()->GetPoints()->Count() == 1) {
        const TMapPoint& P = FParts->First()->GetPoints()->First();
        FMap->MapToScreen(P.X, P.Y, X, Y, false);
    } else {
        FMap->MapToScreen((FParts->GetMinX() + FParts->GetMaxX()) / 2,
                          (FParts->GetMinY() + FParts->GetMaxY()) / 2, X, Y, false);
    }
    TCanvas* Canvas = FMap->GetCanvas();
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->SetFont(FLayer->GetAutoLabelFont());
    const std::string Text = FFields->GetAsString(Index);
    X -= Canvas->TextWidth(Text) / 2;
    Y -= Canvas->TextHeight(Text) / 2;
    Canvas->TextOut(X, Y, Text);
}

void TCustomMapObject::DrawSelection()
{
    if (FMap && FMap->GetShowSelection())
        PrepareCanvasAtributes();
}

void TCustomMapObject::PrepareCanvasAtributes()
{
    TCanvas* Canvas = FMap->GetCanvas();
    Canvas->SetPen(FPen.get());
    Canvas->SetBrush(FBrush.get());
    Canvas->SetFont(FFont.get());
    Canvas->GetBrush()->SetStyle(bsSolid);
    if (FUseBGColor) {
        Canvas->GetBrush()->SetColor(FBGColor ^ clNavy);
    } else {
        Canvas->GetBrush()->SetColor(FBrush->GetColor() ^ clNavy);
        Canvas->GetPen()->SetColor(FPen->GetColor() ^ clNavy);
    }
    Canvas->GetPen()->SetMode(pmXor);
}

void TCustomMapObject::Select()
{
    if (FMap && !GetSelected())
        FMap->SelectObject(this, true);
}

void TCustomMapObject::UpdateBounds()
{
    FParts->SetMaxX(-2147483647.0);
    FParts->SetMaxY(-2147483647.0);
    FParts->SetMinX(2147483647.0);
    FParts->SetMinY(2147483647.0);
    // Each part's own box grows to cover vertices moved since they were
    // added, so that drawing, which accepts and rejects parts by it, sees them.
    for (int I = 0; I < FParts->Count(); ++I) {
        TMapPoints& Points = *FParts->GetItems(I)->GetPoints();
        for (const TMapPoint& P : Points) {
            FParts->AddPoint(P.X, P.Y, 0.0);
            P.UpdateBounds(Points);
        }
    }
}

bool TCustomMapObject::ContainsPoint(double X, double Y) const
{
    return PointInRect(X, Y, FParts->GetMinX(), FParts->GetMinY(), FParts->GetMaxX(),
                       FParts->GetMaxY());
}

bool TCustomMapObject::Contains(const TCustomMapObject* MapObject) const
{
    return AllVerticesOf(*MapObject->GetParts(),
                         [this](const TMapPoint& P) { return ContainsPoint(P.X, P.Y); });
}

bool TCustomMapObject::Intersects(const TCustomMapObject* MapObject) const
{
    return AnyVertexOf(*MapObject->GetParts(),
                       [this](const TMapPoint& P) { return ContainsPoint(P.X, P.Y); });
}

bool TCustomMapObject::Within(const TCustomMapObject* MapObject) const
{
    return MapObject->Contains(this);
}

bool TCustomMapObject::ContainsRect(double X0, double Y0, double X1, double Y1) const
{
    return ContainsPoint(X0, Y0) && ContainsPoint(X1, Y0) && ContainsPoint(X1, Y1) &&
           ContainsPoint(X0, Y1);
}

bool TCustomMapObject::WithinRect(double X0, double Y0, double X1, double Y1) const
{
    return AllVerticesOf(*FParts, [&](const TMapPoint& P) {
        return PointInRect(P.X, P.Y, X0, Y0, X1, Y1);
    });
}

bool TCustomMapObject::IntersectsRect(double X0, double Y0, double X1, double Y1) const
{
    const double MinX = FParts->GetMinX(), MinY = FParts->GetMinY();
    const double MaxX = FParts->GetMaxX(), MaxY = FParts->GetMaxY();
    const TMapPoint Rect[4] = {{X0, Y0}, {X1, Y0}, {X1, Y1}, {X0, Y1}};
    const TMapPoint Box[4] = {{MinX, MinY}, {MaxX, MinY}, {MaxX, MaxY}, {MinX, MaxY}};
    for (const TMapPoint& P : Rect)
        if (PointInRect(P.X, P.Y, MinX, MinY, MaxX, MaxY))
            return true;
    for (const TMapPoint& P : Box)
        if (PointInRect(P.X, P.Y, X0, Y0, X1, Y1))
            return true;
    for (int I = 0; I < 4; ++I)
        for (int J = 0; J < 4; ++J)
            if (EdgesCross(Box[I], Box[(I + 1) % 4], Rect[J], Rect[(J + 1) % 4]))
                return true;
    return false;
}

} // namespace cartova
