#pragma once
// What every window test shares: a fresh application-data folder, the dialog script switched
// on (no real dialog ever blocks a test), and helpers to find the dialogs that were shown.

#include "DialogScript.h"
#include "MainWindow.h"

#include <QString>
#include <functional>
#include <map>

class QAbstractButton;
#include <QTemporaryDir>
#include <memory>

namespace qd::gui::test {

class WindowFixture {
public:
    WindowFixture();
    ~WindowFixture();

    // A main window started as the program starts it, over the fixture's folder.
    frmMain& start();
    // Ends the window (as if the program had ended) and starts a new one over the same
    // application-data folder: what a restart of the program sees.
    frmMain& restart();
    frmMain& window() { return *window_; }

    DialogScript& dialogs() { return TestDialogScript(); }

    // Answers every message box of this title, from now on (a later call replaces it). The
    // offer to ignore the common words of a newly chosen input file (titled "Common words")
    // is declined unless a test answers it otherwise.
    void answer(ustring_view title, Answer answer);
    void answer(ustring_view title, std::function<Answer(const ShownDialog&)> responder);
    // The dialogs shown with this title (message boxes, prompts and file dialogs).
    std::vector<ShownDialog> shownWithTitle(ustring_view title) const;
    const ShownDialog* lastShown() const;

    // A file of the given bytes in a scratch folder; its path.
    QString writeFile(const QString& name, const QByteArray& bytes) const;
    QString scratchPath(const QString& name) const;
    const QTemporaryDir& appData() const { return appData_; }

private:
    QTemporaryDir appData_;
    QTemporaryDir scratch_;
    std::unique_ptr<frmMain> window_;
    std::map<ustring, std::function<Answer(const ShownDialog&)>, std::less<>> byTitle_;
};

// Clicks a button, check box or option button where its caption starts, as a person would.
void Click(QAbstractButton* button);

// The text of a caption without its mnemonic marker.
QString Caption(const QWidget* control);

// Waits, running the event loop, until condition holds or timeoutMs passed.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000);

} // namespace qd::gui::test
