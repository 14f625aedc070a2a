#pragma once
// TMifOutFile: one file of a set (MIF and MID) written so that the set
// replaces the old files only together. The file is written to a temporary
// file beside its target; once every file of the set is finished without
// error (its data flushed to the disk), each is renamed onto its target and
// the folder is flushed. A temporary file never renamed is removed.
// A target that is a symbolic link is written through: the file it leads to
// is replaced and the link stays. A replaced file keeps its permission bits;
// a new one gets the usual ones (0666 less the umask).

#include <string>
#include <string_view>
#include <vector>

namespace cartova {

/// One output file with a write buffer, written to a temporary file.
class TMifOutFile {
public:
    explicit TMifOutFile(std::string Target);
    ~TMifOutFile();
    TMifOutFile(const TMifOutFile&) = delete;
    TMifOutFile& operator=(const TMifOutFile&) = delete;

    /// Appends text to the buffer (written in large blocks).
    void Write(std::string_view Text);
    /// The buffer, for callers that append directly; FlushIfFull writes it out.
    std::string& Buffer() { return FBuffer; }
    void FlushIfFull();
    /// Writes the buffer out, flushes it to the disk and closes the temporary
    /// file; EWriteError on failure.
    void Finish();
    /// Renames the finished temporary file onto the target and flushes the
    /// target's folder; false when the rename fails.
    bool Replace();
    /// Bytes written so far (flushed and buffered).
    std::size_t Size() const { return FWritten + FBuffer.size(); }

private:
    void Flush();

    std::string FTarget;
    std::string FTemp;
    int FFile = -1;
    std::string FBuffer;
    std::size_t FWritten = 0;
    bool FReplaced = false;
};

} // namespace cartova
