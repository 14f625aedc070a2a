// The TAB provider and its MITAB binding: the binding's states with missing
// and stand-in libraries, reading files ogr2ogr made, saving what the
// classic provider lost (angles, CoordSys and bounds, rectangles), failed
// saves, round trips through MIF and TAB, and GDAL reading what it writes.
#include "MifTestSupport.h"

#include "formats/MapInfoFormatProvider.h"
#include "formats/MifAttributes.h"
#include "objects/Circle.h"
#include "objects/NoGeometry.h"
#include "tests/support/ShellHelpers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <regex>

using namespace cartova;
using cartova::test::HaveGdal;
using cartova::test::ReadText;
using cartova::test::Shell;
using cartova::test::WriteText;

namespace {



// MapInfo's objects and styles, for ogr2ogr to convert into TAB files.
const char* SourceMif = R"(Version 300
Charset "WindowsCyrillic"
Delimiter ","
CoordSys Earth Projection 1, 104
Columns 3
  name Char(20)
  quoted Char(10)
  rank SmallInt
Data

Point 10 20
    Symbol (34,255,12)
Point 11 21
    Symbol (65,16711680,24,"MapInfo Cartographic",0,0)
Text
    "Rotated"
    1 2 5 3
    Font ("Arial",0,0,255)
    Angle 30
Pline Multiple 2
  2
0 0
1 1
  3
2 2
3 3
4 2
    Pen (3,9,32768)
Region 2
  5
0 0
10 0
10 10
0 10
0 0
  5
2 2
4 2
4 4
2 4
2 2
    Pen (2,2,255)
    Brush (5,65280,16777215)
Rect 20 20 25 30
    Pen (1,2,0)
    Brush (2,16711935)
)";
const char* SourceMid = "\"point\",\"'abc'\",1\n\"font point\",\"''\",2\n\"text\",\"'\",3\n"
                        "\"polyline\",\"x\",4\n\"\xcf\xf0\xe8\xe2\xe5\xf2\",\"'a'\",5\n\"rectangle\",\"\",6\n";

class MapInfoProviderTest : public test::TMifFixture {
protected:
    void SetUp() override
    {
        if (!HaveGdal())
            GTEST_SKIP() << "ogr2ogr is not installed";
        Saved = LibPath;
    }
    void TearDown() override
    {
        LibPath = Saved;
        MITAB_load();
    }

    // A TAB (or MIF) file that ogr2ogr made of the source above.
    std::string FromGdal(const std::string& Name, const std::string& Options = "")
    {
        const std::string Mif = Files(Name + "-source", SourceMif, SourceMid);
        const std::string Out = PathOf(Name);
        std::filesystem::remove_all(Out);
        std::filesystem::create_directories(Out);
        Shell("ogr2ogr -f 'MapInfo File' " + Options + " '" + Out + "/" + Name + ".tab' '" + Mif + "'");
        return Out + "/" + Name + ".tab";
    }

    bool LoadTab(const std::string& Path) { return Tab.Load(Layer, Path); }

    template <class T>
    T* Object(int I) const
    {
        return dynamic_cast<T*>(Layer->GetObjects(I));
    }

    TMapInfoFormatProvider Tab;
    std::string Saved;
};

} // namespace

TEST_F(MapInfoProviderTest, NamesAndTheRegistry)
{
    EXPECT_EQ(Tab.GetDescription(), "MapInfo Format Provider (mif, tab)");
    EXPECT_EQ(Tab.GetFilter(), "MapInfo Files (*.mif; *.tab)|*.mif; *.tab");
    EXPECT_EQ(GUIDToString(Tab.GetGUID()), "{4AC2894A-85A3-4613-80D2-27DDCDFEA816}");
    EXPECT_TRUE(Tab.CanProcessFile("a/B.TAB"));
    EXPECT_TRUE(Tab.CanProcessFile("b.mif"));
    EXPECT_FALSE(Tab.CanProcessFile("b.tab.bak"));
    // The simple provider came first: it takes .mif files, this one .tab files.
    EXPECT_EQ(FormatProviders->FindSuitableProvider("x.mif"), &Provider);
    EXPECT_EQ(FormatProviders->FindSuitableProvider("x.TAB"), &Tab);
    EXPECT_EQ(FormatProviders->GetFilter(), Provider.GetFilter() + "|" + Tab.GetFilter());
    EXPECT_EQ(FormatProviders->GetFilterIndex(), 0);
}

