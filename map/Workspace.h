#pragma once
// MapInfo workspaces (.wor). A workspace is read in two steps: the parser
// turns its text into a TWorkspace (the tables of its map window, bottom
// first, with their switches and styles, and the window's centre) without
// touching a map or a file; ApplyWorkspace then opens the tables into a map.
// TCartova::LoadWOR does both.
//
// The parser is a keyword scanner over the text, not a parser of the
// workspace language: it reads the "Open Table" statements, the last
// "Map From" statement and the "Set Map" statements after it.

#include "host/Host.h"
#include "map/Layers.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cartova {

class TCartova;

/// The style a "Display Global" layer gets. Each part holds what the last
/// global layer at or below this one gave; a part no global layer gave yet
/// is not set and comes from the layer's own defaults when applied.
struct TWorkspaceStyle {
    bool HasBrush = false;
    bool HasPen = false;
    bool HasFont = false;
    /// The values of the parts that are set; StyleSet is true.
    TMapStyle Style;
};

/// One table of the map window.
struct TWorkspaceTable {
    /// The table's alias, as the workspace writes it; the layer's name.
    std::string Alias;
    /// The file as the workspace writes it: possibly a Windows path with
    /// backslashes and a drive letter, usually without extension.
    std::string Path;
    /// The layer's number in the workspace, 1 being the top layer.
    int Number = 0;
    /// False for "Display Off".
    bool Visible = true;
    /// True for "Display Global": Style overrides the table's own styles.
    bool Global = false;
    TWorkspaceStyle Style;
    /// "Auto On" in the layer's label clause.
    bool AutoLabel = false;
    /// The layer a "Set Map Layer N Editable" statement names.
    bool Editable = false;
};

/// What a workspace says about its map window.
struct TWorkspace {
    /// The "!Charset" header ("" when none); names were converted from it.
    std::string Charset;
    /// The tables to open, bottom layer first.
    std::vector<TWorkspaceTable> Tables;
    /// Whether the map statement gives a centre whose coordinates are both non-zero.
    bool HasCenter = false;
    double CenterX = 0;
    double CenterY = 0;
};

/// Reads workspace text (in the charset its "!Charset" header names) into a
/// description. Never touches a file. Raises ERangeError for a negative
/// colour; any other text gives a description (unreadable numbers read 0).
TWorkspace ParseWorkspace(std::string_view Bytes);

/// Reads and parses the workspace file FileName; raises EFOpenError when it
/// cannot be opened (missing, a folder, not a regular file) and EReadError
/// when it is larger than any workspace (64 MB).
TWorkspace ReadWorkspace(const std::string& FileName);

/// What ApplyWorkspace did.
struct TWorkspaceLoad {
    /// The layers it added, bottom first.
    std::vector<TMapLayer*> Layers;
    /// The tables whose files were not found (skipped), as the workspace writes them.
    std::vector<std::string> Missing;
};

/// Opens the tables of Workspace as new layers on top of Map's layers, then
/// centres the map when the workspace gives a centre; the zoom stays.
/// Table paths are looked for relative to Dir (the workspace's directory)
/// as FindWorkspaceTable says. A table whose file is missing is skipped.
TWorkspaceLoad ApplyWorkspace(TCartova& Map, const TWorkspace& Workspace, const std::string& Dir);

/// The file a workspace's table path names, or "" when there is none. Path
/// may be a Windows path (backslashes, drive letter, UNC); without an
/// extension a format provider reads, ".tab" is added. It is tried as given,
/// then relative to Dir (a rooted path without its root), then by its file
/// name alone in Dir; every component matches a file or folder ignoring
/// case, an exact match first.
std::string FindWorkspaceTable(std::string_view Path, const std::string& Dir);

/// Sets Object's pen, brush and background (and a text's font name, colour
/// and background) from Style, as a load does for a layer whose style is set.
void ApplyMapStyle(const TMapStyle& Style, TCustomMapObject& Object);

namespace detail {

/// The 1-based position of the first occurrence of Sub in Text at or after
/// the 1-based Start; 0 when none, when Sub or Text is empty or Start < 1.
int SubStrPos(std::string_view Sub, std::string_view Text, int Start);
/// "A, B": false (both 0) unless both numbers read ("." decimals).
bool ParsePair(std::string_view Text, double& A, double& B);
/// "A, B, C": false (all 0) unless all three numbers read.
bool ParseTriple(std::string_view Text, double& A, double& B, double& C);
/// A MapInfo colour (red × 65536 + green × 256 + blue) as a host colour (low
/// byte red), each component at most 255; raises ERangeError when V < 0.
TColor WorkspaceColor(std::int64_t V);
/// The index of the first line from Start holding an "Open Table" statement
/// with a quoted path; −1 when none.
int FindLine(int Start, const std::vector<std::string>& Lines);
/// The alias and path of an "Open Table "path" As alias" line. Without "As"
/// the alias is the file's name without extension. False when the line
/// holds no quoted path or an empty one.
bool ParseOpenTable(std::string_view Line, std::string& Alias, std::string& Path);

} // namespace detail

} // namespace cartova
