// A user's program drawing a map with the installed package: a MIF layer
// loaded through the provider, painted, and two pixels read back.
#include "formats/SimpleMIFFormatProvider.h"
#include "map/MapObjects.h"

#include <QApplication>
#include <QWidget>

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: consumer_map FILE.mif\n";
        return 2;
    }
    QApplication App(argc, argv);
    cartova::TSimpleMIFFormatProvider Provider;
    QWidget Parent;
    Parent.resize(200, 100);
    cartova::TCartova Map;
    Map.SetParentWidget(&Parent);
    Map.SetBounds(0, 0, 200, 100);
    Map.SetColor(cartova::clWhite);
    try {
        cartova::TMapLayer* Layer = Map.GetLayers()->Add(argv[1], "");
        std::cout << "layer " << Layer->GetName() << " " << Layer->GetObjectCount() << "\n";
        Layer->Zoom();                   // the square fills the window, centred
        Map.SetZoom(Map.GetZoom() / 4); // and now a quarter of its height
    } catch (const std::exception& E) {
        std::cerr << E.what() << "\n";
        return 1;
    }
    Map.SetModified(true);
    Map.PaintMapToBitmap();
    cartova::TBitmap Bitmap;
    Map.AssignToBitmap(&Bitmap);
    const QImage Image = Bitmap.GetImage();
    std::cout << "centre " << Image.pixelColor(100, 50).name().toStdString() << "\n"
              << "side " << Image.pixelColor(10, 50).name().toStdString() << "\n";
    return 0;
}
