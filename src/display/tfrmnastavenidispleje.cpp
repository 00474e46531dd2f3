#include "display/tfrmnastavenidispleje.h"

#include "display/displaypicture.h"
#include "display/displayselection.h"
#include "display/tfrmdisplej.h"
#include "lang/captions.h"
#include "lang/messagetable.h"
#include "platform/filedialogs.h"
#include "platform/pickers.h"
#include "platform/questions.h"
#include "storage/inifile.h"
#include "widgets/centre.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFontInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>

namespace tavrok {

namespace {

int alignmentIndex(Alignment a) {
    return static_cast<int>(a.v) * 3 + static_cast<int>(a.h);
}

Alignment alignmentAt(const std::array<QRadioButton*, 9>& square) {
    for (int i = 0; i < 9; ++i) {
        if (square[static_cast<size_t>(i)]->isChecked()) {
            return {static_cast<HAlign>(i % 3), static_cast<VAlign>(i / 3)};
        }
    }
    return {};
}

QColor panelColour(const QPushButton* panel) {
    return panel->property("colour").value<QColor>();
}

} // namespace

TfrmNastaveniDispleje::TfrmNastaveniDispleje(Services services, QWidget* parent)
    : QDialog(parent), s_(std::move(services)) {
    setObjectName(QStringLiteral("frmNastaveniDispleje"));
    setWindowTitle(QString::fromUtf16(u"Nastavení Samostatného displeje"));
    setModal(false);
    buildControls();
    nactiNastaveniDispleje({});
    connectControls();
    nactiJazyk(language_);
}

TfrmNastaveniDispleje::~TfrmNastaveniDispleje() {
    releasePipety(); // the Pause key goes back to the desktop
}

void TfrmNastaveniDispleje::nactiJazyk(const Language& language) {
    language_ = language;
    applyCaptions(this, language_, u"frmNastaveniDispleje");
    showUnits();
    const Selection sel = selectionFromRange(range_);
    const RangeCaptions captions = rangeCaptions(sel.start, sel.length, language_);
    lblZobrazitOd->setText(captions.od);
    lblZobrazitDo->setText(captions.do_);
}

void TfrmNastaveniDispleje::connectControls() {
    const auto changes = [this](auto* w, auto signal) { connect(w, signal, this, [this] { change(); }); };
    for (QRadioButton* r : findChildren<QRadioButton*>()) {
        changes(r, &QRadioButton::toggled);
    }
    for (QCheckBox* c : findChildren<QCheckBox*>()) {
        connect(c, &QCheckBox::toggled, this, [this] {
            enable();
            change();
        });
    }
    for (QLineEdit* e : {edtObrazek, edtZleva, edtShora, edtVelikost}) {
        changes(e, &QLineEdit::textChanged);
    }
    changes(speSkrytOvladani, &QSpinBox::valueChanged);
    // The spin box and the slider show one value.
    connect(spePolopruhlednost, &QSpinBox::valueChanged, tbrPolopruhlednost, &QSlider::setValue);
    connect(tbrPolopruhlednost, &QSlider::valueChanged, spePolopruhlednost, &QSpinBox::setValue);
    changes(spePolopruhlednost, &QSpinBox::valueChanged);
    connect(rbtRelativni, &QRadioButton::toggled, this, &TfrmNastaveniDispleje::showUnits);
    connect(rbtStandardni, &QRadioButton::toggled, this, &TfrmNastaveniDispleje::enable);
    edtZobrazit->installEventFilter(this);
    for (QPushButton* panel : {pnlBarvaTextu, pnlBarvaPozadi, pnlPruhlednaBarva, pnlBarvaZvyrazneni}) {
        connect(panel, &QPushButton::clicked, this, [this, panel] { choosePanelColour(panel); });
    }
    for (QPushButton* b : {btnBarvaPozadiPipeta, btnPruhlednaBarvaPipeta, btnBarvaTextuPipeta}) {
        connect(b, &QPushButton::toggled, this, [this, b](bool on) { pipetaToggled(b, on); });
    }
    connect(btnPruhlednePozadi, &QPushButton::clicked, this, [this] {
        setColour(pnlPruhlednaBarva, panelColour(pnlBarvaPozadi));
        change();
    });
    connect(btnFont, &QPushButton::clicked, this, [this] {
        QFont start = font_;
        start.setPointSize(std::max(hodnoty().font.size, 1));
        // A name the desktop only substitutes ("Arial") is in no font list: the chooser would open on
        // some other family, and a face without a style name on the first of its styles (Bold). It opens
        // on the face and style the display really draws with.
        const QFontInfo real(start);
        const QString drawn = real.family();
        start.setFamily(drawn);
        start.setStyleName(real.styleName());
        if (const auto chosen = s_.pickers.chooseFont(start)) {
            QFont taken = *chosen;
            if (taken.family() == drawn) {
                taken.setFamily(font_.family()); // the same face keeps the name it is stored under
            }
            font_ = taken;
            change();
        }
    });
    connect(btnObrProchazet, &QPushButton::clicked, this, [this] {
        QStringList patterns;
        for (const QString& e : displayPictureExtensions()) {
            patterns << QStringLiteral("*.") + e;
        }
        const QString chosen = s_.files.chooseFile(QFileInfo(edtObrazek->text()).absolutePath(),
                                                   language_.word(u"frmNastaveniDispleje", u"pictureFilter") + QStringLiteral(" (") +
                                                       patterns.join(u' ') + u')');
        if (!chosen.isEmpty()) {
            edtObrazek->setText(chosen);
        }
    });
    connect(&s_.display, &TfrmDisplej::textMoved, this, &TfrmNastaveniDispleje::textMoved);
    connect(&s_.display, &TfrmDisplej::textResized, this, &TfrmNastaveniDispleje::textResized);
    connect(btnPouzit, &QPushButton::clicked, this, &TfrmNastaveniDispleje::btnPouzitClick);
    connect(btnOK, &QPushButton::clicked, this, &TfrmNastaveniDispleje::btnOKClick);
    connect(btnStorno, &QPushButton::clicked, this, &TfrmNastaveniDispleje::btnStornoClick);
    connect(btnVychozi, &QPushButton::clicked, this, &TfrmNastaveniDispleje::btnVychoziClick);
}

// ---- the record and the controls

void TfrmNastaveniDispleje::nactiNastaveniDispleje(const TNastaveniDispleje& d) {
    loading_ = true;
    const Selection sel = selectionFromRange(d.rozsah);
    edtZobrazit->setSelection(sel.start, sel.length);
    const RangeCaptions captions = rangeCaptions(sel.start, sel.length, language_);
    lblZobrazitOd->setText(captions.od);
    lblZobrazitDo->setText(captions.do_);
    range_ = d.rozsah;
    rbtZeTavrek->setChecked(d.zdroj == DisplaySource::Tavrok);
    rbtZHodin->setChecked(d.zdroj == DisplaySource::Hodiny);
    rbtZOdpocitavani->setChecked(d.zdroj == DisplaySource::Odpocitavani);
    rbtZOkna->setChecked(d.zdroj == DisplaySource::Okno);
    setColour(pnlBarvaTextu, storedColour(d.barvaTextu));
    setColour(pnlBarvaPozadi, storedColour(d.barvaPozadi));
    chbVzdyNahore->setChecked(d.vzdyNahore);
    (d.standardniOkraj ? rbtStandardni : rbtZjednoduseny)->setChecked(true);
    chbUzamknout->setChecked(d.uzamknout);
    chbSkrytKurzor->setChecked(d.skrytKurzor);
    speSkrytOvladani->setValue(d.skrytOvladani);
    chbPruhlednaBarva->setChecked(d.aktivniPruhlednaBarva);
    setColour(pnlPruhlednaBarva, storedColour(d.pruhlednaBarva));
    chbPolopruhlednost->setChecked(d.aktivniPolopruhlednost);
    spePolopruhlednost->setValue(d.polopruhlednost);
    tbrPolopruhlednost->setValue(d.polopruhlednost); // also before the two are connected, and when unchanged
    edtObrazek->setText(d.obrazek);
    chbObrazek->setChecked(d.zobrazitObrazek);
    rbtZarovnaniObr[static_cast<size_t>(alignmentIndex(d.zarovnaniObr))]->setChecked(true);
    rbtObrZachVelikost->setChecked(d.obrVelikost == PictureSizing::ZachVelikost);
    rbtObrZachProporce->setChecked(d.obrVelikost == PictureSizing::ZachProporce);
    rbtObrOriznout->setChecked(d.obrVelikost == PictureSizing::Oriznout);
    rbtObrRoztahnout->setChecked(d.obrVelikost == PictureSizing::Roztahnout);
    (d.parentOkno ? rbtParentOkno : rbtParentObr)->setChecked(true);
    rbtZarovnaniText[static_cast<size_t>(alignmentIndex(d.zarovnaniText))]->setChecked(true);
    (d.relativni ? rbtRelativni : rbtAbsolutni)->setChecked(true);
    edtZleva->setText(d.zleva);
    edtShora->setText(d.shora);
    edtVelikost->setText(d.velikost);
    rbtNepresahovatParent->setChecked(d.okraje == EdgeRule::NepresahovatParent);
    rbtNepresahovatOkno->setChecked(d.okraje == EdgeRule::NepresahovatOkno);
    rbtPresahovat->setChecked(d.okraje == EdgeRule::Presahovat);
    chbNahled->setChecked(d.nahled);
    chbZvyraznit->setChecked(d.zvyraznit);
    setColour(pnlBarvaZvyrazneni, storedColour(d.barvaZvyrazneni));
    font_ = QFont(d.font.name);
    font_.setPointSize(std::max(d.font.size, 1));
    font_.setBold(d.font.bold);
    font_.setItalic(d.font.italic);
    font_.setUnderline(d.font.underline);
    font_.setStrikeOut(d.font.strikeOut);
    charset_ = d.font.charset;
    chbMagnetovat->setChecked(d.magnetovat);
    chbZaokrouhlovatNahoru->setChecked(d.zaokrouhlovatNahoru);
    showUnits();
    enable();
    loading_ = false;
}

TNastaveniDispleje TfrmNastaveniDispleje::hodnoty() const {
    TNastaveniDispleje d;
    d.rozsah = range_;
    d.zdroj = rbtZHodin->isChecked()          ? DisplaySource::Hodiny
              : rbtZOdpocitavani->isChecked() ? DisplaySource::Odpocitavani
              : rbtZOkna->isChecked()         ? DisplaySource::Okno
                                              : DisplaySource::Tavrok;
    d.barvaTextu = toStoredColour(panelColour(pnlBarvaTextu));
    d.barvaPozadi = toStoredColour(panelColour(pnlBarvaPozadi));
    d.vzdyNahore = chbVzdyNahore->isChecked();
    d.standardniOkraj = rbtStandardni->isChecked();
    d.uzamknout = chbUzamknout->isChecked();
    d.skrytKurzor = chbSkrytKurzor->isChecked();
    d.skrytOvladani = speSkrytOvladani->value();
    d.aktivniPruhlednaBarva = chbPruhlednaBarva->isChecked();
    d.pruhlednaBarva = toStoredColour(panelColour(pnlPruhlednaBarva));
    d.aktivniPolopruhlednost = chbPolopruhlednost->isChecked();
    d.polopruhlednost = spePolopruhlednost->value();
    d.obrazek = edtObrazek->text();
    d.zobrazitObrazek = chbObrazek->isChecked();
    d.zarovnaniObr = alignmentAt(rbtZarovnaniObr);
    d.obrVelikost = rbtObrZachVelikost->isChecked() ? PictureSizing::ZachVelikost
                    : rbtObrOriznout->isChecked()   ? PictureSizing::Oriznout
                    : rbtObrRoztahnout->isChecked() ? PictureSizing::Roztahnout
                                                    : PictureSizing::ZachProporce;
    d.parentOkno = rbtParentOkno->isChecked();
    d.zarovnaniText = alignmentAt(rbtZarovnaniText);
    d.relativni = rbtRelativni->isChecked();
    d.zleva = edtZleva->text();
    d.shora = edtShora->text();
    d.velikost = edtVelikost->text();
    d.okraje = rbtNepresahovatParent->isChecked() ? EdgeRule::NepresahovatParent
               : rbtNepresahovatOkno->isChecked() ? EdgeRule::NepresahovatOkno
                                                  : EdgeRule::Presahovat;
    d.nahled = chbNahled->isChecked();
    d.zvyraznit = chbZvyraznit->isChecked();
    d.barvaZvyrazneni = toStoredColour(panelColour(pnlBarvaZvyrazneni));
    d.font = {charset_, font_.family(), font_.pointSize() > 0 ? font_.pointSize() : 12, font_.bold(), font_.italic(),
              font_.underline(), font_.strikeOut()};
    d.magnetovat = chbMagnetovat->isChecked();
    d.zaokrouhlovatNahoru = chbZaokrouhlovatNahoru->isChecked();
    return d;
}

void TfrmNastaveniDispleje::setColour(QPushButton* panel, const QColor& colour) {
    panel->setProperty("colour", colour);
    panel->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid #404040;").arg(colour.name()));
}

void TfrmNastaveniDispleje::showUnits() {
    const bool relative = rbtRelativni->isChecked();
    // Only the words change: the numbers stay as they are.
    const auto word = [this](QStringView key) { return language_.word(u"frmNastaveniDispleje", key); };
    lblZlevaJednotka->setText(word(relative ? u"procentSirky" : u"pixelu"));
    lblShoraJednotka->setText(word(relative ? u"procentVysky" : u"pixelu"));
    lblVelikostJednotka->setText(word(relative ? u"procentVysky" : u"pixelu"));
}

void TfrmNastaveniDispleje::enable() {
    const bool simplified = rbtZjednoduseny->isChecked();
    const bool controls = simplified && !chbUzamknout->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{chbSkrytKurzor, lblOvladani, speSkrytOvladani, lblOvladaniMs}) {
        w->setEnabled(controls);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{pnlPruhlednaBarva, btnPruhlednaBarvaPipeta, btnPruhlednePozadi}) {
        w->setEnabled(chbPruhlednaBarva->isChecked());
    }
    for (QWidget* w : std::initializer_list<QWidget*>{spePolopruhlednost, tbrPolopruhlednost, lblPruhledne, lblNepruhledne}) {
        w->setEnabled(chbPolopruhlednost->isChecked());
    }
    for (QWidget* w : std::initializer_list<QWidget*>{edtObrazek, btnObrProchazet, rbtObrZachVelikost,
                                                      rbtObrZachProporce, rbtObrOriznout, rbtObrRoztahnout, lblZarovnaniObr}) {
        w->setEnabled(chbObrazek->isChecked());
    }
    for (QRadioButton* r : rbtZarovnaniObr) {
        r->setEnabled(chbObrazek->isChecked());
    }
    chbZvyraznit->setEnabled(chbNahled->isChecked());
    pnlBarvaZvyrazneni->setEnabled(chbNahled->isChecked());
}

