// TCartova: selecting the objects drawn at a map point. The hit test walks
// the layers from the top down with the same per-layer walk that painting
// uses, and considers the objects the last paint drew.
#include "map/Cartova.h"

#include "host/DebugLog.h"
#include "map/DisplayedObjects.h"
#include "map/Layers.h"
#include "map/Selection.h"
#include "objects/CustomMapObject.h"

namespace cartova {

void TCartova::WalkDrawnAt(double X, double Y, int Top,
                           const std::function<bool(TCustomMapObject*)>& Visit)
{
    const TCellBounds View = Bounds2CellBounds(GetViewBounds());
    bool Going = true;
    for (int L = Top; L >= 0 && Going; --L) {
        // A visit may delete layers: the index is checked on every step.
        if (L >= FLayers->Count())
            continue;
        TMapLayer* Layer = FLayers->GetItems(L);
        if (!Layer->GetSelectable() || !Layer->IsPainted())
            continue;
        Layer->WalkObjects(View, [&](TCustomMapObject* Object) {
            if (FDisplayed->Holds(Object) && Object->ContainsPoint(X, Y))
                Going = Visit(Object);
            return Going;
        });
    }
}

void TCartova::SelectObjectAt(double X, double Y, bool Exclusive)
{
    if (FDisplayed->Count() == 0)
        return;
    const int Top = FLayers->Count() - FCtrlClickCount - 1;
    DebugLog("Start Searching Object From Layer %S To Layer %S",
             Top >= 0 && Top < FLayers->Count() ? FLayers->GetItems(Top)->GetName() : std::string(),
             FLayers->Count() > 0 ? FLayers->GetItems(0)->GetName() : std::string());
    if (FCtrlClickCount > 0)
        FSelection->Clear();
    TCustomMapObject* Hit = nullptr;
    WalkDrawnAt(X, Y, Top, [&](TCustomMapObject* Object) {
        Hit = Object; // the first drawn of the highest layer decides
        return false;
    });
    if (!Hit) {
        FSelection->Clear();
        return;
    }
    if (!IsSelected(Hit))
        FSelection->Add(Hit, Exclusive);
    else if (!Exclusive)
        FSelection->Remove(Hit);
    if (FFastSelection && OnUpdate)
        OnUpdate(this);
}

void TCartova::SelectObjectsAt(double X, double Y, bool ClearFirst)
{
    if (FDisplayed->Count() == 0)
        return;
    StartProgress(0, 0, "");
    if (ClearFirst)
        FSelection->Clear();
    WalkDrawnAt(X, Y, FLayers->Count() - 1, [&](TCustomMapObject* Object) {
        if (!IsSelected(Object))
            FSelection->Add(Object, false);
        return true;
    });
    if (FFastSelection && OnUpdate)
        OnUpdate(this);
    StopProgress();
}

} // namespace cartova
