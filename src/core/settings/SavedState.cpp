#include "settings/SavedState.h"

#include "settings/SettingsFields.h"
#include "text/Folders.h"
#include "text/ReplaceFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace qd {

const std::array<std::string_view, StateFileLineCount> StateFileLines = {
    "InputFile",
    "OutputFile",
    "WordsToIgnore",
    "StartComment0",
    "EndComment0",
    "StartComment1",
    "EndComment1",
    "ShortWordSize",
    "LongWordSize",
    "ThresholdFrequency",
    "IgnoreShortWords",
    "IgnoreInfrequentWords",
    "IgnoreCommonWords",
    "IgnoreRepetitions",
    "IgnoreRomNum40",
    "IgnoreNoLetter",
    "CaseSignificant",
    "DropFinalS",
    "AllowWordsWithHyphens",
    "AllowWordsWithApostrophes",
    "AllowWordsWithUnderscores",
    "AllowWordsWithColons",
    "AllowWordsWithBackslashes",
    "AllowWordsWithForwardslashes",
    "AllowWordsWithPeriods",
    "AllowWordsWithAtSigns",
    "AllowWordsWithNumerals",
    "OutputWithCommas",
    "OutputEncoding",
    "AllowCommentMarkers",
    "WarnOnOverwrite",
    "SaveStateOnQuit",
    "SuppressWords",
    "DisableOutputToFile",
    "WordOrder",
    "DisplayFormat",
    "CommonWordsFile",
    "Only7bitASCII",
};

