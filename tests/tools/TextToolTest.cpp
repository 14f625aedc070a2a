// The text tool driven by real mouse and key input: Unicode typed in place
// with the host caret, caret keys at both ends, commits by Enter, Escape and
// the next click, dropped entries, and keys outside an entry.
#include "tests/tools/ToolTestSupport.h"

#include <QString>

#include <string>
#include <vector>

using namespace cartova;
using test::TToolMap;

namespace {

struct TTyping : TToolMap {
    TTextTool Tool;
    TMapLayer* Drawn = nullptr;
    std::vector<TText*> Added;

    void SetUp() override
    {
        TToolMap::SetUp();
        TMapLayer* Below = Map.GetLayers()->Add("", "below");
        AddFilledBox(Below, -90, -45, 18, 36, clYellow);
        Drawn = Map.GetLayers()->Add("", "drawn");
        Drawn->SetEditable(true);
        Map.OnAddObject = [this](TObject*, TCustomMapObject* O) {
            Added.push_back(dynamic_cast<TText*>(O));
        };
        Use(Tool);
    }
    void Type(const std::string& Text)
    {
        for (const QChar C : QString::fromStdString(Text))
            test::KeyClick(Map, Qt::Key_unknown, Qt::NoModifier, QString(C));
    }
    void Key(Qt::Key K) { test::KeyClick(Map, K); }
    /// Width of Text in the map's default text font.
    int WidthOf(const std::string& Text)
    {
        TBitmap B;
        B.SetSize(4, 4);
        B.GetCanvas()->SetFont(Map.GetOptions()->GetDefaultTextFont());
        return Text.empty() ? 0 : B.GetCanvas()->TextWidth(Text);
    }
    /// The caret's position, or (-1, -1) without a caret.
    static TPoint Caret()
    {
        TPoint P;
        return GetCaretPos(P) ? P : TPoint{-1, -1};
    }
};

/// The bounding box of the pixels that differ between two pictures.
TRect DifferenceBounds(const QImage& A, const QImage& B)
{
    TRect R{A.width(), A.height(), 0, 0};
    for (int Y = 0; Y < A.height(); ++Y)
        for (int X = 0; X < A.width(); ++X)
            if (A.pixel(X, Y) != B.pixel(X, Y))
                R = {std::min(R.Left, X), std::min(R.Top, Y), std::max(R.Right, X + 1),
                     std::max(R.Bottom, Y + 1)};
    return R;
}

} // namespace

TEST_F(TTyping, TextIsTypedInPlaceAndCommittedWhereItWasTyped)
{
    EXPECT_EQ(Map.GetCursor(), crIBeam);
    const QImage Before = Picture();
    test::MouseClick(Map, Qt::LeftButton, 60, 80);
    EXPECT_TRUE(Tool.GetEntering());
    EXPECT_EQ(Caret(), (TPoint{60, 80}));
    // The caret is drawn on the map's window.
    EXPECT_EQ(test::PixelOf(Surface(), 60, 85), ~test::PixelOf(Before, 60, 85) & 0xFFFFFF);
    Type("Straße");
    EXPECT_EQ(Tool.GetText(), "Straße");
    EXPECT_EQ(Tool.GetCurrentChar(), 6);
    EXPECT_EQ(Caret(), (TPoint{60 + WidthOf("Straße"), 80}));
    EXPECT_TRUE(Added.empty());

    Key(Qt::Key_Return);
    // The typed text stays until the map repaints, drawn from the click on,
    // right and down.
    const TRect Ink = DifferenceBounds(Surface(), Before);
    EXPECT_GE(Ink.Left, 58);
    EXPECT_GE(Ink.Top, 80);
    EXPECT_LE(Ink.Right, 60 + WidthOf("Straße") + 4);
    ASSERT_EQ(Added.size(), 1u);
    TText* T = Added[0];
    ASSERT_NE(T, nullptr);
    EXPECT_EQ(T->GetLayer(), Drawn);
    EXPECT_EQ(T->GetText(), "Straße");
    EXPECT_EQ(T->GetFont()->GetName(), Map.GetOptions()->GetDefaultTextFont()->GetName());
    EXPECT_FALSE(Tool.GetEntering());
    EXPECT_EQ(Caret(), (TPoint{-1, -1})); // the caret is released
    // The box's upper-left corner is the click, so a repaint keeps the text there.
    int X, Y;
    Map.MapToScreen(T->GetX(), T->GetY() + T->GetHeight(), X, Y, false);
    EXPECT_NEAR(X, 60, 1);
    EXPECT_NEAR(Y, 80, 1);
    const TRect Drawn = DifferenceBounds(Picture(), Before);
    EXPECT_NEAR(Drawn.Left, Ink.Left, 2);
    EXPECT_NEAR(Drawn.Top, Ink.Top, 2);
    EXPECT_NEAR(Drawn.Bottom, Ink.Bottom, 2);
}

