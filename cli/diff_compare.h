// The comparison behind `diff`: two images decoded as `show` decodes them,
// compared field by field by name, then the bytes that no named difference
// accounts for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/loaded.h"
#include "model/synthesizer.h"

namespace quarnel::cli {

// One decoded value that differs. `field` is the path of the value in the
// JSON document of `show`: "header.cw_speed_item", "cw.count", "messages[1]",
// "problems", or within a channel object "rx.code_item", "timers.repeater_item";
// a channel present in one image only is the field "channel".
struct FieldDifference {
    int channel = 0;  // the channel number for channel fields, 0 otherwise
    std::string field;
    nlohmann::ordered_json a, b;  // the values as `show` gives them (null when absent)
    // What the editor shows for the value, where it is not the value itself:
    // the texts of "hz", "reference" and "tune" ("text", "reference_text",
    // "title"), and for drop-down positions and priority levels the entry
    // ("103.5 Hz", "180 s", "Highest", "960 ms", "no selection").
    bool hasText = false;
    std::string aText, bText;
    // The text says all the value does (a header address in hexadecimal):
    // the text form prints it alone.
    bool textOnly = false;
};

// Bits that differ and that no field difference accounts for, one byte each.
// Bytes of a structure both images hold (the header, a channel record, the CW
// area) are compared where each image keeps it, so records that merely moved
// do not differ; every other byte is compared at the same offset.
struct ByteDifference {
    std::string where;       // "header byte 09", "channel 3 byte 7", "CW area byte 42", or ""
    std::size_t offsetA = 0;  // image offsets
    std::size_t offsetB = 0;
    std::uint8_t a = 0, b = 0;
};

struct ImageDifferences {
    bool identical = true;  // all 4096 bytes are equal
    std::uint16_t checksumA = 0, checksumB = 0;  // the stored checksums
    std::vector<FieldDifference> fields;
    std::vector<ByteDifference> bytes;
    // Every channel both images hold lies this many bytes further on in B
    // (a grown CW area moved the records); 0 when they did not all move alike.
    long recordsMoved = 0;
};

ImageDifferences compareImages(const LoadedImage& a, const LoadedImage& b, Band rxBand, Band txBand);

}  // namespace quarnel::cli
