#pragma once
// frmPopUp: a short message shown for a set time, modal, then hidden; a click on the message
// hides it at once. Sizes and places are in twips.

#include <QDialog>

class QLabel;
class QTimer;

namespace qd::gui {

class frmPopUp : public QDialog {
    Q_OBJECT
public:
    explicit frmPopUp(QWidget* parent);

    QLabel* lblMessage = nullptr;
    QTimer* Timer1 = nullptr;

    // The pop-up proper: placed intTop and intLeft below and right of the owner's top left
    // corner, intWidth by intHeight, shown modally until intInterval milliseconds have passed
    // or the message is clicked.
    void PopUpInForm(QWidget* owner, const QString& strMessage, int intWidth, int intHeight,
                     int intInterval, int intTop, int intLeft);
    void PopUpInForm2(QWidget* owner, const QString& strMessage, int intWidth, int intHeight,
                      int intInterval, int intTop, int intLeft) {
        PopUpInForm(owner, strMessage, intWidth, intHeight, intInterval, intTop, intLeft);
    }

    // The place of the last pop-up relative to its owner, in pixels, as computed from twips.
    QRect lastPlace() const { return lastPlace_; }

    void Timer1_Timer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRect lastPlace_;
};

} // namespace qd::gui
