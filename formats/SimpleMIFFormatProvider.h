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
    /// Reads a MIF/MID pair into Layer (appending objects). False when the
    /// file is missing, Layer has no map, or an error stopped the reading (the
    /// error is shown through the host's message handler).
    bool Load(TMapLayer* Layer, const std::string& FileName) override;
    /// Writes Layer as a MIF/MID pair; true when both files were written
    /// completely. The old pair is replaced only then; errors propagate.
    bool Save(TMapLayer* Layer, const std::string& FileName) override;
    /// True for the extension ".mif", compared ignoring case.
    bool CanProcessFile(const std::string& FileName) const override;
};

} // namespace cartova
