// The `cartova` program as a newcomer meets it: help on stdout with status
// 0, usage errors with status 2 that say what was wrong and where the help
// is, file errors with status 1 that name the file, and nothing on stderr
// that is not about the user's files.
#include "tests/apps/CliSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using cartova::test::Cartova;
using cartova::test::WriteFile;

namespace {

const std::string Samples = CARTOVA_SAMPLE_DIR;
const std::string Output = CARTOVA_TEST_OUTPUT_DIR;

bool StartsWith(const std::string& S, const std::string& Prefix)
{
    return S.rfind(Prefix, 0) == 0;
}

// Each of Cases, a command line and a part of its message, is a usage error.
struct TUsageCase {
    std::string Args, Message;
};

void ExpectUsageErrors(const std::vector<TUsageCase>& Cases)
{
    for (const TUsageCase& C : Cases) {
        const auto R = Cartova(C.Args);
        EXPECT_EQ(R.Status, 2) << C.Args;
        EXPECT_EQ(R.Out, "") << C.Args;
        EXPECT_NE(R.Err.find(C.Message), std::string::npos) << C.Args << "\n" << R.Err;
    }
}

const std::string World = Samples + "/countries110.mif";

} // namespace

TEST(CliUsageTest, HelpGoesToStdoutWithStatusZero)
{
    for (const char* Args : {"--help", "-h", "help"}) {
        const auto R = Cartova(Args);
        EXPECT_EQ(R.Status, 0) << Args;
        EXPECT_EQ(R.Err, "") << Args;
        EXPECT_TRUE(StartsWith(R.Out, "Usage: cartova COMMAND [ARGUMENTS]\n")) << R.Out;
        for (const char* Command : {"render", "info", "convert", "index"})
            EXPECT_NE(R.Out.find(std::string("\n  ") + Command + " "), std::string::npos) << Command;
        EXPECT_NE(R.Out.find("A map file is one of: MapInfo Interchange Format Files (*.mif), "
                                     "MapInfo Files (*.mif; *.tab), MapInfo Workspaces (*.wor)."),
                  std::string::npos);
        EXPECT_NE(R.Out.find("Exit status:\n  0  success\n  1  a file could not be read or written\n  2  usage error"),
                  std::string::npos)
            << R.Out;
    }
    const auto Version = Cartova("--version");
    EXPECT_EQ(Version.Status, 0);
    EXPECT_TRUE(StartsWith(Version.Out, "cartova 0.")) << Version.Out;
    EXPECT_EQ(Version.Err, "");
}

TEST(CliUsageTest, EveryCommandHasHelp)
{
    // Asked in either way; --help wins over anything else given.
    for (const std::string Command : {"render", "info", "convert", "index", "about"}) {
        const auto Own = Cartova(Command + " --help");
        EXPECT_EQ(Own.Status, 0) << Command;
        EXPECT_EQ(Own.Err, "") << Command;
        EXPECT_TRUE(StartsWith(Own.Out, "Usage: cartova " + Command)) << Own.Out;
        const auto Asked = Cartova("help " + Command);
        EXPECT_EQ(Asked.Status, 0);
        EXPECT_EQ(Asked.Out, Own.Out);
        if (Command == "render") {
            EXPECT_NE(Own.Out.find("--zoom Z             the scale relative to the view that fits all layers,\n"
                                   "                       which is 1"),
                      std::string::npos);
            const auto Mixed = Cartova(Command + " --frobnicate /nonexistent.mif -h");
            EXPECT_EQ(Mixed.Status, 0) << Command;
            EXPECT_EQ(Mixed.Out, Own.Out);
        }
    }
}

TEST(CliUsageTest, UsageErrorsSayWhatIsWrongWithStatusTwo)
{
    ExpectUsageErrors({
        {"", "Usage: cartova COMMAND [ARGUMENTS]\nRun 'cartova --help' for the commands.\n"},
        {"frobnicate " + World, "cartova: unknown command 'frobnicate'\nRun 'cartova --help' for the commands.\n"},
        {"help frobnicate", "cartova: no help on 'frobnicate': there is no such command\n"},
        {"info", "cartova info: no FILE given"},
        {"info --json=yes " + World, "cartova info: option --json takes no value"},
        {"convert " + World, "cartova convert: convert wants two files, IN and OUT"},
        {"index " + World + " " + World, "cartova index: index wants one FILE"},
    });
}

