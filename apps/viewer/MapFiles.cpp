#include "apps/viewer/MapFiles.h"

#include "map/MapObjects.h"

#include <QRegularExpression>

#include <filesystem>

using namespace cartova;

namespace viewer {

namespace {

// While alive, the library's messages are gathered instead of shown: errors
// and warnings apart, each on its own line.
class TGatheredMessages {
public:
    TGatheredMessages()
        : FPrevious(SetMessageHandler([this](const TMessageRequest& R) {
              std::string& To = R.Type == mtError ? FErrors : FWarnings;
              To += (To.empty() ? "" : "\n") + R.Text;
              return DefaultModalResult(R.Buttons);
          }))
    {
    }
    ~TGatheredMessages() { SetMessageHandler(std::move(FPrevious)); }
    TGatheredMessages(const TGatheredMessages&) = delete;
    TGatheredMessages& operator=(const TGatheredMessages&) = delete;

    const std::string& Errors() const { return FErrors; }
    /// Appends what was gathered to Warnings, each line naming File: errors
    /// the reader read past are warnings of a file that did open.
    void AddTo(std::string& Warnings, const std::string& File) const
    {
        for (const std::string* Text : {&FErrors, &FWarnings})
            if (!Text->empty())
                Warnings += (Warnings.empty() ? "" : "\n") + File + ": " + *Text;
    }

private:
    std::string FErrors, FWarnings;
    TMessageHandler FPrevious;
};

std::string Named(const std::string& File, const std::string& Text)
{
    return File + ": " + Text;
}

// A provider's "Caption (*.a; *.b)|*.a; *.b" as the Qt entry "Caption (*.a *.b)".
QString QtFilter(const std::string& Filter)
{
    const QString F = QString::fromStdString(Filter);
    const int Bar = F.indexOf('|');
    QString Caption = Bar < 0 ? F : F.left(Bar);
    QString Mask = Bar < 0 ? QString("*") : F.mid(Bar + 1);
    Caption.remove(QRegularExpression("\\s*\\([^)]*\\)\\s*$"));
    Mask.replace(';', ' ');
    return Caption + " (" + Mask.simplified() + ")";
}

// Every pattern of a Qt filter entry's parentheses.
QStringList Patterns(const QString& Filter)
{
    const QRegularExpressionMatch M = QRegularExpression("\\(([^)]*)\\)").match(Filter);
    return M.hasMatch() ? M.captured(1).split(' ', Qt::SkipEmptyParts) : QStringList();
}

const QString WorkspaceFilter = "MapInfo Workspaces (*.wor)";

// The workspace Path (File as the user named it) into Map: the layers of the
// tables it opened. Layers it added before failing are taken out again.
std::vector<TMapLayer*> OpenWorkspace(TCartova& Map, const std::string& File, const std::string& Path,
                                      const TGatheredMessages& Messages, std::string& Warnings)
{
    TMapLayers* Layers = Map.GetLayers();
    const int Before = Layers->Count();
    std::string Error;
    try {
        Map.LoadWOR(Path);
    } catch (const std::exception& E) {
        Error = E.what();
    }
    if (Error.empty() && Layers->Count() == Before)
        Error = Messages.Errors().empty() ? "none of the workspace's tables could be opened" : Messages.Errors();
    if (!Error.empty()) {
        while (Layers->Count() > Before)
            Layers->Delete(Layers->Count() - 1);
        throw TFileError(Named(File, Error));
    }
    Messages.AddTo(Warnings, File);
    std::vector<TMapLayer*> Added;
    for (int I = Before; I < Layers->Count(); ++I)
        Added.push_back(Layers->GetLayers(I));
    return Added;
}

} // namespace

TProviders::TProviders()
    : FMif(std::make_unique<TSimpleMIFFormatProvider>()),
      FMapInfo(std::make_unique<TMapInfoFormatProvider>())
{
}

TProviders::~TProviders() = default;

QStringList ProviderFilters()
{
    QStringList Filters;
    for (int I = 0; FormatProviders && I < FormatProviders->Count(); ++I)
        Filters << QtFilter(FormatProviders->GetProvider(I)->GetFilter());
    return Filters;
}

QString OpenFilter()
{
    QStringList Filters = ProviderFilters();
    Filters << WorkspaceFilter;
    QStringList All;
    for (const QString& F : Filters)
        for (const QString& P : Patterns(F))
            if (!All.contains(P))
                All << P;
    Filters.prepend("Map files (" + All.join(' ') + ")");
    Filters << "All files (*)";
    return Filters.join(";;");
}

QString SaveFilter()
{
    return ProviderFilters().join(";;");
}

QString FilterExtension(const QString& Filter)
{
    for (const QString& P : Patterns(Filter))
        if (P.startsWith("*.") && P.size() > 2 && P.indexOf(QChar('*'), 1) < 0)
            return P.mid(1);
    return {};
}

bool IsWorkspace(const std::string& File)
{
    return SameText(ExtractFileExt(File), ".wor");
}

bool IsMapFile(const std::string& File)
{
    return IsWorkspace(File) || (FormatProviders && FormatProviders->FindSuitableProvider(File));
}

std::vector<TMapLayer*> OpenMapFile(TCartova& Map, const std::string& File, std::string& Warnings)
{
    const std::string Path = ExpandFileName(File);
    std::error_code Ec;
    if (std::filesystem::is_directory(Path, Ec))
        throw TFileError(Named(File, "is a folder, not a map file"));
    if (!FileExists(Path))
        throw TFileError(Named(File, "no such file"));
    if (!IsMapFile(Path))
        throw TFileError(Named(File, "not a kind of file the viewer opens"));

    TGatheredMessages Messages;
    TMapLayers* Layers = Map.GetLayers();
    if (IsWorkspace(Path))
        return OpenWorkspace(Map, File, Path, Messages, Warnings);
    // The layer joins the map first, so that the companion controls hear of
    // it with its name, and leaves it again when the file cannot be read.
    TMapLayer* Layer = Layers->Add("", ChangeFileExt(ExtractFileName(Path), ""));
    std::string Error;
    try {
        if (!Layer->LoadFromFile(Path, ""))
            Error = Messages.Errors().empty() ? "the file could not be read" : Messages.Errors();
    } catch (const std::exception& E) {
        Error = E.what();
    }
    if (!Error.empty()) {
        Layers->Delete(Layers->IndexOf(Layer));
        throw TFileError(Named(File, Error));
    }
    Messages.AddTo(Warnings, File);
    return {Layer};
}

void SaveLayer(TMapLayer& Layer, const std::string& File)
{
    if (!FormatProviders || !FormatProviders->FindSuitableProvider(File))
        throw TFileError(Named(File, "no format is known for this file name"));
    TGatheredMessages Messages;
    bool Saved = false;
    std::string Error;
    try {
        Saved = Layer.SaveToFile(File);
    } catch (const std::exception& E) {
        Error = E.what();
    }
    if (!Saved)
        throw TFileError(Named(File, !Error.empty()             ? Error
                                     : !Messages.Errors().empty() ? Messages.Errors()
                                                                  : "the layer could not be written"));
}

} // namespace viewer
