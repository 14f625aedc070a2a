#pragma once
// TSimpleMIFFormatProvider: MapInfo interchange text files (.mif with its .mid).

#include "formats/CustomFormatProvider.h"

namespace cartova {

/// The MIF/MID provider (simple edition); accepts names ending in ".mif" in any case.
class TSimpleMIFFormatProvider : public TCustomFormatProvider {
public:
    explicit TSimpleMIFFormatProvider(TComponent* AOwner = nullptr) : TCustomFormatProvider(AOwner) {}

    /// "MapInfo Interchange Format (MIF) Provider (simple edition)".
    std::string GetDescription() const override;
    /// "MapInfo Interchange Format Files (*.mif)|*.mif".
    std::string GetFilter() const override;
    /// {830DF284-6671-4CD9-BE3C-CAF9B6DB2E2C}.
    TGUID GetGUID() const override;
    /// Reads a MIF/MID pair into Layer. The reader is not built yet: false.
    bool Load(TMapLayer* Layer, const std::string& FileName) override;
    /// Writes Layer as a MIF/MID pair. The writer is not built yet: false.
    bool Save(TMapLayer* Layer, const std::string& FileName) override;
    /// True for the extension ".mif", compared ignoring case.
    bool CanProcessFile(const std::string& FileName) const override;
};

} // namespace cartova
