#include "stopwatch/tfrmdalsitavrok.h"

#include "lang/messagetable.h"
#include "platform/questions.h"
#include "storage/inifile.h"
#include "widgets/centre.h"
#include "widgets/namedwidget.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <limits>

namespace tavrok {

TfrmDalsiTavrok::TfrmDalsiTavrok(Questions& questions, const MessageTable& messages, QWidget* parent)
    : QDialog(parent), questions_(questions), messages_(messages) {
    setObjectName(QStringLiteral("frmDalsiTavrok"));
    setWindowTitle(QString::fromUtf16(u"Další nastavení tavrek"));
    lblPoStopnuti = makeNamed<QLabel>(this, "lblPoStopnuti", u"Po stopnutí mezičasu:", 8, 8, 250, 16);
    chbZastavit = makeNamed<QCheckBox>(this, "chbZastavit", u"&Zastavit čas na Samostatném displeji", 8, 28, 250, 17);
    lblPoDobu = makeNamed<QLabel>(this, "lblPoDobu", u"po dobu", 24, 54, 50, 16);
    speZastavitDisplej = makeNamed<QSpinBox>(this, "speZastavitDisplej", {}, 78, 51, 100, 21);
    // At least a millisecond: a freeze of nothing would never end.
    speZastavitDisplej->setRange(MinFreezeMs, std::numeric_limits<int>::max());
    lblMs = makeNamed<QLabel>(this, "lblMs", u"ms", 184, 54, 20, 16);
    btnOK = makeNamed<QPushButton>(this, "btnOK", QStringLiteral("&OK"), 96, 84, 78, 25);
    btnStorno = makeNamed<QPushButton>(this, "btnStorno", QStringLiteral("&Storno"), 180, 84, 78, 25);
    btnOK->setDefault(true);
    // The client area ends 8 pixels right of and below btnStorno.
    setFixedSize(btnStorno->geometry().right() + 1 + 8, btnStorno->geometry().bottom() + 1 + 8);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnStorno, &QPushButton::clicked, this, &QDialog::reject);
    connect(chbZastavit, &QCheckBox::toggled, this, &TfrmDalsiTavrok::chbZastavitClick);
    nactiDalsiTvr({});
}

void TfrmDalsiTavrok::nactiDalsiTvr(const TDalsiTavrok& o) {
    chbZastavit->setChecked(o.zastavitDisplej);
    speZastavitDisplej->setValue(o.doba);
    chbZastavitClick();
}

TDalsiTavrok TfrmDalsiTavrok::hodnoty() const {
    return {chbZastavit->isChecked(), speZastavitDisplej->value()};
}

void TfrmDalsiTavrok::chbZastavitClick() {
    const bool on = chbZastavit->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{speZastavitDisplej, lblPoDobu, lblMs}) {
        w->setEnabled(on);
    }
}

TDalsiTavrok TfrmDalsiTavrok::otevriDalsiTvr(IniFile& settings) {
    const TDalsiTavrok stored = tavrok::nactiDalsiTvr(settings);
    nactiDalsiTvr(stored);
    if (!shownOnce_) {
        shownOnce_ = true;
        centreOnScreen(this);
    }
    if (exec() != QDialog::Accepted) {
        nactiDalsiTvr(stored); // the edits are dropped
        return stored;
    }
    const TDalsiTavrok edited = hodnoty();
    if (!ulozDalsiTvr(settings, edited)) {
        questions_.tell(fillPlaceholders(messages_.text(51), settings.path()), MessageIcon::Error);
    }
    return edited;
}

} // namespace tavrok
