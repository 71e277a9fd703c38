#pragma once
// Numbers, sizes and elapsed times as the program shows them.

#include "text/UString.h"

namespace qd {

// The user's digit grouping and decimal characters. Defaults to English; the front ends
// take it from the user's locale at start (NumberFormatFromLocale or their own toolkit) and
// keep it in the run state.
struct NumberFormat {
    ustring thousands = u",";
    ustring decimal = u".";
};
// The C library's user locale (LC_NUMERIC of the environment), read without changing the
// program's locale; English where the locale cannot be had or has no grouping.
NumberFormat NumberFormatFromLocale();

// n with thousands grouping, e.g. 1234567 -> "1,234,567".
ustring GroupDigits(long long n, const NumberFormat& format);
// value with the given decimals and grouping, e.g. (1234.5, 2) -> "1,234.50".
ustring FormatGrouped(double value, int decimals, const NumberFormat& format);

ustring FormatByteCount(double size, bool capitalised, const NumberFormat& format);
ustring FormatFileSize(double size, int decimals, const NumberFormat& format);
// Empty when path is empty or names no file, else FormatFileSize of its length.
ustring FileSizeText(ustring_view path, int decimals, const NumberFormat& format);
ustring NumberInWords(long long n, const NumberFormat& format);
ustring ElapsedTimeText(long long seconds);

} // namespace qd
