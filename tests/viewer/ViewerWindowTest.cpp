// The viewer's window offscreen, driven through real Qt input: the tool bar
// follows the tools, files open and fail with a message naming them, the
// status bar and progress bar follow the map, layers save and pictures
// export, dropped files open, and the window's state is kept.
#include "apps/viewer/FinishedMap.h"
#include "apps/viewer/MapFiles.h"
#include "apps/viewer/MapToolBar.h"
#include "apps/viewer/ViewerWindow.h"
#include "tests/support/InputHelpers.h"
#include "tests/support/PixelHelpers.h"
#include "tools/StdMapTools.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>

namespace cartova::test {
namespace {

using viewer::TViewerWindow;

const QString Samples = CARTOVA_SAMPLE_DIR;

class ViewerWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        // Each test keeps its settings (recent files, window state) apart.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FDir.path() + "/settings");
    }
    std::unique_ptr<TViewerWindow> Shown()
    {
        auto W = std::make_unique<TViewerWindow>();
        W->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(W.get()));
        QApplication::processEvents();
        return W;
    }
    QString Path(const QString& Name) const { return FDir.path() + "/" + Name; }
    QString Write(const QString& Name, const QByteArray& Bytes) const
    {
        QFile F(Path(Name));
        EXPECT_TRUE(F.open(QIODevice::WriteOnly));
        F.write(Bytes);
        return Path(Name);
    }

    QTemporaryDir FDir;
};

TEST_F(ViewerWindow, ToolBarFollowsTheToolsOfThePalettePage)
{
    auto W = Shown();
    const QList<QAction*> Actions = W->ToolBar()->actions();
    const std::vector<std::string> Classes = {"TSelectionTool", "TZoomInTool", "TZoomOutTool", "TPanTool",
                                              "TLineTool",      "TPolylineTool", "TRectTool", "TRegionTool",
                                              "TCircleTool",    "TSymbolTool",   "TTextTool"};
    ASSERT_EQ(Actions.size(), static_cast<int>(Classes.size()));
    for (std::size_t I = 0; I < Classes.size(); ++I) {
        EXPECT_EQ(Actions[I]->objectName().toStdString(), Classes[I]);
        TCustomMapTool* Tool = W->Tools().Tool(Classes[I]);
        ASSERT_TRUE(Tool);
        EXPECT_EQ(Actions[I]->toolTip().toStdString(), Tool->GetDisplayName());
        // The icon is the class's palette bitmap.
        EXPECT_EQ(Actions[I]->icon().availableSizes().value(0), QSize(20, 20));
        EXPECT_EQ(Tool->GetCartova(), &W->Map());
    }
    // An empty map: no tool can work; the selection tool is active all the same.
    for (QAction* A : Actions)
        EXPECT_FALSE(A->isEnabled()) << A->objectName().toStdString();
    EXPECT_TRUE(W->Tools().Action("TSelectionTool")->isChecked());

    ASSERT_EQ(W->OpenFiles({Samples + "/countries110.mif"}), 1);
    EXPECT_TRUE(W->Tools().Action("TPanTool")->isEnabled());
    EXPECT_FALSE(W->Tools().Action("TRegionTool")->isEnabled()) << "no layer is editable";

    // A new layer is editable: the drawing tools can work.
    TMapLayer* Drawing = W->NewLayer();
    EXPECT_TRUE(Drawing->GetEditable());
    EXPECT_EQ(W->CurrentLayer(), Drawing);
    EXPECT_TRUE(W->Tools().Action("TRegionTool")->isEnabled());
    Drawing->SetEditable(false);
    EXPECT_FALSE(W->Tools().Action("TRegionTool")->isEnabled());
    Drawing->SetEditable(true);

    // A button activates its tool; a tool activated in code checks its button.
    W->Tools().Action("TZoomInTool")->trigger();
    EXPECT_TRUE(W->Tools().Tool("TZoomInTool")->GetActive());
    EXPECT_FALSE(W->Tools().Action("TSelectionTool")->isChecked());
    W->Tools().Tool("TPanTool")->SetActive(true);
    EXPECT_TRUE(W->Tools().Action("TPanTool")->isChecked());
    EXPECT_FALSE(W->Tools().Action("TZoomInTool")->isChecked());
    EXPECT_EQ(W->Map().GetMapToolsManager()->GetActiveMapTool(), W->Tools().Tool("TPanTool"));
}

