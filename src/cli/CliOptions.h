#pragma once
// The command line of quorvel-count.

#include "scan/Settings.h"

#include <optional>
#include <string>
#include <vector>

namespace qd::cli {

enum class EncodingChoice { Detected, Utf8, Ansi };

struct CliOptions {
    std::vector<std::string> inputs; // files and folders, "-" for standard input; at least one
    std::string settingsFile;
    std::vector<std::string> assignments; // --set NAME=VALUE, in order
    std::string outputFile;
    std::optional<FileEncoding> outputEncoding; // --output-encoding; else as the settings say
    EncodingChoice encoding = EncodingChoice::Detected;
    std::string language; // en, de, es, pt, it, fr, all; empty for none
    bool counts = false;
    bool why = false;             // the tally of the words left out, per rule, to standard error
    std::string ignoredFile;      // where the words left out go, each with its count and rule
    bool filesColumn = false;     // ShowFilesColumn
    bool oneThread = false;       // read and decode the text on the counting thread too
    bool scanBadChecksum = false; // a docx document with an invalid checksum is scanned
    bool help = false;
};

struct ParsedOptions {
    CliOptions options;
    std::string error; // a usage error, empty when the command line is sound
};

ParsedOptions ParseCliOptions(const std::vector<std::string>& args);

// The common-words file that --language names, or empty for an unknown code.
std::string CommonWordsFileForLanguage(const std::string& code);

const char* HelpText();

} // namespace qd::cli
