#pragma once
// What the `cartova` program tells its user. Every message goes to stderr,
// begins with the program and the command ("cartova render: ") and names the
// file it concerns; the exit status says what kind of failure it was.

#include <stdexcept>
#include <string>

namespace cartova::cli {

/// Exit statuses: success, a file could not be read or written, a wrong command line.
constexpr int ExitSuccess = 0;
constexpr int ExitFileError = 1;
constexpr int ExitUsage = 2;

/// A wrong command line: an unknown command or option, a missing or malformed value.
class TUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A file that could not be read or written. what() is "FILE: Message".
class TFileError : public std::runtime_error {
public:
    TFileError(const std::string& File, const std::string& Message)
        : std::runtime_error(File.empty() ? Message : File + ": " + Message)
    {
    }
};

/// Names the command later messages come from ("render"); "" for the program itself.
void SetCommandName(const std::string& Name);
/// "cartova render", or "cartova" outside a command.
std::string MessagePrefix();

/// Writes "cartova COMMAND: warning: FILE: Text"; lines after the first are indented.
void Warn(const std::string& File, const std::string& Text);
/// Writes "cartova COMMAND: Text" for a failure; returns ExitFileError.
int ReportError(const std::string& Text);
/// Writes the usage error and where to find the usage; returns ExitUsage.
int ReportUsage(const std::string& Text);

} // namespace cartova::cli
