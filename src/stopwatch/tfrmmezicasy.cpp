#include "stopwatch/tfrmmezicasy.h"

#include "app/programstate.h"
#include "lang/captions.h"
#include "platform/filedialogs.h"
#include "platform/pickers.h"
#include "platform/printing.h"
#include "stopwatch/splitexport.h"
#include "stopwatch/splitsfile.h"
#include "storage/savefile.h"
#include "widgets/centre.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

namespace tavrok {

namespace {

constexpr char16_t Section[] = u"frmMezicasy";
constexpr char16_t Settings[] = u"nastaveniMezicasu";

} // namespace

TfrmMezicasy::TfrmMezicasy(Services services, QWidget* parent) : QDialog(parent), s_(services) {
    setObjectName(QStringLiteral("frmMezicasy"));
    setWindowTitle(QString::fromUtf16(u"Mezičasy"));
    setModal(false);
    buildControls();
    rbtSloucit->setChecked(true);
    connect(rbtSloucit, &QRadioButton::toggled, this, [this](bool on) { s_.state.mezicasySloucit = on; });
    nactiJazyk(s_.state.language);
}

void TfrmMezicasy::nactiJazyk(const Language& language) {
    applyCaptions(this, language, Section);
    if (file_) {
        zobrazSoubor();
    }
}

void TfrmMezicasy::zobraz() {
    if (!shownBefore_) {
        nactiNastaveniMezicasu();
        centreOnScreen(this);
        shownBefore_ = true;
    }
    show();
    raise();
    activateWindow();
}

void TfrmMezicasy::tell(int message, MessageIcon icon, const QString& path) {
    s_.questions.tell(fillPlaceholders(s_.state.messages.text(message), path), icon);
}

void TfrmMezicasy::busy(const std::function<void()>& work) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    setEnabled(false);
    work();
    setEnabled(true);
    QGuiApplication::restoreOverrideCursor();
}

// ---- the file

QString TfrmMezicasy::storedPath() const {
    return s_.state.storage.settingsIni().readString(Settings, u"cesta",
                                                      s_.state.storage.storedLocation() + QStringLiteral("\\Mezicasy.ini"));
}

QString TfrmMezicasy::souborMezicasu() const {
    return file_ ? file_->path() : s_.state.storage.expand(storedPath());
}

void TfrmMezicasy::nactiNastaveniMezicasu() {
    edtCesta->setText(storedPath());
    const bool merged = s_.state.storage.settingsIni().readBool(Settings, u"sloucit", true);
    (merged ? rbtSloucit : rbtOddelit)->setChecked(true);
    s_.state.mezicasySloucit = merged;
    btnOtevritClick();
}

void TfrmMezicasy::btnOtevritClick() {
    const QString entered = edtCesta->text().trimmed();
    if (entered.isEmpty()) {
        tell(46, MessageIcon::Warning);
        return;
    }
    const QString path = s_.state.storage.expand(entered);
    auto opened = std::make_unique<IniFile>(path);
    // Only a regular file (or none yet): a folder, a pipe or a device would block or never end.
    const QFileInfo info(path);
    if (path.isEmpty() || (info.exists() && !info.isFile()) || !QDir().mkpath(info.absolutePath()) ||
        !oznacSouborMezicasu(*opened)) {
        tell(45, MessageIcon::Error, entered);
        if (!file_ && info.isFile()) {
            file_ = std::move(opened); // the first file: its sets can still be read, a save reports its failure
            nactiMezicasy();
        }
        return; // otherwise the file in use stays
    }
    file_ = std::move(opened);
    nactiMezicasy();
    (void)s_.state.storage.settingsIni().writeString(Settings, u"cesta", spravLomitka(entered));
}

void TfrmMezicasy::btnOtevritVychoziClick() {
    edtCesta->setText(s_.state.storage.storedLocation() + QStringLiteral("\\Mezicasy.ini"));
    btnOtevritClick();
}

void TfrmMezicasy::btnProchazetClick() {
    const QString chosen = s_.files.chooseFile(QFileInfo(cesta()).absolutePath(),
                                               s_.state.language.word(Section, u"openFilter"));
    if (!chosen.isEmpty()) {
        edtCesta->setText(chosen);
    }
}

void TfrmMezicasy::nactiMezicasy() {
    zobrazSoubor();
    lblSoubor->setToolTip(cesta());
    nactiSeznamMezicasu();
}

void TfrmMezicasy::zobrazSoubor() {
    const QString path = QDir::toNativeSeparators(cesta());
    QString shown = path;
    if (path.size() >= 36) {
        const QFileInfo info(path);
        shown = QDir::toNativeSeparators(info.path()).left(32) + QStringLiteral("...\n") + info.fileName();
    }
    lblSoubor->setText(s_.state.language.word(Section, u"soubor") + u'\n' + shown);
}

