// A seam for tests of the safe save: each step of saveImageFile can be made
// to fail as the system would fail it (a folder that refuses the temporary
// file, a full disk, a lost device), so that the tests can check that the
// earlier file survives every such failure. The product never sets a hook;
// without one each step costs one null check.
#pragma once

namespace quarnel {

// The steps of saveImageFile, in the order they run.
enum class SaveStep {
    CreateTemporary,  // create the temporary file beside the target
    Write,            // write the 4096 bytes into it
    Flush,            // flush them to the disk
    Close,            // close it
    Replace,          // move it over the target
};

// Asked before each step; returning true makes that step fail.
using SaveFaultHook = bool (*)(SaveStep step);

// Installs `hook` (nullptr removes it) and returns the one it replaces.
SaveFaultHook setSaveFaultHook(SaveFaultHook hook);

}  // namespace quarnel
