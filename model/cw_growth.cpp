#include "model/cw_growth.h"

#include <cstdio>

#include "model/layout.h"

namespace quarnel {

namespace {

// The header pointers as image offsets, with the 11-bit mask that growing
// uses, and the end of what the shift moves.
struct GrowthPlan {
    std::size_t cwEnd = 0;    // E: one past the CW area's last byte
    std::size_t next = 0;     // F: the further area behind the CW area
    std::size_t rf = 0;       // R: channel record 1
    std::size_t rfBytes = 0;  // Modes x Size
    std::size_t top = 0;      // the highest offset the shift moves
};

std::string hexDigits(std::size_t value, int width) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*X", width, static_cast<unsigned>(value));
    return buf;
}

std::string byteCount(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " byte" : " bytes");
}

// The growth stores each moved pointer as its 11-bit offset with the
// EPROM-window bit, so any other high bits would be dropped from the CW end
// pointer while CW ID addr keeps them: the span would turn negative and
// every message would be lost. Only pointers inside 2000-27FF move intact.
bool pastWritableWindow(std::uint16_t radioAddress) {
    return (radioAddress & ~kOffsetMask11 & 0xFFFF) != kEpromWindowBit;
}

GrowOutcome refuse(std::string why) {
    GrowOutcome out;
    out.refusal = std::move(why);
    return out;
}

// Fills `plan` and says why the growth cannot be made, or nothing.
GrowOutcome makePlan(const Image& image, int bytes, GrowthPlan& plan) {
    if (bytes <= 0) return refuse("The CW area can only grow by a positive number of bytes");
    const auto cwEnd = static_cast<std::uint16_t>(readField(image, Field::CwEnd));
    const auto rf = static_cast<std::uint16_t>(readField(image, Field::RfAddress));
    const struct {
        std::uint16_t value;
        const char* name;
    } pointers[] = {{cwEnd, "CW end pointer"}, {rf, "RF address"}};
    for (const auto& p : pointers) {
        if (pastWritableWindow(p.value))
            return refuse(std::string(p.name) + " " + hexDigits(p.value, 4) +
                          " lies outside the codeplug window 2000-27FF: the CW area cannot grow");
    }
    plan.cwEnd = cwEnd & kOffsetMask11;
    // The shift starts at the CW area's end; one inside the header would
    // move the header itself.
    if (plan.cwEnd < headerEnd())
        return refuse("The CW area ends at " + hexDigits(plan.cwEnd, 3) +
                      ", inside the header: the CW area cannot grow");
    plan.next = readField(image, Field::NextArea) & kOffsetMask11;
    plan.rf = rf & kOffsetMask11;
    plan.rfBytes = static_cast<std::size_t>(readField(image, Field::Modes)) *
                   readField(image, Field::Size);
    // Everything from the CW area's end up to the channel records moves; an
    // area that ends inside or behind them would leave records behind.
    if (plan.cwEnd > plan.rf)
        return refuse("The CW area ends at " + hexDigits(plan.cwEnd, 3) +
                      ", behind the start of the channel records at " + hexDigits(plan.rf, 3) +
                      ": the CW area cannot grow");
    plan.top = plan.rf + plan.rfBytes + 1;
    const std::size_t highest = plan.top + static_cast<std::size_t>(bytes);
    if (highest > kEpromSize - 1) {
        const std::size_t missing = highest - (kEpromSize - 1);
        GrowOutcome out = refuse("No room to grow the CW area by " + byteCount(static_cast<std::size_t>(bytes)) + ": " +
                                 byteCount(missing) + " missing at the end of the EPROM");
        out.missing = missing;
        return out;
    }
    GrowOutcome ok;
    ok.grown = true;
    return ok;
}

// The pointer moved by n, carrying the EPROM-window bit.
std::uint32_t movedPointer(std::size_t offset, std::size_t n) {
    return static_cast<std::uint32_t>((offset + n) | kEpromWindowBit) & 0xFFFF;
}

}  // namespace

GrowOutcome checkCwGrowth(const Image& image, int bytes) {
    GrowthPlan plan;
    return makePlan(image, bytes, plan);
}

GrowOutcome growCwArea(Image& image, int bytes, NoticeSink& notices) {
    GrowthPlan plan;
    GrowOutcome out = makePlan(image, bytes, plan);
    if (!out.grown) return out;
    const std::size_t n = static_cast<std::size_t>(bytes);

    // The space the shift will cover must be blank; anything else is
    // overwritten, so the user is warned once, at the first such byte.
    for (std::size_t a = plan.top; a <= plan.top + n; ++a) {
        if (image[a] != 0xFF && image[a] != 0x00) {
            notices.messageBox("Something wrong! Data beyond RF bytes not blank. Address=2" +
                               hexDigits(a, 1));
            break;
        }
    }

    // From the top down, so the overlapping ranges keep their bytes.
    for (std::size_t a = plan.top + 1; a-- > plan.cwEnd;) image[a + n] = image[a];
    for (std::size_t a = plan.cwEnd; a < plan.cwEnd + n; ++a) image[a] = 0x00;

    writeField(image, Field::CwEnd, movedPointer(plan.cwEnd, n));
    writeField(image, Field::NextArea, movedPointer(plan.next, n));
    writeField(image, Field::RfAddress, movedPointer(plan.rf, n));

    // Last Word covers the moved records: the last record byte, rounded up to
    // an even offset. The byte after it belongs to that last checksum word
    // and is cleared when it is still erased.
    std::size_t last = plan.rf + n + plan.rfBytes - 1;
    if (last % 2) ++last;
    if (image[last + 1] == 0xFF) image[last + 1] = 0x00;
    writeField(image, Field::LastWord, static_cast<std::uint32_t>(kEpromWindowBit | last));
    return out;
}

}  // namespace quarnel
