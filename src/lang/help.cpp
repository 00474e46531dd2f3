#include "lang/help.h"

#include <QDir>
#include <QFileInfo>

namespace tavrok {

namespace {

struct WindowPage {
    const char16_t* window;
    const char16_t* page;
};

// In the order they are tested: a dialog in front has its own page.
constexpr WindowPage WindowPages[] = {
    {u"frmCoSeTavrokem", u"cosetavrokem.htm"},
    {u"frmDalsiBudik", u"dalsib.htm"},
    {u"frmDalsiOdpocit", u"dalsio.htm"},
    {u"frmDalsiTavrok", u"dalsis.htm"},
    {u"frmDisplej", u"displej.htm"},
    {u"frmMezicasy", u"mezicasy.htm"},
    {u"frmNastaveni", u"nastaveni.htm"},
    {u"frmNastaveniDispleje", u"displejnas.htm"},
    {u"frmOProgramu", u"uvod.htm"},
    {u"frmZmeskaneBudiky", u"zmeskane.htm"},
    {u"frmSeriovyPort", u"serial.htm"},
};

} // namespace

QString helpPage(QStringView activeWindow, int function) {
    for (const WindowPage& p : WindowPages) {
        if (activeWindow == QStringView(p.window)) {
            return QString::fromUtf16(p.page);
        }
    }
    switch (function) {
    case 1:
        return QStringLiteral("budik.htm");
    case 2:
        return QStringLiteral("tavrok.htm");
    case 3:
        return QStringLiteral("odpocitavani.htm");
    default:
        return QStringLiteral("uvod.htm");
    }
}

QString helpPath(const QString& helpFolder, const QString& language, const QString& page) {
    const QDir folder(helpFolder);
    const QString own = folder.filePath(QStringLiteral("Tavrok") + language + u'/' + page);
    return QFileInfo::exists(own) ? own : folder.filePath(QStringLiteral("TavrokCesky/") + page);
}

} // namespace tavrok
