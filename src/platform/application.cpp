#include "platform/application.h"
#include "platform/timeslices.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QWidget>
#include <QTranslator>
#include <algorithm>
#include <memory>

namespace tavrok {

namespace {

// Fusion, with the menu bar's overflow arrows drawn here rather than read from Qt's image files: the
// first file read that way loads every image format Qt has (JPEG, GIF, ICO ...) at start.
class ProgramStyle final : public QProxyStyle {
public:
    ProgramStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override {
        if (which != SP_ToolBarHorizontalExtensionButton) {
            return QProxyStyle::standardIcon(which, option, widget);
        }
        QPixmap arrows(10, 10);
        arrows.fill(Qt::transparent);
        QPainter painter(&arrows);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(widget ? widget->palette().color(QPalette::ButtonText) : QColor(Qt::black), 1.2));
        for (const qreal x : {1.5, 5.5}) { // »
            painter.drawPolyline(QPolygonF{{x, 2}, {x + 3, 5}, {x, 8}});
        }
        return QIcon(arrows);
    }
};

} // namespace

void setUpApplication(QApplication& /*app*/) {
    QApplication::setApplicationName(QStringLiteral("Tavrok"));
    QApplication::setApplicationDisplayName(QString());
    QGuiApplication::setDesktopFileName(QStringLiteral("cz.tavrok.Tavrok")); // the desktop entry, on Wayland too
    QApplication::setStyle(new ProgramStyle);

    // The layouts were drawn for these faces: Arial resolves to the metric-compatible Liberation Sans
    // through fontconfig; MS Sans Serif would fall to the much wider DejaVu Sans and clip captions.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    QApplication::setFont(font);

    useQtLanguage(QStringLiteral("cs"));
    askForShortTimeSlices(); // the thread that ticks
}

namespace {

bool isAsciiLetters(QStringView s) {
    return std::all_of(s.begin(), s.end(),
                       [](QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); });
}

// "cs", "ces" or "cs_CZ".
bool isLocaleName(const QString& locale) {
    const qsizetype underscore = locale.indexOf(u'_');
    const QStringView language = QStringView(locale).left(underscore < 0 ? locale.size() : underscore);
    const QStringView country = QStringView(locale).mid(language.size());
    return language.size() >= 2 && language.size() <= 3 && isAsciiLetters(language) &&
           (country.isEmpty() || (country.size() == 3 && isAsciiLetters(country.mid(1))));
}

} // namespace

void useQtLanguage(const QString& locale) {
    static std::unique_ptr<QTranslator> current;
    if (current) {
        QCoreApplication::removeTranslator(current.get());
        current.reset();
    }
    // A locale name only: the language file is the user's, its value never names a path.
    if (!isLocaleName(locale) || locale.startsWith(QStringLiteral("en"), Qt::CaseInsensitive)) {
        return; // Qt speaks English by itself
    }
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QStringLiteral("qtbase_") + locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator.get());
        current = std::move(translator);
    }
}

} // namespace tavrok
