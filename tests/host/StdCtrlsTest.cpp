// List box rows, combo box items and grid cell geometry.
#include "host/Exceptions.h"
#include "host/Forms.h"
#include "host/Grids.h"
#include "host/ImageList.h"
#include "host/StdCtrls.h"
#include "tests/support/InputHelpers.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace cartova;
using namespace cartova::test;

namespace {

class TRowList : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
    std::vector<std::pair<int, TOwnerDrawState>> Drawn;
    std::vector<int> IndexAtDown;

protected:
    void DrawItem(int Index, const TRect& R, TOwnerDrawState State) override
    {
        Drawn.emplace_back(Index, State);
        GetCanvas()->GetBrush()->SetColor(Index % 2 ? clBlue : clLime);
        GetCanvas()->FillRect(R);
    }
    void MouseDown(TMouseButton B, TShiftState S, int X, int Y) override
    {
        IndexAtDown.push_back(GetItemIndex());  // the list moved its selection first
        TCustomListBox::MouseDown(B, S, X, Y);
    }
};

} // namespace

TEST(ListBox, RowsGeometryAndOwnerDrawing)
{
    THostWindow host;
    TRowList list(nullptr);
    list.SetStyle(lbOwnerDrawFixed);
    list.SetItemHeight(15);
    host.Add(list, 0, 0, 150, 100);
    TObject tag;
    for (int i = 0; i < 20; ++i)
        list.GetItems()->AddObject("row " + std::to_string(i), i == 3 ? &tag : nullptr);
    EXPECT_EQ(list.Count(), 20);
    EXPECT_EQ(list.GetItems()->GetObjects(3), &tag);
    EXPECT_THROW(list.GetItems()->Get(20), EListError);

    const int w = list.GetClientWidth();
    EXPECT_EQ(list.ItemRect(2), Rect(0, 30, w, 45));
    EXPECT_EQ(list.ItemAtPos({5, 31}, true), 2);
    EXPECT_EQ(list.ItemAtPos({5, 500}, true), -1);

    // A click on a row selects it before MouseDown runs.
    const TRect r = list.ItemRect(4);
    MouseClick(list, Qt::LeftButton, r.Left + 3, r.Top + 3);
    EXPECT_EQ(list.GetItemIndex(), 4);
    ASSERT_EQ(list.IndexAtDown.size(), 1u);
    EXPECT_EQ(list.IndexAtDown[0], 4);

    // Scrolling moves the rows: row TopIndex sits at the top.
    list.SetTopIndex(5);
    EXPECT_EQ(list.GetTopIndex(), 5);
    EXPECT_EQ(list.ItemRect(5).Top, 0);
    EXPECT_EQ(list.ItemAtPos({5, 16}, true), 6);

    // Few rows: below the last one ItemAtPos gives -1 or Count.
    list.Clear();
    list.GetItems()->Add("a");
    list.GetItems()->Add("b");
    EXPECT_EQ(list.ItemAtPos({5, 50}, true), -1);
    EXPECT_EQ(list.ItemAtPos({5, 50}, false), 2);

    list.SetItemIndex(1);
    list.Drawn.clear();
    const QImage img = PaintControl(list);
    ASSERT_EQ(list.Drawn.size(), 2u);
    EXPECT_TRUE(list.Drawn[1].second & odSelected);
    EXPECT_FALSE(list.Drawn[0].second & odSelected);
    EXPECT_EQ(QColor(img.pixel(3, 3)), QColor(Qt::green));
    EXPECT_EQ(QColor(img.pixel(3, 18)), QColor(Qt::blue));
}

TEST(ComboBox, ItemsObjectsAndEvents)
{
    TCustomComboBox combo(nullptr);
    combo.SetStyle(csDropDownList);
    TObject a, b;
    combo.GetItems()->AddObject("alpha", &a);
    combo.GetItems()->AddObject("beta", &b);
    int changes = 0;
    combo.OnChange = [&](TObject*) { ++changes; };
    combo.SetItemIndex(1);
    EXPECT_EQ(combo.GetItemIndex(), 1);
    EXPECT_EQ(combo.GetText(), "beta");
    EXPECT_EQ(combo.GetItems()->GetObjects(combo.GetItemIndex()), &b);
    EXPECT_EQ(changes, 0);  // setting from code raises nothing
    emit combo.ComboWidget()->activated(0);  // the user picks an item
    EXPECT_EQ(changes, 1);
    combo.GetItems()->Delete(0);
    EXPECT_EQ(combo.GetItems()->IndexOfObject(&b), 0);
    combo.SetItemIndex(7);
    EXPECT_EQ(combo.GetItemIndex(), -1);
}

