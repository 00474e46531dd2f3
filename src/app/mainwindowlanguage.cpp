// The language: applied to the main window, to every window it owns, and to the program's words.
#include "alarms/alarmpanel.h"
#include "alarms/tfrmdalsibudik.h"
#include "alarms/tfrmzmeskanebudiky.h"
#include "app/tfrmhlavniokno.h"
#include "display/separatedisplay.h"
#include "display/seriallines.h"
#include "app/tfrmoprogramu.h"
#include "countdown/countdownpanel.h"
#include "countdown/tfrmdalsiodpocit.h"
#include "display/tfrmdisplej.h"
#include "display/tfrmnastavenidispleje.h"
#include "display/tfrmseriovyport.h"
#include "lang/captions.h"
#include "platform/application.h"
#include "sound/notificationgroup.h"
#include "stopwatch/stopwatchpanel.h"
#include "stopwatch/tfrmdalsitavrok.h"
#include "stopwatch/tfrmmezicasy.h"
#include "storage/tfrmnastaveni.h"
#include "widgets/clicklabel.h"

#include <QFileInfo>

namespace tavrok {

void TfrmHlavniOkno::nactiJazyk() {
    const IniFile& file = state_.storage.languageIni();
    state_.nactiJazyk(Language(file.snapshot(), QFileInfo(file.path()).completeBaseName()));
    const Language& language = state_.language;
    useQtLanguage(language.qtLocale());
    applyCaptions(this, language, u"frmHlavniOkno");
    // The dialogs are built at their first opening: each takes the language then, and again at every
    // change while it exists.
    const auto captions = [this](QWidget& dialog) {
        applyCaptions(&dialog, state_.language, dialog.objectName());
    };
    const auto soundFilter = [this](QWidget& dialog) {
        for (NotificationGroup* group : dialog.findChildren<NotificationGroup*>()) {
            group->setSoundFilter(state_.language.word(u"frmDalsiBudik", u"soundFilter"));
        }
    };
    frmNastaveni_.setDress(captions);
    stopwatchPanel_->dalsiTavrok().setDress(captions);
    alarmPanel_->zmeskaneBudiky().setDress(captions);
    countdownPanel_->dalsiOdpocit().setDress([=](TfrmDalsiOdpocit& d) {
        captions(d);
        soundFilter(d);
    });
    alarmPanel_->dalsiBudik().setDress([=, this](TfrmDalsiBudik& d) {
        captions(d);
        d.showDayNames(state_.dayNames);
        soundFilter(d);
    });
    stopwatchPanel_->mezicasy().setDress([this](TfrmMezicasy& d) { d.nactiJazyk(state_.language); });
    serialLines_->seriovyPortDialog().setDress([this](TfrmSeriovyPort& d) { d.nactiJazyk(state_.language); });
    display_->nastaveniDispleje().setDress([this](TfrmNastaveniDispleje& d) { d.nactiJazyk(state_.language); });
    frmNastaveni_.redress();
    stopwatchPanel_->dalsiTavrok().redress();
    alarmPanel_->zmeskaneBudiky().redress();
    countdownPanel_->dalsiOdpocit().redress();
    alarmPanel_->dalsiBudik().redress();
    stopwatchPanel_->mezicasy().redress(); // and it shows its file's line again
    serialLines_->seriovyPortDialog().redress();
    if (frmOProgramu_) {
        frmOProgramu_->nactiJazyk(language);
    }
    display_->frmDisplej().nactiJazyk(language);
    display_->nastaveniDispleje().redress();
    layOutFunctionLabels();
    onStateChanged(); // the toggle buttons show their role in the new words, the title its letter
}

// The three function tabs keep their row from x 10 to 167: each as wide as its caption needs (never
// narrower than drawn), the first at the left end, the last at the right one, the middle one centred
// in the gap between them.
void TfrmHlavniOkno::layOutFunctionLabels() {
    const int left = 10;
    const int right = 167;
    const auto width = [](ClickLabel* l, int drawn) {
        return std::max(drawn, l->fontMetrics().horizontalAdvance(l->text()) + 4);
    };
    const int wBudik = width(lblFceBudik, 28);
    const int wTavrok = width(lblFceTavrok, 33);
    const int wOdpocit = width(lblFceOdpocit, 65);
    const int y = lblFceBudik->y();
    const int h = lblFceBudik->height();
    lblFceBudik->setGeometry(left, y, wBudik, h);
    lblFceOdpocit->setGeometry(right - wOdpocit, y, wOdpocit, h);
    const int gapStart = left + wBudik;
    const int gapEnd = right - wOdpocit;
    lblFceTavrok->setGeometry(gapStart + (gapEnd - gapStart - wTavrok) / 2, y, wTavrok, h);
}

} // namespace tavrok
