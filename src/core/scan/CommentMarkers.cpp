#include "scan/CommentMarkers.h"

#include "Host.h"
#include "RunState.h"
#include "scan/CaseFolding.h"
#include "scan/Entities.h"
#include "scan/WordExtractor.h"
#include "scan/WordRules.h"

#include <initializer_list>
#include <utility>

namespace qd {

namespace {

using Pair = std::pair<const char16_t*, const char16_t*>;

void LoadPairs(RunState& run, std::initializer_list<Pair> pairs) {
    int i = 0;
    for (const Pair& p : pairs) {
        run.StartMarkers[size_t(i)] = p.first;
        run.EndMarkers[size_t(i)] = p.second;
        ++i;
    }
    run.intNumCommentMarkers = i;
}

constexpr char16_t kCheckMarkers[] =
    u"\r\n\r\nCheck the comment markers in the 'Settings' window\r\nand perhaps disallow "
    u"comment markers.";

void ShowMarkerError(RunState& run, ustring_view text) {
    run.host.message(text, u"Error", MsgIcon::Exclamation);
}

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

void SetCommentMarkers(RunState& run, ustring_view preset) {
    if (preset == u"C") {
        LoadPairs(run, {{u"/*", u"*/"}, {u"//", u""}});
    } else if (preset == u"XML") {
        LoadPairs(run, {{u"<?xml", u"?>"}, {u"<!--", u"-->"}, {u"<", u">"}});
    } else if (preset == u"HTML") {
        LoadPairs(run, {{u"&", u";"},
                        {u"<script", u"/script>"},
                        {u"<style", u"/style>"},
                        {u"<!--", u"-->"},
                        {u"<", u">"}});
    } else if (preset == u"PHP") {
        LoadPairs(run, {{u"&", u";"},
                        {u"<script", u"/script>"},
                        {u"<style", u"/style>"},
                        {u"<!--", u"-->"},
                        {u"<?php", u"php"},
                        {u"<", u">"},
                        {u"/*", u"*/"},
                        {u"//", u""}});
    } else if (preset == u"User-defined") {
        for (size_t i = 0; i < 2; ++i) {
            run.StartMarkers[i] = run.settings.StartComment[i];
            run.EndMarkers[i] = run.settings.EndComment[i];
        }
        run.intNumCommentMarkers = 2;
    } else {
        for (size_t i = 0; i < 2; ++i) {
            run.StartMarkers[i].clear();
            run.EndMarkers[i].clear();
        }
        run.intNumCommentMarkers = 0;
    }
}

bool SelectCommentPreset(RunState& run, ustring_view extension) {
    run.blnCharacterEntitiesPossible = false;
    if (extension == u"php") {
        SetCommentMarkers(run, u"PHP");
        run.blnCharacterEntitiesPossible = true;
    } else if (extension == u"xml") {
        SetCommentMarkers(run, u"XML");
    } else if (extension.find(u"htm") != ustring_view::npos) {
        SetCommentMarkers(run, u"HTML");
        run.blnCharacterEntitiesPossible = true;
    } else if (extension == u"cpp" || extension == u"c") {
        SetCommentMarkers(run, u"C");
    } else if (!run.settings.AllowCommentMarkers) {
        SetCommentMarkers(run, u"None");
    } else {
        if (!CommentMarkersOK(run)) return false;
        SetCommentMarkers(run, u"User-defined");
    }
    return true;
}

bool ValidateCommentMarkers(RunState& run) {
    const auto& start = run.settings.StartComment;
    const auto& end = run.settings.EndComment;
    if (start[0].empty() && start[1].empty()) {
        ShowMarkerError(run, ustring(u"If comment markers are allowed then at least one\r\n"
                                     u"start-comment marker must be non-empty.") +
                                 kCheckMarkers);
        return false;
    }
    for (size_t i = 0; i < 2; ++i) {
        if (!end[i].empty() && start[i].empty()) {
            ShowMarkerError(run, ustring(u"Cannot have an empty start-comment marker\r\n"
                                         u"with a non-empty end-comment marker.") +
                                     kCheckMarkers);
            return false;
        }
    }
    for (size_t i = 0; i < 2; ++i) {
        if (!start[i].empty() && start[i] == end[i]) {
            ShowMarkerError(run, u"Start-comment and end-comment markers must be different.\r\n"
                                 u"\r\nCheck the comment markers in the 'Settings' window.");
            return false;
        }
    }
    return true;
}

ustring CommentMarkerWordTitle(const RunState& run) {
    constexpr int kTextErrorTitle = 34;
    return run.texts.GetText(kTextErrorTitle);
}

bool CommentMarkersOK(RunState& run) {
    if (!ValidateCommentMarkers(run)) return false;
    BuildCurrentExtraChars(run);
    for (size_t i = 0; i < 2; ++i) {
        const ustring& m = run.settings.StartComment[i];
        if (m.empty()) continue;
        const int32_t run_ =
            ScanWordRun(m, 0, run.settings.AllowWordsWithNumerals, run.CurrentExtraChars);
        if (size_t(run_) == m.size()) {
            run.host.message(u"With the current settings the start-comment marker\r\n\"" + m +
                                 u"\" could be part of a word.\r\n\r\nCheck the start-comment "
                                 u"markers in the 'Settings' window and\r\nperhaps disallow "
                                 u"comment markers or restrict allowable words.",
                             CommentMarkerWordTitle(run), MsgIcon::Exclamation);
            return false;
        }
    }
    return true;
}

int FindCommentStart(const RunState& run) {
    const int count = run.intNumCommentMarkers < int(run.StartMarkers.size())
                          ? run.intNumCommentMarkers
                          : int(run.StartMarkers.size());
    const ustring_view line = run.strLine;
    for (int i = 0; i < count; ++i) {
        const ustring& marker = run.StartMarkers[size_t(i)];
        if (marker.empty() || !MatchesAt(line, run.lngLP, marker)) continue;
        if (run.blnCharacterEntitiesPossible && marker == u"&" && run.EndMarkers[size_t(i)] == u";")
            return IsEntityAt(line.substr(run.lngLP)) >= 1 ? i : -1;
        return i;
    }
    return -1;
}

void SkipComment(RunState& run) {
    const ustring_view line = run.strLine;
    const size_t lp = run.lngLP;
    if (run.intWithinComment < 0 || size_t(run.intWithinComment) >= run.EndMarkers.size()) {
        run.intWithinComment = -1; // no such pair: nothing is open
        return;
    }
    const ustring& end = run.EndMarkers[size_t(run.intWithinComment)];
    if (end.empty()) {
        run.lngLP = line.size();
        run.intWithinComment = -1;
        return;
    }
    if (run.blnCharacterEntitiesPossible && lp + 1 < line.size() && line[lp] == u'&' &&
        line[lp + 1] == u'#') {
        size_t q = lp + 2;
        while (q < line.size() && (IsAlphabetLetter(line[q]) ||
                                   (line[q] >= u'0' && line[q] <= u'9') || line[q] == u';'))
            ++q;
        run.lngLP = q;
        return;
    }
    const size_t k = FindIgnoringCase(line, lp, end);
    if (k != ustring_view::npos) {
        run.lngLP = k + end.size();
        run.intWithinComment = -1;
    } else {
        run.lngLP = line.size();
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
