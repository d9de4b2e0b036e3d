// dump: the image in hexadecimal, 16 bytes a row headed by the radio address,
// with the header field names over their bytes and the areas marked.
#include <algorithm>
#include <iostream>
#include <map>

#include "cli/commands.h"
#include "cli/file_size.h"
#include "cli/loaded.h"
#include "model/layout.h"
#include "model/text_forms.h"

namespace quarnel::cli {

namespace {

constexpr std::size_t kRow = 16;
constexpr std::size_t kAddressWidth = 6;  // "2000  "
constexpr std::size_t kCell = 3;          // "5F "

// The header names from the field table, each at the first byte of its
// field; a name given to several fields (the version word and its byte)
// stands once, over the first of them.
std::map<std::size_t, std::string> headerNames() {
    std::map<std::size_t, std::string> names;
    for (const auto& def : fieldTable()) {
        if (def.area != Area::Header || def.name[0] == '\0') continue;
        const bool named = std::any_of(names.begin(), names.end(),
                                       [&](const auto& n) { return n.second == def.name; });
        if (!named) names[def.offset] = def.name;
    }
    return names;
}

// The lines of names over one row: each name starts over its byte, on the
// first line where it does not run into the name before it.
std::vector<std::string> nameLines(const std::map<std::size_t, std::string>& names, std::size_t row) {
    std::vector<std::string> lines;
    for (const auto& [offset, name] : names) {
        if (offset < row || offset >= row + kRow) continue;
        const std::size_t column = kAddressWidth + (offset - row) * kCell;
        auto line = std::find_if(lines.begin(), lines.end(),
                                 [&](const std::string& l) { return l.size() < column; });
        if (line == lines.end()) line = lines.insert(lines.end(), std::string());
        line->resize(column, ' ');
        *line += name;
    }
    return lines;
}

// What a row holds besides header bytes: the CW area and the start of each
// channel record.
std::string marks(const Image& image, std::size_t row) {
    std::string out;
    const AreaBounds cw = cwArea(image);
    if (cw.begin < row + kRow && cw.end > row) out = "CW area";
    const int modes = static_cast<int>(readField(image, Field::Modes));
    for (int n = 1; n <= modes; ++n) {
        const ChannelLocation at = channelBase(image, n);
        if (!at.ok() || at.base >= row + kRow) break;
        if (at.base >= row)
            out += (out.empty() ? "" : ", ") + std::string("channel ") + std::to_string(n) + " at " +
                   hex4(static_cast<unsigned>(kRadioBase + at.base));
    }
    return out;
}

// Bytes at or past `held` are not in the file: the loader filled them with
// FF, and they show as "--".
std::string hexRow(const Image& image, std::size_t row, std::size_t held) {
    std::string out;
    for (std::size_t i = 0; i < kRow; ++i) {
        out += row + i < held ? hex4(image[row + i]).substr(2) : "--";
        if (i + 1 < kRow) out += ' ';
    }
    return out;
}

void dump(const Image& image, const FileSize& size, std::ostream& out) {
    const std::size_t held = size.bytes < kEpromSize ? static_cast<std::size_t>(size.bytes) : kEpromSize;
    if (const auto fault = sizeFault(size)) {
        out << "File is " << *fault;
        if (size.bytes < kEpromSize)
            out << "; -- marks the " << kEpromSize - held << " bytes it does not hold (read as FF)";
        else
            out << "; only the first 4096 bytes are shown";
        out << "\n";
    }
    const auto names = headerNames();
    out << std::string(kAddressWidth, ' ');
    for (std::size_t c = 0; c < kRow; ++c) out << ' ' << "0123456789ABCDEF"[c] << (c + 1 < kRow ? " " : "\n");
    std::string previous;
    bool skipping = false;
    for (std::size_t row = 0; row < kEpromSize; row += kRow) {
        const std::string bytes = hexRow(image, row, held);
        const std::string mark = marks(image, row);
        const auto overNames = nameLines(names, row);
        // Rows equal to the one before collapse into one "*" line, as in
        // hexdump; the last row always shows where the image ends.
        const bool same = overNames.empty() && mark.empty() && bytes == previous && row + kRow < kEpromSize;
        previous = bytes;
        if (same) {
            if (!skipping) out << "*\n";
            skipping = true;
            continue;
        }
        skipping = false;
        for (const auto& l : overNames) out << l << "\n";
        out << hex4(static_cast<unsigned>(kRadioBase + row)) << "  " << bytes;
        if (!mark.empty()) out << "  " << mark;
        out << "\n";
    }
}

}  // namespace

void addDump(CLI::App& app, int& status) {
    auto* cmd = app.add_subcommand("dump", "Print the image in hexadecimal, 16 bytes a row");
    auto file = std::make_shared<std::string>();
    cmd->add_option("IMAGE", *file, "Image file")->required();
    cmd->footer(
        "Rows are headed by the radio address (image offset + 2000); the header field\n"
        "names stand over their bytes; the CW area and the start of each channel record\n"
        "are marked at the end of their rows. Rows equal to the row before are shown as\n"
        "one \"*\" line. A file that is not 4096 bytes is named on a first line; bytes\n"
        "a short file does not hold show as --. Exit status: 0, or 2 when the image\n"
        "cannot be read.");
    cmd->callback([file, &status] {
        auto loaded = loadForCommand(*file);
        if (!loaded) {
            status = kUsage;
            return;
        }
        for (const auto& n : loaded->notices) std::cerr << *file << ": " << n << "\n";
        dump(loaded->image, fileSize(*loaded), std::cout);
        status = kOk;
    });
}

}  // namespace quarnel::cli
