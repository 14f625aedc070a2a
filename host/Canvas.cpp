#include "host/Canvas.h"
#include "host/VectorState.h"

#include <QFontMetrics>
#include <QImage>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace cartova::host {

namespace {

constexpr int DotsPerMeter96 = 3780; // 96 pixels per inch

QRect ToQRect(const TRect& R) { return QRect(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top); }

TRect Normalized(int X1, int Y1, int X2, int Y2)
{
    return {std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2)};
}

QPainter::CompositionMode CopyModeToComposition(TCopyMode Mode, bool& Supported)
{
    Supported = true;
    switch (Mode) {
    case cmBlackness: return QPainter::RasterOp_ClearDestination;
    case cmDstInvert: return QPainter::RasterOp_NotDestination;
    case cmMergePaint: return QPainter::RasterOp_NotSourceOrDestination;
    case cmNotSrcCopy: return QPainter::RasterOp_NotSource;
    case cmNotSrcErase: return QPainter::RasterOp_NotSourceAndNotDestination;
    case cmSrcAnd: return QPainter::RasterOp_SourceAndDestination;
    case cmSrcErase: return QPainter::RasterOp_SourceAndNotDestination;
    case cmSrcInvert: return QPainter::RasterOp_SourceXorDestination;
    case cmSrcPaint: return QPainter::RasterOp_SourceOrDestination;
    case cmWhiteness: return QPainter::RasterOp_SetDestination;
    case cmSrcCopy: return QPainter::CompositionMode_SourceOver;
    default: Supported = false; return QPainter::CompositionMode_SourceOver;
    }
}

// Dash patterns of one-pixel pens, in pixels.
QList<qreal> DashPattern(TPenStyle Style)
{
    switch (Style) {
    case psDash: return {18, 6};
    case psDot: return {3, 3};
    case psDashDot: return {9, 6, 3, 6};
    case psDashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

} // namespace

TCanvas::TCanvas()
    : FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()), FFont(std::make_unique<TFont>())
{
}

TCanvas::TCanvas(QImage* Image) : TCanvas() { SetImage(Image); }

TCanvas::~TCanvas()
{
    if (FExternal)
        DetachPainter();
    Flush();
}

// ---------------------------------------------------------------- device

void TCanvas::SetImage(QImage* Image)
{
    Flush();
    FImage = Image;
    if (FImage && !FImage->isNull() && FImage->dotsPerMeterX() != DotsPerMeter96) {
        FImage->setDotsPerMeterX(DotsPerMeter96);
        FImage->setDotsPerMeterY(DotsPerMeter96);
    }
}

void TCanvas::AttachPainter(QPainter* Painter)
{
    if (FExternal)
        DetachPainter();
    Flush();
    if (!Painter || !Painter->isActive())
        return;
    FExternal = Painter;
    FExternal->save();
}

void TCanvas::DetachPainter()
{
    if (!FExternal)
        return;
    if (FPainter == FExternal)
        FPainter = nullptr;
    FExternal->restore();
    FExternal = nullptr;
}

bool TCanvas::Begin()
{
    if (FPainter)
        return true;
    if (FExternal) {
        FPainter = FExternal;
    } else {
        if (!FImage || FImage->isNull())
            return false;
        FOwnPainter = std::make_unique<QPainter>();
        if (!FOwnPainter->begin(FImage)) {
            FOwnPainter.reset();
            return false;
        }
        FPainter = FOwnPainter.get();
    }
    FPainter->setRenderHint(QPainter::Antialiasing, FAntialias);
    FPainter->setRenderHint(QPainter::TextAntialiasing, FAntialias);
    FPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    FPainter->setBackgroundMode(Qt::TransparentMode);
    if (FHasClip)
        FPainter->setClipRegion(FClip, FExternal ? Qt::IntersectClip : Qt::ReplaceClip);
    return true;
}

void TCanvas::SetAntialias(bool Value)
{
    FAntialias = Value;
    if (FPainter) {
        FPainter->setRenderHint(QPainter::Antialiasing, Value);
        FPainter->setRenderHint(QPainter::TextAntialiasing, Value);
    }
}

QPainter* TCanvas::RequirePainter() { return Begin() ? FPainter : nullptr; }

