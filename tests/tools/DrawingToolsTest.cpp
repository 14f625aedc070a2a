// The drawing tools driven by real mouse input: what each gesture adds to the
// editable layer, degenerate gestures, double-clicks, rubber bands that leave
// no pixel behind, and the map without an editable layer.
#include "tests/tools/ToolTestSupport.h"

#include <string>
#include <vector>

using namespace cartova;
using test::TToolMap;

namespace {

struct TDrawing : TToolMap {
    TMapLayer* Drawn = nullptr;
    std::vector<TCustomMapObject*> Added;

    void SetUp() override
    {
        TToolMap::SetUp();
        TMapLayer* Below = Map.GetLayers()->Add("", "below");
        AddFilledBox(Below, -90, -45, 18, 36, clYellow);
        Drawn = Map.GetLayers()->Add("", "drawn");
        Drawn->SetEditable(true);
        Map.OnAddObject = [this](TObject*, TCustomMapObject* O) { Added.push_back(O); };
    }
    static TMapPoint At(TCartova& Map, int X, int Y)
    {
        TMapPoint P;
        Map.ScreenToMap(X, Y, P.X, P.Y);
        return P;
    }
    TMapPoint At(int X, int Y) { return At(Map, X, Y); }
    static std::vector<TMapPoint> Vertices(TCustomMapObject* O)
    {
        const TMapPoints* P = O->GetParts()->GetItems(0)->GetPoints();
        return {P->begin(), P->end()};
    }
    /// The window's pixels against a fresh repaint: a band left behind shows.
    int LeftOver() { return test::CountDifferences(Surface(), Picture()); }
};

} // namespace

TEST_F(TDrawing, LineToolAddsTheDraggedSegmentAndLeavesNoBand)
{
    TLineTool Line;
    Use(Line);
    EXPECT_EQ(Map.GetCursor(), crCross);
    EXPECT_TRUE(Line.GetEnabled());
    const QImage Before = Picture();
    test::MousePress(Map, Qt::LeftButton, 100, 50);
    test::MouseMove(Map, 180, 150);
    test::MouseMove(Map, 200, 120);
    EXPECT_EQ(test::CountDifferences(Surface(), Before), 100); // the rubber line
    test::MouseRelease(Map, Qt::LeftButton, 200, 120);
    ASSERT_EQ(Added.size(), 1u);
    ASSERT_EQ(Drawn->GetObjectCount(), 1);
    EXPECT_NE(dynamic_cast<TPolyline*>(Added[0]), nullptr);
    EXPECT_EQ(Added[0]->GetLayer(), Drawn);
    EXPECT_EQ(Vertices(Added[0]), (std::vector<TMapPoint>{At(100, 50), At(200, 120)}));
    EXPECT_EQ(LeftOver(), 0);

    // Released where it was pressed (after wandering): nothing, no trace.
    const QImage Again = Picture();
    test::MousePress(Map, Qt::LeftButton, 30, 30);
    test::MouseMove(Map, 90, 60);
    test::MouseMove(Map, 30, 30);
    test::MouseRelease(Map, Qt::LeftButton, 30, 30);
    EXPECT_EQ(Drawn->GetObjectCount(), 1);
    EXPECT_EQ(test::CountDifferences(Surface(), Again), 0);
}

TEST_F(TDrawing, RectToolAddsTheDraggedRectangleUnlessItIsFlat)
{
    TRectTool Rect;
    Use(Rect);
    test::MouseDrag(Map, Qt::LeftButton, 250, 150, 120, 40);
    ASSERT_EQ(Drawn->GetObjectCount(), 1);
    auto* R = dynamic_cast<TRectangle*>(Drawn->GetObjects(0));
    ASSERT_NE(R, nullptr);
    // Corners as dragged: vertex 0 the press, vertex 1 the release.
    EXPECT_EQ(Vertices(R), (std::vector<TMapPoint>{At(250, 150), At(120, 40)}));
    EXPECT_EQ(R->GetBounds(), (TBounds{At(120, 0).X, At(0, 150).Y, At(250, 0).X, At(0, 40).Y}));
    EXPECT_EQ(LeftOver(), 0);
    // A click, a flat and a thin drag add nothing.
    test::MouseClick(Map, Qt::LeftButton, 60, 60);
    test::MouseDrag(Map, Qt::LeftButton, 60, 60, 160, 60);
    test::MouseDrag(Map, Qt::LeftButton, 60, 60, 60, 160);
    EXPECT_EQ(Drawn->GetObjectCount(), 1);
    EXPECT_EQ(Added.size(), 1u);
    EXPECT_EQ(LeftOver(), 0);
}

