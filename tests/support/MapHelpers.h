#pragma once
// Small builders for map tests.

#include "map/MapObjects.h"

namespace cartova::test {

/// Adopts into Layer a base object whose one part runs from (X0, Y0) to (X1, Y1).
inline TCustomMapObject* AddBox(TMapLayer* Layer, double X0, double Y0, double X1, double Y1)
{
    auto* O = Layer->NewObject<TCustomMapObject>();
    TPart* P = O->GetParts()->Add();
    P->GetPoints()->Add(X0, Y0);
    P->GetPoints()->Add(X1, Y1);
    return O;
}

} // namespace cartova::test
