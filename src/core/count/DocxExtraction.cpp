#include "count/DocxExtraction.h"

#include "count/RunState.h"
#include "sources/DocxArchive.h"
#include "text/Folders.h"
#include "text/Host.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace qd {

namespace {

constexpr char16_t kProgramTitle[] = u"Quorvel Dorvane";

// Makes everything below folder writable, so that read-only entries can be removed too.
void MakeWritable(const fs::path& folder) {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ec);
}

// Removes a folder with its contents; the system's description of the failure, or empty.
ustring RemoveFolder(const fs::path& folder) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(folder, ec))) return {};
    MakeWritable(folder);
    fs::remove_all(folder, ec);
    return ec ? FromUtf8(ec.message()) : ustring();
}

int32_t Refuse(RunState& run, int32_t code, bool reportDeleteErrors) {
    DeleteDocxTempFiles(run, reportDeleteErrors);
    return code;
}

} // namespace

int32_t ExtractDocx(RunState& run, ustring_view docxPath, ustring_view entryPath,
                    ustring_view folderBase, bool askOnChecksum, bool askOnLarge,
                    bool reportDeleteErrors) {
    Host& host = run.host;
    run.docx.tempFolder =
        CreateTempFolder(run.env.tempRoot, folderBase, true, run.docx.tempFolderClaim);
    if (run.docx.tempFolder.empty()) {
        run.docx.xmlPath.clear();
        return kDocxNoTempFolder;
    }
    run.docx.xmlPath = run.docx.tempFolder + ustring(entryPath);

    const int64_t maxSize = run.docx.maxXmlFileSize;
    const UnzipOutcome unzipped =
        UnzipDocumentXml(docxPath, run.docx.tempFolder, entryPath, maxSize);
    switch (unzipped.result) {
    case UnzipResult::Ok:
        break;
    case UnzipResult::TooLarge:
        return Refuse(run, kDocxTooBig, reportDeleteErrors);
    case UnzipResult::NoEntry:
    case UnzipResult::Unreadable:
        return Refuse(run, kDocxNotDocx, reportDeleteErrors);
    case UnzipResult::WriteFailed:
        return Refuse(run, kDocxCannotWrite, reportDeleteErrors);
    case UnzipResult::ChecksumError:
        if (!askOnChecksum) return Refuse(run, kDocxChecksumError, reportDeleteErrors);
        if (host.ask(Question::BadChecksum,
                     u"Invalid checksum found when processing\r\n" + ustring(docxPath) +
                         u"\r\n\r\nDo you wish to scan this file anyway?",
                     kProgramTitle, MsgIcon::None, MsgButtons::YesNo, Answer::Yes) == Answer::No)
            return Refuse(run, kDocxChecksumDeclined, reportDeleteErrors);
        break;
    }

    const int64_t size = unzipped.size;
    if (size > maxSize) return Refuse(run, kDocxTooBig, reportDeleteErrors);
    if (size > run.docx.largeXmlFileSize && askOnLarge) {
        if (host.ask(Question::LargeDocx,
                     ustring(docxPath) + u"\r\nis rather large.  It may take awhile to scan.\r\n"
                                         u"Do you wish to continue?",
                     u"Big file", MsgIcon::None, MsgButtons::YesNo, Answer::Yes) == Answer::No) {
            host.message(u"You could saving it as a text file and\r\n"
                         u"applying this program to that file.",
                         u"Big file", MsgIcon::None);
            return Refuse(run, kDocxLargeDeclined, reportDeleteErrors);
        }
    }
    return int32_t(size);
}

void ReportExtractDocxResult(Host& host, int32_t code, ustring_view docxPath,
                             ustring_view inputErrorTitle) {
    switch (code) {
    case kDocxNoTempFolder:
        host.message(u"Unable to create temporary folder.", inputErrorTitle, MsgIcon::Exclamation);
        break;
    case kDocxTooBig:
        host.message(ustring(docxPath) + u"\r\nis too large to be scanned directly.\r\n\r\n"
                                         u"Recommend saving it as a text file and\r\n"
                                         u"applying this program to that file.",
                     u"File too big", MsgIcon::Information);
        break;
    case kDocxNotDocx:
        host.message(u"The file " + ustring(docxPath) +
                         u"\r\nhas a 'docx' extension but does not appear to be an MS Word "
                         u"'docx' file.",
                     inputErrorTitle, MsgIcon::Exclamation);
        break;
    case kDocxCannotWrite:
        host.message(u"Unable to write to temporary folder.", inputErrorTitle,
                     MsgIcon::Exclamation);
        break;
    default: // success, or the user already answered
        break;
    }
}

bool DeleteFileForced(ustring_view path, bool, bool clearReadOnly, bool) {
    const fs::path file = ToPath(path);
    std::error_code ec;
    const auto status = fs::symlink_status(file, ec);
    if (!fs::exists(status)) return true;
    if (clearReadOnly) {
        fs::permissions(file, fs::perms::owner_write, fs::perm_options::add, ec);
        fs::permissions(file.parent_path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    return fs::remove(file, ec) && !ec;
}

bool DeleteDocxTempFiles(RunState& run, bool reportErrors) {
    if (run.docx.tempFolder.empty()) return true;
    Host& host = run.host;
    auto report = [&](const ustring& text) {
        if (reportErrors) host.message(text, u"Error", MsgIcon::Exclamation);
    };

    bool clean = true;
    if (!run.docx.xmlPath.empty() && !DeleteFileForced(run.docx.xmlPath, true, true, true)) {
        report(u"Error when attempting to delete " + run.docx.xmlPath);
        clean = false;
    }
    // Whatever happened to the file, the folders go: nothing of a document is left behind.
    const fs::path folder = ToPath(run.docx.tempFolder);
    const ustring wordFolder = run.docx.tempFolder + u"word";
    ustring error = RemoveFolder(ToPath(wordFolder));
    if (!error.empty()) {
        report(error + u" when attempting to delete folder " + wordFolder);
        clean = false;
    }
    error = RemoveFolder(folder);
    if (!error.empty()) {
        report(error + u" when attempting to delete folder " + run.docx.tempFolder);
        clean = false;
    }
    // A folder left behind stays claimable by a later run.
    run.docx.tempFolderClaim.release();
    if (clean) {
        run.docx.tempFolder.clear();
        run.docx.xmlPath.clear();
    }
    return clean;
}

DocxTempFilesGuard::~DocxTempFilesGuard() {
    DeleteDocxTempFiles(run_, false);
}

} // namespace qd
