#pragma once
// A shown 400 × 200 map for tool tests: input travels through the window
// system to the map's peer, as a user's does. At zoom 1 a pixel is 0.9 map
// units and the client centre (200, 100) shows (0, 0).

#include "map/MapObjects.h"
#include "tests/support/InputHelpers.h"
#include "tests/support/PixelHelpers.h"
#include "tools/StdMapTools.h"

#include <gtest/gtest.h>

#include <QImage>

namespace cartova::test {

constexpr TColor MapColor = TColor(0xD8E8F0);

struct TToolMap : ::testing::Test {
    THostWindow Window{400, 200};
    TCartova Map;

    void SetUp() override
    {
        Window.Add(Map, 0, 0, 400, 200);
        Map.SetColor(MapColor);
    }
    /// Links Tool to the map and makes it the active tool.
    void Use(TCustomMapTool& Tool)
    {
        Tool.SetCartova(&Map);
        Tool.SetActive(true);
    }
    /// Repaints the map now and returns the picture.
    QImage Picture() { return PaintControl(Map); }
    /// The window's pixels as they are (no repaint).
    QImage Surface() { return Map.GetSurfaceImage(); }
    /// A filled rectangle object (map units) in Layer.
    static TRectangle* AddFilledBox(TMapLayer* Layer, double X0, double Y0, double X1, double Y1,
                                    TColor Fill)
    {
        auto* R = Layer->NewObject<TRectangle>();
        R->SetX0(X0);
        R->SetY0(Y0);
        R->SetX1(X1);
        R->SetY1(Y1);
        R->GetBrush()->SetColor(Fill);
        R->GetBrush()->SetStyle(bsSolid);
        R->UpdateBounds();
        return R;
    }
};

} // namespace cartova::test
