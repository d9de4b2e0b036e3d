// Writes the realistic repeater image of the tests to the file named by its
// one argument, for scripts/screenshot to open in the editor. It is no part
// of the product.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "tests/support/sample_image.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_sample FILE\n");
        return 2;
    }
    const std::vector<std::uint8_t> bytes = quarnel::testing::eprom(quarnel::testing::repeaterImage());
    std::FILE* f = _wfopen(argv[1], L"wb");
    const bool written = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f && std::fclose(f) != 0) return 1;
    return written ? 0 : 1;
}
