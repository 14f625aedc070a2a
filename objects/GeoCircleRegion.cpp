#include "objects/GeoCircleRegion.h"

#include "geometry/CoordConvertorU.h"

#include <cmath>

namespace cartova {

TGeoCircle::TGeoCircle()
{
    GeneratePoints();
}

void TGeoCircle::Assign(const TPersistent* Source)
{
    TRegion::Assign(Source);
    if (const auto* Other = dynamic_cast<const TGeoCircle*>(Source)) {
        FCenterX = Other->FCenterX;
        FCenterY = Other->FCenterY;
        FRadius = Other->FRadius;
        FPieCount = Other->FPieCount;
    }
}

void TGeoCircle::SetCenterX(double Value)
{
    FCenterX = Value;
    GeneratePoints();
}

void TGeoCircle::SetCenterY(double Value)
{
    FCenterY = Value;
    GeneratePoints();
}

void TGeoCircle::SetRadius(double Value)
{
    FRadius = Value;
    GeneratePoints();
}

void TGeoCircle::SetPieCount(int Value)
{
    if (Value <= 0)
        throw ERangeError(Format("Invalid PieCount %d: a geodesic circle needs at least one vertex", {Value}));
    FPieCount = Value;
    GeneratePoints();
}

void TGeoCircle::GeneratePoints()
{
    TParts* Parts = GetParts();
    Parts->Clear();
    TMapPoints* Ring = Parts->Add()->GetPoints();
    Ring->Reserve(FPieCount + 1);

    double N0 = 0, E0 = 0;
    BL2XY(FCenterY, FCenterX, N0, E0, 0);
    // Every vertex is taken back in the centre's zone, also where the ring
    // reaches beyond the zone's band of eastings (from about 300 km radius at
    // 60 degrees north): read as zone-prefixed eastings, those vertices would
    // land in the neighbouring zone, several degrees away.
    const double Zone = std::floor(E0 / 1000000.0);
    const double Step = 360.0 / FPieCount;
    for (int I = 1; I <= FPieCount; ++I) {
        const double A = I * Step * (M_PI / 180.0);
        const double E = E0 + std::sin(A) * FRadius;
        double B = 0, L = 0;
        XY2BLInZone(N0 + std::cos(A) * FRadius, Zone, std::floor(E) - Zone * 1000000.0, B, L);
        if (L > 180)
            L -= 360;
        Ring->Add(L, B);
    }
    Ring->Add(Ring->First());
}

} // namespace cartova
