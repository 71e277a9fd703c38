#pragma once
// Reading a common-words file into the sorted common-words list, through the
// same line scanner that a count uses.

namespace qd {

struct RunState;

// Reads settings.ignore.CommonWordsFile (trimmed in place). Lines are trimmed, empty
// ones skipped, UTF-8 decoded when the vetting found UTF-8, lower-cased and
// scanned with the C comment markers and every extra character allowed, so that
// "//" and slash-star comments are skipped and words with apostrophes or
// hyphens stay whole. Words go straight into the word table, which is emptied
// first; unless the read is stopped, its words become CommonWords in table
// order (code-unit order).
//
// A missing file falls back to the English file silently during start-up and is
// reported afterwards. A folder, a pipe or a device is never opened: at start it is
// taken for a missing file, afterwards it is reported as what it is. A file the
// vetting refuses is reported by the vetting. Returns true when the file was read
// to the end; false when it is missing, no file, refused, unreadable or the read
// was stopped (stopRequested, which is cleared again).
bool ReadCommonWordsFile(RunState& run);

} // namespace qd
