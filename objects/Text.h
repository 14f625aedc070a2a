#pragma once
// TText: a text string fitted into a box given in map units, so that it
// scales with the zoom. At every paint the font size is fitted to the box,
// or, with FreezeFontSize, the box is refitted to the font. The box's anchor
// (X, Y) is its lower-left corner; the box turns by Angle degrees
// counter-clockwise about its upper-left corner (X, Y + Height).

#include "objects/Symbol.h"

#include <string>
#include <vector>

namespace cartova {

/// The four screen corners of a text box: upper-left, upper-right,
/// lower-right, lower-left.
using TTextPoligon = std::vector<TPoint>;

namespace detail {
/// The first font size the fitting tries for a box BoxHeight pixels high:
/// round(BoxHeight / 1.48) within 2..200.
int TextStartSize(int BoxHeight);
} // namespace detail

/// A zoom-scaled, rotatable text.
class TText : public TSymbol {
public:
    /// Empty text, box 0 × 0, angle 0, MinShowTextSize 4; listens to its Font.
    TText();
    ~TText() override;

    /// Copies the symbol data and the text, box, angle and sizing settings.
    void Assign(const TPersistent* Source) override;
    /// Texts take the map's default text font when a layer adopts them.
    bool UsesTextFont() const override { return true; }
    /// Takes the new font over and listens to it as to the old one.
    void SetFont(TFont* Value) override;

    const std::string& GetText() const { return FText; }
    /// Stores the text, then fits the font to the box.
    void SetText(const std::string& Value);
    /// Degrees, counter-clockwise; stored without other effect.
    double GetAngle() const { return FAngle; }
    void SetAngle(double Value) { FAngle = Value; }
    /// Box width and height in map units; writing refits the font.
    double GetWidth() const { return FWidth; }
    void SetWidth(double Value);
    double GetHeight() const { return FHeight; }
    void SetHeight(double Value);
    /// With true the font keeps its size and the box follows the text.
    bool GetFreezeFontSize() const { return FFreezeFontSize; }
    void SetFreezeFontSize(bool Value);
    /// Font size (points) below which the text is not drawn; values below 4
    /// are ignored.
    int GetMinShowTextSize() const { return FMinShowTextSize; }
    void SetMinShowTextSize(int Value);

    /// The map area of the rotated box (the anchor for an empty box), so that
    /// a text whose anchor lies outside the view but whose box reaches into
    /// it is still painted.
    TBounds GetExtent() const override;

    /// The rotated box's screen corners; empty without a map.
    TTextPoligon GetTextPolygon() const;
    /// The smallest screen rectangle holding the four corners (Flag unused).
    TRect GetTextRect(bool Flag = false) const;
    /// Gives the canvas a copy of its font turned by Angle degrees
    /// (escapement ceil(Angle × 10) tenths of a degree).
    static void CanvasSetAngle(TCanvas* Canvas, double Angle);

    /// Fits the font size to the box: the largest size whose text extent
    /// fits the box's screen size (size 3 for a box 5 pixels high or less).
    void RecalcTextSize();
    /// Fits the box to the text at the current font size (10 % wider).
    void AutoSizeText();

    /// Sizes (font or box), then draws the text with its background box;
    /// nothing when the font is below MinShowTextSize.
    void Draw() override;
    /// False while the fitted font is below MinShowTextSize.
    bool IsShown() const override { return GetFont()->GetSize() >= FMinShowTextSize; }
    /// Toggles an exclusive-or fill of the text box.
    void DrawSelection() override;
    /// False without a map; else the click's pixel lies in GetTextRect.
    bool ContainsPoint(double PX, double PY) const override;

private:
    void FontChanged();

    std::string FText;
    double FAngle = 0;
    double FWidth = 0;
    double FHeight = 0;
    bool FFreezeFontSize = false;
    int FMinShowTextSize = 4;
    bool FAssigning = false;
};

} // namespace cartova
