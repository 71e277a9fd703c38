#include "support/DocxWriter.h"

#include <cstdint>
#include <stdexcept>

#ifdef QD_HAVE_LIBZIP
#include <zip.h>
#endif

namespace qd::test {

#ifdef QD_HAVE_LIBZIP

void WriteZip(const std::filesystem::path& file, const std::vector<ZipEntry>& entries,
              bool stored) {
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) throw std::runtime_error("zip_open failed");
    for (const ZipEntry& entry : entries) {
        // The entries' bytes live until zip_close, which reads them.
        zip_source_t* source =
            zip_source_buffer(archive, entry.bytes.data(), entry.bytes.size(), 0);
        const zip_int64_t index =
            source ? zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (source) zip_source_free(source);
            zip_discard(archive);
            throw std::runtime_error("zip_file_add failed");
        }
        zip_set_file_compression(archive, zip_uint64_t(index),
                                 stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        throw std::runtime_error("zip_close failed");
    }
}

#else

void WriteZip(const std::filesystem::path&, const std::vector<ZipEntry>&, bool) {
    throw std::runtime_error("built without libzip");
}

#endif

std::string DocumentXml(std::string_view bodyXml) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
           "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/"
           "main\"><w:body>" +
           std::string(bodyXml) + "</w:body></w:document>";
}

void WriteDocx(const std::filesystem::path& file, std::string_view documentXml, bool stored) {
    WriteZip(file,
             {{"[Content_Types].xml",
               "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/"
               "2006/content-types\"/>"},
              {"word/document.xml", std::string(documentXml)}},
             stored);
}

namespace {

uint32_t Le32(const std::string& s, size_t at) {
    return uint32_t(uint8_t(s[at])) | uint32_t(uint8_t(s[at + 1])) << 8 |
           uint32_t(uint8_t(s[at + 2])) << 16 | uint32_t(uint8_t(s[at + 3])) << 24;
}
uint16_t Le16(const std::string& s, size_t at) {
    return uint16_t(uint8_t(s[at]) | uint8_t(s[at + 1]) << 8);
}

} // namespace

size_t CentralHeaderOffset(const std::string& zip, std::string_view name) {
    const std::string signature("PK\x01\x02", 4);
    for (size_t at = zip.find(signature); at != std::string::npos;
         at = zip.find(signature, at + 1)) {
        if (at + 46 > zip.size()) break;
        const size_t nameLength = Le16(zip, at + 28);
        if (zip.compare(at + 46, nameLength, name) == 0 && nameLength == name.size()) return at;
    }
    return std::string::npos;
}

size_t EntryDataOffset(const std::string& zip, std::string_view name) {
    const size_t central = CentralHeaderOffset(zip, name);
    if (central == std::string::npos) return central;
    const size_t local = Le32(zip, central + 42);
    return local + 30 + Le16(zip, local + 26) + Le16(zip, local + 28);
}

} // namespace qd::test
