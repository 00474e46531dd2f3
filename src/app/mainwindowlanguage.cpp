// The language: applied to the main window, to every window it owns, and to the program's words.
#include "app/tfrmhlavniokno.h"
#include "app/tfrmoprogramu.h"
#include "countdown/countdownpanel.h"
#include "countdown/tfrmdalsiodpocit.h"
#include "display/tfrmdisplej.h"
#include "display/tfrmnastavenidispleje.h"
#include "display/tfrmseriovyport.h"
#include "lang/captions.h"
#include "platform/application.h"
#include "stopwatch/stopwatchpanel.h"
#include "stopwatch/tfrmdalsitavrok.h"
#include "storage/tfrmnastaveni.h"

#include <QFileInfo>

namespace tavrok {

void TfrmHlavniOkno::nactiJazyk() {
    const IniFile& file = state_.storage.languageIni();
    state_.nactiJazyk(Language(file.snapshot(), QFileInfo(file.path()).completeBaseName()));
    const Language& language = state_.language;
    useQtLanguage(language.qtLocale());
    applyCaptions(this, language, u"frmHlavniOkno");
    // The dialogs whose texts are all captions, by their sections.
    for (QWidget* dialog : std::initializer_list<QWidget*>{frmNastaveni_, countdownPanel_->frmDalsiOdpocit(),
                                                           stopwatchPanel_->frmDalsiTavrok()}) {
        if (dialog) {
            applyCaptions(dialog, language, dialog->objectName());
        }
    }
    if (frmOProgramu_) {
        frmOProgramu_->nactiJazyk(language);
    }
    frmDisplej_->nactiJazyk(language);
    frmNastaveniDispleje_->nactiJazyk(language);
    frmSeriovyPort_->nactiJazyk(language);
    onStateChanged(); // the toggle buttons show their role in the new words, the title its letter
}

} // namespace tavrok
