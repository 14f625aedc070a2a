// A user's program: includes the installed headers and calls the library.
#include "host/Host.h"

#include <iostream>

int main()
{
    std::cout << "Cartova " << cartova::LibraryVersion() << "\n";
    return 0;
}
