#include "MitabFileSet.h"

#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace cartova::mitab {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string S)
{
    for (char& C : S)
        C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
    return S;
}

// Moves each name from one folder to another; on a failure moves back what
// was moved and returns false.
bool MoveAll(const std::vector<fs::path>& Names, const fs::path& From, const fs::path& To, std::string& Error)
{
    std::error_code Ec;
    for (std::size_t I = 0; I < Names.size(); ++I) {
        fs::rename(From / Names[I], To / Names[I], Ec);
        if (Ec) {
            Error = "cannot move " + (From / Names[I]).string() + " to " + To.string() + ": " + Ec.message();
            for (std::size_t J = I; J-- > 0;)
                fs::rename(To / Names[J], From / Names[J], Ec);
            return false;
        }
    }
    return true;
}

} // namespace

TFileSet::~TFileSet()
{
    Discard();
}

bool TFileSet::Begin(const std::string& Target, std::string& Error)
{
    const fs::path Path(Target);
    const fs::path Dir = Path.has_parent_path() ? Path.parent_path() : fs::path(".");
    TargetDir = Dir.string();
    Stem = Path.stem().string();
    std::string Pattern = (Dir / ("." + Stem + ".mitab-XXXXXX")).string();
    if (!::mkdtemp(Pattern.data())) {
        Error = "cannot write in " + TargetDir + ": " + std::strerror(errno);
        return false;
    }
    TempDir = Pattern;
    Temp = (fs::path(TempDir) / Path.filename()).string();
    return true;
}

bool TFileSet::Commit(const std::vector<std::string>& Extensions, std::string& Error)
{
    std::error_code Ec;
    std::vector<fs::path> New, Old;
    for (const auto& Entry : fs::directory_iterator(TempDir, Ec))
        if (Entry.is_regular_file())
            New.push_back(Entry.path().filename());
    if (Ec) {
        Error = "cannot list " + TempDir + ": " + Ec.message();
        return false;
    }
    for (const auto& Entry : fs::directory_iterator(TargetDir, Ec)) {
        const fs::path Name = Entry.path().filename();
        const bool OfSet = Name.stem() == Stem &&
                           std::find(Extensions.begin(), Extensions.end(), Lower(Name.extension().string())) !=
                               Extensions.end();
        const bool Taken = std::find(New.begin(), New.end(), Name) != New.end();
        if (!OfSet && !Taken)
            continue;
        const auto Status = Entry.symlink_status(Ec);
        if (!fs::is_regular_file(Status) && !fs::is_symlink(Status)) {
            Error = Entry.path().string() + " exists and is not a file";
            return false;
        }
        Old.push_back(Name);
    }
    if (Ec) {
        Error = "cannot list " + TargetDir + ": " + Ec.message();
        return false;
    }
    const fs::path Aside = fs::path(TempDir) / ".old";
    fs::create_directory(Aside, Ec);
    if (Ec) {
        Error = "cannot write in " + TempDir + ": " + Ec.message();
        return false;
    }
    if (!MoveAll(Old, TargetDir, Aside, Error))
        return false;
    if (!MoveAll(New, TempDir, TargetDir, Error)) {
        std::string Ignored;
        if (!MoveAll(Old, Aside, TargetDir, Ignored)) {
            Error += " (the old files are kept in " + Aside.string() + ")";
            Keep = true;
        }
        return false;
    }
    Discard();
    return true;
}

void TFileSet::Discard()
{
    if (TempDir.empty() || Keep)
        return;
    std::error_code Ec;
    fs::remove_all(TempDir, Ec);
    TempDir.clear();
}

} // namespace cartova::mitab
