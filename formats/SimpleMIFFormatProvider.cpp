#include "formats/SimpleMIFFormatProvider.h"

#include "formats/MifReader.h"
#include "formats/MifWriter.h"
#include "map/Layers.h"

namespace cartova {

std::string TSimpleMIFFormatProvider::GetDescription() const
{
    return "MapInfo Interchange Format (MIF) Provider (simple edition)";
}

std::string TSimpleMIFFormatProvider::GetFilter() const
{
    return "MapInfo Interchange Format Files (*.mif)|*.mif";
}

TGUID TSimpleMIFFormatProvider::GetGUID() const
{
    return StringToGUID("{830DF284-6671-4CD9-BE3C-CAF9B6DB2E2C}");
}

bool TSimpleMIFFormatProvider::Load(TMapLayer* Layer, const std::string& FileName)
{
    if (!Layer || !Layer->GetMap() || !FileExists(FileName))
        return false;
    return detail::LoadMif(*Layer, FileName);
}

bool TSimpleMIFFormatProvider::Save(TMapLayer* Layer, const std::string& FileName)
{
    if (!Layer)
        return false;
    return detail::SaveMif(*Layer, FileName);
}

bool TSimpleMIFFormatProvider::CanProcessFile(const std::string& FileName) const
{
    return HasFileExt(FileName, ".mif");
}

} // namespace cartova
