#pragma once
// Writing a whole small file so that it is either entirely new or untouched.

#include <filesystem>
#include <string>
#include <string_view>

namespace qd {

// Writes bytes to a new file in the target's folder, flushes it to disk and renames it over
// the target (following a symbolic link to the file it names; an existing file keeps its
// permissions). Returns the system's description of the failure, or empty on success; after
// a failure the target is as it was and no temporary file is left.
std::string ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes);

// The system's description of an errno value ("Permission denied").
std::string SystemErrorText(int errnoValue);

} // namespace qd
