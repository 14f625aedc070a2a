#include "host/FileUtils.h"

#include <dlfcn.h>
#include <gnu/libc-version.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace cartova::host {

namespace {

// A C string for a system call, or false when the name holds a NUL byte and
// would silently name a different file.
bool ToPath(std::string_view name, std::string& path)
{
    if (name.empty() || name.find('\0') != std::string_view::npos)
        return false;
    path.assign(name);
    return true;
}

bool StatOf(std::string_view name, struct stat& st)
{
    std::string path;
    return ToPath(name, path) && ::stat(path.c_str(), &st) == 0;
}

// Offset of the extension's dot, or npos.
std::size_t ExtensionDot(std::string_view name)
{
    const std::size_t dot = name.find_last_of("./");
    return dot != std::string_view::npos && name[dot] == '.' ? dot : std::string_view::npos;
}

} // namespace

std::string ExtractFileExt(std::string_view fileName)
{
    const std::size_t dot = ExtensionDot(fileName);
    return dot == std::string_view::npos ? std::string() : std::string(fileName.substr(dot));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view extension)
{
    const std::size_t dot = ExtensionDot(fileName);
    std::string r(fileName.substr(0, dot == std::string_view::npos ? fileName.size() : dot));
    return r.append(extension);
}

std::string ExtractFileName(std::string_view fileName)
{
    const std::size_t slash = fileName.rfind(PathDelim);
    return std::string(slash == std::string_view::npos ? fileName : fileName.substr(slash + 1));
}

std::string ExtractFilePath(std::string_view fileName)
{
    const std::size_t slash = fileName.rfind(PathDelim);
    return slash == std::string_view::npos ? std::string() : std::string(fileName.substr(0, slash + 1));
}

std::string ExtractFileDir(std::string_view fileName)
{
    const std::size_t slash = fileName.rfind(PathDelim);
    if (slash == std::string_view::npos)
        return {};
    return std::string(fileName.substr(0, slash == 0 ? 1 : slash));
}

std::string IncludeTrailingPathDelimiter(std::string_view path)
{
    std::string r(path);
    if (r.empty() || r.back() != PathDelim)
        r += PathDelim;
    return r;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path)
{
    std::string r(path);
    if (r.size() > 1 && r.back() == PathDelim)
        r.pop_back();
    return r;
}

std::string ExpandFileName(std::string_view fileName)
{
    if (fileName.empty())
        return {};
    std::string full;
    if (fileName.front() != PathDelim) {
        std::vector<char> buf(4096);
        while (::getcwd(buf.data(), buf.size()) == nullptr) {
            if (errno != ERANGE || buf.size() > (1u << 20))
                return std::string(fileName);
            buf.resize(buf.size() * 2);
        }
        full = IncludeTrailingPathDelimiter(buf.data());
    }
    full.append(fileName);

    std::vector<std::string_view> parts;
    const std::string_view all(full);
    std::size_t start = 0;
    while (start <= all.size()) {
        std::size_t end = all.find(PathDelim, start);
        if (end == std::string_view::npos)
            end = all.size();
        const std::string_view part = all.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string r;
    for (const std::string_view part : parts) {
        r += PathDelim;
        r.append(part);
    }
    // A name that ended with a delimiter keeps it.
    if (r.empty() || (fileName.back() == PathDelim))
        r += PathDelim;
    return r;
}

bool FileExists(std::string_view fileName)
{
    struct stat st;
    return StatOf(fileName, st) && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(std::string_view path)
{
    struct stat st;
    return StatOf(path, st) && S_ISDIR(st.st_mode);
}

bool DeleteFile(std::string_view fileName)
{
    std::string path;
    return ToPath(fileName, path) && ::unlink(path.c_str()) == 0;
}

std::string ApplicationFileName()
{
    std::vector<char> buf(1024);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
        if (n < 0)
            return {};
        if (static_cast<std::size_t>(n) < buf.size())
            return std::string(buf.data(), static_cast<std::size_t>(n));
        if (buf.size() > (1u << 20))
            return {};
        buf.resize(buf.size() * 2);
    }
}

std::string GetSystemDirectory()
{
    // gnu_get_libc_version lives in libc itself and is not wrapped by sanitizers.
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&::gnu_get_libc_version), &info) == 0 || info.dli_fname == nullptr)
        return {};
    return ExtractFileDir(ExpandFileName(info.dli_fname));
}

} // namespace cartova::host
