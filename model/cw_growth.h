// Growing the CW area in place. The channel records lie above the CW area and
// blank EPROM space lies behind them, so giving the CW area N more bytes moves
// everything from the end of the CW area through the end of the channel
// records up by N bytes, clears the gap that opens at the end of the CW area,
// and moves the header pointers and Last Word with it.
#pragma once

#include <cstddef>
#include <string>

#include "model/image.h"
#include "model/notice.h"

namespace quarnel {

struct GrowOutcome {
    bool grown = false;
    std::string refusal;      // why nothing was changed, when !grown
    std::size_t missing = 0;  // bytes the image lacks, when refused for want of room
};

// Grows the CW area by `bytes` bytes: checks that the blank space the shift
// will cover is blank (0xFF or 0x00) and warns once through `notices` when it
// is not, shifts the CW area's end through the end of the channel records up,
// fills the gap with 0x00, adds `bytes` to the CW end pointer, the pointer at
// 0x15 and the RF address, and sets Last Word to cover the moved records. The
// checksum is left for the save.
//
// Refused, with the image unchanged and no notice, when `bytes` is not
// positive, when the CW end pointer or the RF address lies outside the
// codeplug window 2000-27FF (past it reading and writing them disagree, and
// other high bits would be lost from the moved pointer), when the CW area ends
// inside the header or behind the start of the channel records, or when the
// shift would pass the last EPROM byte (4095).
GrowOutcome growCwArea(Image& image, int bytes, NoticeSink& notices);

// The refusal growCwArea would give, without changing anything; an outcome
// with `grown` set when the growth can go ahead.
GrowOutcome checkCwGrowth(const Image& image, int bytes);

}  // namespace quarnel
