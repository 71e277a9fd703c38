#pragma once
// Comment markers: the presets chosen by file extension, the check of the user-defined pairs,
// and the skipping of comments (and of tags and entities in markup) while a line is scanned.

#include "text/UString.h"

#include <array>
#include <optional>

namespace qd {

struct Settings;
class Scanner;

// The comment markers in force: pair i is (startMarkers[i], endMarkers[i]); an empty end
// marker runs to the end of the line. openComment is the pair whose comment is open.
struct CommentState {
    std::array<ustring, 10> startMarkers;
    std::array<ustring, 10> endMarkers;
    int markerCount = 0;
    int openComment = -1;
    // A long line comes in parts: the letters and digits after "&#" in markup go on into the
    // next part.
    bool numericEntityGoesOn = false;
    // and the search for the end marker goes on there.
    bool endSearchGoesOn = false;
    bool entitiesPossible = false; // markup: "&...;" is an entity, decoded or skipped
};

// A fault of the user-defined comment markers, with the message that explains it. The
// message is titled "Error", or with program text 34 when a start marker is made of word
// characters.
struct MarkerFault {
    bool wordCharacters = false;
    ustring text;
};

// Loads the marker pairs of a preset into the scanner: "C", "XML", "HTML", "PHP", "User-defined";
// any other name (such as "None") empties pairs 0 and 1 and turns skipping off. Pairs beyond
// a preset's count keep their old values.
void SetCommentMarkers(Scanner& scan, ustring_view preset);

// Chooses the preset for an input file from its lower-case extension: "php", "xml", anything
// containing "htm", "cpp" and "c" have their presets; other files get the user-defined pairs
// when comment markers are allowed and pass CheckCommentMarkers, else none. On a fault the
// markers in force stay as they were.
std::optional<MarkerFault> SelectCommentPreset(Scanner& scan, ustring_view extension);

// The first fault of the two user-defined pairs, if any.
std::optional<MarkerFault> ValidateCommentMarkers(const Settings& settings);

// ValidateCommentMarkers, then rebuilds the extra characters and rejects a start marker made
// wholly of word characters.
std::optional<MarkerFault> CheckCommentMarkers(Scanner& scan);

// The index of the first pair whose start marker begins at pos, ignoring case, or -1.
// The pair ("&", ";") of markup sources matches only where an entity begins.
int FindCommentStart(const CommentState& comments, ustring_view line, size_t pos);

// Moves the position past the open comment: to the end of the line for an empty
// end marker; over the letters, digits and ";" after "&#" in markup sources (the comment stays
// open); otherwise past the end marker, searched ignoring case from where the start marker
// began. Without an end marker on the line, the position goes to the end and the comment stays
// open. True when the comment runs on past the end of the line.
// When lineGoesOn (a part of a long line), an empty end marker leaves the comment open too, and
// a position short of the end may be returned with true: the characters from there may begin
// the end marker, completed by the next part.
bool SkipComment(CommentState& comments, ustring_view line, size_t& pos, bool lineGoesOn = false);

// Blanks each "--" that does not begin at the first or second position, is not the end of
// "<!--" and does not begin "-->". The length of the text does not change. For a part of a
// line, lineOffset is the position in the line where s begins; the caller puts the two
// characters before it in front, for "<!--".
ustring BlankDoubleHyphens(ustring_view s);
void BlankDoubleHyphensInPlace(ustring& s, size_t lineOffset = 0);

} // namespace qd
