#pragma once
// Zip archives and docx documents written in code, for tests and benchmarks.

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qd::test {

struct ZipEntry {
    std::string name;
    std::string bytes;
};

// Writes an archive holding the entries in order, deflated unless stored is true.
// Throws std::runtime_error when the zip library fails.
void WriteZip(const std::filesystem::path& file, const std::vector<ZipEntry>& entries,
              bool stored = false);

// The document part of a Word document whose body is bodyXml.
std::string DocumentXml(std::string_view bodyXml);

// A minimal docx document: content types, and word/document.xml holding documentXml.
void WriteDocx(const std::filesystem::path& file, std::string_view documentXml,
               bool stored = false);

// Where the central directory records the entry name: the offset of its header in the
// archive's bytes, or std::string::npos.
size_t CentralHeaderOffset(const std::string& zip, std::string_view name);
// Offset of the entry's data (just past its local header), read from its central header.
size_t EntryDataOffset(const std::string& zip, std::string_view name);

} // namespace qd::test