void TCanvas::Flush()
{
    if (FOwnPainter) {
        FOwnPainter->end();
        FOwnPainter.reset();
        FPainter = nullptr;
    }
}

void TCanvas::Changed()
{
    // Called after every drawing call: Qt's routines leave the vector state
    // that slows the library's floating point code down.
    ClearUpperVectorState();
    if (OnChange)
        OnChange(this);
}

// ----------------------------------------------------------------- state

void TCanvas::SetPen(const TPen* Value)
{
    // Objects set their own pen before each drawing; most are equal.
    if (Value && !(*FPen == *Value))
        FPen->Assign(Value);
}

void TCanvas::SetBrush(const TBrush* Value)
{
    // Objects set their own brush before each drawing; most are equal.
    if (Value && !(*FBrush == *Value))
        FBrush->Assign(Value);
}

void TCanvas::SetFont(const TFont* Value)
{
    // Objects set their own font before each drawing; most are equal.
    if (Value && !(*FFont == *Value))
        FFont->Assign(Value);
}

TRect TCanvas::GetClipRect() const
{
    QRect Device;
    if (FImage)
        Device = FImage->rect();
    else if (FExternal && FExternal->device())
        Device = QRect(0, 0, FExternal->device()->width(), FExternal->device()->height());
    if (FHasClip)
        Device = Device.intersected(FClip.boundingRect());
    if (Device.isEmpty())
        return {};
    return {Device.left(), Device.top(), Device.right() + 1, Device.bottom() + 1};
}

void TCanvas::SetClipRect(const TRect& Value) { SetClipRegion(QRegion(ToQRect(Value))); }

void TCanvas::SetClipRegion(const QRegion& Region)
{
    FHasClip = true;
    FClip = Region;
    if (!FPainter)
        return;
    if (FExternal) {
        FExternal->restore();
        FExternal->save();
        FExternal->setClipRegion(FClip, Qt::IntersectClip);
    } else {
        FPainter->setClipRegion(FClip);
    }
}

void TCanvas::ResetClip()
{
    FHasClip = false;
    FClip = QRegion();
    if (!FPainter)
        return;
    if (FExternal) {
        FExternal->restore();
        FExternal->save();
    } else {
        FPainter->setClipping(false);
    }
}

// ------------------------------------------------------------ mappings

QPainter::CompositionMode TCanvas::PenModeToComposition(TPenMode Mode)
{
    switch (Mode) {
    case pmBlack: return QPainter::RasterOp_ClearDestination;
    case pmWhite: return QPainter::RasterOp_SetDestination;
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmNotCopy: return QPainter::RasterOp_NotSource;
    case pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask: return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    case pmNop:
    case pmCopy:
    default: return QPainter::CompositionMode_SourceOver;
    }
}

QBrush TCanvas::MakeQBrush(const TBrush& Brush)
{
    if (TBitmap* B = Brush.GetBitmap(); B && !B->Empty())
        return QBrush(B->GetImage());
    const QColor C = ColorToQColor(Brush.GetColor());
    switch (Brush.GetStyle()) {
    case bsSolid: return QBrush(C, Qt::SolidPattern);
    case bsHorizontal: return QBrush(C, Qt::HorPattern);
    case bsVertical: return QBrush(C, Qt::VerPattern);
    case bsFDiagonal: return QBrush(C, Qt::FDiagPattern);
    case bsBDiagonal: return QBrush(C, Qt::BDiagPattern);
    case bsCross: return QBrush(C, Qt::CrossPattern);
    case bsDiagCross: return QBrush(C, Qt::DiagCrossPattern);
    case bsClear:
    default: return QBrush(Qt::NoBrush);
    }
}

QPen TCanvas::MakeQPen() const
{
    if (FPenVersion == FPen->GetChangeCount())
        return FQPen;
    FPenVersion = FPen->GetChangeCount();
    FQPen = BuildQPen(*FPen);
    return FQPen;
}

