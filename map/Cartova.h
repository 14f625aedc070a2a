#pragma once
// TCartova, the map control: view state and transforms, rotation of the
// stored coordinates, update batching and painting, wheel zoom, and the
// forwarding of input to the active tool. Layers, selection, data links,
// substrates, options and the tools manager are owned members.
//
// Its operations are implemented by topic: Cartova.cpp (life cycle and
// properties), CartovaView.cpp (transforms and rotation), CartovaPaint.cpp
// (painting pipeline), CartovaInput.cpp (input and wheel zoom).

#include "host/Host.h"
#include "map/CartovaEvents.h"
#include "objects/MapPoints.h"
#include "objects/MapView.h"

#include <functional>
#include <memory>
#include <string>

namespace cartova {

class TCartovaOptions;
class TMapLayers;
class TSelection;
class TMapObjectsList;
class TDisplayedObjects;
class TCustomMapObject;
class TMapDataLinks;
class TSubstrates;
class TMapToolsManager;

/// The map control. Map coordinates are doubles in data units (X east,
/// Y north); screen coordinates are client pixels (x right, y down). The
/// scale is ClientWidth × Zoom / (MaxX − MinX) pixels per map unit on both axes.
/// Its objects see it through TMapView only.
class TCartova : public TCustomControl, public TMapView {
public:
    explicit TCartova(TComponent* AOwner = nullptr);
    ~TCartova() override;

    // ---- owned members
    TMapLayers* GetLayers() const { return FLayers.get(); }
    TSelection* GetSelection() const { return FSelection.get(); }
    /// Objects drawn by the last bitmap rebuild (and those painted since when
    /// a layer adopted them), in drawing order, each once.
    TMapObjectsList* GetDisplayed() const;
    TMapDataLinks* GetDataLinks() const { return FDataLinks.get(); }
    TSubstrates* GetSubstrates() const { return FSubstrates.get(); }
    TMapToolsManager* GetMapToolsManager() const { return FMapToolsManager.get(); }
    TCartovaOptions* GetOptions() const { return FOptions.get(); }
    /// Replaces the options; the map takes ownership and frees the old ones.
    void SetOptions(TCartovaOptions* Value);
    /// The 8 × 8 brush pattern of selected objects in the slow selection mode.
    TBitmap* GetSelectionPattern() const override { return FSelectionPattern.get(); }

    // ---- full extent and view
    double GetMinX() const { return FMinX; }
    double GetMaxX() const { return FMaxX; }
    double GetMinY() const { return FMinY; }
    double GetMaxY() const { return FMaxY; }
    void SetMinX(double Value);
    void SetMaxX(double Value);
    void SetMinY(double Value);
    void SetMaxY(double Value);
    double GetCenterX() const { return FCenterX; }
    double GetCenterY() const { return FCenterY; }
    void SetCenterX(double Value);
    void SetCenterY(double Value);
    double GetZoom() const { return FZoom; }
    /// Ignores 0 and the current value; otherwise stores, DoUpdate, OnZoom.
    /// Not clamped to MinZoom/MaxZoom (only the wheel is).
    void SetZoom(double Value);
    double GetMinZoom() const { return FMinZoom; }
    double GetMaxZoom() const { return FMaxZoom; }
    void SetMinZoom(double Value) { FMinZoom = Value; }
    void SetMaxZoom(double Value) { FMaxZoom = Value; }
    bool GetWheelMouse() const { return FWheelMouse; }
    void SetWheelMouse(bool Value) { FWheelMouse = Value; }
    TWheelMouseZoomType GetZoomType() const { return FZoomType; }
    void SetZoomType(TWheelMouseZoomType Value) { FZoomType = Value; }

    // ---- transforms
    /// Client pixel (X, Y) to map coordinates.
    void ScreenToMap(int X, int Y, double& MX, double& MY) const override;
    /// Map coordinates to the client pixel, halves rounded to even. Without
    /// Clip, pixels beyond ±MaxScreenCoordinate saturate there and NaN gives 0.
    /// With Clip, each axis outside the view gives −1 or the client size, and
    /// any failure (non-finite, outside 32 bits) gives (0, 0); never raises.
    void MapToScreen(double MX, double MY, int& X, int& Y, bool Clip) const override;
    bool GetViewTransform(TViewTransform& Transform) const override;
    /// The map rectangle shown in the client area.
    TBounds GetViewBounds() const override;

