#pragma once
// Whether a file can be counted as text, how its lines end and whether it declares itself
// UTF-8: the classification, and the vetting that turns refusals into messages.

#include "sources/FileKind.h"
#include "text/UString.h"

#include <cstdint>
#include <string_view>

namespace qd {

struct RunState;

// Bytes looked at by the byte scan of a file that is vetted.
inline constexpr int32_t kVetScanBytes = 16384;
// Bytes of the head that, well-formed UTF-8 with a byte above 127, make a file UTF-8.
inline constexpr int64_t kUtf8ScanBytes = int64_t(4) << 20;
// Bytes of the head searched for a charset declaration (ten lines, however long).
inline constexpr int64_t kCharsetSearchBytes = 1 << 20;

// Byte-order marks, RTF, XML and charset declarations in the first bytes of the file. The
// charset declaration is searched for only with checkCharset, and only in files whose
// extension is a text one (HasTextExtension).
FileStart ClassifyFileStart(ustring_view path, bool checkCharset);

struct TextFileCheck {
    FileKind kind = FileKind::EmptyPath;
    unsigned char firstBadByte = 32; // 32 when no control byte was met
    int64_t firstBadPos = -1;        // 0-based offset of that byte, -1 when none
    double percent = 0;              // control bytes in percent of the bytes scanned
    bool isUtf8 = false;             // the file declares, marks or shows itself UTF-8
};

// Classifies the file from its first bytes, else by the share of control bytes (other than
// backspace, tab, line feed, form feed and carriage return) in its first maxBytes bytes: above
// threshold percent it is not text. Text files are told apart by their line ends.
TextFileCheck IsTextFile(ustring_view path, int32_t maxBytes, double threshold, bool checkCharset);

// IsTextFile for a stream, from its first block (head; complete when that is the whole
// stream): a stream has no extension, and its text may declare its character set.
TextFileCheck IsTextStream(std::string_view head, bool complete);

struct VetResult {
    bool ok = false; // the file may be counted
    bool detectedUtf8 = false;
    FileKind kind = FileKind::EmptyPath;
};

// Vets an input file before it is counted or when it is chosen: empties the output box, and
// refuses a file that is missing, empty, tiny, unreadable, RTF, UTF-16/32 or not text with a
// message box. quiet leaves out only the one-time notice about CR-only line ends. Files with
// LF-only line ends are accepted without a word: they read line by line like any other.
VetResult VetTextFile(RunState& run, ustring_view path, bool quiet);

// VetTextFile for a stream (standard input, a pipe) from its first block; name stands for it
// in the messages.
VetResult VetTextStream(RunState& run, ustring_view name, std::string_view head, bool complete,
                        bool quiet);

} // namespace qd
