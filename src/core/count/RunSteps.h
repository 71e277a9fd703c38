#pragma once
// The steps the two sources of a count run share: what a source made of the run, the
// messages of a refused input, emptying the output file once every check has passed, and
// scanning a prepared line under the stop protocol.

#include "count/CountText.h"
#include "count/ErrorReport.h"
#include "text/UString.h"

#include <exception>
#include <functional>

namespace qd {

class Host;
struct OutputSettings;
struct RunState;

// What a source made of the run.
enum class SourceResult {
    Read,           // read completely, or up to a confirmed stop
    ReadAfterError, // an error was reported while reading; the words read so far stand
    Refused,        // nothing read and the output file untouched: the run ends here
    OutputFailed,   // the output file cannot be written; outputError tells why
};

// Empties the output box and repaints it.
void ClearOutputBox(Host& host);

// An input error: the message (titled with program text 34), then an empty output box.
void InputError(RunState& run, ustring_view text);

// The program's number and description for an unexpected error.
ErrorInfo ErrorOf(const std::exception& e);

// Whether the named output file (unless output to file is disabled) can be written, before
// the count: its folder exists and takes a new file, or it is a character device. Nothing
// is changed: an existing file is replaced only by a complete listing. False, with error
// set, when it cannot.
bool CheckNamedOutputFile(const OutputSettings& output, ErrorInfo& error);

// A count's progress as the person sees it. A requested stop stands at once below 2000
// distinct words; from there the person is asked to confirm it. The ranking steps are named
// in the output box, and a dot is added there at every thousandth rank. onLine runs after
// each line read (a progress bar).
class RunProgress : public CountProgress {
public:
    explicit RunProgress(RunState& run, std::function<void()> onLine = {})
        : run_(run), onLine_(std::move(onLine)) {}
    void lineRead() override {
        if (onLine_) onLine_();
    }
    bool stopStands() override;
    void rankStep(RankStep step) override;
    void thousandRanked() override;

private:
    RunState& run_;
    std::function<void()> onLine_;
};

// Scans the scanner's line, which the caller has prepared, under the stop protocol of
// RunProgress. True when reading ends here.
bool ScanAndTestStop(RunState& run);

} // namespace qd
