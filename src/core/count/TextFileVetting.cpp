#include "count/TextFileVetting.h"

#include "count/RunState.h"
#include "sources/FileNames.h"
#include "sources/FirstLines.h"
#include "sources/RawFile.h"
#include "text/Folders.h"
#include "text/Host.h"
#include "text/Utf8Decoding.h"

#include <array>
#include <climits>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace qd {

namespace {

constexpr int kStartBytes = 17;
constexpr int kCharsetLines = 10;
// A refused file gets the copy-and-paste advice below this share of control bytes and size.
constexpr double kAdvicePercent = 9.0;
constexpr int64_t kAdviceMaxSize = 102400;

ustring Lines(std::initializer_list<ustring_view> lines) {
    ustring text;
    bool first = true;
    for (ustring_view line : lines) {
        if (!first) text += u"\r\n";
        text += line;
        first = false;
    }
    return text;
}

ustring FilePath(ustring_view path) {
    return u"File " + ustring(path);
}

bool DeclaresUtf8(ustring_view head) {
    return head.find(u"charset=UTF-8") != ustring_view::npos ||
           head.find(u"charset=\"UTF-8\"") != ustring_view::npos;
}

using StartBytes = std::array<unsigned char, kStartBytes>;

// Byte-order marks, RTF and (for an XML file) the first tag's width in the first bytes.
FileStart ClassifyStartBytes(const StartBytes& b, bool xml) {
    if (b[0] == '{' && b[1] == '\\' && b[2] == 'r' && b[3] == 't' && b[4] == 'f')
        return FileStart::Rtf;
    if (b[0] == 0xFF && b[1] == 0xFE) return FileStart::Utf16Le;
    if (b[0] == 0xFE && b[1] == 0xFF) return FileStart::Utf16Be;
    if (b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) return FileStart::Utf8;
    if (b[0] == 0 && b[1] == 0 && b[2] == 0xFE && b[3] == 0xFF) return FileStart::Utf32Be;
    if (xml) {
        if (b[0] == '<' && b[1] != 0) return FileStart::Utf8;
        if (b[0] == '<' && b[1] == 0) return FileStart::Utf16Le;
        if (b[0] == 0 && b[1] == '<') return FileStart::Utf16Be;
    }
    return FileStart::Unknown;
}

// A charset declaration in the first ten non-empty lines of head.
bool HeadDeclaresUtf8(std::string_view head) {
    size_t at = 0;
    for (int lines = 0; lines < kCharsetLines && at < head.size();) {
        size_t end = head.find_first_of("\r\n", at);
        if (end == std::string_view::npos) end = head.size();
        const std::string_view line = head.substr(at, end - at);
        if (!line.empty()) {
            ++lines;
            if (line.find("charset=UTF-8") != std::string_view::npos ||
                line.find("charset=\"UTF-8\"") != std::string_view::npos)
                return true;
        }
        at = end + 1;
    }
    return false;
}

bool IsTextKind(FileKind kind) {
    return kind == FileKind::Text || kind == FileKind::TextLf || kind == FileKind::TextCr;
}

// The share of control bytes in bytes (the first maxBytes of a file), and the line ends.
TextFileCheck ScanTextBytes(std::string_view bytes, int32_t maxBytes, double threshold) {
    TextFileCheck check;
    if (bytes.empty()) {
        check.kind = FileKind::Empty;
        return check;
    }

    const int64_t n = int64_t(bytes.size());
    const int64_t earlyFrom = maxBytes / 5; // the share is checked early from the first fifth
    bool sawLf = false, sawCr = false;
    int64_t count = 0;
    for (int64_t i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[size_t(i)]);
        if (c == 10) {
            sawLf = true;
        } else if (c == 13) {
            sawCr = true;
        } else if (c < 32 && c != 8 && c != 9 && c != 12) {
            if (count++ == 0) {
                check.firstBadByte = c;
                check.firstBadPos = i;
            }
        }
        if (i + 1 > earlyFrom) {
            check.percent = double(count) * 100.0 / double(i + 1);
            if (check.percent > 10.0 * threshold) {
                check.kind = FileKind::NotText;
                return check;
            }
        }
    }
    check.percent = count > 0 ? double(count) * 100.0 / double(n) : 0.0;
    if (check.percent > threshold) {
        check.kind = FileKind::NotText;
        return check;
    }
    if (sawLf == sawCr)
        check.kind = FileKind::Text;
    else
        check.kind = sawLf ? FileKind::TextLf : FileKind::TextCr;
    return check;
}

} // namespace

