// The model never shows anything itself. Whatever it has to tell the user goes
// to a NoticeSink supplied by the caller: the editor turns the calls into
// message boxes, the status bar and the CW editor's length line, the CLI writes
// them to standard error, the tests record them.
#pragma once

#include <string>
#include <vector>

namespace quarnel {

enum class NoticeKind {
    Box,           // a message box with an OK button only
    StatusNotice,  // the first part of the main window's status bar
    LengthLine,    // the CW message editor's length line
};

class NoticeSink {
public:
    virtual ~NoticeSink() = default;
    virtual void notice(NoticeKind kind, const std::string& text) = 0;

    void messageBox(const std::string& text) { notice(NoticeKind::Box, text); }
    void statusNotice(const std::string& text) { notice(NoticeKind::StatusNotice, text); }
    void lengthLine(const std::string& text) { notice(NoticeKind::LengthLine, text); }
};

// Discards everything.
class NullNotices final : public NoticeSink {
public:
    void notice(NoticeKind, const std::string&) override {}
};

// Keeps every notice in order; used by the CLI and the tests.
class RecordedNotices final : public NoticeSink {
public:
    struct Entry {
        NoticeKind kind;
        std::string text;
        bool operator==(const Entry& o) const { return kind == o.kind && text == o.text; }
    };
    void notice(NoticeKind kind, const std::string& text) override { entries.push_back({kind, text}); }
    std::vector<std::string> texts(NoticeKind kind) const;
    void clear() { entries.clear(); }

    std::vector<Entry> entries;
};

}  // namespace quarnel