TEST_F(TTyping, CaretKeysStayWithinTheText)
{
    test::MouseClick(Map, Qt::LeftButton, 40, 40);
    Type("Москва");
    EXPECT_EQ(Tool.GetText(), "Москва");
    const auto CaretAt = [&](int Index) {
        const std::u32string All = U"Москва";
        std::string Before;
        for (char32_t C : All.substr(0, Index))
            Before += KeyCharToUtf8(C);
        return TPoint{40 + WidthOf(Before), 40};
    };
    EXPECT_EQ(Caret(), CaretAt(6));
    Key(Qt::Key_Right);
    EXPECT_EQ(Tool.GetCurrentChar(), 6);
    Key(Qt::Key_Delete); // at the end: nothing
    EXPECT_EQ(Tool.GetText(), "Москва");
    Key(Qt::Key_Home);
    Key(Qt::Key_Left);
    EXPECT_EQ(Tool.GetCurrentChar(), 0);
    EXPECT_EQ(Caret(), CaretAt(0));
    Key(Qt::Key_Backspace); // at the start: nothing
    EXPECT_EQ(Tool.GetText(), "Москва");
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    EXPECT_EQ(Caret(), CaretAt(2));
    Key(Qt::Key_Delete);
    EXPECT_EQ(Tool.GetText(), "Моква");
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Tool.GetText(), "Мква");
    EXPECT_EQ(Tool.GetCurrentChar(), 1);
    Type("ß");
    EXPECT_EQ(Tool.GetText(), "Мßква");
    Key(Qt::Key_End);
    EXPECT_EQ(Tool.GetCurrentChar(), 5);
    // Control characters are not text.
    test::KeyClick(Map, Qt::Key_A, Qt::ControlModifier, QString(QChar(1)));
    Key(Qt::Key_Tab);
    EXPECT_EQ(Tool.GetText(), "Мßква");
    // Direct calls are limited the same way.
    Tool.SetCurrentChar(99);
    EXPECT_EQ(Tool.GetCurrentChar(), 5);
    Tool.SetCurrentChar(-3);
    EXPECT_EQ(Tool.GetCurrentChar(), 0);
}

TEST_F(TTyping, APressElsewhereCommitsEvenAnEmptyTextAndEscapeCommitsToo)
{
    test::MouseClick(Map, Qt::LeftButton, 50, 50);
    Type("ab");
    test::MouseClick(Map, Qt::LeftButton, 200, 100);
    ASSERT_EQ(Added.size(), 1u);
    EXPECT_EQ(Added[0]->GetText(), "ab");
    EXPECT_TRUE(Tool.GetEntering());
    EXPECT_EQ(Tool.GetOrigin(), (TPoint{200, 100}));
    EXPECT_EQ(Tool.GetText(), "");
    EXPECT_EQ(Caret(), (TPoint{200, 100}));
    test::MouseClick(Map, Qt::LeftButton, 300, 150);
    ASSERT_EQ(Added.size(), 2u);
    EXPECT_EQ(Added[1]->GetText(), "");
    Type("c");
    Key(Qt::Key_Escape);
    ASSERT_EQ(Added.size(), 3u);
    EXPECT_EQ(Added[2]->GetText(), "c");
    EXPECT_FALSE(Tool.GetEntering());
    EXPECT_EQ(Drawn->GetObjectCount(), 3);
}

