#pragma once
// TSymbol: one character of a symbol font centred on a map point. Its size is
// the font's, in screen pixels, whatever the zoom. When the font a symbol
// names is not installed, the classic MapInfo symbol shapes (codes 31..67)
// are drawn as vector figures instead (objects/SymbolShapes.h).

#include "objects/CustomMapObject.h"

#include <string>

namespace cartova {

/// A point symbol: character Shape of the object's Font, centred on the
/// anchor (X, Y), which is vertex 0 of part 0.
class TSymbol : public TCustomMapObject {
public:
    /// Shape 31 (no symbol), anchor (0, 0) written through SetX and SetY.
    TSymbol();

    /// Copies the base data and the shape of another symbol.
    void Assign(const TPersistent* Source) override;

    /// The character code drawn; 31 draws nothing.
    int GetShape() const { return FShape; }
    /// Stores the larger of Value and 31.
    void SetShape(int Value);

    /// The anchor; reading adds a part when there is none and the vertex
    /// (0, 0) when the first part is empty.
    double GetX() const;
    double GetY() const;
    /// Sets the anchor's X (adds (Value, 0) to an empty first part); the
    /// bounds are not updated.
    virtual void SetX(double Value);
    /// Sets the anchor's Y (adds (0, Value) to an empty first part).
    virtual void SetY(double Value);

    /// Records the symbol as displayed and draws its character (or its vector
    /// shape when the font is missing) centred on the anchor.
    void Draw() override;
    /// Toggles an exclusive-or rectangle of the character's size.
    void DrawSelection() override;

    /// True without a map; else the click lies within Font.Size div 2 + 2
    /// pixels of the anchor on both axes (the point size used as pixels).
    bool ContainsPoint(double PX, double PY) const override;
    /// The other object's ContainsPoint at the anchor.
    bool Intersects(const TCustomMapObject* MapObject) const override;
    /// Always false: a point contains nothing.
    bool Contains(const TCustomMapObject* MapObject) const override;
    /// The anchor lies in the rectangle (edges included).
    bool IntersectsRect(double X0, double Y0, double X1, double Y1) const override;
    bool WithinRect(double X0, double Y0, double X1, double Y1) const override;
    /// Always false.
    bool ContainsRect(double X0, double Y0, double X1, double Y1) const override;

protected:
    /// The anchor vertex, created as the getters describe.
    TMapPoint& Anchor() const;
    /// The anchor vertex, first added as (X, Y) when the symbol has none.
    TMapPoint& AnchorOrAdd(double X, double Y) const;

private:
    int FShape = 31;
};

} // namespace cartova
