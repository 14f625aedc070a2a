// The layer list driven by real clicks, drags and keys: rows and glyphs as
// drawn, switches, drag reordering, the Delete key, and following the map.
#include "controls/LayerCtrl.h"
#include "tests/controls/ControlsTestSupport.h"

#include <memory>

using namespace cartova;
using namespace cartova::test;

namespace {

struct TLayerList : TControlsMap {
    TLayerControl List;

    void SetUp() override
    {
        TControlsMap::SetUp();
        ControlWindow.Add(List, 0, 0, 300, 120);
        List.SetMap(&Map);
    }
    TRect Row(int I) const { return List.ItemRect(I); }
    static TPoint Centre(const TRect& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }
    void Click(const TRect& R)
    {
        const TPoint P = Centre(R);
        MouseClick(List, Qt::LeftButton, P.X, P.Y);
    }
    /// The glyph (0..7) whose opaque pixels Image shows at (X, Y), or -1.
    int GlyphAt(const QImage& Image, int X, int Y) const
    {
        for (int G = 0; G < 8; ++G) {
            TBitmap* Glyph = List.GetIndicators(G);
            const TColor Key = Glyph->GetTransparentColor();
            bool Match = true;
            for (int GY = 0; GY < Glyph->GetHeight() && Match; ++GY)
                for (int GX = 0; GX < Glyph->GetWidth() && Match; ++GX) {
                    const TColor C = PixelOf(*Glyph, GX, GY);
                    Match = C == Key || PixelOf(Image, X + GX, Y + GY) == C;
                }
            if (Match)
                return G;
        }
        return -1;
    }
    /// The four glyphs of row I: visible, selectable, editable, labels.
    std::vector<int> Glyphs(const QImage& Image, int I) const
    {
        const TRect Item = Row(I);
        std::vector<int> G;
        for (const TRect& R : {TLayerControl::GetVisibleRect(Item), TLayerControl::GetSelectableRect(Item),
                               TLayerControl::GetEditableRect(Item), TLayerControl::GetAutolabelRect(Item)})
            G.push_back(GlyphAt(Image, R.Left, R.Top));
        return G;
    }
    /// Whether the name area of row I, inside the focus rectangle and above
    /// the dotted line, shows Name as the list draws it.
    bool ShowsName(const QImage& Image, int I, const std::string& Name, bool Selected = false)
    {
        const TRect R = TLayerControl::GetNameRect(Row(I));
        TBitmap B;
        B.SetSize(R.Width(), R.Height());
        TCanvas* C = B.GetCanvas();
        C->SetFont(List.GetFont());
        C->GetFont()->SetColor(Selected ? clHighlightText : List.GetFont()->GetColor());
        C->GetBrush()->SetColor(Selected ? clHighlight : List.GetColor());
        C->TextRect(Rect(0, 0, R.Width(), R.Height()), 1, 1, Name);
        const TRect Inner = Rect(R.Left, R.Top + 1, R.Right, R.Bottom - 1);
        return CountDifferences(Area(Image, Inner), Area(B.GetImage(), Rect(0, 1, R.Width(), R.Height() - 1))) == 0;
    }
    /// No row is drawn below row Last.
    bool BlankBelow(const QImage& Image, int Last) const
    {
        const TRect R = Row(Last);
        const TRect Below = Rect(0, R.Bottom, R.Right, List.GetClientHeight());
        return CountColor(Image, ColorToRGB(List.GetColor()), Below) == Below.Width() * Below.Height();
    }
};

} // namespace

TEST_F(TLayerList, ListsTheMapsLayersAtOnceWithGlyphsAndNames)
{
    EXPECT_EQ(List.Count(), 3);
    for (int G = 0; G < 8; ++G) {
        TBitmap* Glyph = List.GetIndicators(G);
        EXPECT_EQ(Glyph->GetWidth(), 16);
        EXPECT_EQ(Glyph->GetHeight(), 13);
        EXPECT_TRUE(Glyph->GetTransparent());
        EXPECT_EQ(Glyph->GetTransparentColor(), PixelOf(*Glyph, 0, 0));
    }
    EXPECT_THROW(List.GetIndicators(8), EListError);

    Rivers->SetAutoLabel(true);
    const QImage Image = PaintControl(List);
    EXPECT_EQ(Glyphs(Image, 0), (std::vector<int>{0, 4, 3, 7}));
    EXPECT_EQ(Glyphs(Image, 1), (std::vector<int>{0, 4, 3, 6}));
    EXPECT_TRUE(ShowsName(Image, 0, "roads"));
    EXPECT_TRUE(ShowsName(Image, 1, "rivers"));
    EXPECT_TRUE(ShowsName(Image, 2, "towns"));
    EXPECT_FALSE(ShowsName(Image, 2, "roads"));
    EXPECT_TRUE(BlankBelow(Image, 2));
    // Transparent glyph pixels show the row, never the key colour.
    EXPECT_EQ(CountColor(Image, PixelOf(*List.GetIndicators(0), 0, 0)), 0);
    // The dotted line under each row: odd pixels in the pen's colour.
    const int LineY = Row(0).Bottom - 1;
    EXPECT_EQ(PixelOf(Image, 1, LineY), clBlack);
    EXPECT_EQ(PixelOf(Image, 2, LineY), ColorToRGB(List.GetColor()));

    // A renamed layer shows its new name at the next paint.
    Rivers->SetName("canals");
    EXPECT_TRUE(ShowsName(PaintControl(List), 1, "canals"));

    List.SetMap(nullptr);
    EXPECT_EQ(List.Count(), 0);
    EXPECT_EQ(Map.GetDataLinks()->Count(), 0);
}

