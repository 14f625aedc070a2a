// The `cartova` command line: about, render, info, convert, index.
#include "apps/cartova/Commands.h"
#include "host/Host.h"

#include <QApplication>

#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>

using namespace cartova;

namespace {

int Usage()
{
    std::cerr << "usage: cartova about\n"
                 "       cartova render FILE... -o out.png [--size WxH] [--center X,Y] [--zoom Z] [--rotate DEG]\n"
                 "       cartova info FILE... [--json]\n"
                 "       cartova convert IN OUT [--overwrite]\n"
                 "       cartova index FILE\n";
    return 2;
}

// Prints the library's version and the state of a freshly created component.
int About()
{
    std::cout << "Cartova " << LibraryVersion() << "\n";
    TComponent Owner;
    Owner.SetName("Map1");
    auto* Child = new TComponent(&Owner);
    Child->SetName("Tool1");
    std::cout << "component " << Owner.ClassName() << " \"" << Owner.GetName() << "\": "
              << Owner.ComponentCount() << " owned (" << Owner.GetComponents(0)->GetName() << ")\n";
    return 0;
}

// Without a display the program draws on Qt's offscreen platform.
void ChoosePlatform()
{
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

} // namespace

int cartova::cli::Fail(const std::string& Message)
{
    std::cerr << "cartova: " << Message << "\n";
    return 1;
}

int main(int argc, char** argv)
{
    ChoosePlatform();
    QApplication App(argc, argv);
    try {
        if (argc < 2)
            return Usage();
        const std::string Command = argv[1];
        const cli::TArgs Args(argv + 2, argv + argc);
        if (Command == "about")
            return About();
        if (Command == "render")
            return cli::Render(Args);
        if (Command == "info")
            return cli::Info(Args);
        if (Command == "convert")
            return cli::Convert(Args);
        if (Command == "index")
            return cli::Index(Args);
        return Usage();
    } catch (const std::exception& E) {
        std::cerr << "cartova: " << E.what() << "\n";
        return 1;
    }
}
