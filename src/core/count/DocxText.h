#pragma once
// The text of an unpacked docx document: its text runs (the w:t elements) cut out of the XML,
// decoded, and joined into the one text the count run scans.

#include "text/UString.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace qd {

class Host;
struct RunState;

enum class DocxReadResult {
    Ok,
    Stopped, // the user stopped the count during extraction
    Error,   // the document part could not be read
};

struct DocxText {
    DocxReadResult result = DocxReadResult::Ok;
    ustring text;     // with Ok: the document's text, runs joined in document order
    ustring message;  // with Error: the system's description of the failure
    int32_t size = 0; // characters extracted
};

// Reads the unpacked document part xmlPath whole, deletes the temporary files at once (see
// DeleteDocxTempFiles), and extracts and joins the text runs. documentSize, the part's size
// in bytes, decides whether runs are echoed into the output box as they are found. Yields to
// the event loop once per run and draws the progress bar for long documents.
DocxText ReadDocxText(RunState& run, ustring_view xmlPath, bool reportDeleteErrors,
                      int32_t documentSize);

// Cuts the text runs out of the document XML (raw bytes, UTF-8) from byte offset start
// onwards into runs, replacing what runs held. Runs of one paragraph join without a space, so
// a word split over several runs stays whole; a run followed by a paragraph end, a tab, a
// break or a carriage return (w:tab, w:br, w:cr) before the next run gets one trailing space.
// Only &amp;, &lt; and &gt; are decoded,
// in that order; the two-byte UTF-8 sequences and typographic punctuation are decoded too.
// size is in: the document part's size in bytes (above 1024000 every 20th run is echoed into
// the output box); out: the number of characters extracted. Returns the number of runs, or 0
// when the user stops the count.
int32_t ExtractDocxRuns(RunState& run, std::string_view xml, size_t start,
                        std::vector<ustring>& runs, int32_t& size);

// The count run's message when the text of a document cannot be read.
void ReportDocxReadError(Host& host, ustring_view message, ustring_view docxPath);

} // namespace qd
