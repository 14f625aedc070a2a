#pragma once
// TCustomMapObject: the base of every object a layer holds. It owns the
// object's geometry (Parts), its styles (Pen, Brush, Font, background colour)
// and its attribute record (Fields), knows its map and layer, and defines the
// drawing and hit-test protocol the object classes fill in. The base gives
// bounding-box versions of every predicate.

#include "formats/DataFields.h"
#include "host/Host.h"
#include "objects/MapPoints.h"
#include "objects/MapView.h"

#include <memory>

namespace cartova {

class TCustomMapObject;

/// A class reference for map objects: creates a new, free-standing object.
using TMapObjectClass = TCustomMapObject* (*)();

/// The class reference of T: `MapObjectClass<TRegion>()`.
template <typename T>
TMapObjectClass MapObjectClass()
{
    return []() -> TCustomMapObject* { return new T; };
}

/// X0 <= X <= X1 and Y0 <= Y <= Y1.
inline bool PointInRect(double X, double Y, double X0, double Y0, double X1, double Y1)
{
    return X0 <= X && X <= X1 && Y0 <= Y && Y <= Y1;
}

/// Base of the map object classes. Rectangles given to the predicates are
/// (X0, Y0, X1, Y1) = (left, bottom, right, top) in map units, normalised by
/// the caller.
class TCustomMapObject : public TPersistent {
public:
    /// A free-standing object: no parts, empty fields, default styles, white
    /// background colour (unused until UseBGColor).
    TCustomMapObject();
    /// Tells its map (which forgets it, raises OnDeleteObject, tells the data
    /// links and repaints), then leaves its layer.
    ~TCustomMapObject() override;

    /// Copies geometry, styles, attributes, Tag and background settings of
    /// another map object (the map and layer stay this object's own).
    void Assign(const TPersistent* Source) override;

    // ---- references (not owned), set by the layer that adopts the object
    /// The map control that shows the object, seen through its narrow view.
    TMapView* GetMap() const { return FMap; }
    void SetMap(TMapView* Value) { FMap = Value; }
    /// The layer that holds the object, seen through its narrow view.
    TLayerView* GetLayer() const { return FLayer; }
    void SetLayer(TLayerView* Value) { FLayer = Value; }

    // ---- owned parts; the setters take ownership and free the old instance
    TPen* GetPen() const { return FPen.get(); }
    TBrush* GetBrush() const { return FBrush.get(); }
    TFont* GetFont() const { return FFont.get(); }
    TParts* GetParts() const { return FParts.get(); }
    TDataFields* GetFields() const { return FFields.get(); }
    void SetPen(TPen* Value);
    void SetBrush(TBrush* Value);
    virtual void SetFont(TFont* Value);
    void SetParts(TParts* Value);
    void SetFields(TDataFields* Value);

    int GetTag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }
    bool GetUseBGColor() const { return FUseBGColor; }
    void SetUseBGColor(bool Value) { FUseBGColor = Value; }
    TColor GetBGColor() const { return FBGColor; }
    void SetBGColor(TColor Value) { FBGColor = Value; }

    /// The box of Parts as (MinX, MinY, MaxX, MaxY); not recomputed.
    TBounds GetBounds() const { return FParts->GetBounds(); }
    /// The map area the object covers when drawn; the Parts box unless a
    /// class draws beyond its vertices (a circle: centre ± radius).
    virtual TBounds GetExtent() const { return GetBounds(); }
    /// True when the map's selection holds the object.
    bool GetSelected() const;
    /// Toggles the exclusive-or highlight once; the selection is unchanged.
    void SetSelected(bool Value);
    /// The client pixel of one vertex (unclipped transform).
    TPoint GetPixels(int PartIndex, int PointIndex) const;

    // ---- drawing
    /// Loads the styles into the map canvas (with the selection style in the
    /// slow mode), draws the object and its automatic label. Returns whether
    /// the object showed (IsShown); false without a map.
    bool Paint();
    /// Draws the object on the map canvas; the base draws nothing.
    virtual void Draw() {}
    /// Whether the last Draw showed the object. Every object shows, except a
    /// text whose fitted font is below its smallest shown size.
    virtual bool IsShown() const { return true; }
    /// Draws the exclusive-or selection highlight; a second call removes it.
    virtual void DrawSelection();
    /// Makes the object the only selected one (when it is not selected yet).
    void Select();
    /// Recomputes the Parts box exactly from every vertex, and grows each
    /// part's box over vertices moved since they were added.
    virtual void UpdateBounds();
    /// True for texts, which take the map's default text font when a layer
    /// adopts them; every other object takes the default symbol font.
    virtual bool UsesTextFont() const { return false; }

    // ---- hit tests (map units)
    virtual bool ContainsPoint(double X, double Y) const;
    virtual bool Intersects(const TCustomMapObject* MapObject) const;
    virtual bool Contains(const TCustomMapObject* MapObject) const;
    virtual bool Within(const TCustomMapObject* MapObject) const;
    virtual bool IntersectsRect(double X0, double Y0, double X1, double Y1) const;
    virtual bool WithinRect(double X0, double Y0, double X1, double Y1) const;
    virtual bool ContainsRect(double X0, double Y0, double X1, double Y1) const;

protected:
    /// Prepares the map canvas for the exclusive-or highlight: the object's
    /// styles with colours xor navy, pen mode exclusive-or.
    void PrepareCanvasAtributes();

private:
    void PaintAutoLabel();

    TMapView* FMap = nullptr;
    TLayerView* FLayer = nullptr;
    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TParts> FParts;
    std::unique_ptr<TDataFields> FFields;
    int FTag = 0;
    bool FUseBGColor = false;
    TColor FBGColor = clWhite;
};

} // namespace cartova