TEST_F(MapInfoProviderTest, TheBindingRefusesMissingAndForeignLibraries)
{
    // By default the library beside libcartova is bound.
    EXPECT_EQ(MITAB_LoadErr, 0);
    EXPECT_TRUE(MITAB_LibOK());
    EXPECT_EQ(ExtractFileName(LibPath), "libmitab.so.1");
    EXPECT_TRUE(FileExists(LibPath)) << LibPath;
    EXPECT_EQ(mitab_c_getlibversion(), 1007000);

    LibPath = PathOf("nowhere/libmitab.so.1");
    TMapInfoFormatProvider Missing;
    EXPECT_EQ(MITAB_LoadErr, -2);
    EXPECT_FALSE(MITAB_LibOK());
    EXPECT_EQ(mitab_c_open, nullptr);
    const std::string Expected = "MITAB.DLL not fond! Please place DLL to " + ExtractFileDir(ApplicationFileName()) +
                                 " or " + GetSystemDirectory() + " directory!";
    EXPECT_FALSE(ExtractFileDir(ApplicationFileName()).empty());
    EXPECT_FALSE(GetSystemDirectory().empty());
    try {
        Missing.Load(Layer, PathOf("any.tab"));
        ADD_FAILURE() << "Load did not raise";
    } catch (const Exception& E) {
        EXPECT_EQ(std::string(E.what()), Expected);
    }
    EXPECT_FALSE(Missing.Save(Layer, PathOf("any.tab")));
    EXPECT_EQ(Messages.Count(), 0);
    EXPECT_FALSE(FileExists(PathOf("any.tab")));

    const std::string Standins = MITAB_STANDIN_DIR;
    const struct {
        const char* File;
        int Status;
    } Cases[] = {{"wrong_version.so", -4}, {"no_version.so", -3}, {"version_only.so", -3}};
    for (const auto& C : Cases) {
        LibPath = Standins + "/" + C.File;
        MITAB_load();
        EXPECT_EQ(MITAB_LoadErr, C.Status) << C.File;
        EXPECT_EQ(mitab_c_getlibversion, nullptr) << C.File;
    }
    // Each construction tries again.
    LibPath = Saved;
    TMapInfoFormatProvider Again;
    EXPECT_EQ(MITAB_LoadErr, 0);
}

TEST_F(MapInfoProviderTest, ReadsWhatOgr2ogrWrote)
{
    const std::string Path = FromGdal("read");
    ASSERT_TRUE(LoadTab(Path)) << Messages.LastText();
    ASSERT_EQ(Layer->GetObjectCount(), 6);
    EXPECT_EQ(Layer->GetCoordSys(), "CoordSys Earth Projection 1, 104 Bounds (-1000, -1000) (1000, 1000)");
    ASSERT_EQ(Layer->GetFields()->Count(), 3);
    EXPECT_EQ(Layer->GetFields()->GetFields(2)->GetDataType(), dtInteger); // GDAL wrote SmallInt as Integer

    // A MapInfo symbol becomes its character of "Map Symbols", one higher.
    auto* Point = Object<TSymbol>(0);
    ASSERT_NE(Point, nullptr);
    EXPECT_EQ(Point->GetShape(), 35);
    EXPECT_EQ(Point->GetFont()->GetName(), "Map Symbols");
    EXPECT_EQ(Point->GetFont()->GetColor(), MifColorToColor(255));
    EXPECT_EQ(Point->GetFont()->GetSize(), 12);
    EXPECT_EQ(Point->GetX(), 10);
    EXPECT_EQ(Point->GetY(), 20);
    // A font point keeps its number and font.
    auto* FontPoint = Object<TSymbol>(1);
    ASSERT_NE(FontPoint, nullptr);
    EXPECT_EQ(FontPoint->GetShape(), 65);
    EXPECT_EQ(FontPoint->GetFont()->GetName(), "MapInfo Cartographic");
    EXPECT_EQ(FontPoint->GetFont()->GetSize(), 24);

    auto* Text = Object<TText>(2);
    ASSERT_NE(Text, nullptr);
    EXPECT_EQ(Text->GetText(), "Rotated");
    EXPECT_DOUBLE_EQ(Text->GetAngle(), 30);
    EXPECT_GT(Text->GetHeight(), 0);
    EXPECT_EQ(Text->GetFont()->GetColor(), MifColorToColor(255));

    auto* Line = Object<TPolyline>(3);
    ASSERT_NE(Line, nullptr);
    ASSERT_EQ(Line->GetParts()->Count(), 2);
    EXPECT_EQ(Line->GetParts()->GetItems(1)->GetPoints()->Count(), 3);
    EXPECT_EQ(Line->GetPen()->GetStyle(), psDot);
    EXPECT_EQ(Line->GetPen()->GetWidth(), 3);
    EXPECT_EQ(Line->GetPen()->GetColor(), MifColorToColor(32768));

    auto* Region = Object<TRegion>(4);
    ASSERT_NE(Region, nullptr);
    EXPECT_EQ(Region->GetParts()->Count(), 2);
    EXPECT_EQ(Region->GetBrush()->GetStyle(), bsBDiagonal);
    EXPECT_EQ(Region->GetBrush()->GetColor(), MifColorToColor(65280));
    EXPECT_TRUE(Region->GetUseBGColor());
    EXPECT_EQ(Region->GetBGColor(), MifColorToColor(16777215));
    EXPECT_EQ(Region->GetPen()->GetWidth(), 2);

    // GDAL gives the rectangle as a closed five-point region; no background.
    auto* Rect = Object<TRegion>(5);
    ASSERT_NE(Rect, nullptr);
    EXPECT_EQ(Rect->GetParts()->GetItems(0)->GetPoints()->Count(), 5);
    EXPECT_FALSE(Rect->GetUseBGColor());
    EXPECT_EQ(Rect->GetBounds().MaxY, 30);

    // Values: one pair of apostrophes goes; CP1251 text arrives as UTF-8.
    EXPECT_EQ(Value(0, 1), "abc");
    EXPECT_EQ(Value(1, 1), "");
    EXPECT_EQ(Value(2, 1), "");
    EXPECT_EQ(Value(3, 1), "x");
    EXPECT_EQ(Value(4, 1), "a");
    EXPECT_EQ(Value(4, 0), "Привет");
    EXPECT_EQ(Value(5, 2), "6");

    // The same from a file that declares its charset.
    Layer->DeleteObjects();
    ASSERT_TRUE(LoadTab(FromGdal("cyrillic", "-lco ENCODING=CP1251")));
    ASSERT_NE(ReadText(PathOf("cyrillic/cyrillic.tab")).find("WindowsCyrillic"), std::string::npos);
    EXPECT_EQ(Value(4, 0), "Привет");
}

