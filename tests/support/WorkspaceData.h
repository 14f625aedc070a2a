#pragma once
// A workspace as MapInfo Professional writes it, with twelve tables of MIF
// files and TAB files that ogr2ogr makes, in folders and file names of mixed
// case, named by Windows paths. Every table holds one square centred on
// (10, 50); the bottom table's is the largest, so each layer shows as a ring
// around the ones above it.

#include "tests/support/ShellHelpers.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

namespace cartova::test {

/// One table of the twelve-layer workspace, bottom first.
struct TWorkspaceTableData {
    const char* Alias;
    const char* File;      // where the file lies, relative to the workspace's folder
    const char* Written;   // the path the workspace names
    int FileColor;         // the brush colour of the file, MapInfo's form
    int ShownColor;        // the colour the layer shows in, MapInfo's form; -1 when not shown
};

// Layer 1 is the top (Grid); "Set Map" gives Layer 12 (Land), 11 (Forest), 10
// (Fields) and 2 (Labels) global brushes, hides Layer 3 (Sites) and makes
// Layer 1 editable with automatic labels.
inline const std::array<TWorkspaceTableData, 12>& WorkspaceTables()
{
    static const std::array<TWorkspaceTableData, 12> Tables = {{
        {"Land", "land.mif", "Land.MIF", 0xC0C0C0, 0xFFFF00},
        {"Forest", "Data/FOREST.TAB", "C:\\Data\\Forest", 0x808080, 0x008000},
        {"Fields", "data/Fields.tab", "data\\fields.tab", 0x404040, 0xFF0000},
        {"Lakes", "Lakes.Tab", "\\\\server\\maps\\lakes", 0x8080FF, 0x8080FF},
        {"Rivers", "Data/rivers.mif", "Data\\Rivers.mif", 0x0000C0, 0x0000C0},
        {"Roads", "Roads.TAB", "C:\\Data\\Roads", 0xFF8000, 0xFF8000},
        {"Rail", "rail.mif", "rail.mif", 0x400000, 0x400000},
        {"Towns", "Data/TOWNS.TAB", "Data\\Towns", 0xFF00FF, 0xFF00FF},
        {"Parks", "Parks.mif", "PARKS.MIF", 0x80FF80, 0x80FF80},
        {"Sites", "sites.tab", "D:\\Other\\Sites.TAB", 0x00FFFF, -1},
        {"Labels", "labels.mif", "labels.mif", 0x804000, 0x0000FF},
        {"Grid", "Grid.tab", "grid", 0x008080, 0x008080},
    }};
    return Tables;
}

/// The MIF text of a square of half side Half centred on (10, 50) filled with Color.
inline std::string SquareMif(double Half, int Color)
{
    const std::string X0 = std::to_string(10 - Half), X1 = std::to_string(10 + Half);
    const std::string Y0 = std::to_string(50 - Half), Y1 = std::to_string(50 + Half);
    return "Version 300\nCharset \"WindowsLatin1\"\nDelimiter \",\"\nCoordSys Earth Projection 1, 104\n"
           "Columns 1\n  name Char(20)\nData\n\nRegion 1\n  5\n" +
           X0 + " " + Y0 + "\n" + X1 + " " + Y0 + "\n" + X1 + " " + Y1 + "\n" + X0 + " " + Y1 + "\n" + X0 + " " +
           Y0 + "\n    Pen (1,2,0)\n    Brush (2," + std::to_string(Color) + ")\n";
}

/// The workspace text; its tables lie as WorkspaceTables says.
inline std::string TwelveLayerWorkspace()
{
    const auto& T = WorkspaceTables();
    std::string W = "!Workspace\r\n!Version 950\r\n!Charset WindowsLatin1\r\n";
    for (const TWorkspaceTableData& D : T)
        W += std::string("Open Table \"") + D.Written + "\" As " + D.Alias + " Interactive\r\n";
    W += "Map From ";
    for (int I = 11; I >= 0; --I)
        W += std::string(T[I].Alias) + (I > 0 ? "," : "");
    W += "\r\n  Position (0.0520833,0.0520833) Units \"in\"\r\n  Width 6.625 Units \"in\" Height 4.34375 Units \"in\"\r\n"
         "Set Window FrontWindow() ScrollBars Off Autoscroll On\r\n"
         "Set Map\r\n  CoordSys Earth Projection 1, 104\r\n  Center (10,50)\r\n  Zoom 1500 Units \"km\"\r\n"
         "  Preserve Zoom Display Zoom\r\n  Distance Units \"km\" Area Units \"sq km\" XY Units \"degree\"\r\n"
         "Set Map\r\n";
    for (int K = 1; K <= 12; ++K) {
        W += "  Layer " + std::to_string(K) + "\r\n";
        switch (K) {
        case 2: W += "    Display Global\r\n    Global Pen (1,2,0)  Brush (2,255,16777215)  Symbol (35,0,12)\r\n"; break;
        case 3: W += "    Display Off\r\n"; break;
        case 10: W += "    Display Global\r\n    Global Pen (1,2,0)  Brush (2,16711680)\r\n"; break;
        case 11: W += "    Display Global\r\n    Global Pen (30,2,0)  Brush (2,32768)  Font (\"Arial\",0,9,0)\r\n"; break;
        case 12: W += "    Display Global\r\n    Global Brush (2,16776960)\r\n"; break;
        default: W += "    Display Graphic\r\n";
        }
        W += "    Label Line None Position Center Font (\"Arial\",0,9,0) Pen (1,2,0)\r\n      With name\r\n"
             "      Parallel On Auto " +
             std::string(K == 1 ? "On" : "Off") + " Overlap Off Duplicates On Offset 2\r\n      Visibility On\r\n";
    }
    W += "Set Map Layer 1 Editable\r\nSet Window FrontWindow() Printer\r\n Name \"PDF\" Orientation Portrait Copies 1\r\n";
    return W;
}

/// Writes the twelve tables and the workspace "Map.WOR" into the new folder
/// Dir; returns the workspace's path, "" when ogr2ogr failed.
inline std::string WriteTwelveLayerWorkspace(const std::string& Dir)
{
    namespace fs = std::filesystem;
    fs::remove_all(Dir);
    fs::create_directories(Dir + "/source");
    const auto& T = WorkspaceTables();
    for (int I = 0; I < 12; ++I) {
        const fs::path File = fs::path(Dir) / T[I].File;
        fs::create_directories(File.parent_path());
        const std::string Ext = File.extension().string();
        const bool Mif = Ext == ".mif" || Ext == ".MIF";
        const fs::path Source = Mif ? File : fs::path(Dir) / "source" / (std::string(T[I].Alias) + ".mif");
        std::ofstream(Source, std::ios::binary) << SquareMif(12 - I, T[I].FileColor);
        std::ofstream(fs::path(Source).replace_extension(".mid"), std::ios::binary)
            << "\"" << T[I].Alias << "\"\n";
        if (Mif)
            continue;
        // GDAL names the set in lower case; the extensions get the table's case.
        const fs::path Made = fs::path(File).replace_extension(".tab");
        if (std::system(("ogr2ogr -f 'MapInfo File' '" + Made.string() + "' '" + Source.string() + "' > /dev/null 2>&1")
                            .c_str()) != 0)
            return {};
        if (Ext == ".TAB")
            for (const auto& [Lower, Upper] : {std::pair(".dat", ".DAT"), std::pair(".map", ".MAP"), std::pair(".id", ".ID")})
                fs::rename(fs::path(Made).replace_extension(Lower), fs::path(Made).replace_extension(Upper));
        fs::rename(Made, File);
    }
    const std::string Wor = Dir + "/Map.WOR";
    std::ofstream(Wor, std::ios::binary) << TwelveLayerWorkspace();
    return Wor;
}

} // namespace cartova::test
