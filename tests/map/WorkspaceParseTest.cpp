// The workspace parser alone: text in, description out. The map window's
// table order, the layers' switches and styles, the centre, the charset and
// the helpers' edge cases.
#include "map/Workspace.h"

#include <gtest/gtest.h>

using namespace cartova;

namespace {

std::vector<std::string> Aliases(const TWorkspace& W)
{
    std::vector<std::string> A;
    for (const TWorkspaceTable& T : W.Tables)
        A.push_back(T.Alias);
    return A;
}

const char* const ThreeTables = "Open Table \"a\" As A Interactive\n"
                                "Open Table \"b\" As B Interactive\n"
                                "Open Table \"c\" As C Interactive\n";

// The first table of a workspace whose one layer has the settings Layer.
TWorkspaceTable OneLayer(const std::string& Layer)
{
    const TWorkspace W = ParseWorkspace("Open Table \"t\" As T\nMap From T\nSet Map\n  Layer 1\n" + Layer + "\n");
    EXPECT_EQ(W.Tables.size(), 1u);
    return W.Tables.empty() ? TWorkspaceTable{} : W.Tables[0];
}

} // namespace

TEST(WorkspaceHelpersTest, SubStrPosPairTripleAndColour)
{
    using namespace cartova::detail;
    EXPECT_EQ(SubStrPos("b", "abcb", 1), 2);
    EXPECT_EQ(SubStrPos("b", "abcb", 3), 4);
    EXPECT_EQ(SubStrPos("b", "abcb", 5), 0);
    EXPECT_EQ(SubStrPos("", "abc", 1), 0);
    EXPECT_EQ(SubStrPos("a", "", 1), 0);
    EXPECT_EQ(SubStrPos("a", "abc", 0), 0);

    double A = 9, B = 9, C = 9;
    EXPECT_TRUE(ParsePair(" 10.5, -52.25 ", A, B));
    EXPECT_EQ(A, 10.5);
    EXPECT_EQ(B, -52.25);
    EXPECT_FALSE(ParsePair("1,2,3", A, B)); // the second number runs to the end
    EXPECT_EQ(A, 0);
    EXPECT_EQ(B, 0);
    EXPECT_FALSE(ParsePair("12", A, B));
    EXPECT_TRUE(ParseTriple("2,16711680,16777215", A, B, C));
    EXPECT_EQ(C, 16777215);
    EXPECT_FALSE(ParseTriple("1,x,3", A, B, C));
    EXPECT_EQ(A + B + C, 0);
    EXPECT_FALSE(ParseTriple("1,2", A, B, C));
    EXPECT_FALSE(ParseTriple("1,2,inf", A, B, C));

    EXPECT_EQ(WorkspaceColor(16711680), 0x0000FF); // red, low byte red
    EXPECT_EQ(WorkspaceColor(255), 0xFF0000);      // blue
    EXPECT_EQ(WorkspaceColor(0x123456), 0x563412);
    EXPECT_EQ(WorkspaceColor(std::int64_t(1) << 40), 0x0000FF); // components held at 255
    EXPECT_THROW(WorkspaceColor(-1), ERangeError);
}

TEST(WorkspaceHelpersTest, OpenTableLines)
{
    using namespace cartova::detail;
    const std::vector<std::string> Lines = {"!Workspace", "Open Table \"C:\\Data\\Roads\" As Roads Interactive",
                                            "open  table 'x'", "  OPEN TABLE \"Lakes.TAB\" Interactive",
                                            "Reopen Table \"z\" As z"};
    EXPECT_EQ(FindLine(0, Lines), 1);
    EXPECT_EQ(FindLine(2, Lines), 3);
    EXPECT_EQ(FindLine(4, Lines), -1);
    std::string Alias, Path;
    ASSERT_TRUE(ParseOpenTable(Lines[1], Alias, Path));
    EXPECT_EQ(Path, "C:\\Data\\Roads");
    EXPECT_EQ(Alias, "Roads");
    // Without "As" the alias is the file's name.
    ASSERT_TRUE(ParseOpenTable(Lines[3], Alias, Path));
    EXPECT_EQ(Alias, "Lakes");
    ASSERT_TRUE(ParseOpenTable("Open Table \"t\" As \"two words\"", Alias, Path));
    EXPECT_EQ(Alias, "two words");
    EXPECT_FALSE(ParseOpenTable("Open Table \"\" As e", Alias, Path));
    EXPECT_FALSE(ParseOpenTable("Open Table \"unclosed As u", Alias, Path));
}

