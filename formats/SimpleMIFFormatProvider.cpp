#include "formats/SimpleMIFFormatProvider.h"

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

bool TSimpleMIFFormatProvider::Load(TMapLayer*, const std::string&)
{
    return false;
}

bool TSimpleMIFFormatProvider::Save(TMapLayer*, const std::string&)
{
    return false;
}

bool TSimpleMIFFormatProvider::CanProcessFile(const std::string& FileName) const
{
    return HasFileExt(FileName, ".mif");
}

} // namespace cartova
