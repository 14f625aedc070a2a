#include "apps/cartova/Commands.h"
#include "apps/cartova/MapSession.h"

#include <iostream>

namespace cartova::cli {

int Convert(const TArgs& Args)
{
    if (Args.size() != 2)
        return Fail("usage: cartova convert IN OUT");
    TMapSession Session;
    TMapLayer* Layer = Session.Load(Args[0]);
    const std::string Out = ExpandFileName(Args[1]);
    if (!FormatProviders || !FormatProviders->FindSuitableProvider(Out))
        return Fail(Args[1] + ": no format provider writes this file");
    if (!Layer->SaveToFile(Out))
        return Fail(Args[1] + ": the file could not be written");
    std::cout << "wrote " << Out << " (" << Layer->GetObjectCount() << " objects)\n";
    return 0;
}

} // namespace cartova::cli
