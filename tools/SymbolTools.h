#pragma once
// Drawing tools of one click: a font symbol, and a geodesic circle around the
// clicked point.

#include "tools/MapTools.h"

#include <memory>

namespace cartova {

class TCustomMapObject;

/// Each left click adds a TSymbol with the map options' default shape and
/// symbol font at the clicked point. A double-click adds a second symbol at
/// the point of its first click; the press that follows it adds none.
class TSymbolTool : public TCustomMapTool {
public:
    explicit TSymbolTool(TComponent* AOwner = nullptr);

    /// Left button: stores the press point and completes.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    /// Completes again at the stored press point; the next press is ignored.
    void DblClick() override;
    /// Adds the object at the press point to the editable layer; false
    /// without a map or an editable layer. Raises no OnComplete.
    bool Complete() override;
    /// A linked map with layers and an editable layer.
    bool GetEnabled() const override;

    /// Where the last counted press was, in client pixels.
    TPoint GetPressPoint() const { return FPress; }

protected:
    /// The new object at map point P (before the layer adopts it).
    virtual std::unique_ptr<TCustomMapObject> CreateObjectAt(const TMapPoint& P);

private:
    TPoint FPress;
    bool FSwallowPress = false;
};

/// Each left click adds a TGeoCircle (the region ring) centred on the clicked
/// point, with the radius and vertex count its constructor gives; clicks and
/// double-clicks count as for TSymbolTool.
class TCircleTool : public TSymbolTool {
public:
    explicit TCircleTool(TComponent* AOwner = nullptr);

protected:
    std::unique_ptr<TCustomMapObject> CreateObjectAt(const TMapPoint& P) override;
};

} // namespace cartova
