#include "app/tfrmhlavniokno.h"

namespace tavrok {

TfrmHlavniOkno::TfrmHlavniOkno(const QString& executableFolder, Clock& clock, Questions& questions,
                               QWidget* parent)
    : QMainWindow(parent), clock_(clock), questions_(questions) {
    setObjectName(QStringLiteral("frmHlavniOkno"));
    setWindowTitle(QStringLiteral("Tavrok"));
    formCreate(executableFolder);
}

void TfrmHlavniOkno::formCreate(const QString& executableFolder) {
    buttonCaptions_ = ButtonCaptions{};
    storage_.resolveAtStartup(executableFolder);
    setFixedSize(178, 300);
}

} // namespace tavrok
