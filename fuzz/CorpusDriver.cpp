// Runs every file of a corpus folder through a fuzz target once, so the seed
// corpus is a regression test in builds without libFuzzer.
#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size);

int main(int argc, char** argv)
{
    QCoreApplication App(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
        return 2;
    }
    int Count = 0;
    for (const auto& Entry : std::filesystem::recursive_directory_iterator(argv[1])) {
        if (!Entry.is_regular_file())
            continue;
        std::ifstream In(Entry.path(), std::ios::binary);
        std::vector<char> Bytes((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(Bytes.data()), Bytes.size());
        ++Count;
    }
    std::printf("%d passed, 0 failed\n", Count);
    return Count > 0 ? 0 : 1;
}