QPen TCanvas::BuildQPen(const TPen& Pen)
{
    const TPenStyle Style = Pen.GetStyle();
    if (Style == psClear || Pen.GetMode() == pmNop)
        return QPen(Qt::NoPen);
    const QColor C = ColorToQColor(Pen.GetColor());
    const int W = Pen.GetWidth();
    if (W <= 1) {
        QPen P(C, 1);
        P.setCosmetic(true);
        P.setCapStyle(Qt::FlatCap);
        P.setJoinStyle(Qt::MiterJoin);
        const QList<qreal> Dashes = DashPattern(Style);
        if (!Dashes.isEmpty())
            P.setDashPattern(Dashes);
        return P;
    }
    QPen P(C, W);
    P.setCapStyle(Qt::RoundCap);
    P.setJoinStyle(Qt::RoundJoin);
    return P;
}

void TCanvas::SetupComposition(TPenMode Mode) { FPainter->setCompositionMode(PenModeToComposition(Mode)); }

void TCanvas::ApplyFigureState(bool Fill)
{
    FPainter->setPen(MakeQPen());
    FPainter->setBrush(Fill && FPen->GetMode() != pmNop ? MakeQBrush(*FBrush) : QBrush(Qt::NoBrush));
    SetupComposition(FPen->GetMode());
}

QFont TCanvas::CurrentQFont()
{
    if (FFontVersion != FFont->GetChangeCount()) {
        FQFont = FFont->ToQFont();
        FFontVersion = FFont->GetChangeCount();
    }
    return FQFont;
}

// ---------------------------------------------------------------- lines

void TCanvas::MoveTo(int X, int Y) { FPenPos = {X, Y}; }

void TCanvas::LineTo(int X, int Y)
{
    const TPoint From = FPenPos;
    FPenPos = {X, Y};
    if (From == FPenPos || !Begin())
        return;
    ApplyFigureState(false);
    FPainter->drawLine(From.X, From.Y, X, Y);
    Changed();
}

void TCanvas::Polyline(const TPoint* Points, int Count)
{
    if (!Points || Count < 2 || !Begin())
        return;
    ApplyFigureState(false);
    DrawPolyline(Points, Count);
    Changed();
}

void TCanvas::DrawPolyline(const TPoint* Points, int Count)
{
    if (FAntialias) {
        // Through the pixel centres, so a one pixel line stays one pixel wide.
        FPolygonF.resize(Count);
        for (int i = 0; i < Count; ++i)
            FPolygonF[i] = QPointF(Points[i].X + 0.5, Points[i].Y + 0.5);
        FPainter->drawPolyline(FPolygonF);
    } else {
        FPainter->drawPolyline(ToPolygon(Points, Count));
    }
}

const QPolygon& TCanvas::ToPolygon(const TPoint* Points, int Count)
{
    FPolygon.resize(Count);
    for (int i = 0; i < Count; ++i)
        FPolygon[i] = QPoint(Points[i].X, Points[i].Y);
    return FPolygon;
}

void TCanvas::PolyPolyline(const TPoint* Points, const int* Counts, int Parts)
{
    if (!Points || !Counts || Parts <= 0 || !Begin())
        return;
    ApplyFigureState(false);
    // A line of one step drawn by a solid one pixel pen sets one pixel: the
    // line is drawn from its left end (upper end when vertical) and its last
    // pixel is left out. In copy mode the order of equal pixels does not
    // matter, so such lines (small islands at small scales, most parts of a
    // detailed layer) go to the device as points in one call.
    const bool Pixels = !FAntialias && FPen->GetMode() == pmCopy && FPen->GetStyle() == psSolid &&
                        FPen->GetWidth() <= 1 && FPainter->transform().type() == QTransform::TxNone;
    FPixels.clear();
    for (int I = 0; I < Parts; Points += Counts[I], ++I) {
        const int N = Counts[I];
        if (N < 2)
            continue;
        const int DX = Points[1].X - Points[0].X, DY = Points[1].Y - Points[0].Y;
        if (Pixels && N == 2 && std::abs(DX) <= 1 && std::abs(DY) <= 1) {
            if (DX != 0 || DY != 0) {
                const TPoint& P = DX > 0 || (DX == 0 && DY > 0) ? Points[0] : Points[1];
                FPixels.append(QPoint(P.X, P.Y));
            }
            continue;
        }
        DrawPolyline(Points, N);
    }
    if (!FPixels.isEmpty())
        FPainter->drawPoints(FPixels);
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& Points)
{
    Polyline(Points.data(), static_cast<int>(Points.size()));
}

