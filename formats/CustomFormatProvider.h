#pragma once
// Format providers: components that read a map file into a layer and write a
// layer to a file, chosen by file name. Every provider enters the one
// process-wide registry, FormatProviders, when constructed and leaves it when
// destroyed; the registry chooses providers and builds the dialog filter.

#include "host/Core.h"

#include <string>

namespace cartova {

class TMapLayer;

/// Base of the format providers. The format operations are abstract here:
/// called on this class they raise EAbstractError.
class TCustomFormatProvider : public TComponent {
public:
    /// Creates the component and appends it to FormatProviders; Default false, Enabled true.
    explicit TCustomFormatProvider(TComponent* AOwner = nullptr);
    /// Leaves FormatProviders (later providers' indices shift down).
    ~TCustomFormatProvider() override;

    bool GetDefault() const { return FDefault; }
    /// Stores Value; true clears Default on every other registered provider.
    void SetDefault(bool Value);
    bool GetEnabled() const { return FEnabled; }
    /// Only enabled providers are chosen by FindSuitableProvider.
    void SetEnabled(bool Value) { FEnabled = Value; }

    /// Human-readable name of the format.
    virtual std::string GetDescription() const;
    /// File dialog filter pair: caption, "|", mask.
    virtual std::string GetFilter() const;
    /// The fixed identifier of the provider class.
    virtual TGUID GetGUID() const;
    /// Reads FileName into Layer; true on success.
    virtual bool Load(TMapLayer* Layer, const std::string& FileName);
    /// Writes Layer to FileName; true on success.
    virtual bool Save(TMapLayer* Layer, const std::string& FileName);
    /// Whether this provider handles the file, judged by its name only.
    virtual bool CanProcessFile(const std::string& FileName) const;

protected:
    /// Whether FileName's extension (ExtractFileExt) equals Ext ignoring case.
    static bool HasFileExt(const std::string& FileName, const std::string& Ext);

private:
    bool FDefault = false;
    bool FEnabled = true;
};

/// The registry: references to every existing provider in creation order.
/// It never frees a provider.
class TFormatProviders : public TList<TCustomFormatProvider> {
public:
    TCustomFormatProvider* GetProvider(int Index) const { return GetItems(Index); }
    void SetProvider(int Index, TCustomFormatProvider* Value) { SetItems(Index, Value); }

    /// Every provider's Filter (enabled or not) in registry order joined by "|".
    std::string GetFilter() const;
    /// 0-based index of the first Default provider; 0 when none is Default.
    int GetFilterIndex() const;
    /// The first enabled provider accepting FileName; nullptr when none.
    TCustomFormatProvider* FindSuitableProvider(const std::string& FileName) const;
    /// The first provider whose GUID equals Guid; nullptr when none.
    TCustomFormatProvider* GetProviderByGUID(const TGUID& Guid) const;
};

/// The process-wide registry. It is a static object of the library, created
/// when the library is loaded and destroyed when it is unloaded; after that
/// this pointer is nullptr (and providers still alive leave nothing to update).
extern TFormatProviders* FormatProviders;

/// What TMapLayer::LoadFromFile does with the registry: the first suitable
/// provider's Load; false when the registry is gone or no provider accepts the name.
bool LoadLayerFromProviders(TMapLayer* Layer, const std::string& FileName);
/// What TMapLayer::SaveToFile does with the registry: the first suitable
/// provider's Save; false when the registry is gone or no provider accepts the name.
bool SaveLayerToProviders(TMapLayer* Layer, const std::string& FileName);

} // namespace cartova
