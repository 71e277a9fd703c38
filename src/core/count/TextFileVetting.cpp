#include "count/TextFileVetting.h"

#include "count/RunState.h"
#include "sources/FileNames.h"
#include "sources/FirstLines.h"
#include "sources/RawFile.h"
#include "text/Folders.h"
#include "text/Host.h"

#include <array>
#include <initializer_list>
#include <string>

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

} // namespace

FileStart ClassifyFileStart(ustring_view path, bool checkCharset) {
    if (path.empty()) return FileStart::EmptyPath;
    if (!FileExists(path)) return FileStart::NotFound;

    std::array<unsigned char, kStartBytes> b{};
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

    if (b[0] == '{' && b[1] == '\\' && b[2] == 'r' && b[3] == 't' && b[4] == 'f')
        return FileStart::Rtf;
    if (b[0] == 0xFF && b[1] == 0xFE) return FileStart::Utf16Le;
    if (b[0] == 0xFE && b[1] == 0xFF) return FileStart::Utf16Be;
    if (b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) return FileStart::Utf8;
    if (b[0] == 0 && b[1] == 0 && b[2] == 0xFE && b[3] == 0xFF) return FileStart::Utf32Be;

    if (FileExtension(path, true) == u"xml") {
        if (b[0] == '<' && b[1] != 0) return FileStart::Utf8;
        if (b[0] == '<' && b[1] == 0) return FileStart::Utf16Le;
        if (b[0] == 0 && b[1] == '<') return FileStart::Utf16Be;
    }

    if (checkCharset && HasTextExtension(path)) {
        FirstLines head =
            ReadFirstLines(path, true, kCharsetLines, false, false, kCharsetSearchBytes);
        if (head.errorText.empty() && DeclaresUtf8(head.text)) return FileStart::Utf8;
    }
    return FileStart::Unknown;
}

TextFileCheck IsTextFile(ustring_view path, int32_t maxBytes, double threshold, bool checkCharset) {
    TextFileCheck check;
    const FileStart start = ClassifyFileStart(path, checkCharset);
    switch (start) {
    case FileStart::Unknown:
        break;
    case FileStart::Rtf:
        check.kind = FileKind::Rtf;
        return check;
    case FileStart::Utf8:
        check.isUtf8 = true;
        check.kind = FileKind::Text;
        return check;
    case FileStart::Utf16Le:
    case FileStart::Utf16Be:
    case FileStart::Utf32Be:
        check.kind = FileKind::Unicode;
        return check;
    default: // the refusals share their codes
        check.kind = FileKind(Code(start));
        return check;
    }

    std::string bytes;
    {
        RawFile file(path);
        if (!file.isOpen() || !file.readInto(bytes, maxBytes < 0 ? 0 : maxBytes)) {
            check.kind =
                IsPermissionDenied(file.error()) ? FileKind::PermissionDenied : FileKind::ReadError;
            return check;
        }
    }
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

VetResult VetTextFile(RunState& run, ustring_view path, bool quiet) {
    Host& host = run.host;
    host.setOutputText(u"");
    const int64_t size = FileExists(path) ? FileLength(path) : 0;

    const TextFileCheck check = IsTextFile(path, kVetScanBytes, 0.0, true);
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
        if (!quiet && !run.MacNoticeShown) {
            run.MacNoticeShown = true;
            host.message(Lines({file, u"has Macintosh-type line endings (CR).", u"",
                                u"You might wish to use a program such as Notepad++",
                                u"to convert the line endings to Windows-type (CR+LF)."}),
                         u"This is a Mac-style text file", MsgIcon::Information);
        }
        return result;
    }
    return result;
}

} // namespace qd
