#pragma once
// The head of a text file, for the checks that look for declarations in it (the character
// set, the language).

#include "text/ErrorInfo.h"
#include "text/UString.h"

#include <cstdint>

namespace qd {

struct FirstLines {
    ustring text; // the lines joined by CR LF, one character per byte unless decoded
    int32_t lineCount = 0;
    ErrorInfo error; // a read error, number 0 when none
};

// Reads lines (ending at CR, LF or CR LF) until the end of the file or until maxLines lines
// are taken (when maxLines is positive). With skipEmpty, empty lines are passed over and not
// counted. decode reads the lines as UTF-8 (DecodeUtf8), else each byte is its Windows-1252
// character. A non-negative maxBytes reads no further
// than that many bytes, so that one endless line cannot take all memory.
FirstLines ReadFirstLines(ustring_view path, bool skipEmpty, int32_t maxLines, bool decode,
                          int64_t maxBytes = -1);

} // namespace qd
