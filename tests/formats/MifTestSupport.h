#pragma once
// Helpers of the MIF tests: a map with a MIF provider, files written from
// text, and loading them into a fresh layer.

#include "formats/SimpleMIFFormatProvider.h"
#include "map/MapObjects.h"
#include "objects/Polyline.h"
#include "objects/Rectangle.h"
#include "objects/Region.h"
#include "objects/Symbol.h"
#include "objects/Text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace cartova::test {

inline std::string MifOutputDir()
{
    const std::string Dir = std::string(CARTOVA_TEST_OUTPUT_DIR) + "/mif";
    std::filesystem::create_directories(Dir);
    return Dir;
}

inline void WriteText(const std::string& Path, const std::string& Text)
{
    std::ofstream(Path, std::ios::binary) << Text;
}

inline std::string ReadText(const std::string& Path)
{
    std::ifstream In(Path, std::ios::binary);
    std::stringstream S;
    S << In.rdbuf();
    return S.str();
}

/// A map with a MIF provider and one empty layer; files go to the test output folder.
class TMifFixture : public ::testing::Test {
protected:
    TMifFixture() { Layer = Map.GetLayers()->Add("", "test"); }

    std::string PathOf(const std::string& Name) const { return MifOutputDir() + "/" + Name; }

    /// Writes Name.mif (and Name.mid when Mid is given) and returns the MIF path.
    std::string Files(const std::string& Name, const std::string& Mif, const std::string* Mid = nullptr)
    {
        const std::string P = PathOf(Name + ".mif");
        WriteText(P, Mif);
        std::filesystem::remove(PathOf(Name + ".mid"));
        if (Mid)
            WriteText(PathOf(Name + ".mid"), *Mid);
        return P;
    }
    std::string Files(const std::string& Name, const std::string& Mif, const std::string& Mid)
    {
        return Files(Name, Mif, &Mid);
    }

    bool Load(const std::string& Path) { return Provider.Load(Layer, Path); }

    std::string Value(int Object, int Field) const
    {
        return Layer->GetObjects(Object)->GetFields()->GetFields(Field)->GetAsString();
    }

    TSimpleMIFFormatProvider Provider;
    TCartova Map;
    TMapLayer* Layer = nullptr;
    TMessageRecorder Messages;
};

/// A header with the given columns and "Data".
inline std::string MifHeader(const std::string& Columns, const std::string& Extra = "Delimiter \",\"\n")
{
    int N = 0;
    for (char C : Columns)
        N += C == '\n';
    return "Version 300\nCharset \"WindowsLatin1\"\n" + Extra + "CoordSys Earth Projection 1, 104\nColumns " +
           std::to_string(N) + "\n" + Columns + "Data\n";
}

} // namespace cartova::test