    // ---- rotation of the stored coordinates
    /// Rotates the whole map by Angle degrees (clockwise for positive angles)
    /// about (X, Y), undoing any earlier rotation first.
    void RotateMap(double X, double Y, double Angle);
    /// Applies the forward rotation to every vertex of every layer.
    void Rotate();
    /// Turns the map back to normal coordinates; false when it is not rotated.
    bool UnRotate();
    bool GetisMapRotated() const { return FRotationAngle != 0; }
    double GetRotationAngle() const { return FRotationAngle; }
    double GetRotationCenterX() const { return FRotationX; }
    double GetRotationCenterY() const { return FRotationY; }
    double RotateX(double X, double Y) const;
    double RotateY(double X, double Y) const;
    double UnRotateX(double X, double Y) const;
    double UnRotateY(double X, double Y) const;
    void NormalToRotated(double X, double Y, double& RX, double& RY) const;
    void RotatedToNormal(double RX, double RY, double& X, double& Y) const;

    // ---- updates and painting
    /// Marks the map modified and, unless in an update, invalidates the window.
    void DoUpdate(bool Flag = true) override;
    /// Holds repaints back until EndUpdate (no nesting count).
    void BeginUpdate() { FInUpdate = true; }
    /// Ends the update; with Repaint calls DoUpdate.
    void EndUpdate(bool Repaint);
    bool GetModified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }
    bool GetInUpdate() const { return FInUpdate; }
    /// True while the off-screen bitmap is being rebuilt.
    bool GetIsBusy() const { return FIsBusy; }
    /// True from the start of the destructor on.
    bool GetDestroying() const { return FDestroying; }
    /// Set while loaders and text drawing size texts to their boxes.
    bool GetTextSizing() const override { return FTextSizing; }
    void SetTextSizing(bool Value) override { FTextSizing = Value; }

    /// The canvas object drawing uses: the bitmap's while rebuilding, else the window's.
    TCanvas* GetCanvas() override;
    /// The off-screen bitmap's canvas.
    TCanvas* GetMapCanvas();
    /// Rebuilds the off-screen bitmap from substrates and layers.
    void PaintMapToBitmap();
    /// Copies the off-screen bitmap to Canvas and, in the fast mode, draws the
    /// selection markers on top.
    void PaintBitmapToMapCanvas();
    /// Paints MapObject onto Canvas and records it as displayed when it
    /// showed (a text too small to read does not).
    void PaintObject(TCustomMapObject* MapObject);
    /// Forgets an object that is being destroyed: it leaves the selection and
    /// the displayed list, OnDeleteObject is raised, the data links hear
    /// mdlRemoveObject and the map repaints. Nothing while the map itself is
    /// being destroyed.
    void DetachObject(TCustomMapObject* MapObject) override;
    /// Copies the current off-screen image into Bitmap (without rebuilding).
    void AssignToBitmap(TBitmap* Bitmap);

    void StartProgress(int Min, int Max, const std::string& Title);
    void ShowProgress(int Progress);
    void StopProgress();

    // ---- workspaces
    /// Opens the tables of the MapInfo workspace FileName as layers on top of
    /// the existing ones, in the map window's order (bottom first), with the
    /// workspace's visibility, labels, editable layer and global styles, and
    /// centres the map as the workspace says; the zoom stays. Tables whose
    /// files are not found are skipped. Raises EFOpenError when FileName
    /// cannot be opened (nothing changes then). See map/Workspace.h.
    void LoadWOR(const std::string& FileName);

