#include "PopUpWindow.h"

#include "Fonts.h"
#include "Twips.h"

#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace qd::gui {

frmPopUp::frmPopUp(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("frmPopUp");
    setModal(true);
    lblMessage = new QLabel(this);
    lblMessage->setObjectName("lblMessage");
    lblMessage->setFont(RoleFont(FontRole::Tahoma));
    lblMessage->setAlignment(Qt::AlignCenter);
    lblMessage->setFrameShape(QFrame::Box);
    lblMessage->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lblMessage);
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setSingleShot(false);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
}

void frmPopUp::PopUpInForm(QWidget* owner, const QString& strMessage, int intWidth, int intHeight,
                           int intInterval, int intTop, int intLeft) {
    const QPoint corner = owner ? owner->frameGeometry().topLeft() : QPoint();
    const QPoint offset = TwipsToPixels(intLeft, intTop, owner);
    const QSize size(TwipsToPixelsX(intWidth, owner), TwipsToPixelsY(intHeight, owner));
    lastPlace_ = QRect(offset, size);
    move(corner + offset);
    lblMessage->setText(strMessage);
    setFixedSize(size);
    lblMessage->setFixedWidth(size.width());
    Timer1->setInterval(intInterval);
    Timer1->start();
    exec();
    raise();
}

void frmPopUp::Timer1_Timer() {
    Timer1->stop();
    hide();
    done(QDialog::Accepted);
}

bool frmPopUp::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblMessage && event->type() == QEvent::MouseButtonRelease) {
        Timer1_Timer();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qd::gui
