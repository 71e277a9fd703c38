#include "CliOptions.h"

#include <algorithm>

namespace qd::cli {

namespace {

struct LanguageFile {
    const char* code;
    const char* file;
};

constexpr LanguageFile kLanguageFiles[] = {
    {"en", "cwds_en.txt"},
    {"de", "cwds_de.txt"},
    {"es", "cwds_es.txt"},
    {"pt", "cwds_pt.txt"},
    {"it", "cwds_it.txt"},
    {"fr", "cwds_fr.txt"},
    {"all", "cwds_en_de_es_pt_it_fr.txt"},
};

// The encoding --output-encoding names (letters in any case).
std::optional<FileEncoding> OutputEncodingNamed(std::string name) {
    for (char& c : name)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (name == "windows-1252") return FileEncoding::Windows1252;
    if (name == "utf-8") return FileEncoding::Utf8;
    return std::nullopt;
}

} // namespace

std::string CommonWordsFileForLanguage(const std::string& code) {
    for (const auto& entry : kLanguageFiles)
        if (code == entry.code) return entry.file;
    return {};
}

ParsedOptions ParseCliOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    CliOptions& o = parsed.options;
    bool utf8 = false, ansi = false, optionsEnded = false;
    std::vector<std::string> inputs;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            inputs.push_back(arg);
            continue;
        }
        std::string name = arg, value;
        bool hasValue = false;
        if (const size_t eq = arg.find('='); arg.starts_with("--") && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            hasValue = true;
        }
        auto takeValue = [&]() -> bool {
            if (hasValue) return true;
            if (i + 1 >= args.size()) {
                parsed.error = name + " needs a value";
                return false;
            }
            value = args[++i];
            return true;
        };
        if (name == "--") {
            optionsEnded = true;
        } else if (name == "--help" || name == "-h") {
            o.help = true;
        } else if (name == "--counts" && !hasValue) {
            o.counts = true;
        } else if (name == "--why" && !hasValue) {
            o.why = true;
        } else if (name == "--ignored") {
            if (!takeValue()) return parsed;
            if (value.empty()) {
                parsed.error = "--ignored needs a file name";
                return parsed;
            }
            o.ignoredFile = value;
        } else if (name == "--files-column" && !hasValue) {
            o.filesColumn = true;
        } else if (name == "--one-thread" && !hasValue) {
            o.oneThread = true;
        } else if (name == "--scan-bad-checksum" && !hasValue) {
            o.scanBadChecksum = true;
        } else if (name == "--utf8" && !hasValue) {
            utf8 = true;
        } else if (name == "--ansi" && !hasValue) {
            ansi = true;
        } else if (name == "--settings") {
            if (!takeValue()) return parsed;
            o.settingsFile = value;
        } else if (name == "--set") {
            if (!takeValue()) return parsed;
            if (value.find('=') == std::string::npos) {
                parsed.error = "--set needs NAME=VALUE, not \"" + value + "\"";
                return parsed;
            }
            o.assignments.push_back(value);
        } else if (name == "--output") {
            if (!takeValue()) return parsed;
            if (value.empty()) {
                parsed.error = "--output needs a file name";
                return parsed;
            }
            o.outputFile = value;
        } else if (name == "--output-encoding") {
            if (!takeValue()) return parsed;
            o.outputEncoding = OutputEncodingNamed(value);
            if (!o.outputEncoding) {
                parsed.error =
                    "--output-encoding takes utf-8 or windows-1252, not \"" + value + "\"";
                return parsed;
            }
        } else if (name == "--language") {
            if (!takeValue()) return parsed;
            if (CommonWordsFileForLanguage(value).empty()) {
                parsed.error = "unknown language \"" + value + "\" (en, de, es, pt, it, fr, all)";
                return parsed;
            }
            o.language = value;
        } else {
            parsed.error = "unknown option " + arg;
            return parsed;
        }
    }
    if (o.help) return parsed;
    if (utf8 && ansi) {
        parsed.error = "--utf8 and --ansi exclude each other";
        return parsed;
    }
    o.encoding = utf8   ? EncodingChoice::Utf8
                 : ansi ? EncodingChoice::Ansi
                        : EncodingChoice::Detected;
    if (inputs.empty()) {
        parsed.error = "no input file";
        return parsed;
    }
    if (inputs.size() > 1 && std::find(inputs.begin(), inputs.end(), "-") != inputs.end()) {
        parsed.error = "standard input (-) is counted alone, not with other inputs";
        return parsed;
    }
    o.inputs = std::move(inputs);
    return parsed;
}

