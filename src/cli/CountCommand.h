#pragma once
// quorvel-count's one command: the count run of the window over the file the command line
// names, with the settings it gives.

#include "CliOptions.h"
#include "text/Folders.h"

#include <ostream>

namespace qd::cli {

inline constexpr int kExitListed = 0;
inline constexpr int kExitRefused = 1; // an input was refused or could not be read
inline constexpr int kExitUsage = 2;

// Counts options.inputs (one "-": what arrives on stdinFd, as UTF-8; several: into one list) and
// writes the listing to out as it is produced and every message to err; the program's files
// are found in the folders of env. Returns the exit status.
int RunCountCommand(const CliOptions& options, const Environment& env, int stdinFd,
                    std::ostream& out, std::ostream& err);

} // namespace qd::cli
