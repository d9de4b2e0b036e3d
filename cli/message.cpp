// message: stores a CW message from a text, or adds an empty one, as the CW
// message editor does, and saves the result to another file.
#include <iostream>

#include "cli/commands.h"
#include "cli/loaded.h"
#include "model/cw_messages.h"
#include "model/text_forms.h"

namespace quarnel::cli {

namespace {

// Every notice the model raises becomes one line on standard error.
class StderrNotices final : public NoticeSink {
public:
    explicit StderrNotices(std::string file) : file_(std::move(file)) {}
    void notice(NoticeKind, const std::string& text) override {
        std::cerr << file_ << ": " << text << "\n";
    }

private:
    std::string file_;
};

// The editor's message boxes force capitals as the user types; a text given
// on the command line is taken the same way.
std::string asTyped(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool parseIndex(const std::string& s, int& k) {
    if (s.empty() || s.size() > 6) return false;
    std::size_t i = s[0] == '-' ? 1 : 0;
    if (i == s.size()) return false;
    for (std::size_t j = i; j < s.size(); ++j)
        if (s[j] < '0' || s[j] > '9') return false;
    k = std::stoi(s);
    return true;
}

struct Options {
    std::string file;
    std::string out;
    std::vector<std::string> set;  // K and TEXT
    bool add = false;
};

int run(const Options& opt) {
    const std::string prefix = "quarnel-cli: " + opt.file + ": ";
    int k = 0;
    if (!opt.add && !parseIndex(opt.set[0], k)) {
        std::cerr << prefix << "message: \"" << opt.set[0] << "\" is not a message index\n";
        return kUsage;
    }
    if (!outputIsNotInput(opt.file, opt.out)) return kUsage;
    auto loaded = loadForCommand(opt.file);
    if (!loaded) return kUsage;
    for (const auto& n : loaded->notices) std::cerr << opt.file << ": " << n << "\n";
    StderrNotices notices(opt.file);
    const CwState kept = countMessages(loaded->image, notices);

    if (opt.add) {
        const AddOutcome added = addMessage(loaded->image, kept, notices);
        if (!added.added) {
            std::cerr << prefix << "message: " << added.refusal << "\n";
            return kRefused;
        }
        const int status = saveForCommand(loaded->image, opt.out);
        if (status == kOk)
            std::cout << opt.out << ": message" << signedDecimal(kept.count)
                      << " added, CW area grown by" << signedDecimal(added.grownBy)
                      << " bytes\n";
        return status;
    }

    if (k < 0 || k >= kept.count) {
        std::cerr << prefix << "message" << signedDecimal(k) << ": there is no such message (the image holds"
                  << signedDecimal(kept.count) << ")\n";
        return kRefused;
    }
    const StoreOutcome stored = storeMessage(loaded->image, kept, k, asTyped(opt.set[1]), notices);
    if (!stored.stored) {
        std::cerr << prefix << "message" << signedDecimal(k) << ": " << stored.refusal << "\n";
        return kRefused;
    }
    if (stored.cut)
        std::cerr << opt.file << ": message" << signedDecimal(k) << " cut to" << signedDecimal(
                         static_cast<long long>(stored.written))
                  << " bytes: the rest of the text did not fit\n";
    const int status = saveForCommand(loaded->image, opt.out);
    if (status == kOk) {
        std::cout << opt.out << ": message" << signedDecimal(k) << " stored,"
                  << signedDecimal(static_cast<long long>(stored.written)) << " bytes";
        if (stored.grownBy > 0)
            std::cout << ", CW area grown by" << signedDecimal(stored.grownBy) << " bytes";
        std::cout << "\n";
    }
    return status;
}

}  // namespace

void addMessageCommand(CLI::App& app, int& status) {
    auto* cmd = app.add_subcommand(
        "message", "Store CW message K from TEXT, or add an empty message, as the editor does");
    auto opt = std::make_shared<Options>();
    cmd->add_option("IMAGE", opt->file, "Image file")->required();
    cmd->add_option("-o", opt->out, "Output image file")->required();
    auto* set = cmd->add_option("--set", opt->set,
                                "K TEXT: store TEXT (small letters taken as capitals) as message K")
                    ->expected(2);
    auto* add = cmd->add_flag("--add", opt->add, "Add an empty message");
    cmd->footer(
        "K counts from 0. Letters, digits, \"/\" and blanks are stored; a text too\n"
        "long for its place is cut, with a warning. The CW area grows when a message does\n"
        "not fit, as the editor grows it. Exit status: 0 saved, 2 usage or file error,\n"
        "3 refused (nothing written).");
    set->excludes(add);
    add->excludes(set);
    cmd->callback([opt, set, &status] {
        if (!opt->add && set->count() == 0) {
            std::cerr << "quarnel-cli: message: give --set K TEXT or --add\n";
            status = kUsage;
            return;
        }
        status = run(*opt);
    });
}

}  // namespace quarnel::cli
