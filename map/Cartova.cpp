// TCartova: construction, destruction and properties.
#include "map/Cartova.h"

#include "map/CartovaOptions.h"
#include "map/DataLinks.h"
#include "map/DisplayedObjects.h"
#include "map/Layers.h"
#include "map/Selection.h"
#include "map/Substrates.h"
#include "tools/MapTools.h"

namespace cartova {

TCartova::TCartova(TComponent* AOwner) : TCustomControl(AOwner)
{
    FModified = false;
    FFirstPaint = true;
    FLayers = std::make_unique<TMapLayers>();
    FSubstrates = std::make_unique<TSubstrates>();
    FSelection = std::make_unique<TSelection>();
    FDisplayed = std::make_unique<TDisplayedObjects>(this);
    FDataLinks = std::make_unique<TMapDataLinks>(this);
    FOptions = std::make_unique<TCartovaOptions>();
    FMapToolsManager = std::make_unique<TMapToolsManager>();
    FBitmap = std::make_unique<TBitmap>();
    CreateSelectionPattern();
    SetBounds(GetLeft(), GetTop(), 100, 100);
    FLayers->SetMap(this);
    FSelection->SetMap(this);
    FSubstrates->SetMap(this);
    SetColor(clWindow);
    SetTabStop(true);
    // Sizing the control above marked it modified; a new map starts clean.
    FModified = false;
}

TCartova::~TCartova()
{
    FDestroying = true;
    FInUpdate = true;
    FSelectionPattern.reset();
    FBitmap.reset();
    FMapToolsManager.reset();
    FOptions.reset();
    FDataLinks.reset();
    FDisplayed.reset();
    FSelection.reset();
    FLayers.reset();
    FSubstrates.reset();
}

TMapObjectsList* TCartova::GetDisplayed() const
{
    return FDisplayed.get();
}

bool TCartova::IsSelected(const TCustomMapObject* MapObject) const
{
    return FSelection && FSelection->Contains(MapObject);
}

void TCartova::SelectObject(TCustomMapObject* MapObject, bool Exclusive)
{
    FSelection->Add(MapObject, Exclusive);
}

void TCartova::DetachObject(TCustomMapObject* MapObject)
{
    if (FDestroying)
        return;
    if (FSelection->Contains(MapObject))
        FSelection->Remove(MapObject);
    FDisplayed->Forget(MapObject);
    if (OnDeleteObject)
        OnDeleteObject(MapObject);
    FDataLinks->TraceMapEvent(mdlRemoveObject, MapObject);
    DoUpdate(true);
}

void TCartova::CreateSelectionPattern()
{
    FSelectionPattern = std::make_unique<TBitmap>();
    FSelectionPattern->SetSize(8, 8);
    FSelectionPattern->SetTransparent(true);
    FSelectionPattern->SetTransparentMode(tmAuto);
    FSelectionPattern->SetTransparentColor(clDefault);
    TCanvas* C = FSelectionPattern->GetCanvas();
    for (int Y = 0; Y < 8; ++Y)
        for (int X = 0; X < 8; ++X)
            C->SetPixels(X, Y, (X % 2 == 1 && Y % 2 == 1) ? clDefault : clBlue);
}

void TCartova::SetOptions(TCartovaOptions* Value)
{
    if (Value == FOptions.get())
        return;
    FOptions.reset(Value ? Value : new TCartovaOptions);
}

void TCartova::SetMinX(double Value)
{
    FMinX = Value;
    DoUpdate(true);
}

void TCartova::SetMaxX(double Value)
{
    FMaxX = Value;
    DoUpdate(true);
}

void TCartova::SetMinY(double Value)
{
    FMinY = Value;
    DoUpdate(true);
}

void TCartova::SetMaxY(double Value)
{
    FMaxY = Value;
    DoUpdate(true);
}

void TCartova::SetCenterX(double Value)
{
    FCenterX = Value;
    DoUpdate(true);
}

void TCartova::SetCenterY(double Value)
{
    FCenterY = Value;
    DoUpdate(true);
}

void TCartova::SetZoom(double Value)
{
    if (Value == 0 || Value == FZoom)
        return;
    FZoom = Value;
    DoUpdate(true);
    if (OnZoom)
        OnZoom(this);
}

void TCartova::SetShowSelection(bool Value)
{
    if (Value == FShowSelection)
        return;
    FShowSelection = Value;
    DoUpdate(true);
}

void TCartova::SetFastSelection(bool Value)
{
    if (Value == FFastSelection)
        return;
    FFastSelection = Value;
    DoUpdate(true);
}

void TCartova::DoUpdate(bool /*Flag*/)
{
    FModified = true;
    if (!FInUpdate)
        Invalidate();
}

void TCartova::EndUpdate(bool Repaint)
{
    FInUpdate = false;
    if (Repaint)
        DoUpdate(true);
}

void TCartova::StartProgress(int Min, int Max, const std::string& Title)
{
    if (OnStartProgress)
        OnStartProgress(this, Min, Max, Title);
}

void TCartova::ShowProgress(int Progress)
{
    if (OnShowProgress)
        OnShowProgress(this, Progress);
}

void TCartova::StopProgress()
{
    if (OnStopProgress)
        OnStopProgress(this);
}

} // namespace cartova
