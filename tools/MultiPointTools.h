#pragma once
// Drawing tools that collect vertices click by click and finish at a
// double-click: polylines and regions.

#include "tools/MapTools.h"

namespace cartova {

/// Collects the map points of left clicks; a rubber figure follows the
/// pointer from the last vertex. A double-click creates the object
/// (CreateObject) and starts afresh; the press the host sends after the
/// double-click adds no vertex. The segments already clicked stay on the
/// screen until the map repaints.
class TCustomMultiPointTool : public TCustomMapTool {
public:
    explicit TCustomMultiPointTool(TComponent* AOwner = nullptr);
    ~TCustomMultiPointTool() override;

    /// Left button: appends the map point of (X, Y), unless the press belongs
    /// to a double-click that already finished the figure.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    /// Once a vertex exists: the rubber figure follows the pointer.
    void MouseMove(TShiftState Shift, int X, int Y) override;
    /// Finishes the figure (Complete); the press that follows is ignored.
    void DblClick() override;
    /// Erases the rubber figure, creates the object and clears the vertices
    /// (also when nothing was created); the result is CreateObject's. Raises
    /// no OnComplete.
    bool Complete() override;
    /// Erases the rubber figure; the vertices stay, so the next click
    /// continues the figure. Raises no OnCancel.
    void Cancel() override;
    /// Shows the tool's cursor and clears the vertices.
    void Init() override;
    /// Erases the rubber figure, restores the cursor and clears the vertices.
    void Done() override;
    /// A linked map with layers and an editable layer.
    bool GetEnabled() const override;

    /// Toggles the rubber figure (drawing it twice restores the picture);
    /// nothing here.
    virtual void Draw() {}
    /// Adds the object made of the vertices to the editable layer; false here.
    virtual bool CreateObject() { return false; }

    /// The vertices clicked so far, in map coordinates.
    const TMapPoints& GetPoints() const { return FPoints; }

protected:
    /// Client pixels of the first vertex, of the last vertex (where the
    /// rubber line starts) and of the pointer.
    TPoint GetFirstPoint() const { return FFirst; }
    TPoint GetAnchorPoint() const { return FAnchor; }
    TPoint GetTrackedPoint() const { return FTracked; }

private:
    void ShowFigure();
    void HideFigure();
    void Clear();

    TMapPoints FPoints;
    TPoint FFirst, FAnchor, FTracked;
    bool FSwallowPress = false;
    bool FFigureShown = false;
};

/// Clicks the vertices of a TPolyline (at least two).
class TPolylineTool : public TCustomMultiPointTool {
public:
    explicit TPolylineTool(TComponent* AOwner = nullptr);
    /// The rubber line from the last vertex to the pointer.
    void Draw() override;
    /// A TPolyline of one part holding the vertices; false without a map,
    /// without an editable layer or with fewer than two vertices.
    bool CreateObject() override;
};

/// Clicks the vertices of a TRegion (at least three); the ring is closed.
class TRegionTool : public TCustomMultiPointTool {
public:
    explicit TRegionTool(TComponent* AOwner = nullptr);
    /// The rubber line from the last vertex to the pointer and on to the
    /// first vertex: from the third vertex on, or with two vertices when the
    /// pointer is off the last vertex's row and column.
    void Draw() override;
    /// A TRegion of one part holding the vertices and the first again; false
    /// without a map, without an editable layer or with fewer than three.
    bool CreateObject() override;
};

} // namespace cartova
