#include "ToolsWindow.h"

#include "DemoWindow.h"
#include "map/MapObjects.h"
#include "tools/StdMapTools.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QToolBar>

#include <memory>
#include <vector>

using namespace cartova;

namespace demo {

namespace {

constexpr int MapWidth = 800, MapHeight = 500;

/// The window: the map, its tools and the tool bar that switches them.
class TToolsWindow {
public:
    explicit TToolsWindow(const std::function<void(TCartova&)>& BuildMap)
    {
        FWindow.setWindowTitle("Cartova demo: map tools");
        auto* Host = new QWidget(&FWindow);
        Host->setFixedSize(MapWidth, MapHeight);
        FWindow.setCentralWidget(Host);
        FMap.SetParentWidget(Host);
        FMap.SetBounds(0, 0, MapWidth, MapHeight);
        FMap.Show();
        BuildMap(FMap);

        FToolBar = new QToolBar("Tools", &FWindow);
        FWindow.addToolBar(Qt::LeftToolBarArea, FToolBar);
        FGroup = new QActionGroup(&FWindow);
        AddTool(std::make_unique<TSelectionTool>(), "Click selects, Shift toggles, Ctrl reaches lower layers");
        AddTool(std::make_unique<TZoomInTool>(), "Click or drag a rectangle to zoom in");
        AddTool(std::make_unique<TZoomOutTool>(), "Click or drag a rectangle to zoom out");
        AddTool(std::make_unique<TPanTool>(), "Drag the map");
        AddDrawingTools();
        FStatus = new QLabel(&FWindow);
        FWindow.statusBar()->addWidget(FStatus);
        FMap.OnMouseMove = [this](TObject*, TShiftState, int X, int Y) { ShowStatus(X, Y); };
        FGroup->actions().front()->trigger();
    }

    QMainWindow& Window() { return FWindow; }
    TCartova& Map() { return FMap; }

    /// A tool linked to the map with a checkable action that activates it.
    void AddTool(std::unique_ptr<TCustomMapTool> Tool, const char* Hint)
    {
        TCustomMapTool* T = Tool.get();
        T->SetCartova(&FMap);
        T->OnComplete = [this](TCustomMapTool*) { ShowStatus(-1, -1); };
        QAction* A = FToolBar->addAction(QString::fromStdString(T->GetDisplayName()));
        A->setCheckable(true);
        A->setToolTip(Hint);
        FGroup->addAction(A);
        QObject::connect(A, &QAction::triggered, [this, T] {
            T->SetActive(true);
            ShowStatus(-1, -1);
        });
        FTools.push_back(std::move(Tool));
    }

private:
    /// The drawing tools, which add to a layer of their own.
    void AddDrawingTools()
    {
        FMap.GetLayers()->Add("", "drawings")->SetEditable(true);
        FToolBar->addSeparator();
        AddTool(std::make_unique<TLineTool>(), "Drag a line");
        AddTool(std::make_unique<TRectTool>(), "Drag a rectangle");
        AddTool(std::make_unique<TPolylineTool>(), "Click the vertices, double-click the last");
        AddTool(std::make_unique<TRegionTool>(), "Click the vertices, double-click the last");
        AddTool(std::make_unique<TSymbolTool>(), "Click to place a symbol");
        AddTool(std::make_unique<TCircleTool>(), "Click to place a circle of 100 km");
        AddTool(std::make_unique<TTextTool>(), "Click, type, Enter");
    }

    void ShowStatus(int X, int Y)
    {
        QString Text;
        if (TCustomMapTool* T = FMap.GetMapToolsManager()->GetActiveMapTool())
            Text = QString::fromStdString(T->GetDisplayName()) + "   ";
        Text += QString("zoom %1   centre (%2, %3)   %4 selected")
                    .arg(FMap.GetZoom(), 0, 'g', 4)
                    .arg(FMap.GetCenterX(), 0, 'f', 2)
                    .arg(FMap.GetCenterY(), 0, 'f', 2)
                    .arg(FMap.GetSelection()->Count());
        if (X >= 0) {
            double MX, MY;
            FMap.ScreenToMap(X, Y, MX, MY);
            Text += QString("   pointer (%1, %2)").arg(MX, 0, 'f', 2).arg(MY, 0, 'f', 2);
        }
        FStatus->setText(Text);
    }

    QMainWindow FWindow;
    TCartova FMap;
    QToolBar* FToolBar = nullptr;
    QActionGroup* FGroup = nullptr;
    QLabel* FStatus = nullptr;
    std::vector<std::unique_ptr<TCustomMapTool>> FTools;
};

} // namespace

int RunToolsWindow(const std::function<void(TCartova&)>& BuildMap, const std::string& PngPath)
{
    TToolsWindow W(BuildMap);
    return RunWindow(W.Window(), W.Map(), PngPath, "tools window");
}

} // namespace demo