TEST_F(ViewerWindow, OpensFilesAndReportsThoseThatCannotBeRead)
{
    auto W = Shown();
    TMessageRecorder Messages;
    const QString Bad = Write("broken.mif", "Version 300\nColumns 2\n  a Char(10)\nData\nPoint x y\n");
    const int Opened = W->OpenFiles({Samples + "/countries110.mif", Path("missing.tab"), Bad,
                                     Samples + "/countries110_robinson.tab"});
    EXPECT_EQ(Opened, 2);
    ASSERT_EQ(W->Map().GetLayers()->Count(), 2);
    EXPECT_EQ(W->Map().GetLayers()->GetLayers(0)->GetName(), "countries110");
    EXPECT_EQ(W->Map().GetLayers()->GetLayers(1)->GetName(), "countries110_robinson");
    EXPECT_EQ(W->Map().GetLayers()->GetLayers(1)->GetObjectCount(), 177);
    // One message names both files that failed; no layer of theirs is left.
    ASSERT_EQ(Messages.Count(), 1);
    EXPECT_EQ(Messages.Messages()[0].Type, mtError);
    EXPECT_NE(Messages.LastText().find("missing.tab: no such file"), std::string::npos) << Messages.LastText();
    EXPECT_NE(Messages.LastText().find("broken.mif: "), std::string::npos) << Messages.LastText();
    EXPECT_EQ(W->LayerList().Count(), 2);
    EXPECT_EQ(W->LayerCombo().Count(), 2);

    // The first file's layer is the current one, and the grid shows it.
    EXPECT_EQ(W->CurrentLayer(), W->Map().GetLayers()->GetLayers(0));
    EXPECT_EQ(W->Grid().GetLayer(), W->CurrentLayer());
    EXPECT_EQ(W->Grid().GetRowCount(), 178);
    EXPECT_EQ(W->windowTitle().toStdString(), "countries110, countries110_robinson — Cartova viewer");

    // The files opened are the recent ones, newest first, each once.
    W->OpenFiles({Samples + "/countries110.mif"});
    const QStringList Recent = W->RecentFiles();
    ASSERT_EQ(Recent.size(), 2);
    EXPECT_TRUE(Recent[0].endsWith("countries110.mif"));
    EXPECT_TRUE(Recent[1].endsWith("countries110_robinson.tab"));
}

TEST_F(ViewerWindow, OpensWorkspaces)
{
    for (const char* F : {"countries110.mif", "countries110.mid", "tiny_countries50.tab", "tiny_countries50.dat",
                          "tiny_countries50.map", "tiny_countries50.id"})
        ASSERT_TRUE(QFile::copy(Samples + "/" + F, Path(F)));
    // Written on Windows: a drive letter, backslashes, another case.
    Write("world.wor", "!Workspace\r\n!Version 600\r\n!Charset WindowsLatin1\r\n"
                       "Open Table \"C:\\Maps\\Countries110.mif\" As Countries Interactive\r\n"
                       "Open Table \"tiny_countries50\" As Small Interactive\r\n"
                       "Map From Small, Countries\r\n  Position (0.1,0.1) Units \"in\"\r\n"
                       "Set Map\r\n  CoordSys Earth Projection 1, 104\r\n  Center (10.5,45.25)\r\n"
                       "  Zoom 5000 Units \"km\"\r\n");
    auto W = Shown();
    TMessageRecorder Messages;
    ASSERT_EQ(W->OpenFiles({Path("world.wor")}), 1) << Messages.LastText();
    EXPECT_EQ(Messages.Count(), 0) << Messages.LastText();
    TMapLayers* Layers = W->Map().GetLayers();
    ASSERT_EQ(Layers->Count(), 2);
    EXPECT_EQ(Layers->GetLayers(0)->GetName(), "Countries");
    EXPECT_EQ(Layers->GetLayers(1)->GetName(), "Small");
    EXPECT_EQ(Layers->GetLayers(0)->GetObjectCount(), 177);
    EXPECT_EQ(W->CurrentLayer(), Layers->GetLayers(0));
    // Into an empty map it shows all its data, whatever its centre.
    const TBounds View = W->Map().GetViewBounds();
    EXPECT_TRUE(View.MinX <= -180 && View.MaxX >= 180) << View.MinX << " " << View.MaxX;

    // Into a map with layers, the view moves to the workspace's centre.
    W->Map().SetCenterX(0);
    W->Map().SetCenterY(0);
    ASSERT_EQ(W->OpenFiles({Path("world.wor")}), 1) << Messages.LastText();
    EXPECT_EQ(Layers->Count(), 4);
    EXPECT_DOUBLE_EQ(W->Map().GetCenterX(), 10.5);
    EXPECT_DOUBLE_EQ(W->Map().GetCenterY(), 45.25);

    // A workspace none of whose tables opens is an error and adds nothing.
    Write("lost.wor", "!Workspace\nOpen Table \"nowhere\" As Nowhere Interactive\nMap From Nowhere\n");
    EXPECT_EQ(W->OpenFiles({Path("lost.wor")}), 0);
    EXPECT_NE(Messages.LastText().find("lost.wor: "), std::string::npos) << Messages.LastText();
    EXPECT_EQ(Layers->Count(), 4);
    EXPECT_EQ(W->LayerList().Count(), 4);
}

