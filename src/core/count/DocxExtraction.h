#pragma once
// Unpacking the text part of a docx document into a fresh temporary folder, and removing it
// again. The folder and the unpacked file are recorded in the run state (docxTempFolder,
// docxXmlPath) until they are deleted.

#include "sources/DocxArchive.h"
#include "text/UString.h"

#include <cstdint>

namespace qd {

class Host;
struct RunState;

// The base name of the numbered temporary folders: DVN001 to DVN999.
inline constexpr char16_t kTempFolderBase[] = u"DVN";

// Results of ExtractDocx below zero.
inline constexpr int32_t kDocxNoTempFolder = -1;     // no temporary folder could be made
inline constexpr int32_t kDocxChecksumDeclined = -2; // damaged data; the user chose not to scan
inline constexpr int32_t kDocxChecksumError = -3;    // damaged data, not asked about
inline constexpr int32_t kDocxTooBig = -4;           // above maxXmlFileSize
inline constexpr int32_t kDocxLargeDeclined = -5;    // above largeXmlFileSize; user declined
inline constexpr int32_t kDocxNotDocx = -6;          // not a zip archive, or no document part
inline constexpr int32_t kDocxCannotWrite = -7;      // the temporary file could not be written

// Unpacks entryPath of the archive docxPath into a new folder of run.env.tempRoot named
// folderBase + "001"... Returns the size in bytes of the unpacked part, or one of the codes
// above. On success the folder stays (recorded in run.docx.tempFolder and
// run.docx.xmlPath) until ReadDocxText or DeleteDocxTempFiles removes it; on every
// refusal it is already gone.
// The questions (damaged data, large document) are asked through the host when allowed.
int32_t ExtractDocx(RunState& run, ustring_view docxPath, ustring_view entryPath,
                    ustring_view folderBase, bool askOnChecksum, bool askOnLarge,
                    bool reportDeleteErrors);

// Shows the count run's message for a result of ExtractDocx, if it has one (-1, -4, -6, -7);
// inputErrorTitle is the title of the program's input errors.
void ReportExtractDocxResult(Host& host, int32_t code, ustring_view docxPath,
                             ustring_view inputErrorTitle);

// Deletes the unpacked document part and the temporary folder of the run, clearing the two
// paths once they are gone; reports failures in message boxes with reportErrors. True when
// nothing is left. Does nothing when no folder is recorded.
bool DeleteDocxTempFiles(RunState& run, bool reportErrors);

// Deletes a file even when it is read-only (hidden and system attributes have no meaning
// here). True when the file is gone, or was never there.
bool DeleteFileForced(ustring_view path, bool clearHidden, bool clearReadOnly, bool clearSystem);

// Deletes the run's temporary docx files when it goes out of scope, whatever path the count
// took; silent, as the run has already reported what mattered.
class DocxTempFilesGuard {
public:
    explicit DocxTempFilesGuard(RunState& run) : run_(run) {}
    ~DocxTempFilesGuard();
    DocxTempFilesGuard(const DocxTempFilesGuard&) = delete;
    DocxTempFilesGuard& operator=(const DocxTempFilesGuard&) = delete;

private:
    RunState& run_;
};

} // namespace qd
