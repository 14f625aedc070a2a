#include "formats/MifFilePair.h"

#include "host/Core.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cartova {

namespace {
constexpr std::size_t BlockSize = 1u << 20;

// Links followed before a save gives up, as the system does.
constexpr int MaxLinkHops = 40;

/// The permission bits of the file Name replaces: those of the existing
/// file, or 0666 less the umask for a new one.
mode_t ModeFor(const std::string& Name)
{
    struct stat St {};
    if (::stat(Name.c_str(), &St) == 0 && S_ISREG(St.st_mode))
        return St.st_mode & 07777;
    const mode_t Mask = ::umask(0);
    ::umask(Mask);
    return 0666 & ~Mask;
}

/// The file a save to Name replaces: Name, or the file its chain of symbolic
/// links leads to (which need not exist yet).
std::string LinkTarget(const std::string& Name)
{
    namespace fs = std::filesystem;
    fs::path Path(Name);
    std::error_code Ec;
    for (int Hops = 0; fs::is_symlink(fs::symlink_status(Path, Ec)); ++Hops) {
        if (Hops == MaxLinkHops)
            throw EFCreateError(Format("Cannot create file \"%s\". %s", Name, std::string(std::strerror(ELOOP))));
        const fs::path Link = fs::read_symlink(Path, Ec);
        if (Ec)
            break;
        Path = Link.is_absolute() ? Link : Path.parent_path() / Link;
    }
    return Path.string();
}

/// Flushes the folder holding Name, so that a rename in it survives a crash.
void SyncFolder(const std::string& Name)
{
    const std::string Folder = std::filesystem::path(Name).parent_path().string();
    const int Fd = ::open(Folder.empty() ? "." : Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (Fd < 0)
        return;
    ::fsync(Fd);
    ::close(Fd);
}
} // namespace

TMifOutFile::TMifOutFile(std::string Target) : FTarget(LinkTarget(Target))
{
    std::string Pattern = FTarget + ".tmpXXXXXX";
    FFile = ::mkstemp(Pattern.data());
    if (FFile < 0)
        throw EFCreateError(Format("Cannot create file \"%s\". %s", FTarget, std::string(std::strerror(errno))));
    FTemp = Pattern;
    ::fchmod(FFile, ModeFor(FTarget));
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
    const bool Synced = ::fsync(Fd) == 0;
    if (!Synced || ::close(Fd) != 0) {
        const int Error = errno;
        if (!Synced)
            ::close(Fd);
        throw EWriteError(Format("Error writing \"%s\": %s", FTarget, std::string(std::strerror(Error))));
    }
}

bool TMifOutFile::Replace()
{
    if (FFile >= 0 || FReplaced)
        return false;
    if (std::rename(FTemp.c_str(), FTarget.c_str()) != 0)
        return false;
    FReplaced = true;
    SyncFolder(FTarget);
    return true;
}

} // namespace cartova
