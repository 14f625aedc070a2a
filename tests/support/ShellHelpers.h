#pragma once
// Running shell commands (GDAL's ogr2ogr and ogrinfo, the built programs)
// from tests.

#include <cstdio>
#include <string>

#include <sys/wait.h>

namespace cartova::test {

/// Runs Command through the shell; Out gets its stdout (and its stderr
/// too unless Stderr is false). Returns the exit status, -1 when it did not exit.
inline int RunShell(const std::string& Command, std::string& Out, bool Stderr = true)
{
    Out.clear();
    std::FILE* P = popen((Command + (Stderr ? " 2>&1" : " 2>/dev/null")).c_str(), "r");
    if (!P)
        return -1;
    char Buf[4096];
    std::size_t N;
    while ((N = std::fread(Buf, 1, sizeof Buf, P)) > 0)
        Out.append(Buf, N);
    const int Status = pclose(P);
    return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
}

/// What Command writes on stdout; its stderr is dropped.
inline std::string Shell(const std::string& Command)
{
    std::string Out;
    RunShell(Command, Out, false);
    return Out;
}

/// True when GDAL's ogr2ogr can be run.
inline bool HaveGdal()
{
    std::string Out;
    return RunShell("ogr2ogr --version", Out) == 0;
}

} // namespace cartova::test
