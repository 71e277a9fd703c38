// Quorvel Dorvane, the desktop program: wires the Qt application to the main window.

#include "MainWindow.h"
#include "QtText.h"

#include <QApplication>
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

    const QLocale locale;
    qd::gui::MainWindowOptions options;
    options.numberFormat.thousands = qd::gui::fromQ(locale.groupSeparator());
    options.numberFormat.decimal = qd::gui::fromQ(locale.decimalPoint());
    options.environment = qd::DefaultEnvironment();
    options.appDataFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
    qd::gui::frmMain window(options);
    if (!window.Form_Load()) return 1;
    return app.exec();
}
