// quarnel-cli: inspect, verify, compare and script-edit codeplug images.
#include <cerrno>
#include <cstdio>
#include <iostream>
#include <system_error>

#include "cli/commands.h"

int main(int argc, char** argv) {
    CLI::App app{"quarnel-cli: inspect, verify, compare and edit MSF5000 codeplug images"};
    app.name("quarnel-cli");
    app.require_subcommand(1);
    app.set_version_flag("--version", "quarnel-cli 1.01", "Print the version and exit");
    app.footer(
        "Exit status: 0 success; 1 verify found a fault or diff found a difference; 2 a usage\n"
        "error or a file that cannot be read or written; 3 set, message or apply refused an edit\n"
        "(nothing written). Run quarnel-cli COMMAND --help for a command's options.");
    int status = quarnel::cli::kOk;
    quarnel::cli::addShow(app, status);
    quarnel::cli::addVerify(app, status);
    quarnel::cli::addMessageCommand(app, status);
    quarnel::cli::addSet(app, status);
    quarnel::cli::addDiff(app, status);
    quarnel::cli::addDump(app, status);
    quarnel::cli::addApply(app, status);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return quarnel::cli::kUsage;
    }
    // Output that never arrived (a full disk, a closed pipe) is a failure,
    // not a success with nothing said.
    std::cout.flush();
    if (!std::cout || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int err = errno;
        std::cerr << "quarnel-cli: standard output: cannot write: "
                  << std::generic_category().message(err ? err : EIO) << "\n";
        return quarnel::cli::kUsage;
    }
    return status;
}
