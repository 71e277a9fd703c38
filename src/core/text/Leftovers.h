#pragma once
// Temporary files and folders that the process must not leave behind, even when a signal ends
// it: while a LeftoverMark lives, RemoveMarkedLeftovers() removes what it marks. The marks
// live in fixed slots so that a front end's signal handler may call RemoveMarkedLeftovers.

#include <filesystem>

namespace qd {

class LeftoverMark {
public:
    LeftoverMark() = default;
    ~LeftoverMark() { clear(); }
    LeftoverMark(const LeftoverMark&) = delete;
    LeftoverMark& operator=(const LeftoverMark&) = delete;

    // Marks a file, or a folder to be removed with everything in it. False when every slot is
    // taken (the path is then not marked).
    bool mark(const std::filesystem::path& path, bool folder);
    // The path is gone or kept on purpose: no longer removed.
    void clear();

private:
    int slot_ = -1;
};

// Removes everything marked. Async-signal-safe: only system calls, no
// allocation, no lock.
void RemoveMarkedLeftovers();

} // namespace qd
