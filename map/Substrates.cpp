#include "map/Substrates.h"

#include "map/Cartova.h"
#include "objects/Rectangle.h"

#include <algorithm>

namespace cartova {

TSubstrate::TSubstrate() = default;
TSubstrate::~TSubstrate() = default;

void TSubstrate::LoadFromFile(const std::string& FileName, double X, double Y, double Width,
                              double Height)
{
    auto Placement = std::make_unique<TRectangle>();
    Placement->SetX0(X);
    Placement->SetY0(Y);
    Placement->SetX1(X + Width);
    Placement->SetY1(Y + Height);
    Placement->UpdateBounds();
    LoadFromFile(FileName, Placement.get());
    FOwnRectangle = std::move(Placement);
}

void TSubstrate::LoadFromFile(const std::string& FileName, TRectangle* Rectangle)
{
    FOwnRectangle.reset();
    FRectangle = Rectangle;
    FBitmap = std::make_unique<TBitmap>();
    FBitmap->LoadFromFile(FileName);
}

void TSubstrate::Paint()
{
    if (!FMap || !FRectangle || !FBitmap || FBitmap->Empty())
        return;
    int AX, AY, BX, BY;
    FMap->MapToScreen(FRectangle->GetX0(), FRectangle->GetY0(), AX, AY, false);
    FMap->MapToScreen(FRectangle->GetX1(), FRectangle->GetY1(), BX, BY, false);
    FMap->GetCanvas()->StretchDraw(
        Rect(std::min(AX, BX), std::min(AY, BY), std::max(AX, BX), std::max(AY, BY)),
        FBitmap.get());
}

TSubstrates::~TSubstrates()
{
    Clear();
}

TSubstrate* TSubstrates::Add(TSubstrate* Substrate)
{
    Substrate->SetMap(FMap);
    TObjectList<TSubstrate>::Add(Substrate);
    // The new image must reach the bitmap, so the map is marked modified
    // before it paints at once.
    if (FMap) {
        FMap->SetModified(true);
        FMap->Repaint();
    }
    return Substrate;
}

TSubstrate* TSubstrates::LoadFromFile(const std::string& FileName, double X, double Y,
                                      double Width, double Height)
{
    auto Substrate = std::make_unique<TSubstrate>();
    Substrate->LoadFromFile(FileName, X, Y, Width, Height);
    return Add(Substrate.release());
}

TSubstrate* TSubstrates::LoadFromFile(const std::string& FileName, TRectangle* Rectangle)
{
    auto Substrate = std::make_unique<TSubstrate>();
    Substrate->LoadFromFile(FileName, Rectangle);
    return Add(Substrate.release());
}

void TSubstrates::Paint()
{
    for (int I = 0; I < Count(); ++I)
        GetItems(I)->Paint();
}

void TSubstrates::Remove(TSubstrate* Substrate)
{
    ExtractAt(IndexOf(Substrate));
}

void TSubstrates::Clear()
{
    while (Count() > 0)
        Delete(0); // out of the list, then freed
}

} // namespace cartova