// ---- applying, confirming, dropping

bool TfrmNastaveniDispleje::apply(bool reportErrors) {
    const TNastaveniDispleje d = hodnoty();
    const bool pictureRead = s_.display.apply(d);
    s_.applied(d);
    showHighlight();
    if (!pictureRead && reportErrors) {
        s_.questions.tell(s_.messages.text(52), MessageIcon::Error);
    }
    return pictureRead;
}

void TfrmNastaveniDispleje::change() {
    if (loading_) {
        return;
    }
    enable();
    if (chbNahled->isChecked()) {
        apply(false);
    } else {
        // Without the preview the display shows what was last confirmed.
        s_.display.apply(previous_);
        s_.applied(previous_);
        showHighlight();
    }
}

void TfrmNastaveniDispleje::showHighlight() {
    const bool on = isVisible() && chbNahled->isChecked() && chbZvyraznit->isChecked();
    s_.display.setHighlight(on, panelColour(pnlBarvaZvyrazneni));
    s_.display.setSizeHandle(isVisible() && chbNahled->isChecked());
}

namespace {
// In per cent of the parent, or in pixels; written as a person here reads a number.
void writeNumber(QLineEdit* field, double value) {
    field->setText(QString::number(value, 'g', 15).replace(u'.', u','));
}
} // namespace