TEST(CliUsageTest, RenderChecksItsOptionsBeforeReading)
{
    ExpectUsageErrors({
        {"render " + World + " -o x.png --frob",
         "cartova render: unknown option --frob\nRun 'cartova render --help' for usage.\n"},
        {"render " + World, "cartova render: no output given: add -o OUTPUT"},
        {"render " + World + " -o", "cartova render: option -o needs a value: -o OUTPUT\n"},
        {"render -o x.png", "cartova render: no FILE given"},
        {"render " + World + " -o x.gif",
         "cartova render: cannot tell the image format of 'x.gif': name the output .png, .jpg or .bmp, or - for PNG "
         "on standard output\n"},
        {"render " + World + " -o x.png --size 0x10", "--size wants whole numbers of pixels between 1 and 16384"},
        {"render " + World + " -o x.png --size 100", "--size wants WIDTHxHEIGHT, e.g. 800x600, not '100'"},
        {"render " + World + " -o x.png --bbox 1,2,3", "--bbox wants MINX,MINY,MAXX,MAXY, not '1,2,3'"},
        {"render " + World + " -o x.png --bbox 3,2,1,4", "--bbox wants MINX < MAXX and MINY < MAXY"},
        {"render " + World + " -o x.png --bbox 0,0,1,1 --zoom 2", "--bbox gives the whole view"},
        {"render " + World + " -o x.png --zoom 0", "--zoom wants a number above 0, not '0'"},
        {"render " + World + " -o x.png --zoom=inf", "--zoom wants a number above 0, not 'inf'"},
        {"render " + World + " -o x.png --center 1", "--center wants X,Y, not '1'"},
        {"render " + World + " -o x.png --rotate north", "--rotate wants degrees, not 'north'"},
        {"render " + World + " -o x.png --background transparent",
         "--background wants a colour name (white, lightblue) or #RRGGBB, not 'transparent'"},
    });
    EXPECT_FALSE(std::filesystem::exists("x.png"));
}

TEST(CliUsageTest, FileErrorsNameTheFileWithStatusOne)
{
    const std::string Bad = Output + "/usage-bad.mif";
    WriteFile(Bad, "Version 300\nData\nPoint x 1\n");
    const std::string Folder = Output + "/usage-folder.mif";
    std::filesystem::create_directories(Folder);
    const std::string Shape = Output + "/usage-data.shp";
    WriteFile(Shape, "");
    struct TCase {
        std::string Args, Message;
    };
    const TCase Cases[] = {
        {"info " + Bad, "cartova info: " + Bad + ": line 3: 'x' is not a valid floating point value\n"},
        {"render " + Bad + " -o " + Output + "/usage.png", "cartova render: " + Bad + ": line 3: "},
        {"convert " + Bad + " " + Output + "/usage-out.mif", "cartova convert: " + Bad + ": line 3: "},
        {"index " + Bad, "cartova index: " + Bad + ": line 3: "},
        {"info /nonexistent/a.mif", "cartova info: /nonexistent/a.mif: no such file\n"},
        {"info " + Folder, "cartova info: " + Folder + ": is a folder, not a map file\n"},
        {"info " + Shape,
         "cartova info: " + Shape +
             ": not a kind of file cartova reads; it reads MapInfo Interchange Format Files (*.mif), MapInfo "
             "Files (*.mif; *.tab), MapInfo Workspaces (*.wor)\n"},
        {"render " + Samples + "/countries110.mif -o /nonexistent/a.png",
         "cartova render: /nonexistent/a.png: cannot be written: "},
        {"convert " + Samples + "/countries110.mif " + Output + "/usage.shp",
         "cartova convert: " + Output + "/usage.shp: not a kind of file cartova writes"},
        {"convert " + Samples + "/countries110.mif /nonexistent/a.mif",
         "cartova convert: /nonexistent/a.mif: no such folder /nonexistent\n"},
    };
    for (const TCase& C : Cases) {
        const auto R = Cartova(C.Args);
        EXPECT_EQ(R.Status, 1) << C.Args;
        EXPECT_NE(R.Err.find(C.Message), std::string::npos) << C.Args << "\n" << R.Err;
        EXPECT_EQ(R.Err.find("Error reading"), std::string::npos) << R.Err; // said once, in the program's words
    }
    EXPECT_FALSE(std::filesystem::exists(Output + "/usage.png"));
    EXPECT_FALSE(std::filesystem::exists(Output + "/usage-out.mif"));
}

TEST(CliUsageTest, QuietAboutTheQtPlatform)
{
    // Without a display or a chosen platform, a run that succeeds writes nothing to stderr.
    const auto R = Cartova("render " + Samples + "/tiny_countries50.mif -o " + Output + "/usage-quiet.png --size 64x32");
    EXPECT_EQ(R.Status, 0) << R.Err;
    EXPECT_EQ(R.Err, "");
    EXPECT_EQ(R.Out, "wrote " + Output + "/usage-quiet.png (64x32)\n");
    // A platform the user chose is used: one that does not exist fails in Qt's words.
    std::string Out;
    EXPECT_NE(cartova::test::RunShell("ulimit -c 0; QT_QPA_PLATFORM=nonexistent " + cartova::test::Cli() + " --version", Out),
              0);
    EXPECT_NE(Out.find("nonexistent"), std::string::npos) << Out;
}
