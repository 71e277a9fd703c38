#pragma once
// frmLanguageSelection: asks in which language the common words to ignore are, before the
// settings window loads that language's common-words file.

#include "text/UString.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace qd::gui {

class frmLanguageSelection : public QDialog {
    Q_OBJECT
public:
    explicit frmLanguageSelection(QWidget* parent);

    QLabel* lblQuestion = nullptr; // "Ignore common words in which language?"
    QComboBox* cboCommonWordsFiles = nullptr;
    QPushButton* cmdAccept = nullptr;
    QPushButton* cmdCancel = nullptr;

    // The chosen entry of cboCommonWordsFiles, or -1 when nothing was chosen.
    int languageSelected = -1;

    // Puts the window where the command that opens it is on the screen, moved back inside the
    // screen where it would reach past an edge.
    void placeAt(const QWidget* command);

    void cboCommonWordsFiles_Click();
    void cmdAccept_Click();
    void cmdCancel_Click();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

} // namespace qd::gui
