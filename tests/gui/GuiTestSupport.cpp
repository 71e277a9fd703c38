#include "GuiTestSupport.h"

#include "QtText.h"
#include "text/Folders.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>

namespace qd::gui::test {

namespace {

// The offscreen platform cannot raise windows or pass size hints; saying so for every window
// buries what a failing test prints.
QtMessageHandler standardHandler = nullptr;

void QuietPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith("This plugin does not support")) return;
    if (standardHandler) standardHandler(type, context, text);
}

} // namespace

WindowFixture::WindowFixture() {
    // Installed here, after the test framework's own handler, which it passes the rest to.
    if (!standardHandler) standardHandler = qInstallMessageHandler(QuietPlatformNotes);
    TestDialogScript().reset();
    TestDialogScript().active = true;
    TestDialogScript().responder = [this](const ShownDialog& d) -> std::optional<Answer> {
        const auto found = byQuestion_.find(*d.question);
        if (found == byQuestion_.end()) return std::nullopt;
        return found->second(d);
    };
    answer(Question::IgnoreCommonWords, Answer::No);
}

WindowFixture::~WindowFixture() {
    window_.reset();
    TestDialogScript().reset();
}

void WindowFixture::answer(Question question, Answer answer) {
    byQuestion_[question] = [answer](const ShownDialog&) { return answer; };
}

void WindowFixture::answer(Question question, std::function<Answer(const ShownDialog&)> responder) {
    byQuestion_[question] = std::move(responder);
}

size_t WindowFixture::countAsked(Question question) const {
    const auto& shown = TestDialogScript().shown;
    return std::count_if(shown.begin(), shown.end(),
                         [&](auto& d) { return d.question == question; });
}

size_t WindowFixture::countShown(ustring_view title) const {
    const auto& shown = TestDialogScript().shown;
    return std::count_if(shown.begin(), shown.end(), [&](auto& d) { return d.title == title; });
}

frmMain& WindowFixture::start() {
    return start(appData_.path().toStdString());
}

frmMain& WindowFixture::start(const std::filesystem::path& userDataFolder) {
    userDataFolder_ = userDataFolder;
    MainWindowOptions options;
    options.userDataFolder = userDataFolder;
    // The data files beside the test executables, as in the build tree.
    options.environment = {.tempRoot = SystemTempRoot(),
                           .programFolder = QCoreApplication::applicationDirPath().toStdString()};
    window_ = std::make_unique<frmMain>(options);
    window_->Form_Load();
    return *window_;
}

QString WindowFixture::writeFile(const QString& name, const QByteArray& bytes) const {
    const QString path = scratch_.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

void Pick(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void ChooseFile(WindowFixture& f, frmMain& w, int index, const QString& path) {
    f.dialogs().fileAnswers.push_back(fromQ(path));
    Click(w.cmdFile[index]);
}

void CountWithEveryCommandInUse(WindowFixture& f, frmMain& w) {
    ChooseFile(f, w, 0, f.writeFile("in.txt", "some words to count\r\n"));
    ChooseFile(f, w, 1, f.scratchPath("list.txt"));
    Click(w.cmdListWords);
    w.Timer1_Timer();
}

QString Output(frmMain& w) {
    w.host().flushOutput();
    return w.txbOutput->toPlainText();
}

QString Caption(const QAbstractButton* button) {
    return withoutMnemonic(button->text());
}

void Press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(window->window()->windowHandle(), key, modifiers);
    // What the key set going (a layout, a repaint) happens before a person's next key.
    QCoreApplication::processEvents();
}

std::vector<QWidget*> TabWalk(QWidget* start, bool backwards,
                              const std::function<void(QWidget*)>& atEach) {
    start->setFocus(Qt::TabFocusReason);
    std::vector<QWidget*> visited{start};
    if (atEach) atEach(start);
    // A window has far fewer controls; more steps mean Tab never comes back.
    for (int step = 0; step < 200; ++step) {
        if (backwards) {
            Press(start, Qt::Key_Backtab, Qt::ShiftModifier);
        } else {
            Press(start, Qt::Key_Tab);
        }
        QWidget* now = QApplication::focusWidget();
        if (now == start || !now) break;
        visited.push_back(now);
        if (atEach) atEach(now);
    }
    return visited;
}

std::vector<QWidget*> TabStops(const QWidget* window) {
    std::vector<QWidget*> stops;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || !w->isVisible() || !w->isEnabled() || w->focusProxy() ||
            !(w->focusPolicy() & Qt::TabFocus))
            continue;
        const auto* option = qobject_cast<const QRadioButton*>(w);
        if (option && option->autoExclusive() && !option->isChecked()) continue;
        stops.push_back(w);
    }
    return stops;
}

QStringList Names(const std::vector<QWidget*>& controls) {
    QStringList names;
    for (const QWidget* w : controls)
        names.append(w ? w->objectName() : QString("(none)"));
    return names;
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs) return false;
        QTest::qWait(10);
    }
    return true;
}

bool WaitForActive(const QWidget* window) {
    return WaitFor([window] { return QApplication::activeWindow() == window; }, 5000);
}

} // namespace qd::gui::test
