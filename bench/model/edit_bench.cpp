// Decoding every channel of a full station and the edits that write into the
// image: a frequency typed and encoded, a CW message stored, the CW area grown.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "model/channel_view.h"
#include "model/cw_growth.h"
#include "model/cw_messages.h"
#include "model/edits.h"
#include "model/layout.h"
#include "model/notice.h"
#include "tests/support/realistic_image.h"

using namespace quarnel;

namespace {

constexpr int kStationChannels = 32;

// A 32-channel UHF station with three CW messages, as read out of a radio.
const Image& station() {
    static const Image image = [] {
        testing::RealisticPlan plan;
        plan.modes = kStationChannels;
        plan.messages = {"DE WB6XYZ/R", "WB6XYZ", "WB6XYZ/R"};
        plan.lastSlotBytes = kCwSlotBytes;
        return testing::realisticImage(plan);
    }();
    return image;
}

std::size_t baseOf(const Image& image, int channel) { return channelBase(image, channel).base; }

// The channel display's decoding of each channel in turn, as stepping
// through the whole station does (the priority rewrite included).
void BM_DecodeAllChannels32(benchmark::State& state) {
    Image image = station();
    for (auto _ : state) {
        for (int channel = 1; channel <= kStationChannels; ++channel) {
            ChannelViewRequest request;
            request.channel = channel;
            ChannelView view = displayChannel(image, request);
            benchmark::DoNotOptimize(view);
        }
    }
}
BENCHMARK(BM_DecodeAllChannels32);

// One channel's decoding: what a channel step asks of the model.
void BM_DecodeOneChannel(benchmark::State& state) {
    Image image = station();
    ChannelViewRequest request;
    request.channel = 7;
    for (auto _ : state) {
        ChannelView view = displayChannel(image, request);
        benchmark::DoNotOptimize(view);
    }
}
BENCHMARK(BM_DecodeOneChannel);

// A receive frequency in hertz into the receive word.
void BM_EncodeFrequency(benchmark::State& state) {
    Image image = station();
    const std::size_t base = baseOf(image, 3);
    for (auto _ : state) {
        FrequencyEncoding out = encodeFrequency(image, base, Direction::Receive, Band::Uhf, 448'850'000);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_EncodeFrequency);

// Enter in the receive entry box: "4488625" completed, checked and encoded.
void BM_CommitFrequencyEntry(benchmark::State& state) {
    Image image = station();
    const std::size_t base = baseOf(image, 3);
    const std::string typed = "4488625";
    for (auto _ : state) {
        EditOutcome out = commitFrequencyEntry(image, base, Direction::Receive, Band::Uhf, typed);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_CommitFrequencyEntry);

// The CW editor's store of one message that fits its slot.
void BM_StoreCwMessage(benchmark::State& state) {
    Image image = station();
    NullNotices quiet;
    const CwState kept = countMessages(image, quiet);
    const std::string text = "DE WB6XYZ/R";
    for (auto _ : state) {
        StoreOutcome out = storeMessage(image, kept, 0, text, quiet);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_StoreCwMessage);

// Growing the CW area by one slot, which moves all 32 records up. Each
// iteration starts from the station as read, so the copy of the image
// (4097 bytes) is part of the figure.
void BM_GrowCwArea(benchmark::State& state) {
    const Image& original = station();
    NullNotices quiet;
    for (auto _ : state) {
        Image image = original;
        GrowOutcome out = growCwArea(image, kCwSlotBytes, quiet);
        benchmark::DoNotOptimize(out);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_GrowCwArea);

// A message that does not fit the last slot: stored with the growth it needs.
void BM_StoreCwMessageGrowing(benchmark::State& state) {
    const Image& original = station();
    NullNotices quiet;
    const CwState kept = countMessages(original, quiet);
    const std::string text = "DE WB6XYZ/R QTH HILLTOP";
    for (auto _ : state) {
        Image image = original;
        StoreOutcome out = storeMessage(image, kept, kept.count - 1, text, quiet);
        benchmark::DoNotOptimize(out);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_StoreCwMessageGrowing);

// The copy the two figures above include.
void BM_CopyImage(benchmark::State& state) {
    const Image& original = station();
    for (auto _ : state) {
        Image image = original;
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_CopyImage);

}  // namespace
