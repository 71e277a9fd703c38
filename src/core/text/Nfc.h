#pragma once
// Unicode normalisation, so that a character counts the same however it was composed.

#include "text/UString.h"

namespace qd {

// Brings s to NFC. Text already in NFC (nearly all text) is only looked at.
void ToNfcInPlace(ustring& s);
ustring ToNfc(ustring_view s);

// Whether no character of s can take part in a composition: then s is in NFC as it is. True
// for every Latin-1 and Windows-1252 text.
bool IsCompositionFree(ustring_view s);

} // namespace qd
