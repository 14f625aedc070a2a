// MIF/MID pairs that are not what they seem and saves onto files users care
// about: FIFOs and folders in place of files, a MID that cannot be read,
// messages holding NUL bytes, values beyond any screen, and saves that keep
// permissions and symbolic links.
#include "MifTestSupport.h"

#include "formats/MidRecord.h"
#include "formats/MifLineReader.h"

#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <thread>

using namespace cartova;
using cartova::test::MifHeader;

namespace {

using MifFaultsTest = test::TMifFixture;
namespace fs = std::filesystem;

/// Opens Path for writing after a delay unless cancelled: a reader blocked on
/// opening the FIFO is released, and the test learns that it was blocked.
class TFifoWatchdog {
public:
    explicit TFifoWatchdog(std::string Path)
        : FThread([this, Path] {
              for (int I = 0; I < 100 && !FDone; ++I)
                  std::this_thread::sleep_for(std::chrono::milliseconds(50));
              if (FDone)
                  return;
              FReleased = true;
              const int Fd = ::open(Path.c_str(), O_WRONLY | O_NONBLOCK);
              if (Fd >= 0)
                  ::close(Fd);
          })
    {
    }
    ~TFifoWatchdog() { Stop(); }
    /// True when the reader had to be released.
    bool Stop()
    {
        FDone = true;
        if (FThread.joinable())
            FThread.join();
        return FReleased;
    }

private:
    std::atomic<bool> FDone{false};
    std::atomic<bool> FReleased{false};
    std::thread FThread;
};

/// File permission checks of this thread as an unprivileged user while it
/// lives (a root test process otherwise reads every file).
class TAsOtherUser {
public:
    TAsOtherUser() : FOld(static_cast<int>(::setfsuid(::geteuid() == 0 ? 65534 : ::geteuid()))) {}
    ~TAsOtherUser() { ::setfsuid(static_cast<uid_t>(FOld)); }
    TAsOtherUser(const TAsOtherUser&) = delete;
    TAsOtherUser& operator=(const TAsOtherUser&) = delete;

private:
    int FOld;
};

mode_t ModeOf(const std::string& Path)
{
    struct stat St {};
    ::stat(Path.c_str(), &St);
    return St.st_mode & 07777;
}

} // namespace

TEST_F(MifFaultsTest, FifosAndFoldersAreRefusedWithoutWaiting)
{
    const std::string Mif = PathOf("fifo.mif");
    fs::remove(Mif);
    fs::remove(PathOf("fifo.mid"));
    ASSERT_EQ(::mkfifo(Mif.c_str(), 0644), 0);
    {
        TFifoWatchdog Watchdog(Mif);
        EXPECT_FALSE(Load(Mif));
        EXPECT_FALSE(Watchdog.Stop()) << "the load waited for a writer";
    }
    EXPECT_EQ(Messages.LastText(), "Cannot open file \"" + Mif + "\": not a regular file");
    fs::remove(Mif);

    // A FIFO found as the MID: the load fails before reading an object.
    const std::string Pair = Files("fifomid", MifHeader("  a Char(5)\n") + "Point 1 2\n");
    const std::string Mid = PathOf("fifomid.mid");
    ASSERT_EQ(::mkfifo(Mid.c_str(), 0644), 0);
    Messages.Clear();
    {
        TFifoWatchdog Watchdog(Mid);
        EXPECT_FALSE(Load(Pair));
        EXPECT_FALSE(Watchdog.Stop()) << "the load waited for a writer";
    }
    EXPECT_EQ(Messages.LastText(), "Cannot open the MID file \"" + Mid + "\": not a regular file");
    EXPECT_EQ(Layer->GetObjectCount(), 0);
    fs::remove(Mid);

    // A folder named like the MID is no missing MID either.
    fs::create_directory(Mid);
    Messages.Clear();
    EXPECT_FALSE(Load(Pair));
    EXPECT_EQ(Messages.LastText(), "Cannot open the MID file \"" + Mid + "\": not a regular file");
    fs::remove(Mid);

    // A FIFO as the spatial index beside a layer: the tree is built instead.
    const std::string Idx = PathOf("fifomid.idx");
    fs::remove(Idx);
    ASSERT_EQ(::mkfifo(Idx.c_str(), 0644), 0);
    ASSERT_TRUE(Load(Pair));
    Layer->SetFileName(Pair);
    {
        TFifoWatchdog Watchdog(Idx);
        Layer->SetUseIndex2D(true);
        EXPECT_FALSE(Watchdog.Stop()) << "the index waited for a writer";
    }
    TCardinalArray Ids;
    EXPECT_TRUE(Layer->GetAllIdsInRect(TCellBounds{0, 2, 0, 3}, Ids));
    fs::remove(Idx);
}

