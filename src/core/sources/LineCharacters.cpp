#include "sources/LineCharacters.h"

#include "scan/CaseFolding.h"

#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
    char16_t* dst = out.data();
    const size_t n = bytes.size();
    size_t i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time while they are ASCII, where lowering only moves A-Z.
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        if (_mm_movemask_epi8(v) != 0) {
            for (size_t k = i; k < i + 16; ++k)
                dst[k] = table[src[k]];
            continue;
        }
        if (lowerCase) {
            const __m128i upper = _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8('A' - 1)),
                                                _mm_cmplt_epi8(v, _mm_set1_epi8('Z' + 1)));
            v = _mm_add_epi8(v, _mm_and_si128(upper, _mm_set1_epi8(32)));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_unpacklo_epi8(v, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i + 8), _mm_unpackhi_epi8(v, zero));
    }
#endif
    for (; i < n; ++i)
        dst[i] = table[src[i]];
}

} // namespace qd
