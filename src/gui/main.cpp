// Quorvel Dorvane, the desktop program: wires the Qt application to the main window.

#include "MainWindow.h"
#include "QtText.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QLocale>
#include <QStandardPaths>

#include "text/Folders.h"
#include "text/Formatting.h"

int main(int argc, char* argv[]) {
    Q_INIT_RESOURCE(icons); // the window icon lives in the windows' library
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quorvel Dorvane");
    QApplication::setDesktopFileName("quorvel-dorvane");
    QApplication::setWindowIcon(QIcon(":/icons/quorvel-dorvane.png"));

    QCommandLineParser arguments;
    arguments.setApplicationDescription("Counts how often each different word occurs in a text.");
    arguments.addHelpOption();
    arguments.addPositionalArgument("file", "A text file or a docx document: the input file.",
                                    "[FILE]");
    arguments.process(app);

    const QLocale locale;
    qd::gui::MainWindowOptions options;
    options.numberFormat.thousands = qd::gui::fromQ(locale.groupSeparator());
    options.numberFormat.decimal = qd::gui::fromQ(locale.decimalPoint());
    options.environment = qd::DefaultEnvironment();
    // Only the path: the folder is made when settings are first saved.
    options.userDataFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
    qd::gui::frmMain window(options);
    if (!window.Form_Load()) return 1;
    if (!arguments.positionalArguments().isEmpty())
        window.OpenInputFile(arguments.positionalArguments().constFirst());
    return app.exec();
}
