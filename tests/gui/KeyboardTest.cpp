// The windows from the keyboard: Alt keys that each belong to one control.

#include "GuiTestSupport.h"
#include "HelpWindow.h"
#include "LanguageWindow.h"
#include "PopUpWindow.h"
#include "QtText.h"
#include "SettingsWindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace qd::gui::test {

namespace {

// Each Alt key of a window with the captions that carry it; the window's own windows
// (the settings window is a child of the main window) are left to themselves.
std::map<QString, QStringList> AltKeys(const QWidget* window) {
    std::map<QString, QStringList> keys;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window) continue;
        QString text;
        if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            text = button->text();
        } else if (const auto* label = qobject_cast<const QLabel*>(w)) {
            text = label->text();
        } else if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
            text = group->title();
        }
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (!key.isEmpty()) keys[key.toString()].append(withoutMnemonic(text));
    }
    return keys;
}

QString Shared(const std::map<QString, QStringList>& keys) {
    QStringList shared;
    for (const auto& [key, captions] : keys) {
        if (captions.size() > 1) shared.append(key + ": " + captions.join(", "));
    }
    return shared.join("; ");
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    // --- Alt keys --------------------------------------------------------------------------
    void altKeys_eachBelongsToOneControlOfItsWindow() {
        WindowFixture f;
        frmMain& w = f.start();
        Click(w.cmdHelp);
        frmLanguageSelection languages(&w.params());
        const std::vector<std::pair<const char*, QWidget*>> windows = {
            {"main", &w},
            {"settings", &w.params()},
            {"help", w.help()},
            {"language selection", &languages},
            {"pop-up", &w.popUp()}};
        for (const auto& [name, window] : windows) {
            const std::map<QString, QStringList> keys = AltKeys(window);
            QVERIFY2(Shared(keys).isEmpty(), qPrintable(QString(name) + ": " + Shared(keys)));
        }
        // The count button is reached with Alt+S while it reads "Stop".
        QVERIFY(!AltKeys(&w).contains(QKeySequence(Qt::ALT | Qt::Key_S).toString()));
    }

    void altKeys_actOnTheirControlAtTheFirstPress() {
        WindowFixture f;
        frmMain& w = f.start();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(w.windowHandle(), Qt::Key_N, Qt::AltModifier);
        QTRY_VERIFY(w.chkSuppressWords->isChecked()); // the press shows before the click
        QTest::keyClick(w.windowHandle(), Qt::Key_L, Qt::AltModifier);
        QTRY_COMPARE(f.dialogs().shown.size(), size_t(1));
        QCOMPARE(f.dialogs().shown.back().kind, DialogKind::OpenFolder);
    }
};

} // namespace qd::gui::test

QTEST_MAIN(qd::gui::test::KeyboardTest)
#include "KeyboardTest.moc"
