#pragma once
// Comment markers: the presets chosen by file extension, the check of the user-defined pairs,
// and the skipping of comments (and of tags and entities in markup) while a line is scanned.

#include "support/UString.h"

namespace qd {

struct RunState;

// Loads the marker pairs of a preset into the run: "C", "XML", "HTML", "PHP", "User-defined";
// any other name (such as "None") empties pairs 0 and 1 and turns skipping off. Pairs beyond
// a preset's count keep their old values.
void SetCommentMarkers(RunState& run, ustring_view preset);

// Chooses the preset for an input file from its lower-case extension: "php", "xml", anything
// containing "htm", "cpp" and "c" have their presets; other files get the user-defined pairs
// when comment markers are allowed and pass CommentMarkersOK, else none. Returns false only
// when that check fails, leaving the markers in force as they were.
bool SelectCommentPreset(RunState& run, ustring_view extension);

// Checks the two user-defined pairs; the first fault found is shown (titled "Error") and
// gives false.
bool ValidateCommentMarkers(RunState& run);

// ValidateCommentMarkers, then rebuilds CurrentExtraChars and rejects a start marker made
// wholly of word characters, with a message.
bool CommentMarkersOK(RunState& run);

// The title of the message about a start marker that could be part of a word: program text 34.
ustring CommentMarkerWordTitle(const RunState& run);

// The index of the first pair whose start marker begins at lngLP, ignoring case, or -1. The
// pair ("&", ";") of markup sources matches only where an entity begins.
int FindCommentStart(const RunState& run);

// Moves lngLP past the comment of pair intWithinComment: to the end of the line for an empty
// end marker; over the letters, digits and ";" after "&#" in markup sources (the comment stays
// open); otherwise past the end marker, searched ignoring case from where the start marker
// began. Without an end marker on the line, lngLP goes to the end and the comment stays open.
void SkipComment(RunState& run);

// Blanks each "--" that does not begin at the first or second position, is not the end of
// "<!--" and does not begin "-->". The length of the text does not change.
ustring BlankDoubleHyphens(ustring_view s);
void BlankDoubleHyphensInPlace(ustring& s);

} // namespace qd
