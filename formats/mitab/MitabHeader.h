// What the text header of a TAB or MIF file declares beyond what GDAL
// reports: the MapInfo type of each field (GDAL reads SmallInt as Integer and
// Logical as Char), index marks, and a MIF file's CoordSys with its Bounds.
#pragma once

#include <string>
#include <vector>

namespace cartova::mitab {

struct TNativeField {
    int Type = 0; // TABFT_*
    bool Indexed = false;
};

// The declared fields in order; empty when the header cannot be read.
std::vector<TNativeField> ReadNativeFields(const std::string& Path, bool IsTab);

// The CoordSys clause of a MIF header (over several lines when it is), or "".
std::string ReadMifCoordSys(const std::string& Path);

} // namespace cartova::mitab
