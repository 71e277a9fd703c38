#pragma once
// What every window test shares: a fresh application-data folder, the dialog script switched
// on (no real dialog ever blocks a test), and a person's ways of working the controls.

#include "DialogScript.h"
#include "MainWindow.h"

#include <QTemporaryDir>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QAbstractButton;
class QComboBox;

namespace qd::gui::test {

class WindowFixture {
public:
    WindowFixture();
    ~WindowFixture();

    // A main window started as the program starts it, over the fixture's folder.
    frmMain& start();
    // The same with the user's data folder given, in place of the fixture's folder.
    frmMain& start(const std::filesystem::path& userDataFolder);
    // Ends the window and starts a new one over the same application-data folder: what the
    // next start of the program sees.
    frmMain& restart() {
        window_.reset();
        return start(userDataFolder_);
    }

    DialogScript& dialogs() { return TestDialogScript(); }

    // Answers every asking of this question from now on (a later call replaces it). The
    // offer to ignore the common words of a chosen input file is declined.
    void answer(Question question, Answer answer);
    void answer(Question question, std::function<Answer(const ShownDialog&)> responder);
    // How often the question was asked, and how many dialogs of this title were shown.
    size_t countAsked(Question question) const;
    size_t countShown(ustring_view title) const;

    // A file of the given bytes in a scratch folder; its path.
    QString writeFile(const QString& name, const QByteArray& bytes) const;
    QString scratchPath(const QString& name) const { return scratch_.filePath(name); }

private:
    QTemporaryDir appData_;
    std::filesystem::path userDataFolder_;
    QTemporaryDir scratch_;
    std::unique_ptr<frmMain> window_;
    std::map<Question, std::function<Answer(const ShownDialog&)>> byQuestion_;
};

// Clicks a button, check box or option button where its caption starts, as a person would.
void Click(QAbstractButton* button);
// Picks an entry of a drop-down list as a person would.
void Pick(QComboBox* list, int index);
// Clicks the file button of the main window (0 input, 1 output) and answers its file dialog.
void ChooseFile(WindowFixture& f, frmMain& w, int index, const QString& path);
// Gives every command of the main window a use: an input counted, an output file named, a
// listing to clear; so that each is enabled.
void CountWithEveryCommandInUse(WindowFixture& f, frmMain& w);
// The output box as the person sees it once the program has drawn it.
QString Output(frmMain& w);
// The text of a button's caption without its mnemonic marker.
QString Caption(const QAbstractButton* button);
// Presses a key in window as a person would: it goes to the control that has the focus, and
// the window has done what the key started before the call returns.
void Press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {});
// The controls Tab visits from start (Shift+Tab when backwards), start first, until it comes
// back to start; atEach is called with each control once it has the focus.
std::vector<QWidget*> TabWalk(QWidget* start, bool backwards = false,
                              const std::function<void(QWidget*)>& atEach = {});
// Every control of window that Tab can reach now: enabled, shown, taking the focus by Tab;
// of a pair of option buttons only the chosen one, as the arrow keys move between them.
std::vector<QWidget*> TabStops(const QWidget* window);
// The controls' names, for comparing orders.
QStringList Names(const std::vector<QWidget*>& controls);
// Waits, running the event loop, until condition holds or timeoutMs passed.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000);
// Waits until window is the active one. (QTest's own wait is met at once while another window
// of the program is active.)
bool WaitForActive(const QWidget* window);

} // namespace qd::gui::test
