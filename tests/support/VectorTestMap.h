#pragma once
// A map in a shown window whose view maps map unit (x, y) to client pixel
// (x, 200 - y), and helpers to add vector objects and read painted pixels.
#include "map/MapObjects.h"
#include "objects/Circle.h"
#include "objects/Polyline.h"
#include "objects/Rectangle.h"
#include "objects/Region.h"
#include "tests/support/InputHelpers.h"
#include "tests/support/PixelHelpers.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace cartova::test {

struct TVectorMapFixture : ::testing::Test {
    THostWindow Window{200, 200};
    TCartova Map;
    TMapLayer* Layer = nullptr;

    void SetUp() override
    {
        Window.Add(Map, 0, 0, 200, 200);
        Map.SetColor(clWhite);
        Map.SetMinX(0);
        Map.SetMaxX(200);
        Map.SetMinY(0);
        Map.SetMaxY(200);
        Map.SetCenterX(100);
        Map.SetCenterY(100);
        Map.SetUseGeneralization(false);
        Layer = Map.GetLayers()->Add("", "test");
    }

    /// Appends one part of the given vertices to O.
    static void AddPart(TCustomMapObject* O, std::initializer_list<TMapPoint> Points)
    {
        TMapPoints* P = O->GetParts()->Add()->GetPoints();
        for (const TMapPoint& V : Points)
            P->Add(V);
    }

    /// An axis-parallel square ring from (X0, Y0) to (X1, Y1).
    static void AddBox(TCustomMapObject* O, double X0, double Y0, double X1, double Y1)
    {
        AddPart(O, {{X0, Y0}, {X1, Y0}, {X1, Y1}, {X0, Y1}});
    }

    /// Adopts O into the layer with a red brush and a black pen.
    template <typename T>
    T* Adopt(T* O)
    {
        Layer->AddObject(O, false);
        O->GetBrush()->SetColor(clRed);
        O->GetBrush()->SetStyle(bsSolid);
        O->GetPen()->SetColor(clBlack);
        return O;
    }

    /// Rebuilds the off-screen bitmap and returns a copy of it.
    QImage Painted()
    {
        Map.SetModified(true);
        PaintControl(Map);
        TBitmap B;
        Map.AssignToBitmap(&B);
        return B.GetImage().copy();
    }
};

} // namespace cartova::test