void TfrmMezicasy::nactiSeznamMezicasu() {
    cbxNazev->clear();
    if (file_) {
        for (const SplitEntry& e : seznamMezicasu(file_->snapshot())) {
            cbxNazev->addItem(e.name, e.position);
        }
    }
    cbxNazev->setCurrentIndex(cbxNazev->count() > 0 ? 0 : -1);
}

// ---- the sets

void TfrmMezicasy::btnUlozitClick() {
    if (!file_) {
        tell(45, MessageIcon::Error, edtCesta->text()); // no file could be opened
        return;
    }
    // Blanks around a name are not kept by the file: the name is saved without them.
    const QString name = edtNazev->text().trimmed();
    const SplitList& list = s_.state.stopwatch.splits();
    const SplitNameCheck check = checkSplitName(file_->snapshot(), name);
    if (check == SplitNameCheck::Empty) {
        tell(41, MessageIcon::Warning);
        return;
    }
    if (list.isEmpty()) {
        tell(42, MessageIcon::Error);
        return;
    }
    if (check == SplitNameCheck::Unstorable) {
        tell(MessageTable::SplitNameUnusable, MessageIcon::Warning);
        return;
    }
    if (check == SplitNameCheck::Exists) {
        tell(43, MessageIcon::Warning);
        return;
    }
    busy([&] {
        if (!ulozMezicasy(*file_, name, {list.items(), list.counter()})) {
            tell(44, MessageIcon::Error, cesta());
            return;
        }
        s_.state.stopwatch.setSplitsSaved(true);
        nactiSeznamMezicasu();
    });
}

void TfrmMezicasy::btnNacistClick() {
    if (!file_ || cbxNazev->currentIndex() < 0) {
        return;
    }
    const QString name = cbxNazev->currentText();
    SplitList& list = s_.state.stopwatch.splits();
    if (!list.isEmpty()) {
        if (s_.questions.ask(s_.state.messages.text(39), MessageIcon::Warning, MessageButtons::YesNo) != Answer::Yes) {
            return;
        }
        list.clear();
    }
    busy([&] {
        const SplitSet set = tavrok::nactiMezicasy(file_->snapshot(), name);
        QStringList lines = set.lines;
        int counter = set.counter;
        if (s_.state.stopwatch.running()) {
            lines << SplitList::Separator; // new splits are numbered from 1 below the loaded set
            counter = 0;
        }
        list.restore(lines, counter);
        s_.state.stopwatch.setSplitsSaved(true);
    });
    emit splitListChanged();
}

void TfrmMezicasy::btnVymazatClick() {
    const int index = cbxNazev->currentIndex();
    if (!file_ || index < 0) {
        return;
    }
    if (!vymazMezicasy(*file_, cbxNazev->currentData().toInt(), cbxNazev->currentText())) {
        tell(40, MessageIcon::Error, cesta());
    }
    nactiSeznamMezicasu();
}

void TfrmMezicasy::btnVymazatVseClick() {
    if (!file_) {
        return;
    }
    const QString question = fillPlaceholders(s_.state.messages.text(37), cesta());
    if (s_.questions.ask(question, MessageIcon::Warning, MessageButtons::YesNo) != Answer::Yes) {
        return;
    }
    if (!deleteFileKeepingLink(cesta())) {
        tell(38, MessageIcon::Error, cesta());
    }
    nactiSeznamMezicasu();
}

// ---- export

QStringList TfrmMezicasy::exportLines(const QString& separator) const {
    const Language& l = s_.state.language;
    return exportujMezicasy(s_.state.stopwatch.splits().items(), separator, rbtSloucit->isChecked(),
                            {l.word(Section, u"zahlaviExportu1"), l.word(Section, u"zahlaviExportu2")},
                            QLocale().decimalPoint().front());
}

void TfrmMezicasy::btnExportovatClick() {
    const QString file = s_.files.chooseSaveFile(QFileInfo(cesta()).absolutePath(),
                                                 s_.state.language.word(Section, u"csvFilter"), QStringLiteral("csv"));
    if (file.isEmpty()) {
        return;
    }
    busy([&] {
        if (!replaceFileWhole(file, csvBytes(exportLines(QStringLiteral(";"))))) {
            tell(47, MessageIcon::Error, file);
            return;
        }
        s_.state.stopwatch.setSplitsSaved(true);
    });
}

void TfrmMezicasy::btnSchrankaClick() {
    QGuiApplication::clipboard()->setText(clipboardText(exportLines(QStringLiteral("\t"))));
}

void TfrmMezicasy::btnTiskClick() {
    const SplitList& list = s_.state.stopwatch.splits();
    if (list.isEmpty()) {
        tell(48, MessageIcon::Warning);
        return;
    }
    const Language& l = s_.state.language;
    const QString title = l.word(Section, u"titulekTisku");
    const QStringList lines = tiskoveRadky(list.items(), l.word(Section, u"zahlaviTisku"));
    if (s_.printing.printLines(s_.pickers, title, lines, [this](const auto& work) { busy(work); }) ==
        Printing::Outcome::Failed) {
        tell(49, MessageIcon::Error);
    }
}

} // namespace tavrok
