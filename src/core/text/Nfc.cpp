#include "text/Nfc.h"

#include <unicode/unorm2.h>

namespace qd {

namespace {

// Below this code no character composes, decomposes or combines.
constexpr char16_t kFirstComposing = 0x0300;

const UNormalizer2* Nfc() {
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* nfc = unorm2_getNFCInstance(&status);
    return U_SUCCESS(status) ? nfc : nullptr;
}

} // namespace

bool IsCompositionFree(ustring_view s) {
    for (char16_t c : s)
        if (c >= kFirstComposing) return false;
    return true;
}

void ToNfcInPlace(ustring& s) {
    if (IsCompositionFree(s)) return;
    const UNormalizer2* nfc = Nfc();
    if (!nfc) return;
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = int32_t(s.size());
    const int32_t yes = unorm2_spanQuickCheckYes(nfc, s.data(), length, &status);
    if (U_FAILURE(status) || yes == length) return;

    // The part past the span is normalised onto the part already in NFC, which the first
    // characters of the rest may still change.
    const int32_t restLength = length - yes;
    const ustring rest(s.data() + yes, size_t(restLength));
    ustring out;
    int32_t capacity = length + restLength * 2 + 16;
    int32_t total = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        out.assign(s.data(), size_t(yes));
        out.resize(size_t(capacity));
        status = U_ZERO_ERROR;
        total = unorm2_normalizeSecondAndAppend(nfc, out.data(), yes, capacity, rest.data(),
                                                restLength, &status);
        if (status != U_BUFFER_OVERFLOW_ERROR) break;
        capacity = total;
    }
    if (U_FAILURE(status)) return;
    out.resize(size_t(total));
    s.swap(out);
}

ustring ToNfc(ustring_view s) {
    ustring out(s);
    ToNfcInPlace(out);
    return out;
}

} // namespace qd
