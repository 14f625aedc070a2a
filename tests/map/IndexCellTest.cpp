// The quadtree index: building, quadrant order, thresholds, queries and the
// index file (round trip, foreign, truncated and hostile files).
#include "map/MapObjects.h"
#include "map/IndexCell.h"
#include "objects/Circle.h"
#include "objects/Polyline.h"
#include "objects/Region.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

using namespace cartova;

namespace {

TCustomMapObject* AddBox(TMapLayer& Layer, double X0, double Y0, double X1, double Y1)
{
    auto* O = new TCustomMapObject;
    TMapPoints* P = O->GetParts()->Add()->GetPoints();
    P->Add(X0, Y0);
    if (X1 != X0 || Y1 != Y0)
        P->Add(X1, Y1);
    Layer.AddObject(O, false);
    return O;
}

TCustomMapObject* AddPoint(TMapLayer& Layer, double X, double Y)
{
    return AddBox(Layer, X, Y, X, Y);
}

std::vector<std::uint32_t> ToVector(const TCardinalArray& Ids)
{
    return {Ids.begin(), Ids.end()};
}

std::vector<std::uint32_t> CellIds(const TIndexCell& Cell)
{
    std::vector<std::uint32_t> Out;
    for (int I = 0; I < Cell.GetIdsCount(); ++I)
        Out.push_back(Cell.GetIds(I));
    return Out;
}

std::string OutputPath(const std::string& Name)
{
    return std::string(CARTOVA_TEST_OUTPUT_DIR) + "/" + Name;
}

std::string FileBytes(const std::string& Name)
{
    std::ifstream In(Name, std::ios::binary);
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& Name, const std::string& Bytes)
{
    std::ofstream(Name, std::ios::binary | std::ios::trunc) << Bytes;
}

void ExpectSameTree(const TIndexCell& A, const TIndexCell& B, int Level = 0)
{
    EXPECT_EQ(A.GetBounds(), B.GetBounds()) << "level " << Level;
    EXPECT_EQ(CellIds(A), CellIds(B)) << "level " << Level;
    ASSERT_EQ(A.GetCount(), B.GetCount()) << "level " << Level;
    EXPECT_EQ(B.GetLevel(), Level);
    for (int I = 0; I < A.GetCount(); ++I) {
        EXPECT_EQ(B.GetCells(I)->GetParent(), &B);
        ExpectSameTree(*A.GetCells(I), *B.GetCells(I), Level + 1);
    }
}

int MaxDepth(const TIndexCell& Cell)
{
    int Depth = Cell.GetLevel();
    for (int I = 0; I < Cell.GetCount(); ++I)
        Depth = std::max(Depth, MaxDepth(*Cell.GetCells(I)));
    return Depth;
}

// Little-endian pieces of hand-made index files.
std::string U32(std::uint32_t V)
{
    std::string S;
    for (int I = 0; I < 4; ++I)
        S.push_back(static_cast<char>(V >> (8 * I)));
    return S;
}

std::string F64(double D)
{
    std::uint64_t V;
    std::memcpy(&V, &D, 8);
    std::string S;
    for (int I = 0; I < 8; ++I)
        S.push_back(static_cast<char>(V >> (8 * I)));
    return S;
}

std::string CellRecord(const TCellBounds& B, const std::vector<std::uint32_t>& Ids, int Children)
{
    std::string S = F64(B.MinX) + F64(B.MaxX) + F64(B.MinY) + F64(B.MaxY);
    S += U32(static_cast<std::uint32_t>(Ids.size()));
    for (auto Id : Ids)
        S += U32(Id);
    return S + U32(static_cast<std::uint32_t>(Children));
}

const std::string Magic = "Cartova Index File";

bool LoadBytes(TIndexCell& Index, const std::string& Bytes)
{
    TMemoryStream Stream;
    Stream.WriteBuffer(Bytes.data(), static_cast<std::int64_t>(Bytes.size()));
    Stream.SetPosition(0);
    return Index.LoadFromStream(Stream);
}

/// A layer whose index file path leads to no file unless a test writes one.
struct IndexFixture : ::testing::Test {
    TMapLayer Layer;
    std::string DataFile;
    void SetUp() override
    {
        DataFile = OutputPath(std::string("index_") +
                              ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".mif");
        std::filesystem::remove(ChangeFileExt(DataFile, ".idx"));
        Layer.SetFileName(DataFile);
    }
    std::string IdxFile() const { return ChangeFileExt(DataFile, ".idx"); }
};

} // namespace