TEST(Grid, CellRectFixedCellsScrollingAndSelection)
{
    THostWindow host;
    TCustomGrid grid(nullptr);
    host.Add(grid, 0, 0, 300, 200);
    grid.SetColCount(10);
    grid.SetRowCount(30);
    grid.SetFixedCols(1);
    grid.SetFixedRows(1);
    grid.SetColWidths(0, 30);
    EXPECT_EQ(grid.GetDefaultColWidth(), 64);
    EXPECT_EQ(grid.GetDefaultRowHeight(), 24);

    EXPECT_EQ(grid.CellRect(0, 0), Rect(0, 0, 30, 24));
    EXPECT_EQ(grid.CellRect(1, 1), Rect(31, 25, 95, 49));
    EXPECT_EQ(grid.CellRect(2, 3), Rect(96, 75, 160, 99));

    grid.SetTopRow(5);
    EXPECT_EQ(grid.GetTopRow(), 5);
    EXPECT_TRUE(IsRectEmpty(grid.CellRect(1, 2)));      // scrolled away
    EXPECT_EQ(grid.CellRect(1, 0), Rect(31, 0, 95, 24)); // fixed row stays
    EXPECT_EQ(grid.CellRect(1, 5), Rect(31, 25, 95, 49));
    EXPECT_EQ(grid.CellRect(0, 6), Rect(0, 50, 30, 74));
    grid.SetLeftCol(3);
    EXPECT_EQ(grid.CellRect(3, 5), Rect(31, 25, 95, 49));
    int c, r;
    grid.MouseToCell(40, 60, c, r);
    EXPECT_EQ(c, 3);
    EXPECT_EQ(r, 6);
    grid.MouseToCell(10, 10, c, r);
    EXPECT_EQ(c, 0);
    EXPECT_EQ(r, 0);

    // TopRow cannot scroll past the last full page.
    grid.SetTopRow(1000);
    EXPECT_EQ(grid.GetTopRow() + grid.GetVisibleRowCount(), grid.GetRowCount());

    // SelectCell may refuse a move; a click on a cell moves the current cell.
    grid.SetTopRow(1);
    grid.SetLeftCol(1);
    grid.OnSelectCell = [](TObject*, int ACol, int, bool& Can) { Can = ACol != 2; };
    grid.SetCol(2);
    EXPECT_EQ(grid.GetCol(), 1);
    const TRect cell = grid.CellRect(3, 2);
    MouseClick(grid, Qt::LeftButton, cell.Left + 2, cell.Top + 2);
    EXPECT_EQ(grid.GetCol(), 3);
    EXPECT_EQ(grid.GetRow(), 2);
    KeyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid.GetRow(), 3);

    // Moving the current cell below the page scrolls it into view.
    grid.SetRow(25);
    EXPECT_FALSE(IsRectEmpty(grid.CellRect(3, 25)));
}

TEST(Grid, EditorAndDrawCell)
{
    THostWindow host;
    struct TTextGrid : TCustomGrid {
        using TCustomGrid::TCustomGrid;
        std::string Stored = "12";
        std::vector<std::pair<int, int>> Cells;
        std::string GetEditText(int, int) override { return Stored; }
        void SetEditText(int, int, const std::string& V) override { Stored = V; }
        void DrawCell(int C, int R, const TRect&, TGridDrawState) override { Cells.emplace_back(C, R); }
    } grid(nullptr);
    host.Add(grid, 0, 0, 200, 100);
    grid.SetColCount(3);
    grid.SetRowCount(3);
    grid.ShowEditor();
    EXPECT_FALSE(grid.GetEditorMode());  // no goEditing
    grid.SetOptions(grid.GetOptions() | goEditing);
    grid.ShowEditor();
    ASSERT_TRUE(grid.GetEditorMode());
    ASSERT_NE(grid.InplaceEditor(), nullptr);
    EXPECT_EQ(grid.InplaceEditor()->text().toStdString(), "12");
    const TRect r = grid.CellRect(1, 1);
    EXPECT_EQ(grid.InplaceEditor()->geometry(), QRect(r.Left, r.Top, r.Width(), r.Height()));
    QTest::keyClicks(grid.InplaceEditor(), "3");
    EXPECT_EQ(grid.Stored, "123");
    grid.HideEditor();
    EXPECT_FALSE(grid.GetEditorMode());

    grid.Cells.clear();
    PaintControl(grid);
    EXPECT_EQ(grid.Cells.size(), 9u);

    TCustomImageList images(nullptr);
    TBitmap b;
    b.SetSize(16, 16);
    b.GetCanvas()->SetPixels(2, 3, clRed);
    EXPECT_EQ(images.Add(&b), 0);
    TBitmap out;
    EXPECT_TRUE(images.GetBitmap(0, &out));
    EXPECT_EQ(out.GetWidth(), 16);
    EXPECT_EQ(out.GetCanvas()->GetPixels(2, 3), clRed);
    EXPECT_FALSE(images.GetBitmap(1, &out));
}