void TfrmNastaveniDispleje::textMoved(QPoint moved, QSize parent) {
    const bool relative = rbtRelativni->isChecked();
    const TNastaveniDispleje now = hodnoty();
    const double dx = relative ? moved.x() * 100.0 / std::max(parent.width(), 1) : moved.x();
    const double dy = relative ? moved.y() * 100.0 / std::max(parent.height(), 1) : moved.y();
    loading_ = true; // one apply for both fields
    writeNumber(edtZleva, storedNumber(now.zleva) + dx);
    writeNumber(edtShora, storedNumber(now.shora) + dy);
    loading_ = false;
    change();
}

void TfrmNastaveniDispleje::textResized(int height, QSize parent) {
    writeNumber(edtVelikost, rbtRelativni->isChecked() ? height * 100.0 / std::max(parent.height(), 1) : height);
}

void TfrmNastaveniDispleje::showSource(DisplaySource source) {
    switchedSource_ = source;
    previous_.zdroj = source; // without the preview the display returns to this source too
    loading_ = true;
    rbtZeTavrek->setChecked(source == DisplaySource::Tavrok);
    rbtZHodin->setChecked(source == DisplaySource::Hodiny);
    rbtZOdpocitavani->setChecked(source == DisplaySource::Odpocitavani);
    rbtZOkna->setChecked(source == DisplaySource::Okno);
    loading_ = false;
}

