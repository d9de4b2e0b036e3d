// Fuzz target: any file at all is loaded and decoded as the editor shows it
// (header, CW messages, channels with every band combination, the display's
// priority rewrite), and every result must be clear. The channels are the
// first three and those at the edges of the image and of the channel count;
// the corruption tests decode every channel.
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
    // The image alone on the heap, so that any access past its 4097 bytes
    // lands in the sanitizer's red zone.
    auto image = std::make_unique<Image>();
    RecordedNotices notices;
    const LoadOutcome load = loadImageBytes(*image, data, size, notices);
    const std::size_t taken = size < kImageSize ? size : kImageSize;
    fuzz::require(load.ok && load.bytesRead == taken, "the load counts the bytes it took");
    fuzz::require(load.tooLarge == (size > kEpromSize), "too large exactly when over 4096 bytes");
    fuzz::require(notices.entries.size() == (load.tooLarge ? 1u : 0u), "one notice for an over-long file");
    fuzz::require(load.checksumOk == (load.computed == load.stored), "the checksum comparison");

    // Each channel with each band for its receive word and for its transmit
    // and idle words: the receive word is read with the receive band only,
    // the others with the transmit band only, so these three pairs decode
    // every word with every band.
    testing::DecodeSweep sweep;
    sweep.bands = {{Band::Vhf, Band::Vhf}, {Band::Uhf, Band::Uhf}, {Band::Band800, Band::Band800}};
    sweep.leading = 3;
    auto problems = testing::decodeProblems(*image, sweep);
    // And channel 1 as the display shows it with all nine combinations.
    for (const auto& [rx, tx] : testing::allBandPairs()) {
        for (const auto& p : testing::viewProblems(*image, channelView(*image, {1, rx, tx})))
            problems.push_back("channel 1: " + p);
    }
    if (!problems.empty()) fuzz::fail(problems.front() + " (" + std::to_string(problems.size()) + " problems)");
    return 0;
}