TEST_F(IndexFixture, FiveObjectsStayInTheRootInIdOrder)
{
    AddPoint(Layer, 0, 0);
    AddPoint(Layer, 10, 10);
    AddPoint(Layer, 3, 7);
    AddPoint(Layer, 9, 1);
    AddPoint(Layer, 5, 5);
    TIndexCell Index(&Layer);
    EXPECT_TRUE(Index.GetBuilt());
    EXPECT_EQ(Index.GetCount(), 0);
    EXPECT_EQ(CellIds(Index), (std::vector<std::uint32_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(Index.GetBounds(), (TCellBounds{0, 10, 0, 10}));

    // The index answers with the whole leaf; the layer filters.
    TCardinalArray Ids;
    EXPECT_TRUE(Index.GetAllIdsInRect({9.5, 20, 9.5, 20}, Ids));
    EXPECT_EQ(ToVector(Ids), (std::vector<std::uint32_t>{0, 1, 2, 3, 4}));
    EXPECT_FALSE(Index.GetAllIdsInRect({11, 20, 11, 20}, Ids));
    EXPECT_EQ(Ids.Count(), 0);

    Layer.SetUseIndex2D(true);
    EXPECT_TRUE(Layer.GetAllIdsInRect({9.5, 20, 9.5, 20}, Ids));
    EXPECT_EQ(ToVector(Ids), (std::vector<std::uint32_t>{1}));
    // The index's result stands even when the filter removes every id.
    EXPECT_TRUE(Layer.GetAllIdsInRect({6, 8, 1, 4}, Ids));
    EXPECT_EQ(Ids.Count(), 0);
    Layer.SetUseIndex2D(false);
    EXPECT_FALSE(Layer.GetAllIdsInRect({6, 8, 1, 4}, Ids));
}

TEST_F(IndexFixture, SixSpreadObjectsGiveQuadrantChildrenAndAnEmptyRoot)
{
    AddPoint(Layer, 0, 0);   // 0 lower left
    AddPoint(Layer, 10, 10); // 1 upper right
    AddPoint(Layer, 0, 10);  // 2 upper left
    AddPoint(Layer, 10, 0);  // 3 lower right
    AddPoint(Layer, 2, 2);   // 4 lower left
    AddPoint(Layer, 8, 8);   // 5 upper right
    TIndexCell Index(&Layer);
    EXPECT_EQ(Index.GetIdsCount(), 0);
    ASSERT_EQ(Index.GetCount(), 4);
    const TCellBounds Expected[4] = {{0, 5, 0, 5}, {0, 5, 5, 10}, {5, 10, 5, 10}, {5, 10, 0, 5}};
    const std::vector<std::uint32_t> ExpectedIds[4] = {{0, 4}, {2}, {1, 5}, {3}};
    for (int Q = 0; Q < 4; ++Q) {
        const TIndexCell* C = Index.GetCells(Q);
        EXPECT_EQ(C->GetBounds(), Expected[Q]) << Q;
        EXPECT_EQ(CellIds(*C), ExpectedIds[Q]) << Q;
        EXPECT_EQ(C->GetLevel(), 1);
        EXPECT_EQ(C->GetParent(), &Index);
        EXPECT_EQ(C->GetCount(), 0);
    }

    // A quadrant that collects nothing gets no child.
    TMapLayer Two;
    for (int I = 0; I < 6; ++I)
        AddPoint(Two, I % 2 ? 0 : 1, I % 2 ? 0 : 1); // lower left and upper right only
    TIndexCell Sparse(&Two);
    ASSERT_EQ(Sparse.GetCount(), 2);
    EXPECT_EQ(Sparse.GetCells(0)->GetBounds(), (TCellBounds{0, 0.5, 0, 0.5}));
    EXPECT_EQ(Sparse.GetCells(1)->GetBounds(), (TCellBounds{0.5, 1, 0.5, 1}));
}

TEST_F(IndexFixture, SixObjectsAtOnePointStopAtLevelFive)
{
    for (int I = 0; I < 6; ++I)
        AddPoint(Layer, 3, 4);
    TIndexCell Index(&Layer);
    EXPECT_EQ(MaxDepth(Index), 5);
    const TIndexCell* Cell = &Index;
    while (Cell->GetCount() > 0) {
        EXPECT_EQ(Cell->GetIdsCount(), 0);
        Cell = Cell->GetCells(0);
    }
    EXPECT_EQ(Cell->GetLevel(), 5);
    EXPECT_EQ(CellIds(*Cell), (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5}));

    TCardinalArray Ids;
    EXPECT_TRUE(Index.GetAllIdsInRect({0, 10, 0, 10}, Ids));
    EXPECT_EQ(ToVector(Ids), (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5}));
    // Every one of the 4^5 degenerate leaves holds the point.
    EXPECT_TRUE(Index.GetAllIdsAtPoint(3, 4, Ids));
    EXPECT_EQ(Ids.Count(), 6 * 1024);
}

