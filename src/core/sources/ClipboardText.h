#pragma once
// The checks a clipboard text passes before it is counted: there is some, it is not too
// long, and it looks like natural-language text. The text arrives as a value; fetching it
// from the system clipboard is the window's business.

#include "text/Formatting.h"
#include "text/UString.h"

#include <cstdint>

namespace qd {

class Host;

inline constexpr int32_t MaxClipboardChars = 100000;
// How far into the text the control-character check looks.
inline constexpr int32_t kPlainTextCheckChars = 3000;

// True when none of the first n characters (all of them when the text is shorter) is a
// control character other than tab, line feed, form feed and carriage return. The empty text
// is plain.
bool IsPlainText(ustring_view text, int32_t n);

// The caption of the clipboard-size label: "Contents of clipboard: " and the number of
// characters written as a byte count.
ustring ClipboardSizeCaption(ustring_view text, const NumberFormat& format);

// Sets the clipboard-size label for text (ShowClipboardSize).
void ShowClipboardSize(Host& host, ustring_view text, const NumberFormat& format);

// The size checks of a freshly taken clipboard text: empties the output box, refuses an empty
// text and one of more than MaxClipboardChars characters with their messages, and shows the
// size of any other. True when the text may be kept for counting.
bool AcceptClipboardText(Host& host, ustring_view text, const NumberFormat& format);

// The shape check before a clipboard text is scanned, with its message. True when the text
// may be scanned.
bool CheckClipboardTextIsPlain(Host& host, ustring_view text);

} // namespace qd