FileStart ClassifyFileStart(ustring_view path, bool checkCharset) {
    if (path.empty()) return FileStart::EmptyPath;
    if (!FileExists(path)) return FileStart::NotFound;

    StartBytes b{};
    {
        RawFile file(path);
        if (!file.isOpen())
            return IsPermissionDenied(file.error()) ? FileStart::PermissionDenied
                                                    : FileStart::CannotOpen;
        if (file.length() == 0) return FileStart::Empty;
        if (file.length() <= 4) return FileStart::TooShort;
        if (file.read(reinterpret_cast<char*>(b.data()), b.size()) < 0)
            return IsPermissionDenied(file.error()) ? FileStart::PermissionDenied
                                                    : FileStart::CannotOpen;
    }

    if (const FileStart start = ClassifyStartBytes(b, FileExtension(path, true) == u"xml");
        start != FileStart::Unknown)
        return start;

    if (checkCharset && HasTextExtension(path)) {
        FirstLines head = ReadFirstLines(path, true, kCharsetLines, false, kCharsetSearchBytes);
        if (head.error.number == 0 && DeclaresUtf8(head.text)) return FileStart::Utf8;
    }
    return FileStart::Unknown;
}

namespace {

// The verdict the start of a file gives on its own; nothing when the byte scan must decide.
std::optional<TextFileCheck> CheckOfStart(FileStart start) {
    TextFileCheck check;
    switch (start) {
    case FileStart::Unknown:
        return std::nullopt;
    case FileStart::Rtf:
        check.kind = FileKind::Rtf;
        break;
    case FileStart::Utf8:
        check.isUtf8 = true;
        check.kind = FileKind::Text;
        break;
    case FileStart::Utf16Le:
    case FileStart::Utf16Be:
    case FileStart::Utf32Be:
        check.kind = FileKind::Unicode;
        break;
    default: // the refusals share their codes
        check.kind = FileKind(Code(start));
        break;
    }
    return check;
}

} // namespace

TextFileCheck IsTextFile(ustring_view path, int32_t maxBytes, double threshold, bool checkCharset) {
    if (auto check = CheckOfStart(ClassifyFileStart(path, checkCharset))) return *check;

    TextFileCheck check;
    std::string bytes;
    {
        RawFile file(path);
        if (!file.isOpen() || !file.readInto(bytes, maxBytes < 0 ? 0 : maxBytes)) {
            check.kind =
                IsPermissionDenied(file.error()) ? FileKind::PermissionDenied : FileKind::ReadError;
            return check;
        }
    }
    check = ScanTextBytes(bytes, maxBytes, threshold);
    if (IsTextKind(check.kind)) {
        RawFile file(path);
        std::string head;
        if (file.isOpen() && file.readInto(head, kUtf8ScanBytes))
            check.isUtf8 = LooksUtf8(head, file.length() > kUtf8ScanBytes);
    }
    return check;
}

