#pragma once

#include "platform/questions.h"
#include "storage/inifile.h"

#include <QDialog>
#include <functional>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tavrok {

class FileDialogs;
class Language;
class Pickers;
class Printing;
class ProgramState;

// "Mezičasy": named sets of split times kept in a file, loaded back into the split list, exported as
// CSV, copied to the clipboard and printed. Not modal: the stopwatch goes on meanwhile.
class TfrmMezicasy : public QDialog {
    Q_OBJECT
public:
    struct Services {
        ProgramState& state;
        Questions& questions;
        FileDialogs& files;
        Pickers& pickers;
        Printing& printing;
    };
    explicit TfrmMezicasy(Services services, QWidget* parent = nullptr);

    // Shows the dialog; the first time it reads its settings and opens its file.
    void zobraz();
    void nactiJazyk(const Language& language);

    void nactiNastaveniMezicasu();
    void nactiMezicasy();
    void btnUlozitClick();
    void btnNacistClick();
    void btnVymazatClick();
    void btnVymazatVseClick();
    void btnOtevritClick();
    void btnOtevritVychoziClick();
    void btnProchazetClick();
    void btnExportovatClick();
    void btnSchrankaClick();
    void btnTiskClick();

    // The file in use; empty before the first show.
    QString cesta() const { return file_ ? file_->path() : QString(); }
    // The file in use, or before the first show the one the settings name.
    QString souborMezicasu() const;

signals:
    // The split list was replaced by a loaded set.
    void splitListChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    // The location the settings name, as written there.
    QString storedPath() const;
    void zobrazSoubor();
    void nactiSeznamMezicasu();
    // Waits with the hourglass while `work` runs, the dialog disabled.
    void busy(const std::function<void()>& work);
    QStringList exportLines(const QString& separator) const;
    void tell(int message, MessageIcon icon, const QString& path = {});

    Services s_;
    std::unique_ptr<IniFile> file_;
    bool shownBefore_ = false;

    QGroupBox* gpbExport1;
    QLabel* lblNazev2;
    QLineEdit* edtNazev;
    QPushButton* btnUlozit;
    QGroupBox* gpbImport;
    QComboBox* cbxNazev;
    QPushButton* btnNacist;
    QPushButton* btnVymazat;
    QPushButton* btnVymazatVse;
    QGroupBox* gpbOtevrit;
    QLabel* lblCesta;
    QLineEdit* edtCesta;
    QPushButton* btnProchazet;
    QPushButton* btnOtevrit;
    QPushButton* btnOtevritVychozi;
    QLabel* lblSoubor;
    QGroupBox* gpbExport2;
    QRadioButton* rbtOddelit;
    QRadioButton* rbtSloucit;
    QPushButton* btnExportovat;
    QPushButton* btnSchranka;
    QPushButton* btnTisk;
    QPushButton* btnZavrit;
};

} // namespace tavrok