TEST_F(MapInfoProviderTest, RectangleFeaturesBecomeRegionsAndTheOverrideApplies)
{
    const std::string Path = FromGdal("rectangles");
    LibPath = std::string(MITAB_STANDIN_DIR) + "/rectangle.so";
    TMapInfoFormatProvider Standin;
    ASSERT_EQ(MITAB_LoadErr, 0);
    TMapStyle& Style = Layer->GetStyle();
    Style.StyleSet = true;
    Style.BrushColor = clRed;
    Style.BrushStyle = bsCross;
    Style.BrushUseBGColor = true;
    Style.BrushBGColor = clYellow;
    Style.PenColor = clBlue;
    Style.PenStyle = psDash;
    Style.PenWidth = 4;
    Style.FontName = "Courier New";
    Style.FontColor = clGreen;
    Style.FontBGColor = clWhite;
    ASSERT_TRUE(Standin.Load(Layer, Path)) << Messages.LastText();
    ASSERT_EQ(Layer->GetObjectCount(), 6);
    for (int I : {4, 5}) {
        auto* R = Object<TRegion>(I);
        ASSERT_NE(R, nullptr) << I;
        EXPECT_EQ(R->GetBrush()->GetColor(), clRed);
        EXPECT_EQ(R->GetBrush()->GetStyle(), bsCross);
        EXPECT_TRUE(R->GetUseBGColor());
        EXPECT_EQ(R->GetBGColor(), clYellow);
        EXPECT_EQ(R->GetPen()->GetColor(), clBlue);
        EXPECT_EQ(R->GetPen()->GetStyle(), psDash);
        EXPECT_EQ(R->GetPen()->GetWidth(), 4);
    }
    EXPECT_EQ(Object<TRegion>(5)->GetParts()->GetItems(0)->GetPoints()->Count(), 5);
    auto* Text = Object<TText>(2);
    EXPECT_EQ(Text->GetFont()->GetName(), "Courier New");
    EXPECT_EQ(Text->GetFont()->GetColor(), clGreen);
    EXPECT_EQ(Text->GetBGColor(), clWhite);
    EXPECT_TRUE(Text->GetUseBGColor());
}

