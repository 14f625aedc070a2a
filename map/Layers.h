#pragma once
// TMapLayer, an ordered, owning list of map objects with shared display
// settings and an attribute schema, and TMapLayers, the map's ordered list of
// layers (index 0 is painted first, at the bottom).

#include "formats/DataFields.h"
#include "host/Host.h"
#include "map/CellBounds.h"
#include "map/IndexCell.h"
#include "map/LayerFileInfo.h"
#include "objects/CustomMapObject.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace cartova {

class TCartova;
class TCustomFormatProvider;

/// What a file name given for a layer turned out to be.
enum TLayerSourceKind {
    lsNoName,     ///< the name is empty
    lsMissing,    ///< nothing of that name
    lsFolder,     ///< a folder, not a file
    lsNoProvider, ///< a file no enabled format provider accepts
    lsReadable,   ///< a file with the provider that reads it
};

/// A file name decided on once: expanded to an absolute name, checked, and
/// its provider chosen. TMapLayers::Add takes it as it is.
struct TLayerSource {
    std::string FileName; ///< absolute; empty for lsNoName
    TLayerSourceKind Kind = lsNoName;
    TCustomFormatProvider* Provider = nullptr; ///< set for lsReadable only
};

/// Expands FileName, checks that a file is there and chooses the first enabled
/// provider that accepts it.
TLayerSource ResolveLayerSource(const std::string& FileName);

/// Raised by TMapLayers::Add and Insert when a file that exists cannot be
/// loaded: no provider accepts it, or the provider's load fails (having shown
/// its reason through the message handler). The layer is not added.
class ELayerLoadError : public Exception {
public:
    explicit ELayerLoadError(const TLayerSource& Source);
    /// The absolute name of the file that failed.
    const std::string& GetFileName() const { return FFileName; }
    TLayerSourceKind GetKind() const { return FKind; }

private:
    std::string FFileName;
    TLayerSourceKind FKind;
};

/// A per-layer override of object styles, filled by workspace loading and
/// applied by the TAB reader to the objects it creates.
struct TMapStyle {
    bool StyleSet = false;
    bool BrushUseBGColor = false;
    TColor BrushBGColor = 0;
    TColor BrushColor = 0;
    std::uint8_t BrushStyle = 0;
    TColor PenColor = 0;
    std::uint8_t PenStyle = 0;
    std::int32_t PenWidth = 0;
    std::string FontName;
    TColor FontColor = 0;
    TColor FontBGColor = 0;
};

/// A layer of map objects. An object's id is its position in the layer.
/// Its objects see it through TLayerView only.
class TMapLayer : public TPersistent, public TLayerView {
public:
    TMapLayer();
    /// Raises the map's OnBeforeDelLayer (its answer ignored), then destroys
    /// every object.
    ~TMapLayer() override;

    // ---- objects
    int GetObjectCount() const { return static_cast<int>(FObjects.size()); }
    /// Object Index; raises EListError when out of range.
    TCustomMapObject* GetObjects(int Index) const;
    /// Copies MapObject into the object at Index (Assign).
    void SetObjects(int Index, const TCustomMapObject* MapObject);
    TCustomMapObject* First() const { return GetObjects(0); }
    TCustomMapObject* Last() const { return GetObjects(GetObjectCount() - 1); }

    /// Adopts MapObject (the layer owns it from now on): sets its map and
    /// layer, gives it the layer's schema and the map's default styles, marks
    /// the map modified, raises OnAddObject when RaiseEvent, tells the data
    /// links and paints it at once unless the map is in an update.
    void AddObject(TCustomMapObject* MapObject, bool RaiseEvent);
    /// Creates an object of ObjectClass and adopts it without the event.
    TCustomMapObject* NewObject(TMapObjectClass ObjectClass);
    /// Creates an object of class T and adopts it without the event.
    template <typename T>
    T* NewObject()
    {
        return static_cast<T*>(NewObject(MapObjectClass<T>()));
    }
    /// Destroys the object at Index (−1 does nothing), then DoUpdate.
    void DeleteObject(int Index);
    /// Destroys every object, last first, then DoUpdate.
    void DeleteObjects();
    /// Takes MapObject out of the layer without destroying it; returns its
    /// former position or −1.
    int RemoveObject(TCustomMapObject* MapObject) override;
    int IndexOfObject(const TCustomMapObject* MapObject) const;

