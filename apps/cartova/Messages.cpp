#include "apps/cartova/Messages.h"

#include <iostream>

namespace cartova::cli {

namespace {

std::string& CommandName()
{
    static std::string Name;
    return Name;
}

// Text with every line after the first indented, so that a message of
// several lines reads as one.
std::string Indented(const std::string& Text)
{
    std::string Out;
    for (char C : Text) {
        Out.push_back(C);
        if (C == '\n')
            Out += "  ";
    }
    return Out;
}

} // namespace

void SetCommandName(const std::string& Name)
{
    CommandName() = Name;
}

std::string MessagePrefix()
{
    return CommandName().empty() ? std::string("cartova") : "cartova " + CommandName();
}

void Warn(const std::string& File, const std::string& Text)
{
    std::cerr << MessagePrefix() << ": warning: " << (File.empty() ? "" : File + ": ") << Indented(Text) << "\n";
}

int ReportError(const std::string& Text)
{
    std::cerr << MessagePrefix() << ": " << Indented(Text) << "\n";
    return ExitFileError;
}

int ReportUsage(const std::string& Text)
{
    std::cerr << MessagePrefix() << ": " << Text << "\n"
              << "Run '" << MessagePrefix() << " --help' for usage.\n";
    return ExitUsage;
}

} // namespace cartova::cli
