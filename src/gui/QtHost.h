#pragma once
// The desktop host: the core's questions become real Qt dialogs, its output goes to the main
// window's output box and status labels, and its yields run the Qt event loop.

#include "DialogScript.h"
#include "text/Host.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QTimer;

namespace qd::gui {

// What a count run asks of the main window's own controls beyond the output box and labels.
class WindowControls {
public:
    virtual ~WindowControls() = default;
    virtual void setCountButtonCaption(ustring_view caption) = 0;
    virtual void setCountButtonEnabled(bool enabled) = 0;
    virtual void EnableMainControls(bool enabled) = 0;
    virtual void SetTheFocus() = 0;
    virtual void setElapsedTimerEnabled(bool enabled) = 0;
    virtual void showSettingsWindow() = 0;
    virtual void setSuppressWordsVisible(bool visible) = 0;
    // The "Output file" command's choice: the chosen path, empty when cancelled.
    virtual ustring chooseOutputFile() = 0;
};

class QtHost : public Host {
public:
    QtHost();
    ~QtHost() override;

    void setWindowControls(WindowControls* window) { window_ = window; }

    // The windows that own the dialogs. A dialog belongs to the window the person last
    // worked in, or that the program last brought forward, so that closing it gives that
    // window back and not the one behind it; to the main window when that one is hidden.
    void setDialogParent(QWidget* mainWindow) { parent_ = mainWindow; }
    void addDialogOwner(QWidget* window);
    void setDialogOwner(QWidget* window);
    QWidget* dialogOwner() const;

    // The widgets the core writes to.
    void setDialogFolder(ustring_view folder) override { dialogFolder_ = folder; }
    void bindOutput(QPlainTextEdit* output);
    void bindLabel(LabelId id, QLabel* label);

    // Called by settingsChanged(): the window brings its controls in line with the settings.
    std::function<void()> onSettingsChanged;

    void message(ustring_view text, ustring_view title, MsgIcon icon) override;
    Answer ask(Question question, ustring_view text, ustring_view title, MsgIcon icon,
               MsgButtons buttons, Answer defaultButton) override;
    std::optional<ustring> prompt(Question question, ustring_view text, ustring_view title,
                                  ustring_view defaultValue) override;
    ustring chooseOpenFile(ustring_view title, ustring_view filter,
                           ustring_view startPath) override;
    // Asks before an existing file is replaced.
    ustring chooseSaveFile(ustring_view title, ustring_view filter,
                           ustring_view startPath) override;
    // One or more existing files, in the order chosen; empty on cancel.
    std::vector<ustring> chooseOpenFiles(ustring_view title, ustring_view filter);
    // An existing folder; empty on cancel.
    ustring chooseFolder(ustring_view title);
    // confirmOverwrite false: for the output file, whose overwriting the program asks about
    // itself under the "warn on overwrite" setting.
    ustring chooseSaveFile(ustring_view title, ustring_view filter, ustring_view startPath,
                           bool confirmOverwrite);
    void processEvents() override;

    ustring outputText() const override;
    size_t outputLength() const override;
    void setOutputText(ustring_view text) override;
    void appendOutputText(ustring_view text) override;
    void setOutputCaret(bool atEnd) override;

    void setLabel(LabelId label, ustring_view caption) override;
    void setLabelVisible(LabelId label, bool visible) override;
    void setLabelStyle(LabelId label, LabelStyle style) override;
    void setLabelToolTip(LabelId label, ustring_view text) override;

    void repaint() override;
    void settingsChanged() override;

    // The main window's own controls, through its WindowControls.
    void setCountButtonCaption(ustring_view caption) override;
    void setCountButtonEnabled(bool enabled) override;
    void enableMainControls(bool enabled) override;
    void setTheFocus() override;
    void setElapsedTimerEnabled(bool enabled) override;
    void showSettingsWindow() override;
    void setSuppressWordsVisible(bool visible) override;
    ustring chooseOutputFile() override;

    // The clipboard's plain text; empty when it holds none.
    ustring clipboardText() const;

    // Puts text appended by the core into the output box now (otherwise it goes in within
    // kFlushIntervalMs, or when the core reads the box or a dialog opens).
    void flushOutput() const;
    // The output box was edited by the person: its length is measured again.
    void outputEditedByUser();

private:
    // A message box, asking question (none for a notice).
    Answer showBox(std::optional<Question> question, ustring_view text, ustring_view title,
                   MsgIcon icon, MsgButtons buttons, Answer defaultButton);
    ustring chooseFile(DialogKind kind, ustring_view title, ustring_view filter,
                       ustring_view startPath, bool confirmOverwrite);
    QLabel* label(LabelId id) const;

    QWidget* parent_ = nullptr;
    std::vector<QPointer<QWidget>> owners_; // besides the main window
    QPointer<QWidget> owner_;
    std::unique_ptr<QObject> ownerTracker_; // sees where the person clicks and types
    ustring dialogFolder_;
    WindowControls* window_ = nullptr;
    QPlainTextEdit* output_ = nullptr;
    std::array<QLabel*, 8> labels_{};

    // Words found during a count arrive one at a time; they are gathered here and put into
    // the box in one edit when the program yields, so the box is laid out once per batch.
    mutable ustring pendingAppend_;
    mutable bool pendingCaretAtEnd_ = false;
    static constexpr qint64 kFlushIntervalMs = 150;
    QTimer* flushTimer_ = nullptr;
    mutable QElapsedTimer lastFlush_;
    // The output box's length as the core counts it (CR LF counts two).
    size_t outputLength_ = 0;
    mutable bool updatingOutput_ = false;

    // What changed since the last repaint(): only that is drawn again at once.
    mutable bool outputDirty_ = false;
    std::array<bool, 8> labelDirty_{};
};

} // namespace qd::gui
