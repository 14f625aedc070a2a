#pragma once
// What a map object sees of the map that shows it (TMapView) and of the layer
// that holds it (TLayerView). The map control and the layer implement these
// narrow interfaces; objects know nothing else of either, so the object
// classes depend on the host and geometry layers only.

#include "host/Host.h"
#include "objects/MapPoints.h"

#include <algorithm>

namespace cartova {

class TCustomMapObject;
class TDataFields;

/// Rounding of the unclipped transform: halves to even, values beyond
/// ±MaxScreenCoordinate saturate there (so later pixel arithmetic stays within
/// int), NaN gives 0. No library call, so vertex loops stay fast: adding and
/// taking away 1.5 · 2^52 rounds in the current (nearest-even) mode exactly as
/// nearbyint does for every value within the saturation limit (IEEE
/// arithmetic keeps the two operations apart).
inline int RoundSaturated(double Value)
{
    if (Value != Value)
        return 0;
    constexpr double Limit = MaxScreenCoordinate;
    constexpr double Magic = 6755399441055744.0; // 1.5 * 2^52
    const double V = std::clamp(Value, -Limit, Limit);
    return static_cast<int>((V + Magic) - Magic);
}

/// The linear map-to-client transform of one paint: pixel x = HalfWidth +
/// (MX − CenterX) · Scale and y = HalfHeight − (MY − CenterY) · Scale, rounded
/// by RoundSaturated. Computed once per part or paint instead of per vertex.
struct TViewTransform {
    double HalfWidth = 0, HalfHeight = 0, CenterX = 0, CenterY = 0, Scale = 1;

    int ToScreenX(double MX) const { return RoundSaturated(HalfWidth + (MX - CenterX) * Scale); }
    int ToScreenY(double MY) const { return RoundSaturated(HalfHeight - (MY - CenterY) * Scale); }
};

/// The map as its objects see it: where and how to draw, the transforms
/// between map units and client pixels, the display switches, the selection
/// query, and the one call an object makes when it is destroyed.
class TMapView {
public:
    // ---- drawing surface
    /// The canvas drawing goes to: the off-screen bitmap's while the map
    /// rebuilds it, else the window's.
    virtual TCanvas* GetCanvas() = 0;
    /// The brush pattern of selected objects in the slow selection mode.
    virtual TBitmap* GetSelectionPattern() const = 0;

    // ---- transforms
    /// Map coordinates to the client pixel (halves rounded to even); without
    /// Clip, pixels beyond ±MaxScreenCoordinate saturate there; with Clip,
    /// each axis outside the view gives −1 or the client size.
    virtual void MapToScreen(double MX, double MY, int& X, int& Y, bool Clip) const = 0;
    /// Client pixel (X, Y) to map coordinates.
    virtual void ScreenToMap(int X, int Y, double& MX, double& MY) const = 0;
    /// The map rectangle shown in the client area.
    virtual TBounds GetViewBounds() const = 0;
    /// When MapToScreen without Clip is the linear TViewTransform, sets
    /// Transform to it and returns true; a view with another transform
    /// returns false and is converted vertex by vertex through MapToScreen.
    virtual bool GetViewTransform(TViewTransform& /*Transform*/) const { return false; }

    // ---- display switches
    virtual bool GetShowSelection() const = 0;
    virtual bool GetFastSelection() const = 0;
    virtual bool GetEasyDraw() const = 0;
    virtual bool GetUseGeneralization() const = 0;
    /// Pixels within which generalisation drops a vertex.
    virtual int GetGeneralizationLevel() const = 0;

    // ---- selection
    /// Whether the map's selection holds MapObject.
    virtual bool IsSelected(const TCustomMapObject* MapObject) const = 0;
    /// Adds MapObject to the selection (clearing it first when Exclusive).
    virtual void SelectObject(TCustomMapObject* MapObject, bool Exclusive) = 0;

    // ---- text sizing and updates
    /// Set while texts fit their fonts to their boxes, so that the font
    /// changes this makes do not start another fitting.
    virtual bool GetTextSizing() const = 0;
    virtual void SetTextSizing(bool Value) = 0;
    /// Asks the map to repaint.
    virtual void DoUpdate(bool Flag) = 0;
    /// Told once by an object being destroyed: the map forgets it everywhere
    /// (selection, drawn objects) and tells its application and data links.
    virtual void DetachObject(TCustomMapObject* MapObject) = 0;

protected:
    ~TMapView() = default;
};

/// The layer as its objects see it: the automatic label settings, the
/// attribute schema, and leaving the layer.
class TLayerView {
public:
    virtual bool GetAutoLabel() const = 0;
    /// Index of the schema field whose value labels the objects.
    virtual int GetLabelFieldIndex() const = 0;
    virtual TFont* GetAutoLabelFont() const = 0;
    /// The attribute schema every object of the layer receives.
    virtual TDataFields* GetFields() const = 0;
    /// Takes MapObject out of the layer without destroying it; returns its
    /// former position or −1.
    virtual int RemoveObject(TCustomMapObject* MapObject) = 0;

protected:
    ~TLayerView() = default;
};

} // namespace cartova