TEST_F(TDrawing, PolylineDoubleClickAddsTheLastVertexOnce)
{
    TPolylineTool Poly;
    Use(Poly);
    test::MouseClick(Map, Qt::LeftButton, 50, 150);
    test::MouseMove(Map, 120, 100);
    test::MouseDoubleClick(Map, Qt::LeftButton, 150, 40);
    ASSERT_EQ(Added.size(), 1u);
    EXPECT_NE(dynamic_cast<TPolyline*>(Added[0]), nullptr);
    EXPECT_EQ(Vertices(Added[0]), (std::vector<TMapPoint>{At(50, 150), At(150, 40)}));
    EXPECT_EQ(Poly.GetPoints().Count(), 0);
    EXPECT_EQ(LeftOver(), 0);

    // Four vertices; a lone double-click (one vertex) adds nothing.
    test::MouseClick(Map, Qt::LeftButton, 20, 20);
    test::MouseClick(Map, Qt::LeftButton, 380, 30);
    test::MouseClick(Map, Qt::LeftButton, 370, 180);
    test::MouseDoubleClick(Map, Qt::LeftButton, 30, 170);
    ASSERT_EQ(Added.size(), 2u);
    EXPECT_EQ(Vertices(Added[1]).size(), 4u);
    test::MouseDoubleClick(Map, Qt::LeftButton, 200, 100);
    EXPECT_EQ(Added.size(), 2u);
    EXPECT_EQ(Poly.GetPoints().Count(), 0);
}

TEST_F(TDrawing, RegionRingIsClosedAndItsClosingLineShowsFromTheThirdVertex)
{
    TRegionTool Region;
    Use(Region);
    const QImage Before = Picture();
    const auto Changed = [&](int X, int Y) {
        return test::PixelOf(Surface(), X, Y) != test::PixelOf(Before, X, Y);
    };
    test::MouseClick(Map, Qt::LeftButton, 100, 100); // A
    test::MouseMove(Map, 300, 100);
    test::MouseClick(Map, Qt::LeftButton, 300, 100); // B
    // Two vertices, the pointer off B's row and column: closing line to A.
    test::MouseMove(Map, 200, 40);
    EXPECT_TRUE(Changed(250, 70));  // rubber line B → pointer
    EXPECT_TRUE(Changed(150, 70));  // closing line pointer → A
    // In B's column: no closing line.
    test::MouseMove(Map, 300, 160);
    EXPECT_TRUE(Changed(300, 130));
    EXPECT_FALSE(Changed(200, 130));
    EXPECT_FALSE(Changed(150, 70));
    test::MouseMove(Map, 200, 40);
    test::MouseClick(Map, Qt::LeftButton, 200, 40); // C
    // Three vertices: the closing line always shows.
    test::MouseMove(Map, 100, 160);
    EXPECT_TRUE(Changed(175, 70));   // rubber line C → pointer
    EXPECT_TRUE(Changed(100, 130));  // closing line pointer → A
    test::MouseDoubleClick(Map, Qt::LeftButton, 100, 160); // D
    ASSERT_EQ(Added.size(), 1u);
    EXPECT_NE(dynamic_cast<TRegion*>(Added[0]), nullptr);
    EXPECT_EQ(Vertices(Added[0]), (std::vector<TMapPoint>{At(100, 100), At(300, 100), At(200, 40),
                                                           At(100, 160), At(100, 100)}));
    EXPECT_EQ(LeftOver(), 0) << test::SaveTestOutput(Surface(), "region-after");

    // Two vertices make no region.
    test::MouseClick(Map, Qt::LeftButton, 20, 20);
    test::MouseDoubleClick(Map, Qt::LeftButton, 80, 60);
    EXPECT_EQ(Added.size(), 1u);
}

TEST_F(TDrawing, CancelTakesTheRubberLineAwayAndKeepsTheVertices)
{
    TPolylineTool Poly;
    Use(Poly);
    const QImage Before = Picture();
    test::MouseClick(Map, Qt::LeftButton, 100, 100);
    test::MouseMove(Map, 200, 150);
    Poly.Cancel();
    EXPECT_EQ(test::CountDifferences(Surface(), Before), 0);
    EXPECT_EQ(Poly.GetPoints().Count(), 1);
    // The figure goes on from the kept vertex and leaves nothing stray.
    test::MouseMove(Map, 250, 50);
    test::MouseDoubleClick(Map, Qt::LeftButton, 250, 50);
    ASSERT_EQ(Added.size(), 1u);
    EXPECT_EQ(Vertices(Added[0]), (std::vector<TMapPoint>{At(100, 100), At(250, 50)}));
    // Switching tools mid-figure erases the rubber line and forgets the vertices.
    const QImage Now = Picture();
    test::MouseClick(Map, Qt::LeftButton, 30, 30);
    test::MouseMove(Map, 90, 90);
    TSelectionTool Select;
    Select.SetCartova(&Map);
    Select.SetActive(true);
    EXPECT_EQ(test::CountDifferences(Surface(), Now), 0);
    EXPECT_EQ(Poly.GetPoints().Count(), 0);
}