namespace {

// A layer built in code in a projected CoordSys: coordinates in metres.
void BuildProjected(TMapLayer* Layer)
{
    Layer->SetCoordSys("CoordSys Earth Projection 8, 104, \"m\", 15, 0, 0.9996, 500000, 0");
    Layer->GetFields()->Add("name", dtString, 20);
    Layer->GetFields()->Add("when", dtDate, 0);
    auto* T = Layer->NewObject<TText>();
    T->SetX(512345.25);
    T->SetY(5812345.5);
    T->SetText("Label");
    T->SetWidth(120);
    T->SetHeight(25);
    T->SetAngle(30);
    T->GetFields()->GetFields(0)->SetAsString("text");
    T->GetFields()->GetFields(1)->SetAsDate(EncodeDate(2021, 6, 30));
    auto* R = Layer->NewObject<TRectangle>();
    R->SetX0(510000);
    R->SetY0(5810000);
    R->SetX1(511000.5);
    R->SetY1(5811000.25);
    R->GetFields()->GetFields(0)->SetAsString("rectangle");
    auto* C = Layer->NewObject<TCircle>();
    C->SetX(515000);
    C->SetY(5815000);
    C->SetRadius(300);
    auto* N = Layer->NewObject<TNoGeometry>();
    N->GetFields()->GetFields(0)->SetAsString("record only");
    for (int I = 0; I < Layer->GetObjectCount(); ++I)
        Layer->GetObjects(I)->UpdateBounds();
}

} // namespace

TEST_F(MapInfoProviderTest, SavesAnglesCoordSysBoundsAndRectanglesAndCountsCircles)
{
    BuildProjected(Layer);
    const std::string Path = PathOf("projected.tab");
    ASSERT_TRUE(Tab.Save(Layer, Path)) << Messages.LastText();
    EXPECT_EQ(Layer->GetFileInfo().Unsaved.ToString(), "Circle 1");

    // GDAL reads the projection and every coordinate in metres.
    const std::string Info = Shell("ogrinfo -al '" + Path + "'");
    EXPECT_NE(Info.find("Feature Count: 3"), std::string::npos) << Info;
    EXPECT_NE(Info.find("Transverse Mercator"), std::string::npos) << Info;
    EXPECT_NE(Info.find("a:30"), std::string::npos);
    // Coordinates within the precision the bounds give (a micrometre here).
    const std::string Json = Shell("ogr2ogr -f GeoJSON -lco COORDINATE_PRECISION=5 /vsistdout/ '" + Path + "'");
    EXPECT_NE(Json.find("[ 512345.25, 5812345.5 ]"), std::string::npos) << Json;
    EXPECT_NE(Json.find("[ [ [ 510000.0, 5810000.0 ], [ 511000.5, 5810000.0 ], [ 511000.5, 5811000.25 ], "
                        "[ 510000.0, 5811000.25 ], [ 510000.0, 5810000.0 ] ] ]"),
              std::string::npos)
        << Json;
    EXPECT_NE(Info.find("when (Date) = 2021/06/30"), std::string::npos);
    EXPECT_NE(Info.find("name (String) = record only"), std::string::npos);

    TMapLayer* Back = Map.GetLayers()->Add("", "back");
    ASSERT_TRUE(Tab.Load(Back, Path)) << Messages.LastText();
    ASSERT_EQ(Back->GetObjectCount(), 3);
    EXPECT_EQ(Back->GetCoordSys().rfind("CoordSys Earth Projection 8, 104, \"m\", 15, 0, 0.9996, 500000, 0 Bounds",
                                        0),
              0u)
        << Back->GetCoordSys();
    auto* T = dynamic_cast<TText*>(Back->GetObjects(0));
    ASSERT_NE(T, nullptr);
    EXPECT_DOUBLE_EQ(T->GetAngle(), 30);
    EXPECT_NEAR(T->GetHeight(), 25, 1e-4);
    EXPECT_EQ(T->GetText(), "Label");
    auto* R = dynamic_cast<TRegion*>(Back->GetObjects(1));
    ASSERT_NE(R, nullptr);
    EXPECT_EQ(R->GetParts()->GetItems(0)->GetPoints()->Count(), 5);
    EXPECT_NE(dynamic_cast<TNoGeometry*>(Back->GetObjects(2)), nullptr);
    EXPECT_DOUBLE_EQ(Back->GetObjects(0)->GetFields()->GetFields(1)->GetAsDateTime(), EncodeDate(2021, 6, 30));
}