const char* HelpText() {
    return R"(Usage: quorvel-count [options] INPUT...

Counts the words of INPUT, a text file (ANSI or UTF-8) or a Word docx document, and
lists them as the Quorvel Dorvane window would. INPUT "-" reads standard input as a
UTF-8 text file. Several inputs, or a folder, are counted together into one list: a
folder gives every file under it whose extension the program reads (docx, txt, md,
csv, html, xml, php, c, cpp, java, py and the like), in the order of their paths;
each file is read in its own encoding (all as UTF-8 with --utf8) with the comment
markers of its extension. Files of a folder that are not text are skipped and told
in one line; files and folders that cannot be read are named, and fail the run.

Options:
  --settings FILE    apply a settings file (.dvn); without it the settings are the
                     defaults of a fresh start (the user's saved state is never read);
                     the input and output paths the file remembers are not used
  --set NAME=VALUE   set one field of the settings by its name, after --settings;
                     flags are 0 or 1, list fields the index of their entry, strings
                     as given; may be repeated, e.g.
                       --set AllowWordsWithApostrophes=1 --set WordOrder=1
                       --set DisplayFormat=7
  --output FILE      also write the output file, exactly as the window does (two head
                     lines, CR LF line ends, Windows-1252 by default)
  --output-encoding windows-1252|utf-8
                     the output file's encoding, whatever the settings say; utf-8
                     keeps every letter and is written for a clean spreadsheet
                     import (a byte-order mark, closed quotes in the head lines, no
                     padding around commas)
  --utf8, --ansi     read the input as UTF-8 or as ANSI (Windows-1252), whatever the
                     file seems to be; by default the detected encoding is used (and
                     standard input is read as UTF-8)
  --language CODE    ignore the shipped common words of a language: en, de, es, pt,
                     it, fr, or all (the six together)
  --scan-bad-checksum
                     scan a docx document whose checksum is invalid (its text may
                     be damaged); by default such a document is refused
  --counts           also write the four count lines to standard error
  --why              also write to standard error how many words were ignored after
                     the count (the number of words ignored) and how many were left
                     out while counting (not in that number), each with a line per
                     rule: "  too short: 12 words, 30 instances"
  --ignored FILE     also write every word left out to FILE, alphabetically, one
                     "word<TAB>frequency<TAB>rule" line each (UTF-8, LF line ends)
  --files-column     with several files, a column "Files" after the frequency: in
                     how many files each word occurs (the setting ShowFilesColumn)
  --one-thread       read and decode the text on the thread that counts, as small
                     files are; by default UTF-8 text from a large file or standard
                     input is read ahead on a second thread (the listing is the
                     same either way)
  --help             show this text

Standard output receives the listing as the window's output box holds it (without
the box's size limit), with LF line ends. Standard error receives every message the
window would show, as "Title: text" (the encoding question only when the command
line leaves it open). A control character in what is printed (from a file name or
a settings file, say) is written as \xHH, the escape character as \x1B. Questions
get the answer a batch run wants: the detected encoding (or the one chosen above),
go on with a large input, overwrite an existing output file, refuse a docx document
with a bad checksum (unless --scan-bad-checksum).

Exit status: 0 when the words were listed, 1 when an input was refused or could not
be read (the others are still counted), the common words to ignore could not be read
(nothing is counted) or a file could not be written, 2 for a usage error.
)";
}

} // namespace qd::cli