TEST_F(ViewerWindow, AnEmptyMapShowsAllOfTheFirstFiles)
{
    auto W = Shown();
    W->OpenFiles({Samples + "/countries110_robinson.tab"});
    // The Robinson projection's metres: the whole world is in view.
    const TBounds View = W->Map().GetViewBounds();
    EXPECT_LT(View.MinX, -1.6e7);
    EXPECT_GT(View.MaxX, 1.6e7);
    EXPECT_LT(View.MinY, -8e6);
    EXPECT_GT(View.MaxY, 8e6);
    EXPECT_LT(View.MaxX - View.MinX, 4e7) << "the world fills the window";

    // Files opened later leave the view alone.
    W->Map().SetZoom(W->Map().GetZoom() * 4);
    const double Zoom = W->Map().GetZoom();
    W->OpenFiles({Samples + "/countries110.mif"});
    EXPECT_EQ(W->Map().GetZoom(), Zoom);
    W->ShowWholeMap();
    EXPECT_LT(W->Map().GetZoom(), Zoom);
}

TEST_F(ViewerWindow, StatusBarFollowsPointerZoomAndSelection)
{
    auto W = Shown();
    W->OpenFiles({Samples + "/countries110.mif"});
    TCartova& Map = W->Map();
    const int CX = Map.GetClientWidth() / 2, CY = Map.GetClientHeight() / 2;
    double MX, MY;
    Map.ScreenToMap(CX, CY, MX, MY);
    MouseMove(Map, CX, CY);
    EXPECT_EQ(W->PositionLabel()->text(), QString("X %1   Y %2").arg(MX, 0, 'f', 4).arg(MY, 0, 'f', 4));
    EXPECT_EQ(W->SelectionLabel()->text(), "0 selected");

    // A zoom-in click doubles the zoom the status bar shows.
    const double Zoom = Map.GetZoom();
    W->Tools().Action("TZoomInTool")->trigger();
    MouseClick(Map, Qt::LeftButton, CX, CY);
    EXPECT_DOUBLE_EQ(Map.GetZoom(), 2 * Zoom);
    EXPECT_EQ(W->ZoomLabel()->text(), QString("Zoom %1").arg(2 * Zoom, 0, 'g', 4));

    // Selecting a country counts it; Shift-clicking it again removes it.
    W->Tools().Action("TSelectionTool")->trigger();
    int X, Y;
    Map.MapToScreen(25, 0, X, Y, false);  // the Democratic Republic of the Congo
    MouseClick(Map, Qt::LeftButton, X, Y);
    ASSERT_EQ(Map.GetSelection()->Count(), 1);
    EXPECT_EQ(W->SelectionLabel()->text(), "1 selected");
    MouseClick(Map, Qt::LeftButton, X, Y, Qt::ShiftModifier);
    EXPECT_EQ(W->SelectionLabel()->text(), "0 selected");
}

TEST_F(ViewerWindow, ProgressBarIsFedWhileLoadingAndPainting)
{
    auto W = Shown();
    int Highest = 0, Changes = 0;
    QObject::connect(W->ProgressBar(), &QProgressBar::valueChanged, [&](int V) {
        Highest = std::max(Highest, V);
        ++Changes;
    });
    W->OpenFiles({Samples + "/countries110.mif"});
    EXPECT_GE(Highest, 90) << "loading reports its progress";
    W->OpenFiles({Samples + "/tiny_countries50.mif"});
    EXPECT_EQ(W->ProgressBar()->value(), 0) << "and the bar empties at the end";
    Changes = 0;
    W->Map().Repaint();
    EXPECT_GT(Changes, 0) << "painting reports its progress";
}

