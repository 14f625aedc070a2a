#pragma once
// TBitmap: an image in memory with its own canvas, transparency settings and
// image file loading.
//
// Pixels are held in a QImage of format ARGB32_Premultiplied: every pixel a
// canvas draws is opaque, and a pixel set to clNone or clDefault (or loaded
// with alpha 0 from a PNG) is transparent. Transparent pixels are skipped when
// the bitmap is a brush pattern or is drawn; with Transparent on, pixels of
// the TransparentColor are skipped by Draw and StretchDraw as well.

#include "host/Classes.h"
#include "host/Graphics.h"

#include <QImage>

#include <functional>
#include <memory>
#include <string>

namespace cartova::host {

class TCanvas;

/// How TransparentColor is chosen: tmAuto takes the bottom-left pixel,
/// tmFixed the colour that was set.
enum TTransparentMode { tmAuto, tmFixed };

/// A 32-bit image with its own canvas. A new bitmap is empty (0 × 0); growing
/// it keeps the old pixels at the top left and fills the rest with white.
class TBitmap : public TPersistent {
public:
    TBitmap();
    ~TBitmap() override;

    int GetWidth() const { return FImage.width(); }
    int GetHeight() const { return FImage.height(); }
    void SetWidth(int Value);
    void SetHeight(int Value);
    /// Resizes to Width × Height pixels; a size of 0 or below on either axis
    /// empties the bitmap.
    void SetSize(int Width, int Height);
    /// True when the bitmap has no pixels.
    bool Empty() const { return FImage.isNull(); }
    bool GetEmpty() const { return Empty(); }

    /// The bitmap's canvas, created on first use; it lives as long as the bitmap.
    TCanvas* GetCanvas();
    /// Releases what the bitmap holds beside its pixels (the canvas's open
    /// painter); the image itself is kept.
    void FreeImage();

    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    /// The colour Draw skips when Transparent: in tmAuto mode (or when the
    /// stored colour is clDefault) the bottom-left pixel, else the stored one.
    TColor GetTransparentColor() const;
    /// Stores the colour; clDefault selects tmAuto, any other value tmFixed.
    void SetTransparentColor(TColor Value);
    TTransparentMode GetTransparentMode() const { return FTransparentMode; }
    /// tmAuto also resets the stored colour to clDefault.
    void SetTransparentMode(TTransparentMode Value);

    /// Copies size, pixels and transparency settings from another TBitmap;
    /// nullptr empties this one.
    void Assign(const TPersistent* Source) override;

    /// Loads a BMP, PNG or JPEG file. Raises EFOpenError when the file cannot
    /// be opened and EInvalidGraphic when it holds no readable image; the
    /// bitmap is unchanged then.
    void LoadFromFile(const std::string& FileName);
    /// Loads the image compiled into the library as the Qt resource
    /// ":/cartova/<Name>" (with or without an extension); raises EFOpenError
    /// "Resource <Name> not found" when there is none.
    void LoadFromResource(const std::string& Name);
    /// Saves in the format the extension names (bmp, png, jpg/jpeg; PNG for
    /// any other); raises EFCreateError when the file cannot be written.
    void SaveToFile(const std::string& FileName) const;

    /// The pixels, with pending canvas drawing finished.
    const QImage& GetImage() const;
    /// Replaces the pixels by a copy of Image in the bitmap's format.
    void SetImage(const QImage& Image);
    /// The pixels with every pixel Draw skips made transparent (alpha 0).
    QImage GetMaskedImage() const;

    /// Raised after the size, pixels (loading, assignment) or transparency changed.
    std::function<void(TObject*)> OnChange;

private:
    void Changed();
    void ReleaseCanvasPainter() const;

    QImage FImage;
    std::unique_ptr<TCanvas> FCanvas;
    bool FTransparent = false;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
};

} // namespace cartova::host

namespace cartova {
using host::TTransparentMode;
using host::tmAuto;
using host::tmFixed;
using host::TBitmap;
} // namespace cartova
