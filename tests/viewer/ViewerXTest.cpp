// The viewer in a real X window (Xvfb), driven through xdotool and checked on
// screenshots: zoom in with the tool button and a click, pan with a drag,
// select a country (its grid row turns bold), draw a region on a new layer,
// save it through the Save dialog and open the saved file again.
#include "tests/viewer/XSession.h"

#include <QFile>
#include <QJsonArray>
#include <QRect>
#include <QTextStream>
#include <gtest/gtest.h>

#include <cmath>

namespace cartova::test {
namespace {

const QString Viewer = CARTOVA_VIEWER_EXE;
const QString Samples = CARTOVA_SAMPLE_DIR;
constexpr QRgb DrawingFill = qRgb(0xF0, 0xB4, 0x5A);

QRect RectOf(const QJsonValue& V)
{
    const QJsonArray A = V.toArray();
    return A.size() == 4 ? QRect(A[0].toInt(), A[1].toInt(), A[2].toInt(), A[3].toInt()) : QRect();
}

// The screen pixel of map point (X, Y) in the view the layout reported.
QPoint ScreenOf(const QJsonObject& Layout, double X, double Y)
{
    const QRect Map = RectOf(Layout["map"]);
    const QJsonArray V = Layout["view"].toArray();
    const double MinX = V[0].toDouble(), MinY = V[1].toDouble(), MaxX = V[2].toDouble(), MaxY = V[3].toDouble();
    return {Map.x() + static_cast<int>(std::lround((X - MinX) / (MaxX - MinX) * Map.width())),
            Map.y() + static_cast<int>(std::lround((MaxY - Y) / (MaxY - MinY) * Map.height()))};
}

int CountColor(const QImage& Image, QRgb Color, const QRect& R)
{
    int N = 0;
    for (int Y = R.top(); Y <= R.bottom(); ++Y)
        for (int X = R.left(); X <= R.right(); ++X)
            N += (Image.pixel(X, Y) & 0xFFFFFF) == (Color & 0xFFFFFF);
    return N;
}

// Dark pixels (text ink) inside R.
int Ink(const QImage& Image, const QRect& R)
{
    int N = 0;
    for (int Y = R.top(); Y <= R.bottom(); ++Y)
        for (int X = R.left(); X <= R.right(); ++X)
            N += qGray(Image.pixel(X, Y)) < 110;
    return N;
}

// The share of pixels of R in A equal to those of R moved by Shift in B.
double ShiftedMatch(const QImage& A, const QImage& B, const QRect& R, const QPoint& Shift)
{
    int Same = 0, All = 0;
    for (int Y = R.top(); Y <= R.bottom(); ++Y)
        for (int X = R.left(); X <= R.right(); ++X, ++All)
            Same += A.pixel(X, Y) == B.pixel(X + Shift.x(), Y + Shift.y());
    return All ? static_cast<double>(Same) / All : 0;
}

// The 1-based row of the country named Name in a MID file of countries.
int RowOfCountry(const QString& Mid, const QString& Name)
{
    QFile F(Mid);
    if (!F.open(QIODevice::ReadOnly))
        return -1;
    QTextStream In(&F);
    for (int Row = 1; !In.atEnd(); ++Row)
        if (In.readLine().startsWith("\"" + Name + "\","))
            return Row;
    return -1;
}

// Keeps a screenshot in the tests' output folder, for people to look at.
void Keep(const QImage& Shot, const char* Name)
{
    Shot.save(QString(CARTOVA_TEST_OUTPUT_DIR) + "/viewer-x-" + Name + ".png");
}

void CopySample(const QString& Name, const QString& Dir)
{
    for (const char* Ext : {".mif", ".mid"})
        ASSERT_TRUE(QFile::copy(Samples + "/" + Name + Ext, Dir + "/" + Name + Ext));
}

TEST(ViewerInXWindow, ZoomPanSelectDrawSaveAndReopen)
{
    if (const QString Missing = TXSession::MissingPrograms(); !Missing.isEmpty())
        GTEST_SKIP() << "not installed: " << Missing.toStdString() << " (scripts/setup installs them)";
    TXSession X;
    ASSERT_TRUE(X.StartServer()) << "Xvfb did not start";
    CopySample("countries110", X.Dir());
    CopySample("tiny_countries50", X.Dir());
    ASSERT_TRUE(X.StartProgram(Viewer, {X.Dir() + "/countries110.mif", X.Dir() + "/tiny_countries50.mif"}));
    const QJsonObject Layout = X.Layout();
    ASSERT_FALSE(Layout.isEmpty()) << X.Output().toStdString();
    const QRect Map = RectOf(Layout["map"]);
    const QJsonObject Tools = Layout["tools"].toObject();
    ASSERT_TRUE(Map.width() > 300 && Map.height() > 200);
    for (const char* Tool : {"TSelectionTool", "TZoomInTool", "TPanTool", "TRegionTool"})
        ASSERT_TRUE(Tools.contains(Tool)) << Tool;
    const QImage Start = X.SettledShot();
    Keep(Start, "start");

    // Zoom in on Argentina: the point clicked comes to the centre, twice as large.
    const QPoint Argentina = ScreenOf(Layout, -65, -35);
    const QRgb Land = Start.pixel(Argentina);
    EXPECT_NE(Land, Start.pixel(Map.center())) << "the centre of the map starts elsewhere";
    X.Click(RectOf(Tools["TZoomInTool"]).center().x(), RectOf(Tools["TZoomInTool"]).center().y());
    X.Click(Argentina.x(), Argentina.y());
    const QImage Zoomed = X.SettledShot();
    Keep(Zoomed, "zoomed");
    const QPoint Centre(Map.x() + Map.width() / 2, Map.y() + Map.height() / 2);
    EXPECT_EQ(Zoomed.pixel(Centre), Land);
    EXPECT_GT(CountColor(Zoomed, Land, Map), 3 * CountColor(Start, Land, Map));

    // Pan: the picture follows the drag.
    const QPoint Shift(-140, -90);
    X.Click(RectOf(Tools["TPanTool"]).center().x(), RectOf(Tools["TPanTool"]).center().y());
    X.Drag(Centre.x(), Centre.y(), Centre.x() + Shift.x(), Centre.y() + Shift.y());
    const QImage Panned = X.SettledShot();
    Keep(Panned, "panned");
    const QRect Inner = Map.adjusted(160, 110, -20, -20);
    EXPECT_GT(ShiftedMatch(Zoomed, Panned, Inner, Shift), 0.9);
    EXPECT_LT(ShiftedMatch(Zoomed, Panned, Inner, QPoint()), 0.9);

    // Select Argentina, now under the end of the drag: the map marks it and
    // its row number in the grid turns bold.
    const int Row = RowOfCountry(X.Dir() + "/countries110.mid", "Argentina");
    const QJsonArray Cells = Layout["gridRowNumbers"].toArray();
    ASSERT_TRUE(Row >= 1 && Row <= Cells.size());
    const QRect Cell = RectOf(Cells[Row - 1]);
    X.Click(RectOf(Tools["TSelectionTool"]).center().x(), RectOf(Tools["TSelectionTool"]).center().y());
    X.Click(Centre.x() + Shift.x(), Centre.y() + Shift.y());
    const QImage Selected = X.SettledShot();
    Keep(Selected, "selected");
    EXPECT_LT(ShiftedMatch(Panned, Selected, Map, QPoint()), 0.999) << "the selection is not marked";
    EXPECT_GT(Ink(Selected, Cell), Ink(Panned, Cell) + 3) << "the grid row is not bold";

    // Draw a region in the South Atlantic on a new layer, in the whole map's view.
    X.Key("Cartova viewer", "ctrl+n");
    X.Key("Cartova viewer", "ctrl+0");
    X.SettledShot();
    X.Click(RectOf(Tools["TRegionTool"]).center().x(), RectOf(Tools["TRegionTool"]).center().y());
    const QPoint A = ScreenOf(Layout, -32, -18), B = ScreenOf(Layout, -8, -18), C = ScreenOf(Layout, -8, -42),
                 D = ScreenOf(Layout, -32, -42);
    X.Click(A.x(), A.y());
    X.Click(B.x(), B.y());
    X.Click(C.x(), C.y());
    X.DoubleClick(D.x(), D.y());
    const QImage Drawn = X.SettledShot();
    Keep(Drawn, "drawn");
    const QRect Ring = QRect(A, C).normalized();
    EXPECT_GT(CountColor(Drawn, DrawingFill, Ring), Ring.width() * Ring.height() / 2);

    // Save it through the dialog, then quit.
    const QString Saved = X.Dir() + "/drawn.mif";
    X.Key("Cartova viewer", "ctrl+shift+s");
    X.Key("Save layer", "ctrl+a");
    X.Type(Saved);
    X.Xdotool({"key", "Return"});
    for (int I = 0; I < 100 && !QFile::exists(Saved); ++I)
        QThread::msleep(100);
    ASSERT_TRUE(QFile::exists(Saved)) << "the layer was not saved";
    X.Key("Cartova viewer", "ctrl+q");
    EXPECT_EQ(X.WaitForExit(), 0) << X.Output().toStdString();

    // Reopened, the file holds the region with its fill.
    ASSERT_TRUE(X.StartProgram(Viewer, {Saved}));
    const QJsonObject Again = X.Layout();
    ASSERT_FALSE(Again.isEmpty()) << X.Output().toStdString();
    const QImage Reopened = X.SettledShot();
    Keep(Reopened, "reopened");
    const QRect Map2 = RectOf(Again["map"]);
    EXPECT_EQ(Reopened.pixel(Map2.center()) & 0xFFFFFF, DrawingFill & 0xFFFFFF);
    EXPECT_GT(CountColor(Reopened, DrawingFill, Map2), Map2.width() * Map2.height() / 4);
    X.Key("Cartova viewer", "ctrl+q");
    EXPECT_EQ(X.WaitForExit(), 0) << X.Output().toStdString();
}

} // namespace
} // namespace cartova::test
