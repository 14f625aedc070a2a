#pragma once
// TCartovaOptions: the default styles a map gives the objects its layers adopt.

#include "host/Host.h"

#include <memory>

namespace cartova {

/// Default drawing options of a map control (published as its Options).
/// Layers copy them into every object they adopt; the drawing tools use the
/// fonts and symbol shape for new symbols and texts.
class TCartovaOptions : public TPersistent {
public:
    TCartovaOptions();
    ~TCartovaOptions() override;

    /// Font of new texts: "Courier New", 12 points.
    TFont* GetDefaultTextFont() const { return FDefaultTextFont.get(); }
    /// Font of new symbols: "MapInfo Cartographic", navy, 12 points.
    TFont* GetDefaultSymbolFont() const { return FDefaultSymbolFont.get(); }
    /// Character code of new symbols in the symbol font (58).
    int GetDefaultSymbolShape() const { return FDefaultSymbolShape; }
    TPen* GetDefaultPen() const { return FDefaultPen.get(); }
    TBrush* GetDefaultBrush() const { return FDefaultBrush.get(); }
    /// Background colour of new objects when UseBGColor (white).
    TColor GetDefaultBGColor() const { return FDefaultBGColor; }
    bool GetUseBGColor() const { return FUseBGColor; }
    /// Whether the off-screen bitmap is painted with antialiased edges (off:
    /// every edge is pixel-exact, the classic look). Selection markers are
    /// drawn aliased either way, so exclusive-or keeps toggling exactly.
    bool GetAntialias() const { return FAntialias; }

    // The style setters take ownership of the new object and free the old one.
    void SetDefaultTextFont(TFont* Value);
    void SetDefaultSymbolFont(TFont* Value);
    void SetDefaultPen(TPen* Value);
    void SetDefaultBrush(TBrush* Value);
    void SetDefaultSymbolShape(int Value) { FDefaultSymbolShape = Value; }
    void SetDefaultBGColor(TColor Value) { FDefaultBGColor = Value; }
    void SetUseBGColor(bool Value) { FUseBGColor = Value; }
    void SetAntialias(bool Value) { FAntialias = Value; }

    /// Copies every option of another TCartovaOptions into this one.
    void Assign(const TPersistent* Source) override;

private:
    std::unique_ptr<TFont> FDefaultTextFont;
    std::unique_ptr<TFont> FDefaultSymbolFont;
    int FDefaultSymbolShape = 58;
    std::unique_ptr<TPen> FDefaultPen;
    std::unique_ptr<TBrush> FDefaultBrush;
    TColor FDefaultBGColor = clWhite;
    bool FUseBGColor = false;
    bool FAntialias = false;
};

} // namespace cartova
