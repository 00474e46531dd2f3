#pragma once

class QApplication;
class QString;

namespace tavrok {

// Program-wide set-up of the toolkit: style, font substitutes and Qt's own Czech texts for the
// standard buttons (Ano, Ne, Zrušit).
void setUpApplication(QApplication& app);

// Qt's own texts (standard buttons, file, colour, font and print dialogs) in a language: "cs", "en",
// ...; English where Qt has no translation for it.
void useQtLanguage(const QString& locale);

} // namespace tavrok
