#include "count/Listing.h"

#include "count/ErrorReport.h"
#include "count/ListingOutput.h"
#include "count/ListingPass.h"
#include "count/RunState.h"
#include "table/OutputFileSink.h"
#include "text/Folders.h"
#include "text/Host.h"
#include "text/ProgramTextNumbers.h"

#include <filesystem>

namespace qd {

namespace {

constexpr char16_t kOverwritePrompt[] = u"To overwrite the current output file click on 'OK'.\r\n"
                                        u"To write to a different file edit the filepath below.\r\n"
                                        u"To disable output to file click on 'Cancel'.\r\n"
                                        u"\r\n"
                                        u"(This 'warn on overwrite' can be disabled\r\n"
                                        u"in the 'Settings' window.)";

// Separators that end the folder part of a path on this system.
#ifdef _WIN32
constexpr char16_t kPathSeparators[] = u"\\/";
#else
constexpr char16_t kPathSeparators[] = u"/";
#endif

// The folder part of path: up to and including its last separator; empty without one.
ustring_view FolderPart(ustring_view path) {
    const size_t sep = path.find_last_of(kPathSeparators);
    return sep == ustring_view::npos ? ustring_view() : path.substr(0, sep + 1);
}

enum class OverwriteAnswer { Write, DoNotWrite, Abandon };

// The file exists: overwrite it, write elsewhere, or disable output to file.
OverwriteAnswer AskAboutExistingOutputFile(RunState& run) {
    Host& host = run.host;
    host.setOutputText(u"");
    const std::optional<ustring> answer =
        host.prompt(Question::OverwriteOutput, kOverwritePrompt, u"The output file exists.",
                    run.settings.output.OutputFile);
    if (!answer || answer->empty()) {
        run.settings.output.DisableOutputToFile = true;
        host.settingsChanged();
        return OverwriteAnswer::DoNotWrite;
    }
    // The path keeps its letter case: file names are case-sensitive here.
    const ustring_view path = TrimSpaces(*answer);
    if (!IsDirectory(FolderPart(path))) {
        host.message(u"Folder does not exist.", run.texts.GetText(kTextErrorTitle),
                     MsgIcon::Exclamation);
        return OverwriteAnswer::Abandon;
    }
    run.settings.output.OutputFile.assign(path);
    host.settingsChanged();
    return OverwriteAnswer::Write;
}

// The notice after a file pass that wrote some listed words with '?' in place of characters
// the code page lacks: the file is complete, but those words are not what was counted.
void TellOfUnencodableWords(Host& host, const UnencodableWords& words, ustring_view path) {
    const bool one = words.count == 1;
    host.message(FromInt(words.count) + (one ? u" word" : u" words") + u" in the output file\r\n" +
                     ustring(path) + u"\r\n" + (one ? u"holds" : u"hold") +
                     u" characters that Windows-1252 lacks, written as \"?\" (" +
                     (one ? u"it is \"" : u"the first is \"") + words.first +
                     u"\").\r\nThe UTF-8 output encoding keeps them.",
                 u"Output file", MsgIcon::Information);
}

enum class FilePass { Written, Failed, NotOpened };

// The file pass; a failure is reported. A file is replaced only by a complete listing: a
// failed or stopped pass leaves an earlier one as it was.
FilePass WriteOutputFile(RunState& run) {
    Host& host = run.host;
    host.setOutputText(u"Now processing and writing to output file ...");
    host.repaint();

    const OutputSettings& output = run.settings.output;
    const bool commas = output.OutputWithCommas;
    OutputFileSink file(output.DisplayFormat, output.OutputEncoding, commas);
    if (!file.open(output.OutputFile) || !file.writeHead()) {
        const ErrorInfo& e = *file.failure();
        ReportError(run, e.number, e.description, u"ListWords");
        return FilePass::NotOpened;
    }
    const ListingPassEnd end = RunListingPass(run, file, commas);
    // A write that failed inside the pass was reported there; the list goes on to the box.
    if (end == ListingPassEnd::Failed) return FilePass::Failed;
    if (end != ListingPassEnd::Completed) {
        file.abandon();
        return FilePass::Written;
    }
    if (!file.close()) {
        const ErrorInfo& e = *file.failure();
        ReportError(run, e.number, e.description, u"ListWords");
        return FilePass::Failed;
    }
    // Only a complete list counts as written: a later report must not send the user to a
    // file that holds part of it.
    run.current.OutputFileWritten = true;
    if (file.unencodableWords().count > 0)
        TellOfUnencodableWords(host, file.unencodableWords(), output.OutputFile);
    return FilePass::Written;
}

// An empty file in place of the output file, for a listing of no words; a failure is
// reported, and an earlier file is then left as it was.
bool WriteEmptyOutputFile(RunState& run) {
    const OutputSettings& output = run.settings.output;
    OutputFileSink file(output.DisplayFormat, output.OutputEncoding, output.OutputWithCommas);
    if (!file.open(output.OutputFile) || !file.close()) {
        const ErrorInfo& e = *file.failure();
        ReportError(run, e.number, e.description, u"ListWords");
        return false;
    }
    run.current.OutputFileWritten = true;
    return true;
}

class ListingGuard {
public:
    explicit ListingGuard(RunState& run) : run_(run) { run_.current.listingUnderWay = true; }
    ~ListingGuard() {
        run_.current.listingUnderWay = false;
        run_.current.WritingToFile = false;
    }

private:
    RunState& run_;
};

} // namespace

ListWordsResult ListWords(RunState& run, EmptyListing emptyListing) {
    if (run.current.listingUnderWay) return ListWordsResult::Busy;
    ListingGuard guard(run);
    const Settings& s = run.settings;
    OutputBoxListing box(run);
    ListingOutput& out = run.current.listingOutput ? *run.current.listingOutput : box;

    run.current.OutputFileWritten = false;
    const bool noWords = run.result.stats.wordsIncluded == 0;
    run.current.WritingToFile = !s.output.OutputFile.empty() && !s.output.DisableOutputToFile &&
                                !(noWords && emptyListing == EmptyListing::KeepsOutputFile);
    if (run.current.WritingToFile && s.output.WarnOnOverwrite && FileExists(s.output.OutputFile)) {
        switch (AskAboutExistingOutputFile(run)) {
        case OverwriteAnswer::Abandon:
            return ListWordsResult::NothingListed;
        case OverwriteAnswer::DoNotWrite:
            run.current.WritingToFile = false;
            break;
        case OverwriteAnswer::Write:
            break;
        }
    }
    if (noWords) {
        if (run.current.WritingToFile && !WriteEmptyOutputFile(run))
            return ListWordsResult::NothingListed;
        run.current.WritingToFile = false;
        out.begin();
        out.message(NoWordsMessage(run));
        out.finish();
        return ListWordsResult::Listed;
    }
    bool fileFailed = false;
    if (run.current.WritingToFile) {
        const FilePass pass = WriteOutputFile(run);
        if (pass == FilePass::NotOpened) return ListWordsResult::NothingListed;
        fileFailed = pass == FilePass::Failed;
    }

    run.current.WritingToFile = false;
    out.begin();
    if (run.session.stopRequested) {
        out.message(u"Output to file was terminated.\r\n");
        return ListWordsResult::Stopped;
    }

    RunListingPass(run, out.lines(), false);
    if (run.session.stopRequested) {
        out.stopped();
        return ListWordsResult::Stopped;
    }
    out.finish();
    return fileFailed ? ListWordsResult::FileFailed : ListWordsResult::Listed;
}

} // namespace qd