TEST_F(MapInfoProviderTest, AFailedSaveReportsAndKeepsTheOldFiles)
{
    BuildProjected(Layer);
    const std::string Path = PathOf("kept.tab");
    ASSERT_TRUE(Tab.Save(Layer, Path)) << Messages.LastText();
    const std::string Old = ReadText(PathOf("kept.map"));

    // The library refuses a font name with a double quote: nothing is replaced.
    auto* T = dynamic_cast<TText*>(Layer->GetObjects(0));
    T->GetFont()->SetName("Bad \"Font\"");
    auto* Extra = Layer->NewObject<TPolyline>();
    Extra->GetParts()->Add()->GetPoints()->Add(520000, 5820000);
    Extra->GetParts()->GetItems(0)->GetPoints()->Add(521000, 5821000);
    EXPECT_FALSE(Tab.Save(Layer, Path));
    EXPECT_NE(Messages.LastText().find("double quotes"), std::string::npos) << Messages.LastText();
    EXPECT_NE(Messages.LastText().find(Path), std::string::npos);
    EXPECT_EQ(ReadText(PathOf("kept.map")), Old);
    TMapLayer* Back = Map.GetLayers()->Add("", "back");
    ASSERT_TRUE(Tab.Load(Back, Path));
    EXPECT_EQ(Back->GetObjectCount(), 3);

    // A folder that does not exist.
    Messages.Clear();
    EXPECT_FALSE(Tab.Save(Layer, PathOf("no/such/folder/x.tab")));
    EXPECT_NE(Messages.LastText().find("cannot create"), std::string::npos) << Messages.LastText();
    // A file the library cannot open.
    Messages.Clear();
    WriteText(PathOf("broken.tab"), "!table\nnonsense\n");
    EXPECT_FALSE(Tab.Load(Back, PathOf("broken.tab")));
    EXPECT_NE(Messages.LastText().find("broken.tab"), std::string::npos) << Messages.LastText();
}

namespace {

// What a layer holds that a round trip must keep, one line per object.
std::string Describe(const TMapLayer* Layer)
{
    // The clause without its bounds, in single spaces.
    std::string Clause;
    for (const char C : Layer->GetCoordSys().substr(0, Layer->GetCoordSys().find("Bounds")))
        if (!std::isspace(static_cast<unsigned char>(C)) || (!Clause.empty() && Clause.back() != ' '))
            Clause += std::isspace(static_cast<unsigned char>(C)) ? ' ' : C;
    std::string Out = TrimRight(Clause) + "\n";
    for (int I = 0; I < Layer->GetObjectCount(); ++I) {
        const TCustomMapObject* O = Layer->GetObjects(I);
        Out += O->ClassName() + ":";
        const TParts* Parts = O->GetParts();
        for (int P = 0; P < Parts->Count(); ++P) {
            Out += " [";
            for (const TMapPoint& V : *Parts->GetItems(P)->GetPoints())
                Out += Format(" %.6f,%.6f", V.X, V.Y);
            Out += " ]";
        }
        // Numbers by value: a TAB file gives decimals with all their places ("0.5000").
        const TDataFields* F = O->GetFields();
        for (int J = 0; J < F->Count(); ++J) {
            const TDataField& V = *F->GetFields(J);
            const bool Number = Layer->GetFields()->GetFields(J)->GetDataType() == dtDecimal && !V.GetAsString().empty();
            Out += " '" + (Number ? Format("%.12g", V.GetAsFloat()) : V.GetAsString()) + "'";
        }
        // GDAL stores pens of up to 7 pixels.
        if (dynamic_cast<const TNoGeometry*>(O) == nullptr)
            Out += Format(" pen %d/%d/%x", std::min(O->GetPen()->GetWidth(), 7),
                          static_cast<int>(O->GetPen()->GetStyle()), static_cast<unsigned>(O->GetPen()->GetColor()));
        if (dynamic_cast<const TRegion*>(O)) {
            Out += Format(" brush %d/%x", static_cast<int>(O->GetBrush()->GetStyle()),
                          static_cast<unsigned>(O->GetBrush()->GetColor()));
            if (O->GetUseBGColor())
                Out += Format(" on %x", static_cast<unsigned>(O->GetBGColor()));
        }
        if (const auto* T = dynamic_cast<const TText*>(O))
            Out += Format(" text '%s' angle %g", T->GetText(), T->GetAngle());
        else if (const auto* S = dynamic_cast<const TSymbol*>(O))
            Out += Format(" symbol %d %s %d/%x", S->GetShape(), S->GetFont()->GetName(), S->GetFont()->GetSize(),
                          static_cast<unsigned>(S->GetFont()->GetColor()));
        Out += "\n";
    }
    return Out;
}

} // namespace

