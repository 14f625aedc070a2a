#pragma once
// Running the `cartova` program and the GDAL tools from tests.

#include <QCoreApplication>

#include <cstdio>
#include <filesystem>
#include <string>

namespace cartova::test {

/// The path of the built `cartova` program.
inline std::string Cli()
{
    return (std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) / ".." / "apps" / "cartova")
        .string();
}

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

/// Runs `cartova Args` with stderr joined to stdout.
inline int RunCli(const std::string& Args, std::string& Out)
{
    return RunShell(Cli() + " " + Args, Out);
}

} // namespace cartova::test