    // ---- zoom range, painting, view
    /// True when the map's zoom lies in [MinZoom, MaxZoom], or no range is set.
    bool ValidZoom() const;
    /// Centres (and, for an extent with area, zooms) the map on the layer.
    void Zoom();
    /// Whether the map paints the layer now: the map has a window, the layer
    /// is Visible and ValidZoom holds.
    bool IsPainted() const;
    /// The walk painting and hit testing share: calls Visit with each object
    /// that may show in Bounds, in the order the layer draws them, until Visit
    /// returns false. The candidates are those of GetAllIdsInRect and every
    /// object whose drawn extent (GetExtent) meets Bounds (GetPaintIdsInRect):
    /// ascending ids without the index, the index's order with it.
    void WalkObjects(const TCellBounds& Bounds, const std::function<bool(TCustomMapObject*)>& Visit);
    /// When IsPainted, paints the objects of the walk over the view onto the
    /// map canvas through the map's PaintObject.
    void Paint();
    /// Draws the markers of the layer's selected objects (fast mode).
    void PaintSelection();
    /// Collects the ids of the objects that may be visible in Bounds: through
    /// the index (filtered by IntersectsRect or WithinRect) when UseIndex2D,
    /// else every object, in id order, that IntersectsRect, WithinRect or
    /// ContainsRect. With the index the result is the index's own.
    bool GetAllIdsInRect(const TCellBounds& Bounds, TCardinalArray& Ids);
    /// The ids of the walk for Bounds (WalkObjects), in its order; true when
    /// there are any.
    bool GetPaintIdsInRect(const TCellBounds& Bounds, TCardinalArray& Ids);

    // ---- files
    /// Loads through the format provider that accepts the file name; false
    /// when none does or the load fails.
    bool LoadFromFile(const std::string& FileName, const std::string& LayerName);
    /// Loads Source through its provider (lsReadable only; false otherwise or
    /// when the load fails). On success the layer takes the file name and
    /// LayerName, or the file's base name when LayerName is empty.
    bool LoadFromSource(const TLayerSource& Source, const std::string& LayerName);
    /// Saves through the format provider that accepts the file name (empty:
    /// the layer's FileName); a rotated map is unrotated first.
    bool SaveToFile(const std::string& FileName);

    // ---- properties
    TCartova* GetMap() const { return FMap; }
    void SetMap(TCartova* Value) { FMap = Value; }
    const std::string& GetFileName() const { return FFileName; }
    void SetFileName(const std::string& Value) { FFileName = Value; }
    const std::string& GetName() const { return FName; }
    void SetName(const std::string& Value) { FName = Value; }
    /// The MIF CoordSys clause the layer's data was read with ("" when none),
    /// its lines joined by "\n" as written; the MIF writer writes it back.
    const std::string& GetCoordSys() const { return FCoordSys; }
    void SetCoordSys(const std::string& Value) { FCoordSys = Value; }
    /// What the provider kept of the file the layer was read from: its
    /// declarations, written back by a save, and the objects it skipped.
    TLayerFileInfo& GetFileInfo() { return FFileInfo; }
    const TLayerFileInfo& GetFileInfo() const { return FFileInfo; }
    int GetTag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }
    bool GetVisible() const { return FVisible; }
    /// Hiding also clears Editable and takes the layer's objects out of the
    /// selection; then DoUpdate and mdlLayerVisibleChanged.
    void SetVisible(bool Value);
    bool GetEditable() const { return FEditable; }
    /// Only a visible layer becomes editable; it becomes selectable and every
    /// other editable layer of the map stops being editable.
    void SetEditable(bool Value);
    /// The selectable flag and Visible.
    bool GetSelectable() const { return FSelectable && FVisible; }
    void SetSelectable(bool Value);
    bool GetAutoLabel() const override { return FAutoLabel; }
    void SetAutoLabel(bool Value);
    int GetLabelFieldIndex() const override { return FLabelFieldIndex; }
    void SetLabelFieldIndex(int Value) { FLabelFieldIndex = Value; }
    double GetMinZoom() const { return FMinZoom; }
    double GetMaxZoom() const { return FMaxZoom; }
    void SetMinZoom(double Value) { FMinZoom = Value; }
    void SetMaxZoom(double Value) { FMaxZoom = Value; }
    bool GetUseIndex2D() const { return FUseIndex2D; }
    /// On change hands the index this layer (building or loading it) or none.
    void SetUseIndex2D(bool Value);
    /// The layer's spatial index, owned; rebuilt before a query once the
    /// objects changed.
    TIndexCell* GetIndex2D() const { return FIndex2D.get(); }
    /// Takes ownership of Value (null: a new empty index) and frees the old.
    void SetIndex2D(TIndexCell* Value);

    // Owned styles and schema; the setters take ownership and free the old one.
    TBrush* GetDefaultBrush() const { return FDefaultBrush.get(); }
    TPen* GetDefaultPen() const { return FDefaultPen.get(); }
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    /// Font of automatic labels: "Arial", 8 points.
    TFont* GetAutoLabelFont() const override { return FAutoLabelFont.get(); }
    TDataFields* GetFields() const override { return FFields.get(); }
    void SetDefaultBrush(TBrush* Value);
    void SetDefaultPen(TPen* Value);
    void SetDefaultFont(TFont* Value);
    void SetAutoLabelFont(TFont* Value);
    void SetFields(TDataFields* Value);

    /// The style override record.
    TMapStyle& GetStyle() { return FStyle; }
    const TMapStyle& GetStyle() const { return FStyle; }