TEST_F(TLayerList, ClicksToggleTheSwitchesAndAHiddenLayerCannotBecomeEditable)
{
    Click(TLayerControl::GetVisibleRect(Row(1)));
    EXPECT_FALSE(Rivers->GetVisible());
    Click(TLayerControl::GetEditableRect(Row(1)));
    EXPECT_FALSE(Rivers->GetEditable());
    Click(TLayerControl::GetAutolabelRect(Row(0)));
    EXPECT_TRUE(Roads->GetAutoLabel());
    Click(TLayerControl::GetSelectableRect(Row(2)));
    EXPECT_FALSE(Towns->GetSelectable());
    QImage Image = PaintControl(List);
    EXPECT_EQ(Glyphs(Image, 0), (std::vector<int>{0, 4, 3, 6}));
    EXPECT_EQ(Glyphs(Image, 1), (std::vector<int>{1, 5, 3, 7}));
    EXPECT_EQ(Glyphs(Image, 2), (std::vector<int>{0, 5, 3, 7}));

    // As check boxes: the hidden layer's radio button is greyed and unchecked.
    List.SetGlyphs(false);
    Image = PaintControl(List);
    auto Expect = [&](const TRect& R, unsigned State) {
        TBitmap B;
        B.SetSize(R.Width(), R.Height());
        B.GetCanvas()->GetBrush()->SetColor(List.GetColor());
        B.GetCanvas()->FillRect(Rect(0, 0, R.Width(), R.Height()));
        DrawFrameControl(B.GetCanvas(), Rect(0, 0, R.Width(), R.Height()), DFC_BUTTON, State);
        return CountDifferences(Area(Image, R), B.GetImage().convertToFormat(QImage::Format_RGB32));
    };
    EXPECT_EQ(Expect(TLayerControl::GetEditableRect(Row(1)),
                     DFCS_BUTTONRADIO | DFCS_FLAT | DFCS_INACTIVE), 0);
    EXPECT_EQ(Expect(TLayerControl::GetVisibleRect(Row(1)), DFCS_BUTTONCHECK | DFCS_FLAT), 0);
    EXPECT_EQ(Expect(TLayerControl::GetVisibleRect(Row(0)), DFCS_BUTTONCHECK | DFCS_FLAT | DFCS_CHECKED), 0);
    Click(TLayerControl::GetEditableRect(Row(0)));
    EXPECT_TRUE(Roads->GetEditable());
    Image = PaintControl(List);
    EXPECT_EQ(Expect(TLayerControl::GetEditableRect(Row(0)), DFCS_BUTTONRADIO | DFCS_FLAT | DFCS_CHECKED), 0);
    EXPECT_EQ(Expect(TLayerControl::GetSelectableRect(Row(0)),
                     DFCS_BUTTONCHECK | DFCS_FLAT | DFCS_CHECKED | DFCS_INACTIVE),
              0);
}

TEST_F(TLayerList, MakingOneLayerEditableRedrawsBothRows)
{
    Roads->SetEditable(true);
    PaintControl(List);
    // No paint request from here on: the rows change on the notifications alone.
    Towns->SetEditable(true);
    const QImage Image = List.GetSurfaceImage();
    EXPECT_EQ(Glyphs(Image, 0)[2], 3);
    EXPECT_EQ(Glyphs(Image, 2)[2], 2);
    Towns->SetVisible(false);
    EXPECT_EQ(Glyphs(List.GetSurfaceImage(), 2), (std::vector<int>{1, 5, 3, 7}));
}

