// The images the editing fuzz target starts from, made once: the realistic
// stations of the test support saved as Save As writes them, an erased EPROM
// and an all-zero one. An edit input chooses one by index and sets bytes
// over it, so that one input stays small while any image can be reached.
#pragma once

#include <cstdint>
#include <vector>

#include "model/image.h"
#include "tests/support/realistic_image.h"

namespace quarnel::fuzz {

inline const std::vector<Image>& seedImages() {
    static const std::vector<Image> images = [] {
        std::vector<Image> out;
        for (const auto& plan : testing::realisticPlans()) {
            Image image = testing::realisticImage(plan);
            prepareForSave(image);
            out.push_back(image);
        }
        Image erased;
        erased.bytes.fill(0xFF);
        out.push_back(erased);
        out.push_back(Image{});
        // Loaded from a file of 4096 bytes, the overflow slot stays erased.
        for (Image& image : out) image[kEpromSize] = 0xFF;
        return out;
    }();
    return images;
}

}  // namespace quarnel::fuzz