void TCanvas::Polygon(const TPoint* Points, int Count)
{
    if (!Points || Count < 2 || !Begin())
        return;
    ApplyFigureState(true);
    FPainter->drawPolygon(ToPolygon(Points, Count), Qt::OddEvenFill);
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& Points)
{
    Polygon(Points.data(), static_cast<int>(Points.size()));
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
    const TRect R = Normalized(X1, Y1, X2, Y2);
    if (IsRectEmpty(R) || FPen->GetMode() == pmNop || !Begin())
        return;
    const QBrush Fill = MakeQBrush(*FBrush);
    const QPen Pen = MakeQPen();
    const int W = FPen->GetWidth();
    SetupComposition(FPen->GetMode());
    if (Pen.style() == Qt::NoPen) {
        // A clear pen leaves the right column and bottom row unfilled.
        if (Fill.style() != Qt::NoBrush && R.Width() > 1 && R.Height() > 1)
            FPainter->fillRect(QRect(R.Left, R.Top, R.Width() - 1, R.Height() - 1), Fill);
    } else if (W <= 1) {
        // Interior and outline touch each pixel once, so raster modes toggle exactly.
        if (Fill.style() != Qt::NoBrush && R.Width() > 2 && R.Height() > 2)
            FPainter->fillRect(QRect(R.Left + 1, R.Top + 1, R.Width() - 2, R.Height() - 2), Fill);
        FPainter->setPen(Pen);
        FPainter->setBrush(Qt::NoBrush);
        if (R.Width() == 1 || R.Height() == 1)
            FPainter->fillRect(ToQRect(R), Pen.color());
        else
            FPainter->drawRect(QRect(R.Left, R.Top, R.Width() - 1, R.Height() - 1));
    } else {
        FPainter->setPen(Pen);
        FPainter->setBrush(Fill);
        if (FPen->GetStyle() == psInsideFrame)
            FPainter->drawRect(QRectF(R.Left + W / 2.0, R.Top + W / 2.0, std::max(0, R.Width() - W),
                                      std::max(0, R.Height() - W)));
        else
            FPainter->drawRect(QRectF(R.Left + 0.5, R.Top + 0.5, R.Width() - 1, R.Height() - 1));
    }
    Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2)
{
    const TRect R = Normalized(X1, Y1, X2, Y2);
    if (IsRectEmpty(R) || FPen->GetMode() == pmNop || !Begin())
        return;
    ApplyFigureState(true);
    const int W = FPen->GetWidth();
    if (W > 1 && FPen->GetStyle() != psClear) {
        if (FPen->GetStyle() == psInsideFrame)
            FPainter->drawEllipse(QRectF(R.Left + W / 2.0, R.Top + W / 2.0, std::max(0, R.Width() - W),
                                         std::max(0, R.Height() - W)));
        else
            FPainter->drawEllipse(QRectF(R.Left + 0.5, R.Top + 0.5, R.Width() - 1, R.Height() - 1));
    } else {
        FPainter->drawEllipse(QRect(R.Left, R.Top, R.Width() - 1, R.Height() - 1));
    }
    Changed();
}

// ---------------------------------------------------------------- fills

void TCanvas::FillRect(const TRect& R)
{
    if (IsRectEmpty(R) || !Begin())
        return;
    const QBrush Fill = MakeQBrush(*FBrush);
    if (Fill.style() == Qt::NoBrush)
        return;
    FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    FPainter->fillRect(ToQRect(R), Fill);
    Changed();
}

void TCanvas::FrameRect(const TRect& R)
{
    if (IsRectEmpty(R) || !Begin())
        return;
    const QBrush Fill = MakeQBrush(*FBrush);
    if (Fill.style() == Qt::NoBrush)
        return;
    FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    const int W = R.Width(), H = R.Height();
    FPainter->fillRect(QRect(R.Left, R.Top, W, 1), Fill);
    if (H > 1)
        FPainter->fillRect(QRect(R.Left, R.Bottom - 1, W, 1), Fill);
    if (H > 2) {
        FPainter->fillRect(QRect(R.Left, R.Top + 1, 1, H - 2), Fill);
        if (W > 1)
            FPainter->fillRect(QRect(R.Right - 1, R.Top + 1, 1, H - 2), Fill);
    }
    Changed();
}

