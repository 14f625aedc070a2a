#include "apps/cartova/MapSession.h"
#include "apps/cartova/Messages.h"

#include <regex>

namespace cartova::cli {

namespace {

// The reader's "Error reading mif-file at line N with message: M!" as
// "line N: M", the file being named already.
std::string Reworded(const std::string& Error)
{
    static const std::regex Mif("Error reading mif-file at line (\\d+) with message: ([\\s\\S]*?)!?");
    std::smatch M;
    if (!std::regex_match(Error, M, Mif))
        return Error;
    return M[1] == "0" ? M[2].str() : "line " + M[1].str() + ": " + M[2].str();
}

// While alive, the library's messages concern File: warnings are written at
// once naming it, errors are kept for the caller to report.
class TFileMessages {
public:
    explicit TFileMessages(const std::string& File)
        : FPrevious(SetMessageHandler([this, File](const TMessageRequest& R) {
              if (R.Type == mtError)
                  FErrors += (FErrors.empty() ? "" : "\n") + Reworded(R.Text);
              else
                  Warn(File, R.Text);
              return DefaultModalResult(R.Buttons);
          }))
    {
    }
    ~TFileMessages() { SetMessageHandler(std::move(FPrevious)); }
    TFileMessages(const TFileMessages&) = delete;
    TFileMessages& operator=(const TFileMessages&) = delete;

    const std::string& Errors() const { return FErrors; }

private:
    std::string FErrors;
    TMessageHandler FPrevious;
};

} // namespace

TMapSession::TMapSession(int Width, int Height)
    : FParent(std::make_unique<QWidget>()), FMap(std::make_unique<TCartova>())
{
    FParent->resize(Width, Height);
    FMap->SetParentWidget(FParent.get());
    FMap->SetBounds(0, 0, Width, Height);
}

TMapSession::~TMapSession()
{
    FMap.reset();
    FParent.reset();
}

std::vector<TMapLayer*> TMapSession::Open(const std::string& File)
{
    const TLayerSource Source = ResolveLayerSource(File);
    switch (Source.Kind) {
    case lsFolder: throw TFileError(File, "is a folder, not a map file");
    case lsNoName:
    case lsMissing: throw TFileError(File, "no such file");
    case lsNoProvider:
        if (IsWorkspace(Source.FileName))
            return OpenWorkspace(File, Source.FileName);
        throw TFileError(File, "not a kind of file cartova reads; it reads " + ReadableKinds());
    case lsReadable: break;
    }
    TFileMessages Messages(File);
    TMapLayer* Layer = nullptr;
    try {
        Layer = FMap->GetLayers()->Add(Source, "");
    } catch (const ELayerLoadError&) {
        throw TFileError(File, Messages.Errors().empty() ? "the file could not be read" : Messages.Errors());
    }
    if (!Messages.Errors().empty()) // errors the reader read past
        Warn(File, Messages.Errors());
    return {Layer};
}

std::vector<TMapLayer*> TMapSession::OpenWorkspace(const std::string& File, const std::string& Path)
{
    TWorkspace Workspace;
    try {
        Workspace = ReadWorkspace(Path);
    } catch (const std::exception& E) {
        throw TFileError(File, E.what());
    }
    TFileMessages Messages(File);
    const TWorkspaceLoad Load = ApplyWorkspace(*FMap, Workspace, ExtractFileDir(Path));
    for (const std::string& Missing : Load.Missing)
        Warn(File, "table \"" + Missing + "\" not found; skipped");
    // A table that could not be read leaves no empty layer behind.
    std::vector<TMapLayer*> Layers;
    TMapLayers* MapLayers = FMap->GetLayers();
    for (TMapLayer* Layer : Load.Layers) {
        if (!Layer->GetFileName().empty()) {
            Layers.push_back(Layer);
            continue;
        }
        Warn(File, "table \"" + Layer->GetName() + "\" could not be read; skipped");
        MapLayers->Delete(MapLayers->IndexOf(Layer));
    }
    if (!Messages.Errors().empty())
        Warn(File, Messages.Errors());
    if (Layers.empty() && !Workspace.Tables.empty())
        throw TFileError(File, "none of the workspace's tables could be opened");
    if (Workspace.HasCenter)
        FCenter = {Workspace.CenterX, Workspace.CenterY};
    return Layers;
}

bool IsWorkspace(const std::string& File)
{
    return SameText(ExtractFileExt(File), ".wor");
}

TProviders::TProviders()
    : FMif(std::make_unique<TSimpleMIFFormatProvider>()), FMapInfo(std::make_unique<TMapInfoFormatProvider>())
{
}

TProviders::~TProviders() = default;

std::string ProviderKinds()
{
    std::string Kinds;
    for (int I = 0; FormatProviders && I < FormatProviders->Count(); ++I) {
        const std::string Filter = FormatProviders->GetProvider(I)->GetFilter();
        Kinds += (Kinds.empty() ? "" : ", ") + Filter.substr(0, Filter.find('|'));
    }
    return Kinds;
}

std::string ReadableKinds()
{
    const std::string Kinds = ProviderKinds();
    return Kinds + (Kinds.empty() ? "" : ", ") + "MapInfo Workspaces (*.wor)";
}

bool MapExtent(TCartova& Map, TBounds& Extent)
{
    std::vector<TCustomMapObject*> Objects;
    TMapLayers* Layers = Map.GetLayers();
    for (int L = 0; L < Layers->Count(); ++L) {
        TMapLayer* Layer = Layers->GetLayers(L);
        for (int I = 0; I < Layer->GetObjectCount(); ++I)
            Objects.push_back(Layer->GetObjects(I));
    }
    if (Objects.empty())
        return false;
    Extent = GatherExtent(Objects);
    return Extent.MinX <= Extent.MaxX && Extent.MinY <= Extent.MaxY;
}

} // namespace cartova::cli
