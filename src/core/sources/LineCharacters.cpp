#include "sources/LineCharacters.h"

#include "scan/CaseFolding.h"

#include <array>

namespace qd {

namespace {

using ByteTable = std::array<char16_t, 256>;

ByteTable MakeTable(bool lowerCase) {
    ByteTable table{};
    for (int b = 0; b < 256; ++b) {
        const char16_t c = Cp1252ToUnicode(static_cast<unsigned char>(b));
        table[size_t(b)] = lowerCase ? LowerCaseAccented(ustring_view(&c, 1))[0] : c;
    }
    return table;
}

} // namespace

void WidenCp1252(std::string_view bytes, bool lowerCase, ustring& out) {
    static const ByteTable plain = MakeTable(false);
    static const ByteTable lowered = MakeTable(true);
    const ByteTable& table = lowerCase ? lowered : plain;
    out.resize(bytes.size());
    char16_t* dst = out.data();
    for (unsigned char b : bytes)
        *dst++ = table[b];
}

} // namespace qd
