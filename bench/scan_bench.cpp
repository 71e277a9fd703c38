// Speed of the per-line path of a count run against `wc -w` on the same file, measured in the
// same run: each line is read as bytes (ended by CR, CR LF or LF), decoded through
// Windows-1252, lower-cased, given its trailing space and scanned with the default settings
// into the word table. Prints both speeds in MB/s and their ratio.
//
// Usage: scan_bench FILE [ROUNDS]   (the best of ROUNDS, 3 by default, is reported)
//
// Measure in a Release build:
//   cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
//         -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DQD_BUILD_GUI=OFF
//   cmake --build build-release --target scan_bench
//   /work/shared/corpus/make-kjv10 /tmp/qd-corpus/kjvbible_x10.txt
//   build-release/bin/scan_bench /tmp/qd-corpus/kjvbible_x10.txt

#include "Host.h"
#include "RunState.h"
#include "scan/CaseFolding.h"
#include "scan/LineScanner.h"
#include "scan/WordExtractor.h"
#include "support/UString.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Answers nothing, keeps only the length of the output box, so the live display of new words
// fills up and is suppressed as in the program.
class BenchHost : public qd::Host {
public:
    qd::Answer message(qd::ustring_view, qd::ustring_view, qd::MsgIcon, qd::MsgButtons,
                       qd::Answer defaultButton) override {
        return defaultButton;
    }
    std::optional<qd::ustring> prompt(qd::ustring_view, qd::ustring_view,
                                      qd::ustring_view) override {
        return std::nullopt;
    }
    qd::ustring chooseOpenFile(qd::ustring_view, qd::ustring_view, qd::ustring_view) override {
        return {};
    }
    qd::ustring chooseSaveFile(qd::ustring_view, qd::ustring_view, qd::ustring_view) override {
        return {};
    }
    void processEvents() override { ++events; }
    qd::ustring outputText() const override { return {}; }
    size_t outputLength() const override { return length; }
    void setOutputText(qd::ustring_view text) override { length = text.size(); }
    void appendOutputText(qd::ustring_view text) override { length += text.size(); }
    void setOutputCaret(bool) override {}
    void setLabel(qd::LabelId, qd::ustring_view) override {}
    void setLabelVisible(qd::LabelId, bool) override {}
    void setLabelStyle(qd::LabelId, qd::LabelStyle) override {}
    void repaint() override {}
    void settingsChanged() override {}

    size_t length = 0;
    long events = 0;
};

// Processor time of this process (user and system), which a busy machine disturbs less than
// the wall clock.
double ProcessSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

struct Timing {
    double cpu;
    double wall;
};

struct ScanResult {
    Timing time;
    long long bytes;
    int32_t occurrences;
    int32_t distinct;
};

ScanResult ScanFile(const char* path) {
    BenchHost host;
    qd::RunState run(host);
    run.blnStartUpCompleted = true;
    qd::BuildCurrentExtraChars(run);
    run.intWithinComment = -1;

    const auto start = Clock::now();
    const double startCpu = ProcessSeconds();
    FILE* f = std::fopen(path, "rb");
    if (!f) {
        std::perror(path);
        std::exit(2);
    }
    std::vector<char> block(1 << 20);
    std::string pending; // a line cut by the end of a block
    bool afterCR = false;
    long long bytes = 0;
    auto scanLine = [&](std::string_view bytesOfLine) {
        run.strLine.clear();
        qd::AppendCp1252(bytesOfLine, run.strLine);
        qd::LowerCaseAccentedInPlace(run.strLine, &run.yield);
        run.strLine.push_back(u' ');
        run.yield();
        qd::ScanLine(run);
    };
    size_t got;
    while ((got = std::fread(block.data(), 1, block.size(), f)) > 0) {
        bytes += static_cast<long long>(got);
        const char* data = block.data();
        size_t begin = 0;
        if (afterCR && data[0] == '\n') begin = 1; // the LF of a CR LF cut by the block end
        afterCR = false;
        while (begin < got) {
            // The next CR or LF: memchr finds each quickly in long stretches.
            const char* lf = static_cast<const char*>(std::memchr(data + begin, '\n', got - begin));
            const size_t lfAt = lf ? size_t(lf - data) : got;
            const char* cr =
                static_cast<const char*>(std::memchr(data + begin, '\r', lfAt - begin));
            const size_t end = cr ? size_t(cr - data) : lfAt;
            if (end == got) {
                pending.append(data + begin, got - begin);
                break;
            }
            std::string_view line(data + begin, end - begin);
            if (!pending.empty()) {
                pending.append(line);
                scanLine(pending);
                pending.clear();
            } else {
                scanLine(line);
            }
            begin = end + 1;
            if (data[end] == '\r') {
                if (begin < got && data[begin] == '\n')
                    ++begin;
                else if (begin == got)
                    afterCR = true;
            }
        }
    }
    if (!pending.empty()) scanLine(pending);
    std::fclose(f);
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    return {
        {ProcessSeconds() - startCpu, wall}, bytes, run.lngTotalNumOccurrences, run.table.size()};
}

Timing TimeWc(const char* path) {
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (!std::freopen("/dev/null", "w", stdout)) _exit(127);
        execlp("wc", "wc", "-w", path, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "wc -w failed\n");
        std::exit(2);
    }
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return {seconds(usage.ru_utime) + seconds(usage.ru_stime), wall};
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: scan_bench FILE [ROUNDS]\n");
        return 2;
    }
    const char* path = argv[1];
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;

    TimeWc(path); // warm the page cache
    Timing bestScan{1e9, 1e9}, bestWc{1e9, 1e9};
    ScanResult result{};
    for (int r = 0; r < rounds; ++r) {
        result = ScanFile(path);
        const Timing wc = TimeWc(path);
        bestScan = {std::min(bestScan.cpu, result.time.cpu),
                    std::min(bestScan.wall, result.time.wall)};
        bestWc = {std::min(bestWc.cpu, wc.cpu), std::min(bestWc.wall, wc.wall)};
    }
    const double mb = double(result.bytes) / 1e6;
    const char* locale = std::getenv("LC_ALL");
    if (!locale || !*locale) locale = std::getenv("LANG");
    std::printf("file            %s (%.1f MB)\n", path, mb);
    std::printf("words           %d occurrences, %d distinct\n", result.occurrences,
                result.distinct);
    std::printf("                processor time           wall clock\n");
    std::printf("scan            %6.3f s %7.1f MB/s     %6.3f s %7.1f MB/s\n", bestScan.cpu,
                mb / bestScan.cpu, bestScan.wall, mb / bestScan.wall);
    std::printf("wc -w           %6.3f s %7.1f MB/s     %6.3f s %7.1f MB/s   (locale %s)\n",
                bestWc.cpu, mb / bestWc.cpu, bestWc.wall, mb / bestWc.wall,
                locale ? locale : "default");
    std::printf("ratio scan/wc   %6.2f                   %6.2f\n", bestWc.cpu / bestScan.cpu,
                bestWc.wall / bestScan.wall);
    return 0;
}
