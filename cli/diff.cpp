// diff: what differs between two images, by field name, then by byte.
#include <iostream>

#include "cli/channel_options.h"
#include "cli/commands.h"
#include "cli/diff_compare.h"
#include "cli/diff_text.h"
#include "cli/file_size.h"
#include "cli/loaded.h"
#include "cli/show_json.h"
#include "model/text_forms.h"

namespace quarnel::cli {

namespace {

using Json = nlohmann::ordered_json;

std::string hexOffset(std::size_t offset) {
    return hex4(static_cast<unsigned>(offset)).substr(1);
}

std::string valueText(const Json& value, bool hasText, const std::string& text) {
    std::string out = value.is_string() ? value.get<std::string>() : value.dump();
    if (value.is_string()) out = "\"" + out + "\"";
    if (hasText && !value.is_string()) out += " (" + text + ")";
    return out;
}

std::string fieldName(const FieldDifference& d) {
    return d.channel ? "channel " + std::to_string(d.channel) + " " + d.field : d.field;
}

// The files' lengths, when they tell the images apart: a file of another size
// is a different file even when its first 4096 bytes are the same image.
struct SizeDifference {
    FileSize a, b;
    bool differs() const { return a.bytes != b.bytes || a.beyond != b.beyond; }
};

std::string sizeText(const FileSize& size) {
    return std::to_string(size.bytes) + " bytes" + (size.doubled ? " (the image stored twice)" : "");
}

void diffText(const SizeDifference& sizes, const ImageDifferences& diff, std::ostream& out) {
    if (sizes.a.bytes != sizes.b.bytes)
        out << "file size: " << sizeText(sizes.a) << " -> " << sizeText(sizes.b) << "\n";
    else if (sizes.differs())
        out << "file bytes beyond 4096: differ\n";
    printDifferences(diff, out);
}

Json diffJson(const std::string& fileA, const std::string& fileB, const SizeDifference& sizes,
              const ImageDifferences& diff) {
    Json doc;
    doc["a"] = fileA;
    doc["b"] = fileB;
    doc["identical"] = diff.identical && !sizes.differs();
    doc["checksum"] = {{"a", diff.checksumA}, {"b", diff.checksumB}};
    doc["file_size"] = {{"a", sizes.a.bytes}, {"b", sizes.b.bytes}};
    doc["records_moved"] = diff.recordsMoved;
    Json fields = Json::array();
    for (const auto& d : diff.fields) {
        Json f;
        f["channel"] = d.channel ? Json(d.channel) : Json(nullptr);
        f["field"] = d.field;
        f["a"] = d.a;
        f["b"] = d.b;
        if (d.hasText) {
            f["a_text"] = d.aText;
            f["b_text"] = d.bText;
        }
        fields.push_back(std::move(f));
    }
    doc["fields"] = fields;
    Json bytes = Json::array();
    for (const auto& b : diff.bytes)
        bytes.push_back({{"offset_a", b.offsetA}, {"offset_b", b.offsetB},
                         {"where", b.where.empty() ? Json(nullptr) : Json(b.where)},
                         {"a", b.a}, {"b", b.b}});
    doc["bytes"] = bytes;
    return doc;
}

}  // namespace

void printDifferences(const ImageDifferences& diff, std::ostream& out) {
    bool movedSaid = false;
    for (const auto& d : diff.fields) {
        if (d.field == "channel") {
            out << "channel " << d.channel << ": only in " << (d.a.is_null() ? "B" : "A") << "\n";
            continue;
        }
        if (diff.recordsMoved != 0 && d.field == "base") {
            if (!movedSaid) out << "channel records moved by " << diff.recordsMoved << " bytes\n";
            movedSaid = true;
            continue;
        }
        if (d.textOnly) {
            out << fieldName(d) << ": " << d.aText << " -> " << d.bText << "\n";
            continue;
        }
        out << fieldName(d) << ": " << valueText(d.a, d.hasText, d.aText) << " -> "
            << valueText(d.b, d.hasText, d.bText) << "\n";
    }
    for (const auto& b : diff.bytes) {
        out << "offset " << hexOffset(b.offsetA);
        if (b.offsetB != b.offsetA) out << "/" << hexOffset(b.offsetB);
        if (!b.where.empty()) out << " (" << b.where << ")";
        out << ": " << hex4(b.a).substr(2) << " -> " << hex4(b.b).substr(2) << "\n";
    }
    if (diff.checksumA != diff.checksumB)
        out << "checksum: " << hex4(diff.checksumA) << " -> " << hex4(diff.checksumB) << "\n";
}

void addDiff(CLI::App& app, int& status) {
    auto* cmd = app.add_subcommand("diff", "Compare two images field by field, then byte by byte");
    struct Options {
        std::string a, b;
        std::string format = "text";
        ChannelOptions bands;
    };
    auto opt = std::make_shared<Options>();
    cmd->add_option("A", opt->a, "First image file")->required();
    cmd->add_option("B", opt->b, "Second image file")->required();
    cmd->add_option("--format", opt->format, "text (one line per difference) or json")
        ->transform(CLI::IsMember({"text", "json"}, CLI::ignore_case));
    addBandOptions(cmd, opt->bands);
    cmd->footer(
        "Lists the header fields, CW messages and channel fields that differ, named as\n"
        "`show --format json` names them, then the bytes whose change no named field\n"
        "shows (offsets in the image, 000-FFF), then the stored checksums. Files of\n"
        "different sizes differ, and the sizes are named first.\n"
        "Exit status: 0 identical, 1 different, 2 an image cannot be read.");
    cmd->callback([opt, &status] {
        auto a = loadForCommand(opt->a);
        auto b = loadForCommand(opt->b);
        if (!a || !b) {
            status = kUsage;
            return;
        }
        for (const auto* loaded : {&*a, &*b})
            for (const auto& n : loaded->notices) std::cerr << loaded->file << ": " << n << "\n";
        const ImageDifferences diff =
            compareImages(*a, *b, bandOption(opt->bands.rxBand), bandOption(opt->bands.txBand));
        const SizeDifference sizes{fileSize(*a), fileSize(*b)};
        if (opt->format == "json")
            std::cout << jsonText(diffJson(opt->a, opt->b, sizes, diff)) << "\n";
        else
            diffText(sizes, diff, std::cout);
        status = diff.identical && !sizes.differs() ? kOk : kCheckFailed;
    });
}

}  // namespace quarnel::cli
