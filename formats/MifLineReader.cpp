#include "formats/MifLineReader.h"

#include "host/Core.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cartova {

namespace {
constexpr std::size_t BlockSize = 1u << 20;
}

TMifLineReader::~TMifLineReader()
{
    Close();
}

bool TMifLineReader::Open(const std::string& FileName)
{
    Close();
    FFileName = FileName;
    FError.clear();
    // Without O_NONBLOCK, opening a FIFO would wait for a writer.
    FFile = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (FFile < 0) {
        FError = std::strerror(errno);
        return false;
    }
    struct stat St {};
    if (::fstat(FFile, &St) != 0 || !S_ISREG(St.st_mode)) {
        FError = "not a regular file";
        Close();
        return false;
    }
    FSize = static_cast<std::uint64_t>(St.st_size);
    FBuffer.assign(BlockSize, '\0');
    FBegin = FEnd = 0;
    FEof = false;
    FLineCount = 0;
    FConsumed = 0;
    return true;
}

void TMifLineReader::Close()
{
    if (FFile >= 0)
        ::close(FFile);
    FFile = -1;
    FEof = true;
    std::vector<char>().swap(FBuffer);
    FBegin = FEnd = 0;
}

bool TMifLineReader::Fill()
{
    if (FEof || FFile < 0)
        return false;
    // Keep the unread tail at the start, then grow only when a line fills the buffer.
    if (FBegin > 0) {
        std::memmove(FBuffer.data(), FBuffer.data() + FBegin, FEnd - FBegin);
        FEnd -= FBegin;
        FBegin = 0;
    }
    if (FEnd == FBuffer.size()) {
        if (FBuffer.size() >= MaxLineLength)
            throw EReadError(Format("Line %d of \"%s\" is longer than %d bytes", FLineCount + 1, FFileName,
                                    static_cast<long long>(MaxLineLength)));
        FBuffer.resize(FBuffer.size() * 2);
    }
    for (;;) {
        const ssize_t N = ::read(FFile, FBuffer.data() + FEnd, FBuffer.size() - FEnd);
        if (N < 0 && errno == EINTR)
            continue;
        if (N < 0)
            throw EReadError(Format("Error reading \"%s\": %s", FFileName, std::string(std::strerror(errno))));
        if (N == 0) {
            FEof = true;
            return false;
        }
        FEnd += static_cast<std::size_t>(N);
        return true;
    }
}

std::string_view TMifLineReader::NextLineFromFile()
{
    // The buffer is never empty while the file is open, so a line's data()
    // is never null.
    if (FFile < 0)
        return {};
    std::size_t Scanned = FBegin;
    for (;;) {
        const void* Hit = std::memchr(FBuffer.data() + Scanned, '\n', FEnd - Scanned);
        if (Hit) {
            const std::size_t Nl = static_cast<std::size_t>(static_cast<const char*>(Hit) - FBuffer.data());
            std::size_t Stop = Nl;
            if (Stop > FBegin && FBuffer[Stop - 1] == '\r')
                --Stop;
            const std::string_view Line(FBuffer.data() + FBegin, Stop - FBegin);
            FConsumed += Nl + 1 - FBegin;
            FBegin = Nl + 1;
            ++FLineCount;
            return Line;
        }
        const std::size_t Offset = FEnd - FBegin;
        if (!Fill()) {
            if (FBegin == FEnd)
                return {};
            std::size_t Stop = FEnd;
            if (FBuffer[Stop - 1] == '\r')
                --Stop;
            const std::string_view Line(FBuffer.data() + FBegin, Stop - FBegin);
            FConsumed += FEnd - FBegin;
            FBegin = FEnd;
            ++FLineCount;
            return Line;
        }
        Scanned = FBegin + Offset;
    }
}

} // namespace cartova