TEST_F(ViewerWindow, SavesLayersAndExportsPictures)
{
    auto W = Shown();
    TMessageRecorder Messages;
    W->OpenFiles({Samples + "/tiny_countries50.tab"});
    TMapLayer* Layer = W->CurrentLayer();
    ASSERT_TRUE(Layer);
    const QString Mif = Path("small.mif");
    ASSERT_TRUE(W->SaveLayerAs(Layer, Mif));
    EXPECT_TRUE(QFile::exists(Path("small.mid")));
    EXPECT_EQ(W->RecentFiles().value(0), Mif);

    // What was saved opens again with every object.
    auto Again = Shown();
    ASSERT_EQ(Again->OpenFiles({Mif}), 1);
    EXPECT_EQ(Again->Map().GetLayers()->GetLayers(0)->GetObjectCount(), Layer->GetObjectCount());

    // A name no format takes is refused with a message naming it.
    EXPECT_FALSE(W->SaveLayerAs(Layer, Path("small.txt")));
    EXPECT_NE(Messages.LastText().find("small.txt"), std::string::npos) << Messages.LastText();
    EXPECT_FALSE(QFile::exists(Path("small.txt")));
    EXPECT_FALSE(W->SaveLayerAs(nullptr, Path("none.mif")));

    // The picture is the map as it shows, over the sea colour.
    const QString Png = Path("map.png");
    ASSERT_TRUE(W->ExportPicture(Png));
    const QImage Picture(Png);
    ASSERT_FALSE(Picture.isNull());
    EXPECT_EQ(Picture.size(), QSize(W->Map().GetClientWidth(), W->Map().GetClientHeight()));
    EXPECT_EQ(Picture.pixel(0, 0) & 0xFFFFFF, qRgb(0xB4, 0xDC, 0xF0) & 0xFFFFFF);
    EXPECT_FALSE(W->ExportPicture(Path("no/such/folder/map.png")));
    EXPECT_NE(Messages.LastText().find("map.png"), std::string::npos);
}

