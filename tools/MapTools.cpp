#include "tools/MapTools.h"

#include "map/Cartova.h"
#include "map/Layers.h"

namespace cartova {

TCustomMapTool::TCustomMapTool(TComponent* AOwner) : TComponent(AOwner) {}

TCustomMapTool::~TCustomMapTool()
{
    if (FMapToolsManager)
        FMapToolsManager->Remove(this);
}

bool TCustomMapTool::Complete()
{
    if (OnComplete)
        OnComplete(this);
    return true;
}

void TCustomMapTool::Cancel()
{
    if (OnCancel)
        OnCancel(this);
}

void TCustomMapTool::Init()
{
    if (FCartova)
        FCartova->SetCursor(FCursor);
}

void TCustomMapTool::Done()
{
    if (FCartova)
        FCartova->SetCursor(crDefault);
}

bool TCustomMapTool::GetEnabled() const
{
    return FCartova && FCartova->GetLayers()->Count() > 0;
}

void TCustomMapTool::SetActive(bool Value)
{
    if (Value == FActive)
        return;
    FActive = Value;
    if (!FCartova || !FMapToolsManager)
        return;
    if (OnToolStateChanged)
        OnToolStateChanged(this);
    if (FCartova->OnMapToolChanged)
        FCartova->OnMapToolChanged(FCartova);
    if (Value) {
        // Copy: a handler may link or unlink tools while we walk.
        const std::vector<TCustomMapTool*> Tools = FMapToolsManager->Items();
        for (TCustomMapTool* Tool : Tools)
            if (Tool != this && FMapToolsManager && FMapToolsManager->Contains(Tool))
                Tool->SetActive(false);
        Init();
    } else {
        Done();
    }
}

void TCustomMapTool::SetCartova(TCartova* Value)
{
    if (Value == FCartova)
        return;
    if (FMapToolsManager)
        FMapToolsManager->Remove(this);
    if (FCartova)
        RemoveFreeNotification(FCartova);
    if (Value) {
        FMapToolsManager = Value->GetMapToolsManager();
        FMapToolsManager->Add(this);
        FreeNotification(Value);
    } else {
        FMapToolsManager = nullptr;
    }
    FCartova = Value;
}

TMapPoint TCustomMapTool::ScreenToMap(int X, int Y) const
{
    TMapPoint P;
    if (FCartova)
        FCartova->ScreenToMap(X, Y, P.X, P.Y);
    return P;
}

TCartova* TCustomMapTool::FindCartova(TComponent* Root)
{
    if (!Root)
        return nullptr;
    for (int I = 0; I < Root->ComponentCount(); ++I) {
        TComponent* C = Root->GetComponents(I);
        if (auto* Map = dynamic_cast<TCartova*>(C))
            return Map;
        if (TCartova* Found = FindCartova(C))
            return Found;
    }
    return nullptr;
}

void TCustomMapTool::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FCartova) {
        FCartova = nullptr;
        FMapToolsManager = nullptr;
    }
}

TMapToolsManager::~TMapToolsManager()
{
    for (TCustomMapTool* Tool : Items())
        Tool->SetMapToolsManager(nullptr);
}

int TMapToolsManager::GetActiveMapToolIndex() const
{
    for (int I = 0; I < Count(); ++I)
        if (GetItems(I)->GetActive())
            return I;
    return -1;
}

TCustomMapTool* TMapToolsManager::GetActiveMapTool() const
{
    const int I = GetActiveMapToolIndex();
    return I < 0 ? nullptr : GetItems(I);
}

} // namespace cartova
