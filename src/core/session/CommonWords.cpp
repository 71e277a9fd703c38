#include "session/CommonWords.h"

#include "count/CommonWordsReader.h"
#include "count/RunState.h"
#include "count/RunStatus.h"
#include "sources/Languages.h"
#include "text/Folders.h"
#include "text/Formatting.h"
#include "text/Host.h"
#include "text/ProgramTextNumbers.h"

namespace qd {

namespace {

// The question before common words are read for a new input file (program texts).
ustring QuestionText(const RunState& run) {
    const ustring text = run.texts.GetText(kTextCommonWordsQuestion);
    return text.empty() ? u"Ignore the common words listed in this file?" : text;
}
ustring QuestionTitle(const RunState& run) {
    const ustring text = run.texts.GetText(kTextCommonWordsTitle);
    return text.empty() ? u"Common words" : text;
}

ustring FileNameOf(ustring_view path) {
    return FromPath(ToPath(path).filename());
}

// Puts a chosen file in the file box and reads it (steps shared by the language
// window and browsing).
bool LoadChosenFile(RunState& run, ustring path) {
    run.settings.ignore.CommonWordsFile = std::move(path);
    run.lists.commonWordsFile = run.settings.ignore.CommonWordsFile;
    run.host.settingsChanged();
    const bool loaded = AttemptToReadCommonWords(run);
    ConcealNumWords(run.host); // the count labels no longer belong to the table
    return loaded;
}

} // namespace

ustring CommonWordsCountText(size_t n, const NumberFormat& format) {
    if (n == 1) return u"One common word";
    return NumberInWords((long long)n, format) + u" common words";
}

bool AttemptToReadCommonWords(RunState& run) {
    Host& host = run.host;
    host.enableMainControls(false);
    run.session.commonWordsLoaded = ReadCommonWordsFile(run);
    host.enableMainControls(true);

    Settings& settings = run.settings;
    if (run.session.commonWordsLoaded) {
        host.setLabel(LabelId::NumberOfWords, u"");
        host.message(CommonWordsCountText(run.lists.commonWords.size(), run.numberFormat) +
                         u" loaded from " + settings.ignore.CommonWordsFile,
                     u"Common words loaded", MsgIcon::Information);
        run.lists.commonWordsFile = settings.ignore.CommonWordsFile;
        settings.ignore.IgnoreCommonWords = true;
    } else {
        settings.ignore.IgnoreCommonWords = false;
    }
    run.scanner.setReadingWords(false);
    run.session.wordsGot = false;
    host.settingsChanged();
    return run.session.commonWordsLoaded;
}

void ChooseCommonWordsForInputFile(RunState& run) {
    Settings& settings = run.settings;
    TrimSpacesInPlace(settings.ignore.CommonWordsFile);
    TrimSpacesInPlace(settings.input.InputFile);
    if (!settings.input.InputFile.empty())
        settings.ignore.CommonWordsFile =
            CommonWordsFileForInput(run.env.programFolder, settings.input.InputFile);

    if (!FileExists(settings.ignore.CommonWordsFile)) {
        settings.ignore.CommonWordsFile.clear();
        run.lists.commonWordsFile.clear();
        settings.ignore.IgnoreCommonWords = false;
        run.host.settingsChanged();
        return;
    }
    if (run.session.commonWordsLoaded &&
        (FileNameOf(run.lists.commonWordsFile) == CommonWordsFileNames[6] ||
         run.lists.commonWordsFile == settings.ignore.CommonWordsFile)) {
        // The loaded list stays, and so does the name of the file it came from.
        settings.ignore.CommonWordsFile = run.lists.commonWordsFile;
        run.host.settingsChanged();
        return;
    }
    run.host.settingsChanged();
    OfferToReadCommonWords(run);
}

void OfferToReadCommonWords(RunState& run) {
    if (run.settings.ignore.IgnoreCommonWords) {
        AttemptToReadCommonWords(run);
        return;
    }
    const ustring question = QuestionText(run) + u"\r\n" + run.settings.ignore.CommonWordsFile;
    const Answer answer = run.host.ask(Question::IgnoreCommonWords, question, QuestionTitle(run),
                                       MsgIcon::Question, MsgButtons::YesNo, Answer::Yes);
    if (answer == Answer::Yes) {
        AttemptToReadCommonWords(run);
        return;
    }
    // The words in memory belong to the file in the box; for any other file they
    // are not loaded, so ticking "Ignore common words" later reads the file named
    // now.
    if (run.lists.commonWordsFile != run.settings.ignore.CommonWordsFile)
        run.session.commonWordsLoaded = false;
}

void CommonWordsFileRestored(RunState& run) {
    const ustring& restored = run.settings.ignore.CommonWordsFile;
    if (run.lists.commonWordsFile != restored) run.session.commonWordsLoaded = false;
    run.lists.commonWordsFile = restored;
    run.host.settingsChanged();
}

bool LoadCommonWordsForLanguage(RunState& run, int languageSelected) {
    if (languageSelected < 0 || languageSelected >= kNumLanguageChoices) return false;
    return LoadChosenFile(
        run, CommonWordsFileInProgramFolder(run.env.programFolder,
                                            LanguageChoiceFileNames[languageSelected]));
}

bool LoadCommonWordsFromFile(RunState& run, ustring_view path) {
    if (path.empty()) return false;
    return LoadChosenFile(run, ustring(path));
}

} // namespace qd
