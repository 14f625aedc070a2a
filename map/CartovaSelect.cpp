// TCartova: selecting objects at a map point among those drawn last.
#include "map/Cartova.h"

#include "map/DebugLog.h"
#include "map/DisplayedObjects.h"
#include "map/Layers.h"
#include "map/Selection.h"
#include "objects/CustomMapObject.h"

namespace cartova {

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
    for (int L = Top; L >= 0; --L) {
        TMapLayer* Layer = FLayers->GetItems(L);
        if (!Layer->GetVisible() || !Layer->GetSelectable())
            continue;
        for (TCustomMapObject* Object : FDisplayed->Items()) {
            if (Object->GetLayer() != Layer || !Object->ContainsPoint(X, Y))
                continue;
            if (!Object->GetSelected())
                FSelection->Add(Object, Exclusive);
            else if (!Exclusive)
                FSelection->Remove(Object);
            if (FFastSelection && OnUpdate)
                OnUpdate(this);
            return;
        }
    }
    FSelection->Clear();
}

void TCartova::SelectObjectsAt(double X, double Y, bool ClearFirst)
{
    if (FDisplayed->Count() == 0)
        return;
    StartProgress(0, 0, "");
    if (ClearFirst)
        FSelection->Clear();
    for (int L = FLayers->Count() - 1; L >= 0; --L) {
        TMapLayer* Layer = FLayers->GetItems(L);
        if (!Layer->GetSelectable())
            continue;
        // Copy: adding to the selection may draw, and drawing never changes
        // the displayed list outside a rebuild, but stay safe.
        const std::vector<TCustomMapObject*> Candidates = FDisplayed->Items();
        for (TCustomMapObject* Object : Candidates)
            if (Object->GetLayer() == Layer && Object->ContainsPoint(X, Y) && !Object->GetSelected())
                FSelection->Add(Object, false);
    }
    if (FFastSelection && OnUpdate)
        OnUpdate(this);
    StopProgress();
}

} // namespace cartova
