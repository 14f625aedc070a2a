// The `cartova` command line.
#include "host/Host.h"

#include <QCoreApplication>

#include <cstring>
#include <exception>
#include <iostream>

using namespace cartova;

namespace {

int Usage()
{
    std::cerr << "usage: cartova about\n";
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

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication App(argc, argv);
    try {
        if (argc < 2)
            return Usage();
        if (std::strcmp(argv[1], "about") == 0)
            return About();
        return Usage();
    } catch (const std::exception& E) {
        std::cerr << "cartova: " << E.what() << "\n";
        return 1;
    }
}