TEST_F(IndexFixture, PointQueryReturnsAnIdOnceForEachLeafHoldingThePoint)
{
    AddPoint(Layer, 0, 0);        // 0
    AddPoint(Layer, 1, 1);        // 1
    AddPoint(Layer, 10, 10);      // 2
    AddBox(Layer, 4, 1, 6, 2);    // 3 crosses the vertical centre line
    AddPoint(Layer, 9, 1);        // 4
    AddPoint(Layer, 0, 10);       // 5
    AddPoint(Layer, 10, 0);       // 6
    TIndexCell Index(&Layer);
    ASSERT_EQ(Index.GetCount(), 4);
    TCardinalArray Ids;
    EXPECT_TRUE(Index.GetAllIdsAtPoint(5, 1.5, Ids));
    EXPECT_EQ(ToVector(Ids), (std::vector<std::uint32_t>{0, 1, 3, 3, 4, 6}));
    EXPECT_TRUE(Index.GetAllIdsInRect({4.9, 5.1, 1.4, 1.6}, Ids));
    EXPECT_EQ(ToVector(Ids), (std::vector<std::uint32_t>{0, 1, 3, 4, 6}));
    EXPECT_FALSE(Index.GetAllIdsAtPoint(11, 1.5, Ids));
}

TEST_F(IndexFixture, SaveAndLoadGiveTheSameTreeAndTheDocumentedBytes)
{
    std::mt19937 Random(7);
    std::uniform_real_distribution<double> Coord(-50, 50);
    for (int I = 0; I < 300; ++I) {
        const double X = Coord(Random), Y = Coord(Random);
        AddBox(Layer, X, Y, X + 1.5, Y + 0.5);
    }
    TIndexCell Index(&Layer);
    ASSERT_GT(MaxDepth(Index), 2);
    ASSERT_TRUE(Index.SaveToFile(IdxFile()));

    const std::string Bytes = FileBytes(IdxFile());
    ASSERT_GT(Bytes.size(), 18u + 32u);
    EXPECT_EQ(Bytes.substr(0, 18), Magic);
    const TCellBounds& R = Index.GetBounds();
    EXPECT_EQ(Bytes.substr(18, 32), F64(R.MinX) + F64(R.MaxX) + F64(R.MinY) + F64(R.MaxY));
    EXPECT_EQ(Bytes.substr(50, 8), U32(0) + U32(4)); // no ids, four children

    TIndexCell Loaded;
    ASSERT_TRUE(Loaded.LoadFromToFile(IdxFile()));
    EXPECT_TRUE(Loaded.GetBuilt());
    ExpectSameTree(Index, Loaded);

    // Turning the index on loads the file beside the layer's data file: an
    // index naming only object 2 shows that the file, not the objects, was used.
    WriteBytes(IdxFile(), Magic + CellRecord({-100, 100, -100, 100}, {2}, 0));
    Layer.SetUseIndex2D(true);
    EXPECT_EQ(CellIds(*Layer.GetIndex2D()), (std::vector<std::uint32_t>{2}));
    // Off and on again reuses the tree.
    Layer.SetUseIndex2D(false);
    Layer.SetUseIndex2D(true);
    EXPECT_EQ(CellIds(*Layer.GetIndex2D()), (std::vector<std::uint32_t>{2}));
}