TEST_F(ViewerWindow, DroppedMapFilesOpen)
{
    auto W = Shown();
    QMimeData Data;
    Data.setUrls({QUrl::fromLocalFile(Samples + "/countries110.mif"), QUrl::fromLocalFile(Samples + "/README.md")});
    const QPoint At(50, 50);
    QDragEnterEvent Enter(At, Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(W.get(), &Enter);
    EXPECT_TRUE(Enter.isAccepted());
    QDropEvent Drop(QPointF(At), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(W.get(), &Drop);
    ASSERT_EQ(W->Map().GetLayers()->Count(), 1) << "only the map file opens";
    EXPECT_EQ(W->Map().GetLayers()->GetLayers(0)->GetName(), "countries110");

    QMimeData Text;
    Text.setUrls({QUrl::fromLocalFile(Samples + "/README.md")});
    QDragEnterEvent Refused(At, Qt::CopyAction, &Text, Qt::LeftButton, Qt::NoModifier);
    Refused.ignore();
    QApplication::sendEvent(W.get(), &Refused);
    EXPECT_FALSE(Refused.isAccepted());
}

TEST_F(ViewerWindow, KeepsItsSizeAndDocksBetweenRuns)
{
    {
        auto W = Shown();
        W->resize(900, 640);
        W->findChild<QDockWidget*>("AttributesDock")->hide();
        W->close();
    }
    auto W = Shown();
    EXPECT_EQ(W->size(), QSize(900, 640));
    EXPECT_FALSE(W->findChild<QDockWidget*>("AttributesDock")->isVisible());
    EXPECT_TRUE(W->findChild<QDockWidget*>("LayersDock")->isVisible());
}

TEST_F(ViewerWindow, RotatesAboutTheCentreOfTheView)
{
    auto W = Shown();
    W->OpenFiles({Samples + "/countries110.mif"});
    TCartova& Map = W->Map();
    Map.SetCenterX(20);
    Map.SetCenterY(10);
    W->RotateBy(15);
    W->RotateBy(15);
    EXPECT_DOUBLE_EQ(Map.GetRotationAngle(), 30);
    double X, Y;
    Map.RotatedToNormal(Map.GetCenterX(), Map.GetCenterY(), X, Y);
    EXPECT_NEAR(X, 20, 1e-9);
    EXPECT_NEAR(Y, 10, 1e-9);
    W->Straighten();
    EXPECT_FALSE(Map.GetisMapRotated());
    EXPECT_NEAR(Map.GetCenterX(), 20, 1e-9);
    EXPECT_NEAR(Map.GetCenterY(), 10, 1e-9);
}

TEST(ViewerFiles, DialogFiltersComeFromTheProviders)
{
    viewer::TProviders Providers;
    const QStringList Filters = viewer::ProviderFilters();
    ASSERT_EQ(Filters.size(), 2);
    EXPECT_EQ(Filters[1], "MapInfo Files (*.mif *.tab)");
    const QStringList Open = viewer::OpenFilter().split(";;");
    EXPECT_TRUE(Open.front().startsWith("Map files (*.mif"));
    EXPECT_TRUE(Open.front().contains("*.tab"));
    EXPECT_EQ(Open.back(), "All files (*)");
    EXPECT_EQ(viewer::FilterExtension("MapInfo Files (*.mif *.tab)"), ".mif");
    EXPECT_EQ(viewer::FilterExtension("All files (*)"), "");
    EXPECT_TRUE(Open.front().contains("*.wor"));
    EXPECT_TRUE(Open.contains("MapInfo Workspaces (*.wor)"));
    EXPECT_TRUE(viewer::IsMapFile("/data/Roads.TAB"));
    EXPECT_TRUE(viewer::IsMapFile("/data/Europe.WOR"));
    EXPECT_FALSE(viewer::IsMapFile("/data/roads.shp"));
}

TEST(ViewerPicture, NamesWhatFitsAndLeavesTheRestUnlabelled)
{
    viewer::TProviders Providers;
    QWidget Parent;
    Parent.resize(400, 200);
    TCartova Map;
    Map.SetParentWidget(&Parent);
    Map.SetBounds(0, 0, 400, 200);
    TMapLayer* Layer = Map.GetLayers()->Add("", "areas");
    Layer->GetFields()->Add("name", dtString, 40);
    const auto Add = [&](double X0, double Y0, double X1, double Y1, const char* Name) {
        auto* R = Layer->NewObject<TRegion>();
        R->GetFields()->Assign(Layer->GetFields());
        TMapPoints* P = R->GetParts()->Add()->GetPoints();
        for (const TMapPoint& V : {TMapPoint{X0, Y0}, {X1, Y0}, {X1, Y1}, {X0, Y1}, {X0, Y0}})
            P->Add(V);
        R->UpdateBounds();
        R->GetFields()->GetFields(0)->SetAsString(Name);
    };
    Add(-150, -60, 0, 60, "Large");           // wide: its name fits
    Add(20, -2, 24, 2, "Tiny");               // 4 pixels wide: no room
    Add(-100, -20, -40, 20, "Overlapping");   // on top of the large one's name
    EXPECT_EQ(viewer::PlaceLabels(*Layer, "name"), 1);
    EXPECT_TRUE(Layer->GetAutoLabel());
    const int Label = Layer->GetLabelFieldIndex();
    EXPECT_EQ(Layer->GetFields()->GetFields(Label)->GetName(), "label");
    EXPECT_EQ(Layer->GetObjects(0)->GetFields()->GetFields(Label)->GetAsString(), "Large");
    EXPECT_EQ(Layer->GetObjects(1)->GetFields()->GetFields(Label)->GetAsString(), "");
    EXPECT_EQ(Layer->GetObjects(2)->GetFields()->GetFields(Label)->GetAsString(), "");
    EXPECT_EQ(Layer->GetObjects(2)->GetFields()->GetFields(0)->GetAsString(), "Overlapping");
}

TEST(ViewerPicture, TheSamplesAsAFinishedMap)
{
    viewer::TProviders Providers;
    const QImage Picture = viewer::RenderFinishedMap(
        {(Samples + "/countries110.mif").toStdString(), (Samples + "/tiny_countries50.mif").toStdString()}, 800, 400);
    ASSERT_EQ(Picture.size(), QSize(800, 400));
    // Sea in the corners, land in the Sahara.
    const QRgb Sea = qRgb(0xB4, 0xDC, 0xF0);
    EXPECT_EQ(Picture.pixel(2, 2), Sea);
    EXPECT_NE(Picture.pixel(420, 150), Sea);
    // Smoothed edges and text bring many colours between the flat ones of a
    // picture drawn at its own size.
    const auto Colours = [](const QImage& Image) {
        QSet<QRgb> C;
        for (int Y = 0; Y < Image.height(); ++Y)
            for (int X = 0; X < Image.width(); ++X)
                C.insert(Image.pixel(X, Y));
        return C.size();
    };
    const QImage Flat = viewer::RenderFinishedMap(
        {(Samples + "/countries110.mif").toStdString(), (Samples + "/tiny_countries50.mif").toStdString()}, 800, 400,
        1);
    EXPECT_GT(Colours(Picture), 2 * Colours(Flat)) << "antialiased";
    SaveTestOutput(Picture, "viewer-finished-map.png");
    EXPECT_THROW(viewer::RenderFinishedMap({"/no/such/file.mif"}, 100, 50), viewer::TFileError);
}

} // namespace
} // namespace cartova::test
