// A user's program: includes the installed headers and calls the library,
// including a bitmap compiled into it as a Qt resource (a layer list glyph).
#include "host/Host.h"

#include <iostream>

int main()
{
    std::cout << "Cartova " << cartova::LibraryVersion() << "\n";
    cartova::TBitmap Glyph;
    Glyph.LoadFromResource("0");
    std::cout << "glyph " << Glyph.GetWidth() << "x" << Glyph.GetHeight() << "\n";
    return 0;
}