TextFileCheck IsTextStream(std::string_view head, bool complete) {
    TextFileCheck check;
    if (head.empty()) {
        check.kind = complete ? FileKind::Empty : FileKind::ReadError;
        return check;
    }
    if (complete && head.size() <= 4) {
        check.kind = FileKind::TooShort;
        return check;
    }
    StartBytes b{};
    for (size_t i = 0; i < b.size() && i < head.size(); ++i)
        b[i] = static_cast<unsigned char>(head[i]);
    if (auto start = CheckOfStart(ClassifyStartBytes(b, false))) return *start;
    if (HeadDeclaresUtf8(head.substr(0, size_t(kCharsetSearchBytes)))) {
        check.isUtf8 = true;
        check.kind = FileKind::Text;
        return check;
    }
    check = ScanTextBytes(head.substr(0, kVetScanBytes), kVetScanBytes, 0.0);
    if (IsTextKind(check.kind)) {
        const std::string_view scanned = head.substr(0, size_t(kUtf8ScanBytes));
        check.isUtf8 = LooksUtf8(scanned, !complete || scanned.size() < head.size());
    }
    return check;
}

namespace {

// The messages of the vetting: a refusal, or the notice about CR-only line ends.
VetResult Vet(RunState& run, ustring_view path, const TextFileCheck& check, int64_t size,
              bool quiet) {
    Host& host = run.host;
    VetResult result;
    result.kind = check.kind;
    result.detectedUtf8 = check.isUtf8;

    auto refuse = [&](const ustring& text) {
        host.message(text, u"Fatal error", MsgIcon::Information);
        return result;
    };
    const ustring file = FilePath(path);
    switch (check.kind) {
    case FileKind::EmptyPath:
    case FileKind::ReadError:
        return result;
    case FileKind::NotFound:
        return refuse(file + u" not found.");
    case FileKind::Empty:
        return refuse(file + u" is zero-length.");
    case FileKind::PermissionDenied:
        return refuse(Lines({file, u" cannot be opened (permission denied)."}));
    case FileKind::TooShort:
        return refuse(Lines({file, u"contains only from 1 to 4 bytes."}));
    case FileKind::CannotOpen:
        return refuse(Lines({file, u"cannot be opened."}));
    case FileKind::Rtf:
        return refuse(Lines({file, u"is an RTF file."}));
    case FileKind::Unicode:
        return refuse(Lines({file, u"is a Unicode file but not UTF-8 encoded."}));
    case FileKind::NotText: {
        ustring text = Lines({path, u"is not an ANSI or UTF-8 encoded text file."});
        if (check.percent > 0.0) text += u"\r\nIt appears to be a binary file.";
        if (check.percent < kAdvicePercent && size >= 1 && size < kAdviceMaxSize)
            text += u"\r\n\r\nYou could try reading it using its associated application, then "
                    u"copying the text and pasting it into the textbox (then copy it to the "
                    u"clipboard and select 'Clipboard' as the source).";
        host.message(text, u"Not a text file", MsgIcon::Information);
        return result;
    }
    case FileKind::Text:
    case FileKind::TextLf:
        result.ok = true;
        return result;
    case FileKind::TextCr:
        result.ok = true;
        if (!quiet && !run.session.MacNoticeShown) {
            run.session.MacNoticeShown = true;
            host.message(Lines({file, u"has Macintosh-type line endings (CR).", u"",
                                u"You might wish to use a program such as Notepad++",
                                u"to convert the line endings to Windows-type (CR+LF)."}),
                         u"This is a Mac-style text file", MsgIcon::Information);
        }
        return result;
    }
    return result;
}

} // namespace

VetResult VetTextFile(RunState& run, ustring_view path, bool quiet) {
    run.host.setOutputText(u"");
    const int64_t size = FileExists(path) ? FileLength(path) : 0;
    return Vet(run, path, IsTextFile(path, kVetScanBytes, 0.0, true), size, quiet);
}

VetResult VetTextStream(RunState& run, ustring_view name, std::string_view head, bool complete,
                        bool quiet) {
    run.host.setOutputText(u"");
    const int64_t size = complete ? int64_t(head.size()) : INT64_MAX;
    return Vet(run, name, IsTextStream(head, complete), size, quiet);
}

} // namespace qd