TEST_F(MifFaultsTest, AMidThatCannotBeReadFailsTheLoad)
{
    const std::string Pair =
        Files("private", MifHeader("  a Char(5)\n") + "Point 1 2\n", std::string("\"x\"\n"));
    const std::string Mid = PathOf("private.mid");
    ::chmod(Pair.c_str(), 0644);
    ::chmod(Mid.c_str(), 0);
    {
        const TAsOtherUser Other;
        EXPECT_FALSE(Load(Pair));
    }
    EXPECT_EQ(Messages.LastText(), "Cannot open the MID file \"" + Mid + "\": Permission denied");
    EXPECT_EQ(Layer->GetObjectCount(), 0);

    // Readable again, the same pair loads; without a MID it loads with empty values.
    ::chmod(Mid.c_str(), 0644);
    ASSERT_TRUE(Load(Pair));
    EXPECT_EQ(Value(0, 0), "x");
    fs::remove(Mid);
    ASSERT_TRUE(Load(Pair));
    EXPECT_TRUE(Layer->GetObjects(1)->GetFields()->GetFields(0)->GetValue().IsEmpty());
}

TEST_F(MifFaultsTest, MessagesKeepNulBytesAndNameTheFileAtFault)
{
    // A NUL byte in a clause: the message goes on past it, the NUL shown as \0.
    std::string Mif = MifHeader("") + "Point 1 2\n    Symbol (35,0,1";
    Mif += '\0';
    Mif += "2x)\n";
    EXPECT_FALSE(Load(Files("nul", Mif)));
    EXPECT_NE(Messages.LastText().find("'1\\02x' is not a valid integer value"), std::string::npos)
        << Messages.LastText();

    // A MID line beyond the longest accepted names the MID, not the MIF.
    std::string Mid = "\"";
    Mid.append(TMifLineReader::MaxLineLength + 16, 'a');
    Mid += "\"\n";
    Messages.Clear();
    EXPECT_FALSE(Load(Files("longmid", MifHeader("  a Char(5)\n") + "Point 1 2\n", Mid)));
    EXPECT_NE(Messages.LastText().find("Line 1 of \"" + PathOf("longmid.mid") + "\" is longer than"),
              std::string::npos)
        << Messages.LastText().substr(0, 300);
    // A quoted value running over many lines is named by its MID and line too.
    std::string Open = "\"x\"\n\"";
    for (int I = 0; I < 20; ++I)
        Open += std::string(1u << 20, 'b') + "\n";
    Messages.Clear();
    EXPECT_FALSE(Load(Files("openquote", MifHeader("  a Char(5)\n") + "Point 1 2\nPoint 3 4\n", Open)));
    EXPECT_NE(Messages.LastText().find("The record at line 2 of \"" + PathOf("openquote.mid") + "\" is longer"),
              std::string::npos)
        << Messages.LastText().substr(0, 300);
}

