#pragma once
// The viewer's files: the format providers it registers, the file dialogs'
// filters built from them, and opening and saving map files with the
// library's messages gathered into one error text per file.

#include "formats/MapInfoFormatProvider.h"
#include "formats/SimpleMIFFormatProvider.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace cartova {
class TCartova;
class TMapLayer;
} // namespace cartova

namespace viewer {

/// The format providers, registered while this lives: the simple MIF provider
/// first, so it reads .mif files, then the MapInfo provider for .tab files.
class TProviders {
public:
    TProviders();
    ~TProviders();

private:
    std::unique_ptr<cartova::TSimpleMIFFormatProvider> FMif;
    std::unique_ptr<cartova::TMapInfoFormatProvider> FMapInfo;
};

/// A file that could not be opened or saved; the text names the file.
class TFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The Qt file-dialog filter of the registered providers, one entry per
/// provider ("MapInfo Files (*.mif *.tab)"), in the registry's order.
QStringList ProviderFilters();
/// The Open dialog's filter: every kind the viewer opens first, then each
/// provider's, workspaces and all files, joined by ";;".
QString OpenFilter();
/// The Save dialog's filter: the providers' entries joined by ";;".
QString SaveFilter();
/// The first extension of a Qt filter entry ("MIF (*.mif *.mid)" → ".mif");
/// empty when it names none.
QString FilterExtension(const QString& Filter);

/// Whether the viewer opens File, judged by its name: a provider accepts it
/// or it is a workspace (.wor).
bool IsMapFile(const std::string& File);
/// Whether File is named as a MapInfo workspace (.wor).
bool IsWorkspace(const std::string& File);

/// Opens File (.mif, .tab through the providers; .wor as a workspace, which
/// also sets the map's centre and the layers' switches) into Map and returns
/// the layers it added, bottom first. Raises TFileError naming the file when
/// it is missing, of a kind the viewer does not read, or cannot be read (a
/// workspace none of whose tables opens included); the map keeps its layers
/// then. Warnings of a file that did open go to Warnings.
std::vector<cartova::TMapLayer*> OpenMapFile(cartova::TCartova& Map, const std::string& File,
                                             std::string& Warnings);

/// Saves Layer to File through the provider that accepts the name. Raises
/// TFileError with the library's message when it cannot be written.
void SaveLayer(cartova::TMapLayer& Layer, const std::string& File);

} // namespace viewer
