// Load time of a large generated MIF/MID pair (regions with many parts,
// multi-section polylines, 5 attribute columns, >= 10^7 vertices) against
// GDAL reading the same file through OGR and against the floor: reading the
// bytes and parsing every number with std::from_chars. Prints medians, both
// ratios and the resident memory the loaded layer holds per vertex.
#include "formats/SimpleMIFFormatProvider.h"
#include "map/MapObjects.h"

#include <QApplication>

#ifdef CARTOVA_HAVE_GDAL
#include <ogr_api.h>
#include <ogrsf_frmts.h>
#endif

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using namespace cartova;

namespace {

constexpr int Regions = 2000, RegionParts = 10, RegionPoints = 400;
constexpr int Plines = 1000, PlineSections = 4, PlinePoints = 500;
constexpr long long Vertices =
    1LL * Regions * RegionParts * RegionPoints + 1LL * Plines * PlineSections * PlinePoints;

void Generate(const std::string& Mif, long long& AttributeBytes)
{
    std::ofstream M(Mif), D(Mif.substr(0, Mif.size() - 4) + ".mid");
    M << "Version 300\nCharset \"WindowsLatin1\"\nDelimiter \",\"\nCoordSys Earth Projection 1, 104\n"
         "Columns 5\n  name Char(40)\n  kind Char(10)\n  id Integer\n  area Float\n  rank SmallInt\nData\n";
    char Buf[64];
    unsigned Seed = 12345;
    auto Rnd = [&Seed] { Seed = Seed * 1103515245u + 12345u; return (Seed >> 8) % 1000000; };
    AttributeBytes = 0;
    auto Coord = [&](double X, double Y) {
        const int N = std::snprintf(Buf, sizeof Buf, "%.6f %.6f\n", X, Y);
        M.write(Buf, N);
    };
    for (int I = 0; I < Regions + Plines; ++I) {
        const bool Region = I < Regions;
        const std::string Rec = "\"feature number " + std::to_string(I) + "\",\"" + (Region ? "region" : "line") +
                                "\"," + std::to_string(I) + "," + std::to_string(I * 1.25) + "," +
                                std::to_string(I % 100) + "\n";
        D << Rec;
        AttributeBytes += static_cast<long long>(Rec.size());
        const int Parts = Region ? RegionParts : PlineSections, Points = Region ? RegionPoints : PlinePoints;
        M << (Region ? "Region " : "Pline Multiple ") << Parts << "\n";
        for (int P = 0; P < Parts; ++P) {
            M << "  " << Points << "\n";
            for (int K = 0; K < Points; ++K)
                Coord(-180 + Rnd() * 0.00036, -90 + Rnd() * 0.00018);
        }
        M << "    Pen (1,2,0)\n";
        if (Region)
            M << "    Brush (2,16777215,0)\n";
    }
}

double Seconds(const std::function<void()>& F)
{
    const auto T0 = std::chrono::steady_clock::now();
    F();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - T0).count();
}

double Median(std::vector<double> V)
{
    std::sort(V.begin(), V.end());
    return V[V.size() / 2];
}

long long ResidentBytes()
{
    long long Pages = 0, Resident = 0;
    if (std::FILE* F = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(F, "%lld %lld", &Pages, &Resident) != 2)
            Resident = 0;
        std::fclose(F);
    }
    return Resident * sysconf(_SC_PAGESIZE);
}

// The floor: every byte read, every number parsed, nothing kept.
double Floor(const std::string& Path, long long& Numbers)
{
    const int Fd = ::open(Path.c_str(), O_RDONLY);
    std::vector<char> Buf(1 << 20);
    std::size_t Have = 0;
    double Sum = 0;
    Numbers = 0;
    for (;;) {
        const ssize_t N = ::read(Fd, Buf.data() + Have, Buf.size() - Have);
        const bool End = N <= 0;
        Have += End ? 0 : static_cast<std::size_t>(N);
        // Parse up to the last line end (all of it at the end of the file).
        std::size_t Stop = Have;
        if (!End)
            while (Stop > 0 && Buf[Stop - 1] != '\n')
                --Stop;
        const char* P = Buf.data();
        const char* E = Buf.data() + Stop;
        while (P < E) {
            while (P < E && (*P == ' ' || *P == '\n' || *P == ',' || *P == '(' || *P == ')'))
                ++P;
            double V = 0;
            const auto R = std::from_chars(P, E, V);
            if (R.ec == std::errc()) {
                Sum += V;
                ++Numbers;
                P = R.ptr;
            } else {
                while (P < E && *P != ' ' && *P != '\n')
                    ++P;
            }
        }
        std::copy(Buf.data() + Stop, Buf.data() + Have, Buf.data());
        Have -= Stop;
        if (End)
            break;
    }
    ::close(Fd);
    return Sum;
}