TEST_F(MifFaultsTest, ARecordOverManyLinesIsScannedOnce)
{
    // 200 000 lines of doubled quotes inside one value: each line is looked
    // at once, so the load is quick (scanning the record again at every
    // line took minutes).
    std::string Mid = "\"x\",\"start";
    for (int I = 0; I < 200000; ++I)
        Mid += "\n\"\"";
    Mid += "\nend\"\n\"y\",\"z\"\n";
    ASSERT_TRUE(Load(Files("manylines", MifHeader("  a Char(5)\n  b Char(5)\n") + "Point 1 2\nPoint 3 4\n", Mid)));
    ASSERT_EQ(Layer->GetObjectCount(), 2);
    const std::string B = Value(0, 1);
    EXPECT_EQ(B.size(), 5 + 200000 * 2 + 4);
    EXPECT_EQ(B.substr(0, 8), "start\n\"\n");
    EXPECT_EQ(Value(1, 0), "y");

    // The quote left open after each piece is the one splitting the whole finds.
    const std::string Pieces[] = {"a,\"b", "\"\"c,d", "e\",'f", "g''", "h',\"", "\", x ,\"i\"\"\"", ""};
    std::string Whole;
    char Quote = 0;
    std::vector<TMidValue> Values;
    for (const std::string& P : Pieces) {
        Whole += P;
        Quote = OpenMidQuote(P, ",", Quote);
        EXPECT_EQ(Quote != 0, !SplitMidRecord(Whole, ",", Values)) << Whole;
        EXPECT_EQ(OpenMidQuote(Whole, ",", 0), Quote) << Whole;
    }
}

TEST_F(MifFaultsTest, ValuesBeyondAnyScreenAreReadOrRefused)
{
    // Coordinates at the ends of the double range load.
    const std::string Mif = MifHeader("") +
                            "Rect -1e308 -1e308 1e308 1e308\n    Pen (1,2,0)\n"
                            "Text \"far\"\n  -1e308 -1e308 1e307 1e307\n"
                            "Point 1e308 -1e308\n    Symbol (35,0,4000)\n"
                            "Pline 2\n-1e308 0\n1e308 0\n";
    ASSERT_TRUE(Load(Files("extreme", Mif))) << Messages.LastText();
    ASSERT_EQ(Layer->GetObjectCount(), 4);
    // The text was fitted to its box while loading.
    EXPECT_GT(Layer->GetObjects(1)->GetFont()->GetSize(), 200);
    EXPECT_LE(Layer->GetObjects(1)->GetFont()->GetSize(), 4000);

    // A size no symbol or font can have, and a text box wider than any
    // double, fail the load with their line.
    Messages.Clear();
    EXPECT_FALSE(Load(Files("symbolsize", MifHeader("") + "Point 1 2\n    Symbol (35,0,22369622)\n")));
    EXPECT_NE(Messages.LastText().find("line 8 with message: '22369622' is not a valid size (0 to 4000 points)"),
              std::string::npos)
        << Messages.LastText();
    EXPECT_FALSE(Load(Files("fontsize", MifHeader("") + "Text \"t\"\n 0 0 1 1\n    Font (\"Arial\",0,-2,0)\n")));
    EXPECT_NE(Messages.LastText().find("'-2' is not a valid size"), std::string::npos) << Messages.LastText();
    EXPECT_FALSE(Load(Files("textbox", MifHeader("") + "Text \"t\"\n -1e308 0 1e308 1\n")));
    EXPECT_NE(Messages.LastText().find("The text box -1E308 0 1E308 1 is too large"), std::string::npos)
        << Messages.LastText();
}

