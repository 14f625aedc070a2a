#pragma once
// TSprite: a bitmap marker centred on a map point that shows, hides and moves
// over the painted map without repainting it. Showing saves the pixels under
// the glyph and draws it; hiding puts the saved pixels back. The map's paint
// calls Draw, which shows the sprite again on the freshly painted map while
// its anchor is in view.

#include "objects/CustomMapObject.h"

#include <memory>

namespace cartova {

/// A moving marker: Glyph centred on the anchor (X, Y), vertex 0 of part 0.
/// Its size is the glyph's, in pixels, whatever the zoom. The glyph is drawn
/// transparently: by default the colour of its bottom-left pixel is skipped.
///
/// The sprite is "shown" while its glyph is on the map canvas with the pixels
/// under it saved. Show draws it only while Visible; Hide puts the saved
/// pixels back only while it is shown, and only when the view has not changed
/// since they were saved (after a pan or zoom the map is repainted anyway and
/// old pixels would be wrong).
class TSprite : public TCustomMapObject {
public:
    /// Anchor (0, 0), visible, an empty transparent glyph, no image list.
    TSprite();
    ~TSprite() override;

    /// Copies the base data, the glyph, visibility, image list and index of
    /// another sprite (nothing is shown or hidden).
    void Assign(const TPersistent* Source) override;

    // ---- glyph
    /// The owned glyph. After drawing on it directly, call GlyphChanged.
    TBitmap* GetGlyph() const { return FGlyph.get(); }
    /// Hides, copies Value into the glyph (which stays transparent), shows.
    void SetGlyph(const TBitmap* Value);
    /// An image list to take glyphs from; not owned, forgotten when the list
    /// is destroyed. Assigning a list loads its image ImageIndex.
    TCustomImageList* GetImageList() const { return FImageList; }
    void SetImageList(TCustomImageList* Value);
    /// Which image of ImageList is the glyph. Writing it hides the sprite,
    /// loads that image (an index the list does not have keeps the glyph)
    /// and shows the sprite again.
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    /// Hides and shows the sprite again, to show a changed glyph.
    void GlyphChanged();

    /// Whether Show draws the sprite. Writing a new value shows or hides it;
    /// writing the current value does nothing.
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);

    // ---- anchor
    /// The anchor; reading adds the part and the vertex (0, 0) when missing.
    double GetX() const;
    double GetY() const;
    /// Hides, moves the anchor (adds (Value, 0) to an empty first part),
    /// shows. The bounding box is not updated (GetExtent follows the anchor).
    void SetX(double Value);
    /// As SetX, adding (0, Value).
    void SetY(double Value);
    /// Hides at the old place, moves the anchor, shows at the new one: the
    /// background is saved once.
    void Move(double X, double Y);

    // ---- showing on the map canvas
    /// Saves the background and draws the glyph centred on the anchor's pixel
    /// (top-left at sx − w div 2, sy − h div 2); nothing without a map, while
    /// hidden (not Visible) or inside Move.
    void Show();
    /// Puts the saved pixels back (see the class comment); nothing inside Move.
    void Hide();
    /// Copies the map canvas pixels under the glyph box into the background store.
    void SaveBackground();
    /// Draws the background store back where it was saved, when the view is
    /// the one it was saved in and the sprite meets the view.
    void RestoreBackground();

    // ---- map object protocol
    /// During the map's paint: shows the sprite on the fresh map when it is
    /// Visible and its anchor lies in the view.
    void Draw() override;
    /// Whether the last Draw showed the sprite (an invisible or out-of-view
    /// sprite cannot be clicked).
    bool IsShown() const override { return FDrawn; }
    /// The anchor point: where the map looks for the sprite when painting.
    TBounds GetExtent() const override;

    /// The point's pixel lies within the glyph box around the anchor's pixel
    /// (± w div 2, ± h div 2); false without a map.
    bool ContainsPoint(double PX, double PY) const override;
    /// A corner of the glyph box, taken back to map units, lies in the
    /// rectangle. Without a map: the anchor lies in it.
    bool IntersectsRect(double X0, double Y0, double X1, double Y1) const override;
    /// The anchor lies in the rectangle (edges included).
    bool WithinRect(double X0, double Y0, double X1, double Y1) const override;
    /// A marker contains and intersects nothing: always false.
    bool Contains(const TCustomMapObject* MapObject) const override;
    bool Intersects(const TCustomMapObject* MapObject) const override;
    bool ContainsRect(double X0, double Y0, double X1, double Y1) const override;

private:
    class TImageListLink;

    TMapPoint& AnchorOrAdd(double X, double Y) const;
    /// The anchor's client pixel.
    TPoint AnchorPixel() const;
    void LoadImage();

    std::unique_ptr<TBitmap> FGlyph;
    std::unique_ptr<TBitmap> FBackground;
    std::unique_ptr<TImageListLink> FImageListLink;
    TCustomImageList* FImageList = nullptr;
    int FImageIndex = 0;
    bool FVisible = true;
    bool FMoving = false;
    bool FShown = false;       // the glyph is on the canvas over FBackground
    bool FDrawn = false;       // the last Draw showed the sprite
    TPoint FSavedAt;           // top-left pixel of the saved background
    TBounds FSavedView;        // the view the background was saved in
};

} // namespace cartova
