// Counts a large text through the real main window, offscreen, with "Don't display words as
// found" set (and once more with the words displayed), and the same text with the
// command-line counter in the same run. Prints the best time of each over a few rounds,
// the ratios to the command line, and the longest time the window went without turning its
// event loop (measured by a 1 ms timer: the gap between two of its ticks).
//
// Usage: MainWindowCountBench [FILE [ROUNDS]]   (default /tmp/qd-corpus/kjvbible_x10.txt,
// made by /work/shared/corpus/make-kjv10 FILE; 3 rounds)

#include "DialogScript.h"
#include "MainWindow.h"
#include "QtText.h"
#include "support/Folders.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
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
    long turns = 0;
    QString firstLine;
};

GuiRun CountInWindow(const QString& file, bool suppressWords) {
    QTemporaryDir appData;
    MainWindowOptions options;
    options.appDataFolder = appData.path().toStdString();
    frmMain window(options);
    window.Form_Load();
    window.FileChosen(0, file);
    window.state().settings.SuppressWords = suppressWords;
    window.showSettings();

    GuiRun run;
    QElapsedTimer sinceTick;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        run.longestGapMs = std::max(run.longestGapMs, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
        ++run.turns;
    });
    QElapsedTimer clock;
    clock.start();
    sinceTick.start();
    tick.start();
    window.cmdListWords_Click();
    tick.stop();
    run.seconds = clock.nsecsElapsed() / 1e9;
    run.firstLine = toQ(window.host().outputText()).section('\n', 1, 1).trimmed();
    return run;
}

double CountOnCommandLine(const QString& counter, const QString& file) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(counter, {file});
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        std::fprintf(stderr, "quorvel-count failed (exit %d)\n", process.exitCode());
    return clock.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString file =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("/tmp/qd-corpus/kjvbible_x10.txt");
    if (!QFileInfo(file).isFile()) {
        std::fprintf(stderr, "no text at %s; make it with /work/shared/corpus/make-kjv10 %s\n",
                     qPrintable(file), qPrintable(file));
        return 2;
    }
    SetProgramFolder(QCoreApplication::applicationDirPath().toStdString());
    // No person to ask: a large input without an output file is counted anyway, and, as on
    // the command line, no common words are ignored.
    TestDialogScript().active = true;
    TestDialogScript().responder = [](const ShownDialog& d) -> std::optional<Answer> {
        if (d.title == u"Large input file" || d.title == u"Common words") return Answer::No;
        return std::nullopt;
    };

    const QString counter = QCoreApplication::applicationDirPath() + "/quorvel-count";
    const double mb = QFileInfo(file).size() / 1048576.0;
    std::printf("text: %s (%.1f MB)\n", qPrintable(file), mb);

    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    double cli = 1e9;
    GuiRun gui, shown;
    gui.seconds = shown.seconds = 1e9;
    // The machine is shared: the best of a few rounds is the least disturbed measurement.
    for (int round = 0; round < rounds; ++round) {
        cli = std::min(cli, CountOnCommandLine(counter, file));
        for (auto [run, suppress] : {std::pair{&gui, true}, std::pair{&shown, false}}) {
            const GuiRun r = CountInWindow(file, suppress);
            run->longestGapMs = std::max(run->longestGapMs, r.longestGapMs);
            if (r.seconds < run->seconds) {
                run->seconds = r.seconds;
                run->turns = r.turns;
                run->firstLine = r.firstLine;
            }
        }
    }
    std::printf("command line (baseline)        %7.2f s\n", cli);
    for (const auto& [name, run] : {std::pair{"window, words not displayed", &gui},
                                    std::pair{"window, words displayed    ", &shown}})
        std::printf("%s    %7.2f s   ratio %.2f   longest gap %.1f ms   %ld event-loop turns\n",
                    name, run->seconds, run->seconds / cli, run->longestGapMs, run->turns);
    std::printf("(best of %d rounds; longest gap over all rounds)\n", rounds);
    std::printf("first listed line: %s\n", qPrintable(gui.firstLine));
    return 0;
}
