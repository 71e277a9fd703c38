#include "count/ErrorReport.h"

#include "count/RunState.h"
#include "text/Host.h"
#include "text/ProgramTextNumbers.h"

namespace qd {

ErrorMessageText ErrorReportText(const RunState& run, int number, ustring_view description,
                                 ustring_view where) {
    ErrorMessageText m;
    if (number == kOutputBoxFullError) {
        m.title = run.texts.GetText(kTextOutputBoxFull);
        m.text = m.title + u"  ";
        if (run.settings.output.OutputFile.empty())
            m.text += run.texts.GetText(kTextNameAnOutputFile);
        else if (run.settings.output.DisableOutputToFile)
            m.text += run.texts.GetText(kTextEnableOutputToFile);
        else if (run.current.OutputFileWritten)
            m.text += u"\r\n" + run.texts.GetText(kTextListIsInTheFile);
        return m;
    }
    m.title = run.texts.GetText(kTextErrorTitle);
    m.text = u"At ";
    m.text += where;
    m.text += u" error #" + FromInt(number) + u".\r\nDescription: ";
    m.text += description;
    if (run.current.OutputFileWritten) m.text += u"\r\n" + run.texts.GetText(kTextListIsInTheFile);
    // A failure while the output file is written: the file is not replaced.
    if (run.current.WritingToFile)
        m.text += u"\r\nThe output file was not written:\r\n" + run.settings.output.OutputFile;
    return m;
}

void ReportError(RunState& run, int number, ustring_view description, ustring_view where) {
    run.current.elapsedTimeRunning = false;
    const ErrorMessageText m = ErrorReportText(run, number, description, where);
    run.host.message(m.text, m.title, MsgIcon::Exclamation);
}

void ReportOutputFileError(RunState& run, const ErrorInfo& error, ustring_view where) {
    run.current.elapsedTimeRunning = false;
    ErrorMessageText m = ErrorReportText(run, error.number, error.description, where);
    m.text += u"\r\nThe output file cannot be written:\r\n" + run.settings.output.OutputFile;
    run.host.message(m.text, m.title, MsgIcon::Exclamation);
}

} // namespace qd
