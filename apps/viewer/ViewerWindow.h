#pragma once
// The viewer's main window: the map in the centre; the layer list and the
// layer combo box in the "Layers" dock; the attribute grid of the combo's
// layer in the "Attributes" dock; the map tools' tool bar; the File and View
// menus; a status bar with the pointer's map position, the zoom, the number
// of selected objects and a progress bar fed by the map's progress events.
// Files dropped on the window open; the window's size and docks are kept
// between runs.

#include "apps/viewer/MapFiles.h"
#include "controls/DataBrowser.h"
#include "controls/LayerCtrl.h"
#include "controls/LayersComboBox.h"
#include "map/MapObjects.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>

class QLabel;
class QMenu;
class QProgressBar;
class QToolBar;

namespace viewer {

class TMapToolBar;
class TMapWatcher;

class TViewerWindow : public QMainWindow {
public:
    explicit TViewerWindow(QWidget* Parent = nullptr);
    ~TViewerWindow() override;

    /// Opens Files into the map; a map that was empty then shows all its data.
    /// Files that cannot be opened are reported in one message. Returns the
    /// number of files opened.
    int OpenFiles(const QStringList& Files);
    /// Saves Layer to File (its format by the extension); reports a failure
    /// in a message and returns false.
    bool SaveLayerAs(cartova::TMapLayer* Layer, const QString& File);
    /// Writes the map as the window shows it to a PNG file; reports a failure
    /// in a message and returns false.
    bool ExportPicture(const QString& File);
    /// Adds an empty editable layer with a "name" column for drawing, makes
    /// it the current layer and returns it.
    cartova::TMapLayer* NewLayer();

    /// The layer the combo box names (the grid shows it, Save and Zoom to
    /// layer act on it), or nullptr.
    cartova::TMapLayer* CurrentLayer() const;
    void SetCurrentLayer(cartova::TMapLayer* Layer);

    void ZoomToLayer();
    void ZoomToSelection();
    void ShowWholeMap();
    /// Turns the map Degrees further clockwise about the centre of the view.
    void RotateBy(double Degrees);
    /// Turns the map back to its normal orientation.
    void Straighten();

    /// The files opened last, newest first.
    QStringList RecentFiles() const;

    /// Writes the screen rectangles of the map, the tool buttons, the layer
    /// list and the grid as JSON to File, for driving the window from outside.
    bool WriteLayout(const QString& File) const;

    cartova::TCartova& Map() { return FMap; }
    cartova::TLayerControl& LayerList() { return FLayerList; }
    cartova::TLayersComboBox& LayerCombo() { return FCombo; }
    cartova::TDataBrowser& Grid() { return FGrid; }
    TMapToolBar& Tools() { return *FTools; }
    QToolBar* ToolBar() const { return FToolBar; }
    QLabel* PositionLabel() const { return FPosition; }
    QLabel* ZoomLabel() const { return FZoom; }
    QLabel* SelectionLabel() const { return FSelection; }
    QProgressBar* ProgressBar() const { return FProgress; }

protected:
    void closeEvent(QCloseEvent* Event) override;
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;

private:
    /// Action, with any exception it raises reported in a message.
    std::function<void()> Guarded(std::function<void()> Action);
    void BuildDocks();
    void BuildMenus();
    void BuildStatusBar();
    void WatchMap();
    void OpenDialog();
    void SaveDialog();
    void ExportDialog();
    void FillRecentMenu();
    void RememberFiles(const QStringList& Files);
    void ShowPosition(int X, int Y);
    void ShowZoom();
    void ShowSelectionCount();
    void UpdateTitle();
    void Report(const std::string& Text, bool Error);

    TProviders FProviders;
    cartova::TCartova FMap;
    cartova::TLayerControl FLayerList;
    cartova::TLayersComboBox FCombo;
    cartova::TDataBrowser FGrid;
    QToolBar* FToolBar = nullptr;
    std::unique_ptr<TMapToolBar> FTools;
    std::unique_ptr<TMapWatcher> FWatcher;
    QMenu* FRecentMenu = nullptr;
    QLabel* FPosition = nullptr;
    QLabel* FZoom = nullptr;
    QLabel* FSelection = nullptr;
    QProgressBar* FProgress = nullptr;
    int FProgressMin = 0, FProgressMax = 0;
    int FNewLayers = 0;
};

} // namespace viewer
