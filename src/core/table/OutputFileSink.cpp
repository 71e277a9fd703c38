#include "table/OutputFileSink.h"

#include "text/Folders.h"

#include <cerrno>

namespace qd {

namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// The comma-separated fields of line, each without the spaces at its ends, joined by ",".
// (No word holds a comma, a space or a double quote.)
void AppendUnpaddedFields(ustring_view line, ustring& out) {
    for (size_t start = 0;;) {
        const size_t comma = line.find(u',', start);
        out += TrimSpaces(line.substr(start, comma == ustring_view::npos ? comma : comma - start));
        if (comma == ustring_view::npos) return;
        out += u',';
        start = comma + 1;
    }
}

} // namespace

ErrorInfo FileWriterError(const FileWriter& file) {
    if (file.notAFile()) return {75, u"Path/File access error: " + FromUtf8(file.errorText())};
    // Creating a file fails this way when its folder is missing: name the folder.
    if (file.error() == ENOENT) {
        const std::filesystem::path folder = file.destination().parent_path();
        if (!folder.empty() && !IsDirectory(FromPath(folder)))
            return {76, u"Path not found: there is no folder " + FromPath(folder)};
        return {76, u"Path not found"};
    }
    return FileErrorInfo(file.error());
}

bool OutputFileSink::open(ustring_view path) {
    if (file_.open(ToPath(path))) return true;
    fail();
    return false;
}

bool OutputFileSink::writeHead() {
    const bool utf8 = encoding_ == FileEncoding::Utf8;
    if (utf8) {
        bytes_ = kUtf8Bom;
        writeBytes();
    }
    const ustring closingQuote = utf8 ? u"\"" : u"";
    writeLine(u"\"To open this file in Excel state that it is delimited by " +
                  ustring(commas_ ? u"commas." : u"spaces.") + closingQuote,
              true);
    writeLine(u"\"Set File Origin: " + ustring(utf8 ? u"UTF-8" : u"Windows (ANSI)") +
                  u" & Text qualifier: double-quote." + closingQuote,
              true);
    writeLine(u"", true);
    return !failed_;
}

bool OutputFileSink::close() {
    if (failed_) {
        file_.abandon();
        return false;
    }
    if (file_.commit()) return true;
    fail();
    return false;
}

void OutputFileSink::header(ustring_view line) {
    listLine(line, true);
}

void OutputFileSink::entry(ustring_view line, int32_t) {
    if (encoding_ == FileEncoding::Windows1252) noteUnencodable(line);
    if (format_ != ListFormat::WordsWithCommas) {
        listLine(line, true);
        return;
    }
    if (anyWord_) writeLine(unpadded() ? u"," : u", ", false);
    anyWord_ = true;
    listLine(line, false);
}

void OutputFileSink::noteUnencodable(ustring_view line) {
    size_t at = 0;
    while (at < line.size() && UnicodeToCp1252(line[at]) >= 0)
        ++at;
    if (at == line.size()) return;
    if (unencodable_.count++ > 0) return;
    // The word is the field around that character: no word holds a space or a comma, and
    // the rank and frequency fields hold digits only.
    constexpr char16_t kFieldEnds[] = u" ,";
    const size_t before = line.find_last_of(kFieldEnds, at);
    const size_t from = before == ustring_view::npos ? 0 : before + 1;
    unencodable_.first.assign(line.substr(from, line.find_first_of(kFieldEnds, at) - from));
}

void OutputFileSink::listLine(ustring_view line, bool lineEnd) {
    if (unpadded()) {
        fields_.clear();
        AppendUnpaddedFields(line, fields_);
        line = fields_;
    }
    writeLine(line, lineEnd);
}

void OutputFileSink::writeLine(ustring_view line, bool lineEnd) {
    if (failed_) return;
    bytes_.clear();
    if (encoding_ == FileEncoding::Utf8) {
        AppendUtf8(line, bytes_);
    } else {
        for (char16_t c : line) {
            const int b = UnicodeToCp1252(c);
            bytes_.push_back(b < 0 ? '?' : char(b));
        }
    }
    if (lineEnd) bytes_ += "\r\n";
    writeBytes();
}

void OutputFileSink::writeBytes() {
    if (!failed_ && !file_.write(bytes_)) fail();
}

void OutputFileSink::fail() {
    failed_ = true;
    error_ = FileWriterError(file_);
}

} // namespace qd
