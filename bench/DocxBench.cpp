// Extracting and joining the text of a docx document must stay linear in its size. Prints,
// for documents of about 1 MB and 2 MB of text, the time of the whole extraction (unpack,
// read, cut out the runs, join) and its ratio to the bare unpacking of the same archive, and
// the ratio of the 2 MB time to the 1 MB time (about 2 when linear). CPU times, medians of
// seven rounds.

#include "BenchTiming.h"
#include "count/DocxExtraction.h"
#include "count/DocxText.h"
#include "count/RunState.h"
#include "sources/DocxArchive.h"
#include "support/DocxWriter.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "text/Folders.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Paragraphs of words, some split over two runs, until the text reaches textBytes.
std::string DocumentBody(size_t textBytes) {
    std::string body;
    size_t text = 0;
    for (unsigned i = 0; text < textBytes; ++i) {
        const std::string word = "word" + std::to_string(i * 2654435761u % 100000);
        const size_t half = word.size() / 2;
        body += "<w:p><w:r><w:t>" + word.substr(0, half) + "</w:t></w:r><w:r><w:rPr><w:b/>" +
                "</w:rPr><w:t xml:space=\"preserve\">" + word.substr(half) +
                " and &amp; more text</w:t></w:r><w:r><w:tab/></w:r><w:r><w:t>end</w:t>" +
                "</w:r></w:p>";
        text += word.size() + 21;
    }
    return body;
}

// Median CPU milliseconds of the work over the rounds.
double MedianMilliseconds(int rounds, const std::function<void()>& work) {
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i)
        ms.push_back(1000 * qd::bench::CpuSecondsOf(work));
    return qd::bench::Median(ms);
}

struct Timing {
    size_t textChars = 0;
    double unzipMs = 0;
    double totalMs = 0;
};

Timing Measure(const qd::test::TempDir& dir, size_t textBytes) {
    const fs::path file = dir.path() / ("bench" + std::to_string(textBytes) + ".docx");
    qd::test::WriteDocx(file, qd::test::DocumentXml(DocumentBody(textBytes)));
    const qd::ustring path = qd::FromPath(file);
    qd::test::ScriptedHost host;
    qd::RunState run(host, {.tempRoot = dir.path(), .programFolder = qd::DefaultProgramFolder()});
    Timing timing;

    timing.unzipMs = MedianMilliseconds(7, [&] {
        qd::TempFolderClaim claim;
        const qd::ustring folder =
            qd::CreateTempFolder(run.env.tempRoot, qd::kTempFolderBase, true, claim);
        qd::UnzipDocumentXml(path, folder, qd::kDocxEntryPath, run.docx.maxXmlFileSize);
        qd::DeleteFolder(folder, true);
    });
    timing.totalMs = MedianMilliseconds(7, [&] {
        const int32_t size = qd::ExtractDocx(run, path, qd::kDocxEntryPath, qd::kTempFolderBase,
                                             false, false, false);
        const qd::DocxText text = qd::ReadDocxText(run, run.docx.xmlPath, false, size);
        timing.textChars = text.text.size();
    });
    return timing;
}

} // namespace

int main() {
    qd::test::TempDir dir;
    const Timing one = Measure(dir, 1 << 20);
    const Timing two = Measure(dir, 2 << 20);
    for (const Timing& t : {one, two})
        std::printf("docx text %8zu chars: unzip %7.1f ms, extract and join %7.1f ms "
                    "(ratio to unzip %.2f)\n",
                    t.textChars, t.unzipMs, t.totalMs, t.totalMs / t.unzipMs);
    std::printf("scaling 2 MB / 1 MB: %.2f (linear: about 2)\n", two.totalMs / one.totalMs);
    return 0;
}
