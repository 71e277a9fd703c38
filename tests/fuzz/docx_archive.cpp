// Unpacking the document part of a docx archive: the bytes as a file in a fresh folder of its
// own, unpacked into that folder, which goes with everything in it.
#include "sources/DocxArchive.h"
#include "support/TempDir.h"
#include "text/Folders.h"

#include <cstdint>
#include <cstdlib>

using namespace qd;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const test::TempDir root;
    const auto file =
        root.write("input.docx", std::string_view(reinterpret_cast<const char*>(data), size));
    const ustring path = FromPath(file);
    IsDocxFile(path);
    IsEncryptedDocument(path);
    const ustring folder = FromPath(root.path() / "unpacked") + u"/";
    std::filesystem::create_directory(root.path() / "unpacked");
    const UnzipOutcome outcome = UnzipDocumentXml(path, folder, u"word/document.xml", 1 << 20);
    if (outcome.size > (1 << 20)) std::abort();
    return 0;
}
