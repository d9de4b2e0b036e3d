// The input of the editing fuzz target: a choice of a seed image, bytes set
// over it, then a script of edits, in a form the fuzzer can mutate and the
// seed generator can write.
//
//   byte 0      the seed image (fuzz/seed_images.h), modulo their number
//   byte 1      the number K of bytes set over it
//   next 3 x K  each an image offset (big-endian, modulo 4097: offset 4096
//               is the overflow slot an over-long file sets) and its value
//   the rest    edits: an opcode byte (taken modulo the number of
//               operations) and its operands; operands past the end read as 0
// A whole 4 KB image in every input would make each mutation rarely reach
// the header and the script, and each run copy and compare far more bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quarnel::fuzz {

enum class Op : std::uint8_t {
    Display,     // channel, bands: step to a channel or change a band
    Entry,       // direction, length, characters: Enter in a frequency entry
    Hertz,       // direction, 4 bytes: a frequency in hertz
    CodeType,    // direction, type: a code-type option
    CodeItem,    // direction, 2 bytes signed: a tone or DPL code drop-down
    Invert,      // direction, checked: "Invert DPL"
    CheckBox,    // box, checked: one of the check boxes
    DropDown,    // list, item: a time-out, drop-out, CW message, CW speed,
                 // ID timer, re-key or tone start delay drop-down
    Priority,    // path, level: a priority option
    CwStore,     // signed index, length, characters: Enter in a message box
    CwSaveAll,   // per kept message: length, characters: the editor's Save
    CwAdd,       // the editor's "Add ID"
    Grow,        // 2 bytes signed: grow the CW area directly
    SaveReload,  // save the image to bytes and load them again
    Count
};

// Characters of message texts: bytes below 164 pick from the Morse alphabet
// and the blank (four times over, so that mutations stay mostly valid);
// 164..215 give small letters; the rest are passed as they are (UTF-8 parts).
inline char textCharacter(std::uint8_t b) {
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/ ,.?";
    constexpr unsigned kLetters = sizeof kAlphabet - 1;  // 41
    if (b < 4 * kLetters) return kAlphabet[b % kLetters];
    if (b < 4 * kLetters + 52) return static_cast<char>('a' + (b - 4 * kLetters) % 26);
    return static_cast<char>(b);
}

// Reads the script; every read past the end gives 0.
class ScriptReader {
public:
    ScriptReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool done() const { return pos_ >= size_; }
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    int signedByte() { return static_cast<std::int8_t>(byte()); }
    int signedWord() { return static_cast<std::int16_t>(static_cast<std::uint16_t>(byte() << 8 | byte())); }
    std::uint32_t word32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = v << 8 | byte();
        return v;
    }
    std::string text(std::size_t maxLength) {
        const std::size_t n = byte() % (maxLength + 1);
        std::string s;
        for (std::size_t i = 0; i < n && !done(); ++i) s.push_back(textCharacter(byte()));
        return s;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Writes inputs for the seed corpus.
class ScriptWriter {
public:
    // Bytes set over the seed image: image offset and value.
    using Override = std::pair<std::uint16_t, std::uint8_t>;
    explicit ScriptWriter(std::size_t seed, const std::vector<Override>& overrides = {}) {
        byte(static_cast<int>(seed));
        byte(static_cast<int>(overrides.size()));
        for (const auto& [offset, value] : overrides) word(offset).byte(value);
    }
    ScriptWriter& op(Op op) { return byte(static_cast<std::uint8_t>(op)); }
    ScriptWriter& byte(int b) {
        bytes_.push_back(static_cast<std::uint8_t>(b));
        return *this;
    }
    ScriptWriter& word(int w) { return byte((w >> 8) & 0xFF).byte(w & 0xFF); }
    ScriptWriter& word32(std::uint32_t v) { return word(static_cast<int>(v >> 16)).word(static_cast<int>(v & 0xFFFF)); }
    // Text made of characters textCharacter gives back unchanged.
    ScriptWriter& text(const std::string& s) {
        byte(static_cast<int>(s.size()));
        for (char c : s) byte(codeOf(c));
        return *this;
    }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    static int codeOf(char c) {
        for (int b = 0; b < 256; ++b)
            if (textCharacter(static_cast<std::uint8_t>(b)) == c) return b;
        return static_cast<unsigned char>(c);
    }
    std::vector<std::uint8_t> bytes_;
};

}  // namespace quarnel::fuzz
