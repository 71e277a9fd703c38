#include "LanguageWindow.h"

#include "Fonts.h"
#include "QtText.h"
#include "ScreenFit.h"
#include "sources/Languages.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qd::gui {

namespace {

QString AcceptCaption(int index) {
    return toQ(LanguageChoiceAcceptCaption(index));
}

} // namespace

frmLanguageSelection::frmLanguageSelection(QWidget* parent) : QDialog(parent) {
    setObjectName("frmLanguageSelection");
    setWindowTitle("Quorvel Dorvane");
    lblQuestion = new QLabel("Ignore common words in which language?", this);
    lblQuestion->setObjectName("lblQuestion");
    cboCommonWordsFiles = new QComboBox(this);
    cboCommonWordsFiles->setObjectName("cboCommonWordsFiles");
    for (ustring_view name : LanguageChoiceNames)
        cboCommonWordsFiles->addItem(toQ(name));
    cmdAccept = new QPushButton(withMnemonic(AcceptCaption(0), 'L'), this);
    cmdAccept->setObjectName("cmdAccept");
    cmdCancel = new QPushButton(withMnemonic("Cancel", 'C'), this);
    cmdCancel->setObjectName("cmdCancel");
    lblQuestion->setBuddy(cboCommonWordsFiles);
    for (QWidget* w :
         std::initializer_list<QWidget*>{lblQuestion, cboCommonWordsFiles, cmdAccept, cmdCancel})
        w->setFont(RoleFont(FontRole::Arial));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAccept);
    buttons->addWidget(cmdCancel);
    auto* page = new QVBoxLayout(this);
    page->addWidget(lblQuestion);
    page->addWidget(cboCommonWordsFiles);
    page->addLayout(buttons);

    connect(cboCommonWordsFiles, &QComboBox::activated, this,
            [this] { cboCommonWordsFiles_Click(); });
    connect(cmdAccept, &QPushButton::clicked, this, [this] { cmdAccept_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmLanguageSelection::placeAt(const QWidget* command) {
    if (!command) return;
    // Where the command is, but inside the screen, so that both commands can be reached.
    adjustSize();
    move(PlaceWithinScreen(this, command->mapToGlobal(QPoint(0, 0))));
}

bool frmLanguageSelection::event(QEvent* event) {
    // Once the window manager has framed the window, the frame stays inside the screen too.
    if (event->type() == QEvent::WindowActivate) {
        const QPoint inside = PlaceWithinScreen(this, pos());
        if (inside != pos()) move(inside);
    }
    return QDialog::event(event);
}

void frmLanguageSelection::showEvent(QShowEvent* event) {
    cboCommonWordsFiles->setCurrentIndex(-1);
    cmdAccept->setEnabled(false);
    languageSelected = -1;
    cmdCancel->setFocus();
    QDialog::showEvent(event);
}

void frmLanguageSelection::cboCommonWordsFiles_Click() {
    const int index = cboCommonWordsFiles->currentIndex();
    if (index < 0) return;
    cmdAccept->setEnabled(true);
    cmdAccept->setText(withMnemonic(AcceptCaption(index), 'L'));
    if (cmdAccept->isVisible() && cmdAccept->isEnabled()) {
        cmdAccept->setFocus();
    } else {
        cmdCancel->setFocus();
    }
}

void frmLanguageSelection::cmdAccept_Click() {
    languageSelected = cboCommonWordsFiles->currentIndex();
    hide();
    accept();
}

void frmLanguageSelection::cmdCancel_Click() {
    languageSelected = -1;
    hide();
    reject();
}

} // namespace qd::gui
