// The `cartova` command line: render, info, convert, index, about.
#include "apps/cartova/Commands.h"
#include "apps/cartova/MapSession.h"
#include "apps/cartova/Messages.h"
#include "apps/cartova/Platform.h"
#include "host/Host.h"

#include <QApplication>

#include <exception>
#include <iostream>

using namespace cartova;
using namespace cartova::cli;

namespace {

int About(const TArgs& Args);

struct TCommand {
    const char* Name;
    const char* Summary;
    int (*Run)(const TArgs&);
};

const TCommand Commands[] = {
    {"render", "draw map files into a PNG, JPEG or BMP image", Render},
    {"info", "describe the layers of map files: columns, coordinate system, extent, objects", Info},
    {"convert", "read a map file and write it in the format of the output's extension", Convert},
    {"index", "build the spatial index of a map file and save it beside the file", Index},
    {"about", "print the library's version and check that its components work", About},
};

void PrintHelp()
{
    std::cout << "Usage: cartova COMMAND [ARGUMENTS]\n"
                 "\n"
                 "Draws, describes and converts map files.\n"
                 "\n"
                 "Commands:\n";
    for (const TCommand& C : Commands)
        std::cout << "  " << C.Name << std::string(10 - std::string(C.Name).size(), ' ') << C.Summary << "\n";
    std::cout << "  help      print this help, or a command's: cartova help COMMAND\n"
                 "\n"
                 "Options:\n"
                 "  -h, --help   print this help and exit\n"
                 "  --version    print the version and exit\n"
                 "\n"
                 "A map file is one of: "
              << ReadableKinds()
              << ".\n"
                 "Run 'cartova COMMAND --help' for the arguments of a command.\n"
                 "\n"
                 "Exit status:\n"
                 "  0  success\n"
                 "  1  a file could not be read or written\n"
                 "  2  usage error: an unknown command or option, a missing or malformed argument\n";
}

// Prints the library's version and the state of a freshly created component.
int About(const TArgs& Args)
{
    if (TArguments(Args, {}).Help()) {
        std::cout << "Usage: cartova about\n\nPrints the library's version and checks that a component owns and "
                     "names its children.\n";
        return ExitSuccess;
    }
    std::cout << "Cartova " << LibraryVersion() << "\n";
    TComponent Owner;
    Owner.SetName("Map1");
    auto* Child = new TComponent(&Owner);
    Child->SetName("Tool1");
    std::cout << "component " << Owner.ClassName() << " \"" << Owner.GetName() << "\": "
              << Owner.ComponentCount() << " owned (" << Owner.GetComponents(0)->GetName() << ")\n";
    return ExitSuccess;
}

const TCommand* FindCommand(const std::string& Name)
{
    for (const TCommand& C : Commands)
        if (Name == C.Name)
            return &C;
    return nullptr;
}

int Run(const TArgs& Args)
{
    if (Args.empty()) {
        std::cerr << "Usage: cartova COMMAND [ARGUMENTS]\n"
                     "Run 'cartova --help' for the commands.\n";
        return ExitUsage;
    }
    const std::string& Name = Args[0];
    if (Name == "--help" || Name == "-h" || (Name == "help" && Args.size() == 1)) {
        PrintHelp();
        return ExitSuccess;
    }
    if (Name == "--version") {
        std::cout << "cartova " << LibraryVersion() << " (Qt " << qVersion() << ")\n";
        return ExitSuccess;
    }
    if (Name == "help") { // cartova help COMMAND is cartova COMMAND --help
        if (!FindCommand(Args[1])) {
            std::cerr << "cartova: no help on '" << Args[1] << "': there is no such command\n"
                      << "Run 'cartova --help' for the commands.\n";
            return ExitUsage;
        }
        return Run({Args[1], "--help"});
    }
    const TCommand* Command = FindCommand(Name);
    if (!Command) {
        std::cerr << "cartova: unknown command '" << Name << "'\n"
                  << "Run 'cartova --help' for the commands.\n";
        return ExitUsage;
    }
    SetCommandName(Name);
    // What the library says outside the reading of a file (MapSession names the file then).
    SetMessageHandler([](const TMessageRequest& R) {
        if (R.Type == mtError)
            ReportError(R.Text);
        else
            Warn("", R.Text);
        return DefaultModalResult(R.Buttons);
    });
    try {
        return Command->Run(TArgs(Args.begin() + 1, Args.end()));
    } catch (const TUsageError& E) {
        return ReportUsage(E.what());
    } catch (const std::exception& E) {
        return ReportError(E.what());
    }
}

} // namespace

int main(int argc, char** argv)
{
    SetUpHeadlessPlatform();
    // Qt sees only the program's name, so no argument is taken for a Qt option.
    static int QtArgc = 1;
    static char* QtArgv[] = {argv[0], nullptr};
    QApplication App(QtArgc, QtArgv);
    QApplication::setApplicationName("cartova");
    QApplication::setApplicationVersion(QString::fromStdString(LibraryVersion()));
    const TProviders Providers;
    return Run(TArgs(argv + 1, argv + argc));
}
