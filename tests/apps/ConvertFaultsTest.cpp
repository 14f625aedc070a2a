// `cartova convert` where users lose data silently or unexpectedly: a MID
// that exists but cannot be read, a FIFO given as input, an output file with
// restricted permissions or reached through a symbolic link.
#include "tests/apps/CliSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

using cartova::test::RunCli;

namespace {

namespace fs = std::filesystem;

const std::string Data = std::string(CARTOVA_TEST_DATA_DIR) + "/mif/";

std::string Folder(const std::string& Name)
{
    const std::string Dir = std::string(CARTOVA_TEST_OUTPUT_DIR) + "/convert-faults-" + Name;
    fs::remove_all(Dir);
    fs::create_directories(Dir);
    return Dir;
}

mode_t ModeOf(const std::string& Path)
{
    struct stat St {};
    ::stat(Path.c_str(), &St);
    return St.st_mode & 07777;
}

std::string Read(const std::string& Path)
{
    std::ifstream In(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), {});
}

} // namespace

TEST(ConvertFaultsTest, AnUnreadableMidOrAFifoFailsInsteadOfLosingValues)
{
    const std::string Dir = Folder("unreadable");
    fs::copy_file(Data + "styles.mif", Dir + "/in.mif");
    fs::create_directory(Dir + "/in.mid"); // exists, and no file can be read from it
    std::string Log;
    EXPECT_EQ(RunCli("convert " + Dir + "/in.mif " + Dir + "/out.mif", Log), 1);
    EXPECT_NE(Log.find("Cannot open the MID file \"" + Dir + "/in.mid\": not a regular file"), std::string::npos)
        << Log;
    EXPECT_FALSE(fs::exists(Dir + "/out.mif"));
    EXPECT_FALSE(fs::exists(Dir + "/out.mid"));

    ASSERT_EQ(::mkfifo((Dir + "/fifo.mif").c_str(), 0644), 0);
    EXPECT_EQ(RunCli("convert " + Dir + "/fifo.mif " + Dir + "/out.mif", Log), 1);
    EXPECT_NE(Log.find("not a regular file"), std::string::npos) << Log;
}

TEST(ConvertFaultsTest, APrivateOutputStaysPrivateAndLinksAreWrittenThrough)
{
    const std::string Dir = Folder("private");
    fs::copy_file(Data + "styles.mif", Dir + "/in.mif");
    fs::copy_file(Data + "styles.mid", Dir + "/in.mid");
    std::ofstream(Dir + "/out.mif") << "old";
    std::ofstream(Dir + "/out.mid") << "old";
    ::chmod((Dir + "/out.mif").c_str(), 0600);
    ::chmod((Dir + "/out.mid").c_str(), 0600);
    std::string Log;
    ASSERT_EQ(RunCli("convert --overwrite " + Dir + "/in.mif " + Dir + "/out.mif", Log), 0) << Log;
    EXPECT_EQ(ModeOf(Dir + "/out.mif"), 0600u);
    EXPECT_EQ(ModeOf(Dir + "/out.mid"), 0600u);
    EXPECT_EQ(Read(Dir + "/out.mid"), Read(Dir + "/in.mid"));

    // Through a link into another folder: the link stays, its file is replaced.
    fs::create_directory(Dir + "/store");
    std::ofstream(Dir + "/store/kept.mif") << "old";
    fs::create_symlink("store/kept.mif", Dir + "/link.mif");
    ASSERT_EQ(RunCli("convert --overwrite " + Dir + "/in.mif " + Dir + "/link.mif", Log), 0) << Log;
    EXPECT_TRUE(fs::is_symlink(Dir + "/link.mif"));
    EXPECT_EQ(Read(Dir + "/store/kept.mif"), Read(Dir + "/out.mif"));
    ASSERT_EQ(RunCli("info " + Dir + "/link.mif", Log), 0) << Log;
    EXPECT_NE(Log.find("Objects: 5"), std::string::npos) << Log;
}
