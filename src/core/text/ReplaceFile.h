#pragma once
// Writing files so that a failure never leaves a damaged one: a regular file is written in
// full beside its place and then renamed over it; a character device (a terminal,
// /dev/null) is written directly, every write and the close checked. Nothing ever waits on a
// named pipe, and a folder, a pipe, a socket or a block device is refused.

#include "text/Leftovers.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace qd {

// What a path names, for messages: "a folder", "a named pipe", "a socket", "a device".
const char* SpecialFileKind(mode_t mode);

// The path a write to target reaches: symbolic links followed, a dangling one to the file it
// would create. Empty with errno set when a link cannot be read or links loop.
std::filesystem::path WriteDestination(const std::filesystem::path& target);

class FileWriter {
public:
    FileWriter() = default;
    ~FileWriter() { abandon(); }
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    // Prepares the write to target (see WriteDestination): a new file in the destination's
    // folder that commit() renames over it (keeping an existing file's permissions), or the
    // character device itself. False with error() set when it cannot: an errno value, or
    // notAFile() for a folder, a named pipe, a socket or a block device.
    bool open(const std::filesystem::path& target);
    // Buffered; false once a write has failed.
    bool write(std::string_view bytes);
    // Writes what is buffered, flushes a file to disk, renames it into place and flushes the
    // folder, so that a power cut leaves the old file or the new one. False with error() set
    // when any step fails; then the destination is as it was and no temporary file is left.
    bool commit();
    // Drops the temporary file, leaving the destination as it was.
    void abandon();

    int error() const { return error_; }
    // The path the write goes to (links followed), once open has been called.
    const std::filesystem::path& destination() const { return destination_; }
    // With error() == EINVAL after open: what stands at the path, SpecialFileKind's words.
    const char* notAFile() const { return notAFile_; }
    // The system's description of the failure, naming what stands at the path when it is no
    // file.
    std::string errorText() const;

private:
    bool fail(int error);
    bool flush();

    int fd_ = -1;
    bool device_ = false;
    std::filesystem::path destination_;
    std::filesystem::path temp_;
    LeftoverMark tempMark_; // a signal that ends the program removes the temporary file
    std::string buffer_;
    int error_ = 0;
    const char* notAFile_ = nullptr;
};

// Whether this user may write the existing file at path: 0, or the errno value that refuses
// it. An existing file is replaced only where it could have been written in place, so that a
// write-protected file stays protected. By default access(2); tests put a refusal here, which
// the system never gives to root.
extern int (*WritePermission)(const std::filesystem::path& path);

// Writes bytes to target through a FileWriter. Returns the system's description of the
// failure (errorText), or empty on success.
std::string ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes);

// The system's description of an errno value ("Permission denied").
std::string SystemErrorText(int errnoValue);

} // namespace qd
