#pragma once

class QApplication;

namespace tavrok {

// Program-wide set-up of the toolkit: style, font substitutes and Qt's own Czech texts for the
// standard buttons (Ano, Ne, Zrušit).
void setUpApplication(QApplication& app);

} // namespace tavrok
