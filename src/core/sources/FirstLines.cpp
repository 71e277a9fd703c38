#include "sources/FirstLines.h"

#include "scan/TextRoutines.h"
#include "sources/LineReader.h"

namespace qd {

namespace {

int32_t ErrorNumber(std::error_code error) {
    if (error == std::errc::no_such_file_or_directory) return 53;
    if (IsPermissionDenied(error)) return 70;
    if (error == std::errc::is_a_directory || error == std::errc::invalid_argument) return 75;
    return 57;
}

} // namespace

FirstLines ReadFirstLines(ustring_view path, bool skipEmpty, int32_t maxLines, bool decode,
                          bool normalise, int64_t maxBytes) {
    FirstLines result;
    LineReader reader(path);
    if (maxBytes >= 0) reader.setByteLimit(maxBytes);
    std::string line;
    while ((maxLines <= 0 || result.lineCount < maxLines) && reader.next(line)) {
        if (line.empty() && skipEmpty) continue;
        ustring text = FromCp1252(line);
        if (decode) {
            text = DecodeUtf8Pairs(text);
            if (normalise) text = ReplaceTypographicUtf8(text);
        }
        if (result.lineCount > 0) result.text += u"\r\n";
        result.text += text;
        ++result.lineCount;
    }
    if (reader.error()) {
        result.errorText = FromUtf8(reader.error().message());
        result.errorNumber = ErrorNumber(reader.error());
    }
    return result;
}

} // namespace qd
