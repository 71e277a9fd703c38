#include "count/RunSteps.h"

#include "count/RunState.h"
#include "count/RunTexts.h"
#include "scan/Scanner.h"
#include "text/Folders.h"
#include "text/Host.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <system_error>
#include <unistd.h>

namespace qd {

namespace {

constexpr int32_t kStopQuestionWords = 2000; // from here a stop is confirmed

// The stop test after a scanned line: true when reading ends here.
bool ReadingStops(RunState& run) {
    if (!run.session.stopRequested) return false;
    const int32_t n = run.result.table.size();
    if (n < kStopQuestionWords) return true;
    const Answer a =
        run.host.ask(Question::ConfirmStop,
                     u" " + FromInt(n) +
                         u" different words have been found.\r\n"
                         u"Do you really wish to stop?",
                     RunText(run, kTextStop), MsgIcon::Question, MsgButtons::YesNo, Answer::Yes);
    if (a == Answer::Yes) return true;
    run.session.stopRequested = false;
    return false;
}

} // namespace

void ClearOutputBox(Host& host) {
    host.setOutputText(u"");
    host.repaint();
}

void InputError(RunState& run, ustring_view text) {
    run.host.message(text, RunText(run, kTextErrorTitle), MsgIcon::Exclamation);
    ClearOutputBox(run.host);
}

ErrorInfo ErrorOf(const std::exception& e) {
    if (dynamic_cast<const std::bad_alloc*>(&e)) return {7, u"Out of memory"};
    if (auto* se = dynamic_cast<const std::system_error*>(&e);
        se && se->code().category() == std::generic_category())
        return FileErrorInfo(se->code().value());
    return {51, u"Internal error: " + U(e.what())};
}

bool EmptyNamedOutputFile(const RunState& run, ErrorInfo& error) {
    const Settings& s = run.settings;
    if (s.output.OutputFile.empty() || s.output.DisableOutputToFile) return true;
    const int fd =
        ::open(ToPath(s.output.OutputFile).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = FileErrorInfo(errno);
        return false;
    }
    ::close(fd);
    return true;
}

bool ScanAndTestStop(RunState& run) {
    for (;;) {
        run.scanner.scanLine();
        if (!run.session.stopRequested) return false;
        if (ReadingStops(run)) return true;
        if (!run.scanner.keepUnscannedRest()) return false;
    }
}

} // namespace qd