namespace {

constexpr char16_t kSaveError[] = u"Error when attempting to save settings: ";
constexpr char16_t kRestoreError[] = u"Error when attempting to restore settings: ";
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";
// Far more than 38 lines of paths and words to ignore ever need.
constexpr size_t kMaxSettingsFileSize = 16 * 1024 * 1024;

// Line 29 was written as 0 and never read before it held the output encoding, so older
// files may hold anything there: only 1 chooses UTF-8, any other text Windows-1252.
constexpr std::string_view kFormerlyReservedLine = "OutputEncoding";

const SettingField* FieldOfLine(std::string_view name) {
    return FindSettingField(FromUtf8(name));
}

bool FitsCp1252(ustring_view text) {
    for (char16_t c : text)
        if (UnicodeToCp1252(c) < 0) return false;
    return true;
}

ustring_view Trimmed(ustring_view s) {
    while (!s.empty() && (s.front() == u' ' || s.front() == u'\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == u' ' || s.back() == u'\t'))
        s.remove_suffix(1);
    return s;
}

// A number's text without the quotes it may be written in.
ustring_view NumberText(ustring_view line) {
    ustring_view s = Trimmed(line);
    if (s.size() >= 2 && s.front() == u'"' && s.back() == u'"')
        s = Trimmed(s.substr(1, s.size() - 2));
    return s;
}

// The leading number of the text, as a flag's text is converted: spaces skipped, then an
// optional sign, digits and a decimal fraction; no number at all gives 0. Rounded to the
// nearest integer, halves to even. (No strtod: the decimal point must not follow the locale.)
long long LeadingNumber(ustring_view s) {
    size_t i = 0;
    while (i < s.size() && (s[i] == u' ' || s[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) negative = s[i++] == u'-';
    auto isDigit = [&](size_t k) { return k < s.size() && s[k] >= u'0' && s[k] <= u'9'; };
    constexpr long long kCap = 1'000'000'000;
    long long whole = 0;
    for (; isDigit(i); ++i)
        whole = std::min(kCap, whole * 10 + (s[i] - u'0'));
    if (i < s.size() && s[i] == u'.' && isDigit(i + 1)) {
        const int first = s[++i] - u'0';
        bool restNonZero = false;
        for (++i; isDigit(i); ++i)
            restNonZero = restNonZero || s[i] != u'0';
        if (first > 5 || (first == 5 && (restNonZero || whole % 2 == 1))) ++whole;
    }
    return negative ? -whole : whole;
}

// A list index written as an optionally signed integer, or nothing.
std::optional<long> ParseListIndex(ustring_view s) {
    size_t i = 0;
    bool negative = false;
    if (!s.empty() && (s[0] == u'-' || s[0] == u'+')) negative = s[i++] == u'-';
    if (i == s.size() || s.size() - i > 9) return std::nullopt;
    long n = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < u'0' || s[i] > u'9') return std::nullopt;
        n = n * 10 + (s[i] - u'0');
    }
    return negative ? -n : n;
}

std::vector<ustring_view> SplitLines(ustring_view text) {
    std::vector<ustring_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// Reads the whole file; returns the system's description of a failure, or empty. The file is
// opened without waiting, so that a named pipe with no writer cannot hang the program, and
// anything but a regular file is refused.
std::string ReadSettingsFile(const fs::path& file, std::string& bytes) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return SystemErrorText(errno);
    struct stat info {};
    std::string error;
    if (::fstat(fd, &info) != 0) {
        error = SystemErrorText(errno);
    } else if (!S_ISREG(info.st_mode)) {
        error = std::string("it is ") + SpecialFileKind(info.st_mode) + ", not a file";
    } else if (info.st_size > off_t(kMaxSettingsFileSize)) {
        error = "File too large for a settings file";
    }
    char buffer[16384];
    while (error.empty()) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) error = SystemErrorText(errno);
        if (n <= 0) break;
        bytes.append(buffer, size_t(n));
        if (bytes.size() > kMaxSettingsFileSize) error = "File too large for a settings file";
    }
    ::close(fd);
    return error;
}

ustring AtLine(const char* what, int line, std::string_view field, ustring_view value) {
    return U(what) + u" (line " + FromInt(line) + u", " + FromUtf8(field) + u": " + ustring(value) +
           u")";
}

constexpr std::string_view kCommonWordsFileLine = "CommonWordsFile";

// The folder as a path compares: normal form, no separator at its end.
fs::path FolderForComparing(const fs::path& folder) {
    fs::path normal = folder.lexically_normal();
    if (!normal.has_filename() && normal != normal.root_path()) normal = normal.parent_path();
    return normal;
}

// Line 37 as written: the file name alone for a file in the data folder.
ustring StoredCommonWordsFile(const ustring& path, const fs::path& dataFolder) {
    if (dataFolder.empty() || path.empty()) return path;
    const fs::path file = ToPath(path);
    if (!file.has_parent_path() ||
        FolderForComparing(file.parent_path()) != FolderForComparing(dataFolder))
        return path;
    return FromPath(file.filename());
}

// Line 37 as read: a file name alone is a file in the data folder. A backslash tells of a
// folder in another system's notation, which is kept as it is.
ustring RestoredCommonWordsFile(ustring_view value, const fs::path& dataFolder) {
    if (dataFolder.empty() || value.empty() || ToPath(value).has_parent_path() ||
        value.find(u'\\') != ustring_view::npos)
        return ustring(value);
    return FromPath(dataFolder / ToPath(value));
}

} // namespace

ustring StateFilePath(ustring_view appDataFolder, ustring_view programFolderName) {
    if (appDataFolder.empty()) return {};
    const fs::path folder =
        ToPath(appDataFolder) /
        ToPath(programFolderName.empty() ? u"Quorvel Dorvane" : programFolderName);
    return FromPath(folder / ToPath(StateFileName));
}

ustring SettingsFileBytes(const Settings& settings, std::string& bytes,
                          const fs::path& dataFolder) {
    ustring text;
    for (std::string_view name : StateFileLines) {
        const SettingField* f = FieldOfLine(name);
        if (f->kind == FieldKind::Flag) {
            text += f->flagOf(settings) ? u"1" : u"0";
        } else if (f->kind == FieldKind::ListIndex) {
            text += FromInt(f->indexOf(settings));
        } else {
            const ustring value = name == kCommonWordsFileLine
                                      ? StoredCommonWordsFile(f->textOf(settings), dataFolder)
                                      : f->textOf(settings);
            // A line break would shift every later value to the wrong line.
            if (value.find_first_of(u"\r\n") != ustring::npos)
                return kSaveError + U("the value of ") + FromUtf8(name) + u" holds a line break";
            text += u"\"" + value + u"\"";
        }
        text += u"\r\n";
    }
    bytes = FitsCp1252(text) ? ToCp1252(text) : std::string(kUtf8Bom) + ToUtf8(text);
    return {};
}

