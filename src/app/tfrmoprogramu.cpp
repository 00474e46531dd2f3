#include "app/tfrmoprogramu.h"

#include "app/programicon.h"
#include "storage/storagelocations.h"
#include "widgets/namedwidget.h"

#include <QLabel>
#include <QPushButton>

namespace tavrok {

TfrmOProgramu::TfrmOProgramu(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmOProgramu"));
    setWindowTitle(QStringLiteral("O programu Tavrok"));
    imgIkona = makeNamed<QLabel>(this, "imgIkona", 12, 12, 64, 64);
    imgIkona->setPixmap(QPixmap::fromImage(drawProgramIcon(64)));
    lblNazev = makeNamed<QLabel>(this, "lblNazev", StorageLocations::ProgramName, 90, 14, 230, 24);
    QFont big = lblNazev->font();
    big.setPixelSize(20);
    big.setBold(true);
    lblNazev->setFont(big);
    lblVerze = makeNamed<QLabel>(this, "lblVerze", QStringLiteral("Verze ") + StorageLocations::ProgramVersion, 90,
                                 42, 230, 16);
    lblAutori = makeNamed<QLabel>(this, "lblAutori", u"Autoři: vývojáři programu Tavrok", 90, 62, 230, 16);
    lblLicence = makeNamed<QLabel>(this, "lblLicence", u"Všechna práva vyhrazena.", 90, 82, 230, 16);
    for (QLabel* l : {lblAutori, lblLicence}) {
        l->setWordWrap(true);
    }
    btnOK = makeNamed<QPushButton>(this, "btnOK", QStringLiteral("&OK"), 244, 110, 76, 25);
    btnOK->setDefault(true);
    setFixedSize(btnOK->geometry().right() + 1 + 8, btnOK->geometry().bottom() + 1 + 8);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace tavrok
