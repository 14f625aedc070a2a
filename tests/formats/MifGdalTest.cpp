// Interoperability with GDAL's "MapInfo File" driver: files ogr2ogr writes
// load with the counts, coordinates, values and colours ogrinfo reports, and
// ogrinfo reads what Cartova writes with the same counts, values and geometry.
#include "MifTestSupport.h"
#include "tests/support/ShellHelpers.h"

#include <cstdio>
#include <cstdlib>

using namespace cartova;
using test::HaveGdal;
using test::Shell;

namespace {



const char* GeoJson = R"({"type":"FeatureCollection","features":[
{"type":"Feature","properties":{"s":"O'Brien \"q\", a;b","i":5,"r":1.5,"d":"2020-03-04","t":"12:34:56","dt":"2020-03-04T12:34:56","u":"Привет"},
 "geometry":{"type":"MultiLineString","coordinates":[[[0,0],[1,1],[2,0]],[[5,5],[6,6]]]}},
{"type":"Feature","properties":{"s":"x","i":-7,"r":2.25,"d":null,"t":null,"dt":null,"u":"€"},
 "geometry":{"type":"Point","coordinates":[3.5,4.25]}},
{"type":"Feature","properties":{"s":"y","i":1,"r":0,"d":"1999-12-31","t":"00:00:01","dt":"1999-12-31T23:59:59","u":"a"},
 "geometry":{"type":"MultiPolygon","coordinates":[[[[0,0],[4,0],[4,4],[0,4],[0,0]],[[1,1],[2,1],[2,2],[1,1]]],[[[10,10],[11,10],[11,11],[10,10]]]]}}
]})";

class MifGdalTest : public test::TMifFixture {
protected:
    void SetUp() override
    {
        if (!HaveGdal())
            GTEST_SKIP() << "ogr2ogr is not installed";
    }

    // Converts the GeoJSON above with ogr2ogr into Dir (one .mif/.mid pair).
    // Every file is named after Dir, so tests running in parallel never share one.
    std::string FromGdal(const std::string& Dir, const std::string& Options)
    {
        const std::string Src = PathOf(Dir + ".geojson");
        test::WriteText(Src, GeoJson);
        std::filesystem::remove_all(PathOf(Dir));
        Shell("ogr2ogr -f \"MapInfo File\" -dsco FORMAT=MIF " + Options + " " + PathOf(Dir) + " " + Src);
        return PathOf(Dir) + "/" + Dir + ".mif";
    }
};

} // namespace

TEST_F(MifGdalTest, FilesWrittenByGdalLoad)
{
    for (const std::string& Options : {std::string(), std::string("-lco ENCODING=CP1251")}) {
        Layer->DeleteObjects();
        const std::string P = FromGdal(Options.empty() ? "gdal-neutral" : "gdal-cyr", Options);
        ASSERT_TRUE(Load(P)) << Messages.LastText();
        ASSERT_EQ(Layer->GetObjectCount(), 3);
        EXPECT_NE(Shell("ogrinfo -al -so " + P).find("Feature Count: 3"), std::string::npos);
        auto* L = dynamic_cast<TPolyline*>(Layer->GetObjects(0));
        ASSERT_NE(L, nullptr);
        ASSERT_EQ(L->GetParts()->Count(), 2);
        EXPECT_EQ(L->GetParts()->GetItems(1)->GetPoints()->Last(), TMapPoint(6, 6));
        auto* S = dynamic_cast<TSymbol*>(Layer->GetObjects(1));
        ASSERT_NE(S, nullptr);
        EXPECT_EQ(S->GetX(), 3.5);
        EXPECT_EQ(S->GetY(), 4.25);
        auto* R = dynamic_cast<TRegion*>(Layer->GetObjects(2));
        ASSERT_NE(R, nullptr);
        EXPECT_EQ(R->GetParts()->Count(), 3);
        EXPECT_EQ(R->GetBrush()->GetColor(), static_cast<TColor>(0)); // Brush (1,0,16777215)
        TDataFields* F = Layer->GetObjects(0)->GetFields();
        EXPECT_EQ(F->GetFields(0)->GetAsString(), "O'Brien \"q\", a;b");
        EXPECT_EQ(F->GetFields(1)->GetAsInteger(), 5);
        EXPECT_EQ(F->GetFields(2)->GetAsFloat(), 1.5);
        EXPECT_DOUBLE_EQ(F->GetFields(3)->GetAsDate(), EncodeDate(2020, 3, 4));
        EXPECT_EQ(Layer->GetFields()->GetFields(4)->GetDataType(), dtTime);
        EXPECT_EQ(Layer->GetFields()->GetFields(5)->GetDataType(), dtDateTime);
        EXPECT_NEAR(F->GetFields(5)->GetAsDateTime(), EncodeDate(2020, 3, 4) + EncodeTime(12, 34, 56, 0), 1e-8);
        EXPECT_EQ(F->GetFields(6)->GetAsString(), "Привет");
        EXPECT_EQ(Layer->GetObjects(1)->GetFields()->GetFields(6)->GetAsString(), "€");
    }
}

TEST_F(MifGdalTest, GdalReadsWhatCartovaWrites)
{
    ASSERT_TRUE(Load(FromGdal("gdal-rt", "")));
    auto* T = Layer->NewObject<TText>();
    T->SetX(1), T->SetY(2), T->SetWidth(3), T->SetHeight(1);
    T->SetText("label");
    const std::string P = PathOf("cartova-out.mif");
    ASSERT_TRUE(Provider.Save(Layer, P));
    const std::string Info = Shell("ogrinfo -al " + P);
    EXPECT_NE(Info.find("Feature Count: 4"), std::string::npos) << Info;
    EXPECT_NE(Info.find("s (String) = O'Brien \"q\", a;b"), std::string::npos) << Info;
    EXPECT_NE(Info.find("u (String) = Привет"), std::string::npos);
    EXPECT_NE(Info.find("i (Integer) = -7"), std::string::npos);
    EXPECT_NE(Info.find("d (Date) = 2020/03/04"), std::string::npos);
    EXPECT_NE(Info.find("MULTILINESTRING ((0 0,1 1,2 0),(5 5,6 6))"), std::string::npos);
    EXPECT_NE(Info.find("POINT (3.5 4.25)"), std::string::npos);
    EXPECT_NE(Info.find("label"), std::string::npos);

    // Cartova → GDAL → Cartova keeps counts and values.
    std::filesystem::remove_all(PathOf("gdal-back"));
    Shell("ogr2ogr -f \"MapInfo File\" -dsco FORMAT=MIF " + PathOf("gdal-back") + " " + P);
    TMapLayer* Back = Map.GetLayers()->Add(PathOf("gdal-back") + "/cartova-out.mif", "back");
    ASSERT_EQ(Back->GetObjectCount(), 4);
    EXPECT_EQ(Back->GetObjects(0)->GetFields()->GetFields(0)->GetAsString(), "O'Brien \"q\", a;b");
    EXPECT_EQ(Back->GetObjects(0)->GetParts()->Count(), 2);
}
