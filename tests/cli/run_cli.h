// Runs the built quarnel-cli and captures what it prints.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quarnel::testing {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs quarnel-cli with `args` (each passed as one argument, no shell parsing).
CliResult runCli(const std::vector<std::string>& args);

// A fresh empty folder, removed with everything in it at the end of the test.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::vector<unsigned char> readBytes(const std::filesystem::path& path);
// The lines of a text, without their line ends.
std::vector<std::string> lines(const std::string& text);
void writeBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes);

}  // namespace quarnel::testing
