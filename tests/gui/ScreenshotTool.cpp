// Opens the main window and the settings window, counts the shipped sample when asked, and
// writes a PNG picture of each window (and of the whole screen, also with a message box of the
// settings window open and after it closed, and of a file dialog) to the folder given. Used by
// scripts/screenshot under a virtual display to check the layout.

#include "DialogScript.h"
#include "HelpWindow.h"
#include "MainWindow.h"
#include "QtText.h"
#include "ScreenFit.h"
#include "SettingsWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>

using namespace qd::gui;

namespace {

void Save(const QPixmap& picture, const QString& file) {
    if (picture.save(file)) std::printf("wrote %s\n", qPrintable(file));
}

} // namespace

int main(int argc, char* argv[]) {
    Q_INIT_RESOURCE(icons);
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(":/icons/quorvel-dorvane.png"));
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    const QString input = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    QDir().mkpath(folder);
    // Every question takes its default answer, except that no common words are ignored:
    // nothing waits for a person.
    TestDialogScript().active = true;
    TestDialogScript().responder = [](const ShownDialog& d) -> std::optional<qd::Answer> {
        if (d.question == qd::Question::IgnoreCommonWords) return qd::Answer::No;
        return std::nullopt;
    };

    QTemporaryDir appData; // the pictures never touch the person's saved settings
    MainWindowOptions options;
    options.userDataFolder = appData.path().toStdString();
    options.environment = qd::DefaultEnvironment();
    frmMain main(options);
    if (!main.Form_Load()) return 1;
    main.move(PlaceWithinScreen(&main, QPoint(20, 20)));
    QTest::qWait(300);
    if (!input.isEmpty()) {
        main.FileChosen(0, input);
        main.cmdListWords_Click();
    }
    QTest::qWait(300);
    Save(main.grab(), folder + "/main-window.png");

    main.cmdSetParameters_Click();
    QTest::qWait(300);
    Save(main.params().grab(), folder + "/settings-window.png");

    // A real message box from the settings window ("Really quit?", answered No): the screen
    // while it is open, and after it, with the settings window still above the main window.
    TestDialogScript().active = false;
    QTimer::singleShot(500, &main, [&] {
        if (QScreen* screen = QGuiApplication::primaryScreen())
            Save(screen->grabWindow(0), folder + "/settings-message-box.png");
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::No)->click();
    });
    QTest::mouseClick(main.params().cmdQuit, Qt::LeftButton);
    QTest::qWait(300);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        Save(screen->grabWindow(0), folder + "/settings-after-message-box.png");

    // The file dialog of "Input file", cancelled once drawn.
    QTimer::singleShot(500, &main, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            Save(dialog->grab(), folder + "/file-dialog.png");
            dialog->reject();
        }
    });
    QTest::mouseClick(main.cmdFile[0], Qt::LeftButton);
    TestDialogScript().active = true;

    main.cmdHelp_Click();
    QTest::qWait(300);
    Save(main.help()->grab(), folder + "/help-window.png");

    if (QScreen* screen = QGuiApplication::primaryScreen())
        Save(screen->grabWindow(0), folder + "/screen.png");
    main.params().hide();
    main.help()->hide();
    return 0;
}
