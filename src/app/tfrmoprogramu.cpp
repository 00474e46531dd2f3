#include "app/tfrmoprogramu.h"

#include "app/programicon.h"
#include "lang/captions.h"
#include "lang/language.h"
#include "lang/messagetable.h"
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
    lblNazev = makeNamed<QLabel>(this, "lblNazev", 90, 14, 250, 24);
    lblNazev->setText(StorageLocations::ProgramName);
    QFont big = lblNazev->font();
    big.setPixelSize(20);
    big.setBold(true);
    lblNazev->setFont(big);
    lblVerze = makeNamed<QLabel>(this, "lblVerze", 90, 42, 250, 16);
    lblAutori = makeNamed<QLabel>(this, "lblAutori", u"Autoři: vývojáři programu Tavrok", 90, 62, 250, 16);
    lblLicence = makeNamed<QLabel>(this, "lblLicence", u"Všechna práva vyhrazena.", 90, 82, 250, 16);
    lblVerzeJazyka = makeNamed<QLabel>(this, "lblVerzeJazyka", 12, 112, 328, 16);
    memAutorCesky = makeNamed<QLabel>(this, "memAutorCesky", 12, 130, 328, 30);
    lblVerzeJazykaEn = makeNamed<QLabel>(this, "lblVerzeJazykaEn", 12, 164, 328, 16);
    memAutorEnglish = makeNamed<QLabel>(this, "memAutorEnglish", 12, 182, 328, 30);
    for (QLabel* l : {lblAutori, lblLicence, memAutorCesky, memAutorEnglish}) {
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    btnOK = makeNamed<QPushButton>(this, "btnOK", QStringLiteral("&OK"), 264, 220, 76, 25);
    btnOK->setDefault(true);
    setFixedSize(btnOK->geometry().right() + 1 + 8, btnOK->geometry().bottom() + 1 + 8);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    nactiJazyk(Language());
}

void TfrmOProgramu::nactiJazyk(const Language& language) {
    applyCaptions(this, language, u"frmOProgramu");
    lblVerze->setText(fillPlaceholders(language.word(u"frmOProgramu", u"lblVerze"), StorageLocations::ProgramVersion));
    lblVerzeJazyka->setText(QString::fromUtf16(u"Verze načteného jazyka: ") + language.version());
    lblVerzeJazykaEn->setText(QStringLiteral("Version of loaded language: ") + language.versionEnglish());
    memAutorCesky->setText(language.authorCzech());
    memAutorEnglish->setText(language.authorEnglish());
}

} // namespace tavrok