#ifdef CARTOVA_HAVE_GDAL
double GdalRead(const std::string& Path, long long& Points)
{
    GDALDatasetH Ds = GDALOpenEx(Path.c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
    OGRLayerH L = GDALDatasetGetLayer(Ds, 0);
    double Sum = 0;
    Points = 0;
    OGRFeatureH F;
    std::function<void(OGRGeometryH)> Walk = [&](OGRGeometryH G) {
        const int Subs = OGR_G_GetGeometryCount(G);
        if (Subs > 0) {
            for (int I = 0; I < Subs; ++I)
                Walk(OGR_G_GetGeometryRef(G, I));
            return;
        }
        const int N = OGR_G_GetPointCount(G);
        for (int I = 0; I < N; ++I)
            Sum += OGR_G_GetX(G, I) + OGR_G_GetY(G, I);
        Points += N;
    };
    while ((F = OGR_L_GetNextFeature(L)) != nullptr) {
        for (int J = 0; J < OGR_F_GetFieldCount(F); ++J)
            Sum += static_cast<double>(std::string(OGR_F_GetFieldAsString(F, J)).size());
        if (OGRGeometryH G = OGR_F_GetGeometryRef(F))
            Walk(G);
        OGR_F_Destroy(F);
    }
    GDALClose(Ds);
    return Sum;
}
#endif

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication App(argc, argv);
    const std::string Path = "/tmp/cartova-bench-mif/big.mif";
    std::system("mkdir -p /tmp/cartova-bench-mif");
    long long AttributeBytes = 0;
    Generate(Path, AttributeBytes);
    std::printf("file: %s, %lld vertices, %d objects, 5 columns\n", Path.c_str(), Vertices, Regions + Plines);
    const int Runs = 3;

    std::vector<double> Floors, Loads, Gdals;
    long long Numbers = 0;
    for (int R = 0; R < Runs; ++R)
        Floors.push_back(Seconds([&] { Floor(Path, Numbers); }));

    TSimpleMIFFormatProvider Provider;
    long long Memory = 0;
    int Objects = 0;
    for (int R = 0; R < Runs; ++R) {
        auto Map = std::make_unique<TCartova>();
        TMapLayer* Layer = Map->GetLayers()->Add("", "big");
        const long long Before = ResidentBytes();
        Loads.push_back(Seconds([&] { Provider.Load(Layer, Path); }));
        Memory = std::max(Memory, ResidentBytes() - Before);
        Objects = Layer->GetObjectCount();
    }
#ifdef CARTOVA_HAVE_GDAL
    GDALAllRegister();
    long long GdalPoints = 0;
    for (int R = 0; R < Runs; ++R)
        Gdals.push_back(Seconds([&] { GdalRead(Path, GdalPoints); }));
#endif
    const double F = Median(Floors), L = Median(Loads);
    std::printf("floor (read + from_chars of %lld numbers): %.3f s\n", Numbers, F);
    std::printf("cartova load (%d objects):                 %.3f s  (%.2fx the floor)\n", Objects, L, L / F);
#ifdef CARTOVA_HAVE_GDAL
    const double G = Median(Gdals);
    std::printf("gdal/ogr read (%lld vertices):           %.3f s  (cartova is %.1fx faster)\n", GdalPoints, G, G / L);
#endif
    const double Budget = 2.0 * (16.0 * static_cast<double>(Vertices) + static_cast<double>(AttributeBytes));
    std::printf("resident memory after load: %.1f MB, %.2f bytes/vertex (budget %.1f MB: 2 x (16 B/vertex + %lld B attribute text))\n",
                Memory / 1e6, static_cast<double>(Memory) / static_cast<double>(Vertices), Budget / 1e6, AttributeBytes);
    return 0;
}