TEST_F(TDrawing, SymbolToolAddsTheDefaultSymbolAndTwiceOnADoubleClick)
{
    TSymbolTool Symbol;
    Use(Symbol);
    Map.GetOptions()->SetDefaultSymbolShape(40);
    test::MouseClick(Map, Qt::LeftButton, 120, 70);
    ASSERT_EQ(Added.size(), 1u);
    auto* S = dynamic_cast<TSymbol*>(Added[0]);
    ASSERT_NE(S, nullptr);
    EXPECT_EQ(S->GetShape(), 40);
    EXPECT_EQ((TMapPoint{S->GetX(), S->GetY()}), At(120, 70));
    EXPECT_EQ(S->GetFont()->GetName(), Map.GetOptions()->GetDefaultSymbolFont()->GetName());
    EXPECT_EQ(S->GetFont()->GetColor(), Map.GetOptions()->GetDefaultSymbolFont()->GetColor());

    test::MouseDoubleClick(Map, Qt::LeftButton, 300, 150);
    ASSERT_EQ(Added.size(), 3u);
    for (TCustomMapObject* O : {Added[1], Added[2]})
        EXPECT_EQ(Vertices(O), std::vector<TMapPoint>{At(300, 150)});
    // The next press counts again.
    test::MouseClick(Map, Qt::LeftButton, 10, 10);
    EXPECT_EQ(Added.size(), 4u);
    // Right clicks draw nothing.
    test::MouseClick(Map, Qt::RightButton, 10, 10);
    EXPECT_EQ(Added.size(), 4u);
}

TEST_F(TDrawing, CircleToolAddsAGeodesicCircleAndTwiceOnADoubleClick)
{
    TCircleTool Circle;
    Use(Circle);
    test::MouseClick(Map, Qt::LeftButton, 300, 60);
    test::MouseDoubleClick(Map, Qt::LeftButton, 100, 140);
    ASSERT_EQ(Added.size(), 3u);
    const TMapPoint Centres[] = {At(300, 60), At(100, 140), At(100, 140)};
    for (int I = 0; I < 3; ++I) {
        auto* C = dynamic_cast<TGeoCircle*>(Added[I]);
        ASSERT_NE(C, nullptr);
        EXPECT_EQ((TMapPoint{C->GetCenterX(), C->GetCenterY()}), Centres[I]);
        EXPECT_EQ(C->GetRadius(), 100000.0);
        const std::vector<TMapPoint> Ring = Vertices(C);
        ASSERT_EQ(Ring.size(), 91u);
        EXPECT_EQ(Ring.front(), Ring.back());
    }
    // The box is the ring's: a click inside the new circle selects it.
    const TBounds B = Added[0]->GetBounds();
    EXPECT_LT(B.MinX, Centres[0].X);
    EXPECT_GT(B.MaxY, Centres[0].Y);
    TSelectionTool Select;
    Use(Select);
    Picture();
    test::MouseClick(Map, Qt::LeftButton, 300, 60);
    ASSERT_EQ(Map.GetSelection()->Count(), 1);
    EXPECT_EQ(Map.GetSelection()->GetItems(0), Added[0]);
}

TEST_F(TDrawing, WithoutAnEditableLayerNothingIsDrawn)
{
    Drawn->SetEditable(false);
    TLineTool Line;
    TRectTool Rect;
    TPolylineTool Poly;
    TRegionTool Region;
    TSymbolTool Symbol;
    TCircleTool Circle;
    TTextTool Text;
    for (TCustomMapTool* T :
         std::vector<TCustomMapTool*>{&Line, &Rect, &Poly, &Region, &Symbol, &Circle, &Text}) {
        Use(*T);
        EXPECT_FALSE(T->GetEnabled()) << T->GetDisplayName();
        test::MouseDrag(Map, Qt::LeftButton, 50, 50, 150, 120);
        test::MouseClick(Map, Qt::LeftButton, 250, 60);
        test::MouseDoubleClick(Map, Qt::LeftButton, 300, 150);
        test::KeyClick(Map, Qt::Key_Return);
    }
    EXPECT_TRUE(Added.empty());
    EXPECT_EQ(Drawn->GetObjectCount(), 0);
    // An unlinked tool is not enabled either.
    TSymbolTool Loose;
    EXPECT_FALSE(Loose.GetEnabled());
    EXPECT_FALSE(Loose.Complete());
}

TEST_F(TToolMap, DrawingToolsShowTheirNamesAndCursors)
{
    TLineTool Line;
    TRectTool Rect;
    TPolylineTool Poly;
    TRegionTool Region;
    TSymbolTool Symbol;
    TCircleTool Circle;
    TTextTool Text;
    TCustomMultiPointTool Multi;
    const std::vector<std::pair<TCustomMapTool*, std::string>> Names = {
        {&Line, "Line Tool"},     {&Rect, "Rectangle Tool"}, {&Poly, "Polyline Tool"},
        {&Region, "Region Tool"}, {&Symbol, "Symbol Tool"},  {&Circle, "Circle Tool"},
        {&Text, "Text Tool"},     {&Multi, "CustomMapTool"}};
    for (const auto& [Tool, Name] : Names) {
        Use(*Tool);
        EXPECT_EQ(Tool->GetDisplayName(), Name);
        const TCursor Expected = Tool == &Text ? crIBeam : Tool == &Multi ? crDefault : crCross;
        EXPECT_EQ(Map.GetCursor(), Expected) << Name;
    }
    // The text tool gives the arrow back when it is switched off.
    Text.SetActive(true);
    Text.SetActive(false);
    EXPECT_EQ(Map.GetCursor(), crDefault);
}
