// Streams: the file stream over a descriptor, the memory stream and their errors.
#include "host/Exceptions.h"
#include "host/FileUtils.h"
#include "host/Streams.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace cartova;

namespace {
std::string OutputFile(const char* name) { return std::string(CARTOVA_TEST_OUTPUT_DIR) + "/" + name; }
} // namespace

TEST(Streams, FileStreamWritesReadsAndSeeks)
{
    const std::string name = OutputFile("streams_rw.bin");
    {
        TFileStream out(name, fmCreate | fmShareExclusive);
        out.WriteBuffer("hello world", 11);
        EXPECT_EQ(out.GetSize(), 11);
        EXPECT_EQ(out.GetPosition(), 11);
    }
    TFileStream in(name, fmOpenReadWrite);
    char buf[16] = {};
    EXPECT_EQ(in.Seek(6, soBeginning), 6);
    in.ReadBuffer(buf, 5);
    EXPECT_STREQ(buf, "world");
    EXPECT_EQ(in.Read(buf, 4), 0); // at the end
    EXPECT_THROW(in.ReadBuffer(buf, 1), EReadError);
    EXPECT_EQ(in.Seek(-5, soEnd), 6);
    EXPECT_EQ(in.Seek(-100, soCurrent), -1);
    in.SetSize(5);
    EXPECT_EQ(in.GetSize(), 5);
    EXPECT_EQ(in.GetPosition(), 5);
    {
        TFileStream again(name, fmCreate);
        EXPECT_EQ(again.GetSize(), 0); // fmCreate empties an existing file
    }
    EXPECT_TRUE(DeleteFile(name));
}

TEST(Streams, OpenErrorsCarryTheNameAndReason)
{
    const std::string missing = OutputFile("no_such_dir/x.bin");
    try {
        TFileStream s(missing, fmOpenRead);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + missing + "\". No such file or directory");
    }
    try {
        TFileStream s(missing, fmCreate);
        FAIL();
    } catch (const EFCreateError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + missing + "\". ", 0), 0u) << e.what();
    }
    EXPECT_THROW(TFileStream(CARTOVA_TEST_OUTPUT_DIR, fmOpenRead), EFOpenError); // a directory
    EXPECT_THROW(TFileStream("", fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream(std::string("/etc/passwd\0x", 13), fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream(OutputFile("nofile"), fmOpenWrite), EStreamError);
    {
        TFileStream readOnly(ApplicationFileName(), fmOpenRead);
        EXPECT_THROW(readOnly.WriteBuffer("x", 1), EWriteError);
    }
}

TEST(Streams, MemoryStreamGrowsAndCopies)
{
    TMemoryStream m;
    EXPECT_EQ(m.GetSize(), 0);
    m.WriteBuffer("abc", 3);
    EXPECT_EQ(m.Seek(5, soBeginning), 5);
    m.WriteBuffer("z", 1); // past the end: the gap is zero-filled
    ASSERT_EQ(m.GetSize(), 6);
    EXPECT_EQ(std::memcmp(m.GetMemory(), "abc\0\0z", 6), 0);
    EXPECT_EQ(m.Seek(-1, soBeginning), -1);
    EXPECT_EQ(m.GetPosition(), 6);
    m.SetSize(2);
    EXPECT_EQ(m.GetPosition(), 2);

    const std::string name = OutputFile("streams_mem.bin");
    m.SaveToFile(name);
    TMemoryStream back;
    back.LoadFromFile(name);
    EXPECT_EQ(back.GetSize(), 2);
    EXPECT_EQ(back.GetPosition(), 0);
    TMemoryStream copy;
    EXPECT_EQ(copy.CopyFrom(back, 0), 2);
    EXPECT_EQ(std::memcmp(copy.GetMemory(), "ab", 2), 0);
    back.SetPosition(1);
    EXPECT_THROW(copy.CopyFrom(back, 5), EReadError);
    EXPECT_THROW(back.LoadFromFile(OutputFile("missing.bin")), EFOpenError);
    EXPECT_TRUE(DeleteFile(name));

    char c;
    TMemoryStream empty;
    EXPECT_EQ(empty.Read(&c, 1), 0);
    empty.ReadBuffer(&c, 0);
    empty.WriteBuffer(nullptr, 0);
}
