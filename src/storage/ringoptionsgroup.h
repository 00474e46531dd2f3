#pragma once

#include "storage/nastaveni.h"

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QSpinBox;

namespace tavrok {

// "Zvonění" in the settings dialog: notices on the desktop, putting an alarm off, and late alarms.
class RingOptionsGroup : public QGroupBox {
    Q_OBJECT
public:
    RingOptionsGroup(QWidget* parent, int x, int y, int width);

    void zobraz(const TNastaveni& values);
    // Its options written into `values`, the others left as they are.
    void hodnoty(TNastaveni& values) const;

private:
    void enable();

    QCheckBox* chbOznameniNaPlose;
    QCheckBox* chbOdkladani;
    QSpinBox* speDelkaOdlozeni;
    QLabel* lblMinutOdlozeni;
    QCheckBox* chbNezvonitZpozdene;
    QSpinBox* speZpozdeni;
    QLabel* lblMinutZpozdeni;
};

} // namespace tavrok
