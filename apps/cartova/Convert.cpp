#include "apps/cartova/Commands.h"
#include "apps/cartova/MapSession.h"

#include <filesystem>
#include <iostream>

namespace cartova::cli {

namespace {

bool SameFile(const std::string& A, const std::string& B)
{
    std::error_code Ec;
    return std::filesystem::equivalent(A, B, Ec);
}

} // namespace

int Convert(const TArgs& Args)
{
    bool Overwrite = false;
    TArgs Files;
    for (const std::string& A : Args) {
        if (A == "--overwrite")
            Overwrite = true;
        else if (!A.empty() && A[0] == '-')
            return Fail("convert: unknown option " + A);
        else
            Files.push_back(A);
    }
    if (Files.size() != 2)
        return Fail("usage: cartova convert IN OUT [--overwrite]");
    const std::string In = ExpandFileName(Files[0]);
    const std::string Out = ExpandFileName(Files[1]);
    if (!Overwrite && SameFile(In, Out))
        return Fail(Files[1] + ": this is the input file; use --overwrite to replace it");
    if (!Overwrite && std::filesystem::exists(Out))
        return Fail(Files[1] + ": the file exists; use --overwrite to replace it");
    TMapSession Session;
    if (!FormatProviders || !FormatProviders->FindSuitableProvider(Out))
        return Fail(Files[1] + ": no format provider writes this file");
    TMapLayer* Layer = Session.Load(Files[0]);
    const TSkippedObjects& Skipped = Layer->GetFileInfo().Skipped;
    if (!Skipped.Empty())
        std::cerr << "cartova: warning: " << Files[0] << ": " << Skipped.Total()
                  << " objects not written, of kinds without a class here (" << Skipped.ToString() << ")\n";
    if (!Layer->SaveToFile(Out))
        return Fail(Files[1] + ": the file could not be written");
    std::cout << "wrote " << Out << " (" << Layer->GetObjectCount() << " objects)\n";
    return 0;
}

} // namespace cartova::cli