TEST_F(MapInfoProviderTest, RoundTripsThroughMifAndTabKeepTheLayer)
{
    const std::string Data = std::string(CARTOVA_TEST_DATA_DIR) + "/mif/";
    for (const char* Name : {"styles", "records"}) {
        SCOPED_TRACE(Name);
        TMapLayer* Source = Map.GetLayers()->Add(Data + Name + ".mif", "source");
        ASSERT_FALSE(Source->GetFileName().empty());
        // A turned text, whose angle the classic provider lost.
        auto* Label = Source->NewObject<TText>();
        Label->SetX(60);
        Label->SetY(20);
        Label->SetText("turned");
        Label->SetWidth(40);
        Label->SetHeight(8);
        Label->SetAngle(30);
        Label->UpdateBounds();
        // TAB numbers cannot be empty: the label's are given.
        for (int J = 0; J < Label->GetFields()->Count(); ++J)
            Label->GetFields()->GetFields(J)->SetAsString(
                Source->GetFields()->GetFields(J)->GetDataType() == dtString ? "label" : "7");
        const std::string Expected = Describe(Source);

        // MIF → TAB → MIF.
        const std::string TabPath = PathOf(std::string("rt-") + Name + ".tab");
        ASSERT_TRUE(Tab.Save(Source, TabPath)) << Messages.LastText();
        TMapLayer* FromTab = Map.GetLayers()->Add("", "tab");
        ASSERT_TRUE(Tab.Load(FromTab, TabPath)) << Messages.LastText();
        EXPECT_EQ(Describe(FromTab), Expected);
        const std::string MifPath = PathOf(std::string("rt-") + Name + ".mif");
        ASSERT_TRUE(Provider.Save(FromTab, MifPath));
        TMapLayer* FromMif = Map.GetLayers()->Add(MifPath, "mif");
        EXPECT_EQ(Describe(FromMif), Expected);

        // TAB → TAB keeps the file's bounds.
        const std::string Again = PathOf(std::string("rt2-") + Name + ".tab");
        ASSERT_TRUE(Tab.Save(FromTab, Again)) << Messages.LastText();
        TMapLayer* Twice = Map.GetLayers()->Add("", "twice");
        ASSERT_TRUE(Tab.Load(Twice, Again));
        EXPECT_EQ(Describe(Twice), Expected);
        EXPECT_EQ(Twice->GetCoordSys(), FromTab->GetCoordSys());
    }
}

namespace {

// The features ogrinfo reads: values and geometry numbers, without styles.
std::vector<std::string> PeerFeatures(const std::string& Path)
{
    std::istringstream In(Shell("ogrinfo -al -q '" + Path + "'"));
    std::vector<std::string> Features;
    static const std::regex Number(R"(-?[0-9]+(\.[0-9]+)?(e[-+]?[0-9]+)?)");
    for (std::string Line; std::getline(In, Line);) {
        if (Line.rfind("OGRFeature(", 0) == 0)
            Features.emplace_back();
        else if (!Features.empty() && Line.rfind("  Style = ", 0) != 0 && !Line.empty()) {
            // Coordinates rounded to the micro unit, as the TAB file stores them.
            std::string Rounded;
            std::sregex_iterator It(Line.begin(), Line.end(), Number), End;
            std::size_t At = 0;
            if (Line.find('(') != std::string::npos && Line.find(" = ") == std::string::npos) {
                for (; It != End; ++It) {
                    Rounded += Line.substr(At, static_cast<std::size_t>(It->position()) - At);
                    Rounded += Format("%.6f", std::stod(It->str()));
                    At = static_cast<std::size_t>(It->position() + It->length());
                }
            }
            Features.back() += Rounded + Line.substr(At) + "\n";
        }
    }
    return Features;
}

} // namespace

TEST_F(MapInfoProviderTest, OgrInfoReadsCartovasTabLikeTheSource)
{
    const std::string Source = std::string(CARTOVA_TEST_DATA_DIR) + "/mif/records.mif";
    TMapLayer* Layer2 = Map.GetLayers()->Add(Source, "records");
    const std::string Path = PathOf("peer/records.tab");
    std::filesystem::create_directories(PathOf("peer"));
    ASSERT_TRUE(Tab.Save(Layer2, Path)) << Messages.LastText();
    const auto Expected = PeerFeatures(Source);
    ASSERT_EQ(Expected.size(), 4u);
    EXPECT_EQ(PeerFeatures(Path), Expected);
}
