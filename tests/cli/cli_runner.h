// Runs the built quarnel-cli on files in a scratch folder and captures its
// exit status, standard output and standard error.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/image.h"

namespace quarnel::testing {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class CliScratch {
public:
    CliScratch() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::temp_directory_path() /
               ("quarnel-cli-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    ~CliScratch() { std::filesystem::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    // Saves `image` as a valid 4096-byte file (fresh checksum) and returns its path.
    std::string write(const std::string& name, Image image) const {
        const std::string p = path(name);
        saveImageFile(image, p);
        return p;
    }

    std::string read(const std::string& file) const {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    CliRun run(const std::vector<std::string>& args) const {
        std::string command = quote(QUARNEL_CLI_PATH);
        for (const auto& a : args) command += " " + quote(a);
        const std::string out = path("stdout.txt");
        const std::string err = path("stderr.txt");
        command += " >" + quote(out) + " 2>" + quote(err);
        CliRun run;
        const int raw = std::system(command.c_str());
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = read(out);
        run.err = read(err);
        return run;
    }

private:
    static std::string quote(const std::string& s) {
        std::string q = "'";
        for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return q + "'";
    }

    std::filesystem::path dir_;
};

}  // namespace quarnel::testing
