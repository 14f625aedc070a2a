#include "tools/RubberBand.h"

#include "map/Cartova.h"

namespace cartova {

TRubberBand::TRubberBand(TCartova* Map) : FCanvas(Map ? Map->GetCanvas() : nullptr)
{
    if (!FCanvas)
        return;
    FPenMode = FCanvas->GetPen()->GetMode();
    FBrushStyle = FCanvas->GetBrush()->GetStyle();
    FCanvas->GetPen()->SetMode(pmNotXor);
    FCanvas->GetPen()->SetColor(clBlack);
    FCanvas->GetPen()->SetWidth(1);
    FCanvas->GetPen()->SetStyle(psSolid);
    FCanvas->GetBrush()->SetStyle(bsClear);
}

TRubberBand::~TRubberBand()
{
    if (!FCanvas)
        return;
    FCanvas->GetBrush()->SetStyle(FBrushStyle);
    FCanvas->GetPen()->SetMode(FPenMode);
}

void TRubberBand::Rectangle(TPoint A, TPoint B)
{
    if (FCanvas)
        FCanvas->Rectangle(A.X, A.Y, B.X, B.Y);
}

void TRubberBand::Line(TPoint A, TPoint B)
{
    if (!FCanvas)
        return;
    FCanvas->MoveTo(A.X, A.Y);
    FCanvas->LineTo(B.X, B.Y);
}

} // namespace cartova
