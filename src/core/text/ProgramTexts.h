#pragma once
// The numbered program texts: captions, prompts, titles and the introduction that are not
// written into the program but kept per language in the program-text file "dvn.dat".
//
// File format (UTF-8, an optional byte-order mark is skipped; lines end in LF or CR LF):
//   # comment            lines starting with '#' and blank lines are skipped
//   [en]                 starts the texts of a language; the first section is language 0
//   73=Count words       text 73 (numbers 0 to 32767): everything after '=' to the line end
//   +second line         continues the text above on a new line (joined with CR LF); it must
//                        follow the text line or another continuation line directly
//   50=~                 a text that is "~" alone stands for the empty string
// A text holds at most MaxTextLength characters.

#include "text/UString.h"

#include <cstdint>
#include <filesystem>
#include <unordered_map>
#include <vector>

namespace qd {

class Host;

class ProgramTexts {
public:
    static constexpr int MaxTextLength = 1023;
    static constexpr int MaxTextNumber = 32767;
    static constexpr std::uintmax_t MaxFileSize = 1024 * 1024;

    // Load results other than a positive count of texts:
    static constexpr int NoTextRead = 0;           // no numbered text in the file
    static constexpr int CannotOpen = -1;          // missing, unreadable or a folder
    static constexpr int TooMuchText = -3;         // file larger than MaxFileSize
    static constexpr int TextNotRecovered = -4;    // not UTF-8, or a flaw past line 500
    static constexpr int FileEmpty = -6;           // no bytes (or a byte-order mark only)
    static constexpr int ReadError = -7;           // the read itself failed
    static constexpr int GeneralMemoryError = -8;  // memory ran out while loading
    static constexpr int DuplicateBase = -1500;    // result = -1500 - line
    static constexpr int TooLongBase = -1000;      // result = -1000 - line, lines 1..500
    static constexpr int MissingStringBase = -500; // result = -500 - line, lines 1..500

    // Reads the file and replaces the texts held. Returns the number of texts loaded (> 0),
    // or one of the codes above; after a failure no texts are held. A line that is not a
    // comment, section, numbered text or continuation where one may stand is reported as a
    // missing string at that line.
    int Load(const std::filesystem::path& file);

    // The message for a load result, empty for success. For CannotOpen the path follows on
    // a second line.
    static ustring LoadResultMessage(int result, ustring_view path);

    // Text n of the program's language (language 0); empty when there is no such text.
    ustring GetText(int n) const { return GetText(n, 0); }
    ustring GetText(int n, int language) const;

    int languageCount() const { return int(languages_.size()); }

    // The main window's introduction: texts IntroFirstText to IntroLastText that exist,
    // separated by an empty line.
    static constexpr int IntroFirstText = 1;
    static constexpr int IntroLastText = 9;
    ustring IntroText() const;

private:
    struct Language {
        ustring code;
        std::unordered_map<int, ustring> texts;
    };
    std::vector<Language> languages_;
};

// The program-text file: "dvn.dat" in the program folder.
ustring ProgramTextFilePath(const std::filesystem::path& programFolder);

// The start-up load (front ends call it with the run state's program folder, texts and
// programTextPath): sets programTextFile, loads the texts and, when that fails, shows the
// load message (critical icon, empty title). Returns the load result; the caller ends the
// program when it is not positive.
int LoadProgramTexts(Host& host, const std::filesystem::path& programFolder, ProgramTexts& texts,
                     ustring& programTextFile);

} // namespace qd