TEST_F(IndexFixture, ForeignTruncatedAndHostileFilesAreIgnored)
{
    for (int I = 0; I < 40; ++I)
        AddBox(Layer, I, I % 7, I + 0.5, I % 7 + 0.5);
    TIndexCell Built(&Layer);
    Built.SaveToFile(IdxFile());
    const std::string Good = FileBytes(IdxFile());

    const auto IgnoredByLayer = [&](const std::string& Bytes, const char* What) {
        WriteBytes(IdxFile(), Bytes);
        TMapLayer L;
        L.SetFileName(DataFile);
        for (int I = 0; I < 40; ++I)
            AddBox(L, I, I % 7, I + 0.5, I % 7 + 0.5);
        L.SetUseIndex2D(true);
        SCOPED_TRACE(What);
        ExpectSameTree(Built, *L.GetIndex2D());
    };
    IgnoredByLayer("Some other file with more than eighteen bytes", "foreign bytes");
    IgnoredByLayer("Cartova", "shorter than the magic");
    IgnoredByLayer(Good.substr(0, Good.size() - 1), "last byte missing");
    IgnoredByLayer(Good.substr(0, 18 + 20), "short bounds");

    // Every truncation fails cleanly and leaves an empty, unbuilt cell.
    for (std::size_t Size = 0; Size < Good.size(); Size += (Size < 200 ? 1 : 37)) {
        TIndexCell Cell;
        EXPECT_FALSE(LoadBytes(Cell, Good.substr(0, Size))) << Size;
        EXPECT_FALSE(Cell.GetBuilt());
        EXPECT_EQ(Cell.GetCount(), 0);
        EXPECT_EQ(Cell.GetIdsCount(), 0);
    }

    const TCellBounds B{0, 1, 0, 1};
    const std::string Bounds = F64(0) + F64(1) + F64(0) + F64(1);
    TIndexCell Cell;
    EXPECT_FALSE(LoadBytes(Cell, Magic + Bounds + U32(0x7FFFFFFF) + U32(1)));  // ids beyond the file
    EXPECT_FALSE(LoadBytes(Cell, Magic + Bounds + U32(0xFFFFFFFF) + U32(0)));  // negative id count
    EXPECT_FALSE(LoadBytes(Cell, Magic + Bounds + U32(0) + U32(5000000)));     // millions of children
    EXPECT_FALSE(LoadBytes(Cell, Magic + Bounds + U32(0) + U32(0x80000000)));  // negative child count
    EXPECT_FALSE(LoadBytes(Cell, Magic + CellRecord(B, {}, 2) + CellRecord(B, {1}, 0))); // one child missing

    // Nesting: a chain of cells up to the depth limit loads, one deeper fails.
    const auto Chain = [&](int Levels) {
        std::string S = Magic;
        for (int I = 0; I < Levels; ++I)
            S += CellRecord(B, {}, I + 1 < Levels ? 1 : 0);
        return S;
    };
    EXPECT_TRUE(LoadBytes(Cell, Chain(TIndexCell::MaxLoadDepth + 1)));
    EXPECT_EQ(MaxDepth(Cell), TIndexCell::MaxLoadDepth);
    EXPECT_FALSE(LoadBytes(Cell, Chain(TIndexCell::MaxLoadDepth + 2)));
    EXPECT_FALSE(LoadBytes(Cell, Chain(100000)));
    EXPECT_FALSE(Cell.GetBuilt());

    // Trailing bytes after a complete tree are not part of it.
    EXPECT_TRUE(LoadBytes(Cell, Magic + CellRecord(B, {4, 5}, 0) + "tail"));
    EXPECT_EQ(CellIds(Cell), (std::vector<std::uint32_t>{4, 5}));
}

TEST_F(IndexFixture, IdsNamingNoObjectAreSkippedByEveryQuery)
{
    AddPoint(Layer, 0, 0);
    AddPoint(Layer, 1, 1);
    const TCellBounds B{-10, 10, -10, 10};
    WriteBytes(IdxFile(), Magic + CellRecord(B, {0, 7, 4000000000u, 1}, 0));
    Layer.SetUseIndex2D(true);
    ASSERT_EQ(Layer.GetIndex2D()->GetIdsCount(), 4);
    TCardinalArray Ids;
    EXPECT_TRUE(Layer.GetIndex2D()->GetAllIdsInRect(B, Ids));
    EXPECT_EQ(ToVector(Ids), (std::vector<std::uint32_t>{0, 1}));
    EXPECT_TRUE(Layer.GetIndex2D()->GetAllIdsAtPoint(0, 0, Ids));
    EXPECT_EQ(ToVector(Ids), (std::vector<std::uint32_t>{0, 1}));
    EXPECT_TRUE(Layer.GetAllIdsInRect(B, Ids));
    EXPECT_EQ(ToVector(Ids), (std::vector<std::uint32_t>{0, 1}));
    EXPECT_TRUE(Layer.GetPaintIdsInRect(B, Ids));
    EXPECT_EQ(ToVector(Ids), (std::vector<std::uint32_t>{0, 1}));
    // Dividing skips them too.
    TCardinalArray Quadrant;
    EXPECT_TRUE(Layer.GetIndex2D()->GetIdsByBounds({-1, 0.5, -1, 0.5}, Quadrant));
    EXPECT_EQ(ToVector(Quadrant), (std::vector<std::uint32_t>{0}));
}

