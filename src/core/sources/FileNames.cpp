#include "sources/FileNames.h"

#include <array>
#include <filesystem>

namespace qd {

namespace {

char16_t LowerLatin1(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
    return c;
}

} // namespace

ustring FileExtension(ustring_view path, bool lower) {
    const size_t slash = path.find_last_of(char16_t(std::filesystem::path::preferred_separator));
    const ustring_view name = slash == ustring_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind(u'.');
    if (dot == ustring_view::npos) return {};
    ustring ext(name.substr(dot + 1));
    if (lower)
        for (char16_t& c : ext)
            c = LowerLatin1(c);
    return ext;
}

bool HasTextExtension(ustring_view path) {
    static constexpr std::array<ustring_view, 11> kTextExtensions = {
        u"prn",  u"csv", u"xhtml", u"xhtm", u"shtml", u"shtm",
        u"html", u"htm", u"xml",   u"log",  u"txt"};
    const ustring ext = FileExtension(path, true);
    for (ustring_view known : kTextExtensions)
        if (ext == known) return true;
    return false;
}

bool IsCountableFile(ustring_view path) {
    static constexpr std::array<ustring_view, 44> kCountableExtensions = {
        u"docx", u"txt",  u"text", u"md",   u"markdown", u"rst",  u"tex",   u"csv",  u"tsv",
        u"prn",  u"log",  u"htm",  u"html", u"xhtml",    u"xhtm", u"shtml", u"shtm", u"xml",
        u"php",  u"c",    u"h",    u"cc",   u"cpp",      u"cxx",  u"hpp",   u"hh",   u"hxx",
        u"java", u"js",   u"ts",   u"py",   u"pl",       u"pm",   u"rb",    u"sh",   u"css",
        u"json", u"yaml", u"yml",  u"ini",  u"cfg",      u"conf", u"sql",   u"el"};
    const ustring ext = FileExtension(path, true);
    for (ustring_view known : kCountableExtensions)
        if (ext == known) return true;
    return false;
}

} // namespace qd
