#include "count/WordsToIgnore.h"

#include "count/RunState.h"
#include "scan/CaseFolding.h"
#include "scan/WordRules.h"
#include "text/Host.h"
#include "text/Nfc.h"

#include <algorithm>
#include <vector>

namespace qd {

namespace {

// The letters a word to ignore may hold whatever the settings say.
constexpr ustring_view kWordLetters =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZŠŒŸÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞ"
    u"abcdefghijklmnopqrstuvwxyzšœÿàáâãäåæçèéêëìíîïðñòóôõöøùúûüýþß";

constexpr ustring_view kNeverInWordChars = NeverInWordChars;

} // namespace

ustring NormalizedWordsToIgnore(ustring_view text) {
    const ustring lowered = LowerCaseAccented(ToNfc(TrimSpaces(text)));
    // Commas become spaces; splitting at spaces and skipping the empty pieces is the same as
    // reducing every run of spaces to one and trimming again.
    std::vector<ustring> words;
    size_t start = 0;
    for (size_t i = 0; i <= lowered.size(); ++i) {
        if (i == lowered.size() || lowered[i] == u' ' || lowered[i] == u',') {
            if (i > start) words.emplace_back(lowered, start, i - start);
            start = i + 1;
        }
    }
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    ustring joined;
    for (const ustring& w : words) {
        if (!joined.empty()) joined.push_back(u' ');
        joined += w;
    }
    return joined;
}

std::optional<char16_t> FirstCharacterNotAllowed(ustring_view words, ustring_view extraChars) {
    for (char16_t c : words) {
        if (c == u' ') continue;
        if (kWordLetters.find(c) != ustring_view::npos) continue;
        if (extraChars.find(c) != ustring_view::npos) continue;
        return c;
    }
    return std::nullopt;
}

ustring CharacterNotAllowedMessage(char16_t c) {
    ustring text = u"The character ";
    text.push_back(c);
    text += u" occurs in some word to ignore\r\nbut is not ";
    if (kNeverInWordChars.find(c) == ustring_view::npos) text += u"currently set as ";
    text += u"a character allowed in a word.";
    if (c == u',') text += u"\r\n\r\nWords-to-ignore must be separated by a space, not by a comma.";
    return text;
}

void NormaliseWordsToIgnore(RunState& state) {
    ustring& box = state.settings.ignore.WordsToIgnore;
    if (TrimSpaces(box).empty()) {
        box.clear();
        state.lists.wordsToIgnore.clear();
        return;
    }
    box = NormalizedWordsToIgnore(box);
    state.lists.wordsToIgnore.assign(u" " + box + u" ");
    CheckAllowedExtraChars(state);
}

bool CheckAllowedExtraChars(RunState& state) {
    if (!state.session.startUpCompleted) return true;
    const ustring& words = state.settings.ignore.WordsToIgnore;
    if (words.empty()) return true;
    state.scanner.rebuildExtraChars();
    const auto bad = FirstCharacterNotAllowed(words, state.scanner.extraChars());
    if (!bad) return true;
    state.host.message(CharacterNotAllowedMessage(*bad), kCharacterNotAllowedTitle,
                       MsgIcon::Exclamation);
    return false;
}

} // namespace qd
