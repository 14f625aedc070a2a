// File-name helpers, file-system tests, and loading shared libraries.
#include "host/DynLib.h"
#include "host/FileUtils.h"
#include "host/Streams.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace cartova;

TEST(FileUtils, NameParts)
{
    EXPECT_EQ(ExtractFileExt("/data/roads.MIF"), ".MIF");
    EXPECT_EQ(ExtractFileExt("a/b.tar.gz"), ".gz");
    EXPECT_EQ(ExtractFileExt("a.dir/file"), "");
    EXPECT_EQ(ExtractFileExt("file."), ".");
    EXPECT_EQ(ExtractFileExt(""), "");
    EXPECT_EQ(ChangeFileExt("/d/roads.mif", ".mid"), "/d/roads.mid");
    EXPECT_EQ(ChangeFileExt("a.dir/roads", ".qix"), "a.dir/roads.qix");
    EXPECT_EQ(ExtractFileName("/d/roads.mif"), "roads.mif");
    EXPECT_EQ(ExtractFileName("roads.mif"), "roads.mif");
    EXPECT_EQ(ExtractFilePath("/d/roads.mif"), "/d/");
    EXPECT_EQ(ExtractFilePath("roads.mif"), "");
    EXPECT_EQ(ExtractFileDir("/d/e/roads.mif"), "/d/e");
    EXPECT_EQ(ExtractFileDir("/roads.mif"), "/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/d"), "/d/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/d/"), "/d/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/d/"), "/d");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
}

TEST(FileUtils, ExpandFileName)
{
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(ExpandFileName("x.mif"), std::string(cwd) + "/x.mif");
    EXPECT_EQ(ExpandFileName("/a/./b//../c.mif"), "/a/c.mif");
    EXPECT_EQ(ExpandFileName("/../.."), "/");
    EXPECT_EQ(ExpandFileName("/a/b/"), "/a/b/");
    EXPECT_EQ(ExpandFileName(""), "");
}

TEST(FileUtils, FileSystemQueries)
{
    const std::string name = std::string(CARTOVA_TEST_OUTPUT_DIR) + "/fileutils.txt";
    {
        TFileStream f(name, fmCreate);
    }
    EXPECT_TRUE(FileExists(name));
    EXPECT_FALSE(DirectoryExists(name));
    EXPECT_TRUE(DirectoryExists(CARTOVA_TEST_OUTPUT_DIR));
    EXPECT_FALSE(FileExists(CARTOVA_TEST_OUTPUT_DIR));
    // A NUL byte must not shorten the name to an existing file.
    EXPECT_FALSE(FileExists(name + std::string("\0.bak", 5)));
    EXPECT_FALSE(DeleteFile(name + std::string("\0.bak", 5)));
    EXPECT_TRUE(FileExists(name));
    EXPECT_TRUE(DeleteFile(name));
    EXPECT_FALSE(DeleteFile(name));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(DirectoryExists(""));
}

TEST(FileUtils, ProgramAndSystemLocations)
{
    const std::string exe = ApplicationFileName();
    EXPECT_EQ(ExtractFileName(exe), "cartova_host_tests");
    EXPECT_TRUE(FileExists(exe));
    const std::string sys = GetSystemDirectory();
    ASSERT_FALSE(sys.empty());
    EXPECT_EQ(sys.front(), '/');
    EXPECT_NE(sys.back(), '/');
    EXPECT_TRUE(FileExists(sys + "/libc.so.6")) << sys;
}

TEST(DynLib, LoadLookUpAndFree)
{
    HMODULE libm = LoadLibrary("libm.so.6");
    ASSERT_NE(libm, nullptr) << GetLastLibraryError();
    const auto cosine = GetProcAddressAs<double (*)(double)>(libm, "cos");
    ASSERT_NE(cosine, nullptr);
    EXPECT_EQ(cosine(0.0), 1.0);
    EXPECT_EQ(GetProcAddress(libm, "no_such_symbol_here"), nullptr);
    EXPECT_NE(GetLastLibraryError().find("no_such_symbol_here"), std::string::npos);
    EXPECT_TRUE(FreeLibrary(libm));

    EXPECT_EQ(LoadLibrary("libdoes-not-exist.so"), nullptr);
    EXPECT_NE(GetLastLibraryError().find("libdoes-not-exist.so"), std::string::npos);
    EXPECT_EQ(LoadLibrary(""), nullptr); // would otherwise be the program itself
    EXPECT_EQ(GetProcAddress(nullptr, "cos"), nullptr);
    EXPECT_FALSE(FreeLibrary(nullptr));
}