TEST(WorkspaceParseTest, TheMapStatementChoosesAndOrdersTheTables)
{
    // "C, A": C is the top layer (1), A below it (2); B is not in the map.
    TWorkspace W = ParseWorkspace(std::string(ThreeTables) + "Map From C, A\n  Position (0.05,0.05) Units \"in\"\n");
    EXPECT_EQ(Aliases(W), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(W.Tables[0].Number, 2);
    EXPECT_EQ(W.Tables[1].Number, 1);
    EXPECT_EQ(W.Tables[0].Path, "a");

    // Without a map statement every opened table, the first at the bottom.
    W = ParseWorkspace(ThreeTables);
    EXPECT_EQ(Aliases(W), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(W.Tables[2].Number, 1);

    // The last map window counts; names match aliases ignoring case; a name
    // that is no table keeps the numbering of the others.
    W = ParseWorkspace(std::string(ThreeTables) + "Map From A\nMap From b,query1 ,  a\nSet Map\n Layer 3\n Display Off\n");
    EXPECT_EQ(Aliases(W), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(W.Tables[0].Number, 3);
    EXPECT_FALSE(W.Tables[0].Visible);
    EXPECT_TRUE(W.Tables[1].Visible);

    // A repeated alias takes the later path and keeps its place.
    W = ParseWorkspace("Open Table \"one\" As T\nOpen Table \"u\" As U\nOpen Table \"two\" As t\n");
    EXPECT_EQ(Aliases(W), (std::vector<std::string>{"T", "U"}));
    EXPECT_EQ(W.Tables[0].Path, "two");
}

TEST(WorkspaceParseTest, DisplayLabelsAndTheEditableLayer)
{
    TWorkspace W = ParseWorkspace(std::string(ThreeTables) +
                                  "Map From A, B, C\nSet Map\n  Layer 1\n    Display Off\n"
                                  "  Layer 2\n    Display Graphic\n    Label Line None With Name Parallel On Auto On\n"
                                  "  Layer 3\n    Display Graphic\n    Label Auto Retry On Auto Off\n"
                                  "Set Map Layer 1 Editable\n");
    ASSERT_EQ(Aliases(W), (std::vector<std::string>{"C", "B", "A"}));
    EXPECT_FALSE(W.Tables[2].Visible);
    EXPECT_TRUE(W.Tables[2].Editable);
    EXPECT_TRUE(W.Tables[1].AutoLabel);
    EXPECT_FALSE(W.Tables[0].AutoLabel);
    EXPECT_FALSE(W.Tables[0].Editable);
    EXPECT_FALSE(W.Tables[0].Global);

    // "Editable Off" and a number that does not read name no layer.
    for (const char* Statement : {"Set Map Layer 2 Editable Off\n", "Set Map Layer x Editable\n"}) {
        W = ParseWorkspace(std::string(ThreeTables) + "Map From A, B, C\n" + Statement);
        for (const TWorkspaceTable& T : W.Tables)
            EXPECT_FALSE(T.Editable) << Statement;
    }
}

TEST(WorkspaceParseTest, LayerOneIsNotLayerTen)
{
    std::string Text;
    std::string From = "Map From ";
    for (int I = 1; I <= 11; ++I) {
        Text += "Open Table \"t" + std::to_string(I) + "\" As T" + std::to_string(I) + "\n";
        From += (I > 1 ? "," : "") + std::string("T") + std::to_string(I);
    }
    Text += From + "\nSet Map\n  Layer 10\n    Display Off\n  Layer 11\n    Display Global Brush (2, 255)\n"
                   "    Label Auto On\n  Layer 1\n    Display Graphic\n";
    const TWorkspace W = ParseWorkspace(Text);
    ASSERT_EQ(W.Tables.size(), 11u);
    const TWorkspaceTable& One = W.Tables.back(); // T1, the top layer
    ASSERT_EQ(One.Number, 1);
    EXPECT_TRUE(One.Visible);
    EXPECT_FALSE(One.Global);
    EXPECT_FALSE(One.AutoLabel);
    EXPECT_FALSE(W.Tables[1].Visible); // T10
    EXPECT_TRUE(W.Tables[0].Global);   // T11
    EXPECT_TRUE(W.Tables[0].AutoLabel);
}

TEST(WorkspaceParseTest, GlobalBrushes)
{
    TWorkspaceTable T = OneLayer("Display Global\nGlobal Brush (2, 16711680, 16777215)");
    ASSERT_TRUE(T.Global);
    EXPECT_TRUE(T.Style.HasBrush);
    EXPECT_TRUE(T.Style.Style.StyleSet);
    EXPECT_EQ(T.Style.Style.BrushColor, 0x0000FF);
    EXPECT_EQ(T.Style.Style.BrushStyle, bsSolid);
    EXPECT_EQ(T.Style.Style.BrushBGColor, 0xFFFFFF);
    EXPECT_TRUE(T.Style.Style.BrushUseBGColor);

    // A background of 0 is no background, and the three numbers read as a
    // pair leave the colour unreadable: black, solid.
    T = OneLayer("Display Global\nGlobal Brush (2, 16711680, 0)");
    EXPECT_EQ(T.Style.Style.BrushColor, 0x000000);
    EXPECT_EQ(T.Style.Style.BrushStyle, bsSolid);
    EXPECT_FALSE(T.Style.Style.BrushUseBGColor);

    T = OneLayer("Display Global Brush (5, 65280)");
    EXPECT_EQ(T.Style.Style.BrushColor, 0x00FF00);
    EXPECT_EQ(T.Style.Style.BrushStyle, bsBDiagonal);
    T = OneLayer("Display Global Brush (1, 0)");
    EXPECT_EQ(T.Style.Style.BrushStyle, bsClear);
    // Unreadable numbers read 0: black and solid.
    T = OneLayer("Display Global Brush (x)");
    EXPECT_TRUE(T.Style.HasBrush);
    EXPECT_EQ(T.Style.Style.BrushColor, 0);
    EXPECT_EQ(T.Style.Style.BrushStyle, bsSolid);
    // Without "Global" display the brush is not read.
    T = OneLayer("Display Graphic Brush (2, 255)");
    EXPECT_FALSE(T.Global);
    EXPECT_FALSE(T.Style.HasBrush);

    EXPECT_THROW(OneLayer("Display Global Brush (2, -5)"), ERangeError);
}

TEST(WorkspaceParseTest, GlobalPensAndFonts)
{
    TWorkspaceTable T = OneLayer("Display Global\nGlobal Pen (30, 2, 0)");
    EXPECT_EQ(T.Style.Style.PenWidth, 2); // 1.5 rounds to the even 2
    EXPECT_EQ(T.Style.Style.PenStyle, psSolid);
    EXPECT_FALSE(T.Style.HasBrush);
    EXPECT_EQ(OneLayer("Display Global\nGlobal Pen (8, 2, 0)").Style.Style.PenWidth, 1);
    EXPECT_EQ(OneLayer("Display Global\nGlobal Pen (3, 9, 0)").Style.Style.PenWidth, 3);
    EXPECT_EQ(OneLayer("Display Global\nGlobal Pen (1e300, 9, 0)").Style.Style.PenWidth, 1000);
    T = OneLayer("Display Global\nGlobal Pen (1, 12, 65280)");
    EXPECT_EQ(T.Style.Style.PenStyle, psDash);
    EXPECT_EQ(T.Style.Style.PenColor, 0x00FF00);
    EXPECT_EQ(OneLayer("Display Global Pen (1, 1, 0)").Style.Style.PenStyle, psClear);
    EXPECT_EQ(OneLayer("Display Global Pen (1, 14, 0)").Style.Style.PenStyle, psDashDot);
    EXPECT_EQ(OneLayer("Display Global Pen (1, 20, 0)").Style.Style.PenStyle, psDashDotDot);

    T = OneLayer("Display Global\nGlobal Font (\"Arial\", 0, 9, 255)");
    EXPECT_EQ(T.Style.Style.FontName, "Arial");
    EXPECT_EQ(T.Style.Style.FontColor, 0xFF0000);
    EXPECT_EQ(T.Style.Style.FontBGColor, 0);
    T = OneLayer("Display Global Font (\"Times, New\", 0, 9, 255, 16777215)");
    EXPECT_EQ(T.Style.Style.FontName, "Times, New");
    EXPECT_EQ(T.Style.Style.FontBGColor, 0xFFFFFF);
    EXPECT_EQ(OneLayer("Display Global Font (\"A\", 0, 9, x)").Style.Style.FontColor, 0);

    // The label clause's pen and font are not the layer's.
    T = OneLayer("Display Global\nGlobal Brush (2, 255)\nLabel Font (\"Courier\", 0, 9, 0) Pen (5, 2, 0)");
    EXPECT_FALSE(T.Style.HasFont);
    EXPECT_FALSE(T.Style.HasPen);
}

TEST(WorkspaceParseTest, GlobalPartsCarryUpward)
{
    // A global layer without a pen keeps the pen of the global layer below it.
    const TWorkspace W = ParseWorkspace(std::string(ThreeTables) +
                                        "Map From A, B, C\nSet Map\n"
                                        "  Layer 3\n    Display Global\n    Global Pen (2, 2, 255) Brush (2, 65280)\n"
                                        "  Layer 2\n    Display Graphic\n"
                                        "  Layer 1\n    Display Global\n    Global Brush (2, 16711680)\n");
    ASSERT_EQ(Aliases(W), (std::vector<std::string>{"C", "B", "A"}));
    const TWorkspaceStyle& Top = W.Tables[2].Style;
    EXPECT_TRUE(Top.HasPen);
    EXPECT_EQ(Top.Style.PenColor, 0xFF0000);
    EXPECT_EQ(Top.Style.PenWidth, 2);
    EXPECT_EQ(Top.Style.BrushColor, 0x0000FF);
    EXPECT_FALSE(Top.HasFont);
    EXPECT_EQ(W.Tables[0].Style.Style.BrushColor, 0x00FF00);
}

TEST(WorkspaceParseTest, TheCentreNeedsBothCoordinates)
{
    const std::string Map = "Open Table \"t\" As T\nMap From T\nSet Map\n  CoordSys Earth Projection 1, 104\n";
    TWorkspace W = ParseWorkspace(Map + "  Center (0, 52.5)\n  Zoom 500 Units \"km\"\n");
    EXPECT_FALSE(W.HasCenter);
    W = ParseWorkspace(Map + "  Center (10.5,52.5)\n  Zoom 500 Units \"km\"\n");
    EXPECT_TRUE(W.HasCenter);
    EXPECT_EQ(W.CenterX, 10.5);
    EXPECT_EQ(W.CenterY, 52.5);
    // A label's "Position Center" is not the map's centre.
    W = ParseWorkspace(Map + "  Layer 1\n  Label Position Center Font (\"Arial\",0,9,0)\n");
    EXPECT_FALSE(W.HasCenter);
}

TEST(WorkspaceParseTest, TheCharsetConvertsNames)
{
    const TWorkspace W = ParseWorkspace("!Workspace\r\n!Charset WindowsCyrillic\r\n"
                                        "Open Table \"\xcf\xf0\xe8\xec\xe5\xf0\" As \xcf\xf0\xe8 Interactive\r\n"
                                        "Map From \xef\xf0\xe8\r\n");
    EXPECT_EQ(W.Charset, "WindowsCyrillic");
    ASSERT_EQ(W.Tables.size(), 1u);
    EXPECT_EQ(W.Tables[0].Alias, "\xd0\x9f\xd1\x80\xd0\xb8"); // "При"
    EXPECT_EQ(W.Tables[0].Path, "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xbc\xd0\xb5\xd1\x80");
}

TEST(WorkspaceParseTest, LargeWorkspacesParseInLinearTime)
{
    // Twenty thousand tables, each named in the map statement and given
    // settings, and a run of blank lines: quadratic work would not finish.
    constexpr int N = 20000;
    std::string Text, From = "Map From ", Set = "Set Map\n";
    for (int I = 1; I <= N; ++I) {
        const std::string Id = std::to_string(I);
        Text += "Open Table \"t" + Id + "\" As T" + Id + "\n";
        From += (I > 1 ? "," : "") + std::string("t") + Id;
        Set += "  Layer " + Id + "\n    Display " + (I % 2 ? "Off" : "Graphic") + "\n";
    }
    Set += std::string(200000, '\n') + "Set Map Layer 7 Editable\n";
    const TWorkspace W = ParseWorkspace(Text + From + "\n" + Set);
    ASSERT_EQ(W.Tables.size(), static_cast<std::size_t>(N));
    EXPECT_EQ(W.Tables.front().Alias, "T" + std::to_string(N));
    EXPECT_TRUE(W.Tables.front().Visible);
    EXPECT_FALSE(W.Tables.back().Visible);
    EXPECT_TRUE(W.Tables[N - 7].Editable);
}
