#pragma once
// File names and the file system: name parts, absolute names, existence tests,
// deletion, and the program's and the system library's locations. The path
// delimiter is '/'. A name holding a NUL byte names no file.

#include <string>
#include <string_view>

namespace cartova::host {

/// The path delimiter.
inline constexpr char PathDelim = '/';

/// The extension from the last '.' of the last name component on, dot included;
/// empty when there is none ("a/b.tar.gz" → ".gz", "a.b/c" → "").
std::string ExtractFileExt(std::string_view fileName);
/// The name with its extension replaced by `extension` (or appended).
std::string ChangeFileExt(std::string_view fileName, std::string_view extension);
/// The last name component ("/a/b.mif" → "b.mif").
std::string ExtractFileName(std::string_view fileName);
/// Everything up to and including the last '/' ("/a/b.mif" → "/a/"); empty without one.
std::string ExtractFilePath(std::string_view fileName);
/// The directory without a trailing '/' ("/a/b.mif" → "/a", "/b" → "/").
std::string ExtractFileDir(std::string_view fileName);
/// The name made absolute against the working directory, with "." and ".."
/// components and repeated '/' removed; symbolic links are not resolved.
std::string ExpandFileName(std::string_view fileName);
/// Appends '/' unless the name already ends with one.
std::string IncludeTrailingPathDelimiter(std::string_view path);
/// Removes one trailing '/' (except from "/").
std::string ExcludeTrailingPathDelimiter(std::string_view path);

/// Whether the name denotes an existing file that is not a directory.
bool FileExists(std::string_view fileName);
/// Whether the name denotes an existing directory.
bool DirectoryExists(std::string_view path);
/// Deletes a file; false when it could not be deleted.
bool DeleteFile(std::string_view fileName);

/// The absolute file name of the running program.
std::string ApplicationFileName();
/// The directory of the system's C library (the multiarch library directory),
/// without a trailing '/'.
std::string GetSystemDirectory();

} // namespace cartova::host

namespace cartova {
using host::PathDelim;
using host::ExtractFileExt;
using host::ChangeFileExt;
using host::ExtractFileName;
using host::ExtractFilePath;
using host::ExtractFileDir;
using host::ExpandFileName;
using host::IncludeTrailingPathDelimiter;
using host::ExcludeTrailingPathDelimiter;
using host::FileExists;
using host::DirectoryExists;
using host::DeleteFile;
using host::ApplicationFileName;
using host::GetSystemDirectory;
} // namespace cartova
