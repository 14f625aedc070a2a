#pragma once
// TCustomImageList: a list of equally sized images (a sprite's frames).

#include "host/Bitmap.h"
#include "host/Classes.h"

#include <QImage>

#include <vector>

namespace cartova::host {

/// A list of images of one size.
class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* AOwner = nullptr);

    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value);
    int Count() const { return static_cast<int>(FImages.size()); }
    /// Adds a copy of Image (cropped or padded to Width × Height); returns its
    /// index, or -1 for an empty bitmap.
    int Add(TBitmap* Image, TBitmap* Mask = nullptr);
    void Delete(int Index);
    void Clear() { FImages.clear(); }
    /// Copies image Index into Image (which takes its size); false when out of range.
    bool GetBitmap(int Index, TBitmap* Image) const;
    /// Draws image Index with its top-left at (X, Y).
    void Draw(TCanvas* Canvas, int X, int Y, int Index) const;

private:
    int FWidth = 16, FHeight = 16;
    std::vector<QImage> FImages;
};

} // namespace cartova::host

namespace cartova {
using host::TCustomImageList;
} // namespace cartova
