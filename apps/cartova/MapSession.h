#pragma once
// A map for the command line: a TCartova inside a hidden parent widget (so
// that it paints). Open is the one place that turns a FILE argument into
// layers, whatever kind of file it is.

#include "formats/MapInfoFormatProvider.h"
#include "formats/SimpleMIFFormatProvider.h"
#include "map/MapObjects.h"
#include "map/Workspace.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace cartova::cli {

/// The format providers of the program, registered while this lives: the
/// simple MIF provider first, so it reads .mif files, then the MapInfo
/// provider for .tab files.
class TProviders {
public:
    TProviders();
    ~TProviders();

private:
    std::unique_ptr<TSimpleMIFFormatProvider> FMif;
    std::unique_ptr<TMapInfoFormatProvider> FMapInfo;
};

class TMapSession {
public:
    /// A map of Width × Height pixels.
    explicit TMapSession(int Width = 1024, int Height = 512);
    ~TMapSession();

    TCartova& Map() { return *FMap; }
    /// Opens the map file File, named as the user gave it, into the map and
    /// returns the layers it brought, bottom first. The library's warnings
    /// about the file are written as they come, naming it. Raises TFileError
    /// when the file is missing, of a kind no provider reads, or cannot be
    /// read; the map is as before then. A workspace (.wor) opens the tables
    /// it names that can be read, warning of the others, and sets the
    /// centre it gives; it fails when none of its tables opens.
    std::vector<TMapLayer*> Open(const std::string& File);
    /// The centre the last workspace opened gave, if any.
    const std::optional<std::pair<double, double>>& WorkspaceCenter() const { return FCenter; }

private:
    std::vector<TMapLayer*> OpenWorkspace(const std::string& File, const std::string& Path);

    std::optional<std::pair<double, double>> FCenter;
    std::unique_ptr<QWidget> FParent;
    std::unique_ptr<TCartova> FMap;
};

/// Whether File is named as a MapInfo workspace (.wor, any case).
bool IsWorkspace(const std::string& File);

/// The kinds of file the registered providers handle, for help and messages:
/// "MapInfo Interchange Format Files (*.mif)".
std::string ProviderKinds();
/// ProviderKinds and the workspaces the program opens too.
std::string ReadableKinds();

/// The union of the extents of every object of every layer; false when the map holds no object.
bool MapExtent(TCartova& Map, TBounds& Extent);

} // namespace cartova::cli