void TfrmNastaveniDispleje::btnPouzitClick() {
    releasePipety();
    apply(true);
    previous_ = hodnoty();
    switchedSource_.reset(); // the file takes the source shown
    IniFile& settings = s_.settings();
    if (!ulozNastaveniDispleje(settings, previous_)) {
        s_.questions.tell(fillPlaceholders(s_.messages.text(53), settings.path()), MessageIcon::Error);
    }
}

void TfrmNastaveniDispleje::btnOKClick() {
    btnPouzitClick();
    s_.display.showControlsNow();
    hide();
}

void TfrmNastaveniDispleje::btnStornoClick() {
    hide();
}

void TfrmNastaveniDispleje::btnVychoziClick() {
    TNastaveniDispleje d; // the defaults
    const TNastaveniDispleje now = hodnoty();
    d.font = now.font;
    d.nahled = now.nahled;
    d.zvyraznit = now.zvyraznit;
    d.barvaZvyrazneni = 255;
    nactiNastaveniDispleje(d);
    edtZobrazit->selectAll();
    edtZobrazitSelected();
}

void TfrmNastaveniDispleje::edtZobrazitSelected() {
    const int start = edtZobrazit->hasSelectedText() ? edtZobrazit->selectionStart() : edtZobrazit->cursorPosition();
    const int length = static_cast<int>(edtZobrazit->selectedText().size());
    range_ = rangeFromSelection(start, length);
    const RangeCaptions captions = rangeCaptions(start, length, language_);
    lblZobrazitOd->setText(captions.od);
    lblZobrazitDo->setText(captions.do_);
    change();
}

