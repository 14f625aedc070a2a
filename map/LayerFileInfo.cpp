#include "map/LayerFileInfo.h"

namespace cartova {

void TSkippedObjects::Add(const std::string& Kind, int Count)
{
    if (Count > 0)
        FCounts[Kind] += Count;
}

void TSkippedObjects::AddClass(const std::string& ClassName)
{
    Add(ClassName.size() > 1 && ClassName[0] == 'T' ? ClassName.substr(1) : ClassName);
}

int TSkippedObjects::Total() const
{
    int N = 0;
    for (const auto& Entry : FCounts)
        N += Entry.second;
    return N;
}

std::string TSkippedObjects::ToString() const
{
    std::string Out;
    for (const auto& [Kind, Count] : FCounts)
        Out += (Out.empty() ? "" : ", ") + Kind + " " + std::to_string(Count);
    return Out;
}

const TColumnDeclaration* TLayerFileInfo::FindColumn(const std::string& Name) const
{
    for (const TColumnDeclaration& C : Columns)
        if (C.Name == Name)
            return &C;
    return nullptr;
}

} // namespace cartova
