#include "support/Formatting.h"

#include "support/Folders.h"

#include <array>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <string>

namespace qd {

NumberFormat& CurrentNumberFormat() {
    static NumberFormat format;
    return format;
}

void InitNumberFormatFromLocale() {
    std::setlocale(LC_NUMERIC, "");
    const std::lconv* conv = std::localeconv();
    NumberFormat& f = CurrentNumberFormat();
    f.decimal = conv && conv->decimal_point && *conv->decimal_point ? U(conv->decimal_point) : u".";
    // The C locale has no grouping; keep the English comma then.
    if (conv && conv->thousands_sep && *conv->thousands_sep) f.thousands = U(conv->thousands_sep);
    std::setlocale(LC_NUMERIC, "C");
}

namespace {

ustring GroupIntegerText(const std::string& digits) {
    const ustring& sep = CurrentNumberFormat().thousands;
    ustring out;
    size_t start = (!digits.empty() && digits[0] == '-') ? 1 : 0;
    if (start) out.push_back(u'-');
    const size_t n = digits.size() - start;
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += sep;
        out.push_back(char16_t(digits[start + i]));
    }
    return out;
}

} // namespace

ustring GroupDigits(long long n) {
    return GroupIntegerText(std::to_string(n));
}

ustring FormatGrouped(double value, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals < 0 ? 0 : decimals, value);
    std::string text = buf;
    size_t dot = text.find('.');
    ustring out = GroupIntegerText(text.substr(0, dot));
    if (dot != std::string::npos) {
        out += CurrentNumberFormat().decimal;
        out += U(text.substr(dot + 1));
    }
    return out;
}

ustring FormatByteCount(double size, bool capitalised) {
    const ustring unit = capitalised ? u"Bytes" : u"bytes";
    if (size < 0) return {};
    if (size == 0) return u"0 " + unit;
    return FormatGrouped(size, 0) + u" " + unit;
}

ustring FormatFileSize(double size, int decimals) {
    if (size < 0) return {};
    if (size == 0) return u"0 bytes";
    if (size < 1024) return FromInt((long long)size) + u" bytes";
    if (size < 1048576) return FormatGrouped(size / 1024, decimals) + u" KB";
    return FormatGrouped(size / 1048576, decimals) + u" MB";
}

ustring FileSizeText(ustring_view path, int decimals) {
    if (path.empty() || !FileExists(path)) return {};
    return FormatFileSize(double(FileLength(path)), decimals);
}

ustring NumberInWords(long long n) {
    static const std::array<const char16_t*, 21> units = {
        u"No",       u"One",     u"Two",     u"Three",     u"Four",     u"Five",     u"Six",
        u"Seven",    u"Eight",   u"Nine",    u"Ten",       u"Eleven",   u"Twelve",   u"Thirteen",
        u"Fourteen", u"Fifteen", u"Sixteen", u"Seventeen", u"Eighteen", u"Nineteen", u"Twenty"};
    static const std::array<const char16_t*, 10> tens = {u"",       u"",      u"Twenty", u"Thirty",
                                                         u"Forty",  u"Fifty", u"Sixty",  u"Seventy",
                                                         u"Eighty", u"Ninety"};
    if (n >= 0 && n <= 20) return units[n];
    if (n > 20 && n < 100) {
        ustring text = tens[n / 10];
        if (n % 10) {
            ustring unit = units[n % 10];
            unit[0] = char16_t(unit[0] - u'A' + u'a');
            text += u" " + unit;
        }
        return text;
    }
    return FormatGrouped(double(n), 0);
}

ustring ElapsedTimeText(long long seconds) {
    const long long s = seconds % 60;
    long long m = seconds / 60;
    const ustring secondsPart = FromInt(s) + u"s";
    if (m == 0) return secondsPart;
    ustring text;
    if (m >= 1440) {
        text = FromInt(m / 1440) + u"d ";
        m %= 1440;
    }
    text += FromInt(m / 60) + u"h " + FromInt(m % 60) + u"m";
    if (s > 0) text += u" " + secondsPart;
    if (text.starts_with(u"0h ")) text.erase(0, 3);
    return text;
}

} // namespace qd
