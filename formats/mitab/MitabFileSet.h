// Writing a file set (name.tab, name.dat, ... or name.mif, name.mid) so that
// it replaces an older set only when complete: the files are written in a
// temporary folder beside the target and moved into place together.
#pragma once

#include <string>
#include <vector>

namespace cartova::mitab {

class TFileSet {
public:
    TFileSet() = default;
    TFileSet(const TFileSet&) = delete;
    TFileSet& operator=(const TFileSet&) = delete;
    // Removes the temporary folder and what it holds, unless committed.
    ~TFileSet();

    // Makes the temporary folder beside Target (a path like dir/name.tab);
    // false with a message when the directory cannot be written.
    bool Begin(const std::string& Target, std::string& Error);

    // Where the new set's main file is written: the target's name inside
    // the temporary folder.
    const std::string& TempPath() const { return Temp; }
    const std::string& Folder() const { return TempDir; }

    // Moves every file of the temporary folder into the target's directory.
    // The old set (files of the target's name whose extension is one of
    // Extensions) is moved aside first and put back when a move fails, and
    // files of it the new set lacks are removed at the end. False with a
    // message when the old set stays.
    bool Commit(const std::vector<std::string>& Extensions, std::string& Error);

    void Discard();

private:
    std::string TargetDir, Stem, TempDir, Temp;
    bool Keep = false; // the temporary folder holds the only copy of old files
};

} // namespace cartova::mitab