    // ---- display switches
    bool GetShowSelection() const override { return FShowSelection; }
    void SetShowSelection(bool Value);
    bool GetFastSelection() const override { return FFastSelection; }
    void SetFastSelection(bool Value);
    bool GetEasyDraw() const override { return FEasyDraw; }
    void SetEasyDraw(bool Value) { FEasyDraw = Value; }
    bool GetUseGeneralization() const override { return FUseGeneralization; }
    void SetUseGeneralization(bool Value) { FUseGeneralization = Value; }
    int GetGeneralizationLevel() const override { return FGeneralizationLevel; }
    void SetGeneralizationLevel(int Value) { FGeneralizationLevel = Value; }
    /// Number of top layers that point selection skips.
    int GetCtrlClickCount() const { return FCtrlClickCount; }
    void SetCtrlClickCount(int Value) { FCtrlClickCount = Value; }

    // ---- selection
    /// Whether the selection holds MapObject.
    bool IsSelected(const TCustomMapObject* MapObject) const override;
    /// Adds MapObject to the selection (TSelection::Add).
    void SelectObject(TCustomMapObject* MapObject, bool Exclusive) override;
    // By point (map coordinates), among the objects drawn last.
    void SelectObjectAt(double X, double Y, bool Exclusive);
    void SelectObjectsAt(double X, double Y, bool ClearFirst);

    // ---- published events
    TAddLayerEvent OnAddLayer;
    TDelLayerEvent OnBeforeDelLayer;
    TMapNotifyEvent OnAfterDelLayer;
    TAddObjectEvent OnAddObject;
    TRemoveObjectEvent OnBeforeRemoveObject;
    TMapNotifyEvent OnAfterRemoveObject;
    TAddSelectionEvent OnAddSelection;
    TAddSelectionEvent OnDelSelection;
    TMapNotifyEvent OnDeleteObject;
    TStartProgressEvent OnStartProgress;
    TShowProgressEvent OnShowProgress;
    TMapNotifyEvent OnStopProgress;
    TMapNotifyEvent OnUpdate;
    TMapNotifyEvent OnZoom;
    TMapNotifyEvent OnMapToolChanged;
    // OnPaint, the mouse and key events are inherited.

protected:
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void KeyPress(TKeyChar& Key) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    unsigned GetDlgCode() override;
    bool EraseBackground() override;

private:
    double Scale() const;
    /// The point hit test: from layer index Top down, the layers that are
    /// painted and selectable, and in each, in drawing order, the objects of
    /// the layer's walk over the view that the last paint drew and that
    /// contain (X, Y). Visit returns false to end the walk.
    void WalkDrawnAt(double X, double Y, int Top,
                     const std::function<bool(TCustomMapObject*)>& Visit);
    /// The active tool of the tools manager, or nullptr.
    class TCustomMapTool* ActiveTool() const;
    void CreateSelectionPattern();

    std::unique_ptr<TMapLayers> FLayers;
    std::unique_ptr<TSubstrates> FSubstrates;
    std::unique_ptr<TSelection> FSelection;
    std::unique_ptr<TDisplayedObjects> FDisplayed;
    std::unique_ptr<TMapDataLinks> FDataLinks;
    std::unique_ptr<TCartovaOptions> FOptions;
    std::unique_ptr<TMapToolsManager> FMapToolsManager;
    std::unique_ptr<TBitmap> FBitmap;
    std::unique_ptr<TBitmap> FSelectionPattern;

    double FMinX = -180, FMaxX = 180, FMinY = -90, FMaxY = 90;
    double FCenterX = 0, FCenterY = 0;
    double FZoom = 1.0;
    double FMinZoom = 0, FMaxZoom = 100;
    double FRotationAngle = 0, FRotationX = 0, FRotationY = 0;
    double FSinForward = 0, FCosForward = 0;
    double FSinInverse = 0, FCosInverse = 0;
    bool FWheelMouse = true;
    TWheelMouseZoomType FZoomType = wmCenter;

    bool FInUpdate = false, FModified = false, FIsBusy = false;
    bool FEasyDraw = false;
    bool FUseGeneralization = true;
    int FGeneralizationLevel = 1;
    bool FShowSelection = true, FFastSelection = true;
    int FCtrlClickCount = 0;
    bool FFirstPaint = true;
    bool FDestroying = false;
    bool FTextSizing = false;
};

} // namespace cartova
