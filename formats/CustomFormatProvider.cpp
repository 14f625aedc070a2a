#include "formats/CustomFormatProvider.h"

namespace cartova {

// Zero-initialised before any constructor of the library runs.
TFormatProviders* FormatProviders = nullptr;

namespace {

bool RegistryGone = false;

// Holds the registry. Created on first use — at the latest by the start-up
// initialiser below, earlier if a provider is built by another static
// initialiser — so it is destroyed after every static provider built later.
struct TRegistryHolder {
    TFormatProviders List;
    TRegistryHolder() { FormatProviders = &List; }
    ~TRegistryHolder()
    {
        FormatProviders = nullptr;
        RegistryGone = true;
    }
};

TFormatProviders* Registry()
{
    if (RegistryGone)
        return nullptr;
    static TRegistryHolder Holder;
    return &Holder.List;
}

[[maybe_unused]] const bool RegistryCreatedAtStartUp = Registry() != nullptr;

} // namespace

TCustomFormatProvider::TCustomFormatProvider(TComponent* AOwner) : TComponent(AOwner)
{
    if (TFormatProviders* List = Registry())
        List->Add(this);
}

TCustomFormatProvider::~TCustomFormatProvider()
{
    if (FormatProviders)
        FormatProviders->Remove(this);
}

void TCustomFormatProvider::SetDefault(bool Value)
{
    FDefault = Value;
    if (Value && FormatProviders)
        for (TCustomFormatProvider* Other : *FormatProviders)
            if (Other != this)
                Other->SetDefault(false);
}

std::string TCustomFormatProvider::GetDescription() const
{
    AbstractError();
}

std::string TCustomFormatProvider::GetFilter() const
{
    AbstractError();
}

TGUID TCustomFormatProvider::GetGUID() const
{
    AbstractError();
}

bool TCustomFormatProvider::Load(TMapLayer*, const std::string&)
{
    AbstractError();
}

bool TCustomFormatProvider::Save(TMapLayer*, const std::string&)
{
    AbstractError();
}

bool TCustomFormatProvider::CanProcessFile(const std::string&) const
{
    AbstractError();
}

bool TCustomFormatProvider::HasFileExt(const std::string& FileName, const std::string& Ext)
{
    return AnsiCompareText(ExtractFileExt(FileName), Ext) == 0;
}

std::string TFormatProviders::GetFilter() const
{
    std::string Result;
    for (int I = 0; I < Count(); ++I) {
        if (I > 0)
            Result += '|';
        Result += GetProvider(I)->GetFilter();
    }
    return Result;
}

int TFormatProviders::GetFilterIndex() const
{
    for (int I = 0; I < Count(); ++I)
        if (GetProvider(I)->GetDefault())
            return I;
    return 0;
}

TCustomFormatProvider* TFormatProviders::FindSuitableProvider(const std::string& FileName) const
{
    for (TCustomFormatProvider* Provider : *this)
        if (Provider->GetEnabled() && Provider->CanProcessFile(FileName))
            return Provider;
    return nullptr;
}

TCustomFormatProvider* TFormatProviders::GetProviderByGUID(const TGUID& Guid) const
{
    for (TCustomFormatProvider* Provider : *this)
        if (Provider->GetGUID() == Guid)
            return Provider;
    return nullptr;
}

bool LoadLayerFromProviders(TMapLayer* Layer, const std::string& FileName)
{
    if (!FormatProviders)
        return false;
    TCustomFormatProvider* Provider = FormatProviders->FindSuitableProvider(FileName);
    return Provider && Provider->Load(Layer, FileName);
}

bool SaveLayerToProviders(TMapLayer* Layer, const std::string& FileName)
{
    if (!FormatProviders)
        return false;
    TCustomFormatProvider* Provider = FormatProviders->FindSuitableProvider(FileName);
    return Provider && Provider->Save(Layer, FileName);
}

} // namespace cartova
