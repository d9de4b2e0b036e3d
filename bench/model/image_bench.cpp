// Loading, checking and saving a full 4096-byte image in memory.
#include <benchmark/benchmark.h>

#include <vector>

#include "model/image.h"
#include "model/layout.h"

using namespace quarnel;

namespace {

std::vector<std::uint8_t> realisticBytes() {
    std::vector<std::uint8_t> bytes(kEpromSize, 0xFF);
    for (std::size_t i = 0; i < 0x400; ++i) bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
    bytes[2] = 0x23;  // Last Word 0x23FE: the checksum covers 1 KiB
    bytes[3] = 0xFE;
    return bytes;
}

void BM_LoadAndVerify(benchmark::State& state) {
    const auto bytes = realisticBytes();
    Image image;
    NullNotices none;
    for (auto _ : state) {
        const LoadOutcome out = loadImageBytes(image, bytes.data(), bytes.size(), none);
        benchmark::DoNotOptimize(out.checksumOk);
        benchmark::DoNotOptimize(structuralProblems(image));
    }
}
BENCHMARK(BM_LoadAndVerify);

void BM_Checksum(benchmark::State& state) {
    Image image;
    image.bytes.fill(0x5A);
    writeWord(image, 2, 0x2FFF);  // the whole image
    for (auto _ : state) benchmark::DoNotOptimize(computeChecksum(image));
}
BENCHMARK(BM_Checksum);

void BM_SaveToMemory(benchmark::State& state) {
    const auto bytes = realisticBytes();
    Image image;
    NullNotices none;
    loadImageBytes(image, bytes.data(), bytes.size(), none);
    for (auto _ : state) benchmark::DoNotOptimize(saveImageBytes(image));
}
BENCHMARK(BM_SaveToMemory);

}  // namespace
