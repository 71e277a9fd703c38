#include "QtHost.h"

#include "Fonts.h"
#include "QtText.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSpacerItem>
#include <QStyle>
#include <QTextCursor>
#include <QTimer>
#include <QTreeView>
#include <algorithm>

namespace qd::gui {

DialogScript& TestDialogScript() {
    static DialogScript script;
    return script;
}

namespace {

QMessageBox::Icon BoxIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return QMessageBox::Ok;
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton BoxButton(Answer answer) {
    switch (answer) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    case Answer::Retry:
        return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

// The answer a closed box gives: the button pressed; Escape or the close box means Cancel
// where there is one, else No, else Ok.
Answer AnswerOf(int button, MsgButtons buttons) {
    switch (button) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Retry:
        return Answer::Retry;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        break;
    }
    switch (buttons) {
    case MsgButtons::Ok:
        return Answer::Ok;
    case MsgButtons::YesNo:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

// The default button when the one asked for is not among the buttons: the first button.
Answer ValidDefault(MsgButtons buttons, Answer wanted) {
    const auto has = [&](Answer a) { return (BoxButtons(buttons) & BoxButton(a)) != 0; };
    if (has(wanted)) return wanted;
    switch (buttons) {
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        return Answer::Yes;
    case MsgButtons::RetryCancel:
        return Answer::Retry;
    default:
        return Answer::Ok;
    }
}

// The extension a save dialog adds to a name that has none: the one of a filter that offers a
// single kind of file ("Settings files (*.dvn)" gives "dvn"); empty otherwise.
QString SaveSuffix(ustring_view filter) {
    static const QRegularExpression single(R"(\(\*\.(\w+)\)\s*$)");
    const QRegularExpressionMatch match = single.match(toQ(filter));
    return match.hasMatch() ? match.captured(1) : QString();
}

QString WithSuffix(const QString& path, const QString& suffix) {
    if (path.isEmpty() || suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + '.' + suffix;
}

// A message box is laid out for its text alone, and the window manager cuts a longer title
// short ("Cli... pty"): the box is made wide enough for its title and the title bar's buttons.
void FitTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    QFont titleFont = QApplication::font(); // many window managers draw titles in bold
    titleFont.setBold(true);
    const int titleBarExtras = 4 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight) + 48;
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + titleBarExtras;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

// Qt's own file dialog opens small, with its size and date columns squeezed against the names.
void FitColumns(QFileDialog& dialog) {
    dialog.resize(dialog.sizeHint().expandedTo(QSize(820, 480)));
    auto* details = dialog.findChild<QTreeView*>("treeView");
    if (!details) return; // the desktop's own dialog is in use
    QHeaderView* header = details->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header->count(); ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
}

// Notes the window of every click and key press, so that the host knows which window the
// person works in.
class OwnerTracker : public QObject {
public:
    explicit OwnerTracker(std::function<void(QWidget*)> workedIn)
        : workedIn_(std::move(workedIn)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress) &&
            watched->isWidgetType())
            workedIn_(static_cast<QWidget*>(watched)->window());
        return false;
    }

private:
    std::function<void(QWidget*)> workedIn_;
};

template <class T> std::optional<T> PopFront(std::deque<T>& queue) {
    if (queue.empty()) return std::nullopt;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

} // namespace

QtHost::QtHost() = default;

QtHost::~QtHost() {
    if (ownerTracker_ && qApp) qApp->removeEventFilter(ownerTracker_.get());
}

void QtHost::addDialogOwner(QWidget* window) {
    owners_.emplace_back(window);
    if (ownerTracker_ || !qApp) return;
    ownerTracker_ = std::make_unique<OwnerTracker>([this](QWidget* worked) {
        // A dialog or a drop-down list is no window of its own for this purpose.
        if (worked == parent_ || std::find(owners_.begin(), owners_.end(), worked) != owners_.end())
            owner_ = worked;
    });
    qApp->installEventFilter(ownerTracker_.get());
}

void QtHost::setDialogOwner(QWidget* window) {
    owner_ = window;
}

QWidget* QtHost::dialogOwner() const {
    if (owner_ && owner_->isVisible()) return owner_;
    return parent_;
}

void QtHost::bindOutput(QPlainTextEdit* output) {
    output_ = output;
    flushTimer_ = new QTimer(output_);
    flushTimer_->setSingleShot(true);
    QObject::connect(flushTimer_, &QTimer::timeout, output_, [this] { flushOutput(); });
    QObject::connect(output_, &QPlainTextEdit::textChanged, output_, [this] {
        if (!updatingOutput_) outputEditedByUser();
    });
    outputEditedByUser();
}

void QtHost::bindLabel(LabelId id, QLabel* label) {
    labels_.at(size_t(id)) = label;
}

QLabel* QtHost::label(LabelId id) const {
    return labels_.at(size_t(id));
}

void QtHost::message(ustring_view text, ustring_view title, MsgIcon icon) {
    showBox(std::nullopt, text, title, icon, MsgButtons::Ok, Answer::Ok);
}

Answer QtHost::ask(Question question, ustring_view text, ustring_view title, MsgIcon icon,
                   MsgButtons buttons, Answer defaultButton) {
    return showBox(question, text, title, icon, buttons, defaultButton);
}

Answer QtHost::showBox(std::optional<Question> question, ustring_view text, ustring_view title,
                       MsgIcon icon, MsgButtons buttons, Answer defaultButton) {
    defaultButton = ValidDefault(buttons, defaultButton);
    DialogScript& script = TestDialogScript();
    if (script.active) {
        ShownDialog shown;
        shown.question = question;
        shown.text = ustring(text);
        shown.title = ustring(title);
        shown.icon = icon;
        shown.buttons = buttons;
        shown.defaultButton = defaultButton;
        shown.owner = dialogOwner();
        std::optional<Answer> answer;
        if (question && script.responder) answer = script.responder(shown);
        shown.scripted = !question || answer.has_value();
        script.shown.push_back(shown);
        return answer.value_or(defaultButton);
    }
    flushOutput();
    QMessageBox box(BoxIcon(icon), toQ(title), toWidgetLines(text), BoxButtons(buttons),
                    dialogOwner());
    box.setDefaultButton(BoxButton(defaultButton));
    FitTitle(box);
    return AnswerOf(box.exec(), buttons);
}

std::optional<ustring> QtHost::prompt(Question question, ustring_view text, ustring_view title,
                                      ustring_view defaultValue) {
    DialogScript& script = TestDialogScript();
    if (script.active) {
        const auto found = script.promptAnswers.find(question);
        std::optional<std::optional<ustring>> answer;
        if (found != script.promptAnswers.end()) answer = found->second;
        ShownDialog shown;
        shown.kind = DialogKind::Prompt;
        shown.question = question;
        shown.text = ustring(text);
        shown.title = ustring(title);
        shown.defaultValue = ustring(defaultValue);
        shown.owner = dialogOwner();
        shown.scripted = answer.has_value();
        script.shown.push_back(shown);
        return answer ? *answer : std::optional<ustring>(ustring(defaultValue));
    }
    flushOutput();
    QInputDialog dialog(dialogOwner());
    dialog.setWindowTitle(toQ(title));
    dialog.setLabelText(toWidgetLines(text));
    dialog.setTextValue(toQ(defaultValue));
    dialog.resize(dialog.sizeHint().expandedTo(QSize(480, 0)));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return fromQ(dialog.textValue());
}

ustring QtHost::chooseOpenFile(ustring_view title, ustring_view filter, ustring_view startPath) {
    return chooseFile(DialogKind::OpenFile, title, filter, startPath, false);
}

ustring QtHost::chooseSaveFile(ustring_view title, ustring_view filter, ustring_view startPath) {
    return chooseFile(DialogKind::SaveFile, title, filter, startPath, true);
}

std::vector<ustring> QtHost::chooseOpenFiles(ustring_view title, ustring_view filter) {
    const ustring chosen = chooseFile(DialogKind::OpenFiles, title, filter, u"", false);
    std::vector<ustring> paths;
    for (size_t from = 0; from < chosen.size();) {
        size_t end = chosen.find(u'\n', from);
        if (end == ustring::npos) end = chosen.size();
        if (end > from) paths.push_back(chosen.substr(from, end - from));
        from = end + 1;
    }
    return paths;
}

ustring QtHost::chooseFolder(ustring_view title) {
    return chooseFile(DialogKind::OpenFolder, title, u"", u"", false);
}

ustring QtHost::chooseSaveFile(ustring_view title, ustring_view filter, ustring_view startPath,
                               bool confirmOverwrite) {
    return chooseFile(DialogKind::SaveFile, title, filter, startPath, confirmOverwrite);
}

ustring QtHost::chooseFile(DialogKind kind, ustring_view title, ustring_view filter,
                           ustring_view startPath, bool confirmOverwrite) {
    const bool save = kind == DialogKind::SaveFile;
    // A settings file saved as "my" would be hidden by the "*.dvn" filter when loading.
    const QString suffix = save ? SaveSuffix(filter) : QString();
    DialogScript& script = TestDialogScript();
    if (script.active) {
        auto answer = PopFront(script.fileAnswers);
        ShownDialog shown;
        shown.kind = kind;
        shown.title = ustring(title);
        shown.filter = ustring(filter);
        shown.owner = dialogOwner();
        shown.scripted = answer.has_value();
        script.shown.push_back(shown);
        return fromQ(WithSuffix(toQ(answer.value_or(ustring())), suffix));
    }
    flushOutput();
    if (startPath.empty()) startPath = dialogFolder_;
    QFileDialog dialog(dialogOwner(), toQ(title), toQ(startPath), toQ(filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save                             ? QFileDialog::AnyFile
                       : kind == DialogKind::OpenFiles  ? QFileDialog::ExistingFiles
                       : kind == DialogKind::OpenFolder ? QFileDialog::Directory
                                                        : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
    // The dialog adds the extension itself, so that it asks about replacing the right file.
    dialog.setDefaultSuffix(suffix);
    FitColumns(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    if (kind == DialogKind::OpenFiles) return fromQ(dialog.selectedFiles().join(u'\n'));
    return fromQ(WithSuffix(dialog.selectedFiles().first(), suffix));
}

void QtHost::processEvents() {
    // Words found meanwhile go into the box when the flush timer says so, not at every yield.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

ustring QtHost::outputText() const {
    if (!output_) return pendingAppend_;
    flushOutput();
    return fromWidgetLines(output_->toPlainText());
}

size_t QtHost::outputLength() const {
    return outputLength_;
}

void QtHost::setOutputText(ustring_view text) {
    pendingAppend_.clear();
    pendingCaretAtEnd_ = false;
    outputLength_ = text.size();
    if (!output_) return;
    updatingOutput_ = true;
    output_->setPlainText(toWidgetLines(text));
    updatingOutput_ = false;
    outputDirty_ = true;
}

void QtHost::appendOutputText(ustring_view text) {
    if (text.empty()) return;
    pendingAppend_ += text;
    outputLength_ += text.size();
    if (flushTimer_ && !flushTimer_->isActive()) {
        // Every edit lays out the box's whole paragraph of words anew, which costs more the
        // longer it grows: the words go in together, a few times a second.
        const qint64 since = lastFlush_.isValid() ? lastFlush_.elapsed() : kFlushIntervalMs;
        flushTimer_->start(int(std::max<qint64>(0, kFlushIntervalMs - since)));
    }
}

void QtHost::flushOutput() const {
    if (flushTimer_) flushTimer_->stop();
    lastFlush_.start();
    if (!output_) return;
    if (pendingAppend_.empty() && !pendingCaretAtEnd_) return;
    updatingOutput_ = true;
    if (!pendingAppend_.empty()) {
        QTextCursor end(output_->document());
        end.movePosition(QTextCursor::End);
        end.insertText(toWidgetLines(pendingAppend_));
        pendingAppend_.clear();
    }
    if (pendingCaretAtEnd_) {
        pendingCaretAtEnd_ = false;
        QTextCursor caret = output_->textCursor();
        caret.movePosition(QTextCursor::End);
        output_->setTextCursor(caret);
        output_->ensureCursorVisible();
    }
    updatingOutput_ = false;
    outputDirty_ = true;
}

void QtHost::setOutputCaret(bool atEnd) {
    if (atEnd && !pendingAppend_.empty()) {
        pendingCaretAtEnd_ = true;
        return;
    }
    pendingCaretAtEnd_ = false;
    if (!output_) return;
    flushOutput();
    QTextCursor caret = output_->textCursor();
    caret.movePosition(atEnd ? QTextCursor::End : QTextCursor::Start);
    output_->setTextCursor(caret);
    output_->ensureCursorVisible();
    outputDirty_ = true;
}

void QtHost::outputEditedByUser() {
    if (!output_) return;
    outputLength_ = fromWidgetLines(output_->toPlainText()).size() + pendingAppend_.size();
}

void QtHost::setLabel(LabelId id, ustring_view caption) {
    QLabel* l = label(id);
    if (!l) return;
    QString text = toQ(caption);
    if (id == LabelId::Twirler) {
        for (QChar& c : text)
            c = TwirlerGlyph(c.unicode());
    }
    if (l->text() == text) return;
    l->setText(text);
    labelDirty_.at(size_t(id)) = true;
}

void QtHost::setLabelToolTip(LabelId id, ustring_view text) {
    if (QLabel* l = label(id)) l->setToolTip(toWidgetLines(text));
}

void QtHost::setLabelVisible(LabelId id, bool visible) {
    QLabel* l = label(id);
    if (!l) return;
    // A hidden count no longer describes what the output box shows: shown again before it is
    // filled anew (the first words of the next count), the label is blank, not the old count.
    const bool countLabel = id == LabelId::NumberOfWords || id == LabelId::NumWordsExcluded ||
                            id == LabelId::NumOccurrences || id == LabelId::TotalNumOccurrences;
    if (!visible && countLabel && !l->text().isEmpty()) {
        l->clear();
        labelDirty_.at(size_t(id)) = true;
    }
    if (l->isVisibleTo(l->parentWidget()) == visible) return;
    l->setVisible(visible);
    labelDirty_.at(size_t(id)) = true;
}

void QtHost::setLabelStyle(LabelId id, LabelStyle style) {
    QLabel* l = label(id);
    if (!l) return;
    QFont font =
        RoleFont(style == LabelStyle::ProgressBar ? FontRole::CourierNew : FontRole::Arial, 10);
    font.setBold(style == LabelStyle::ProgressBar);
    l->setFont(font);
    l->setAlignment((style == LabelStyle::RightAligned ? Qt::AlignRight : Qt::AlignLeft) |
                    Qt::AlignVCenter);
    l->setVisible(true);
    labelDirty_.at(size_t(id)) = true;
}

void QtHost::repaint() {
    // Only what changed is drawn now: a whole-window repaint after every line read would
    // cost more than the reading.
    if (output_ && outputDirty_) output_->viewport()->repaint();
    outputDirty_ = false;
    for (size_t i = 0; i < labels_.size(); ++i) {
        if (labels_[i] && labelDirty_[i] && labels_[i]->isVisible()) labels_[i]->repaint();
        labelDirty_[i] = false;
    }
}

void QtHost::settingsChanged() {
    if (onSettingsChanged) onSettingsChanged();
}

void QtHost::setCountButtonCaption(ustring_view caption) {
    if (window_) window_->setCountButtonCaption(caption);
}

void QtHost::setCountButtonEnabled(bool enabled) {
    if (window_) window_->setCountButtonEnabled(enabled);
}

void QtHost::enableMainControls(bool enabled) {
    if (window_) window_->EnableMainControls(enabled);
}

void QtHost::setTheFocus() {
    if (window_) {
        window_->SetTheFocus();
    } else {
        setLabel(LabelId::Twirler, u" ");
    }
}

void QtHost::setElapsedTimerEnabled(bool enabled) {
    if (window_) window_->setElapsedTimerEnabled(enabled);
}

void QtHost::showSettingsWindow() {
    if (window_) window_->showSettingsWindow();
}

void QtHost::setSuppressWordsVisible(bool visible) {
    if (window_) window_->setSuppressWordsVisible(visible);
}

ustring QtHost::chooseOutputFile() {
    return window_ ? window_->chooseOutputFile() : ustring();
}

ustring QtHost::clipboardText() const {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? fromQ(clipboard->text()) : ustring();
}

} // namespace qd::gui
