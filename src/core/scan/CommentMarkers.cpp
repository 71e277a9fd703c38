#include "scan/CommentMarkers.h"

#include "scan/CaseFolding.h"
#include "scan/Entities.h"
#include "scan/Scanner.h"
#include "scan/WordExtractor.h"
#include "scan/WordRules.h"

#include <initializer_list>
#include <utility>

namespace qd {

namespace {

using Pair = std::pair<const char16_t*, const char16_t*>;

void LoadPairs(Scanner& scan, std::initializer_list<Pair> pairs) {
    int i = 0;
    for (const Pair& p : pairs) {
        scan.startMarkers[size_t(i)] = p.first;
        scan.endMarkers[size_t(i)] = p.second;
        ++i;
    }
    scan.markerCount = i;
}

constexpr char16_t kCheckMarkers[] =
    u"\r\n\r\nCheck the comment markers in the 'Settings' window\r\nand perhaps disallow "
    u"comment markers.";

// s from position at begins with marker, ignoring case.
bool MatchesAt(ustring_view s, size_t at, ustring_view marker) {
    if (at > s.size() || s.size() - at < marker.size()) return false;
    for (size_t j = 0; j < marker.size(); ++j)
        if (LowerChar(s[at + j]) != LowerChar(marker[j])) return false;
    return true;
}

// The first position at or after from where marker occurs, ignoring case; npos if none.
size_t FindIgnoringCase(ustring_view s, size_t from, ustring_view marker) {
    if (marker.empty()) return from <= s.size() ? from : ustring_view::npos;
    if (s.size() < marker.size()) return ustring_view::npos;
    const char16_t first = LowerChar(marker[0]);
    for (size_t k = from; k + marker.size() <= s.size(); ++k)
        if (LowerChar(s[k]) == first && MatchesAt(s, k, marker)) return k;
    return ustring_view::npos;
}

} // namespace

void SetCommentMarkers(Scanner& scan, ustring_view preset) {
    if (preset == u"C") {
        LoadPairs(scan, {{u"/*", u"*/"}, {u"//", u""}});
    } else if (preset == u"XML") {
        LoadPairs(scan, {{u"<?xml", u"?>"}, {u"<!--", u"-->"}, {u"<", u">"}});
    } else if (preset == u"HTML") {
        LoadPairs(scan, {{u"&", u";"},
                         {u"<script", u"/script>"},
                         {u"<style", u"/style>"},
                         {u"<!--", u"-->"},
                         {u"<", u">"}});
    } else if (preset == u"PHP") {
        LoadPairs(scan, {{u"&", u";"},
                         {u"<script", u"/script>"},
                         {u"<style", u"/style>"},
                         {u"<!--", u"-->"},
                         {u"<?php", u"php"},
                         {u"<", u">"},
                         {u"/*", u"*/"},
                         {u"//", u""}});
    } else if (preset == u"User-defined") {
        for (size_t i = 0; i < 2; ++i) {
            scan.startMarkers[i] = scan.settings.comments.StartComment[i];
            scan.endMarkers[i] = scan.settings.comments.EndComment[i];
        }
        scan.markerCount = 2;
    } else {
        for (size_t i = 0; i < 2; ++i) {
            scan.startMarkers[i].clear();
            scan.endMarkers[i].clear();
        }
        scan.markerCount = 0;
    }
}

std::optional<MarkerFault> SelectCommentPreset(Scanner& scan, ustring_view extension) {
    scan.entitiesPossible = false;
    if (extension == u"php") {
        SetCommentMarkers(scan, u"PHP");
        scan.entitiesPossible = true;
    } else if (extension == u"xml") {
        SetCommentMarkers(scan, u"XML");
    } else if (extension.find(u"htm") != ustring_view::npos) {
        SetCommentMarkers(scan, u"HTML");
        scan.entitiesPossible = true;
    } else if (extension == u"cpp" || extension == u"c") {
        SetCommentMarkers(scan, u"C");
    } else if (!scan.settings.comments.AllowCommentMarkers) {
        SetCommentMarkers(scan, u"None");
    } else {
        if (auto fault = CheckCommentMarkers(scan)) return fault;
        SetCommentMarkers(scan, u"User-defined");
    }
    return std::nullopt;
}

std::optional<MarkerFault> ValidateCommentMarkers(const Settings& settings) {
    const auto& start = settings.comments.StartComment;
    const auto& end = settings.comments.EndComment;
    if (start[0].empty() && start[1].empty()) {
        return MarkerFault{false, ustring(u"If comment markers are allowed then at least one\r\n"
                                          u"start-comment marker must be non-empty.") +
                                      kCheckMarkers};
    }
    for (size_t i = 0; i < 2; ++i) {
        if (!end[i].empty() && start[i].empty()) {
            return MarkerFault{false, ustring(u"Cannot have an empty start-comment marker\r\n"
                                              u"with a non-empty end-comment marker.") +
                                          kCheckMarkers};
        }
    }
    for (size_t i = 0; i < 2; ++i) {
        if (!start[i].empty() && start[i] == end[i]) {
            return MarkerFault{false,
                               u"Start-comment and end-comment markers must be different.\r\n"
                               u"\r\nCheck the comment markers in the 'Settings' window."};
        }
    }
    return std::nullopt;
}

std::optional<MarkerFault> CheckCommentMarkers(Scanner& scan) {
    if (auto fault = ValidateCommentMarkers(scan.settings)) return fault;
    BuildCurrentExtraChars(scan);
    for (size_t i = 0; i < 2; ++i) {
        const ustring& m = scan.settings.comments.StartComment[i];
        if (m.empty()) continue;
        const int32_t run_ =
            ScanWordRun(m, 0, scan.settings.words.AllowWordsWithNumerals, scan.extraChars);
        if (size_t(run_) == m.size()) {
            return MarkerFault{true, u"With the current settings the start-comment marker\r\n\"" +
                                         m +
                                         u"\" could be part of a word.\r\n\r\nCheck the "
                                         u"start-comment markers in the 'Settings' window "
                                         u"and\r\nperhaps disallow comment markers or restrict "
                                         u"allowable words."};
        }
    }
    return std::nullopt;
}

int FindCommentStart(const Scanner& scan) {
    const int count = scan.markerCount < int(scan.startMarkers.size())
                          ? scan.markerCount
                          : int(scan.startMarkers.size());
    const ustring_view line = scan.line;
    for (int i = 0; i < count; ++i) {
        const ustring& marker = scan.startMarkers[size_t(i)];
        if (marker.empty() || !MatchesAt(line, scan.pos, marker)) continue;
        if (scan.entitiesPossible && marker == u"&" && scan.endMarkers[size_t(i)] == u";")
            return IsEntityAt(line.substr(scan.pos)) >= 1 ? i : -1;
        return i;
    }
    return -1;
}

void SkipComment(Scanner& scan) {
    const ustring_view line = scan.line;
    const size_t lp = scan.pos;
    if (scan.openComment < 0 || size_t(scan.openComment) >= scan.endMarkers.size()) {
        scan.openComment = -1; // no such pair: nothing is open
        return;
    }
    const ustring& end = scan.endMarkers[size_t(scan.openComment)];
    if (end.empty()) {
        scan.pos = line.size();
        scan.openComment = -1;
        return;
    }
    if (scan.entitiesPossible && lp + 1 < line.size() && line[lp] == u'&' && line[lp + 1] == u'#') {
        size_t q = lp + 2;
        while (q < line.size() && (IsAlphabetLetter(line[q]) ||
                                   (line[q] >= u'0' && line[q] <= u'9') || line[q] == u';'))
            ++q;
        scan.pos = q;
        return;
    }
    const size_t k = FindIgnoringCase(line, lp, end);
    if (k != ustring_view::npos) {
        scan.pos = k + end.size();
        scan.openComment = -1;
    } else {
        scan.pos = line.size();
    }
}

void BlankDoubleHyphensInPlace(ustring& s) {
    const size_t n = s.size();
    size_t p = 0;
    for (;;) {
        size_t k = p;
        while (k + 1 < n && !(s[k] == u'-' && s[k + 1] == u'-'))
            ++k;
        if (k + 1 >= n) return;
        p = k + 2;
        if (k < 2) continue;
        if (ustring_view(s).substr(k - 2, 4) == u"<!--") continue;
        if (ustring_view(s).substr(k, 3) == u"-->") continue;
        s[k] = u' ';
        s[k + 1] = u' ';
    }
}

ustring BlankDoubleHyphens(ustring_view s) {
    ustring out(s);
    BlankDoubleHyphensInPlace(out);
    return out;
}

} // namespace qd
