#include "apps/cartova/Commands.h"
#include "apps/cartova/MapSession.h"
#if __has_include("map/IndexCell.h")
#include "map/IndexCell.h"
#define CARTOVA_CLI_HAVE_INDEX 1
#endif

#include <iostream>

namespace cartova::cli {

int Index(const TArgs& Args)
{
    if (Args.size() != 1)
        return Fail("usage: cartova index FILE");
#ifndef CARTOVA_CLI_HAVE_INDEX
    return Fail("index: the spatial index is not available in this build");
#else
    TMapSession Session;
    TMapLayer* Layer = Session.Load(Args[0]);
    // Built afresh from the objects, whatever index file exists already.
    TIndexCell Root;
    Root.SetLayer(Layer);
    Root.Clear();
    Root.InitRootCell();
    Root.Divide();
    const std::string File = TIndexCell::IndexFileName(Layer);
    if (!Root.SaveToFile(File))
        return Fail(File + ": the index could not be written");
    std::cout << "wrote " << File << " (" << Layer->GetObjectCount() << " objects)\n";
    return 0;
#endif
}

} // namespace cartova::cli
