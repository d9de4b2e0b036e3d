#include "tests/support/view_text.h"

namespace quarnel::testing {

namespace {

// Appends values with blanks between them; a line per call of `line`.
class Text {
public:
    Text& operator<<(const std::string& s) {
        out_ += s;
        out_ += ' ';
        return *this;
    }
    Text& operator<<(const char* s) { return *this << std::string(s); }
    Text& operator<<(long long v) { return *this << std::to_string(v); }
    Text& operator<<(const std::optional<int>& v) { return v ? *this << *v : *this << "none"; }
    Text& quoted(const std::string& s) { return *this << ("[" + s + "]"); }
    void line() { out_ += '\n'; }
    std::string str() const { return out_; }

private:
    std::string out_;
};

void frequency(Text& out, const char* name, const FrequencyView& f) {
    out << name << f.synthesizerHz << f.hz;
    out.quoted(f.text) << "ref" << f.reference;
    out.quoted(std::string(f.referenceText)) << "swallow" << f.swallow << "main" << f.mainCount;
    out.line();
}

void code(Text& out, const char* name, const CodeView& c) {
    out << name << "type" << static_cast<int>(c.type) << "list" << c.listEnabled << "item" << c.item
        << "invert" << c.invertEnabled << c.inverted << "note" << c.noteShown;
    out.line();
}

// Every check box and drop-down selection of the view, by the value's key.
void values(Text& out, const ChannelView& v) {
    for (const ValueSpec& row : valueTable()) {
        if (row.kind == ValueKind::Bit) out << row.key << v.checked(row.value);
        if (row.dropDown()) out << row.key << v.item(row.value);
    }
    out.line();
}

}  // namespace

std::string headerText(const HeaderView& h) {
    Text out;
    out << "modes" << h.modes;
    out.quoted(h.channelCountText).quoted(h.versionText).line();
    out << "cw span" << h.cw.span << "count" << h.cw.count << "error" << h.cw.addressError
        << h.cw.firstAddress << h.cw.lastAddress;
    out.quoted(h.cwCountText).line();
    for (const auto& m : h.cwMessages) out.quoted(m).line();
    for (const ValueSpec& row : valueTable())
        if (row.header()) out << row.key << h.items[valueIndex(row.value)];
    out.line();
    return out.str();
}

std::string recordText(const ChannelView& v) {
    Text out;
    out << "channel" << v.channel << "error" << static_cast<int>(v.error);
    out.quoted(v.problem).quoted(v.title) << "tune" << v.tuneChannel;
    out.line();
    values(out, v);
    const PriorityView& p = v.priority;
    out << "priority" << p.repeater << p.local << p.wireline << "conflicts" << p.repeaterConflict
        << p.wirelineConflict << p.localConflict << "byte" << p.byte;
    out.line();
    frequency(out, "rx", v.rx);
    frequency(out, "tx", v.tx);
    frequency(out, "idle", v.idle);
    code(out, "rx code", v.rxCode);
    code(out, "tx code", v.txCode);
    // The CW messages' notice belongs to the header (addressError says it).
    for (const auto& n : v.notices) {
        if (n.step == DisplayStep::CwMessages) continue;
        out << "notice" << static_cast<int>(n.step);
        out.quoted(n.text).line();
    }
    return out.str();
}

}  // namespace quarnel::testing
