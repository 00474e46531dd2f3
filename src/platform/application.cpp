#include "platform/application.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QTranslator>

namespace tavrok {

void setUpApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Tavrok"));
    QApplication::setApplicationDisplayName(QString());
    QGuiApplication::setDesktopFileName(QStringLiteral("cz.tavrok.Tavrok")); // the desktop entry, on Wayland too
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    // The layouts were drawn for these faces: Arial resolves to the metric-compatible Liberation Sans
    // through fontconfig; MS Sans Serif would fall to the much wider DejaVu Sans and clip captions.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    QApplication::setFont(font);

    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_cs"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

} // namespace tavrok
