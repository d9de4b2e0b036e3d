#include "tests/support/sample_image.h"

namespace quarnel::testing {

Image sampleImage(const SampleLayout& l) {
    Image image;
    image.bytes.fill(0xFF);
    for (std::size_t i = 0; i < 0x30; ++i) image[i] = 0;
    image[5] = l.version;
    image[7] = l.size;
    image[8] = l.modes;
    writeWord(image, 0x11, l.cwIdAddr);
    writeWord(image, 0x13, l.cwEnd);
    writeWord(image, 0x15, l.rfAddress);
    writeWord(image, 0x17, l.rfAddress);
    image[0x1D] = 2;                 // re-key delay 240 ms
    image[0x1E] = 1;                 // tone start delay 240 ms
    writeWord(image, 0x1F, 51);      // 20 words per minute
    for (std::size_t a = l.cwIdAddr & 0x0FFF; a < (l.cwEnd & 0x0FFFu); ++a) image[a] = 0;
    const std::size_t rf = l.rfAddress & 0x0FFF;
    const std::size_t end = rf + std::size_t{l.modes} * l.size;
    for (std::size_t a = rf; a < end && a < kEpromSize; ++a) image[a] = 0;
    std::size_t last = end - 1;
    if (last % 2) ++last;
    writeWord(image, 2, static_cast<std::uint16_t>(0x2000 | (last & 0x0FFF)));
    return image;
}

void setRecord(Image& image, const SampleLayout& l, int channel,
               std::initializer_list<std::uint8_t> bytes) {
    std::size_t a = (l.rfAddress & 0x0FFF) + static_cast<std::size_t>(channel - 1) * l.size;
    for (std::uint8_t b : bytes) image[a++] = b;
}

std::vector<std::uint8_t> eprom(const Image& image) {
    return {image.bytes.begin(), image.bytes.begin() + kEpromSize};
}

}  // namespace quarnel::testing
