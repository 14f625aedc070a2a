#pragma once
// A map for the command line: a TCartova inside a hidden parent widget (so
// that it paints), with the format providers registered, loading files into
// layers.

#include "formats/SimpleMIFFormatProvider.h"
#include "map/MapObjects.h"

#include <QWidget>

#include <memory>
#include <string>

namespace cartova::cli {

class TMapSession {
public:
    /// A map of Width × Height pixels.
    explicit TMapSession(int Width = 1024, int Height = 512);
    ~TMapSession();

    TCartova& Map() { return *FMap; }
    /// Appends a layer loaded from FileName; raises Exception when the file
    /// is missing, no provider reads it, or the load fails.
    TMapLayer* Load(const std::string& FileName);

private:
    std::unique_ptr<QWidget> FParent;
    std::unique_ptr<TSimpleMIFFormatProvider> FMifProvider;
    std::unique_ptr<TCartova> FMap;
};

/// The union of the extents of every object of every layer; false when the map holds no object.
bool MapExtent(TCartova& Map, TBounds& Extent);

} // namespace cartova::cli