TEST_F(MifFaultsTest, SavesKeepPermissionsAndWriteThroughLinks)
{
    Layer->GetFields()->Add("a", dtString, 5);
    Layer->NewObject<TSymbol>()->GetFields()->GetFields(0)->SetAsString("x");
    const std::string Mif = PathOf("private-out.mif"), Mid = PathOf("private-out.mid");
    test::WriteText(Mif, "old");
    test::WriteText(Mid, "old");
    ::chmod(Mif.c_str(), 0600);
    ::chmod(Mid.c_str(), 0640);
    ASSERT_TRUE(Provider.Save(Layer, Mif));
    EXPECT_EQ(ModeOf(Mif), 0600u);
    EXPECT_EQ(ModeOf(Mid), 0640u);
    EXPECT_NE(test::ReadText(Mif).find("Columns 1"), std::string::npos);

    // A new file gets the usual bits.
    const std::string Fresh = PathOf("fresh-out.mif");
    fs::remove(Fresh);
    const mode_t Mask = ::umask(022);
    ASSERT_TRUE(Provider.Save(Layer, Fresh));
    ::umask(Mask);
    EXPECT_EQ(ModeOf(Fresh), 0644u);

    // Symbolic links (a chain, relative and absolute) stay; their target is replaced.
    const std::string Dir = test::MifOutputDir() + "/links";
    fs::remove_all(Dir);
    fs::create_directories(Dir + "/real");
    test::WriteText(Dir + "/real/data.mif", "old");
    test::WriteText(Dir + "/real/data.mid", "old");
    ::chmod((Dir + "/real/data.mif").c_str(), 0600);
    fs::create_symlink("real/data.mif", Dir + "/hop.mif");
    fs::create_symlink(Dir + "/hop.mif", Dir + "/link.mif");
    fs::create_symlink("real/data.mid", Dir + "/link.mid");
    ASSERT_TRUE(Provider.Save(Layer, Dir + "/link.mif"));
    EXPECT_TRUE(fs::is_symlink(Dir + "/link.mif"));
    EXPECT_TRUE(fs::is_symlink(Dir + "/hop.mif"));
    EXPECT_TRUE(fs::is_symlink(Dir + "/link.mid"));
    EXPECT_NE(test::ReadText(Dir + "/real/data.mif").find("Columns 1"), std::string::npos);
    EXPECT_EQ(test::ReadText(Dir + "/real/data.mid"), "\"x\"\r\n");
    EXPECT_EQ(ModeOf(Dir + "/real/data.mif"), 0600u);
    // A link to a file not yet there creates it.
    fs::create_symlink("real/new.mif", Dir + "/dangling.mif");
    ASSERT_TRUE(Provider.Save(Layer, Dir + "/dangling.mif"));
    EXPECT_TRUE(fs::is_regular_file(Dir + "/real/new.mif"));
    // A loop of links is an error.
    fs::create_symlink("loop2.mif", Dir + "/loop1.mif");
    fs::create_symlink("loop1.mif", Dir + "/loop2.mif");
    EXPECT_ANY_THROW(Provider.Save(Layer, Dir + "/loop1.mif"));
    for (const auto& E : fs::recursive_directory_iterator(Dir))
        EXPECT_EQ(E.path().string().find(".tmp"), std::string::npos) << E.path();
}

namespace {

/// A figure of /proc/self/status in kB ("VmRSS", "VmHWM").
long long StatusKb(const std::string& Key)
{
    std::ifstream In("/proc/self/status");
    for (std::string Line; std::getline(In, Line);)
        if (Line.rfind(Key + ":", 0) == 0)
            return std::stoll(Line.substr(Key.size() + 1));
    return -1;
}

/// Memory the process gained while Load ran: the peak and what stays, in kB.
struct TGrowth {
    long long Peak = 0;
    long long Kept = 0;
};

template <typename F>
TGrowth Measure(F&& Load)
{
    const long long Before = StatusKb("VmRSS");
    std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts again from here
    Load();
    return {StatusKb("VmHWM") - Before, StatusKb("VmRSS") - Before};
}

} // namespace

