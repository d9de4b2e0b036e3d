// Fuzz target: any file at all is loaded and decoded as the editor shows it
// (header, CW messages, channels, the display's priority rewrite), and every
// result must be clear. The channels are the first three and those at the
// edges of the image and of the channel count; the corruption tests decode
// every channel.
//
// Input: one byte that chooses the receive and transmit bands (modulo the
// nine pairs), then the file. Every view decodes the channel with that pair,
// so that across inputs every word meets every band while one run decodes
// each channel once.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "fuzz/fuzz_check.h"
#include "model/channel_view.h"
#include "model/image.h"
#include "model/notice.h"
#include "tests/support/decode_check.h"

using namespace quarnel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& pairs = testing::allBandPairs();
    const testing::BandPair bands = pairs[size > 0 ? data[0] % pairs.size() : 0];
    const std::uint8_t* file = size > 0 ? data + 1 : data;
    const std::size_t fileSize = size > 0 ? size - 1 : 0;

    // The image alone on the heap, so that any access past its 4097 bytes
    // lands in the sanitizer's red zone; allocated once and reloaded each run.
    static const auto image = std::make_unique<Image>();
    RecordedNotices notices;
    const LoadOutcome load = loadImageBytes(*image, file, fileSize, notices);
    const std::size_t taken = fileSize < kImageSize ? fileSize : kImageSize;
    FUZZ_REQUIRE(load.ok && load.bytesRead == taken, "the load counts the bytes it took");
    FUZZ_REQUIRE(load.tooLarge == (fileSize > kEpromSize), "too large exactly when over 4096 bytes");
    FUZZ_REQUIRE(notices.entries.size() == (load.tooLarge ? 1u : 0u), "one notice for an over-long file");
    FUZZ_REQUIRE(load.checksumOk == (load.computed == load.stored), "the checksum comparison");
    FUZZ_REQUIRE(load.computed == computeChecksum(*image) && load.stored == storedChecksum(*image),
                  "the checksums of the outcome are the image's");
    for (std::size_t a = taken; a < kImageSize; ++a)
        FUZZ_REQUIRE((*image)[a] == 0xFF, "a byte the file does not hold is not erased");

    testing::DecodeSweep sweep;
    sweep.bands = {bands};
    sweep.leading = 3;
    // The list of a CW area of more messages than a codeplug can have is
    // fuzz_cw's: decoding thousands of them would take most of each run.
    sweep.cwTextsUpTo = 64;
    const auto problems = testing::decodeProblems(*image, sweep);
    if (!problems.empty()) fuzz::fail(problems.front() + " (" + std::to_string(problems.size()) + " problems)");
    return 0;
}
