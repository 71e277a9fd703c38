#pragma once
// A Word document in the docx format is a zip archive whose text lies in one entry. These
// routines recognise such an archive and unpack that one entry, and nothing else.

#include "text/UString.h"

#include <cstdint>

namespace qd {

// The entry holding the document's text, as stored in the archive (and below the temporary
// folder once unpacked).
inline constexpr char16_t kDocxEntryPath[] = u"word/document.xml";

// -1 when the file does not exist; 1 when its first four bytes are the zip local-header
// signature 50 4B 03 04; 0 otherwise, and when fewer than 10 bytes could be read.
int HasZipSignature(ustring_view path);

// True when the extension is "docx" (in any case) and the file starts like a zip archive.
bool IsDocxFile(ustring_view path);

// True when the file is an Office document protected by a password: Word stores such a
// document, whatever its extension, not as a zip archive but as a compound file holding an
// "EncryptedPackage" stream.
bool IsEncryptedDocument(ustring_view path);

enum class UnzipResult {
    Ok,
    ChecksumError, // the data did not match its checksum or would not inflate; what could be
                   // inflated was written
    TooLarge,      // the entry declares, or inflates to, more than maxBytes: writing stopped
    NoEntry,       // the archive has no such entry
    Unreadable,    // not a zip archive, or the entry cannot be read (encrypted, unknown method)
    WriteFailed,   // the unpacked file could not be written
};

struct UnzipOutcome {
    UnzipResult result = UnzipResult::Unreadable;
    int64_t size = 0; // bytes written
};

// Unpacks the entry entryPath of the archive into destFolder under its stored path, creating
// the folders on the way. Never writes more than maxBytes bytes, whatever the archive claims.
UnzipOutcome UnzipDocumentXml(ustring_view zipPath, ustring_view destFolder, ustring_view entryPath,
                              int64_t maxBytes);

} // namespace qd
