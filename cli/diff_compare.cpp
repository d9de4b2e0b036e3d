#include "cli/diff_compare.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

#include "cli/show_channels.h"
#include "cli/show_json.h"
#include "model/cw_messages.h"
#include "model/layout.h"
#include "model/text_forms.h"
#include "model/tones.h"
#include "model/values.h"

namespace quarnel::cli {

namespace {

using Json = nlohmann::ordered_json;

// ---- Which bits each decoded value comes from --------------------------------

// The bits a JSON value is decoded from. A value missing here accounts for no bits, so a byte change it
// shows is also listed as a byte: nothing ever goes unreported.
struct ValueBits {
    std::string path;
    std::vector<Field> fields;
};

void addBits(std::vector<ValueBits>& table, std::string path, const ValueFields& fields) {
    ValueBits bits{std::move(path), {}};
    for (Field f : fields)
        if (f != Field::Count) bits.fields.push_back(f);
    table.push_back(std::move(bits));
}

const std::vector<ValueBits>& headerValueBits() {
    static const std::vector<ValueBits> bits = [] {
        std::vector<ValueBits> out = {
            {"header.last_word", {Field::LastWord}},
            {"header.version", {Field::VersionByte}},
            {"header.size", {Field::Size}},
            {"header.modes", {Field::Modes}},
            {"header.cw_id_addr", {Field::CwIdAddr}},
            {"header.cw_end", {Field::CwEnd}},
            {"header.next_area", {Field::NextArea}},
            {"header.rf_address", {Field::RfAddress}},
            {"cw.span", {Field::CwIdAddr, Field::CwEnd}},
            {"cw.count", {Field::CwIdAddr, Field::CwEnd}},
            {"cw.error", {Field::CwIdAddr, Field::CwEnd}},
        };
        for (const ValueSpec& row : valueTable())
            if (row.header()) addBits(out, row.json, row.fields);
        return out;
    }();
    return bits;
}

// Each value's JSON leaves with the bits they are decoded from: a frequency's
// number and text from what the frequency encoding writes (counts, reference,
// residue, on receive the residue flag), its reference from the reference
// select; a code's type from the type and marker bits, its item from the
// stored code. The priority conflict comes from all three levels, and the
// notices from the stored codes.
const std::vector<ValueBits>& channelValueBits() {
    static const std::vector<ValueBits> bits = [] {
        std::vector<ValueBits> out;
        const ValueFields none = value_rows::one(Field::Count);
        ValueFields priorities = none, codes = none;
        std::size_t p = 0, c = 0;
        for (const ValueSpec& row : valueTable()) {
            if (row.header()) continue;
            const std::string path = row.json;
            switch (row.kind) {
            case ValueKind::Frequency:
                addBits(out, path + ".hz", row.fields);
                addBits(out, path + ".text", row.fields);
                addBits(out, path + ".reference", value_rows::one(row.detail));
                addBits(out, path + ".reference_text", value_rows::one(row.detail));
                break;
            case ValueKind::Code:
                addBits(out, path + ".code_type", row.fields);
                addBits(out, path + ".code_item", value_rows::one(row.detail));
                if (c < codes.size()) codes[c++] = row.detail;
                break;
            case ValueKind::Priority:
                if (p < priorities.size()) priorities[p++] = row.fields[0];
                addBits(out, path, row.fields);
                break;
            case ValueKind::Bit:
            case ValueKind::Choice:
            case ValueKind::Timer: addBits(out, path, row.fields); break;
            }
        }
        addBits(out, "priority.conflict", priorities);
        addBits(out, "notices", codes);
        return out;
    }();
    return bits;
}

const ValueBits* valueBits(const std::vector<ValueBits>& table, const std::string& path) {
    for (const auto& v : table)
        if (path == v.path) return &v;
    return nullptr;
}

// Per image offset, the bits that named differences account for.
using Coverage = std::array<std::uint8_t, kEpromSize>;

void cover(Coverage& coverage, std::size_t start, std::size_t length) {
    for (std::size_t i = start; i < start + length && i < kEpromSize; ++i) coverage[i] = 0xFF;
}

// Adds the bits of `field` for the record at `base` (header fields ignore it).
void coverField(Coverage& coverage, Field field, std::size_t base) {
    if (!fieldInside(field, base)) return;
    const FieldSpec& def = fieldSpec(field);
    const std::size_t start = def.area == Area::Header ? def.offset : base + def.offset;
    const std::uint64_t bits = ((def.bits >= 32 ? 0xFFFFFFFFull : (1ull << def.bits) - 1)) << def.shift;
    for (std::size_t i = 0; i < def.bytes; ++i) {
        coverage[start + i] |= static_cast<std::uint8_t>(bits >> (8 * (def.bytes - 1 - i)));
    }
}

// Message k owns its 21-byte slot; the last message owns the rest of the area.
void coverMessage(Coverage& coverage, const AreaBounds& cw, std::size_t k, bool last) {
    const std::size_t start = cw.begin + k * kCwSlotBytes;
    if (start < cw.end) cover(coverage, start, last ? cw.end - start : kCwSlotBytes);
}

void coverValue(Coverage& coverage, const ValueBits* bits, std::size_t base) {
    if (!bits) return;
    for (Field f : bits->fields) coverField(coverage, f, base);
}

// ---- Decoded values ------------------------------------------------------------

// The leaves of a JSON object as (path, value): nested objects are entered,
// arrays and scalars are values.
void leaves(const Json& j, const std::string& prefix, std::vector<std::pair<std::string, Json>>& out) {
    for (const auto& [key, value] : j.items()) {
        const std::string path = prefix.empty() ? key : prefix + "." + key;
        if (value.is_object())
            leaves(value, path, out);
        else
            out.emplace_back(path, value);
    }
}

// Texts the editor shows for a value, paired with that value's key.
struct Rendering {
    const char* value;
    const char* text;
};
constexpr Rendering kRenderings[] = {{"hz", "text"}, {"reference", "reference_text"}, {"tune", "title"}};

std::string lastKey(const std::string& path) {
    const auto dot = path.rfind('.');
    return dot == std::string::npos ? path : path.substr(dot + 1);
}

std::string sibling(const std::string& path, const std::string& key) {
    const auto dot = path.rfind('.');
    return dot == std::string::npos ? key : path.substr(0, dot + 1) + key;
}

Json lookup(const std::vector<std::pair<std::string, Json>>& values, const std::string& path) {
    for (const auto& [p, v] : values)
        if (p == path) return v;
    return Json(nullptr);
}

// What the editor shows for a drop-down position or priority level: the
// tone or code, the seconds, the level's name; nothing for other values.
std::optional<std::string> itemText(const std::string& path, const Json& value,
                                    const std::vector<std::pair<std::string, Json>>& side) {
    const std::string key = lastKey(path);
    const bool item = key.size() > 5 && key.compare(key.size() - 5, 5, "_item") == 0;
    if (value.is_null()) return item ? std::optional<std::string>("no selection") : std::nullopt;
    if (!value.is_number_integer()) return std::nullopt;
    const int v = value.get<int>();
    if (key == "code_item") {
        const Json type = lookup(side, sibling(path, "code_type"));
        if (type == "pl") return trimmed(toneText(v + 1)) + " Hz";
        if (type == "dpl") return std::string(dplCodeText(v + 1));
        return std::nullopt;
    }
    for (const ValueSpec& row : valueTable()) {
        if (path != row.json) continue;
        if (row.kind == ValueKind::Priority) {
            const std::string level = priorityLevelText(v);
            return level.empty() ? std::nullopt : std::optional<std::string>(level);
        }
        if (row.dropDown() && row.list != ChoiceList::CwMessage) return choiceWithUnit(row.list, v);
    }
    return std::nullopt;
}

// Header words holding radio addresses, which `show` and `dump` print in
// hexadecimal.
bool isHeaderAddress(const std::string& path) {
    for (const char* p : {"header.last_word", "header.cw_id_addr", "header.cw_end", "header.next_area",
                          "header.rf_address"})
        if (path == p) return true;
    return false;
}

FieldDifference difference(int channel, std::string field, Json a, Json b) {
    FieldDifference d;
    d.channel = channel;
    d.field = std::move(field);
    d.a = std::move(a);
    d.b = std::move(b);
    return d;
}

// Compares two objects leaf by leaf. A text that renders a value is reported
// with that value when both differ, and on its own otherwise.
std::vector<FieldDifference> compareObjects(const Json& a, const Json& b, const std::string& prefix,
                                            int channel) {
    std::vector<std::pair<std::string, Json>> la, lb;
    leaves(a, prefix, la);
    leaves(b, prefix, lb);
    std::vector<std::string> paths;
    for (const auto& [p, v] : la) paths.push_back(p);
    for (const auto& [p, v] : lb)
        if (std::find(paths.begin(), paths.end(), p) == paths.end()) paths.push_back(p);

    std::vector<FieldDifference> out;
    for (const auto& path : paths) {
        const Json va = lookup(la, path), vb = lookup(lb, path);
        if (va == vb) continue;
        const std::string key = lastKey(path);
        bool rendersDifferingValue = false;
        FieldDifference d = difference(channel, path, va, vb);
        for (const auto& r : kRenderings) {
            const std::string valuePath = sibling(path, r.value);
            if (key == r.text && lookup(la, valuePath) != lookup(lb, valuePath)) rendersDifferingValue = true;
            if (key == r.value) {
                const std::string textPath = sibling(path, r.text);
                const Json ta = lookup(la, textPath), tb = lookup(lb, textPath);
                if (ta.is_string() && tb.is_string()) {
                    d.hasText = true;
                    d.aText = ta.get<std::string>();
                    d.bText = tb.get<std::string>();
                }
            }
        }
        const auto ta = itemText(path, va, la), tb = itemText(path, vb, lb);
        if (!d.hasText && ta && tb) {
            d.hasText = true;
            d.aText = *ta;
            d.bText = *tb;
        }
        if (isHeaderAddress(path) && va.is_number_integer() && vb.is_number_integer()) {
            d.hasText = d.textOnly = true;
            d.aText = hex4(va.get<unsigned>());
            d.bText = hex4(vb.get<unsigned>());
        }
        if (!rendersDifferingValue) out.push_back(std::move(d));
    }
    return out;
}

// ---- Structures compared where each image keeps them --------------------------

struct Span {
    std::string label;  // "header", "channel 3", "CW area"
    std::size_t a, b, length;
};

struct Decoded {
    Json doc;
    std::map<int, std::size_t> bases;  // decodable channels
    AreaBounds cw;
};

Decoded decode(const LoadedImage& loaded, Band rxBand, Band txBand) {
    Decoded d;
    std::vector<int> numbers;
    const int modes = static_cast<int>(readField(loaded.image, Field::Modes));
    for (int n = 1; n <= modes; ++n) numbers.push_back(n);
    const auto views = decodeChannels(loaded.image, numbers, rxBand, txBand);
    for (const auto& v : views) d.bases[v.channel] = v.base;
    d.doc = showDocument(loaded, views);
    d.cw = cwArea(loaded.image);
    d.cw.end = std::min(d.cw.end, kEpromSize);
    d.cw.begin = std::min(d.cw.begin, d.cw.end);
    return d;
}

std::size_t recordLength(const Image& image) {
    return std::max<std::size_t>(readField(image, Field::Size), kRecordFieldBytes);
}

}  // namespace

ImageDifferences compareImages(const LoadedImage& la, const LoadedImage& lb, Band rxBand, Band txBand) {
    ImageDifferences out;
    const Image& A = la.image;
    const Image& B = lb.image;
    out.checksumA = la.outcome.stored;
    out.checksumB = lb.outcome.stored;
    out.identical = std::equal(A.bytes.begin(), A.bytes.begin() + kEpromSize, B.bytes.begin());

    const Decoded da = decode(la, rxBand, txBand);
    const Decoded db = decode(lb, rxBand, txBand);
    Coverage coverA{}, coverB{};

    // Header fields and the CW area's count.
    for (const char* part : {"header", "cw"}) {
        for (auto& d : compareObjects(da.doc[part], db.doc[part], part, 0)) {
            coverValue(coverA, valueBits(headerValueBits(), d.field), 0);
            coverValue(coverB, valueBits(headerValueBits(), d.field), 0);
            out.fields.push_back(std::move(d));
        }
    }
    // The CW messages, by index.
    const Json& ma = da.doc["messages"];
    const Json& mb = db.doc["messages"];
    const std::size_t messages = std::max(ma.size(), mb.size());
    for (std::size_t k = 0; k < messages; ++k) {
        const Json va = k < ma.size() ? ma[k] : Json(nullptr);
        const Json vb = k < mb.size() ? mb[k] : Json(nullptr);
        if (va == vb) continue;
        out.fields.push_back(difference(0, "messages[" + std::to_string(k) + "]", va, vb));
        coverMessage(coverA, da.cw, k, k + 1 >= ma.size());
        coverMessage(coverB, db.cw, k, k + 1 >= mb.size());
    }
    // The channels, by number.
    std::map<int, const Json*> ca, cb;
    for (const auto& c : da.doc["channels"]) ca[c["number"].get<int>()] = &c;
    for (const auto& c : db.doc["channels"]) cb[c["number"].get<int>()] = &c;
    std::map<int, bool> numbers;
    for (const auto& [n, c] : ca) numbers[n] = true;
    for (const auto& [n, c] : cb) numbers[n] = true;
    for (const auto& [n, unused] : numbers) {
        const bool inA = ca.count(n) != 0, inB = cb.count(n) != 0;
        if (!inA || !inB) {
            out.fields.push_back(
                difference(n, "channel", inA ? *ca[n] : Json(nullptr), inB ? *cb[n] : Json(nullptr)));
            continue;
        }
        for (auto& d : compareObjects(*ca[n], *cb[n], "", n)) {
            coverValue(coverA, valueBits(channelValueBits(), d.field), da.bases.at(n));
            coverValue(coverB, valueBits(channelValueBits(), d.field), db.bases.at(n));
            out.fields.push_back(std::move(d));
        }
    }
    // Records that all moved by the same amount (the CW area grew or shrank).
    std::optional<long> moved;
    for (const auto& [n, baseA] : da.bases) {
        const auto inB = db.bases.find(n);
        if (inB == db.bases.end()) continue;
        const long by = static_cast<long>(inB->second) - static_cast<long>(baseA);
        moved = (!moved || *moved == by) ? by : 0;
    }
    out.recordsMoved = moved.value_or(0);
    if (da.doc["problems"] != db.doc["problems"])
        out.fields.push_back(difference(0, "problems", da.doc["problems"], db.doc["problems"]));

    // Bytes: first the structures both images hold, each where its image
    // keeps it; a byte belongs to the first structure that claims it.
    std::vector<Span> spans = {{"header", 0, 0, fieldSpec(Field::Speed).offset + 2u}};
    spans.push_back({"CW area", da.cw.begin, db.cw.begin,
                     std::min(da.cw.end - da.cw.begin, db.cw.end - db.cw.begin)});
    for (const auto& [n, baseA] : da.bases) {
        const auto inB = db.bases.find(n);
        if (inB == db.bases.end()) continue;
        spans.push_back({"channel " + std::to_string(n), baseA, inB->second,
                         std::min(recordLength(A), recordLength(B))});
    }
    std::array<bool, kEpromSize> claimedA{}, claimedB{};
    // The checksum is reported on its own.
    claimedA[0] = claimedA[1] = claimedB[0] = claimedB[1] = true;
    auto compareByte = [&](const std::string& where, std::size_t a, std::size_t b) {
        const auto diff = static_cast<std::uint8_t>((A[a] ^ B[b]) & ~(coverA[a] | coverB[b]));
        if (diff) out.bytes.push_back({where, a, b, A[a], B[b]});
    };
    for (const auto& s : spans) {
        for (std::size_t j = 0; j < s.length; ++j) {
            const std::size_t a = s.a + j, b = s.b + j;
            if (a >= kEpromSize || b >= kEpromSize || claimedA[a] || claimedB[b]) continue;
            claimedA[a] = claimedB[b] = true;
            // Header bytes by their offset in hexadecimal, others counted from 0.
            const std::string byte =
                s.label == "header" ? hex4(static_cast<unsigned>(j)).substr(2) : std::to_string(j);
            compareByte(s.label + " byte " + byte, a, b);
        }
    }
    // Structures only one image holds (a channel or message it alone has, the
    // longer record of a larger Size) are named by the field differences; the
    // rest is compared offset by offset.
    for (std::size_t i = 0; i < kEpromSize; ++i) {
        if (claimedA[i] || claimedB[i]) continue;
        compareByte("", i, i);
    }
    std::stable_sort(out.bytes.begin(), out.bytes.end(),
                     [](const ByteDifference& x, const ByteDifference& y) { return x.offsetA < y.offsetA; });
    return out;
}

}  // namespace quarnel::cli
