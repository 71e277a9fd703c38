#include "count/ClipboardSource.h"

#include "count/RunState.h"
#include "count/RunStatus.h"
#include "scan/CaseFolding.h"
#include "scan/CommentMarkers.h"
#include "scan/Scanner.h"
#include "sources/ClipboardText.h"
#include "text/Host.h"
#include "text/Nfc.h"

namespace qd {

bool GetClipboardText(RunState& run, ustring_view clipboardText, bool showInOutput) {
    Host& host = run.host;
    if (!AcceptClipboardText(host, clipboardText, run.numberFormat)) return false;
    run.current.ClipboardText = ustring(clipboardText);
    if (showInOutput) host.setOutputText(run.current.ClipboardText);
    ConcealNumWords(host, true);
    run.session.wordsGot = false;
    run.session.ListingShown = false;
    host.setTheFocus();
    return true;
}

SourceResult CountFromClipboard(RunState& run, ErrorInfo& outputError) {
    Host& host = run.host;
    Settings& s = run.settings;
    if (!CheckClipboardTextIsPlain(host, run.current.ClipboardText)) return SourceResult::Refused;
    if (!CheckNamedOutputFile(run.settings.output, outputError)) return SourceResult::OutputFailed;
    SetCommentMarkers(run.scanner, u"None");
    run.current.SavedSuppressWords = s.output.SuppressWords;
    SourceResult result = SourceResult::Read;
    try {
        ClearOutput(run);
        run.result.table.clear();
        run.scanner.startText();
        run.session.stopRequested = false;
        SetRunPhase(run, RunPhase::Counting);
        host.enableMainControls(false);
        ClearOutput(run);
        if (!run.current.ClipboardText.empty()) {
            ToNfcInPlace(run.current.ClipboardText);
            if (!s.words.CaseSignificant)
                LowerCaseAccentedInPlace(run.current.ClipboardText, &run.yield);
            run.scanner.line() = run.current.ClipboardText;
            run.scanner.line().push_back(u' ');
            run.scanner.scanLine();
        }
    } catch (const std::exception& e) {
        host.setLabel(LabelId::Twirler, u" ");
        const ErrorInfo error = ErrorOf(e);
        ReportError(run, error.number, error.description, u"DoItFromClipboard");
        result = SourceResult::ReadAfterError;
    }
    if (s.output.SuppressWords != run.current.SavedSuppressWords) {
        s.output.SuppressWords = run.current.SavedSuppressWords;
        host.settingsChanged();
    }
    host.setTheFocus();
    return result;
}

} // namespace qd
