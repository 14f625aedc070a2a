#include "apps/cartova/Commands.h"
#include "apps/cartova/MapSession.h"
#include "apps/cartova/Messages.h"

#include <filesystem>
#include <iostream>

namespace cartova::cli {

namespace {

const char* const Help = R"(Usage: cartova convert IN OUT [--overwrite]

Reads the map file IN and writes its layer to OUT, in the format OUT's
extension names. Objects of kinds Cartova has no class for are not carried
over; convert names them in a warning.

Options:
  --overwrite  replace OUT when it exists (also when OUT is IN)
  -h, --help   print this help and exit
)";

bool SameFile(const std::string& A, const std::string& B)
{
    std::error_code Ec;
    return std::filesystem::equivalent(A, B, Ec);
}

} // namespace

int Convert(const TArgs& Args)
{
    const TArguments A(Args, {{"--overwrite", "", ""}});
    if (A.Help()) {
        std::cout << Help;
        return ExitSuccess;
    }
    if (A.Operands().size() != 2)
        throw TUsageError("convert wants two files, IN and OUT: cartova convert IN OUT [--overwrite]");
    const std::string& InArg = A.Operands()[0];
    const std::string& OutArg = A.Operands()[1];
    const bool Overwrite = A.Has("--overwrite");
    const std::string Out = ExpandFileName(OutArg);
    if (!Overwrite && SameFile(ExpandFileName(InArg), Out))
        throw TFileError(OutArg, "this is the input file; use --overwrite to replace it");
    if (!Overwrite && std::filesystem::exists(Out))
        throw TFileError(OutArg, "the file exists; use --overwrite to replace it");
    if (IsWorkspace(InArg))
        throw TFileError(InArg, "a workspace names several tables; convert one of them");
    if (!FormatProviders || !FormatProviders->FindSuitableProvider(Out))
        throw TFileError(OutArg, "not a kind of file cartova writes; it writes " + ProviderKinds());
    std::error_code Ec;
    if (const auto Folder = std::filesystem::path(Out).parent_path(); !std::filesystem::is_directory(Folder, Ec))
        throw TFileError(OutArg, "no such folder " + Folder.string());
    TMapSession Session;
    for (TMapLayer* Layer : Session.Open(InArg)) {
        const TSkippedObjects& Skipped = Layer->GetFileInfo().Skipped;
        if (!Skipped.Empty())
            Warn(InArg, std::to_string(Skipped.Total()) + (Skipped.Total() == 1 ? " object" : " objects") +
                            " not written, of kinds Cartova has no class for (" + Skipped.ToString() + ")");
        if (!Layer->SaveToFile(Out))
            throw TFileError(OutArg, "the file could not be written");
        const TSkippedObjects& Unsaved = Layer->GetFileInfo().Unsaved;
        if (!Unsaved.Empty())
            Warn(OutArg, std::to_string(Unsaved.Total()) + (Unsaved.Total() == 1 ? " object" : " objects") +
                             " not written, of kinds the file cannot hold (" + Unsaved.ToString() + ")");
        std::cout << "wrote " << Out << " (" << Layer->GetObjectCount() << " objects)\n";
    }
    return ExitSuccess;
}

} // namespace cartova::cli
