// quorvel-count: counts the words of a file from the command line, over the same core as
// the window.
#include "CliOptions.h"
#include "CountCommand.h"
#include "text/Folders.h"

#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto parsed = qd::cli::ParseCliOptions(args);
    if (!parsed.error.empty()) {
        std::cerr << "quorvel-count: " << parsed.error << "\nTry 'quorvel-count --help'.\n";
        return qd::cli::kExitUsage;
    }
    if (parsed.options.help) {
        std::cout << qd::cli::HelpText();
        return qd::cli::kExitListed;
    }
    // The listing is written line by line: let the standard streams buffer it.
    std::ios::sync_with_stdio(false);
    return qd::cli::RunCountCommand(parsed.options, qd::DefaultEnvironment(), STDIN_FILENO,
                                    std::cout, std::cerr);
}
