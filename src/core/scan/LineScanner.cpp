#include "scan/LineScanner.h"

#include "RunState.h"
#include "scan/CommentMarkers.h"
#include "scan/Entities.h"
#include "scan/TextRoutines.h"
#include "scan/WordExtractor.h"
#include "scan/WordScanning.h"
#include "table/AddWordToList.h"

namespace qd {

void ScanLine(RunState& run) {
    ustring& line = run.strLine;
    CleanLineInPlace(line);
    if (run.blnReadingWords) {
        run.blnCommentsPossible = true;
    } else {
        run.blnCommentsPossible = run.intNumCommentMarkers >= 1;
        BlankDoubleHyphensInPlace(line);
        if (run.blnCharacterEntitiesPossible) DecodeEntitiesInPlace(line);
    }

    WordCharTable& chars = run.scanCache.chars;
    auto yield = [&run, &chars] {
        if (!run.blnStartUpCompleted) return;
        run.yield();
        // Whatever ran during the yield may have changed the extra characters.
        chars.update(run.CurrentExtraChars);
    };
    chars.update(run.CurrentExtraChars);

    run.lngLP = 0;
    for (;;) {
        // The last character, the appended space, is never examined.
        if (run.lngLP + 1 >= line.size()) return;
        yield();

        if (run.blnCommentsPossible) {
            if (run.intWithinComment == -1) run.intWithinComment = FindCommentStart(run);
            while (run.intWithinComment >= 0) {
                SkipComment(run);
                if (run.lngLP >= line.size()) return; // the comment goes on in the next line
                if (run.lngLP + 1 == line.size() && line[run.lngLP] == u' ') {
                    run.intWithinComment = -1;
                    return;
                }
                run.intWithinComment = FindCommentStart(run);
                yield();
            }
        }

        if (!chars.isStartChar(line[run.lngLP])) {
            const size_t next = FirstNonSpaceAfter(line, run.lngLP);
            if (next == npos) return;
            run.lngLP = next;
            continue;
        }

        const ustring_view word = detail::NextWord(run, chars);
        if (!word.empty()) {
            if (run.blnReadingWords) {
                AddWordToList(run, word);
            } else {
                ++run.lngTotalNumOccurrences;
                GetWords2(run, word);
            }
        }
        yield();
        if (run.blnStop) return;
    }
}

} // namespace qd
