#pragma once
// The shown map of the tool tests with three layers whose boxes overlap at
// the map's centre (client pixel (200, 100)), and a second shown window for
// the companion control under test.

#include "tests/tools/ToolTestSupport.h"

#include <string>
#include <vector>

namespace cartova::test {

struct TControlsMap : TToolMap {
    THostWindow ControlWindow{320, 200};
    TMapLayer *Roads = nullptr, *Rivers = nullptr, *Towns = nullptr;

    void SetUp() override
    {
        TToolMap::SetUp();
        Roads = Map.GetLayers()->Add("", "roads");
        Rivers = Map.GetLayers()->Add("", "rivers");
        Towns = Map.GetLayers()->Add("", "towns");
        AddFilledBox(Roads, -30, -30, 30, 30, clRed);
        AddFilledBox(Rivers, 60, -20, 90, 20, clBlue);
        AddFilledBox(Towns, -10, -10, 10, 10, clGreen);
    }
    /// The pixels of R in Image, as 32-bit RGB.
    static QImage Area(const QImage& Image, const TRect& R)
    {
        return Image.copy(R.Left, R.Top, R.Width(), R.Height()).convertToFormat(QImage::Format_RGB32);
    }
    /// The map's layer names, bottom first.
    std::vector<std::string> LayerNames() const
    {
        std::vector<std::string> Names;
        for (TMapLayer* Layer : Map.GetLayers()->Items())
            Names.push_back(Layer->GetName());
        return Names;
    }
};

} // namespace cartova::test
