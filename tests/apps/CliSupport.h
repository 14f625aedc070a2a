#pragma once
// Running the `cartova` program and the GDAL tools from tests.

#include "tests/support/ShellHelpers.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

namespace cartova::test {

/// The path of the built `cartova` program.
inline std::string Cli()
{
    return (std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) / ".." / "apps" / "cartova")
        .string();
}

/// Runs `cartova Args` with stderr joined to stdout.
inline int RunCli(const std::string& Args, std::string& Out)
{
    return RunShell(Cli() + " " + Args, Out);
}

/// What one run of the program gave.
struct TRun {
    int Status = -1;
    std::string Out, Err;
};

/// Runs `cartova Args` as a user's shell would: without QT_QPA_PLATFORM and
/// XDG_RUNTIME_DIR, so the program sets up its platform itself; stdout and
/// stderr apart.
inline TRun Cartova(const std::string& Args)
{
    char ErrFile[] = "/tmp/cartova-stderr-XXXXXX";
    const int Fd = mkstemp(ErrFile);
    if (Fd < 0)
        return {};
    close(Fd);
    TRun R;
    R.Status = RunShell("(env -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR " + Cli() + " " + Args + " 2>" + ErrFile + ")",
                        R.Out, false);
    std::ifstream In(ErrFile, std::ios::binary);
    R.Err.assign(std::istreambuf_iterator<char>(In), {});
    std::remove(ErrFile);
    return R;
}

/// Writes Text to Path, replacing it.
inline void WriteFile(const std::string& Path, const std::string& Text)
{
    std::ofstream(Path, std::ios::binary) << Text;
}

/// The bytes of the file Path; "" when it cannot be read.
inline std::string ReadFile(const std::string& Path)
{
    std::ifstream In(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), {});
}

} // namespace cartova::test
