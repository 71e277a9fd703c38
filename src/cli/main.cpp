// quorvel-count: counts the words of a file from the command line, over the same core as
// the window.
#include "CliOptions.h"
#include "CountCommand.h"
#include "TerminalText.h"
#include "text/Folders.h"
#include "text/Leftovers.h"

#include <csignal>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Ctrl-C, a closed terminal, kill: the temporary folder of a document and a half-written
// output file go, then the signal ends the program as it would have.
extern "C" void EndOnSignal(int signal) {
    qd::RemoveMarkedLeftovers();
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

void RemoveLeftoversOnSignals() {
    struct sigaction action {};
    action.sa_handler = EndOnSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) {
        struct sigaction old {};
        // A signal ignored by whoever started the program stays ignored.
        if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
        ::sigaction(signal, &action, nullptr);
    }
}

} // namespace

int main(int argc, char** argv) {
    RemoveLeftoversOnSignals();
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto parsed = qd::cli::ParseCliOptions(args);
    if (!parsed.error.empty()) {
        std::cerr << "quorvel-count: " << qd::cli::TerminalText(parsed.error)
                  << "\nTry 'quorvel-count --help'.\n";
        return qd::cli::kExitUsage;
    }
    if (parsed.options.help) {
        std::cout << qd::cli::HelpText() << std::flush;
        if (std::cout) return qd::cli::kExitListed;
        std::cerr << "quorvel-count: cannot write the help to standard output\n";
        return qd::cli::kExitRefused;
    }
    // The listing is written line by line: let the standard streams buffer it.
    std::ios::sync_with_stdio(false);
    return qd::cli::RunCountCommand(parsed.options, qd::DefaultEnvironment(), STDIN_FILENO,
                                    std::cout, std::cerr);
}
