// Finding a workspace's tables on this machine: workspaces written on
// Windows name their tables with backslashes, drive letters and any case.
#include "map/Workspace.h"

#include "formats/CustomFormatProvider.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <cctype>

namespace cartova {

namespace {

// The entry of Folder named Name ignoring case: the exact name when it
// exists, else the first match in name order; "" when none.
QString MatchEntry(const QString& Folder, const QString& Name)
{
    if (Name == "." || Name == ".." || QFileInfo::exists(Folder + '/' + Name))
        return Name;
    const QStringList Entries =
        QDir(Folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& Entry : Entries)
        if (Entry.compare(Name, Qt::CaseInsensitive) == 0)
            return Entry;
    return {};
}

// The file Components name below Root, each matched ignoring case; "" when
// there is none.
std::string Resolve(QString Root, const QStringList& Components)
{
    for (const QString& C : Components) {
        const QString Entry = MatchEntry(Root, C);
        if (Entry.isEmpty())
            return {};
        Root = Root.endsWith('/') ? Root + Entry : Root + '/' + Entry;
    }
    const std::string Path = Root.toStdString();
    return FileExists(Path) ? Path : std::string();
}

} // namespace

std::string FindWorkspaceTable(std::string_view Path, const std::string& Dir)
{
    if (Path.empty() || Path.find('\0') != std::string_view::npos)
        return {};
    std::string Name(Path);
    std::replace(Name.begin(), Name.end(), '\\', '/');
    if (!SameText(ExtractFileExt(Name), ".tab") &&
        !(FormatProviders && !ExtractFileExt(Name).empty() && FormatProviders->FindSuitableProvider(Name)))
        Name += ".tab";

    // The root of a rooted name: a drive ("c:", "c:/"), a UNC share's "//" or "/".
    std::size_t Rooted = 0;
    const bool Drive = Name.size() >= 2 && std::isalpha(static_cast<unsigned char>(Name[0])) && Name[1] == ':';
    if (Drive)
        Rooted = 2;
    while (Rooted < Name.size() && Name[Rooted] == '/')
        ++Rooted;
    const QStringList Components =
        QString::fromStdString(Name.substr(Rooted)).split('/', Qt::SkipEmptyParts);
    if (Components.isEmpty())
        return {};

    const QString Folder = QString::fromStdString(Dir.empty() ? std::string(".") : Dir);
    std::string Found;
    // As given: a name rooted on this machine, or relative to the working folder.
    if (!Drive)
        Found = Resolve(Rooted > 0 ? QStringLiteral("/") : QDir::currentPath(), Components);
    // Relative to the workspace's folder, without its root.
    if (Found.empty())
        Found = Resolve(Folder, Components);
    // By its file name alone in the workspace's folder.
    if (Found.empty())
        Found = Resolve(Folder, {Components.back()});
    return Found;
}

} // namespace cartova
