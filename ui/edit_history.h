// Undo and redo of the changes to the image, and the bytes of the file last
// opened or saved, which tell whether there is anything to lose.
//
// Each change is kept as the whole image as it was before it (4 KB), the
// last kDepth of them. A command of the main window marks where a change may
// start (Command); an edit that changed the image (ProgramState::noteEdit)
// makes the image as the command found it an undo step. Channel steps and
// band choices are no edits and make none, and neither does an edit that
// was refused or left the image as it was.
#pragma once

#include <cstddef>
#include <deque>

#include "model/image.h"

namespace quarnel::ui {

struct ProgramState;

class EditHistory {
public:
    static constexpr std::size_t kDepth = 100;

    // Marks the start of a command of the main window for its lifetime; a
    // command handled inside another (a notification sent while a handler
    // runs) does not move the mark.
    class Command {
    public:
        Command(EditHistory& history, const Image& image);
        ~Command();
        Command(const Command&) = delete;
        Command& operator=(const Command&) = delete;

    private:
        EditHistory& history_;
    };

    // The image changed by an edit: the image before it becomes an undo
    // step (the oldest goes beyond kDepth) and what could be redone is
    // forgotten.
    void noteChange(const Image& image);

    // Puts back the image before the last change (undo) or the change last
    // undone (redo). False, with the image untouched, when there is none.
    bool undo(Image& image);
    bool redo(Image& image);
    std::size_t undoSteps() const { return undo_.size(); }
    std::size_t redoSteps() const { return redo_.size(); }

    // The image now holds what a file holds (Open, Save As).
    void matchFile(const Image& image);
    // Forgets every step (Open).
    void clear();
    // Whether the image differs from the bytes last opened or saved (from
    // the zero-filled start-up image before any).
    bool differsFromFile(const Image& image) const;

private:
    // The last image of `from` becomes the image; the image goes to `to`.
    bool move(std::deque<Image>& from, std::deque<Image>& to, Image& image);

    std::deque<Image> undo_;
    std::deque<Image> redo_;
    Image before_{};  // the image as the current command found it
    Image file_{};    // the bytes last opened or saved
    int depth_ = 0;   // commands being handled, one inside another
};

// Ctrl+Z and Ctrl+Y: the image before the last change, or the change last
// undone, put back; the current channel shown again and the modified flag
// set as an edit sets it. Nothing happens when there is nothing to undo or
// redo. Returns whether the image changed.
bool undoChange(ProgramState& state);
bool redoChange(ProgramState& state);

// The command route of both.
bool OnUndoRedo(ProgramState& state, int id, int code);

// Open with the image differing from the file last opened or saved: asks
// "File not saved" (Yes/No, No by default) saying what opening another file
// drops. True when there is nothing to lose or the user chose Yes.
bool confirmOpenOverEdits(ProgramState& state);

}  // namespace quarnel::ui
