#include "text/ProgramTexts.h"

#include "text/Folders.h"
#include "text/Host.h"

#include <fstream>
#include <new>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace qd {

namespace {

constexpr int kLastPlaceableLine = 500;
constexpr char16_t kCrLf[] = u"\r\n";

// The result for a flaw at a line, when the code's range can still carry the line number.
int FlawAt(int base, int line) {
    return line <= kLastPlaceableLine ? base - line : ProgramTexts::TextNotRecovered;
}

bool IsValidUtf8(std::string_view bytes) {
    return ToUtf8(FromUtf8(bytes)) == bytes;
}

// The number of "NNN" when it is 1 to 5 digits (spaces around allowed) up to the maximum,
// else -1.
int ParseTextNumber(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    if (s.empty() || s.size() > 5) return -1;
    int n = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n <= ProgramTexts::MaxTextNumber ? n : -1;
}

bool IsLanguageCode(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s) {
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                  c == '-' || c == '_';
        if (!ok) return false;
    }
    return true;
}

} // namespace

int ProgramTexts::Load(const fs::path& file) {
    languages_.clear();
    try {
        std::error_code ec;
        if (!fs::is_regular_file(file, ec)) return CannotOpen;
        std::ifstream in(file, std::ios::binary);
        if (!in) return CannotOpen;
        const auto size = fs::file_size(file, ec);
        if (ec) return ReadError;
        if (size > MaxFileSize) return TooMuchText;

        std::string bytes(size, '\0');
        in.read(bytes.data(), std::streamsize(size));
        if (in.bad() || std::uintmax_t(in.gcount()) != size) return ReadError;

        std::string_view rest(bytes);
        if (rest.starts_with("\xEF\xBB\xBF")) rest.remove_prefix(3);
        if (rest.empty()) return FileEmpty;

        std::vector<Language> parsed;
        ustring* current = nullptr; // the text that a continuation line would extend
        int count = 0;
        int lineNumber = 0;
        while (!rest.empty()) {
            const size_t end = rest.find('\n');
            std::string_view line = rest.substr(0, end);
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
            ++lineNumber;
            if (line.ends_with('\r')) line.remove_suffix(1);
            if (!IsValidUtf8(line)) return TextNotRecovered;

            if (line.starts_with('+')) {
                if (!current) return FlawAt(MissingStringBase, lineNumber);
                current->append(kCrLf);
                current->append(FromUtf8(line.substr(1)));
                if (current->size() > size_t(MaxTextLength)) return FlawAt(TooLongBase, lineNumber);
                continue;
            }
            current = nullptr;
            if (line.find_first_not_of(" \t") == std::string_view::npos || line.starts_with('#'))
                continue;

            if (line.starts_with('[')) {
                if (!line.ends_with(']') || !IsLanguageCode(line.substr(1, line.size() - 2)))
                    return FlawAt(MissingStringBase, lineNumber);
                ustring code = FromUtf8(line.substr(1, line.size() - 2));
                for (const Language& l : parsed)
                    if (l.code == code) return DuplicateBase - lineNumber;
                parsed.push_back({std::move(code), {}});
                continue;
            }

            const size_t eq = line.find('=');
            const int n = eq == std::string_view::npos ? -1 : ParseTextNumber(line.substr(0, eq));
            if (n < 0 || parsed.empty() || eq + 1 == line.size())
                return FlawAt(MissingStringBase, lineNumber);
            auto [it, inserted] = parsed.back().texts.try_emplace(n, FromUtf8(line.substr(eq + 1)));
            if (!inserted) return DuplicateBase - lineNumber;
            if (it->second.size() > size_t(MaxTextLength)) return FlawAt(TooLongBase, lineNumber);
            current = &it->second;
            ++count;
        }
        if (count == 0) return NoTextRead;
        languages_ = std::move(parsed);
        return count;
    } catch (const std::bad_alloc&) {
        languages_.clear();
        return GeneralMemoryError;
    }
}

ustring ProgramTexts::LoadResultMessage(int result, ustring_view path) {
    auto atLine = [](const char* what, int line) { return U(what) + u" " + FromInt(line) + u"."; };
    if (result > 0) return {};
    if (result < DuplicateBase)
        return atLine("Duplicate in program text at line", DuplicateBase - result);
    if (result < TooLongBase) return atLine("String too long at line", TooLongBase - result);
    if (result < MissingStringBase)
        return atLine("Missing string at line", MissingStringBase - result);
    switch (result) {
    case 0:
        return u"No program text was read.";
    case -1:
        return ustring(u"Cannot open file containing program text.") + kCrLf + ustring(path);
    case -2:
        return u"Particular memory allocation error.";
    case -3:
        return u"Too much program text.";
    case -4:
        return u"Text not recovered.";
    case -6:
        return u"File is empty.";
    case -7:
        return u"Error reading file.";
    case -8:
        return u"General memory allocation error.";
    default:
        return u"Error " + FromInt(result);
    }
}

ustring ProgramTexts::GetText(int n, int language) const {
    if (language < 0 || language >= int(languages_.size())) return {};
    const auto& texts = languages_[size_t(language)].texts;
    auto it = texts.find(n);
    if (it == texts.end() || it->second == u"~") return {};
    return it->second;
}

ustring ProgramTexts::IntroText() const {
    ustring intro;
    for (int n = IntroFirstText; n <= IntroLastText; ++n) {
        ustring paragraph = GetText(n);
        if (paragraph.empty()) continue;
        if (!intro.empty()) intro += ustring(kCrLf) + kCrLf;
        intro += paragraph;
    }
    return intro;
}

ustring ProgramTextFilePath(const fs::path& programFolder) {
    return FromPath(programFolder / "dvn.dat");
}

int LoadProgramTexts(Host& host, const fs::path& programFolder, ProgramTexts& texts,
                     ustring& programTextFile) {
    programTextFile = ProgramTextFilePath(programFolder);
    const int result = texts.Load(ToPath(programTextFile));
    if (result <= 0)
        host.message(ProgramTexts::LoadResultMessage(result, programTextFile), u"",
                     MsgIcon::Critical);
    return result;
}

} // namespace qd
