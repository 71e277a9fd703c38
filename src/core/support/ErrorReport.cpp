#include "support/ErrorReport.h"

#include "Host.h"
#include "RunState.h"

#include <cerrno>
#include <cstring>

namespace qd {

namespace {

// Program texts of the report.
constexpr int kTextOutputBoxFull = 27;
constexpr int kTextNameAnOutputFile = 31;
constexpr int kTextEnableOutputToFile = 32;
constexpr int kTextListIsInTheFile = 33;
constexpr int kTextErrorTitle = 34;

} // namespace

ErrorInfo FileErrorInfo(int errnoValue) {
    switch (errnoValue) {
    case ENOENT:
        return {53, u"File not found"};
    case ENOSPC:
        return {61, u"Disk full"};
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return {70, u"Permission denied"};
    case EISDIR:
    case ENAMETOOLONG:
        return {75, u"Path/File access error"};
    case ENOTDIR:
        return {76, u"Path not found"};
    default:
        return {57, u"Device I/O error: " + FromUtf8(std::strerror(errnoValue))};
    }
}

ErrorMessageText ErrorReportText(const RunState& run, int number, ustring_view description,
                                 ustring_view where) {
    ErrorMessageText m;
    if (number == kOutputBoxFullError) {
        m.title = run.texts.GetText(kTextOutputBoxFull);
        m.text = m.title + u"  ";
        if (run.settings.OutputFile.empty())
            m.text += run.texts.GetText(kTextNameAnOutputFile);
        else if (run.settings.DisableOutputToFile)
            m.text += run.texts.GetText(kTextEnableOutputToFile);
        else if (run.OutputFileWritten)
            m.text += u"\r\n" + run.texts.GetText(kTextListIsInTheFile);
        return m;
    }
    m.title = run.texts.GetText(kTextErrorTitle);
    m.text = u"At ";
    m.text += where;
    m.text += u" error #" + FromInt(number) + u".\r\nDescription: ";
    m.text += description;
    if (run.OutputFileWritten) m.text += u"\r\n" + run.texts.GetText(kTextListIsInTheFile);
    return m;
}

void ReportError(RunState& run, int number, ustring_view description, ustring_view where) {
    run.blnElapsedTimeRunning = false;
    const ErrorMessageText m = ErrorReportText(run, number, description, where);
    run.host.message(m.text, m.title, MsgIcon::Exclamation);
}

} // namespace qd