void TCanvas::FillRegion(const QRegion& Region, const TBrush& Brush, bool UsePenMode)
{
    if (Region.isEmpty() || (UsePenMode && FPen->GetMode() == pmNop) || !Begin())
        return;
    const QBrush Fill = MakeQBrush(Brush);
    if (Fill.style() == Qt::NoBrush)
        return;
    FPainter->save();
    FPainter->setClipRegion(Region, FPainter->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    FPainter->setCompositionMode(UsePenMode ? PenModeToComposition(FPen->GetMode())
                                            : QPainter::CompositionMode_SourceOver);
    FPainter->fillRect(Region.boundingRect(), Fill);
    FPainter->restore();
    Changed();
}

// ----------------------------------------------------------------- text

void TCanvas::DrawTextAt(int X, int Y, const QString& Text, const QRect* Clip, bool Opaque)
{
    const QFont F = CurrentQFont();
    const QFontMetrics FM(F);
    FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    FPainter->setFont(F);
    FPainter->setBrush(Qt::NoBrush);
    const int Angle = FFont->GetOrientation();
    const bool NeedsState = Clip || Angle != 0;
    if (NeedsState)
        FPainter->save();
    if (Clip)
        FPainter->setClipRect(*Clip, FPainter->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    int OX = X, OY = Y;
    if (Angle != 0) {
        FPainter->translate(X, Y);
        FPainter->rotate(-Angle / 10.0);
        OX = OY = 0;
    }
    if (Opaque)
        FPainter->fillRect(QRect(OX, OY, FM.horizontalAdvance(Text), FM.height()),
                           ColorToQColor(FBrush->GetColor()));
    FPainter->setPen(QPen(ColorToQColor(FFont->GetColor())));
    FPainter->drawText(QPoint(OX, OY + FM.ascent()), Text);
    if (NeedsState)
        FPainter->restore();
}

void TCanvas::TextOut(int X, int Y, const std::string& Text)
{
    const QString S = QString::fromStdString(Text);
    if (!S.isEmpty() && Begin()) {
        DrawTextAt(X, Y, S, nullptr, FBrush->GetStyle() == bsSolid && !FBrush->GetBitmap());
        Changed();
    }
    FPenPos = {X + (S.isEmpty() ? 0 : QFontMetrics(CurrentQFont()).horizontalAdvance(S)), Y};
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const std::string& Text)
{
    if (IsRectEmpty(R) || !Begin())
        return;
    const QRect Clip = ToQRect(R);
    if (FBrush->GetStyle() == bsSolid && !FBrush->GetBitmap()) {
        FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        FPainter->fillRect(Clip, ColorToQColor(FBrush->GetColor()));
    }
    const QString S = QString::fromStdString(Text);
    if (!S.isEmpty())
        DrawTextAt(X, Y, S, &Clip, false);
    Changed();
}

void TCanvas::TextRect(TRect& R, const std::string& Text, unsigned Flags)
{
    const TSize E = TextExtent(Text);
    int X = R.Left, Y = R.Top;
    if (Flags & tfCenter)
        X = R.Left + (R.Width() - E.cx) / 2;
    else if (Flags & tfRight)
        X = R.Right - E.cx;
    if (Flags & tfVerticalCenter)
        Y = R.Top + (R.Height() - E.cy) / 2;
    else if (Flags & tfBottom)
        Y = R.Bottom - E.cy;
    if (IsRectEmpty(R) || !Begin())
        return;
    const QRect Clip = (Flags & tfNoClip) ? QRect(QPoint(-100000, -100000), QPoint(100000, 100000)) : ToQRect(R);
    QString S = QString::fromStdString(Text);
    if (Flags & tfEndEllipsis)
        S = QFontMetrics(CurrentQFont()).elidedText(S, Qt::ElideRight, R.Width());
    if (!S.isEmpty()) {
        DrawTextAt(X, Y, S, &Clip, false);
        Changed();
    }
}

int TCanvas::TextWidth(const std::string& Text) { return TextExtent(Text).cx; }

int TCanvas::TextHeight(const std::string& Text) { return TextExtent(Text).cy; }

TSize TCanvas::TextExtent(const std::string& Text)
{
    const QFontMetrics FM(CurrentQFont());
    return {FM.horizontalAdvance(QString::fromStdString(Text)), FM.height()};
}

// --------------------------------------------------------------- images

void TCanvas::DrawImage(const QRect& Target, const QImage& Image, const QRect& Source)
{
    bool Supported = false;
    const QPainter::CompositionMode Mode = CopyModeToComposition(FCopyMode, Supported);
    if (FCopyMode == cmPatCopy) {
        FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        const QBrush Fill = MakeQBrush(*FBrush);
        if (Fill.style() != Qt::NoBrush)
            FPainter->fillRect(Target, Fill);
        return;
    }
    FPainter->setCompositionMode(Mode);
    FPainter->drawImage(Target, Image, Source);
}

void TCanvas::Draw(int X, int Y, TBitmap* Graphic)
{
    if (!Graphic || Graphic->Empty())
        return;
    // Reading the bitmap first: it may be this canvas's own image.
    const QImage Image = Graphic->GetTransparent() ? Graphic->GetMaskedImage() : Graphic->GetImage();
    if (!Begin())
        return;
    DrawImage(QRect(X, Y, Image.width(), Image.height()), Image, Image.rect());
    Changed();
}

void TCanvas::StretchDraw(const TRect& R, TBitmap* Graphic)
{
    if (!Graphic || Graphic->Empty() || IsRectEmpty(R))
        return;
    const QImage Image = Graphic->GetTransparent() ? Graphic->GetMaskedImage() : Graphic->GetImage();
    if (!Begin())
        return;
    DrawImage(ToQRect(R), Image, Image.rect());
    Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source)
{
    if (!Canvas || IsRectEmpty(Dest) || IsRectEmpty(Source))
        return;
    Canvas->Flush();
    const QImage* SrcImage = Canvas->FImage;
    if (!SrcImage || SrcImage->isNull())
        return;
    QRect Src = ToQRect(Source);
    QRect Dst = ToQRect(Dest);
    if (Src.size() == Dst.size()) {
        // Without scaling only the part of Source inside the image is copied.
        const QRect Clipped = Src.intersected(SrcImage->rect());
        if (Clipped.isEmpty())
            return;
        Dst = QRect(Dst.topLeft() + (Clipped.topLeft() - Src.topLeft()), Clipped.size());
        Src = Clipped;
    }
    // From the same image, copy the source first: it may overlap the target.
    const QImage Pixels = (SrcImage == FImage) ? SrcImage->copy(Src) : *SrcImage;
    const QRect From = (SrcImage == FImage) ? Pixels.rect() : Src;
    if (!Begin())
        return;
    bool Supported = false;
    const QPainter::CompositionMode Mode = CopyModeToComposition(FCopyMode, Supported);
    FPainter->setCompositionMode(FCopyMode == cmSrcCopy ? QPainter::CompositionMode_Source : Mode);
    if (FCopyMode == cmPatCopy)
        DrawImage(Dst, Pixels, From);
    else
        FPainter->drawImage(Dst, Pixels, From);
    Changed();
}

// --------------------------------------------------------------- pixels

TColor TCanvas::GetPixels(int X, int Y)
{
    if (!FImage || FImage->isNull() || !FImage->valid(X, Y))
        return CLR_INVALID;
    Flush();
    const QRgb P = FImage->pixel(X, Y);
    if (FImage->hasAlphaChannel() && qAlpha(P) == 0)
        return clDefault;
    return RGB(qRed(P), qGreen(P), qBlue(P));
}

void TCanvas::SetPixels(int X, int Y, TColor Color)
{
    if (FExternal) {
        if (!Begin())
            return;
        FPainter->setCompositionMode(QPainter::CompositionMode_Source);
        FPainter->fillRect(QRect(X, Y, 1, 1), ColorToQColor(Color));
        Changed();
        return;
    }
    if (!FImage || FImage->isNull() || !FImage->valid(X, Y))
        return;
    if (FHasClip && !FClip.contains(QPoint(X, Y)))
        return;
    if (FPainter) {
        FPainter->setCompositionMode(QPainter::CompositionMode_Source);
        FPainter->fillRect(QRect(X, Y, 1, 1), ColorToQColor(Color));
    } else {
        const QColor C = ColorToQColor(Color);
        FImage->setPixel(X, Y, FImage->hasAlphaChannel() ? C.rgba() : (C.rgb() | 0xFF000000u));
    }
    Changed();
}

} // namespace cartova::host
