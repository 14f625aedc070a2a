#include "formats/MifFilePair.h"

#include "host/Host.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cartova {

namespace {
constexpr std::size_t BlockSize = 1u << 20;

mode_t CreationMode()
{
    const mode_t Mask = ::umask(0);
    ::umask(Mask);
    return 0666 & ~Mask;
}
} // namespace

TMifOutFile::TMifOutFile(std::string Target) : FTarget(std::move(Target))
{
    std::string Pattern = FTarget + ".tmpXXXXXX";
    FFile = ::mkstemp(Pattern.data());
    if (FFile < 0)
        throw EFCreateError(Format("Cannot create file \"%s\". %s", FTarget, std::string(std::strerror(errno))));
    FTemp = Pattern;
    ::fchmod(FFile, CreationMode());
    FBuffer.reserve(BlockSize + 4096);
}

TMifOutFile::~TMifOutFile()
{
    if (FFile >= 0)
        ::close(FFile);
    if (!FReplaced && !FTemp.empty())
        ::unlink(FTemp.c_str());
}

void TMifOutFile::Write(std::string_view Text)
{
    FBuffer.append(Text);
    FlushIfFull();
}

void TMifOutFile::FlushIfFull()
{
    if (FBuffer.size() >= BlockSize)
        Flush();
}

void TMifOutFile::Flush()
{
    const char* P = FBuffer.data();
    std::size_t Left = FBuffer.size();
    while (Left > 0) {
        const ssize_t N = ::write(FFile, P, Left);
        if (N < 0 && errno == EINTR)
            continue;
        if (N <= 0)
            throw EWriteError(Format("Error writing \"%s\": %s", FTarget, std::string(std::strerror(errno))));
        P += N;
        Left -= static_cast<std::size_t>(N);
        FWritten += static_cast<std::size_t>(N);
    }
    FBuffer.clear();
}

void TMifOutFile::Finish()
{
    Flush();
    const int Fd = FFile;
    FFile = -1;
    if (::close(Fd) != 0)
        throw EWriteError(Format("Error writing \"%s\": %s", FTarget, std::string(std::strerror(errno))));
}

bool TMifOutFile::Replace()
{
    if (FFile >= 0 || FReplaced)
        return false;
    if (std::rename(FTemp.c_str(), FTarget.c_str()) != 0)
        return false;
    FReplaced = true;
    return true;
}

} // namespace cartova
