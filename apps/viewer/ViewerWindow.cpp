#include "apps/viewer/ViewerWindow.h"

#include "apps/viewer/FinishedMap.h"
#include "apps/viewer/MapExtent.h"
#include "apps/viewer/MapToolBar.h"

#include <QAction>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QSaveFile>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <cmath>

using namespace cartova;

namespace viewer {

namespace {

constexpr int MaxRecentFiles = 10;
constexpr TColor DrawingFill = TColor(0x5AB4F0), DrawingLine = TColor(0x000080);
const char* const RecentKey = "recentFiles";
const char* const GeometryKey = "window/geometry";
const char* const StateKey = "window/state";

QSettings Settings()
{
    return QSettings("Cartova", "cartova-viewer");
}

// A Qt widget holding Control, which fills it whatever its size.
QWidget* Holder(TControl& Control, QWidget* Parent = nullptr)
{
    auto* H = new QWidget(Parent);
    Control.SetParentWidget(H);
    Control.SetAlign(alClient);
    Control.Show();
    return H;
}

QStringList LocalMapFiles(const QMimeData* Data)
{
    QStringList Files;
    if (!Data || !Data->hasUrls())
        return Files;
    for (const QUrl& Url : Data->urls())
        if (Url.isLocalFile() && IsMapFile(Url.toLocalFile().toStdString()))
            Files << Url.toLocalFile();
    return Files;
}

QJsonArray RectJson(const QRect& R)
{
    return {R.x(), R.y(), R.width(), R.height()};
}

// A control's client rectangle R on the screen.
QRect OnScreen(const TControl& Control, const TRect& R)
{
    const TPoint P = Control.ClientToScreen(TPoint{R.Left, R.Top});
    return QRect(P.X, P.Y, R.Right - R.Left, R.Bottom - R.Top);
}

} // namespace

/// The window's observer of the map: the tool buttons follow the layers'
/// switches, the status bar follows the selection.
class TMapWatcher : public TMapDataLink {
public:
    explicit TMapWatcher(std::function<void(TMapDataLinkEvent)> Changed) : FChanged(std::move(Changed)) {}
    void MapEvent(TMapDataLinkEvent Event, TObject*, int) override
    {
        if (Event != mdlAddObject && Event != mdlRemoveObject)
            FChanged(Event);
    }

private:
    std::function<void(TMapDataLinkEvent)> FChanged;
};

TViewerWindow::TViewerWindow(QWidget* Parent) : QMainWindow(Parent)
{
    setObjectName("CartovaViewer");
    setAcceptDrops(true);
    resize(1100, 700);
    setCentralWidget(Holder(FMap));
    FMap.SetFastSelection(true);
    FMap.SetColor(static_cast<TColor>(SeaColor));
    // What the drawing tools draw with: an orange fill, a dark red outline.
    FMap.GetOptions()->GetDefaultBrush()->SetColor(DrawingFill);
    FMap.GetOptions()->GetDefaultPen()->SetColor(DrawingLine);
    FMap.GetOptions()->GetDefaultPen()->SetWidth(2);

    FToolBar = addToolBar("Map tools");
    FToolBar->setObjectName("MapTools");
    FTools = std::make_unique<TMapToolBar>(FMap, *FToolBar, MapToolClasses());

    BuildDocks();
    BuildMenus();
    BuildStatusBar();
    WatchMap();

    QSettings S = Settings();
    restoreGeometry(S.value(GeometryKey).toByteArray());
    restoreState(S.value(StateKey).toByteArray());
    FTools->Activate("TSelectionTool");
    UpdateTitle();
}

TViewerWindow::~TViewerWindow()
{
    FWatcher.reset();
    FTools.reset();
}

void TViewerWindow::BuildDocks()
{
    auto* Layers = new QWidget;
    auto* Column = new QVBoxLayout(Layers);
    Column->setContentsMargins(2, 2, 2, 2);
    QWidget* List = Holder(FLayerList);
    List->setMinimumSize(220, 120);
    Column->addWidget(List, 1);
    QWidget* Combo = Holder(FCombo);
    Combo->setFixedHeight(26);
    Column->addWidget(Combo);
    FLayerList.SetMap(&FMap);
    FCombo.SetMap(&FMap);
    FCombo.OnChange = [this](TObject*) { FGrid.SetLayer(FCombo.GetCurrentLayer()); };

    auto* LayersDock = new QDockWidget("Layers", this);
    LayersDock->setObjectName("LayersDock");
    LayersDock->setWidget(Layers);
    addDockWidget(Qt::RightDockWidgetArea, LayersDock);

    QWidget* Grid = Holder(FGrid);
    Grid->setMinimumSize(220, 120);
    auto* GridDock = new QDockWidget("Attributes", this);
    GridDock->setObjectName("AttributesDock");
    GridDock->setWidget(Grid);
    addDockWidget(Qt::RightDockWidgetArea, GridDock);
    resizeDocks({LayersDock, GridDock}, {330, 330}, Qt::Horizontal);
    resizeDocks({LayersDock, GridDock}, {200, 400}, Qt::Vertical);
}

std::function<void()> TViewerWindow::Guarded(std::function<void()> Action)
{
    // No exception may reach Qt's event loop: it becomes a message.
    return [this, Action = std::move(Action)] {
        try {
            Action();
        } catch (const std::exception& E) {
            Report(E.what(), true);
        }
    };
}

void TViewerWindow::BuildMenus()
{
    QMenu* File = menuBar()->addMenu("&File");
    QAction* Open = File->addAction("&Open…", this, Guarded([this] { OpenDialog(); }));
    Open->setObjectName("OpenAction");
    Open->setShortcut(QKeySequence::Open);
    FRecentMenu = File->addMenu("&Recent files");
    connect(FRecentMenu, &QMenu::aboutToShow, this, Guarded([this] { FillRecentMenu(); }));
    File->addSeparator();
    QAction* New = File->addAction("&New layer", this, Guarded([this] { NewLayer(); }));
    New->setObjectName("NewLayerAction");
    New->setShortcut(QKeySequence::New);
    QAction* Save = File->addAction("&Save layer as…", this, Guarded([this] { SaveDialog(); }));
    Save->setObjectName("SaveLayerAction");
    Save->setShortcut(QKeySequence("Ctrl+Shift+S"));
    QAction* Export = File->addAction("&Export picture…", this, Guarded([this] { ExportDialog(); }));
    Export->setObjectName("ExportAction");
    Export->setShortcut(QKeySequence("Ctrl+E"));
    File->addSeparator();
    QAction* Quit = File->addAction("&Quit", this, Guarded([this] { close(); }));
    Quit->setShortcut(QKeySequence::Quit);

    QMenu* View = menuBar()->addMenu("&View");
    View->addAction("Zoom to &layer", this, Guarded([this] { ZoomToLayer(); }))
        ->setShortcut(QKeySequence("Ctrl+L"));
    View->addAction("Zoom to &selection", this, Guarded([this] { ZoomToSelection(); }))
        ->setShortcut(QKeySequence("Ctrl+Shift+L"));
    View->addAction("&Whole map", this, Guarded([this] { ShowWholeMap(); }))
        ->setShortcut(QKeySequence("Ctrl+0"));
    QMenu* Rotate = View->addMenu("&Rotate");
    Rotate->addAction("15° &clockwise", this, Guarded([this] { RotateBy(15); }))
        ->setShortcut(QKeySequence("Ctrl+R"));
    Rotate->addAction("15° c&ounter-clockwise", this, Guarded([this] { RotateBy(-15); }))
        ->setShortcut(QKeySequence("Ctrl+Shift+R"));
    Rotate->addAction("&No rotation", this, Guarded([this] { Straighten(); }));
    View->addSeparator();
    for (QDockWidget* Dock : findChildren<QDockWidget*>())
        View->addAction(Dock->toggleViewAction());
    View->addAction(FToolBar->toggleViewAction());
}

void TViewerWindow::BuildStatusBar()
{
    FPosition = new QLabel(this);
    FPosition->setMinimumWidth(230);
    FZoom = new QLabel(this);
    FZoom->setMinimumWidth(110);
    FSelection = new QLabel(this);
    FSelection->setMinimumWidth(100);
    FProgress = new QProgressBar(this);
    FProgress->setMaximumWidth(160);
    FProgress->setTextVisible(false);
    FProgress->setRange(0, 1);
    FProgress->setValue(0);
    statusBar()->addWidget(FPosition);
    statusBar()->addWidget(FZoom);
    statusBar()->addWidget(FSelection);
    statusBar()->addPermanentWidget(FProgress);
    ShowZoom();
    ShowSelectionCount();
}

void TViewerWindow::WatchMap()
{
    FMap.OnMouseMove = [this](TObject*, TShiftState, int X, int Y) { ShowPosition(X, Y); };
    FMap.OnZoom = [this](TObject*) { ShowZoom(); };
    FMap.OnStartProgress = [this](TObject*, int Min, int Max, const std::string& Title) {
        FProgressMin = Min;
        FProgressMax = std::max(Min + 1, Max);
        FProgress->setRange(0, 100);
        FProgress->setValue(0);
        if (!Title.empty())
            statusBar()->showMessage(QString::fromStdString(Title));
    };
    FMap.OnShowProgress = [this](TObject*, int Position) {
        const int Percent = static_cast<int>(100.0 * (Position - FProgressMin) / (FProgressMax - FProgressMin));
        if (Percent == FProgress->value())
            return;
        FProgress->setValue(std::clamp(Percent, 0, 100));
        // Loading runs outside the event loop: show the bar now. While the map
        // paints, the bar is drawn with the next paint of the window.
        if (!FMap.GetIsBusy())
            FProgress->repaint();
    };
    FMap.OnStopProgress = [this](TObject*) {
        FProgress->setValue(0);
        statusBar()->clearMessage();
    };
    FWatcher = std::make_unique<TMapWatcher>([this](TMapDataLinkEvent Event) {
        if (Event == mdlAddSelection || Event == mdlDelSelection) {
            ShowSelectionCount();
            return;
        }
        FTools->Refresh();
        if (Event == mdlAfterAddLayer || Event == mdlAfterDelLayer || Event == mdlMoveLayer ||
            Event == mdlExchangeLayer) {
            UpdateTitle();
            ShowSelectionCount();
            // The grid shows what the layer box names, also after a deletion.
            if (FGrid.GetLayer() != FCombo.GetCurrentLayer())
                FGrid.SetLayer(FCombo.GetCurrentLayer());
        }
    });
    FWatcher->SetMap(&FMap);
}

int TViewerWindow::OpenFiles(const QStringList& Files)
{
    const bool WasEmpty = FMap.GetLayers()->Count() == 0;
    std::string Errors, Warnings;
    QStringList Opened;
    TMapLayer* First = nullptr;
    for (const QString& F : Files) {
        try {
            const std::vector<TMapLayer*> Layers = OpenMapFile(FMap, F.toStdString(), Warnings);
            if (!First && !Layers.empty())
                First = Layers.front();
            Opened << QFileInfo(F).absoluteFilePath();
        } catch (const std::exception& E) {
            Errors += (Errors.empty() ? "" : "\n") + std::string(E.what());
        }
    }
    // A workspace keeps the zoom, so its centre alone would show an arbitrary
    // part of the data: an empty map shows all of what opened instead.
    if (WasEmpty && First) {
        AdoptDataExtent(FMap);
        viewer::ShowWholeMap(FMap);
    }
    if (!CurrentLayer() && First)
        SetCurrentLayer(First);
    RememberFiles(Opened);
    UpdateTitle();
    FTools->Refresh();
    if (!Errors.empty())
        Report(Errors, true);
    else if (!Warnings.empty())
        Report(Warnings, false);
    return static_cast<int>(Opened.size());
}

bool TViewerWindow::SaveLayerAs(TMapLayer* Layer, const QString& File)
{
    if (!Layer) {
        Report("There is no layer to save: choose one in the layer box.", true);
        return false;
    }
    try {
        SaveLayer(*Layer, File.toStdString());
    } catch (const std::exception& E) {
        Report(E.what(), true);
        return false;
    }
    statusBar()->showMessage("Saved " + File, 5000);
    RememberFiles({QFileInfo(File).absoluteFilePath()});
    return true;
}

bool TViewerWindow::ExportPicture(const QString& File)
{
    TBitmap Bitmap;
    FMap.AssignToBitmap(&Bitmap);
    QSaveFile Out(File);
    if (!Out.open(QIODevice::WriteOnly) ||
        !Bitmap.GetImage().convertToFormat(QImage::Format_RGB32).save(&Out, "PNG") || !Out.commit()) {
        Report(File.toStdString() + ": the picture could not be written: " + Out.errorString().toStdString(),
               true);
        return false;
    }
    statusBar()->showMessage("Picture written to " + File, 5000);
    return true;
}

TMapLayer* TViewerWindow::NewLayer()
{
    TMapLayer* Layer = FMap.GetLayers()->Add("", "drawing " + std::to_string(++FNewLayers));
    Layer->GetFields()->Add("name", dtString, 40);
    Layer->SetEditable(true);
    SetCurrentLayer(Layer);
    FTools->Refresh();
    return Layer;
}

TMapLayer* TViewerWindow::CurrentLayer() const
{
    return FCombo.GetCurrentLayer();
}

void TViewerWindow::SetCurrentLayer(TMapLayer* Layer)
{
    FCombo.SetItemIndex(Layer ? FMap.GetLayers()->IndexOf(Layer) : -1);
    FGrid.SetLayer(FCombo.GetCurrentLayer());
}

void TViewerWindow::ZoomToLayer()
{
    if (TMapLayer* Layer = CurrentLayer(); Layer && Layer->GetObjectCount() > 0)
        Layer->Zoom();
}

void TViewerWindow::ZoomToSelection()
{
    FMap.GetSelection()->Zoom();
}

void TViewerWindow::ShowWholeMap()
{
    viewer::ShowWholeMap(FMap);
}

void TViewerWindow::RotateBy(double Degrees)
{
    // The map turns about the point at the centre of the view, which stays there.
    double X, Y;
    FMap.RotatedToNormal(FMap.GetCenterX(), FMap.GetCenterY(), X, Y);
    const double Angle = std::remainder(FMap.GetRotationAngle() + Degrees, 360.0);
    TMapUpdateGuard Update(&FMap);
    FMap.RotateMap(X, Y, Angle);
    FMap.SetCenterX(X);
    FMap.SetCenterY(Y);
}

void TViewerWindow::Straighten()
{
    double X, Y;
    FMap.RotatedToNormal(FMap.GetCenterX(), FMap.GetCenterY(), X, Y);
    TMapUpdateGuard Update(&FMap);
    FMap.UnRotate();
    FMap.SetCenterX(X);
    FMap.SetCenterY(Y);
}

QStringList TViewerWindow::RecentFiles() const
{
    return Settings().value(RecentKey).toStringList();
}

void TViewerWindow::RememberFiles(const QStringList& Files)
{
    if (Files.isEmpty())
        return;
    QStringList Recent = RecentFiles();
    for (const QString& F : Files) {
        Recent.removeAll(F);
        Recent.prepend(F);
    }
    while (Recent.size() > MaxRecentFiles)
        Recent.removeLast();
    Settings().setValue(RecentKey, Recent);
}

void TViewerWindow::FillRecentMenu()
{
    FRecentMenu->clear();
    const QStringList Recent = RecentFiles();
    for (int I = 0; I < Recent.size(); ++I) {
        const QString F = Recent[I];
        FRecentMenu->addAction(QString("&%1 %2").arg(I + 1).arg(QFileInfo(F).fileName()), this,
                               Guarded([this, F] { OpenFiles({F}); }))
            ->setToolTip(F);
    }
    if (Recent.isEmpty())
        FRecentMenu->addAction("(none)")->setEnabled(false);
    FRecentMenu->addSeparator();
    FRecentMenu->addAction("&Clear the list", this, [] { Settings().remove(RecentKey); });
}

void TViewerWindow::OpenDialog()
{
    const QStringList Files = QFileDialog::getOpenFileNames(this, "Open map files", QString(), OpenFilter());
    if (!Files.isEmpty())
        OpenFiles(Files);
}

void TViewerWindow::SaveDialog()
{
    TMapLayer* Layer = CurrentLayer();
    if (!Layer) {
        Report("There is no layer to save: choose one in the layer box.", true);
        return;
    }
    QString Selected;
    QString File = QFileDialog::getSaveFileName(this, "Save layer " + QString::fromStdString(Layer->GetName()),
                                                QString::fromStdString(Layer->GetFileName()), SaveFilter(),
                                                &Selected, QFileDialog::DontUseNativeDialog);
    if (File.isEmpty())
        return;
    if (QFileInfo(File).suffix().isEmpty())
        File += FilterExtension(Selected).isEmpty() ? ".mif" : FilterExtension(Selected);
    SaveLayerAs(Layer, File);
}

void TViewerWindow::ExportDialog()
{
    QString File = QFileDialog::getSaveFileName(this, "Export picture", "map.png", "PNG pictures (*.png)",
                                                nullptr, QFileDialog::DontUseNativeDialog);
    if (File.isEmpty())
        return;
    if (QFileInfo(File).suffix().isEmpty())
        File += ".png";
    ExportPicture(File);
}

void TViewerWindow::ShowPosition(int X, int Y)
{
    double MX, MY;
    FMap.ScreenToMap(X, Y, MX, MY);
    if (FMap.GetisMapRotated()) {
        const double RX = MX, RY = MY;
        FMap.RotatedToNormal(RX, RY, MX, MY);
    }
    FPosition->setText(QString("X %1   Y %2").arg(MX, 0, 'f', 4).arg(MY, 0, 'f', 4));
}

void TViewerWindow::ShowZoom()
{
    FZoom->setText(QString("Zoom %1").arg(FMap.GetZoom(), 0, 'g', 4));
}

void TViewerWindow::ShowSelectionCount()
{
    FSelection->setText(QString("%1 selected").arg(FMap.GetSelection()->Count()));
}

void TViewerWindow::UpdateTitle()
{
    QStringList Names;
    for (int L = 0; L < FMap.GetLayers()->Count() && L < 4; ++L)
        Names << QString::fromStdString(FMap.GetLayers()->GetLayers(L)->GetName());
    if (FMap.GetLayers()->Count() > 4)
        Names << "…";
    setWindowTitle(Names.isEmpty() ? QString("Cartova viewer") : Names.join(", ") + " — Cartova viewer");
}

void TViewerWindow::Report(const std::string& Text, bool Error)
{
    MessageDlg(Text, Error ? mtError : mtWarning, mbOK);
}

void TViewerWindow::closeEvent(QCloseEvent* Event)
{
    QSettings S = Settings();
    S.setValue(GeometryKey, saveGeometry());
    S.setValue(StateKey, saveState());
    QMainWindow::closeEvent(Event);
}

void TViewerWindow::dragEnterEvent(QDragEnterEvent* Event)
{
    if (!LocalMapFiles(Event->mimeData()).isEmpty())
        Event->acceptProposedAction();
}

void TViewerWindow::dropEvent(QDropEvent* Event)
{
    const QStringList Files = LocalMapFiles(Event->mimeData());
    if (Files.isEmpty())
        return;
    Event->acceptProposedAction();
    OpenFiles(Files);
}

bool TViewerWindow::WriteLayout(const QString& File) const
{
    QJsonObject Tools;
    for (QAction* A : FToolBar->actions())
        if (QWidget* W = FToolBar->widgetForAction(A); W && !A->objectName().isEmpty())
            Tools[A->objectName()] = RectJson(QRect(W->mapToGlobal(QPoint(0, 0)), W->size()));
    QJsonArray Rows;
    for (int I = 0; I < FMap.GetLayers()->Count(); ++I)
        Rows.append(RectJson(OnScreen(FLayerList, FLayerList.ItemRect(I))));
    QJsonArray Cells;
    for (int R = 1; R < FGrid.GetRowCount() && R < 40; ++R)
        Cells.append(RectJson(OnScreen(FGrid, FGrid.CellRect(0, R))));
    QJsonObject O;
    O["window"] = RectJson(frameGeometry());
    O["map"] = RectJson(OnScreen(FMap, FMap.GetClientRect()));
    const TBounds View = FMap.GetViewBounds();
    O["view"] = QJsonArray{View.MinX, View.MinY, View.MaxX, View.MaxY};
    O["tools"] = Tools;
    O["layerRows"] = Rows;
    O["gridRowNumbers"] = Cells;
    QSaveFile Out(File);
    return Out.open(QIODevice::WriteOnly) && Out.write(QJsonDocument(O).toJson()) >= 0 && Out.commit();
}

} // namespace viewer
