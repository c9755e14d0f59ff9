// Writes the seed corpora: the game scripts into the first folder and, when
// the RTF reader is built, the built-in documents into the second.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "gamesteps.h"
#ifdef PALTSEKHOD_HAVE_RTF
#include "documents.h"
#endif

namespace {

bool writeFile(const std::filesystem::path& path, const char* data, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data, static_cast<std::streamsize>(size));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: fuzz_seeds GAME_DIR [RTF_DIR]\n");
        return 2;
    }
    std::filesystem::create_directories(argv[1]);
    int n = 0;
    for (const auto& seed : gameSeedInputs()) {
        const auto path = std::filesystem::path(argv[1]) / ("seed-" + std::to_string(n++));
        if (!writeFile(path, reinterpret_cast<const char*>(seed.data()), seed.size()))
            return 1;
    }
#ifdef PALTSEKHOD_HAVE_RTF
    if (argc >= 3) {
        std::filesystem::create_directories(argv[2]);
        const char* names[] = {"help.rtf", "guidance.rtf"};
        const auto docs = builtInDocuments();
        for (int i = 0; i < docs.size() && i < 2; ++i) {
            if (docs[i].isEmpty()
                || !writeFile(std::filesystem::path(argv[2]) / names[i], docs[i].constData(), docs[i].size()))
                return 1;
        }
    }
#endif
    return 0;
}
