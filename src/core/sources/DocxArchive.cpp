#include "sources/DocxArchive.h"

#include "sources/FileNames.h"
#include "sources/RawFile.h"
#include "text/Folders.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef QD_HAVE_LIBZIP
#include <zip.h>
#endif

namespace fs = std::filesystem;

namespace qd {

int HasZipSignature(ustring_view path) {
    if (!FileExists(path)) return -1;
    std::array<char, 16> head{};
    RawFile file(path);
    const ptrdiff_t n = file.read(head.data(), head.size());
    if (n < 10) return 0;
    return head[0] == 'P' && head[1] == 'K' && head[2] == 3 && head[3] == 4 ? 1 : 0;
}

bool IsDocxFile(ustring_view path) {
    return FileExtension(path, true) == u"docx" && HasZipSignature(path) == 1;
}

bool IsEncryptedDocument(ustring_view path) {
    static constexpr std::string_view kCompoundFileSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    // The stream's name in a directory entry, UTF-16LE.
    static constexpr std::string_view kEncryptedPackage =
        std::string_view("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32);
    // The directory lies near the start or near the end; the middle holds the encrypted data.
    constexpr int64_t kSearched = 1 << 20;
    RawFile file(path);
    std::string bytes;
    if (!file.readInto(bytes, int64_t(kCompoundFileSignature.size())) ||
        bytes != kCompoundFileSignature || !file.readInto(bytes, kSearched))
        return false;
    if (bytes.find(kEncryptedPackage) != std::string::npos) return true;
    if (file.length() <= int64_t(bytes.size())) return false;
    bytes.clear();
    return file.seekFromEnd(kSearched) && file.readInto(bytes, kSearched) &&
           bytes.find(kEncryptedPackage) != std::string::npos;
}

#ifdef QD_HAVE_LIBZIP

namespace {

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
    void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Errors that mean the entry's data is damaged rather than unreadable.
bool IsDamagedData(int zipError) {
    switch (zipError) {
    case ZIP_ER_CRC:
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPRESSED_DATA:
    case ZIP_ER_EOF:
    case ZIP_ER_INCONS:
        return true;
    default:
        return false;
    }
}

} // namespace

UnzipOutcome UnzipDocumentXml(ustring_view zipPath, ustring_view destFolder, ustring_view entryPath,
                              int64_t maxBytes) {
    UnzipOutcome outcome;
    int openError = 0;
    std::unique_ptr<zip_t, ArchiveCloser> archive(
        zip_open(ToUtf8(zipPath).c_str(), ZIP_RDONLY, &openError));
    if (!archive) return outcome;

    const std::string entryName = ToUtf8(entryPath);
    const zip_int64_t index = zip_name_locate(archive.get(), entryName.c_str(), 0);
    if (index < 0) {
        outcome.result = UnzipResult::NoEntry;
        return outcome;
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive.get(), zip_uint64_t(index), 0, &stat) != 0) return outcome;
    // A declared size already too big is refused before anything is written.
    if ((stat.valid & ZIP_STAT_SIZE) && stat.size > zip_uint64_t(maxBytes)) {
        outcome.result = UnzipResult::TooLarge;
        return outcome;
    }
    std::unique_ptr<zip_file_t, EntryCloser> entry(
        zip_fopen_index(archive.get(), zip_uint64_t(index), 0));
    if (!entry) {
        const int error = zip_error_code_zip(zip_get_error(archive.get()));
        if (IsDamagedData(error)) outcome.result = UnzipResult::ChecksumError;
        return outcome;
    }

    // The entry is unpacked under its stored path, which must stay inside the folder.
    const fs::path relative = ToPath(entryPath).lexically_normal();
    if (relative.empty() || relative.is_absolute() || *relative.begin() == "..") return outcome;
    const fs::path target = ToPath(destFolder) / relative;
    // A document's text is private: folders 0700, the file 0600.
    bool madeFolders = true;
    fs::path folder = ToPath(destFolder);
    for (auto part = relative.begin(); madeFolders && std::next(part) != relative.end(); ++part) {
        folder /= *part;
        madeFolders = ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
    }
    const int fd =
        madeFolders ? ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600) : -1;
    std::unique_ptr<std::FILE, FileCloser> out(fd >= 0 ? ::fdopen(fd, "wb") : nullptr);
    if (fd >= 0 && !out) ::close(fd);
    if (!out) {
        outcome.result = UnzipResult::WriteFailed;
        return outcome;
    }

    // The declared size may lie: the bytes are counted as they are inflated.
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const zip_int64_t n = zip_fread(entry.get(), buffer.data(), buffer.size());
        if (n < 0) {
            const int error = zip_error_code_zip(zip_file_get_error(entry.get()));
            outcome.result =
                IsDamagedData(error) ? UnzipResult::ChecksumError : UnzipResult::Unreadable;
            break;
        }
        if (n == 0) {
            outcome.result = UnzipResult::Ok;
            break;
        }
        if (outcome.size + n > maxBytes) {
            outcome.result = UnzipResult::TooLarge;
            break;
        }
        if (std::fwrite(buffer.data(), 1, size_t(n), out.get()) != size_t(n)) {
            outcome.result = UnzipResult::WriteFailed;
            break;
        }
        outcome.size += n;
    }
    if (std::fclose(out.release()) != 0 && outcome.result != UnzipResult::TooLarge)
        outcome.result = UnzipResult::WriteFailed;
    return outcome;
}

#else

UnzipOutcome UnzipDocumentXml(ustring_view, ustring_view, ustring_view, int64_t) {
    return {}; // built without a zip library: no archive can be read
}

#endif

} // namespace qd