TEST_F(TTyping, KeysOutsideAnEntryAreIgnored)
{
    Type("x");
    Key(Qt::Key_Return);
    Key(Qt::Key_Escape);
    EXPECT_TRUE(Added.empty());
    EXPECT_EQ(Tool.GetText(), "");
    EXPECT_FALSE(Tool.Complete());
    test::MouseClick(Map, Qt::LeftButton, 50, 50);
    Type("y");
    Key(Qt::Key_Return);
    Type("z");
    Key(Qt::Key_Return);
    ASSERT_EQ(Added.size(), 1u);
    EXPECT_EQ(Added[0]->GetText(), "y");
}

TEST_F(TTyping, WithoutAnEditableLayerEnterKeepsTheEntryOpen)
{
    Drawn->SetEditable(false);
    test::MouseClick(Map, Qt::LeftButton, 50, 50);
    Type("abc");
    Key(Qt::Key_Return);
    EXPECT_TRUE(Added.empty());
    EXPECT_TRUE(Tool.GetEntering());
    EXPECT_EQ(Tool.GetText(), "abc");
    EXPECT_EQ(Caret(), (TPoint{50 + WidthOf("abc"), 50}));
    Drawn->SetEditable(true);
    Key(Qt::Key_Return);
    ASSERT_EQ(Added.size(), 1u);
    EXPECT_EQ(Added[0]->GetText(), "abc");
}

TEST_F(TTyping, ADroppedEntryLeavesNoPixelBehind)
{
    const QImage Before = Picture();
    test::MouseClick(Map, Qt::LeftButton, 90, 70);
    Type("Hello, world");
    Key(Qt::Key_Left);
    Key(Qt::Key_Backspace);
    EXPECT_GT(test::CountDifferences(Surface(), Before), 0);
    Tool.Cancel();
    EXPECT_EQ(test::CountDifferences(Surface(), Before), 0);
    EXPECT_FALSE(Tool.GetEntering());
    EXPECT_EQ(Caret(), (TPoint{-1, -1}));

    // Switching tools drops the entry the same way and gives the arrow back.
    test::MouseClick(Map, Qt::LeftButton, 150, 120);
    Type("Москва");
    Tool.SetActive(false);
    EXPECT_EQ(test::CountDifferences(Surface(), Before), 0);
    EXPECT_EQ(Map.GetCursor(), crDefault);
    EXPECT_TRUE(Added.empty());
}

TEST_F(TTyping, TheToolMayOutliveItsMapAndTheMapItsTool)
{
    auto* Loose = new TTextTool;
    {
        TCartova Other;
        test::THostWindow W(200, 100);
        W.Add(Other, 0, 0, 200, 100);
        Other.GetLayers()->Add("", "l")->SetEditable(true);
        Loose->SetCartova(&Other);
        Loose->SetActive(true);
        test::MouseClick(Other, Qt::LeftButton, 20, 20);
        Type("x"); // to the first map: its tool has no entry
        EXPECT_TRUE(Loose->GetEntering());
    }
    EXPECT_EQ(Loose->GetCartova(), nullptr);
    EXPECT_FALSE(Loose->GetEntering());
    delete Loose;
    // A tool destroyed during an entry takes its caret with it.
    {
        TTextTool Short;
        Short.SetCartova(&Map);
        Short.SetActive(true);
        test::MouseClick(Map, Qt::LeftButton, 30, 30);
        EXPECT_EQ(Caret(), (TPoint{30, 30}));
    }
    EXPECT_EQ(Caret(), (TPoint{-1, -1}));
}
