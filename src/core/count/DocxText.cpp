#include "count/DocxText.h"

#include "count/DocxExtraction.h"
#include "count/RunState.h"
#include "scan/TextRoutines.h"
#include "sources/ProgressBar.h"
#include "sources/RawFile.h"
#include "text/Host.h"
#include "text/Utf8Decoding.h"

#include <array>
#include <string>

namespace qd {

namespace {

// Documents above this size in bytes are echoed into the output box while extracted.
constexpr int32_t kEchoDocumentSize = 1024000;
constexpr int32_t kEchoEvery = 20;
constexpr int32_t kEchoClearEvery = 400;
// XML longer than this gets the progress bar.
constexpr size_t kProgressXmlLength = 1000000;
// A stop requested this early in a count needs no confirmation.
constexpr int32_t kStopWithoutAskingSeconds = 10;

constexpr std::string_view kTextStart = "<w:t";
constexpr std::string_view kTextEnd = "</w:t>";
constexpr std::string_view kParagraphEnd = "</w:p>";
// Elements of a paragraph that Word shows as white space: a tab, a break (line, page or
// column), a carriage return. Runs joined across one of them would join two words.
constexpr std::array<std::string_view, 3> kSpaceElements = {"<w:tab", "<w:br", "<w:cr"};

// Forward search for one marker from positions that only grow: the last hit is remembered,
// so each marker is searched across the document once and the extraction stays linear even
// when a marker is rare or absent.
class MarkerSearch {
public:
    MarkerSearch(std::string_view text, std::string_view marker) : text_(text), marker_(marker) {}

