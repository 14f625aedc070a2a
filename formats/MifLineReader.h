#pragma once
// TMifLineReader: streams a text file line by line through one large buffer.
// Lines end at LF (a CR before it is dropped); the last line needs no end.
// A line longer than the limit raises EReadError instead of growing the
// buffer without bound.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace cartova {

class TMifLineReader {
public:
    /// The longest line accepted, in bytes.
    static constexpr std::size_t MaxLineLength = 16u << 20;

    TMifLineReader() = default;
    ~TMifLineReader();
    TMifLineReader(const TMifLineReader&) = delete;
    TMifLineReader& operator=(const TMifLineReader&) = delete;

    /// Opens FileName for reading; false when it cannot be opened or is not
    /// a regular file (a FIFO or device is refused without waiting on it).
    /// GetError() then says why.
    bool Open(const std::string& FileName);
    void Close();
    bool IsOpen() const { return FFile >= 0; }
    /// Why the last Open failed.
    const std::string& GetError() const { return FError; }
    /// The file opened last.
    const std::string& GetFileName() const { return FFileName; }

    /// The next line without its line end; false at the end of the file. The
    /// view is valid until the next call.
    bool ReadLine(std::string_view& Line)
    {
        const std::string_view Next = NextLine();
        if (!Next.data())
            return false;
        Line = Next;
        return true;
    }
    /// ReadLine returning the view itself: a line has a non-null data() (it
    /// may be empty), the end of the file gives a view with a null data().
    std::string_view NextLine()
    {
        // A whole line already in the buffer; anything else reads on.
        if (FBegin < FEnd) {
            const char* Begin = FBuffer.data() + FBegin;
            if (const void* Hit = std::memchr(Begin, '\n', FEnd - FBegin)) {
                const char* Nl = static_cast<const char*>(Hit);
                const char* Stop = Nl > Begin && Nl[-1] == '\r' ? Nl - 1 : Nl;
                const auto Length = static_cast<std::size_t>(Nl + 1 - Begin);
                FConsumed += Length;
                FBegin += Length;
                ++FLineCount;
                return std::string_view(Begin, static_cast<std::size_t>(Stop - Begin));
            }
        }
        return NextLineFromFile();
    }
    /// Number of lines returned so far.
    long long LineCount() const { return FLineCount; }
    /// Bytes consumed so far (up to the end of the last line returned).
    std::uint64_t Position() const { return FConsumed; }
    /// Size of the file when it was opened.
    std::uint64_t Size() const { return FSize; }
    /// Bytes not consumed yet.
    std::uint64_t Remaining() const { return FSize > FConsumed ? FSize - FConsumed : 0; }

private:
    bool Fill();
    std::string_view NextLineFromFile();

    int FFile = -1;
    std::string FFileName;
    std::string FError;
    std::vector<char> FBuffer;
    std::size_t FBegin = 0; // first unread byte in FBuffer
    std::size_t FEnd = 0;   // end of the valid bytes in FBuffer
    bool FEof = false;
    long long FLineCount = 0;
    std::uint64_t FConsumed = 0;
    std::uint64_t FSize = 0;
};

} // namespace cartova
