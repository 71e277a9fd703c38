#include "text/Leftovers.h"

#include <atomic>
#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace qd {

namespace {

constexpr int kSlots = 16;
constexpr size_t kPathBytes = 4096;
constexpr int kMaxDepth = 16; // deeper than any folder the program makes

enum SlotState : int { Free, Writing, Marked };

struct Slot {
    std::atomic<int> state{Free};
    bool folder = false;
    char path[kPathBytes];
};

Slot slots[kSlots];

// Removes the entries of the open folder fd, then nothing else; depth bounds the recursion.
void EmptyFolder(int fd, int depth) {
    alignas(8) char buffer[4096];
    for (;;) {
        const long n = ::syscall(SYS_getdents64, fd, buffer, sizeof buffer);
        if (n <= 0) return;
        bool removedAny = false;
        for (long at = 0; at < n;) {
            struct Entry {
                uint64_t inode;
                int64_t offset;
                unsigned short length;
                unsigned char type;
                char name[1];
            };
            const auto* entry = reinterpret_cast<const Entry*>(buffer + at);
            at += entry->length;
            const char* name = entry->name;
            if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
            if (entry->type == DT_DIR && depth < kMaxDepth) {
                const int child =
                    ::openat(fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
                if (child >= 0) {
                    EmptyFolder(child, depth + 1);
                    ::close(child);
                }
                if (::unlinkat(fd, name, AT_REMOVEDIR) == 0) removedAny = true;
            } else if (::unlinkat(fd, name, 0) == 0) {
                removedAny = true;
            }
        }
        // Removing entries while reading may skip some: read again from the start.
        if (removedAny) ::lseek(fd, 0, SEEK_SET);
    }
}

} // namespace

bool LeftoverMark::mark(const std::filesystem::path& path, bool folder) {
    clear();
    const std::string& text = path.native();
    if (text.size() >= kPathBytes) return false;
    for (int i = 0; i < kSlots; ++i) {
        int expected = Free;
        if (!slots[i].state.compare_exchange_strong(expected, Writing)) continue;
        slots[i].folder = folder;
        std::memcpy(slots[i].path, text.c_str(), text.size() + 1);
        slots[i].state.store(Marked);
        slot_ = i;
        return true;
    }
    return false;
}

void LeftoverMark::clear() {
    if (slot_ >= 0) slots[slot_].state.store(Free);
    slot_ = -1;
}

void RemoveMarkedLeftovers() {
    for (int i = kSlots - 1; i >= 0; --i) {
        Slot& slot = slots[i];
        if (slot.state.load() != Marked) continue;
        if (slot.folder) {
            const int fd = ::open(slot.path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (fd >= 0) {
                EmptyFolder(fd, 0);
                ::close(fd);
            }
            ::rmdir(slot.path);
        } else {
            ::unlink(slot.path);
        }
    }
}

} // namespace qd
