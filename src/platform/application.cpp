#include "platform/application.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QRegularExpression>
#include <QTranslator>
#include <memory>

namespace tavrok {

void setUpApplication(QApplication& /*app*/) {
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

    useQtLanguage(QStringLiteral("cs"));
}

void useQtLanguage(const QString& locale) {
    static std::unique_ptr<QTranslator> current;
    if (current) {
        QCoreApplication::removeTranslator(current.get());
        current.reset();
    }
    // A locale name only: the language file is the user's, its value never names a path.
    static const QRegularExpression name(QStringLiteral("^[A-Za-z]{2,3}(_[A-Za-z]{2})?$"));
    if (!name.match(locale).hasMatch() || locale.startsWith(QStringLiteral("en"), Qt::CaseInsensitive)) {
        return; // Qt speaks English by itself
    }
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QStringLiteral("qtbase_") + locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator.get());
        current = std::move(translator);
    }
}

} // namespace tavrok
