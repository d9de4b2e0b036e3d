// The three synthesizer words of a channel record (receive, transmit, idle):
// decoding a word into a frequency and its display text, completing the digits
// a user types, and encoding a frequency back into a word.
//
// The band is not stored in the image: the receive word is read with the
// receive band selection, the transmit and idle words with the transmit band
// selection. The receive word holds the channel frequency less the 10.7 MHz
// first IF (twice that on 800/900); on 800/900 every word holds half the
// frequency, less a fixed offset in the upper segment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/image.h"

namespace quarnel {

enum class Band { Vhf = 1, Uhf = 2, Band800 = 3 };
enum class Direction { Receive, Transmit, Idle };

constexpr std::uint32_t kIfOffsetHz = 10'700'000;
constexpr std::uint32_t kHighSegmentOffsetHz = 403'200'000;
constexpr std::uint32_t kSegmentThresholdHz = 425'000'000;
constexpr int kMaxMainCount = 1023;  // the main count field is 10 bits wide
constexpr int kMaxSwallowCount = 63;

// The band for a band code 1..3; false for any other code.
bool bandFromCode(int code, Band& band);
// "VHF", "UHF", "800/900".
const char* bandName(Band band);

// What a synthesizer word holds, and the frequency it gives.
struct SynthesizerReading {
    std::uint32_t hz = 0;  // F: the frequency the decoding steps give (without the display's IF)
    int reference = 0;     // reference code 0..3 (0 = none, step 0)
    int swallow = 0;       // 0..63
    int mainCount = 0;     // 0..1023
    int residue = 0;       // 0..3, from the coded bits 00, 01, 11, 10
};

// Reads the direction's word at record `base` with `band`. A word lying
// outside the image reads as all zero bytes.
SynthesizerReading decodeFrequency(const Image& image, std::size_t base, Direction direction,
                                   Band band);

// The frequency the main window shows for a decoded F: the receive direction
// adds the IF offset once more; transmit and idle show F itself.
std::uint32_t shownFrequency(std::uint32_t hz, Direction direction);

// The display text of a decoded F: MHz with four decimals (receive, idle) or
// five (transmit), halves rounded to even, the integer part right-aligned in
// three positions (" 45.6500"; 1000 MHz and above keep every digit). A receive
// word with F = 0, or with swallow count 1 and main count 1, is "Disabled".
std::string frequencyText(std::uint32_t hz, Direction direction, int swallow, int mainCount);

// The reference step of a reference code in kHz as the reference labels
// write it: "6.250", "4.166", "5.000", or "oops" for code 0.
std::string referenceStepText(int reference);

// The reference label of a direction for a reference code:
// "RX Reference 6.250 KHz", "TX Reference 4.166 KHz", "Idle Ref 5.000 KHz",
// or "oops" for code 0. The texts live as long as the program.
const std::string& referenceText(Direction direction, int reference);

// The reference step in hertz of a reference code (0 for code 0).
std::uint32_t referenceStepHz(int reference);

// What the frequency entry makes of typed text.
struct EntryCompletion {
    enum class Status {
        Completed,  // digits, text and hz are set
        Abandoned,  // fewer than 5 characters: nothing is to change, nothing to say
        Refused,    // no completion rule fits; reason says why
    };
    Status status = Status::Abandoned;
    std::string digits;  // 7 digits, the frequency in units of 100 Hz
    std::string text;    // the immediate display text, "448.8125"
    std::uint32_t hz = 0;
    std::string reason;

    bool completed() const { return status == Status::Completed; }
};

// Completes the digits typed into a frequency entry box: fewer than 5
// characters abandon the entry; more than 7 keep the first 7; 6 digits ending
// in 0 or 5 get a 0; 5 digits get the suffix that completes the last digit to
// a multiple of 12.5 kHz. Five digits ending in 4 or 9, six digits ending in
// anything but 0 or 5, and text that is not all digits are refused, since
// reading them unchanged would give a frequency ten or a hundred times too small.
EntryCompletion completeEntry(const std::string& typed);

struct FrequencyEncoding {
    bool ok = false;
    std::string refusal;  // names the frequency and the reason when !ok
};

// Writes the direction's word for `hz` (the channel frequency as displayed)
// with `band`: b0 and b1 whole, the reference and residue bits of b2, and for
// a receive word with a residue the flag in bit 7; bits 2, 3 and 6 of b2 stay.
// Refused, with nothing written, when the frequency after the band's offsets
// is a multiple of neither 5 kHz nor 6.25 kHz, when its main count would need
// more than 10 bits or fall below 0, when a receive frequency lies below the
// IF offset(s), or when the word lies outside the image.
FrequencyEncoding encodeFrequency(Image& image, std::size_t base, Direction direction, Band band,
                                  std::uint32_t hz);

// A frequency in MHz for messages: at least four decimals, up to six when the
// hertz need them ("448.8500", "448.80625").
std::string megahertzText(std::uint32_t hz);

}  // namespace quarnel
