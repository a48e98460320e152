#pragma once

#include <string>
#include <vector>

namespace testsupport {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a program with arguments (no shell) and collects its output and exit code.
CliResult RunProgram(const std::string& program, const std::vector<std::string>& args);

}  // namespace testsupport
