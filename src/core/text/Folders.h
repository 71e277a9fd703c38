#pragma once
// File and folder routines over the file system, with paths as the program holds them.

#include "text/UString.h"

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

// The folders a run works with. The front ends fill them (DefaultEnvironment, or folders of
// their own); tests point them at folders they made.
struct Environment {
    std::filesystem::path tempRoot;      // where temporary working folders are made
    std::filesystem::path programFolder; // where dvn.dat and the common-words files are
};

// The system temporary folder, or /tmp when the system names none.
std::filesystem::path SystemTempRoot();

// The folder the program runs from, and where its data files are: the executable's folder
// when it holds them, else the installed data folder.
std::filesystem::path DefaultProgramFolder();

// SystemTempRoot() and DefaultProgramFolder().
Environment DefaultEnvironment();

// A new folder root/stem001 .. stem999, the first name taken neither by a folder nor a file;
// its path, with a trailing separator when asked, or empty when none could be created.
ustring CreateTempFolder(const std::filesystem::path& root, ustring_view stem,
                         bool addTrailingSeparator);

// Removes the folder and everything in it; with force, read-only files too. Never throws.
void DeleteFolder(ustring_view path, bool force);

} // namespace qd
