// The squelch code tables (PL tones and their code names, DPL codes), how a
// chosen tone or code is stored in a channel record, how the stored bytes are
// looked up in the tables again, and what changing a direction's code type
// does to the record.
//
// Every table has a placeholder at index 0 that no list shows and no lookup
// matches; list item k (counted from 0) is table index k + 1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/image.h"
#include "model/synthesizer.h"

namespace quarnel {

constexpr int kToneCount = 42;
constexpr int kDplCount = 83;

// Index 0 -> "xx"; 1..42 -> the tone in Hz as five characters padded on the
// right with blanks ("67.0 ", "100.0"); any other index -> "".
const char* toneText(int index);
// Index 0 -> "zz"; 1..42 -> the two-character PL code name ("XZ"); else "".
const char* plCodeName(int index);
// Index 0 -> "yyy"; 1..83 -> the three-digit octal DPL code ("023"); else "".
const char* dplCodeText(int index);

// The tone of index 1..42 in tenths of a hertz (670 for 67.0 Hz); 0 otherwise.
int toneTenths(int index);
// The DPL code of index 1..83 read as a decimal number whose digits are the
// octal digits (23 for "023"); 0 otherwise.
int dplCodeNumber(int index);

// Lookups of a tone written in hertz ("100.0", "100", "67") and of a DPL code
// written with its octal digits ("023", "23"): the table index, or 0 when the
// text names no entry.
int toneIndexOfText(const std::string& text);
int dplIndexOfText(const std::string& text);

// Code type of a direction, with the values the editor keeps: 1 = Carrier,
// 2 = DPL, 4 = PL.
enum class CodeType { Carrier = 1, Dpl = 2, Pl = 4 };

// The scale factors of the stored PL count, as single-precision numbers
// (receive 0.016419, transmit 0.049258), and their tenfold values used for the
// "not found" report (0.16419 and 0.49258).
double plFactor(Direction direction);
double plReportFactor(Direction direction);

// The squelch code functions below take Direction::Receive or
// Direction::Transmit; the idle frequency has no code (it reads as Carrier,
// not inverted, and nothing is written for it).

// Code type read from Code Ctrl: receive bits 4-5, transmit bits 6-7;
// 0 and 1 are Carrier, 2 is PL, 3 is DPL.
CodeType codeType(const Image& image, std::size_t base, Direction direction);

// A stored code looked up in its table.
struct CodeLookup {
    int index = 0;          // table index when found, 0 when not
    std::string notFound;   // the message-box text when not found ("RX PL not found: 197Hz")
    bool found() const { return index != 0; }
};

// PL: the 14-bit count v scaled by the direction's factor and cut to a whole
// number selects the first tone whose whole-hertz part lies within 2 of it.
// Not found reports v x tenfold factor rounded to tenths ("TX PL not found: 62.5Hz").
CodeLookup decodePl(const Image& image, std::size_t base, Direction direction);
// The stored 14-bit PL count of a direction.
unsigned plCount(const Image& image, std::size_t base, Direction direction);

// DPL: the nine packed bits as an octal number, looked up by value.
// Not found reports the number ("RX DPL not found: 305").
CodeLookup decodeDpl(const Image& image, std::size_t base, Direction direction);
// The stored DPL code as a decimal number whose digits are the octal digits.
int dplCode(const Image& image, std::size_t base, Direction direction);

// Stores tone `index` (1..42): count = tone / factor rounded (halves to
// even), low byte = count, high byte = count >> 8 written whole. Returns false,
// writing nothing, for an index outside the table or a record outside the image.
bool encodePl(Image& image, std::size_t base, Direction direction, int index);

// Stores DPL code `index` (1..83), keeping the low byte's inversion bit and
// the high byte's upper nibble. Returns false as encodePl does.
bool encodeDpl(Image& image, std::size_t base, Direction direction, int index);

// The DPL inversion: receive byte 14 bit 0 (1 = inverted); transmit byte 12
// bit 0, stored the other way round (0 = inverted).
bool isInverted(const Image& image, std::size_t base, Direction direction);
void setInverted(Image& image, std::size_t base, Direction direction, bool inverted);

// Changes a direction's code type with every byte change that goes with it:
// the code bytes, the Code Ctrl type bits and markers, the PL flag of the
// synthesizer word, and for receive Carrier the Code bits of Receiver Ctrl and
// Rpt Ctrl. Choosing Carrier leaves the PL flag as it was.
void changeCodeType(Image& image, std::size_t base, Direction direction, CodeType type);

}  // namespace quarnel
