// TCartova: conversions between map and client coordinates, and rotation of
// the stored coordinates.
#include "map/Cartova.h"

#include "map/Layers.h"
#include "objects/CustomMapObject.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace cartova {

namespace {

/// Rounds halves to even and checks that the result fits 32 bits.
bool RoundToInt32(double Value, int& Result)
{
    if (!std::isfinite(Value))
        return false;
    const double R = std::nearbyint(Value);
    if (R < static_cast<double>(std::numeric_limits<int>::min()) ||
        R > static_cast<double>(std::numeric_limits<int>::max()))
        return false;
    Result = static_cast<int>(R);
    return true;
}

} // namespace

double TCartova::Scale() const
{
    // Both axes use the horizontal scale; the vertical formula reduces to it.
    return GetClientWidth() * FZoom / (FMaxX - FMinX);
}

void TCartova::ScreenToMap(int X, int Y, double& MX, double& MY) const
{
    const double S = Scale();
    MX = (X - GetClientWidth() / 2.0) / S + FCenterX;
    MY = -(Y - GetClientHeight() / 2.0) / S + FCenterY;
}

bool TCartova::GetViewTransform(TViewTransform& Transform) const
{
    Transform.HalfWidth = GetClientWidth() / 2.0;
    Transform.HalfHeight = GetClientHeight() / 2.0;
    Transform.CenterX = FCenterX;
    Transform.CenterY = FCenterY;
    Transform.Scale = Scale();
    return true;
}

void TCartova::MapToScreen(double MX, double MY, int& X, int& Y, bool Clip) const
{
    TViewTransform V;
    GetViewTransform(V);
    if (!Clip) {
        X = V.ToScreenX(MX);
        Y = V.ToScreenY(MY);
        return;
    }
    const double SX = V.HalfWidth + (MX - V.CenterX) * V.Scale;
    const double SY = V.HalfHeight - (MY - V.CenterY) * V.Scale;
    double L, T, R, B;
    ScreenToMap(0, 0, L, T);
    ScreenToMap(GetClientWidth(), GetClientHeight(), R, B);
    bool Ok = std::isfinite(L) && std::isfinite(T) && std::isfinite(R) && std::isfinite(B);
    int CX = 0, CY = 0;
    if (Ok) {
        if (MX < L)
            CX = -1;
        else if (MX > R)
            CX = GetClientWidth();
        else
            Ok = RoundToInt32(SX, CX);
    }
    if (Ok) {
        if (MY > T)
            CY = -1;
        else if (MY < B)
            CY = GetClientHeight();
        else
            Ok = RoundToInt32(SY, CY);
    }
    // NaN coordinates compare false everywhere and land here too.
    if (Ok && (std::isnan(MX) || std::isnan(MY)))
        Ok = false;
    X = Ok ? CX : 0;
    Y = Ok ? CY : 0;
}

TBounds TCartova::GetViewBounds() const
{
    TBounds B;
    ScreenToMap(0, 0, B.MinX, B.MaxY);
    ScreenToMap(GetClientWidth(), GetClientHeight(), B.MaxX, B.MinY);
    return B;
}

double TCartova::RotateX(double X, double Y) const
{
    return (X - FRotationX) * FCosForward - (Y - FRotationY) * FSinForward + FRotationX;
}

double TCartova::RotateY(double X, double Y) const
{
    return (X - FRotationX) * FSinForward + (Y - FRotationY) * FCosForward + FRotationY;
}

double TCartova::UnRotateX(double X, double Y) const
{
    return (X - FRotationX) * FCosInverse - (Y - FRotationY) * FSinInverse + FRotationX;
}

double TCartova::UnRotateY(double X, double Y) const
{
    return (X - FRotationX) * FSinInverse + (Y - FRotationY) * FCosInverse + FRotationY;
}

void TCartova::NormalToRotated(double X, double Y, double& RX, double& RY) const
{
    if (GetisMapRotated()) {
        RX = RotateX(X, Y);
        RY = RotateY(X, Y);
    } else {
        RX = X;
        RY = Y;
    }
}

void TCartova::RotatedToNormal(double RX, double RY, double& X, double& Y) const
{
    if (GetisMapRotated()) {
        X = UnRotateX(RX, RY);
        Y = UnRotateY(RX, RY);
    } else {
        X = RX;
        Y = RY;
    }
}

void TCartova::Rotate()
{
    for (TMapLayer* Layer : *FLayers) {
        for (int O = 0; O < Layer->GetObjectCount(); ++O) {
            TParts* Parts = Layer->GetObjects(O)->GetParts();
            for (int P = 0; P < Parts->Count(); ++P) {
                TMapPoints* Points = Parts->GetItems(P)->GetPoints();
                for (TMapPoint& Point : *Points) {
                    const double NX = RotateX(Point.X, Point.Y);
                    const double NY = RotateY(Point.X, Point.Y);
                    Point.X = NX;
                    Point.Y = NY;
                    Point.UpdateBounds(*Points);
                }
            }
        }
    }
}

bool TCartova::UnRotate()
{
    if (FRotationAngle == 0 && (FRotationX == 0 || FRotationY == 0))
        return false;
    FSinForward = FSinInverse;
    FCosForward = FCosInverse;
    Rotate();
    FRotationAngle = 0;
    FRotationX = 0;
    FRotationY = 0;
    return true;
}

void TCartova::RotateMap(double X, double Y, double Angle)
{
    if (Angle == FRotationAngle && X == FRotationX && Y == FRotationY)
        return;
    if (UnRotate() && Angle == 0) {
        DoUpdate(true);
        return;
    }
    FRotationAngle = Angle;
    FRotationX = X;
    FRotationY = Y;
    const double R = Angle * std::numbers::pi / 180.0;
    FSinForward = std::sin(-R);
    FCosForward = std::cos(-R);
    FSinInverse = std::sin(R);
    FCosInverse = std::cos(R);
    Rotate();
    DoUpdate(true);
}

} // namespace cartova
