#include "map/Layers.h"

#include "formats/CustomFormatProvider.h"
#include "map/Cartova.h"
#include "map/CartovaOptions.h"
#include "map/DataLinks.h"
#include "host/DebugLog.h"
#include "map/Extent.h"
#include "map/Selection.h"

#include <algorithm>

namespace cartova {

namespace {

/// The hit test against B that both the index filter and the scan apply.
bool HitsRect(const TCustomMapObject* O, const TCellBounds& B)
{
    return O->IntersectsRect(B.MinX, B.MinY, B.MaxX, B.MaxY) ||
           O->WithinRect(B.MinX, B.MinY, B.MaxX, B.MaxY);
}

/// Whether the object's drawn extent meets B (touching included).
bool ExtentMeets(const TCustomMapObject* O, const TCellBounds& B)
{
    const TBounds E = O->GetExtent();
    return E.MinX <= B.MaxX && B.MinX <= E.MaxX && E.MinY <= B.MaxY && B.MinY <= E.MaxY;
}

void TraceEvent(TCartova* Map, TMapDataLinkEvent Event, TObject* Obj)
{
    if (Map && Map->GetDataLinks())
        Map->GetDataLinks()->TraceMapEvent(Event, Obj);
}

} // namespace

// ------------------------------------------------------------- TLayerSource

TLayerSource ResolveLayerSource(const std::string& FileName)
{
    TLayerSource Source;
    if (FileName.empty())
        return Source;
    Source.FileName = ExpandFileName(FileName);
    if (!FileExists(Source.FileName)) {
        Source.Kind = DirectoryExists(Source.FileName) ? lsFolder : lsMissing;
        return Source;
    }
    Source.Provider = FormatProviders ? FormatProviders->FindSuitableProvider(Source.FileName) : nullptr;
    Source.Kind = Source.Provider ? lsReadable : lsNoProvider;
    return Source;
}

ELayerLoadError::ELayerLoadError(const TLayerSource& Source)
    : Exception("Cannot load \"" + Source.FileName + "\": " +
                (Source.Kind == lsReadable ? "the file could not be read"
                                           : "no format provider reads it")),
      FFileName(Source.FileName),
      FKind(Source.Kind)
{
}

// ---------------------------------------------------------------- TMapLayer

TMapLayer::TMapLayer()
    : FDefaultBrush(std::make_unique<TBrush>()),
      FDefaultFont(std::make_unique<TFont>()),
      FDefaultPen(std::make_unique<TPen>()),
      FFields(std::make_unique<TDataFields>()),
      FAutoLabelFont(std::make_unique<TFont>()),
      FIndex2D(std::make_unique<TIndexCell>())
{
    FAutoLabelFont->SetName("Arial");
    FAutoLabelFont->SetSize(8);
}

TMapLayer::~TMapLayer()
{
    if (FMap && FMap->OnBeforeDelLayer) {
        bool AllowDelete = true;
        FMap->OnBeforeDelLayer(FMap, this, false, AllowDelete);
    }
    FAutoLabelFont.reset();
    FDefaultFont.reset();
    FDefaultPen.reset();
    FDefaultBrush.reset();
    DeleteObjects();
}

TCustomMapObject* TMapLayer::GetObjects(int Index) const
{
    if (Index < 0 || Index >= GetObjectCount())
        throw EListError::OutOfBounds(Index);
    return FObjects[static_cast<std::size_t>(Index)].get();
}

void TMapLayer::SetObjects(int Index, const TCustomMapObject* MapObject)
{
    GetObjects(Index)->Assign(MapObject);
}

void TMapLayer::AddObject(TCustomMapObject* MapObject, bool RaiseEvent)
{
    if (!MapObject)
        return;
    FObjects.push_back(std::unique_ptr<TCustomMapObject>(MapObject));
    FIndex2D->MarkStale();
    MapObject->SetMap(FMap);
    MapObject->SetLayer(this);
    MapObject->GetFields()->Assign(FFields.get());
    if (!FMap)
        return;
    const TCartovaOptions* Options = FMap->GetOptions();
    MapObject->GetPen()->Assign(Options->GetDefaultPen());
    MapObject->GetBrush()->Assign(Options->GetDefaultBrush());
    MapObject->SetUseBGColor(Options->GetUseBGColor());
    MapObject->SetBGColor(Options->GetDefaultBGColor());
    MapObject->GetFont()->Assign(MapObject->UsesTextFont() ? Options->GetDefaultTextFont()
                                                           : Options->GetDefaultSymbolFont());
    FMap->SetModified(true);
    if (RaiseEvent && FMap->OnAddObject)
        FMap->OnAddObject(FMap, MapObject);
    TraceEvent(FMap, mdlAddObject, this);
    if (!FMap->GetInUpdate())
        FMap->PaintObject(MapObject);
}

TCustomMapObject* TMapLayer::NewObject(TMapObjectClass ObjectClass)
{
    TCustomMapObject* Object = ObjectClass();
    AddObject(Object, false);
    return Object;
}

void TMapLayer::DeleteObject(int Index)
{
    if (Index == -1)
        return;
    if (Index < 0 || Index >= GetObjectCount())
        throw EListError::OutOfBounds(Index);
    // Out of the list first, so handlers called from the destruction never
    // meet the dying object among the layer's objects.
    std::unique_ptr<TCustomMapObject> Object = std::move(FObjects[static_cast<std::size_t>(Index)]);
    FObjects.erase(FObjects.begin() + Index);
    FIndex2D->MarkStale();
    Object.reset();
    if (FMap)
        FMap->DoUpdate(true);
}

void TMapLayer::DeleteObjects()
{
    while (!FObjects.empty()) {
        std::unique_ptr<TCustomMapObject> Object = std::move(FObjects.back());
        FObjects.pop_back();
        FIndex2D->MarkStale();
        Object->SetLayer(nullptr); // it has left: its destruction need not tell us
    }
    if (FMap)
        FMap->DoUpdate(true);
}

int TMapLayer::RemoveObject(TCustomMapObject* MapObject)
{
    const int Index = IndexOfObject(MapObject);
    if (Index >= 0) {
        // The caller (or the object's own destruction) owns it from here.
        (void)FObjects[static_cast<std::size_t>(Index)].release();
        FObjects.erase(FObjects.begin() + Index);
        FIndex2D->MarkStale();
    }
    return Index;
}

int TMapLayer::IndexOfObject(const TCustomMapObject* MapObject) const
{
    const auto It = std::find_if(FObjects.begin(), FObjects.end(),
                                 [MapObject](const auto& O) { return O.get() == MapObject; });
    return It == FObjects.end() ? -1 : static_cast<int>(It - FObjects.begin());
}

bool TMapLayer::ValidZoom() const
{
    if (FMinZoom == 0 && FMaxZoom == 0)
        return true;
    if (FMinZoom == 0 || FMaxZoom == 0 || !FMap)
        return false;
    const double Z = FMap->GetZoom();
    return FMinZoom <= Z && Z <= FMaxZoom;
}

void TMapLayer::Zoom()
{
    if (!FMap)
        return;
    std::vector<TCustomMapObject*> Objects;
    Objects.reserve(FObjects.size());
    for (const auto& Object : FObjects)
        Objects.push_back(Object.get());
    ZoomMapToExtent(FMap, GatherExtent(Objects));
}

bool TMapLayer::GetAllIdsInRect(const TCellBounds& B, TCardinalArray& Ids)
{
    return CollectIds(B, Ids, false);
}

bool TMapLayer::GetPaintIdsInRect(const TCellBounds& B, TCardinalArray& Ids)
{
    CollectIds(B, Ids, true);
    return Ids.Count() > 0;
}

bool TMapLayer::CollectIds(const TCellBounds& B, TCardinalArray& Ids, bool ByExtent)
{
    Ids.Clear();
    if (FUseIndex2D) {
        // The index is built from the drawn extents, so it holds every
        // object that shows in B; its result is the index's own.
        const bool Found = FIndex2D->GetAllIdsInRect(B, Ids);
        if (Found)
            KeepIds(Ids, [&](const TCustomMapObject* O) {
                return (ByExtent && ExtentMeets(O, B)) || HitsRect(O, B);
            });
        return Found;
    }
    for (std::size_t I = 0; I < FObjects.size(); ++I) {
        const TCustomMapObject* O = FObjects[I].get();
        if ((ByExtent && ExtentMeets(O, B)) || HitsRect(O, B) ||
            O->ContainsRect(B.MinX, B.MinY, B.MaxX, B.MaxY))
            Ids.Add(static_cast<std::uint32_t>(I));
    }
    return Ids.Count() > 0;
}

template <typename TKeep>
void TMapLayer::KeepIds(TCardinalArray& Ids, TKeep Keep) const
{
    // One pass that keeps the order: removing ids one by one from the array
    // would move the tail once per removed id.
    TCardinalArray Kept;
    for (const std::uint32_t Id : Ids)
        if (Id < FObjects.size() && Keep(FObjects[Id].get()))
            Kept.Add(Id);
    Ids.Copy(Kept);
}

bool TMapLayer::IsPainted() const
{
    return FMap && FMap->HasParent() && FVisible && ValidZoom();
}

void TMapLayer::WalkObjects(const TCellBounds& B,
                            const std::function<bool(TCustomMapObject*)>& Visit)
{
    TCardinalArray Ids;
    GetPaintIdsInRect(B, Ids);
    // By id, not by a copy of the pointers: should a visit destroy objects,
    // the walk meets only objects still in the layer.
    for (const std::uint32_t Id : Ids)
        if (Id < FObjects.size() && !Visit(FObjects[Id].get()))
            return;
}

void TMapLayer::Paint()
{
    if (!IsPainted())
        return;
    WalkObjects(Bounds2CellBounds(FMap->GetViewBounds()), [this](TCustomMapObject* O) {
        FMap->PaintObject(O);
        return true;
    });
}

void TMapLayer::PaintSelection()
{
    if (!FMap || !FMap->GetFastSelection() || !FVisible || !ValidZoom())
        return;
    TSelection* Selection = FMap->GetSelection();
    for (int I = 0; I < Selection->Count(); ++I) {
        TCustomMapObject* Object = Selection->GetItems(I);
        if (Object && Object->GetLayer() == this)
            Object->DrawSelection();
    }
}

bool TMapLayer::LoadFromFile(const std::string& FileName, const std::string& LayerName)
{
    TLayerSource Source{FileName, lsReadable, nullptr};
    Source.Provider = FormatProviders ? FormatProviders->FindSuitableProvider(FileName) : nullptr;
    return LoadFromSource(Source, LayerName);
}

bool TMapLayer::LoadFromSource(const TLayerSource& Source, const std::string& LayerName)
{
    if (Source.Kind != lsReadable || !Source.Provider ||
        !Source.Provider->Load(this, Source.FileName))
        return false;
    FFileName = Source.FileName;
    FName = LayerName.empty() ? ChangeFileExt(ExtractFileName(Source.FileName), "") : LayerName;
    return true;
}

bool TMapLayer::SaveToFile(const std::string& FileName)
{
    const std::string Target = FileName.empty() ? FFileName : FileName;
    if (Target.empty())
        return false;
    // Files hold normal coordinates: the map stays unrotated afterwards.
    if (FMap && FMap->GetisMapRotated() && FormatProviders &&
        FormatProviders->FindSuitableProvider(Target))
        FMap->UnRotate();
    return SaveLayerToProviders(this, Target);
}

void TMapLayer::SetVisible(bool Value)
{
    FVisible = Value;
    if (!Value) {
        FEditable = false;
        if (FMap)
            FMap->GetSelection()->RemoveLayer(this);
    }
    if (FMap)
        FMap->DoUpdate(true);
    TraceEvent(FMap, mdlLayerVisibleChanged, this);
}

void TMapLayer::SetEditable(bool Value)
{
    FEditable = Value && FVisible;
    if (FEditable) {
        FSelectable = true;
        if (FMap)
            for (TMapLayer* Other : FMap->GetLayers()->Items())
                if (Other != this && Other->FEditable)
                    Other->SetEditable(false);
    }
    TraceEvent(FMap, mdlLayerEditableChanged, this);
}

void TMapLayer::SetSelectable(bool Value)
{
    FSelectable = FEditable || (Value && FVisible);
    if (!FSelectable && FMap)
        FMap->GetSelection()->RemoveLayer(this);
    TraceEvent(FMap, mdlLayerSelectableChanged, this);
}

void TMapLayer::SetAutoLabel(bool Value)
{
    if (Value == FAutoLabel)
        return;
    FAutoLabel = Value;
    TraceEvent(FMap, mdlLayerAutolabelChanged, this);
    if (FMap)
        FMap->DoUpdate(true);
}

void TMapLayer::SetUseIndex2D(bool Value)
{
    if (Value == FUseIndex2D)
        return;
    FUseIndex2D = Value;
    FIndex2D->SetLayer(Value ? this : nullptr);
}

void TMapLayer::SetIndex2D(TIndexCell* Value)
{
    ReplaceOwned(FIndex2D, Value);
    if (FUseIndex2D)
        FIndex2D->SetLayer(this);
}

void TMapLayer::SetDefaultBrush(TBrush* Value) { ReplaceOwned(FDefaultBrush, Value); }
void TMapLayer::SetDefaultPen(TPen* Value) { ReplaceOwned(FDefaultPen, Value); }
void TMapLayer::SetDefaultFont(TFont* Value) { ReplaceOwned(FDefaultFont, Value); }
void TMapLayer::SetAutoLabelFont(TFont* Value) { ReplaceOwned(FAutoLabelFont, Value); }
void TMapLayer::SetFields(TDataFields* Value) { ReplaceOwned(FFields, Value); }

// --------------------------------------------------------------- TMapLayers

TMapLayers::~TMapLayers()
{
    Clear();
}

void TMapLayers::SetLayer(int Index, TMapLayer* Layer)
{
    ExtractAt(Index);
    TBase::Insert(Index, Layer);
}

TMapLayer* TMapLayers::CreateLayer(const TLayerSource& Source, const std::string& LayerName,
                                   int Index)
{
    auto Owned = std::make_unique<TMapLayer>();
    TMapLayer* Layer = Owned.get();
    TBase::Insert(Index, Layer);
    Owned.release(); // the list owns it now
    Layer->SetName(LayerName);
    Layer->SetMap(FMap);
    if (Source.Kind == lsNoName || Source.Kind == lsMissing || Source.Kind == lsFolder) {
        DebugLog("File \"%S\" does not exists!", Source.FileName);
    } else {
        bool Loaded = false;
        try {
            Loaded = Layer->LoadFromSource(Source, LayerName);
        } catch (...) {
            Discard(Layer);
            throw;
        }
        if (!Loaded) {
            Discard(Layer);
            throw ELayerLoadError(Source);
        }
    }
    if (FMap && FMap->OnAddLayer)
        FMap->OnAddLayer(FMap, Layer);
    TraceEvent(FMap, mdlAfterAddLayer, Layer);
    return Layer;
}

void TMapLayers::Discard(TMapLayer* Layer)
{
    const int Index = IndexOf(Layer);
    if (Index < 0)
        return; // the load itself took it out
    std::unique_ptr<TMapLayer> Failed(ExtractAt(Index));
    // The objects read before the failure leave as any object does; the layer
    // itself was never announced, so its going is not announced either.
    Failed->DeleteObjects();
    Failed->SetMap(nullptr);
}

TMapLayer* TMapLayers::Add(const std::string& FileName, const std::string& LayerName)
{
    return Add(ResolveLayerSource(FileName), LayerName);
}

TMapLayer* TMapLayers::Add(const TLayerSource& Source, const std::string& LayerName)
{
    return CreateLayer(Source, LayerName, Count());
}

TMapLayer* TMapLayers::Insert(const std::string& FileName, int Index)
{
    if (Index < 0 || Index > Count())
        throw EListError::OutOfBounds(Index);
    return CreateLayer(ResolveLayerSource(FileName), "", Index);
}

void TMapLayers::Delete(int Index)
{
    TMapLayer* Layer = GetItems(Index);
    bool AllowDelete = true;
    if (FMap && FMap->OnBeforeDelLayer)
        FMap->OnBeforeDelLayer(FMap, Layer, true, AllowDelete);
    if (!AllowDelete)
        return;
    TraceEvent(FMap, mdlDelLayer, Layer);
    TBase::Delete(IndexOf(Layer)); // out of the list, then freed

    if (FMap) {
        FMap->DoUpdate(true);
        if (FMap->OnAfterDelLayer)
            FMap->OnAfterDelLayer(FMap);
    }
    TraceEvent(FMap, mdlAfterDelLayer, this);
}

void TMapLayers::Clear()
{
    // Index order; each layer leaves the list before it is destroyed, so
    // handlers called from its destruction never meet a destroyed layer. The
    // data links hear of each deletion as from Delete, so nothing that
    // follows the map keeps a destroyed layer.
    while (Count() > 0) {
        TraceEvent(FMap, mdlDelLayer, GetItems(0));
        TBase::Delete(0); // out of the list, then freed
        TraceEvent(FMap, mdlAfterDelLayer, this);
    }
    if (FMap && !FMap->GetDestroying())
        FMap->DoUpdate(true);
}

void TMapLayers::Move(int CurIndex, int NewIndex)
{
    TBase::Move(CurIndex, NewIndex);
    if (FMap)
        FMap->DoUpdate(true);
    TraceEvent(FMap, mdlMoveLayer, GetItems(NewIndex));
}

void TMapLayers::Exchange(int Index1, int Index2)
{
    TBase::Exchange(Index1, Index2);
    if (FMap)
        FMap->DoUpdate(true);
    TraceEvent(FMap, mdlExchangeLayer, this);
}

TMapLayer* TMapLayers::Search(const std::string& Name) const
{
    for (TMapLayer* Layer : Items())
        if (AnsiCompareText(Layer->GetName(), Name) == 0)
            return Layer;
    return nullptr;
}

TMapLayer* TMapLayers::GetEditableLayer() const
{
    for (TMapLayer* Layer : Items())
        if (Layer->GetEditable())
            return Layer;
    return nullptr;
}

} // namespace cartova
