#pragma once
// Runs quorvel-count as a separate program and collects what it wrote.

#include <filesystem>
#include <string>
#include <vector>

namespace qd::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the counter with args in folder, feeding stdinText to its standard input.
CliResult RunCounter(const std::vector<std::string>& args, const std::filesystem::path& folder,
                     const std::string& stdinText = {});

} // namespace qd::test
