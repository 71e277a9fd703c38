#pragma once
// File and folder routines over the file system, with paths as the program holds them.

#include "support/UString.h"

#include <cstdint>
#include <filesystem>

namespace qd {

std::filesystem::path ToPath(ustring_view path);
ustring FromPath(const std::filesystem::path& path);

// True when the trimmed path names an existing directory.
bool IsDirectory(ustring_view path);
// False for an empty path, otherwise whether a file (not a folder) of that path exists.
bool FileExists(ustring_view path);
// The file's length in bytes, or -1 when it cannot be read.
int64_t FileLength(ustring_view path);

// The folder for temporary working folders: the system temporary folder. Tests may point it
// elsewhere.
std::filesystem::path TempRoot();
void SetTempRootForTesting(const std::filesystem::path& root);

// A new folder TempRoot()/stem001 .. stem999, the first name taken neither by a folder nor a
// file; its path, with a trailing separator when asked, or empty when none could be created.
ustring CreateTempFolder(ustring_view stem, bool addTrailingSeparator);

// Removes the folder and everything in it; with force, read-only files too. Never throws.
void DeleteFolder(ustring_view path, bool force);

// The folder the program runs from, and where its data files are: the executable's folder
// when it holds them, else the installed data folder.
std::filesystem::path ProgramFolder();
void SetProgramFolder(const std::filesystem::path& folder);

} // namespace qd
