#include "storage/ringoptionsgroup.h"

#include "widgets/namedwidget.h"

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>

namespace tavrok {

RingOptionsGroup::RingOptionsGroup(QWidget* parent, int x, int y, int width) : QGroupBox(parent) {
    setObjectName(QStringLiteral("gpbZvoneni"));
    setTitle(QString::fromUtf16(u"Zvonění"));
    setGeometry(x, y, width, 90);
    chbOznameniNaPlose = makeNamed<QCheckBox>(this, "chbOznameniNaPlose", u"Oznámení na ploše", 8, 20, width - 16, 18);
    chbOdkladani = makeNamed<QCheckBox>(this, "chbOdkladani", u"Odložit o", 8, 42, 180, 18);
    speDelkaOdlozeni = makeNamed<QSpinBox>(this, "speDelkaOdlozeni", nullptr, 190, 40, 60, 21);
    lblMinutOdlozeni = makeNamed<QLabel>(this, "lblMinutOdlozeni", u"minut", 256, 43, 60, 16);
    chbNezvonitZpozdene = makeNamed<QCheckBox>(this, "chbNezvonitZpozdene",
                                               u"Nezvonit, je-li budík zpožděn o více než", 8, 64, 360, 18);
    speZpozdeni = makeNamed<QSpinBox>(this, "speZpozdeni", nullptr, 370, 62, 60, 21);
    lblMinutZpozdeni = makeNamed<QLabel>(this, "lblMinutZpozdeni", u"minut", 436, 65, 60, 16);
    speDelkaOdlozeni->setRange(NejkratsiOdlozeni, NejdelsiOdlozeni);
    speZpozdeni->setRange(NejmensiZpozdeni, NejvetsiZpozdeni);
    connect(chbOdkladani, &QCheckBox::toggled, this, &RingOptionsGroup::enable);
    connect(chbNezvonitZpozdene, &QCheckBox::toggled, this, &RingOptionsGroup::enable);
}

void RingOptionsGroup::zobraz(const TNastaveni& n) {
    chbOznameniNaPlose->setChecked(n.oznameniNaPlose);
    chbOdkladani->setChecked(n.odkladani);
    speDelkaOdlozeni->setValue(n.delkaOdlozeni);
    chbNezvonitZpozdene->setChecked(n.nezvonitZpozdene);
    speZpozdeni->setValue(n.zpozdeniMinut);
    enable();
}

void RingOptionsGroup::hodnoty(TNastaveni& n) const {
    n.oznameniNaPlose = chbOznameniNaPlose->isChecked();
    n.odkladani = chbOdkladani->isChecked();
    n.delkaOdlozeni = speDelkaOdlozeni->value();
    n.nezvonitZpozdene = chbNezvonitZpozdene->isChecked();
    n.zpozdeniMinut = speZpozdeni->value();
}

void RingOptionsGroup::enable() {
    speDelkaOdlozeni->setEnabled(chbOdkladani->isChecked());
    speZpozdeni->setEnabled(chbNezvonitZpozdene->isChecked());
}

} // namespace tavrok
