#include "scan/CommentMarkers.h"

#include "scan/CaseFolding.h"
#include "scan/Entities.h"
#include "scan/Scanner.h"
#include "scan/WordRules.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace qd {

namespace {

using Pair = std::pair<const char16_t*, const char16_t*>;

void LoadPairs(CommentState& c, std::initializer_list<Pair> pairs) {
    int i = 0;
    for (const Pair& p : pairs) {
        c.startMarkers[size_t(i)] = p.first;
        c.endMarkers[size_t(i)] = p.second;
        ++i;
    }
    c.markerCount = i;
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
    CommentState& c = scan.comments();
    if (preset == u"C") {
        LoadPairs(c, {{u"/*", u"*/"}, {u"//", u""}});
    } else if (preset == u"XML") {
        LoadPairs(c, {{u"<?xml", u"?>"}, {u"<!--", u"-->"}, {u"<", u">"}});
    } else if (preset == u"HTML") {
        LoadPairs(c, {{u"&", u";"},
                      {u"<script", u"/script>"},
                      {u"<style", u"/style>"},
                      {u"<!--", u"-->"},
                      {u"<", u">"}});
    } else if (preset == u"PHP") {
        LoadPairs(c, {{u"&", u";"},
                      {u"<script", u"/script>"},
                      {u"<style", u"/style>"},
                      {u"<!--", u"-->"},
                      {u"<?php", u"php"},
                      {u"<", u">"},
                      {u"/*", u"*/"},
                      {u"//", u""}});
    } else if (preset == u"User-defined") {
        for (size_t i = 0; i < 2; ++i) {
            c.startMarkers[i] = scan.settings().comments.StartComment[i];
            c.endMarkers[i] = scan.settings().comments.EndComment[i];
        }
        c.markerCount = 2;
    } else {
        for (size_t i = 0; i < 2; ++i) {
            c.startMarkers[i].clear();
            c.endMarkers[i].clear();
        }
        c.markerCount = 0;
    }
}

std::optional<MarkerFault> SelectCommentPreset(Scanner& scan, ustring_view extension) {
    scan.comments().entitiesPossible = false;
    if (extension == u"php") {
        SetCommentMarkers(scan, u"PHP");
        scan.comments().entitiesPossible = true;
    } else if (extension == u"xml") {
        SetCommentMarkers(scan, u"XML");
    } else if (extension.find(u"htm") != ustring_view::npos) {
        SetCommentMarkers(scan, u"HTML");
        scan.comments().entitiesPossible = true;
    } else if (extension == u"cpp" || extension == u"c") {
        SetCommentMarkers(scan, u"C");
    } else if (!scan.settings().comments.AllowCommentMarkers) {
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
    if (auto fault = ValidateCommentMarkers(scan.settings())) return fault;
    scan.rebuildExtraChars();
    for (size_t i = 0; i < 2; ++i) {
        const ustring& m = scan.settings().comments.StartComment[i];
        if (m.empty()) continue;
        const int32_t run_ =
            ScanWordRun(m, 0, scan.settings().words.AllowWordsWithNumerals, scan.extraChars());
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

int FindCommentStart(const CommentState& comments, ustring_view line, size_t pos) {
    const int count = comments.markerCount < int(comments.startMarkers.size())
                          ? comments.markerCount
                          : int(comments.startMarkers.size());
    for (int i = 0; i < count; ++i) {
        const ustring& marker = comments.startMarkers[size_t(i)];
        if (marker.empty() || !MatchesAt(line, pos, marker)) continue;
        if (comments.entitiesPossible && marker == u"&" && comments.endMarkers[size_t(i)] == u";")
            return IsEntityAt(line.substr(pos)) >= 1 ? i : -1;
        return i;
    }
    return -1;
}

bool SkipComment(CommentState& comments, ustring_view line, size_t& pos, bool lineGoesOn) {
    const size_t lp = pos;
    int& open = comments.openComment;
    if (open < 0 || size_t(open) >= comments.endMarkers.size()) {
        open = -1; // no such pair: nothing is open
        return false;
    }
    const ustring& end = comments.endMarkers[size_t(open)];
    if (end.empty()) {
        pos = line.size();
        if (!lineGoesOn) open = -1;
        return lineGoesOn;
    }
    const bool resumed = std::exchange(comments.endSearchGoesOn, false);
    if (!resumed && lineGoesOn && comments.entitiesPossible && lp + 1 == line.size() &&
        line[lp] == u'&')
        return true; // "&#" may be completed by the next part
    const bool numeric = !resumed && comments.entitiesPossible && lp + 1 < line.size() &&
                         line[lp] == u'&' && line[lp + 1] == u'#';
    if (numeric || comments.numericEntityGoesOn) {
        size_t q = numeric ? lp + 2 : lp;
        while (q < line.size() && (IsAlphabetLetter(line[q]) ||
                                   (line[q] >= u'0' && line[q] <= u'9') || line[q] == u';'))
            ++q;
        pos = q;
        comments.numericEntityGoesOn = lineGoesOn && q == line.size();
        return comments.numericEntityGoesOn;
    }
    const size_t k = FindIgnoringCase(line, lp, end);
    if (k != ustring_view::npos) {
        pos = k + end.size();
        open = -1;
        return false;
    }
    pos = line.size();
    // The end marker may have begun in the last characters.
    if (lineGoesOn) {
        pos = std::max(lp, pos - std::min(pos, end.size() - 1));
        comments.endSearchGoesOn = true;
    }
    return true;
}

void BlankDoubleHyphensInPlace(ustring& s, size_t lineOffset) {
    const size_t n = s.size();
    size_t p = 0;
    for (;;) {
        size_t k = p;
        while (k + 1 < n && !(s[k] == u'-' && s[k + 1] == u'-'))
            ++k;
        if (k + 1 >= n) return;
        p = k + 2;
        if (k + lineOffset < 2) continue;
        if (k >= 2 && ustring_view(s).substr(k - 2, 4) == u"<!--") continue;
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
