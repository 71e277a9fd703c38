#include "scan/Entities.h"

#include "scan/WordChars.h"

namespace qd {

namespace {

constexpr std::array<EntityEntry, 67> kEntities = {{
    {u"&copy;", 0xA9},    {u"&amp;", u'&'},    {u"&nbsp;", u' '},   {u"&#160;", u' '},
    {u"&#8212;", 0x2014}, {u"&AElig;", 0xC6},  {u"&Aacute;", 0xC1}, {u"&Acirc;", 0xC2},
    {u"&Agrave;", 0xC0},  {u"&Aring;", 0xC5},  {u"&Atilde;", 0xC3}, {u"&Auml;", 0xC4},
    {u"&Ccedil;", 0xC7},  {u"&ETH;", 0xD0},    {u"&Eacute;", 0xC9}, {u"&Ecirc;", 0xCA},
    {u"&Egrave;", 0xC8},  {u"&Euml;", 0xCB},   {u"&Iacute;", 0xCD}, {u"&Icirc;", 0xCE},
    {u"&Igrave;", 0xCC},  {u"&Iuml;", 0xCF},   {u"&Ntilde;", 0xD1}, {u"&Oacute;", 0xD3},
    {u"&Ocirc;", 0xD4},   {u"&Ograve;", 0xD2}, {u"&Oslash;", 0xD8}, {u"&Otilde;", 0xD5},
    {u"&Ouml;", 0xD6},    {u"&THORN;", 0xDE},  {u"&Uacute;", 0xDA}, {u"&Ucirc;", 0xDB},
    {u"&Ugrave;", 0xD9},  {u"&Uuml;", 0xDC},   {u"&Yacute;", 0xDD}, {u"&aacute;", 0xE1},
    {u"&acirc;", 0xE2},   {u"&aelig;", 0xE6},  {u"&agrave;", 0xE0}, {u"&aring;", 0xE5},
    {u"&atilde;", 0xE3},  {u"&auml;", 0xE4},   {u"&ccedil;", 0xE7}, {u"&eacute;", 0xE9},
    {u"&ecirc;", 0xEA},   {u"&egrave;", 0xE8}, {u"&eth;", 0xF0},    {u"&euml;", 0xEB},
    {u"&iacute;", 0xED},  {u"&icirc;", 0xEE},  {u"&igrave;", 0xEC}, {u"&iuml;", 0xEF},
    {u"&ntilde;", 0xF1},  {u"&oacute;", 0xF3}, {u"&ocirc;", 0xF4},  {u"&ograve;", 0xF2},
    {u"&oslash;", 0xF8},  {u"&otilde;", 0xF5}, {u"&ouml;", 0xF6},   {u"&szlig;", 0xDF},
    {u"&thorn;", 0xFE},   {u"&uacute;", 0xFA}, {u"&ucirc;", 0xFB},  {u"&ugrave;", 0xF9},
    {u"&uuml;", 0xFC},    {u"&yacute;", 0xFD}, {u"&yuml;", 0xFF},
}};

// The character of a known entity, or 0.
char16_t DecodedCharacter(ustring_view ent) {
    if (ent.size() > kLongestEntity) return 0;
    if (ent == u"&quot;") return u'"';
    for (const EntityEntry& e : kEntities)
        if (ent == e.entity) return e.character;
    return 0;
}

} // namespace

const std::array<EntityEntry, 67>& EntityTable() {
    return kEntities;
}

void DecodeEntitiesInPlace(ustring& s) {
    bool skipToSemicolon = false;
    DecodeEntitiesInPlace(s, skipToSemicolon);
}

void DecodeEntitiesInPlace(ustring& s, bool& skipToSemicolon) {
    const size_t n = s.size();
    size_t w = 0, i = 0;
    if (skipToSemicolon) {
        const size_t e = s.find(u';');
        if (e == ustring::npos) return;
        skipToSemicolon = false;
        w = i = e + 1;
    }
    while (i < n) {
        if (s[i] != u'&') {
            s[w++] = s[i++];
            continue;
        }
        const size_t e = s.find(u';', i);
        if (e == ustring::npos) {
            skipToSemicolon = true;
            break;
        }
        // Writing never overtakes reading: every replacement is shorter than its entity.
        if (const char16_t c = DecodedCharacter(ustring_view(s).substr(i, e - i + 1))) {
            s[w++] = c;
        } else {
            for (size_t k = i; k <= e; ++k)
                s[w++] = s[k];
        }
        i = e + 1;
    }
    while (i < n)
        s[w++] = s[i++];
    s.resize(w);
}

ustring DecodeEntities(ustring_view s) {
    ustring out(s);
    DecodeEntitiesInPlace(out);
    return out;
}

int IsEntityAt(ustring_view s) {
    if (s.size() < 4) return 0;
    if (s[0] == u'&' && s[1] == u'#') return 1;
    if (s[0] != u'&') return 0;
    // Only a ";" within the first 20 characters can count, so the search stops there.
    constexpr size_t kFurthest = 20;
    const size_t limit = s.size() < kFurthest ? s.size() : kFurthest;
    for (size_t i = 1; i < limit; ++i) {
        if (s[i] == u' ') return 0;
        if (s[i] == u';') return IsWordChar(s[1], false, u"#") ? int(i + 1) : 0;
    }
    return 0;
}

} // namespace qd
