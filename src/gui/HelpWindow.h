#pragma once
// frmHelp, the help window: the help text in a resizable window placed over the main window.
// Created on its first showing; closing only hides it, so it keeps the size and place the
// person gave it.

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace qd::gui {

class frmMain;

class frmHelp : public QWidget {
    Q_OBJECT
public:
    explicit frmHelp(frmMain& main);

    QPlainTextEdit* txbHelpScreen = nullptr;
    QPushButton* cmdClose = nullptr;

    void cmdClose_Click();
    // Places the text box and the button for the window's present size.
    void Form_Resize();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    frmMain& main_;
    QSize firstOuterSize_; // until the first showing
};

} // namespace qd::gui
