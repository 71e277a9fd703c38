#include "sources/FirstLines.h"

#include "sources/TextFileReader.h"
#include "text/Folders.h"
#include "text/Utf8Decoding.h"

#include <limits>

namespace qd {

FirstLines ReadFirstLines(ustring_view path, bool skipEmpty, int32_t maxLines, bool decode,
                          int64_t maxBytes) {
    FirstLines result;
    // Lines are never cut here; the byte limit bounds them.
    TextFileReader reader(size_t(1) << 16, std::numeric_limits<size_t>::max());
    if (reader.open(ToPath(path)) && maxBytes >= 0) reader.setByteLimit(maxBytes);
    std::string_view line;
    while ((maxLines <= 0 || result.lineCount < maxLines) && reader.nextLine(line)) {
        if (line.empty() && skipEmpty) continue;
        const ustring text = decode ? DecodeUtf8(line) : FromCp1252(line);
        if (result.lineCount > 0) result.text += u"\r\n";
        result.text += text;
        ++result.lineCount;
    }
    result.error = reader.error();
    return result;
}

} // namespace qd
