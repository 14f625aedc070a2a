// TCartova: the painting pipeline. Layers are painted into an off-screen
// bitmap, rebuilt only when the map is modified; every window paint copies it
// to the window and, in the fast selection mode, draws the selection markers.
#include "map/Cartova.h"

#include "host/DebugLog.h"
#include "map/DisplayedObjects.h"
#include "map/CartovaOptions.h"
#include "map/Layers.h"
#include "map/Selection.h"
#include "map/Substrates.h"
#include "objects/CustomMapObject.h"

#include <chrono>
#include <cstdio>

namespace cartova {

namespace {

/// Sets a flag for the lifetime of the guard, also when an exception leaves.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& Flag) : FFlag(Flag) { FFlag = true; }
    ~TFlagGuard() { FFlag = false; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& FFlag;
};

/// Antialiased drawing on a canvas for the lifetime of the guard.
class TAntialiasGuard {
public:
    TAntialiasGuard(TCanvas* Canvas, bool On) : FCanvas(Canvas) { FCanvas->SetAntialias(On); }
    ~TAntialiasGuard() { FCanvas->SetAntialias(false); }
    TAntialiasGuard(const TAntialiasGuard&) = delete;
    TAntialiasGuard& operator=(const TAntialiasGuard&) = delete;

private:
    TCanvas* FCanvas;
};

void ResetCanvas(TCanvas* Canvas, TColor Color)
{
    Canvas->GetPen()->SetMode(pmCopy);
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(Color);
}

} // namespace

TCanvas* TCartova::GetCanvas()
{
    return FIsBusy ? FBitmap->GetCanvas() : TCustomControl::GetCanvas();
}

TCanvas* TCartova::GetMapCanvas()
{
    return FBitmap->GetCanvas();
}

void TCartova::Paint()
{
    TCanvas* Canvas = GetCanvas();
    if (FFirstPaint) {
        FFirstPaint = false;
        Canvas->FillRect(GetClientRect());
    }
    if (FInUpdate)
        return;
    if (FBitmap->Empty() || FModified) {
        PaintMapToBitmap();
        FModified = false;
    }
    PaintBitmapToMapCanvas();
}

void TCartova::PaintMapToBitmap()
{
    const auto Start = std::chrono::steady_clock::now();
    TFlagGuard Busy(FIsBusy);
    FDisplayed->Clear();
    FBitmap->SetSize(GetWidth(), GetHeight());
    TCanvas* Canvas = FBitmap->GetCanvas();
    TAntialiasGuard Smooth(Canvas, FOptions->GetAntialias());
    // The whole bitmap (client area and any border) in the map's colour,
    // with the pen mode and brush the layers start from.
    ResetCanvas(Canvas, GetColor());
    Canvas->FillRect(Rect(0, 0, GetWidth(), GetHeight()));
    if (FLayers->Count() == 0)
        return;
    StartProgress(0, FLayers->Count() - 1, "");
    FSubstrates->Paint();
    for (int I = 0; I < FLayers->Count(); ++I) {
        FLayers->GetItems(I)->Paint();
        ShowProgress(I);
    }
    ResetCanvas(Canvas, GetColor());
    StopProgress();
    if (OnUpdate)
        OnUpdate(this);
    const auto Elapsed = std::chrono::steady_clock::now() - Start;
    if (OnPaint)
        OnPaint(this);
    const auto Ms = std::chrono::duration_cast<std::chrono::milliseconds>(Elapsed).count();
    char Text[32];
    std::snprintf(Text, sizeof Text, "%02lld:%03lld", static_cast<long long>(Ms / 1000),
                  static_cast<long long>(Ms % 1000));
    DebugLog("DrawTime = %s", Text);
}

void TCartova::PaintObject(TCustomMapObject* MapObject)
{
    if (MapObject->Paint())
        FDisplayed->Record(MapObject);
}

void TCartova::PaintBitmapToMapCanvas()
{
    GetCanvas()->Draw(0, 0, FBitmap.get());
    if (FFastSelection)
        FSelection->Paint();
}

void TCartova::AssignToBitmap(TBitmap* Bitmap)
{
    if (!Bitmap)
        return;
    TBitmap Copy;
    Copy.SetSize(GetWidth(), GetHeight());
    const TRect R = Rect(0, 0, GetWidth(), GetHeight());
    Copy.GetCanvas()->CopyRect(R, FBitmap->GetCanvas(), R);
    Bitmap->Assign(&Copy);
}

} // namespace cartova
