// Writes both built-in menus.txt texts, as the file holds them, into the
// folder given on the command line: the fuzzer's seed corpus.

#include "appmenus/MenusFileText.h"
#include "resources/DefaultMenusText.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool WriteSeed(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const bool ok = WriteSeed(folder + "/english.txt",
                              corvane::EncodeMenusFileBytes(corvane::DefaultMenusText(false))) &&
                    WriteSeed(folder + "/norwegian.txt",
                              corvane::EncodeMenusFileBytes(corvane::DefaultMenusText(true)));
    return ok ? 0 : 1;
}
