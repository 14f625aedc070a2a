#include "map/CartovaOptions.h"

namespace cartova {

TCartovaOptions::TCartovaOptions()
    : FDefaultTextFont(std::make_unique<TFont>()),
      FDefaultSymbolFont(std::make_unique<TFont>()),
      FDefaultPen(std::make_unique<TPen>()),
      FDefaultBrush(std::make_unique<TBrush>())
{
    FDefaultTextFont->SetName("Courier New");
    FDefaultTextFont->SetSize(12);
    FDefaultSymbolFont->SetName("MapInfo Cartographic");
    FDefaultSymbolFont->SetColor(clNavy);
    FDefaultSymbolFont->SetSize(12);
}

TCartovaOptions::~TCartovaOptions() = default;

void TCartovaOptions::SetDefaultTextFont(TFont* Value) { ReplaceOwned(FDefaultTextFont, Value); }
void TCartovaOptions::SetDefaultSymbolFont(TFont* Value) { ReplaceOwned(FDefaultSymbolFont, Value); }
void TCartovaOptions::SetDefaultPen(TPen* Value) { ReplaceOwned(FDefaultPen, Value); }
void TCartovaOptions::SetDefaultBrush(TBrush* Value) { ReplaceOwned(FDefaultBrush, Value); }

void TCartovaOptions::Assign(const TPersistent* Source)
{
    const auto* Other = dynamic_cast<const TCartovaOptions*>(Source);
    if (!Other) {
        TPersistent::Assign(Source);
        return;
    }
    FDefaultTextFont->Assign(Other->FDefaultTextFont.get());
    FDefaultSymbolFont->Assign(Other->FDefaultSymbolFont.get());
    FDefaultSymbolShape = Other->FDefaultSymbolShape;
    FDefaultPen->Assign(Other->FDefaultPen.get());
    FDefaultBrush->Assign(Other->FDefaultBrush.get());
    FDefaultBGColor = Other->FDefaultBGColor;
    FUseBGColor = Other->FUseBGColor;
    FAntialias = Other->FAntialias;
}

} // namespace cartova
