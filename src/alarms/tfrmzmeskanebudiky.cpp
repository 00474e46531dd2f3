#include "alarms/tfrmzmeskanebudiky.h"

#include "lang/language.h"
#include "lang/messagetable.h"
#include "platform/questions.h"
#include "storage/inifile.h"
#include "storage/inivalues.h"
#include "widgets/centre.h"
#include "widgets/namedwidget.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace tavrok {

namespace {
constexpr const char16_t* ZaBehu1 = u"Během doby, kdy nebyl program Tavrok";
constexpr const char16_t* ZaBehu2 = u"spuštěný byly zmeškány tyto budíky:";
} // namespace

TfrmZmeskaneBudiky::TfrmZmeskaneBudiky(Services services, QWidget* parent) : QDialog(parent), s_(std::move(services)) {
    setObjectName(QStringLiteral("frmZmeskaneBudiky"));
    setWindowTitle(QString::fromUtf16(u"Zmeškané budíky"));
    lblText1 = makeNamed<QLabel>(this, "lblText1", ZaBehu1, 8, 8, 330, 16);
    lblText2 = makeNamed<QLabel>(this, "lblText2", ZaBehu2, 8, 24, 330, 16);
    cbxBudiky = makeNamed<QComboBox>(this, "cbxBudiky", 8, 46, 330, 22);
    btnZprava = makeNamed<QPushButton>(this, "btnZprava", u"&Zobrazit zprávu", 8, 76, 120, 25);
    btnOK = makeNamed<QPushButton>(this, "btnOK", u"&OK", 262, 76, 76, 25);
    btnOK->setDefault(true);
    btnZprava->setAutoDefault(false);
    // The client area ends 8 pixels right of and below btnOK.
    setFixedSize(btnOK->geometry().right() + 1 + 8, btnOK->geometry().bottom() + 1 + 8);
    connect(btnZprava, &QPushButton::clicked, this, &TfrmZmeskaneBudiky::btnZpravaClick);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmZmeskaneBudiky::naplnSeznam(const ZmeskaneBudiky& missed, const Language& language) {
    // Found in imported alarms, they were not missed while the program was off: the words say so.
    if (missed.poImportu) {
        lblText1->setText(language.word(u"frmZmeskaneBudiky", u"lblText1Import"));
        lblText2->setText(language.word(u"frmZmeskaneBudiky", u"lblText2Import"));
    } else {
        lblText1->setText(language.text(u"frmZmeskaneBudiky", u"lblText1", QString::fromUtf16(ZaBehu1)));
        lblText2->setText(language.text(u"frmZmeskaneBudiky", u"lblText2", QString::fromUtf16(ZaBehu2)));
    }
    cbxBudiky->clear();
    zmeskaneNazvyZobrazene_.clear();
    // The older rings that are only counted come first, as they came first.
    if (missed.dalsi > 0) {
        const QStringView word = missed.dalsiNejmene ? u"dalsiNejmene" : u"dalsi";
        cbxBudiky->addItem(fillPlaceholders(language.word(u"frmZmeskaneBudiky", word), QString::number(missed.dalsi)));
        zmeskaneNazvyZobrazene_ << QString();
    }
    for (const ZmeskanyBudik& m : missed.seznam) {
        cbxBudiky->addItem(formatIniDateTime(m.datum) + QStringLiteral(" - ") + m.nazev);
        zmeskaneNazvyZobrazene_ << m.nazev;
    }
    cbxBudiky->setCurrentIndex(cbxBudiky->count() > 0 ? 0 : -1);
}

void TfrmZmeskaneBudiky::zobraz(const ZmeskaneBudiky& missed, const Language& language) {
    naplnSeznam(missed, language);
    centreOnScreen(this);
    exec();
}

void TfrmZmeskaneBudiky::btnZpravaClick() {
    if (cbxBudiky->count() == 0) {
        s_.questions.tell(s_.messages.text(50), MessageIcon::Error);
        return;
    }
    const int index = cbxBudiky->currentIndex();
    if (index < 0 || index >= zmeskaneNazvyZobrazene_.size() || zmeskaneNazvyZobrazene_[index].isEmpty()) {
        return; // the line that counts the older rings names no alarm
    }
    // The message as the file has it now; it may be empty.
    const QString zprava = s_.alarms().readString(zmeskaneNazvyZobrazene_[index], u"zprava");
    s_.questions.tell(zprava, MessageIcon::None);
}

} // namespace tavrok