TEST(IndexCell, ClearFreesTheTreeAndResetBoundsGivesTheEmptyBox)
{
    TMapLayer Layer;
    for (int I = 0; I < 20; ++I)
        AddPoint(Layer, I, I);
    TIndexCell Index;
    Index.SetLayer(&Layer); // no file name: ".idx" in the working directory
    ASSERT_GT(Index.GetCount(), 0);
    Index.Clear();
    EXPECT_EQ(Index.GetCount(), 0);
    EXPECT_EQ(Index.GetIdsCount(), 0);
    EXPECT_FALSE(Index.GetBuilt());
    Index.ResetBounds();
    EXPECT_EQ(Index.GetBounds(), (TCellBounds{2147483647.0, -2147483647.0, 2147483647.0, -2147483647.0}));
    EXPECT_TRUE(Index.ContainsPoint(-1, 1) == false);

    // The cell meets a rectangle that crosses it without a corner inside.
    Index.SetBounds({0, 10, 0, 10});
    EXPECT_TRUE(Index.ContainsRect({-5, 15, 4, 6}));
    EXPECT_TRUE(Index.ContainsRect({10, 12, 10, 12})); // touching corner
    EXPECT_TRUE(Index.ContainsRect({-5, 15, -5, 15})); // enclosing
    EXPECT_FALSE(Index.ContainsRect({11, 12, 0, 10}));
    EXPECT_TRUE(Index.ContainsPoint(10, 0));
}

namespace {

/// Objects of these classes test like regions and polylines, but the index
/// does not know them: it asks each of them every time.
class TOtherRegion : public TRegion {};
class TOtherPolyline : public TPolyline {};

/// A layer of small and large regions and lines, some crossing quadrant
/// edges, some without vertices, some with vertices moved past their box, and
/// circles; each Plain one of the known classes or the unknown ones.
void AddMixedObjects(TMapLayer& Layer, bool Plain)
{
    std::mt19937 Random(3);
    std::uniform_real_distribution<double> Coord(-100, 100), Size(0, 30);
    for (int I = 0; I < 400; ++I) {
        TCustomMapObject* O = nullptr;
        switch (I % 5) {
        case 0: O = Plain ? new TRegion : new TOtherRegion; break;
        case 1: O = Plain ? new TPolyline : new TOtherPolyline; break;
        case 2: O = Plain ? new TCustomMapObject : static_cast<TCustomMapObject*>(new TOtherRegion); break;
        case 3: O = new TCircle; break;
        default: O = Plain ? new TRegion : new TOtherRegion; break;
        }
        if (I % 37 != 0) { // else no vertices at all
            TMapPoints* P = O->GetParts()->Add()->GetPoints();
            const double X = Coord(Random), Y = Coord(Random), W = Size(Random) * (I % 7 == 0 ? 3 : 0.2);
            for (const TMapPoint& V : {TMapPoint(X, Y), TMapPoint(X + W, Y), TMapPoint(X + W, Y + W / 2)})
                P->Add(V);
            if (I % 23 == 0) // a vertex moved without growing any box
                P->GetPoint(1).X += 60;
        }
        if (auto* C = dynamic_cast<TCircle*>(O))
            C->SetRadius(Size(Random) / 4);
        Layer.AddObject(O, false);
    }
}

} // namespace

TEST(IndexCell, KnownAndUnknownClassesOfTheSameGeometryGiveTheSameTreeAndBytes)
{
    TMapLayer Known, Unknown;
    AddMixedObjects(Known, true);
    AddMixedObjects(Unknown, false);
    TIndexCell A(&Known), B(&Unknown);
    ASSERT_GT(MaxDepth(A), 3);
    ExpectSameTree(B, A);
    const std::string FileA = OutputPath("index_known.idx"), FileB = OutputPath("index_unknown.idx");
    ASSERT_TRUE(A.SaveToFile(FileA));
    ASSERT_TRUE(B.SaveToFile(FileB));
    EXPECT_EQ(FileBytes(FileA), FileBytes(FileB));
}