TEST_F(TLayerList, DraggingANameMovesTheLayerAndTheMapsDrawingOrder)
{
    EXPECT_EQ(PixelOf(Picture(), 200, 100), clGreen);  // towns on top
    const TPoint Roads0 = Centre(TLayerControl::GetNameRect(Row(0)));
    const TPoint Rivers1 = Centre(TLayerControl::GetNameRect(Row(1)));
    const TPoint Towns2 = Centre(TLayerControl::GetNameRect(Row(2)));

    // Released on the row it started from: nothing moves.
    MousePress(List, Qt::LeftButton, Rivers1.X, Rivers1.Y);
    MouseMove(List, Towns2.X, Towns2.Y);
    MouseMove(List, Rivers1.X, Rivers1.Y);
    MouseRelease(List, Qt::LeftButton, Rivers1.X, Rivers1.Y);
    EXPECT_EQ(LayerNames(), (std::vector<std::string>{"roads", "rivers", "towns"}));

    // A press on a switch starts no drag.
    const TPoint Switch = Centre(TLayerControl::GetAutolabelRect(Row(0)));
    MouseDrag(List, Qt::LeftButton, Switch.X, Switch.Y, Towns2.X, Towns2.Y);
    EXPECT_EQ(LayerNames(), (std::vector<std::string>{"roads", "rivers", "towns"}));
    Roads->SetAutoLabel(false);

    // Two rows down: the drag shows the drag cursor and the source row in the
    // button face colour, and the release moves the layer.
    MousePress(List, Qt::LeftButton, Roads0.X, Roads0.Y);
    MouseMove(List, Rivers1.X, Rivers1.Y);
    MouseMove(List, Towns2.X, Towns2.Y);
    EXPECT_EQ(Screen->GetCursor(), crDrag);
    const TRect Source = TLayerControl::GetNameRect(Row(0));
    EXPECT_EQ(PixelOf(PaintControl(List), Source.Right - 2, Source.Top + 3), ColorToRGB(clBtnFace));
    MouseRelease(List, Qt::LeftButton, Towns2.X, Towns2.Y);
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    EXPECT_EQ(List.GetCurIndex(), -1);
    EXPECT_EQ(LayerNames(), (std::vector<std::string>{"rivers", "towns", "roads"}));
    EXPECT_EQ(List.GetCurrentLayer(), Roads);
    const QImage Image = PaintControl(List);
    EXPECT_TRUE(ShowsName(Image, 0, "rivers"));
    EXPECT_TRUE(ShowsName(Image, 2, "roads", true));
    EXPECT_EQ(PixelOf(Picture(), 200, 100), clRed);  // roads now drawn last
}

TEST_F(TLayerList, DeleteKeyDeletesTheSelectedLayerUnlessTheMapVetoes)
{
    // Nothing selected: the key does nothing.
    List.SetItemIndex(-1);
    KeyClick(List, Qt::Key_Delete);
    EXPECT_EQ(Map.GetLayers()->Count(), 3);

    Click(TLayerControl::GetNameRect(Row(1)));
    EXPECT_EQ(List.GetCurrentLayer(), Rivers);
    int Asked = 0;
    Map.OnBeforeDelLayer = [&](TObject*, TMapLayer*, bool Confirm, bool& Allow) {
        if (Confirm) {
            ++Asked;
            Allow = false;
        }
    };
    KeyClick(List, Qt::Key_Delete);
    EXPECT_EQ(Asked, 1);
    EXPECT_EQ(LayerNames(), (std::vector<std::string>{"roads", "rivers", "towns"}));
    EXPECT_EQ(List.Count(), 3);

    Map.OnBeforeDelLayer = nullptr;
    KeyClick(List, Qt::Key_Delete);
    EXPECT_EQ(LayerNames(), (std::vector<std::string>{"roads", "towns"}));
    ASSERT_EQ(List.Count(), 2);
    const QImage Image = PaintControl(List);
    EXPECT_TRUE(ShowsName(Image, 0, "roads", List.GetItemIndex() == 0));
    EXPECT_TRUE(ShowsName(Image, 1, "towns", List.GetItemIndex() == 1));
    EXPECT_TRUE(BlankBelow(Image, 1));
}

TEST_F(TLayerList, FollowsLayersAddedInsertedAndClearedAndForgetsADestroyedMap)
{
    Click(TLayerControl::GetNameRect(Row(1)));
    Map.GetLayers()->Insert("", 0)->SetName("inserted");
    Map.GetLayers()->Add("", "added");
    EXPECT_EQ(List.Count(), 5);
    EXPECT_EQ(List.GetCurrentLayer(), Rivers);  // the selection stays on its layer
    QImage Image = PaintControl(List);
    EXPECT_TRUE(ShowsName(Image, 0, "inserted"));
    EXPECT_TRUE(ShowsName(Image, 4, "added"));
    Map.GetLayers()->Delete(0);
    EXPECT_EQ(List.Count(), 4);
    EXPECT_EQ(List.GetCurrentLayer(), Rivers);
    Map.GetLayers()->Clear();
    EXPECT_EQ(List.Count(), 0);
    EXPECT_TRUE(BlankBelow(PaintControl(List), -1));

    auto Other = std::make_unique<TCartova>();
    Other->GetLayers()->Add("", "one");
    List.SetMap(Other.get());
    EXPECT_EQ(List.Count(), 1);
    EXPECT_EQ(Map.GetDataLinks()->Count(), 0);
    Other.reset();
    EXPECT_EQ(List.GetMap(), nullptr);
    EXPECT_EQ(List.Count(), 0);
    PaintControl(List);
    List.SetMap(&Map);
    EXPECT_EQ(Map.GetDataLinks()->Count(), 1);
}
