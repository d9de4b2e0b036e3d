// message: stores a CW message from a text, or adds an empty one, as the CW
// message editor does, and saves the result to another file.
#include <algorithm>
#include <iostream>

#include "cli/commands.h"
#include "cli/edit_guard.h"
#include "cli/loaded.h"
#include "model/cw_messages.h"
#include "model/text_forms.h"

namespace quarnel::cli {

namespace {

// Every notice the model raises becomes one line on standard error, each
// text once: the editor sets its status notice again for every unknown
// character, which on a terminal would only repeat the same line.
void printNotices(const std::string& file, const RecordedNotices& notices) {
    std::vector<std::string> said;
    for (const auto& e : notices.entries) {
        if (std::find(said.begin(), said.end(), e.text) != said.end()) continue;
        said.push_back(e.text);
        std::cerr << file << ": " << e.text << "\n";
    }
}

// The editor's message boxes force capitals as the user types; a text given
// on the command line is taken the same way.
std::string asTyped(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// A message index: digits only, no sign.
bool parseIndex(const std::string& s, int& k) {
    if (s.empty() || s.size() > 6 || s.find_first_not_of("0123456789") != std::string::npos) return false;
    k = std::stoi(s);
    return true;
}

struct Options {
    std::string file;
    std::string out;
    std::vector<std::string> set;  // K and TEXT
    bool add = false;
    bool force = false;
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
    if (!inputMayBeEdited(*loaded, opt.force)) return kRefused;
    RecordedNotices notices;
    const CwState kept = countMessages(loaded->image, notices);

    if (opt.add) {
        const AddOutcome added = addMessage(loaded->image, kept, notices);
        printNotices(opt.file, notices);
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

    if (k >= kept.count) {
        printNotices(opt.file, notices);
        std::cerr << prefix << "message" << signedDecimal(k) << ": there is no such message (the image holds"
                  << signedDecimal(kept.count) << ")\n";
        return kRefused;
    }
    // The store runs on a copy: a text whose bytes would not be stored whole
    // leaves the image as it was, and none of the notices of the store that
    // did not happen is printed.
    Image edited = loaded->image;
    RecordedNotices storing;
    const StoreOutcome stored = storeMessage(edited, kept, k, asTyped(opt.set[1]), storing);
    printNotices(opt.file, notices);
    if (!stored.stored) {
        std::cerr << prefix << "message" << signedDecimal(k) << ": " << stored.refusal << "\n";
        return kRefused;
    }
    if (stored.cut) {
        std::cerr << prefix << "message" << signedDecimal(k) << ": the text needs"
                  << signedDecimal(static_cast<long long>(stored.needed)) << " bytes, its end mark included,"
                  << (stored.room == kCwBufferBytes && k + 1 == kept.count
                          ? " and a message holds at most"
                          : " and the slot of message" + signedDecimal(k) + " holds")
                  << signedDecimal(static_cast<long long>(stored.room)) << "; nothing written\n";
        return kRefused;
    }
    printNotices(opt.file, storing);
    loaded->image = edited;
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
    addForceOption(cmd, opt->force);
    cmd->footer(
        "K counts from 0. Letters, digits, \"/\" and blanks are stored; other characters\n"
        "are skipped with a notice. The CW area grows when the last message does not fit,\n"
        "as the editor grows it; a text that would not be stored whole (longer than its\n"
        "slot, or more than 41 bytes with its end mark) is refused. An image whose stored\n"
        "checksum is wrong is refused unless --force is given. Exit status: 0 saved,\n"
        "2 usage or file error, 3 refused (nothing written).");
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
