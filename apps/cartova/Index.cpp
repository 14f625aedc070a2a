#include "apps/cartova/Commands.h"
#include "apps/cartova/MapSession.h"
#include "apps/cartova/Messages.h"
#include "map/IndexCell.h"

#include <iostream>

namespace cartova::cli {

namespace {

const char* const Help = R"(Usage: cartova index FILE

Builds the spatial index (a quadtree) of the objects of the map file FILE and
saves it beside the file under the same name with the extension .idx,
replacing an index that is there. Maps that open FILE later find their
objects through it.

Options:
  -h, --help   print this help and exit
)";

} // namespace

int Index(const TArgs& Args)
{
    const TArguments A(Args, {});
    if (A.Help()) {
        std::cout << Help;
        return ExitSuccess;
    }
    if (A.Operands().size() != 1)
        throw TUsageError("index wants one FILE: cartova index FILE");
    TMapSession Session;
    for (TMapLayer* Layer : Session.Open(A.Operands()[0])) {
        // Built afresh from the objects, whatever index file exists already.
        TIndexCell Root;
        Root.SetLayer(Layer);
        Root.Clear();
        Root.InitRootCell();
        Root.Divide();
        const std::string File = TIndexCell::IndexFileName(Layer);
        Root.SaveToFile(File); // raises an error naming the file when it cannot write it
        std::cout << "wrote " << File << " (" << Layer->GetObjectCount() << " objects)\n";
    }
    return ExitSuccess;
}

} // namespace cartova::cli