bool TfrmNastaveniDispleje::eventFilter(QObject* watched, QEvent* event) {
    // A selection is taken when the mouse or a key (Shift with the arrows) lets go of it.
    if (watched == edtZobrazit && (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::KeyRelease)) {
        QMetaObject::invokeMethod(this, &TfrmNastaveniDispleje::edtZobrazitSelected, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmNastaveniDispleje::otevri() {
    if (isVisible()) {
        raise(); // open already: the edits in it stay
        activateWindow();
        return;
    }
    if (!shownOnce_) {
        shownOnce_ = true;
        centreOnScreen(this);
    }
    const TNastaveniDispleje d = stored();
    nactiNastaveniDispleje(d);
    previous_ = d;
    show();
    raise();
    activateWindow();
    // The field shows the range the display shows.
    const Selection sel = selectionFromRange(range_);
    edtZobrazit->setSelection(sel.start, sel.length);
    s_.display.showControlsNow();
}

void TfrmNastaveniDispleje::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    showHighlight();
}

void TfrmNastaveniDispleje::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (event->spontaneous()) {
        return; // minimised with the desktop, not closed: the edits stay
    }
    releasePipety();
    // Whatever was not confirmed is dropped: the display shows the file's look again.
    const TNastaveniDispleje d = stored();
    nactiNastaveniDispleje(d);
    previous_ = d;
    s_.display.apply(d);
    s_.applied(d);
    showHighlight();
}

TNastaveniDispleje TfrmNastaveniDispleje::stored() const {
    TNastaveniDispleje d = tavrok::nactiNastaveniDispleje(s_.settings());
    if (switchedSource_) {
        d.zdroj = *switchedSource_;
    }
    return d;
}

// ---- colours

void TfrmNastaveniDispleje::choosePanelColour(QPushButton* panel) {
    if (const auto chosen = s_.pickers.chooseColour(panelColour(panel))) {
        setColour(panel, *chosen);
        change();
    }
}

} // namespace tavrok
