#include "text/Formatting.h"

#include "text/Folders.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <langinfo.h>
#include <locale.h>
#include <string>

namespace qd {

NumberFormat NumberFormatFromLocale() {
    NumberFormat f;
    // A locale object of its own, so that the program's locale stays as it is.
    const locale_t user = newlocale(LC_NUMERIC_MASK, "", locale_t(0));
    if (!user) return f;
    const char* decimal = nl_langinfo_l(RADIXCHAR, user);
    const char* thousands = nl_langinfo_l(THOUSEP, user);
    if (decimal && *decimal) f.decimal = U(decimal);
    // The C locale has no grouping; keep the English comma then.
    if (thousands && *thousands) f.thousands = U(thousands);
    freelocale(user);
    return f;
}

namespace {

ustring GroupIntegerText(const std::string& digits, const NumberFormat& format) {
    const ustring& sep = format.thousands;
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

ustring GroupDigits(long long n, const NumberFormat& format) {
    return GroupIntegerText(std::to_string(n), format);
}

ustring FormatGrouped(double value, int decimals, const NumberFormat& format) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals < 0 ? 0 : decimals, value);
    std::string text = buf;
    size_t dot = text.find('.');
    ustring out = GroupIntegerText(text.substr(0, dot), format);
    if (dot != std::string::npos) {
        out += format.decimal;
        out += U(text.substr(dot + 1));
    }
    return out;
}

ustring FormatByteCount(double size, bool capitalised, const NumberFormat& format) {
    const ustring unit = capitalised ? u"Bytes" : u"bytes";
    if (size < 0) return {};
    if (size == 0) return u"0 " + unit;
    return FormatGrouped(size, 0, format) + u" " + unit;
}

ustring FormatFileSize(double size, int decimals, const NumberFormat& format) {
    if (size < 0) return {};
    if (size == 0) return u"0 bytes";
    if (size < 1024) return FromInt((long long)size) + u" bytes";
    if (size < 1048576) return FormatGrouped(size / 1024, decimals, format) + u" KB";
    return FormatGrouped(size / 1048576, decimals, format) + u" MB";
}

ustring FileSizeText(ustring_view path, int decimals, const NumberFormat& format) {
    if (path.empty() || !FileExists(path)) return {};
    return FormatFileSize(double(FileLength(path)), decimals, format);
}

ustring NumberInWords(long long n, const NumberFormat& format) {
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
    return FormatGrouped(double(n), 0, format);
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
