// Counts a large text through the real main window, offscreen, with "Don't display words as
// found" set (and once more with the words displayed), and the same text with the
// command-line counter in the same round. Prints the CPU time of each (user + system; the
// median over the rounds), the median of the per-round ratios to the command line, and the
// longest time the window went without turning its event loop (measured by a 1 ms timer: the
// gap between two of its ticks).
//
// Usage: MainWindowCountBench FILE [ROUNDS]   (a large text, e.g. one made by
// bench/make-corpus FILE; 5 rounds)

#include "BenchTiming.h"
#include "DialogScript.h"
#include "MainWindow.h"
#include "QtText.h"
#include "text/Folders.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace qd;
using namespace qd::gui;

namespace {

struct GuiRun {
    double seconds = 0;
    double longestGapMs = 0;
    QString firstLine;
};

GuiRun CountInWindow(const QString& file, bool suppressWords) {
    QTemporaryDir appData;
    MainWindowOptions options;
    options.userDataFolder = appData.path().toStdString();
    options.environment = {.tempRoot = SystemTempRoot(),
                           .programFolder = QCoreApplication::applicationDirPath().toStdString()};
    frmMain window(options);
    window.Form_Load();
    window.FileChosen(0, file);
    window.state().settings.output.SuppressWords = suppressWords;
    window.showSettings();

    GuiRun run;
    QElapsedTimer sinceTick;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        run.longestGapMs = std::max(run.longestGapMs, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
    });
    const double start = bench::ProcessCpuSeconds();
    sinceTick.start();
    tick.start();
    window.cmdListWords_Click();
    tick.stop();
    run.seconds = bench::ProcessCpuSeconds() - start;
    run.firstLine = toQ(window.host().outputText()).section('\n', 1, 1).trimmed();
    return run;
}

double CountOnCommandLine(const QString& counter, const QString& file) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C.UTF-8");
    process.setProcessEnvironment(environment);
    const double start = bench::ChildrenCpuSeconds();
    process.start(counter, {file});
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        std::fprintf(stderr, "quorvel-count failed (exit %d)\n", process.exitCode());
    return bench::ChildrenCpuSeconds() - start;
}

} // namespace

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (!QFileInfo(file).isFile()) {
        std::fprintf(stderr, "usage: MainWindowCountBench FILE [ROUNDS]\n"
                             "FILE: a large text, e.g. one made by bench/make-corpus FILE\n");
        return 2;
    }
    // No person to ask: a large input without an output file is counted anyway, and, as on
    // the command line, no common words are ignored.
    TestDialogScript().active = true;
    TestDialogScript().responder = [](const ShownDialog& d) -> std::optional<Answer> {
        if (d.question == Question::LargeInput || d.question == Question::IgnoreCommonWords)
            return Answer::No;
        return std::nullopt;
    };

    const QString counter = QCoreApplication::applicationDirPath() + "/quorvel-count";
    const double mb = QFileInfo(file).size() / 1048576.0;
    std::printf("text: %s (%.1f MB)\n", qPrintable(file), mb);

    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    bench::Paired hidden, shown;
    double longestGapHidden = 0, longestGapShown = 0;
    QString firstLine;
    for (int round = 0; round < rounds; ++round) {
        const double cli = CountOnCommandLine(counter, file);
        const GuiRun h = CountInWindow(file, true);
        const GuiRun s = CountInWindow(file, false);
        hidden.add(h.seconds, cli);
        shown.add(s.seconds, cli);
        longestGapHidden = std::max(longestGapHidden, h.longestGapMs);
        longestGapShown = std::max(longestGapShown, s.longestGapMs);
        firstLine = h.firstLine;
    }
    std::printf("CPU seconds, median of %d paired rounds\n", rounds);
    std::printf("command line (baseline)        %7.2f s\n", hidden.baseline());
    std::printf("window, words not displayed    %7.2f s   ratio %.2f   longest gap %.1f ms\n",
                hidden.time(), hidden.ratio(), longestGapHidden);
    std::printf("window, words displayed        %7.2f s   ratio %.2f   longest gap %.1f ms\n",
                shown.time(), shown.ratio(), longestGapShown);
    std::printf("(longest gap over all rounds)\n");
    std::printf("first listed line: %s\n", qPrintable(firstLine));
    return 0;
}