private:
    /// The one id query behind GetAllIdsInRect and the walk; ByExtent also
    /// takes the objects whose drawn extent meets Bounds.
    bool CollectIds(const TCellBounds& Bounds, TCardinalArray& Ids, bool ByExtent);
    /// Keeps, in order, the ids that name an object for which Keep holds.
    template <typename TKeep>
    void KeepIds(TCardinalArray& Ids, TKeep Keep) const;

    std::vector<std::unique_ptr<TCustomMapObject>> FObjects;
    std::string FFileName;
    std::unique_ptr<TBrush> FDefaultBrush;
    std::unique_ptr<TFont> FDefaultFont;
    std::unique_ptr<TPen> FDefaultPen;
    TCartova* FMap = nullptr;
    bool FEditable = false;
    bool FVisible = true;
    bool FSelectable = true;
    std::string FName;
    std::unique_ptr<TDataFields> FFields;
    bool FAutoLabel = false;
    int FTag = 0;
    double FMaxZoom = 0;
    double FMinZoom = 0;
    int FLabelFieldIndex = 0;
    std::unique_ptr<TFont> FAutoLabelFont;
    bool FUseIndex2D = false;
    std::unique_ptr<TIndexCell> FIndex2D;
    TMapStyle FStyle;
    std::string FCoordSys;
    TLayerFileInfo FFileInfo;
};

/// The map's layers, owned, bottom first.
class TMapLayers : public TObjectList<TMapLayer> {
public:
    explicit TMapLayers(TCartova* AMap = nullptr) : FMap(AMap) {}
    /// Destroys every layer.
    ~TMapLayers() override;

    TCartova* GetMap() const { return FMap; }
    void SetMap(TCartova* Value) { FMap = Value; }
    TMapLayer* GetLayers(int Index) const { return GetItems(Index); }
    /// Puts Layer (owned from now on) at Index in place of the layer there,
    /// which is handed back to the caller: neither freed nor told.
    void SetLayer(int Index, TMapLayer* Layer);

    /// Creates a layer named LayerName, appends it and loads FileName into it
    /// when the file exists; raises OnAddLayer and mdlAfterAddLayer. An empty
    /// or missing file name gives an empty layer. A file that exists but
    /// cannot be loaded raises ELayerLoadError: the layer, with anything read
    /// before the failure, is gone and no add event was raised.
    TMapLayer* Add(const std::string& FileName, const std::string& LayerName);
    /// Add for a file name already resolved.
    TMapLayer* Add(const TLayerSource& Source, const std::string& LayerName);
    /// Creates a layer at Index and loads FileName when it exists (the name
    /// comes from the file); raises OnAddLayer and mdlAfterAddLayer. Fails as
    /// Add does.
    TMapLayer* Insert(const std::string& FileName, int Index);
    /// Destroys layer Index unless OnBeforeDelLayer vetoes it.
    void Delete(int Index);
    /// Destroys every layer in index order, each between mdlDelLayer and
    /// mdlAfterDelLayer, then DoUpdate.
    void Clear() override;
    void Move(int CurIndex, int NewIndex);
    void Exchange(int Index1, int Index2);
    /// The first layer named Name, ignoring case; nullptr when none.
    TMapLayer* Search(const std::string& Name) const;
    /// The first editable layer, or nullptr.
    TMapLayer* GetEditableLayer() const;

private:
    using TBase = TObjectList<TMapLayer>;
    TMapLayer* CreateLayer(const TLayerSource& Source, const std::string& LayerName, int Index);
    /// Takes out and frees a layer whose load failed, without layer events.
    void Discard(TMapLayer* Layer);
    TCartova* FMap;
};

} // namespace cartova
