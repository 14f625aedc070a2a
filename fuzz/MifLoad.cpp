// Fuzz target of the MIF/MID reader: the input is read once as a MIF file
// with an empty MID file, and once split at the first "\n--MID--\n" into a
// MIF and a MID file. The reader runs on a layer without a map, so no
// widget is needed; every error must end as an exception, never a crash.
#include "formats/MifReader.h"
#include "map/Layers.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

namespace {

const std::string& Folder()
{
    static const std::string Dir = [] {
        char Pattern[] = "/tmp/cartova-fuzz-mif-XXXXXX";
        const char* D = ::mkdtemp(Pattern);
        return std::string(D ? D : "/tmp");
    }();
    return Dir;
}

void Put(const std::string& Path, std::string_view Bytes)
{
    if (std::FILE* F = std::fopen(Path.c_str(), "wb")) {
        if (!Bytes.empty())
            std::fwrite(Bytes.data(), 1, Bytes.size(), F);
        std::fclose(F);
    }
}

void LoadPair(std::string_view Mif, std::string_view Mid)
{
    const std::string Base = Folder() + "/input";
    Put(Base + ".mif", Mif);
    Put(Base + ".mid", Mid);
    cartova::TMapLayer Layer;
    try {
        cartova::detail::TMifReader Reader(Layer, Base + ".mif");
        Reader.Open();
        Reader.Run();
    } catch (const std::exception&) {
        // A clean error: what the provider reports as "Error reading mif-file".
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const std::string_view Bytes(reinterpret_cast<const char*>(Data), Size);
    LoadPair(Bytes, {});
    const std::string_view Marker = "\n--MID--\n";
    const std::size_t At = Bytes.find(Marker);
    if (At != std::string_view::npos)
        LoadPair(Bytes.substr(0, At), Bytes.substr(At + Marker.size()));
    return 0;
}
