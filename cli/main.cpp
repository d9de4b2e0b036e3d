// quarnel-cli: inspect, verify, compare and script-edit codeplug images.
#include <iostream>

#include "cli/commands.h"

int main(int argc, char** argv) {
    CLI::App app{"quarnel-cli: inspect, verify, compare and edit MSF5000 codeplug images"};
    app.require_subcommand(1);
    int status = quarnel::cli::kOk;
    quarnel::cli::addShow(app, status);
    quarnel::cli::addVerify(app, status);
    quarnel::cli::addMessageCommand(app, status);
    quarnel::cli::addSet(app, status);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return quarnel::cli::kUsage;
    }
    return status;
}
