#pragma once
// File and folder routines over the file system, with paths as the program holds them.

#include "text/Leftovers.h"
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

// The claim on a numbered temporary folder: a lock file beside it (stemNNN.lock), locked for
// as long as the folder is in use, so that a later run can tell the leftover of a process
// that is gone from a folder in use. While held, the folder and the lock file are marked as
// leftovers (see Leftovers.h), for a signal that ends the program.
class TempFolderClaim {
public:
    TempFolderClaim() = default;
    ~TempFolderClaim() { release(); }
    TempFolderClaim(const TempFolderClaim&) = delete;
    TempFolderClaim& operator=(const TempFolderClaim&) = delete;

    bool held() const { return fd_ >= 0; }
    // Ends the claim. The lock file goes when the folder is gone; when the folder is still
    // there it stays, unlocked, so that a later run may take the folder over.
    void release();

private:
    friend ustring CreateTempFolder(const std::filesystem::path&, ustring_view, bool,
                                    TempFolderClaim&);
    int fd_ = -1;
    std::filesystem::path folder_;
    std::filesystem::path lockFile_;
    LeftoverMark folderMark_;
    LeftoverMark lockMark_;
};

// A new private folder (0700) root/stem001 .. stem999, claimed through claim: the first
// number whose name is free, or whose folder a process that is gone left behind (its lock
// file is there and nobody holds it; the folder is then emptied and taken over). A folder
// without a lock file, or not this user's, is never touched. Returns its path, with a
// trailing separator when asked, or empty when none could be created.
ustring CreateTempFolder(const std::filesystem::path& root, ustring_view stem,
                         bool addTrailingSeparator, TempFolderClaim& claim);

// Removes the folder and everything in it; with force, read-only files too. Never throws.
void DeleteFolder(ustring_view path, bool force);

} // namespace qd
