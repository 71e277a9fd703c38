#pragma once
// quorvel-count's one command: the count run of the window over the file the command line
// names, with the settings it gives.

#include "CliOptions.h"
#include "text/Folders.h"

#include <istream>
#include <ostream>

namespace qd::cli {

inline constexpr int kExitListed = 0;
inline constexpr int kExitRefused = 1; // the input was refused or could not be read
inline constexpr int kExitUsage = 2;

// Counts options.input ("-": the text of in, as UTF-8) and writes the listing to out and
// every message to err; the program's files are found, and standard input is kept, in the
// folders of env. Returns the exit status.
int RunCountCommand(const CliOptions& options, const Environment& env, std::istream& in,
                    std::ostream& out, std::ostream& err);

} // namespace qd::cli
