#include "sound/notificationgroup.h"

#include "platform/audiodevice.h"
#include "platform/clock.h"
#include "platform/filedialogs.h"
#include "sound/soundmanager.h"
#include "storage/storagelocations.h"
#include "widgets/namedwidget.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <algorithm>
#include <limits>

namespace tavrok {

NotificationGroup::NotificationGroup(Services services, const Captions& c, QWidget* parent)
    : QGroupBox(parent), s_(std::move(services)) {
    setObjectName(QString::fromLatin1(c.groupName));
    setTitle(QString::fromUtf16(c.title));
    chbUpozornovat = makeNamed<QCheckBox>(this, c.checkName, c.check, 8, 20, 260, 17);
    rbtStandardniZvuk = makeNamed<QRadioButton>(this, "rbtStandardniZvuk", c.standard, 8, 42, 260, 17);
    rbtVlastniZvuk = makeNamed<QRadioButton>(this, "rbtVlastniZvuk", c.own, 8, 64, 260, 17);
    edtVlastniZvuk = makeNamed<QLineEdit>(this, "edtVlastniZvuk", {}, 24, 84, 164, 21);
    btnProchazetVlastni = makeNamed<QPushButton>(this, "btnProchazetVlastni", c.browseOwn, 192, 84, 82, 21);
    rbtNahodnyZvuk = makeNamed<QRadioButton>(this, "rbtNahodnyZvuk", c.random, 8, 110, 260, 17);
    edtNahodnyZvuk = makeNamed<QLineEdit>(this, "edtNahodnyZvuk", {}, 24, 130, 164, 21);
    btnProchazetNahodny = makeNamed<QPushButton>(this, "btnProchazetNahodny", c.browseRandom, 192, 130, 82, 21);
    chbOpakovat = makeNamed<QCheckBox>(this, "chbOpakovat", c.repeat, 8, 158, 260, 17);
    lblUpozornovat = makeNamed<QLabel>(this, "lblUpozornovat", u"Délka:", 8, 184, 48, 17);
    speDelka = makeNamed<QSpinBox>(this, "speDelka", {}, 60, 180, 96, 21);
    speDelka->setRange(0, std::numeric_limits<int>::max()); // milliseconds; none is typed below zero
    lblMs = makeNamed<QLabel>(this, "lblMs", QStringLiteral("ms"), 160, 184, 24, 17);
    lblDodatek = makeNamed<QLabel>(this, "lblDodatek", u"(0 = neustále)", 186, 184, 90, 17);
    btnPlay = makeNamed<QPushButton>(this, "btnPlay", QStringLiteral("\u25B6"), 8, 208, 40, 23);
    btnStop = makeNamed<QPushButton>(this, "btnStop", QStringLiteral("\u25A0"), 52, 208, 40, 23);
    chbUkoncitKliknutim = makeNamed<QCheckBox>(this, "chbUkoncitKliknutim", c.dismiss, 8, 240, 266, 17);
    for (QPushButton* b : {btnProchazetVlastni, btnProchazetNahodny, btnPlay, btnStop}) {
        b->setAutoDefault(false);
    }

    connect(btnPlay, &QPushButton::clicked, this, &NotificationGroup::btnPlayClick);
    connect(btnStop, &QPushButton::clicked, this, &NotificationGroup::btnStopClick);
    connect(btnProchazetVlastni, &QPushButton::clicked, this, [this] {
        const QString chosen = s_.files.chooseFile(QFileInfo(s_.expand(edtVlastniZvuk->text())).absolutePath(),
                                                   soundFilter_);
        if (!chosen.isEmpty()) {
            edtVlastniZvuk->setText(chosen);
        }
    });
    connect(btnProchazetNahodny, &QPushButton::clicked, this, [this] {
        const QString chosen = s_.files.chooseFolder(s_.expand(edtNahodnyZvuk->text()));
        if (!chosen.isEmpty()) {
            edtNahodnyZvuk->setText(chosen);
        }
    });
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{chbUpozornovat, rbtStandardniZvuk, rbtVlastniZvuk,
                                                                      rbtNahodnyZvuk}) {
        connect(b, &QAbstractButton::toggled, this, [this] {
            enable();
            emit changed();
        });
    }
    enable();
}

void NotificationGroup::zobraz(const NotificationOptions& n) {
    chbUpozornovat->setChecked(n.upozornovat);
    rbtStandardniZvuk->setChecked(!n.vlastniZvuk && !n.nahodnyZvuk);
    rbtVlastniZvuk->setChecked(n.vlastniZvuk);
    rbtNahodnyZvuk->setChecked(n.nahodnyZvuk && !n.vlastniZvuk);
    edtVlastniZvuk->setText(n.vlastniZvukCesta);
    edtNahodnyZvuk->setText(n.nahodnyZvukCesta);
    shownOwn_ = n.vlastniZvukCesta;
    shownRandom_ = n.nahodnyZvukCesta;
    chbOpakovat->setChecked(n.opakovat);
    // A negative length (an old or hand-edited file) is shown as it is and kept when not edited.
    speDelka->setMinimum(std::min(0, n.delka));
    speDelka->setValue(n.delka);
    chbUkoncitKliknutim->setChecked(n.ukoncitKliknutim);
    enable();
}

NotificationOptions NotificationGroup::hodnoty() const {
    NotificationOptions n;
    n.upozornovat = chbUpozornovat->isChecked();
    n.vlastniZvuk = rbtVlastniZvuk->isChecked();
    n.vlastniZvukCesta = pathOf(edtVlastniZvuk, shownOwn_);
    n.nahodnyZvuk = rbtNahodnyZvuk->isChecked();
    n.nahodnyZvukCesta = pathOf(edtNahodnyZvuk, shownRandom_);
    n.opakovat = chbOpakovat->isChecked();
    n.delka = speDelka->value();
    n.ukoncitKliknutim = chbUkoncitKliknutim->isChecked();
    return n;
}

QString NotificationGroup::pathOf(const QLineEdit* edit, const QString& shown) const {
    return edit->text() == shown ? shown : spravLomitka(edit->text());
}

void NotificationGroup::useOwnSound(const QString& path) {
    chbUpozornovat->setChecked(true);
    rbtVlastniZvuk->setChecked(true);
    edtVlastniZvuk->setText(path);
    enable();
}

void NotificationGroup::enable() {
    const bool on = chbUpozornovat->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{rbtStandardniZvuk, rbtVlastniZvuk, rbtNahodnyZvuk, chbOpakovat,
                                                      speDelka, lblUpozornovat, lblMs, lblDodatek,
                                                      chbUkoncitKliknutim}) {
        w->setEnabled(on);
    }
    const bool vlastni = on && rbtVlastniZvuk->isChecked();
    const bool nahodny = on && rbtNahodnyZvuk->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{edtVlastniZvuk, btnProchazetVlastni, btnPlay, btnStop}) {
        w->setEnabled(vlastni);
    }
    edtNahodnyZvuk->setEnabled(nahodny);
    btnProchazetNahodny->setEnabled(nahodny);
}

void NotificationGroup::btnPlayClick() {
    btnStopClick();
    const QString file = s_.expand(edtVlastniZvuk->text());
    if (!s_.audio.play(file)) {
        return; // a preview has no fallback
    }
    QString none;
    nahledZvuku_ = s_.sounds.prehrajZvuk(file, none, s_.clock.utcNow(), 0, false);
}

void NotificationGroup::btnStopClick() {
    if (nahledZvuku_ >= 0) {
        s_.sounds.ukoncitZvuk(nahledZvuku_);
        nahledZvuku_ = -1;
    }
}

} // namespace tavrok
