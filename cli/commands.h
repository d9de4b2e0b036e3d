// The quarnel-cli commands. Each returns the process exit status.
#pragma once

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

namespace quarnel::cli {

enum Exit { kOk = 0, kCheckFailed = 1, kUsage = 2, kRefused = 3 };

// Adds each command's subcommand and options to `app`; the returned callback
// runs whichever one was chosen.
void addShow(CLI::App& app, int& status);
void addVerify(CLI::App& app, int& status);
void addMessageCommand(CLI::App& app, int& status);
void addSet(CLI::App& app, int& status);
void addDiff(CLI::App& app, int& status);
void addDump(CLI::App& app, int& status);
void addApply(CLI::App& app, int& status);

}  // namespace quarnel::cli
