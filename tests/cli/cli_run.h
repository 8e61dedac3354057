// Runs the built tavrin-cli with its output captured, for the command-line tests.
#pragma once

#include "test_support.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tavrin::test {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string ReadText(const std::filesystem::path& path);

// Runs the program with args; its standard output and error go through files in dir.
CliRun RunCli(const TempDir& dir, const std::vector<std::string>& args);

} // namespace tavrin::test
