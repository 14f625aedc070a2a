#include "host/DeviceServices.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace cartova::host {

namespace {

int RegionKind(const QRegion& R)
{
    if (R.isEmpty())
        return NULLREGION;
    return R.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// ---- caret state (one caret per GUI thread, as on the classic desktop)
struct TCaret {
    ICaretHost* Host = nullptr;
    int Width = 1;
    int Height = 1;
    TPoint Pos;
    int HideLevel = 1; // shown when 0
    bool Drawn = false;
};
TCaret Caret;

QRect CaretRect() { return QRect(Caret.Pos.X, Caret.Pos.Y, Caret.Width, Caret.Height); }

// Inverts the caret block on the host surface (drawing twice restores it).
void ToggleCaret()
{
    if (!Caret.Host)
        return;
    TCanvas* Canvas = Caret.Host->CaretCanvas();
    QPainter* P = Canvas ? Canvas->RequirePainter() : nullptr;
    if (!P)
        return;
    P->save();
    P->setCompositionMode(QPainter::RasterOp_NotDestination);
    P->fillRect(CaretRect(), Qt::black);
    P->restore();
    Caret.Drawn = !Caret.Drawn;
    Caret.Host->CaretInvalidate(Bounds(Caret.Pos.X, Caret.Pos.Y, Caret.Width, Caret.Height));
}

void UndrawCaret()
{
    if (Caret.Drawn)
        ToggleCaret();
}

void DrawCaretIfShown()
{
    if (!Caret.Drawn && Caret.HideLevel == 0)
        ToggleCaret();
}

} // namespace

// ---------------------------------------------------------------- regions

HRGN CreatePolygonRgn(const TPoint* Points, int Count, int FillMode)
{
    if (!Points || Count < 2)
        return nullptr;
    QPolygon Poly(Count);
    for (int i = 0; i < Count; ++i)
        Poly.setPoint(i, Points[i].X, Points[i].Y);
    auto* R = new TRegionObject;
    R->Region = QRegion(Poly, FillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    return R;
}

HRGN CreatePolyPolygonRgn(const TPoint* Points, const int* Counts, int Count, int FillMode)
{
    if (!Points || !Counts || Count <= 0)
        return nullptr;
    // One polygon: every polygon closed back to its first point, and from
    // the first polygon's start to each later one and back. Each bridge is
    // crossed once each way, so it adds nothing under either fill rule, and
    // the scan conversion treats every edge on its own: the pixels are those
    // of filling the polygons together.
    QPolygon All;
    QPoint Start;
    for (int I = 0; I < Count; Points += Counts[I], ++I) {
        const int N = Counts[I];
        if (N < 3)
            continue;
        const bool First = All.isEmpty();
        for (int K = 0; K < N; ++K)
            All.append(QPoint(Points[K].X, Points[K].Y));
        if (!(Points[N - 1] == Points[0]))
            All.append(QPoint(Points[0].X, Points[0].Y));
        if (First)
            Start = All.first();
        else
            All.append(Start);
    }
    if (All.isEmpty())
        return nullptr;
    auto* R = new TRegionObject;
    R->Region = QRegion(All, FillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    return R;
}

HRGN CreateRectRgn(int Left, int Top, int Right, int Bottom)
{
    auto* R = new TRegionObject;
    const int L = std::min(Left, Right), T = std::min(Top, Bottom);
    R->Region = QRegion(QRect(L, T, std::max(Left, Right) - L, std::max(Top, Bottom) - T));
    return R;
}

int CombineRgn(HRGN Dest, HRGN A, HRGN B, int Mode)
{
    if (!Dest || !A || (Mode != RGN_COPY && !B))
        return RGN_ERROR;
    switch (Mode) {
    case RGN_AND: Dest->Region = A->Region.intersected(B->Region); break;
    case RGN_OR: Dest->Region = A->Region.united(B->Region); break;
    case RGN_XOR: Dest->Region = A->Region.xored(B->Region); break;
    case RGN_DIFF: Dest->Region = A->Region.subtracted(B->Region); break;
    case RGN_COPY: Dest->Region = A->Region; break;
    default: return RGN_ERROR;
    }
    return RegionKind(Dest->Region);
}

int GetRgnBox(HRGN Rgn, TRect& R)
{
    if (!Rgn) {
        R = {};
        return RGN_ERROR;
    }
    const QRect B = Rgn->Region.boundingRect();
    R = B.isEmpty() ? TRect{} : TRect{B.left(), B.top(), B.right() + 1, B.bottom() + 1};
    return RegionKind(Rgn->Region);
}

bool PtInRegion(HRGN Rgn, int X, int Y) { return Rgn && Rgn->Region.contains(QPoint(X, Y)); }

bool PaintRgn(HDC DC, HRGN Rgn)
{
    if (!DC || !Rgn)
        return false;
    DC->FillRegion(Rgn->Region, *DC->GetBrush(), true);
    return true;
}

bool FillRgn(HDC DC, HRGN Rgn, const TBrush* Brush)
{
    if (!DC || !Rgn || !Brush)
        return false;
    DC->FillRegion(Rgn->Region, *Brush, false);
    return true;
}

bool DeleteObject(HGDIOBJ Object)
{
    if (!Object)
        return false;
    if (auto* F = dynamic_cast<TFontObject*>(Object); F && F->Owner)
        return false;
    delete Object;
    return true;
}

// ------------------------------------------------------------------ fonts

HFONT CreateFontIndirect(const TLogFont& LogFont)
{
    auto* F = new TFontObject;
    F->LogFont = LogFont;
    return F;
}

bool GetObject(HFONT Font, TLogFont& LogFont)
{
    if (!Font)
        return false;
    LogFont = Font->LogFont;
    return true;
}

HFONT SelectObject(HDC DC, HFONT Font)
{
    if (!DC || !Font)
        return nullptr;
    TFont* F = DC->GetFont();
    HFONT Old = F->GetHandle();
    F->SetLogFont(Font->LogFont);
    return Old;
}

// ------------------------------------------------------------------ lines

bool Polyline(HDC DC, const TPoint* Points, int Count)
{
    if (!DC || !Points || Count < 2)
        return false;
    DC->Polyline(Points, Count);
    return true;
}

// ------------------------------------------------------------------ caret

bool CreateCaret(ICaretHost* Host, int Width, int Height)
{
    if (!Host)
        return false;
    DestroyCaret();
    Caret.Host = Host;
    Caret.Width = Width > 0 ? Width : 1;
    if (Height <= 0) {
        TCanvas* Canvas = Host->CaretCanvas();
        Height = Canvas ? Canvas->TextHeight("Wq") : 1;
    }
    Caret.Height = std::max(1, Height);
    Caret.Pos = {};
    Caret.HideLevel = 1;
    Caret.Drawn = false;
    return true;
}

bool SetCaretPos(int X, int Y)
{
    if (!Caret.Host)
        return false;
    const bool WasDrawn = Caret.Drawn;
    UndrawCaret();
    Caret.Pos = {X, Y};
    if (WasDrawn)
        DrawCaretIfShown();
    return true;
}

bool GetCaretPos(TPoint& P)
{
    if (!Caret.Host)
        return false;
    P = Caret.Pos;
    return true;
}

bool ShowCaret(ICaretHost* Host)
{
    if (!Caret.Host || (Host && Host != Caret.Host))
        return false;
    if (Caret.HideLevel > 0)
        --Caret.HideLevel;
    DrawCaretIfShown();
    return true;
}

bool HideCaret(ICaretHost* Host)
{
    if (!Caret.Host || (Host && Host != Caret.Host))
        return false;
    UndrawCaret();
    ++Caret.HideLevel;
    return true;
}

bool DestroyCaret()
{
    if (!Caret.Host)
        return false;
    UndrawCaret();
    Caret = TCaret{};
    return true;
}

void CaretHostDestroyed(ICaretHost* Host)
{
    if (Host && Caret.Host == Host)
        Caret = TCaret{};
}

void CaretBeforePaint(ICaretHost* Host)
{
    if (Host && Caret.Host == Host)
        UndrawCaret();
}

void CaretAfterPaint(ICaretHost* Host)
{
    if (Host && Caret.Host == Host)
        DrawCaretIfShown();
}

// ------------------------------------------------------------ USER drawing

bool DrawFocusRect(HDC DC, const TRect& R)
{
    if (!DC || IsRectEmpty(R))
        return false;
    QPainter* P = DC->RequirePainter();
    if (!P)
        return false;
    // Every other pixel of the border inverted, aligned to the device grid.
    static const QImage Checker = [] {
        QImage I(2, 2, QImage::Format_ARGB32_Premultiplied);
        I.fill(0xFF000000u);
        I.setPixel(0, 0, 0xFFFFFFFFu);
        I.setPixel(1, 1, 0xFFFFFFFFu);
        return I;
    }();
    const QBrush Brush(Checker);
    P->save();
    P->setBrushOrigin(0, 0);
    P->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const int W = R.Width(), H = R.Height();
    P->fillRect(QRect(R.Left, R.Top, W, 1), Brush);
    if (H > 1)
        P->fillRect(QRect(R.Left, R.Bottom - 1, W, 1), Brush);
    if (H > 2) {
        P->fillRect(QRect(R.Left, R.Top + 1, 1, H - 2), Brush);
        if (W > 1)
            P->fillRect(QRect(R.Right - 1, R.Top + 1, 1, H - 2), Brush);
    }
    P->restore();
    if (DC->OnChange)
        DC->OnChange(DC);
    return true;
}

bool DrawFrameControl(HDC DC, const TRect& R, unsigned Type, unsigned State)
{
    if (!DC || Type != DFC_BUTTON)
        return false;
    const unsigned Kind = State & 0x1F;
    if (Kind == DFCS_BUTTONPUSH || IsRectEmpty(R))
        return false;
    QPainter* P = DC->RequirePainter();
    if (!P)
        return false;
    const bool Radio = (Kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) != 0;
    const bool Inactive = State & DFCS_INACTIVE;
    const bool Flat = State & (DFCS_FLAT | DFCS_MONO);
    const bool Checked = State & DFCS_CHECKED;
    const QColor Face = ColorToQColor((Inactive || (State & DFCS_PUSHED)) ? clBtnFace : clWindow);
    const QColor Mark = ColorToQColor(Inactive ? clGrayText : clWindowText);

    // The box is the largest square centred in R.
    const int S = std::min(R.Width(), R.Height());
    const int L = R.Left + (R.Width() - S) / 2;
    const int T = R.Top + (R.Height() - S) / 2;

    P->save();
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
    P->setRenderHint(QPainter::Antialiasing, false);
    if (!Radio) {
        const int B = Flat ? 1 : 2;
        if (Flat) {
            P->fillRect(QRect(L, T, S, S), ColorToQColor(clBtnShadow));
        } else {
            P->fillRect(QRect(L, T, S, S), ColorToQColor(clBtnHighlight));
            P->fillRect(QRect(L, T, S - 1, S - 1), ColorToQColor(clBtnShadow));
            P->fillRect(QRect(L + 1, T + 1, S - 2, S - 2), ColorToQColor(cl3DLight));
            P->fillRect(QRect(L + 1, T + 1, S - 3, S - 3), ColorToQColor(cl3DDkShadow));
        }
        const QRect Inner(L + B, T + B, S - 2 * B, S - 2 * B);
        if (!Inner.isEmpty())
            P->fillRect(Inner, Face);
        if (Checked && Inner.width() >= 7 && Inner.height() >= 7) {
            // The classic tick: a V of three-pixel columns, seven columns wide.
            const int X0 = Inner.left() + (Inner.width() - 7) / 2;
            const int Y0 = Inner.top() + (Inner.height() - 7) / 2;
            for (int i = 0; i < 7; ++i) {
                const int Y = i <= 2 ? Y0 + 2 + i : Y0 + 4 - (i - 2) + 0;
                P->fillRect(QRect(X0 + i, Y, 1, 3), Mark);
            }
        }
    } else {
        P->setPen(QPen(ColorToQColor(Flat ? clBtnShadow : clBtnShadow), 1));
        P->setBrush(Face);
        P->drawEllipse(QRect(L, T, S - 1, S - 1));
        if (Checked && S >= 6) {
            const int D = std::max(2, S / 3);
            const int C = (S - D) / 2;
            P->setPen(Qt::NoPen);
            P->setBrush(Mark);
            P->drawEllipse(QRect(L + C, T + C, D, D));
        }
    }
    P->restore();
    if (DC->OnChange)
        DC->OnChange(DC);
    return true;
}

} // namespace cartova::host
