#include "ui/edit_history.h"

#include <windows.h>

#include "ui/channel_display.h"
#include "ui/dialog_seam.h"
#include "ui/keyboard.h"
#include "ui/program_state.h"

namespace quarnel::ui {

EditHistory::Command::Command(EditHistory& history, const Image& image) : history_(history) {
    if (history_.depth_++ == 0) history_.before_ = image;
}

EditHistory::Command::~Command() { --history_.depth_; }

void EditHistory::noteChange(const Image& image) {
    // An edit that wrote the bytes already there is no change.
    if (image.bytes == before_.bytes) return;
    undo_.push_back(before_);
    if (undo_.size() > kDepth) undo_.pop_front();
    redo_.clear();
    // Several changes within one command (the CW editor stores while it is
    // open) are steps of their own.
    before_ = image;
}

bool EditHistory::move(std::deque<Image>& from, std::deque<Image>& to, Image& image) {
    if (from.empty()) return false;
    to.push_back(image);
    image = from.back();
    from.pop_back();
    before_ = image;
    return true;
}

bool EditHistory::undo(Image& image) { return move(undo_, redo_, image); }

bool EditHistory::redo(Image& image) { return move(redo_, undo_, image); }

void EditHistory::matchFile(const Image& image) {
    file_ = image;
    before_ = image;
}

void EditHistory::clear() {
    undo_.clear();
    redo_.clear();
}

bool EditHistory::differsFromFile(const Image& image) const { return image.bytes != file_.bytes; }

namespace {

// The image put back is shown as an edit shows it: the current channel
// again, the modified flag set.
bool putBack(ProgramState& state, bool (EditHistory::*step)(Image&)) {
    if (!(state.history.*step)(state.image)) return false;
    state.modified = kModified;
    if (state.currentChannel > 0) displayCurrentChannel(state);
    return true;
}

}  // namespace

bool undoChange(ProgramState& state) { return putBack(state, &EditHistory::undo); }

bool redoChange(ProgramState& state) { return putBack(state, &EditHistory::redo); }

bool OnUndoRedo(ProgramState& state, int id, int) {
    if (id == ids::kUndo) undoChange(state);
    if (id == ids::kRedo) redoChange(state);
    return true;
}

bool confirmOpenOverEdits(ProgramState& state) {
    if (!state.unsavedEdits()) return true;
    return showMessageBox(state.windows.main,
                          L"File not saved\n\nThe changes made to the image since it was last "
                          L"opened or saved will be lost.\nOpen another file anyway?",
                          L"Open", MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES;
}

}  // namespace quarnel::ui
