#include "tests/support/PixelHelpers.h"

#include "host/Canvas.h"

#include <QDir>

namespace cartova::test {

namespace {

TColor ToColor(QRgb P) { return RGB(qRed(P), qGreen(P), qBlue(P)); }

} // namespace

TColor PixelOf(const QImage& Image, int X, int Y)
{
    if (!Image.valid(X, Y))
        return CLR_INVALID;
    return ToColor(Image.pixel(X, Y));
}

TColor PixelOf(host::TBitmap& Bitmap, int X, int Y) { return PixelOf(Bitmap.GetImage(), X, Y); }

int CountColor(const QImage& Image, TColor C, const TRect& R)
{
    int N = 0;
    for (int y = std::max(0, R.Top); y < std::min(Image.height(), R.Bottom); ++y)
        for (int x = std::max(0, R.Left); x < std::min(Image.width(), R.Right); ++x)
            if (ToColor(Image.pixel(x, y)) == C)
                ++N;
    return N;
}

int CountColor(const QImage& Image, TColor C) { return CountColor(Image, C, {0, 0, Image.width(), Image.height()}); }

int CountDifferences(const QImage& A, const QImage& B)
{
    if (A.size() != B.size())
        return std::max(A.width() * A.height(), B.width() * B.height());
    int N = 0;
    for (int y = 0; y < A.height(); ++y)
        for (int x = 0; x < A.width(); ++x)
            if (A.pixel(x, y) != B.pixel(x, y))
                ++N;
    return N;
}

TRect InkBounds(const QImage& Image, TColor Background)
{
    TRect R{Image.width(), Image.height(), 0, 0};
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x)
            if (ToColor(Image.pixel(x, y)) != Background) {
                R.Left = std::min(R.Left, x);
                R.Top = std::min(R.Top, y);
                R.Right = std::max(R.Right, x + 1);
                R.Bottom = std::max(R.Bottom, y + 1);
            }
    return IsRectEmpty(R) ? TRect{} : R;
}

std::string AsciiArt(const QImage& Image, const TRect& R, TColor Background)
{
    std::string S;
    for (int y = R.Top; y < R.Bottom; ++y) {
        for (int x = R.Left; x < R.Right; ++x)
            S += PixelOf(Image, x, y) == Background ? '.' : '#';
        S += '\n';
    }
    return S;
}

void FillBitmap(host::TBitmap& Bitmap, int Width, int Height, TColor C)
{
    Bitmap.SetSize(Width, Height);
    host::TCanvas* Canvas = Bitmap.GetCanvas();
    Canvas->GetBrush()->SetBitmap(nullptr);
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(C);
    Canvas->FillRect(Rect(0, 0, Width, Height));
    Canvas->Flush();
}

std::string SaveTestOutput(const QImage& Image, const std::string& Name)
{
    QDir().mkpath(QStringLiteral(CARTOVA_TEST_OUTPUT_DIR));
    const std::string Path = std::string(CARTOVA_TEST_OUTPUT_DIR) + "/" + Name;
    Image.convertToFormat(QImage::Format_ARGB32).save(QString::fromStdString(Path), "PNG");
    return Path;
}

} // namespace cartova::test
