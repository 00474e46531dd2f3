#include "lang/helpbrowser.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace tavrok {

HelpBrowser::HelpBrowser(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmNapoveda"));
    resize(640, 560);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("txbStranka"));
    browser_->setOpenExternalLinks(true);
    back_ = new QPushButton(QStringLiteral("\u25C0"), this);
    back_->setObjectName(QStringLiteral("btnZpet"));
    back_->setShortcut(QKeySequence(QKeySequence::Back));
    forward_ = new QPushButton(QStringLiteral("\u25B6"), this);
    forward_->setObjectName(QStringLiteral("btnVpred"));
    forward_->setShortcut(QKeySequence(QKeySequence::Forward));
    contents_ = new QPushButton(QStringLiteral("\u2302"), this);
    contents_->setObjectName(QStringLiteral("btnObsah"));
    for (QPushButton* b : {back_, forward_, contents_}) {
        b->setFixedWidth(40);
        b->setAutoDefault(false);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addWidget(contents_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);

    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents_, &QPushButton::clicked, this, [this] {
        showPage(QFileInfo(browser_->source().toLocalFile()).absolutePath() + QStringLiteral("/uvod.htm"));
    });
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this,
            [this] {
                const QString title = browser_->documentTitle();
                setWindowTitle(title.isEmpty() ? QStringLiteral("Tavrok") : title);
            });
    back_->setEnabled(false);
    forward_->setEnabled(false);
}

void HelpBrowser::showPage(const QString& file) {
    browser_->setSource(QUrl::fromLocalFile(file));
    show();
    raise();
    activateWindow();
}

QString HelpBrowser::page() const {
    return browser_->source().toLocalFile();
}

} // namespace tavrok
