#pragma once
// Numbers, sizes and elapsed times as the program shows them.

#include "support/UString.h"

namespace qd {

// The user's digit grouping and decimal characters. Defaults to English; the front ends
// set it from the user's locale at start (InitNumberFormatFromLocale or their own toolkit).
struct NumberFormat {
    ustring thousands = u",";
    ustring decimal = u".";
};
NumberFormat& CurrentNumberFormat();
void InitNumberFormatFromLocale(); // from the C library's user locale (LC_NUMERIC)

// n with thousands grouping, e.g. 1234567 -> "1,234,567".
ustring GroupDigits(long long n);
// value with the given decimals and grouping, e.g. (1234.5, 2) -> "1,234.50".
ustring FormatGrouped(double value, int decimals);

ustring FormatByteCount(double size, bool capitalised);
ustring FormatFileSize(double size, int decimals);
// Empty when path is empty or names no file, else FormatFileSize of its length.
ustring FileSizeText(ustring_view path, int decimals);
ustring NumberInWords(long long n);
ustring ElapsedTimeText(long long seconds);

} // namespace qd
