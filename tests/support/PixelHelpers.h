#pragma once
// Pixel-reading helpers for tests that draw on canvases, bitmaps and surfaces.

#include "host/Bitmap.h"
#include "host/Graphics.h"
#include "host/Types.h"

#include <QImage>

#include <string>

namespace cartova::test {

/// The colour of one pixel of an image (low byte red); CLR_INVALID outside.
TColor PixelOf(const QImage& Image, int X, int Y);
/// The colour of one pixel of a bitmap (finishes its canvas's drawing first).
TColor PixelOf(host::TBitmap& Bitmap, int X, int Y);
/// Number of pixels of colour C inside R (clipped to the image).
int CountColor(const QImage& Image, TColor C, const TRect& R);
int CountColor(const QImage& Image, TColor C);
/// Number of pixels that differ between two images of the same size (all of
/// them when the sizes differ).
int CountDifferences(const QImage& A, const QImage& B);
/// The bounding rectangle (right/bottom exclusive) of the pixels that are
/// not colour Background; an empty rectangle when there are none.
TRect InkBounds(const QImage& Image, TColor Background);
/// The pixels of R as text rows, one character per pixel: '.' for
/// Background, '#' for anything else; for failure messages.
std::string AsciiArt(const QImage& Image, const TRect& R, TColor Background);
/// A bitmap of the given size filled with one colour.
void FillBitmap(host::TBitmap& Bitmap, int Width, int Height, TColor C);
/// Writes the image as a PNG into the tests' output folder; returns the path.
std::string SaveTestOutput(const QImage& Image, const std::string& Name);

} // namespace cartova::test
