#include "apps/cartova/MapSession.h"

#include <algorithm>

namespace cartova::cli {

TMapSession::TMapSession(int Width, int Height)
    : FParent(std::make_unique<QWidget>()), FMifProvider(std::make_unique<TSimpleMIFFormatProvider>()),
      FMap(std::make_unique<TCartova>())
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

TMapLayer* TMapSession::Load(const std::string& FileName)
{
    const std::string Path = ExpandFileName(FileName);
    if (!FileExists(Path))
        throw Exception(Format("%s: no such file", FileName));
    if (!FormatProviders || !FormatProviders->FindSuitableProvider(Path))
        throw Exception(Format("%s: no format provider reads this file", FileName));
    TMapLayer* Layer = FMap->GetLayers()->Add(Path, "");
    if (Layer->GetFileName().empty()) {
        FMap->GetLayers()->Delete(FMap->GetLayers()->Count() - 1);
        throw Exception(Format("%s: the file could not be read", FileName));
    }
    return Layer;
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