ustring SaveState(const Settings& settings, ustring_view filePath, const fs::path& dataFolder) {
    std::string bytes;
    if (ustring error = SettingsFileBytes(settings, bytes, dataFolder); !error.empty())
        return error;
    const std::string error = ReplaceFileContents(ToPath(filePath), bytes);
    return error.empty() ? ustring() : kSaveError + FromUtf8(error);
}

ustring SaveStateFile(const Settings& settings, ustring_view stateFilePath,
                      const fs::path& dataFolder) {
    if (stateFilePath.empty()) return kSaveError + U("there is no folder to keep them in");
    std::string bytes;
    if (ustring error = SettingsFileBytes(settings, bytes, dataFolder); !error.empty())
        return error;
    const fs::path file = ToPath(stateFilePath);
    const fs::path folder = file.parent_path();
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        // The write below would only say that the folder is missing, not why.
        fs::create_directories(folder, ec);
        if (ec)
            return kSaveError + U("cannot create the folder ") + FromPath(folder) + u": " +
                   FromUtf8(ec.message());
    }
    const std::string error = ReplaceFileContents(file, bytes);
    return error.empty() ? ustring() : kSaveError + FromPath(file) + u": " + FromUtf8(error);
}

ustring RestoreSavedState(Settings& settings, ustring_view filePath, const fs::path& dataFolder) {
    std::string bytes;
    if (std::string error = ReadSettingsFile(ToPath(filePath), bytes); !error.empty())
        return kRestoreError + FromUtf8(error);
    return SettingsFromBytes(settings, bytes, dataFolder);
}

ustring SettingsFromBytes(Settings& settings, std::string_view bytes, const fs::path& dataFolder) {
    const ustring text = std::string_view(bytes).starts_with(kUtf8Bom)
                             ? FromUtf8(std::string_view(bytes).substr(3))
                             : FromCp1252(bytes);
    const std::vector<ustring_view> lines = SplitLines(text);

    Settings read = settings;
    bool noEntryChosen = false;
    for (int i = 0; i < StateFileLineCount; ++i) {
        const int lineNumber = i + 1;
        if (size_t(i) >= lines.size())
            return kRestoreError + U("Input past end of file (the file has ") +
                   FromInt(long(lines.size())) + u" lines, " + FromInt(StateFileLineCount) +
                   u" are needed)";
        const std::string_view name = StateFileLines[size_t(i)];
        const SettingField* f = FieldOfLine(name);
        const ustring_view line = lines[size_t(i)];
        if (name == kFormerlyReservedLine) {
            f->setIndexOf(read, LeadingNumber(NumberText(line)) == 1 ? 1 : 0);
        } else if (f->kind == FieldKind::Flag) {
            const long long value = LeadingNumber(NumberText(line));
            if (value != 0 && value != 1)
                return kRestoreError + AtLine("Invalid property value", lineNumber, name, line);
            f->flagOf(read) = value == 1;
        } else if (f->kind == FieldKind::ListIndex) {
            const std::optional<long> index = ParseListIndex(NumberText(line));
            if (!index) return kRestoreError + AtLine("Type mismatch", lineNumber, name, line);
            if (*index == -1)
                noEntryChosen = true;
            else if (*index < 0 || *index >= f->entries)
                return kRestoreError + AtLine("Invalid property value", lineNumber, name, line);
            f->setIndexOf(read, int(*index));
        } else {
            ustring_view value = Trimmed(line);
            if (!value.empty() && value.front() == u'"') {
                if (value.size() < 2 || value.back() != u'"')
                    return kRestoreError + U("Bad file format (line ") + FromInt(lineNumber) +
                           u", " + FromUtf8(name) + u": no closing quote)";
                value = value.substr(1, value.size() - 2);
            }
            f->textOf(read) = name == kCommonWordsFileLine
                                  ? RestoredCommonWordsFile(value, dataFolder)
                                  : ustring(value);
        }
    }
    if (noEntryChosen) return u"Invalid combo box index";
    settings = std::move(read);
    return {};
}

} // namespace qd
