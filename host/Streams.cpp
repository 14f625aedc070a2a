#include "host/Streams.h"

#include "host/Exceptions.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace cartova::host {

namespace {

// The error code of a path that names neither a file nor a directory.
constexpr int NotRegular = -1;

std::string Reason(int error)
{
    return error == NotRegular ? "Not a regular file" : std::generic_category().message(error);
}

// Largest chunk passed to one read or write call.
constexpr std::int64_t MaxChunk = 1 << 30;

} // namespace

// ---------------------------------------------------------------- TStream

std::int64_t TStream::GetSize()
{
    const std::int64_t position = Seek(0, soCurrent);
    const std::int64_t size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count)
{
    if (count > 0 && Read(buffer, count) != count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count)
{
    if (count > 0 && Write(buffer, count) != count)
        throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.GetSize();
    }
    std::vector<char> buffer(static_cast<std::size_t>(std::min<std::int64_t>(std::max<std::int64_t>(count, 0), 1 << 16)));
    std::int64_t done = 0;
    while (done < count) {
        const std::int64_t n = std::min<std::int64_t>(count - done, static_cast<std::int64_t>(buffer.size()));
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        done += n;
    }
    return done;
}

// ------------------------------------------------------------ TFileStream

TFileStream::TFileStream(std::string_view fileName, unsigned mode) : FFileName(fileName)
{
    const bool create = (mode & fmCreate) == fmCreate;
    const bool invalidName = fileName.empty() || fileName.find('\0') != std::string_view::npos;
    int error = ENOENT;
    if (!invalidName) {
        // O_NONBLOCK: opening a FIFO must not wait for its other end.
        int flags = O_CLOEXEC | O_NONBLOCK;
        if (create)
            flags |= O_RDWR | O_CREAT | O_TRUNC;
        else
            switch (mode & 3u) {
            case fmOpenWrite: flags |= O_WRONLY; break;
            case fmOpenReadWrite: flags |= O_RDWR; break;
            default: flags |= O_RDONLY; break;
            }
        do
            FHandle = ::open(FFileName.c_str(), flags, 0666);
        while (FHandle < 0 && errno == EINTR);
        error = errno;
        struct stat st;
        if (FHandle >= 0 && ::fstat(FHandle, &st) == 0 && !S_ISREG(st.st_mode)) {
            // A directory opens for reading on this system, a FIFO or device
            // without waiting: neither is a file.
            ::close(FHandle);
            FHandle = -1;
            error = S_ISDIR(st.st_mode) ? EISDIR : NotRegular;
        }
        if (FHandle >= 0)
            ::fcntl(FHandle, F_SETFL, ::fcntl(FHandle, F_GETFL) & ~O_NONBLOCK);
    }
    if (FHandle < 0) {
        const std::string message = "\"" + FFileName + "\". " + Reason(error);
        if (create)
            throw EFCreateError("Cannot create file " + message);
        throw EFOpenError("Cannot open file " + message);
    }
}

TFileStream::~TFileStream()
{
    if (FHandle >= 0)
        ::close(FHandle);
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count)
{
    std::int64_t done = 0;
    auto* out = static_cast<char*>(buffer);
    while (done < count) {
        const ssize_t n = ::read(FHandle, out + done, static_cast<std::size_t>(std::min(count - done, MaxChunk)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count)
{
    std::int64_t done = 0;
    const auto* in = static_cast<const char*>(buffer);
    while (done < count) {
        const ssize_t n = ::write(FHandle, in + done, static_cast<std::size_t>(std::min(count - done, MaxChunk)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    const int whence = origin == soBeginning ? SEEK_SET : (origin == soCurrent ? SEEK_CUR : SEEK_END);
    const off_t r = ::lseek(FHandle, static_cast<off_t>(offset), whence);
    return r < 0 ? -1 : static_cast<std::int64_t>(r);
}

void TFileStream::SetSize(std::int64_t size)
{
    if (size < 0 || ::ftruncate(FHandle, static_cast<off_t>(size)) != 0)
        throw EStreamError("Cannot set the size of file \"" + FFileName + "\". " +
                           Reason(size < 0 ? EINVAL : errno));
    if (GetPosition() > size)
        SetPosition(size);
}

// ---------------------------------------------------------- TMemoryStream

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count)
{
    const auto size = static_cast<std::int64_t>(FData.size());
    if (count <= 0 || FPosition >= size)
        return 0;
    const std::int64_t n = std::min(count, size - FPosition);
    std::memcpy(buffer, FData.data() + FPosition, static_cast<std::size_t>(n));
    FPosition += n;
    return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count)
{
    if (count <= 0)
        return 0;
    if (count > INT64_MAX - FPosition)
        return 0;
    const std::int64_t end = FPosition + count;
    if (end > static_cast<std::int64_t>(FData.size())) {
        try {
            FData.resize(static_cast<std::size_t>(end));
        } catch (const std::exception&) {
            return 0; // out of memory: nothing written
        }
    }
    std::memcpy(FData.data() + FPosition, buffer, static_cast<std::size_t>(count));
    FPosition = end;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    const std::int64_t base = origin == soBeginning ? 0 : (origin == soCurrent ? FPosition : GetSize());
    const std::int64_t target = base + offset;
    if (target < 0)
        return -1;
    FPosition = target;
    return target;
}

void TMemoryStream::SetSize(std::int64_t size)
{
    try {
        FData.resize(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)));
    } catch (const std::exception&) {
        throw EStreamError("Out of memory while growing a memory stream to " + std::to_string(size) + " bytes");
    }
    FPosition = std::min(FPosition, GetSize());
}

void TMemoryStream::Clear()
{
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& source)
{
    source.SetPosition(0);
    const std::int64_t size = source.GetSize();
    Clear();
    SetSize(size);
    source.ReadBuffer(FData.data(), size);
}

void TMemoryStream::LoadFromFile(std::string_view fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& dest) { dest.WriteBuffer(FData.data(), GetSize()); }

void TMemoryStream::SaveToFile(std::string_view fileName)
{
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

} // namespace cartova::host