    size_t find(size_t from) {
        if (!valid_ || from < from_ || (hit_ != std::string_view::npos && hit_ < from)) {
            hit_ = text_.find(marker_, from);
            valid_ = true;
        }
        from_ = from;
        return hit_;
    }

private:
    std::string_view text_;
    std::string_view marker_;
    size_t hit_ = std::string_view::npos;
    size_t from_ = 0;
    bool valid_ = false;
};

// True when the "<w:t" at p opens a text element, not another one (w:tab, w:tbl, w:tc ...).
bool IsTextElement(std::string_view xml, size_t p) {
    const size_t afterTag = p + kTextStart.size();
    return afterTag < xml.size() && (xml[afterTag] == ' ' || xml[afterTag] == '>');
}

// The next text element at or after from, or npos; starts searches for "<w:t".
size_t NextTextElement(MarkerSearch& starts, std::string_view xml, size_t from) {
    for (size_t p = starts.find(from); p != std::string_view::npos;
         p = starts.find(p + kTextStart.size()))
        if (IsTextElement(xml, p)) return p;
    return std::string_view::npos;
}

bool EndsElementName(char c) {
    return c == '/' || c == '>' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// True when the markup between two text elements separates their words: a paragraph end
// or one of the space elements. Anything else (a run's end, its formatting, a bookmark)
// leaves a word split over the two runs whole.
bool SeparatesWords(std::string_view gap) {
    for (size_t lt = gap.find('<'); lt != std::string_view::npos; lt = gap.find('<', lt + 1)) {
        const std::string_view tag = gap.substr(lt);
        if (tag.starts_with(kParagraphEnd)) return true;
        for (const std::string_view name : kSpaceElements)
            if (tag.size() > name.size() && tag.starts_with(name) &&
                EndsElementName(tag[name.size()]))
                return true;
    }
    return false;
}

void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
    size_t hit = s.find(from);
    if (hit == std::string::npos) return;
    std::string out;
    out.reserve(s.size());
    size_t done = 0;
    while (hit != std::string::npos) {
        out.append(s, done, hit - done);
        out += to;
        done = hit + from.size();
        hit = s.find(from, done);
    }
    out.append(s, done, std::string::npos);
    s.swap(out);
}

// True when the run is to go on: no stop requested, or the user takes the request back.
bool ContinueAfterStopRequest(RunState& run) {
    if (!run.session.stopRequested) return true;
    if (run.current.secondsElapsed < kStopWithoutAskingSeconds) return false;
    if (run.host.ask(Question::StopDocx,
                     u"Many different words have been found.\r\nDo you really wish to stop?",
                     u"Stop", MsgIcon::None, MsgButtons::YesNo, Answer::Yes) == Answer::Yes)
        return false;
    run.session.stopRequested = false;
    run.current.elapsedTimeRunning = true;
    return true;
}

} // namespace

int32_t ExtractDocxRuns(RunState& run, std::string_view xml, size_t start,
                        std::vector<ustring>& runs, int32_t& size) {
    Host& host = run.host;
    runs.clear();
    int32_t count = 0;
    const bool echo = size > kEchoDocumentSize;
    size = 0;
    const bool showProgress = xml.size() > kProgressXmlLength;
    int shownPosition = -1;

    // The look-ahead for the next text element has its own search, so that both move
    // forward only.
    MarkerSearch textStarts(xml, kTextStart), textEnds(xml, kTextEnd);
    MarkerSearch nextTextStarts(xml, kTextStart);
    std::string bytes;
    while (start < xml.size()) {
        const size_t p1 = textStarts.find(start);
        if (p1 == std::string_view::npos) break;
        if (!ContinueAfterStopRequest(run)) return 0;
        const size_t p2 = textEnds.find(start);
        if (p2 == std::string_view::npos || p2 < p1) break;
        const size_t afterTag = p1 + kTextStart.size();
        if (!IsTextElement(xml, p1)) {
            start = afterTag; // another element: w:tab, w:tbl, w:tc ...
            continue;
        }

        bytes.assign(xml.substr(afterTag, p2 - afterTag));
        const size_t next = p2 + kTextEnd.size();
        // The gaps between consecutive text elements never overlap: one pass in all.
        const size_t nextText = NextTextElement(nextTextStarts, xml, next);
        if (nextText != std::string_view::npos && SeparatesWords(xml.substr(next, nextText - next)))
            bytes += ' ';
        // Drop the rest of the opening tag (its attributes).
        const size_t close = bytes.find('>');
        if (close != std::string::npos) bytes.erase(0, close + 1);

        ustring text;
        if (bytes.find_first_not_of(' ') == std::string::npos) {
            text = u" ";
        } else {
            ReplaceAll(bytes, "&amp;", "&");
            ReplaceAll(bytes, "&lt;", "<");
            ReplaceAll(bytes, "&gt;", ">");
            text = DecodeUtf8(bytes);
        }
        size += int32_t(text.size());
        runs.push_back(std::move(text));
        ++count;

        if (echo && count % kEchoEvery == 0) {
            if (count % kEchoClearEvery == 0) host.setOutputText(u"");
            host.appendOutputText(runs.back() + u"\r\n");
            host.repaint();
        }
        if (showProgress) {
            const int p =
                ProgressBarPosition(kProgressBarWidth, int64_t(start), int64_t(xml.size()));
            if (p != shownPosition) {
                shownPosition = p;
                host.setLabel(LabelId::TotalNumOccurrences,
                              ProgressBarCaption(p, kProgressBarWidth));
                host.repaint();
            }
        }
        start = next;
        run.yield();
    }
    return count;
}

DocxText ReadDocxText(RunState& run, ustring_view xmlPath, bool reportDeleteErrors,
                      int32_t documentSize) {
    DocxText result;
    std::string xml;
    {
        RawFile file(xmlPath);
        if (!file.isOpen() || !file.readInto(xml)) {
            result.result = DocxReadResult::Error;
            result.message = FromUtf8(file.error().message());
        }
    }
    // The temporary files go before the extraction starts, and after a failure too.
    DeleteDocxTempFiles(run, reportDeleteErrors);
    if (result.result == DocxReadResult::Error) return result;

    std::vector<ustring> runs;
    int32_t size = documentSize;
    const int32_t count = ExtractDocxRuns(run, xml, 0, runs, size);
    result.size = size;
    if (run.session.stopRequested) {
        result.result = DocxReadResult::Stopped;
        return result;
    }
    size_t total = 0;
    for (int32_t i = 0; i < count; ++i)
        total += runs[size_t(i)].size();
    result.text.reserve(total);
    for (int32_t i = 0; i < count; ++i)
        result.text += runs[size_t(i)];
    return result;
}

void ReportDocxReadError(Host& host, ustring_view message, ustring_view docxPath) {
    host.message(ustring(message) + u" when processing \r\n" + ustring(docxPath), u"Error",
                 MsgIcon::Exclamation);
}

} // namespace qd
