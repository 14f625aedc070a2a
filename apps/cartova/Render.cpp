#include "apps/cartova/Commands.h"
#include "apps/cartova/MapSession.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>

namespace cartova::cli {

namespace {

bool ParsePair(const std::string& Text, char Sep, double& A, double& B)
{
    const std::size_t At = Text.find(Sep);
    return At != std::string::npos && TryStrToFloat(Text.substr(0, At), A) &&
           TryStrToFloat(Text.substr(At + 1), B);
}

// Centres the view on Extent and zooms so that all of it fits, with a small margin.
void FitView(TCartova& Map, const TBounds& E)
{
    Map.SetCenterX((E.MinX + E.MaxX) / 2);
    Map.SetCenterY((E.MinY + E.MaxY) / 2);
    const double W = E.MaxX - E.MinX, H = E.MaxY - E.MinY;
    if (W <= 0 && H <= 0)
        return;
    const double Cw = Map.GetClientWidth(), Ch = Map.GetClientHeight();
    double PixelsPerUnit = std::min(W > 0 ? Cw / W : INFINITY, H > 0 ? Ch / H : INFINITY) * 0.98;
    // The scale is ClientWidth × Zoom / (MaxX − MinX) pixels per map unit.
    Map.SetZoom(PixelsPerUnit * (Map.GetMaxX() - Map.GetMinX()) / Cw);
}

} // namespace

int Render(const TArgs& Args)
{
    std::vector<std::string> Files;
    std::string Out;
    int Width = 1024, Height = 512;
    bool HasCenter = false, HasZoom = false, HasRotate = false;
    double CX = 0, CY = 0, Zoom = 1, Rotate = 0;
    for (std::size_t I = 0; I < Args.size(); ++I) {
        const std::string& A = Args[I];
        const bool HasValue = I + 1 < Args.size();
        if ((A == "-o" || A == "--output") && HasValue) {
            Out = Args[++I];
        } else if (A == "--size" && HasValue) {
            double W = 0, H = 0;
            if (!ParsePair(Args[++I], 'x', W, H) || W < 1 || H < 1 || W > 16384 || H > 16384)
                return Fail("--size wants WIDTHxHEIGHT between 1 and 16384, not " + Args[I]);
            Width = static_cast<int>(W);
            Height = static_cast<int>(H);
        } else if (A == "--center" && HasValue) {
            if (!ParsePair(Args[++I], ',', CX, CY))
                return Fail("--center wants X,Y, not " + Args[I]);
            HasCenter = true;
        } else if (A == "--zoom" && HasValue) {
            if (!TryStrToFloat(Args[++I], Zoom) || !(Zoom > 0))
                return Fail("--zoom wants a positive number, not " + Args[I]);
            HasZoom = true;
        } else if (A == "--rotate" && HasValue) {
            if (!TryStrToFloat(Args[++I], Rotate))
                return Fail("--rotate wants degrees, not " + Args[I]);
            HasRotate = true;
        } else if (!A.empty() && A[0] == '-') {
            return Fail("render: unknown or incomplete option " + A);
        } else {
            Files.push_back(A);
        }
    }
    if (Files.empty() || Out.empty())
        return Fail("usage: cartova render FILE... -o out.png [--size WxH] [--center X,Y] [--zoom Z] [--rotate DEG]");

    TMapSession Session(Width, Height);
    TCartova& Map = Session.Map();
    for (const std::string& F : Files)
        Session.Load(F);
    TBounds Extent;
    if (!HasCenter && !HasZoom && MapExtent(Map, Extent))
        FitView(Map, Extent);
    if (HasCenter) {
        Map.SetCenterX(CX);
        Map.SetCenterY(CY);
    }
    if (HasZoom)
        Map.SetZoom(Zoom);
    if (HasRotate && Rotate != 0)
        Map.RotateMap(Map.GetCenterX(), Map.GetCenterY(), Rotate);

    Map.SetModified(true);
    Map.PaintMapToBitmap();
    TBitmap Bitmap;
    Map.AssignToBitmap(&Bitmap);
    Bitmap.SaveToFile(Out);
    std::cout << "wrote " << ExpandFileName(Out) << " (" << Width << "x" << Height << ")\n";
    return 0;
}

} // namespace cartova::cli
