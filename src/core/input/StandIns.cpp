// TEMPORARY STAND-INS: see StandIns.h.
#include "input/StandIns.h"

#include "Host.h"
#include "RunState.h"
#include "support/Folders.h"

namespace qd {

bool CheckInputFile(RunState& run, ustring_view path) {
    if (path.empty()) return false;
    if (!FileExists(path)) {
        run.settings.UTF8 = false;
        run.host.message(u"Input file does not exist.", u"File not found", MsgIcon::Exclamation);
        return false;
    }
    if (FileLength(path) <= 0) {
        run.host.message(u"Input file is zero-length.", u"Empty file", MsgIcon::Exclamation);
        run.host.setLabel(LabelId::Filesize, u"Filesize: 0 bytes");
        return false;
    }
    return true;
}

bool CheckAllowedExtraChars(RunState&) {
    return true;
}

void txbWordsToIgnore_LostFocus(RunState& run) {
    const ustring& w = run.settings.WordsToIgnore;
    run.strWordsToIgnore = w.empty() ? ustring() : u" " + w + u" ";
}

} // namespace qd