TEST_F(MifFaultsTest, MemoryFollowsTheFileNotTheColumnsItDeclares)
{
    // 10 000 columns of two bytes each and 200 points without a MID: 22 KB.
    std::string Columns;
    for (int J = 0; J < 10000; ++J)
        Columns += "c\n";
    std::string Mif = MifHeader(Columns);
    for (int I = 0; I < 200; ++I)
        Mif += "Point 1 2\n";
    const std::string Wide = Files("wide", Mif);
    bool Loaded = false;
    TGrowth G = Measure([&] { Loaded = Load(Wide); });
    ASSERT_TRUE(Loaded);
    ASSERT_EQ(Layer->GetObjectCount(), 200);
    // Every object has every column, and its record holds nothing.
    for (int I = 0; I < 200; ++I) {
        ASSERT_EQ(Layer->GetObjects(I)->GetFields()->Count(), 10000);
        EXPECT_EQ(Layer->GetObjects(I)->GetFields()->ValueBytes(), 0u) << I;
    }
    EXPECT_TRUE(Layer->GetObjects(199)->GetFields()->GetValue(9999).IsEmpty());
    // The schema (a few hundred bytes a column), besides what the sanitizers add.
    EXPECT_LT(G.Peak, 24 * 1024) << "kB";
    EXPECT_LT(G.Kept, 24 * 1024) << "kB";
    Layer->DeleteObjects();

    // 100 000 declared columns and 3 000 points: 1.2 MB.
    Columns.clear();
    for (int J = 0; J < 100000; ++J)
        Columns += "c Char(8)\n";
    Mif = MifHeader(Columns);
    for (int I = 0; I < 3000; ++I)
        Mif += "Point 1 2\n";
    const std::string Wider = Files("wider", Mif);
    G = Measure([&] { Loaded = Load(Wider); });
    ASSERT_TRUE(Loaded);
    EXPECT_EQ(Layer->GetObjects(2999)->GetFields()->Count(), 100000);
    EXPECT_LT(G.Peak, 160 * 1024) << "kB";

    // A count the rest of the file cannot hold is refused before any work.
    std::string Huge = MifHeader("  a Char(5)\n");
    Huge.replace(Huge.find("Columns 1"), 9, "Columns 2000000000");
    EXPECT_FALSE(Load(Files("huge", Huge)));
    EXPECT_NE(Messages.LastText().find("declares 2000000000 columns but has room for "), std::string::npos)
        << Messages.LastText();
}

TEST_F(MifFaultsTest, RecordsHoldTheirValuesCompactly)
{
    // 1 000 columns, text and numbers in turn; 300 records, every third value empty.
    std::string Columns, Mid;
    for (int J = 0; J < 1000; ++J)
        Columns += J % 2 ? "n" + std::to_string(J) + " Integer\n" : "t" + std::to_string(J) + " Char(12)\n";
    std::string Mif = MifHeader(Columns);
    for (int I = 0; I < 300; ++I) {
        Mif += "Point 1 2\n";
        for (int J = 0; J < 1000; ++J) {
            if (J > 0)
                Mid += ',';
            if ((I + J) % 3 == 0)
                Mid += J % 2 ? "" : "\"\"";
            else
                Mid += J % 2 ? std::to_string(I * J) : "\"v" + std::to_string(I) + "\"";
        }
        Mid += '\n';
    }
    ASSERT_TRUE(Load(Files("compact", Mif, Mid)));
    std::size_t Bytes = 0;
    for (int I = 0; I < 300; ++I)
        Bytes += Layer->GetObjects(I)->GetFields()->ValueBytes();
    EXPECT_LT(Bytes, 3 * Mid.size());
    const TDataFields* R = Layer->GetObjects(7)->GetFields();
    EXPECT_EQ(R->GetAsString(1), "7");
    EXPECT_EQ(R->GetValue(2), Variant(""));   // (7 + 2) % 3 == 0: an empty text
    EXPECT_EQ(R->GetAsString(5), "");          // and an empty number
    EXPECT_EQ(R->GetAsString(996), "v7");
    EXPECT_EQ(R->GetAsString(999), "6993");

    // Written back, the values come out as they were read.
    const std::string Out = PathOf("compact-out.mif");
    ASSERT_TRUE(Provider.Save(Layer, Out));
    std::string Written; // the writer ends lines with CR LF
    for (char C : Mid)
        Written += C == '\n' ? std::string("\r\n") : std::string(1, C);
    EXPECT_EQ(test::ReadText(PathOf("compact-out.mid")), Written);
}
