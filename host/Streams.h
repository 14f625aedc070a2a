#pragma once
// Byte streams: the abstract TStream, TFileStream over a file descriptor and
// the growable in-memory TMemoryStream.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cartova::host {

/// Where Seek measures its offset from.
enum TSeekOrigin { soBeginning, soCurrent, soEnd };

/// Open modes of TFileStream: one access mode, or fmCreate, combined with a
/// share mode (accepted and ignored).
enum : unsigned {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareCompat = 0x0000,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030,
    fmShareDenyNone = 0x0040,
    /// Creates the file, or empties an existing one, for reading and writing.
    fmCreate = 0xFF00,
};

/// A sequence of bytes with a current position.
class TStream {
public:
    virtual ~TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    /// Reads up to `count` bytes at the position; returns how many were read.
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    /// Writes up to `count` bytes at the position; returns how many were written.
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    /// Moves the position; returns the new position, or -1 when it cannot move.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
    /// Makes the stream `size` bytes long.
    virtual void SetSize(std::int64_t size) = 0;

    std::int64_t GetPosition() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, soBeginning); }
    /// The length in bytes (the position is kept).
    virtual std::int64_t GetSize();

    /// Reads exactly `count` bytes or raises EReadError "Stream read error".
    void ReadBuffer(void* buffer, std::int64_t count);
    /// Writes exactly `count` bytes or raises EWriteError "Stream write error".
    void WriteBuffer(const void* buffer, std::int64_t count);
    /// Copies `count` bytes from the source's position; with 0, the whole source
    /// from its beginning. Returns the bytes copied.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);

protected:
    TStream() = default;
};

/// A stream over an open file; the file is closed with the stream.
class TFileStream : public TStream {
public:
    /// Opens (or with fmCreate creates) the file; raises EFOpenError
    /// "Cannot open file \"name\". reason" or EFCreateError "Cannot create file ...".
    TFileStream(std::string_view fileName, unsigned mode);
    ~TFileStream() override;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    /// Truncates or extends the file; raises EStreamError when it cannot.
    void SetSize(std::int64_t size) override;

    const std::string& GetFileName() const { return FFileName; }
    /// The file descriptor.
    int GetHandle() const { return FHandle; }

private:
    std::string FFileName;
    int FHandle = -1;
};

/// A stream held in memory; writing past the end grows it.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    /// Resizes the data (new bytes are zero); the position is kept unless past the end.
    void SetSize(std::int64_t size) override;
    std::int64_t GetSize() override { return static_cast<std::int64_t>(FData.size()); }

    /// The bytes of the stream.
    const std::uint8_t* GetMemory() const { return FData.data(); }
    std::uint8_t* GetMemory() { return FData.data(); }
    /// Empties the stream.
    void Clear();
    /// Replaces the contents by the whole of another stream; position 0.
    void LoadFromStream(TStream& source);
    /// Replaces the contents by a file's bytes; raises EFOpenError when it cannot be read.
    void LoadFromFile(std::string_view fileName);
    /// Writes all bytes to another stream.
    void SaveToStream(TStream& dest);
    /// Writes all bytes to a new file; raises EFCreateError when it cannot be created.
    void SaveToFile(std::string_view fileName);

private:
    std::vector<std::uint8_t> FData;
    std::int64_t FPosition = 0;
};

} // namespace cartova::host

namespace cartova {
using host::TSeekOrigin;
using host::soBeginning;
using host::soCurrent;
using host::soEnd;
using host::fmOpenRead;
using host::fmOpenWrite;
using host::fmOpenReadWrite;
using host::fmShareCompat;
using host::fmShareExclusive;
using host::fmShareDenyWrite;
using host::fmShareDenyRead;
using host::fmShareDenyNone;
using host::fmCreate;
using host::TStream;
using host::TFileStream;
using host::TMemoryStream;
} // namespace cartova
