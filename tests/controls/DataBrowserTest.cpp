// The data browser driven by real keys and clicks: cells as drawn, editing
// with type conversion, Enter, Ctrl+Enter and double-click on the map, and
// the grid following its layer's objects, editability and deletion.
#include "controls/DataBrowser.h"
#include "tests/controls/ControlsTestSupport.h"

#include <QLineEdit>
#include <QTest>

#include <memory>

using namespace cartova;
using namespace cartova::test;

namespace {

struct TBrowser : TControlsMap {
    TDataBrowser Grid;
    TMapLayer* Places = nullptr;
    TRectangle *Inside = nullptr, *Far = nullptr, *Third = nullptr;

    void SetUp() override
    {
        TControlsMap::SetUp();
        ControlWindow.Add(Grid, 0, 0, 320, 200);
        Grid.SetDefaultColWidth(56);  // every column in view
        Places = Map.GetLayers()->Add("", "places");
        TDataFields* F = Places->GetFields();
        F->Add("Name", dtString, 0);
        F->Add("Pop", dtInteger, 0);
        F->Add("Area", dtFloat, 0);
        F->Add("Founded", dtDate, 0);
        F->Add("Capital", dtBoolean, 0);
        Inside = AddPlace(-10, -10, 10, 10, "Oslo", 700, 454.0);
        Far = AddPlace(300, 200, 320, 220, "Far", 12, 0.5);
        Third = AddPlace(-50, 40, -40, 50, "Bergen", 285, 465.3);
        Grid.SetLayer(Places);
    }
    TRectangle* AddPlace(double X0, double Y0, double X1, double Y1, const char* Name, int Pop,
                         double Area)
    {
        TRectangle* R = AddFilledBox(Places, X0, Y0, X1, Y1, clYellow);
        R->GetFields()->GetFields(0)->SetAsString(Name);
        R->GetFields()->GetFields(1)->SetAsInteger(Pop);
        R->GetFields()->GetFields(2)->SetAsFloat(Area);
        R->GetFields()->GetFields(3)->SetAsDate(EncodeDate(1048, 1, 1));
        R->GetFields()->GetFields(4)->SetValue(Variant(true));
        return R;
    }
    TDataField* Value(TCustomMapObject* O, int Field) { return O->GetFields()->GetFields(Field); }
    std::vector<TCustomMapObject*> Selected() const
    {
        std::vector<TCustomMapObject*> R;
        for (int I = 0; I < Map.GetSelection()->Count(); ++I)
            R.push_back(Map.GetSelection()->GetItems(I));
        return R;
    }
    /// Cell (Col, Row) as the grid draws Text in it on Brush (the highlight
    /// with its text colour), left-aligned or right-aligned, compared with
    /// Image: the number of differing pixels.
    int CellDiffers(const QImage& Image, int Col, int Row, const std::string& Text, bool Right,
                    TColor Brush, TFontStyles Style = 0)
    {
        const TRect R = Grid.CellRect(Col, Row);
        TBitmap B;
        B.SetSize(R.Width(), R.Height());
        TCanvas* C = B.GetCanvas();
        C->SetFont(Grid.GetFont());
        C->GetFont()->SetStyle(Style);
        if (Brush == clHighlight)
            C->GetFont()->SetColor(clHighlightText);
        C->GetBrush()->SetColor(Brush);
        const int X = Right ? R.Width() - C->TextWidth(Text) - 1 : 1;
        C->TextRect(Rect(0, 0, R.Width(), R.Height()), X, 1, Text);
        return CountDifferences(Area(Image, R), B.GetImage().convertToFormat(QImage::Format_RGB32));
    }
    /// Whether every pixel of the cell has one colour (nothing written in it).
    bool CellBlank(const QImage& Image, int Col, int Row) const
    {
        const TRect R = Grid.CellRect(Col, Row);
        return CountColor(Image, PixelOf(Image, R.Left, R.Top), R) == R.Width() * R.Height();
    }
    void ClickCell(int Col, int Row)
    {
        const TRect R = Grid.CellRect(Col, Row);
        MouseClick(Grid, Qt::LeftButton, R.Left + 5, R.Top + 5);
    }
    /// Replaces the editor's text by typing Text, as a user does.
    void Type(const QString& Text)
    {
        QLineEdit* Editor = Grid.InplaceEditor();
        ASSERT_TRUE(Editor && Editor->isVisible());
        QTest::keyClick(Editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(Editor, Text);
    }
};

} // namespace

TEST_F(TBrowser, ALayerWithoutFieldsShowsAnEmptyTwoByTwoGridAndEnterDoesNothing)
{
    Grid.SetLayer(Roads);
    EXPECT_EQ(Grid.GetColCount(), 2);
    EXPECT_EQ(Grid.GetRowCount(), 2);
    const QImage Image = PaintControl(Grid);
    for (int C = 0; C < 2; ++C)
        for (int R = 0; R < 2; ++R)
            EXPECT_TRUE(CellBlank(Image, C, R)) << C << "," << R;
    KeyClick(Grid, Qt::Key_Return);
    KeyClick(Grid, Qt::Key_Return, Qt::ControlModifier);
    MouseDoubleClick(Grid, Qt::LeftButton, Grid.CellRect(1, 1).Left + 5, Grid.CellRect(1, 1).Top + 5);
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(Map.GetCenterX(), 0);
    EXPECT_EQ(Map.GetZoom(), 1);
}

TEST_F(TBrowser, ShowsOneRowPerObjectAndOneColumnPerFieldAsDrawn)
{
    EXPECT_EQ(Grid.GetColCount(), 6);
    EXPECT_EQ(Grid.GetRowCount(), 4);
    EXPECT_EQ(Grid.GetRow(), 1);
    EXPECT_EQ(Grid.GetCol(), 1);
    Grid.GetCanvas()->SetFont(Grid.GetFont());
    EXPECT_EQ(Grid.GetColWidths(0), Grid.GetCanvas()->TextWidth(" 3 "));
    EXPECT_TRUE(Grid.GetOptions() & goRowSelect);
    EXPECT_FALSE(Grid.GetOptions() & goEditing);

    QImage Image = PaintControl(Grid);
    const TColor Fixed = Grid.GetFixedColor(), Cell = Grid.GetColor();
    EXPECT_EQ(CellDiffers(Image, 1, 0, "Name", false, Fixed), 0);
    EXPECT_EQ(CellDiffers(Image, 2, 0, "Pop", false, Fixed), 0);
    EXPECT_EQ(CellDiffers(Image, 0, 2, "2", false, Fixed), 0);
    EXPECT_EQ(CellDiffers(Image, 1, 2, "Far", false, Cell), 0);
    EXPECT_EQ(CellDiffers(Image, 2, 2, "12", true, Cell), 0);   // numbers to the right
    EXPECT_EQ(CellDiffers(Image, 3, 3, "465.3", true, Cell), 0);
    EXPECT_EQ(CellDiffers(Image, 4, 3, DateToStr(EncodeDate(1048, 1, 1)), false, Cell), 0);
    EXPECT_TRUE(CellBlank(Image, 0, 0));
    // The current row shows in the highlight colour.
    const TRect Current = Grid.CellRect(1, 1);
    EXPECT_EQ(PixelOf(Image, Current.Right - 2, Current.Top + 2), ColorToRGB(clHighlight));

    // A selected object's row number is bold.
    Far->Select();
    Image = PaintControl(Grid);
    EXPECT_EQ(CellDiffers(Image, 0, 2, "2", false, Fixed, fsBold), 0);
    EXPECT_GT(CellDiffers(Image, 0, 2, "2", false, Fixed), 0);
    EXPECT_EQ(CellDiffers(Image, 0, 3, "3", false, Fixed), 0);
}

TEST_F(TBrowser, TypedTextIsStoredConvertedByTheFieldsTypeAndBadTextChangesNothing)
{
    Places->SetEditable(true);
    EXPECT_FALSE(Grid.GetOptions() & goRowSelect);
    EXPECT_TRUE(Grid.GetOptions() & goEditing);
    ASSERT_TRUE(Grid.InplaceEditor());
    EXPECT_EQ(Grid.InplaceEditor()->text(), "Oslo");

    const int Handled = Application->HandledExceptionCount();
    ClickCell(2, 2);  // Pop of "Far"
    EXPECT_EQ(Grid.InplaceEditor()->text(), "12");
    Type("abc");
    EXPECT_EQ(Value(Far, 1)->GetAsInteger(), 12);
    Type("42");
    EXPECT_EQ(Value(Far, 1)->GetAsInteger(), 42);
    ClickCell(3, 2);
    Type("12.5");
    EXPECT_DOUBLE_EQ(Value(Far, 2)->GetAsFloat(), 12.5);
    Type("x");
    EXPECT_DOUBLE_EQ(Value(Far, 2)->GetAsFloat(), 12.5);
    ClickCell(4, 2);
    Type("2001-02-03");
    EXPECT_EQ(Value(Far, 3)->GetAsDate(), EncodeDate(2001, 2, 3));
    ClickCell(5, 2);
    Type("False");
    EXPECT_TRUE(Value(Far, 4)->GetValue().AsBoolean());  // a logical column is not typed into
    ClickCell(1, 3);
    Type("Stavanger");
    EXPECT_EQ(Value(Third, 0)->GetAsString(), "Stavanger");
    EXPECT_EQ(Application->HandledExceptionCount(), Handled);

    // The grid shows what was stored.
    Places->SetEditable(false);
    EXPECT_TRUE(Grid.GetOptions() & goRowSelect);
    EXPECT_FALSE(Grid.InplaceEditor()->isVisible());
    KeyClick(Grid, Qt::Key_Up);
    const QImage Image = PaintControl(Grid);
    EXPECT_EQ(CellDiffers(Image, 2, 2, "42", true, clHighlight), 0);  // the current row
    EXPECT_EQ(CellDiffers(Image, 1, 3, "Stavanger", false, Grid.GetColor()), 0);
}

TEST_F(TBrowser, EnterRecentresOnlyWhenTheObjectIsNotWhollyInViewAndCtrlEnterZooms)
{
    KeyClick(Grid, Qt::Key_Return);  // "Oslo", in view
    EXPECT_EQ(Selected(), std::vector<TCustomMapObject*>{Inside});
    EXPECT_EQ(Map.GetCenterX(), 0);
    EXPECT_EQ(Map.GetCenterY(), 0);

    KeyClick(Grid, Qt::Key_Down);
    KeyClick(Grid, Qt::Key_Return);  // "Far", outside the view
    EXPECT_EQ(Selected(), std::vector<TCustomMapObject*>{Far});
    EXPECT_EQ(Map.GetCenterX(), 310);
    EXPECT_EQ(Map.GetCenterY(), 210);
    EXPECT_EQ(Map.GetZoom(), 1);

    KeyClick(Grid, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(Map.GetZoom(), 18);  // (360 / 20) across the 20-unit box
    EXPECT_EQ(Map.GetCenterX(), 310);

    // A double-click selects its row's object and brings it back into view.
    const TRect R = Grid.CellRect(1, 1);
    MouseDoubleClick(Grid, Qt::LeftButton, R.Left + 5, R.Top + 5);
    EXPECT_EQ(Selected(), std::vector<TCustomMapObject*>{Inside});
    EXPECT_EQ(Map.GetCenterX(), 0);
    EXPECT_EQ(Map.GetCenterY(), 0);
}

TEST_F(TBrowser, FollowsItsOwnLayersObjectsEditabilityAndDeletion)
{
    AddPlace(0, 0, 1, 1, "New", 1, 1);
    EXPECT_EQ(Grid.GetRowCount(), 5);
    AddFilledBox(Rivers, 0, 0, 1, 1, clBlue);  // another layer's object
    EXPECT_EQ(Grid.GetRowCount(), 5);
    Places->DeleteObject(1);
    EXPECT_EQ(Grid.GetRowCount(), 4);
    EXPECT_EQ(CellDiffers(PaintControl(Grid), 1, 2, "Bergen", false, Grid.GetColor()), 0);
    Rivers->DeleteObjects();
    EXPECT_EQ(Grid.GetRowCount(), 4);
    Places->DeleteObjects();
    EXPECT_EQ(Grid.GetRowCount(), 2);
    QImage Image = PaintControl(Grid);
    EXPECT_TRUE(CellBlank(Image, 1, 0));
    EXPECT_TRUE(CellBlank(Image, 1, 1));
    AddPlace(0, 0, 1, 1, "Again", 1, 1);
    EXPECT_EQ(Grid.GetRowCount(), 2);
    EXPECT_EQ(Grid.GetColCount(), 6);
    EXPECT_EQ(CellDiffers(PaintControl(Grid), 1, 1, "Again", false, clHighlight), 0);

    // Editability: only this layer's news counts.
    Places->SetEditable(true);
    EXPECT_TRUE(Grid.GetOptions() & goEditing);
    Rivers->SetEditable(true);  // takes editing away from "places"
    EXPECT_FALSE(Grid.GetOptions() & goEditing);
    EXPECT_TRUE(Grid.GetOptions() & goRowSelect);
    Rivers->SetEditable(false);
    EXPECT_TRUE(Grid.GetOptions() & goRowSelect);
    // Showing a layer that is already editable opens it for editing.
    Grid.SetLayer(nullptr);
    Places->SetEditable(true);
    EXPECT_FALSE(Grid.GetOptions() & goEditing);
    Grid.SetLayer(Places);
    EXPECT_TRUE(Grid.GetOptions() & goEditing);

    // Deleting another layer leaves the grid; deleting its own empties it.
    Map.GetLayers()->Delete(Map.GetLayers()->IndexOf(Rivers));
    EXPECT_EQ(Grid.GetLayer(), Places);
    Map.GetLayers()->Delete(Map.GetLayers()->IndexOf(Places));
    EXPECT_EQ(Grid.GetLayer(), nullptr);
    EXPECT_EQ(Grid.GetColCount(), 2);
    EXPECT_EQ(Grid.GetRowCount(), 2);
    EXPECT_FALSE(Grid.GetOptions() & goEditing);
    Image = PaintControl(Grid);
    EXPECT_TRUE(CellBlank(Image, 1, 0));
    EXPECT_TRUE(CellBlank(Image, 1, 1));
}

TEST_F(TBrowser, ForgetsItsLayerWhenTheLayersAreClearedOrTheMapIsDestroyed)
{
    Map.GetLayers()->Clear();
    EXPECT_EQ(Grid.GetLayer(), nullptr);
    PaintControl(Grid);

    auto Other = std::make_unique<TCartova>();
    TMapLayer* Layer = Other->GetLayers()->Add("", "other");
    Layer->GetFields()->Add("Name", dtString, 0);
    Layer->NewObject<TRectangle>();
    Grid.SetLayer(Layer);
    EXPECT_EQ(Grid.GetRowCount(), 2);
    EXPECT_EQ(Other->GetDataLinks()->Count(), 1);
    EXPECT_EQ(Map.GetDataLinks()->Count(), 0);
    Other.reset();
    EXPECT_EQ(Grid.GetLayer(), nullptr);
    EXPECT_EQ(Grid.GetColCount(), 2);
    PaintControl(Grid);
}
