#include "host/Bitmap.h"

#include "host/Canvas.h"
#include "host/Exceptions.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

#include <cstring>

namespace cartova::host {

namespace {

constexpr QImage::Format BitmapFormat = QImage::Format_ARGB32_Premultiplied;
constexpr int DotsPerMeter96 = 3780;

QImage NewImage(int Width, int Height)
{
    QImage Image(Width, Height, BitmapFormat);
    if (Image.isNull())
        throw EInvalidGraphic("Out of system resources: bitmap of " + std::to_string(Width) + " x " +
                              std::to_string(Height) + " pixels");
    Image.setDotsPerMeterX(DotsPerMeter96);
    Image.setDotsPerMeterY(DotsPerMeter96);
    return Image;
}

QImage ToBitmapFormat(const QImage& Source)
{
    QImage Image = Source.convertToFormat(BitmapFormat);
    Image.setDotsPerMeterX(DotsPerMeter96);
    Image.setDotsPerMeterY(DotsPerMeter96);
    return Image;
}

} // namespace

TBitmap::TBitmap() = default;

TBitmap::~TBitmap()
{
    if (FCanvas)
        FCanvas->SetImage(nullptr);
}

void TBitmap::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TBitmap::ReleaseCanvasPainter() const
{
    if (FCanvas)
        FCanvas->Flush();
}

void TBitmap::SetWidth(int Value) { SetSize(Value, GetHeight()); }

void TBitmap::SetHeight(int Value) { SetSize(GetWidth(), Value); }

void TBitmap::SetSize(int Width, int Height)
{
    if (Width <= 0 || Height <= 0) {
        if (FImage.isNull())
            return;
        ReleaseCanvasPainter();
        FImage = QImage();
        Changed();
        return;
    }
    if (Width == GetWidth() && Height == GetHeight())
        return;
    ReleaseCanvasPainter();
    QImage Image = NewImage(Width, Height);
    Image.fill(0xFFFFFFFFu);
    if (!FImage.isNull()) {
        const int W = std::min(Width, FImage.width());
        const int H = std::min(Height, FImage.height());
        for (int y = 0; y < H; ++y)
            std::memcpy(Image.scanLine(y), FImage.constScanLine(y), static_cast<size_t>(W) * 4);
    }
    FImage = std::move(Image);
    Changed();
}

TCanvas* TBitmap::GetCanvas()
{
    if (!FCanvas)
        FCanvas = std::make_unique<TCanvas>(&FImage);
    return FCanvas.get();
}

void TBitmap::FreeImage() { ReleaseCanvasPainter(); }

void TBitmap::SetTransparent(bool Value)
{
    if (FTransparent != Value) {
        FTransparent = Value;
        Changed();
    }
}

TColor TBitmap::GetTransparentColor() const
{
    if (FTransparentMode == tmFixed && FTransparentColor != clDefault)
        return FTransparentColor;
    if (Empty())
        return clDefault;
    const QRgb P = GetImage().pixel(0, GetHeight() - 1);
    if (qAlpha(P) == 0)
        return clDefault;
    return RGB(qRed(P), qGreen(P), qBlue(P));
}

void TBitmap::SetTransparentColor(TColor Value)
{
    const TTransparentMode Mode = Value == clDefault ? tmAuto : tmFixed;
    if (FTransparentColor != Value || FTransparentMode != Mode) {
        FTransparentColor = Value;
        FTransparentMode = Mode;
        Changed();
    }
}

void TBitmap::SetTransparentMode(TTransparentMode Value)
{
    if (FTransparentMode == Value)
        return;
    if (Value == tmAuto)
        SetTransparentColor(clDefault);
    else
        SetTransparentColor(GetTransparentColor());
    if (FTransparentMode != Value) { // the automatic colour was clDefault itself
        FTransparentMode = Value;
        Changed();
    }
}

void TBitmap::Assign(const TPersistent* Source)
{
    if (!Source) {
        SetSize(0, 0);
        return;
    }
    if (const auto* B = dynamic_cast<const TBitmap*>(Source)) {
        if (B == this)
            return;
        ReleaseCanvasPainter();
        FImage = B->GetImage();
        FTransparent = B->FTransparent;
        FTransparentColor = B->FTransparentColor;
        FTransparentMode = B->FTransparentMode;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TBitmap::LoadFromFile(const std::string& FileName)
{
    const QString Name = QString::fromStdString(FileName);
    QFile File(Name);
    if (!QFileInfo(Name).isFile() || !File.open(QIODevice::ReadOnly))
        throw EFOpenError("Cannot open file \"" + FileName + "\". " +
                          (QFileInfo::exists(Name) ? "Access denied" : "No such file or directory"));
    QImageReader Reader(&File);
    Reader.setDecideFormatFromContent(true);
    QImage Image = Reader.read();
    if (Image.isNull())
        throw EInvalidGraphic("Bitmap image is not valid: \"" + FileName + "\" (" +
                              Reader.errorString().toStdString() + ")");
    SetImage(Image);
}

void TBitmap::LoadFromResource(const std::string& Name)
{
    const QString Base = QStringLiteral(":/cartova/") + QString::fromStdString(Name);
    for (const QString& Candidate : {Base, Base + ".png", Base + ".bmp"}) {
        if (!QFileInfo(Candidate).isFile())
            continue;
        QImage Image(Candidate);
        if (Image.isNull())
            throw EInvalidGraphic("Bitmap image is not valid: resource " + Name);
        SetImage(Image);
        return;
    }
    throw EFOpenError("Resource " + Name + " not found");
}

void TBitmap::SaveToFile(const std::string& FileName) const
{
    const QString Name = QString::fromStdString(FileName);
    QByteArray Format = QFileInfo(Name).suffix().toLower().toLatin1();
    if (Format == "jpeg")
        Format = "jpg";
    if (Format != "bmp" && Format != "jpg" && Format != "png")
        Format = "png";
    QSaveFile File(Name);
    if (!File.open(QIODevice::WriteOnly))
        throw EFCreateError("Cannot create file \"" + FileName + "\". " + File.errorString().toStdString());
    const QImage& Image = GetImage();
    QImageWriter Writer(&File, Format);
    const bool Ok = Format == "png" ? Writer.write(Image.convertToFormat(QImage::Format_ARGB32))
                                    : Writer.write(Image.convertToFormat(QImage::Format_RGB32));
    if (!Ok || !File.commit())
        throw EFCreateError("Cannot create file \"" + FileName + "\". " + Writer.errorString().toStdString());
}

const QImage& TBitmap::GetImage() const
{
    ReleaseCanvasPainter();
    return FImage;
}

void TBitmap::SetImage(const QImage& Image)
{
    ReleaseCanvasPainter();
    FImage = Image.isNull() ? QImage() : ToBitmapFormat(Image);
    Changed();
}

QImage TBitmap::GetMaskedImage() const
{
    const QImage& Source = GetImage();
    if (Source.isNull() || !FTransparent)
        return Source;
    const TColor Key = GetTransparentColor();
    if (Key == clDefault || Key == clNone)
        return Source;
    const TColor K = ColorToRGB(Key);
    const QRgb Match = qRgb(GetRValue(K), GetGValue(K), GetBValue(K));
    QImage Masked = Source.copy();
    for (int y = 0; y < Masked.height(); ++y) {
        auto* Line = reinterpret_cast<QRgb*>(Masked.scanLine(y));
        for (int x = 0; x < Masked.width(); ++x)
            if (Line[x] == Match)
                Line[x] = 0;
    }
    return Masked;
}

} // namespace cartova::host
