#include "lang/captions.h"

#include "lang/language.h"
#include "lang/languagekeys.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace tavrok {

namespace {

constexpr char BuiltInCaption[] = "tavrokBuiltInCaption";

QObject* findIn(QObject* parent, QStringView name) {
    for (QObject* child : parent->children()) {
        if (child->objectName() == name) {
            return child;
        }
    }
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && widget->isWindow() && !qobject_cast<QMenu*>(widget)) {
            continue; // another window's controls
        }
        if (QObject* found = findIn(child, name)) {
            return found;
        }
    }
    return nullptr;
}

// A Windows menu caption carries its shortcut after a run of blanks ("&Index          F1"); here the
// menu shows the shortcut itself.
QString menuCaption(const QString& caption) {
    const qsizetype tab = caption.indexOf(u'\t');
    const qsizetype blanks = caption.indexOf(u"  ");
    const qsizetype gap = tab < 0 ? blanks : blanks < 0 ? tab : std::min(tab, blanks);
    return gap < 0 ? caption : caption.left(gap);
}

// A translated caption may be longer than the one the layout was drawn for: a one-line label, check
// box or radio button grows to the right to show it whole, as far as its parent leaves room.
void fitWidth(QWidget* w) {
    const auto* label = qobject_cast<QLabel*>(w);
    if ((label && label->wordWrap()) || !w->parentWidget() || w->isWindow()) {
        return;
    }
    const int room = w->parentWidget()->width() - w->x() - 2;
    const int wanted = std::min(w->sizeHint().width(), room);
    if (wanted > w->width()) {
        w->resize(wanted, w->height());
    }
}

void setCaption(QObject* control, const QString& text) {
    if (auto* action = qobject_cast<QAction*>(control)) {
        action->setText(menuCaption(text));
    } else if (auto* menu = qobject_cast<QMenu*>(control)) {
        menu->setTitle(menuCaption(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
        if (!qobject_cast<QPushButton*>(button)) {
            fitWidth(button);
        }
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
        fitWidth(label);
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(text);
    }
}

// The caption the control was built with, remembered at the first language applied to it.
QString builtInCaption(QObject* control) {
    QVariant builtIn = control->property(BuiltInCaption);
    if (!builtIn.isValid()) {
        builtIn = captionOf(control);
        control->setProperty(BuiltInCaption, builtIn);
    }
    return builtIn.toString();
}

} // namespace

QObject* findControl(QWidget* window, QStringView name) {
    return findIn(window, name);
}

QString captionOf(const QObject* control) {
    if (const auto* action = qobject_cast<const QAction*>(control)) {
        return action->text();
    }
    if (const auto* menu = qobject_cast<const QMenu*>(control)) {
        return menu->title();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return button->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(control)) {
        return group->title();
    }
    return {};
}

void applyCaptions(QWidget* window, const Language& language, QStringView section) {
    const LanguageSection* s = findLanguageSection(section);
    if (!s) {
        return;
    }
    for (const LanguageKey& k : s->keys) {
        const QStringView fileSection = fileSectionOf(*s, k);
        const QStringView key(k.key);
        switch (k.kind) {
        case KeyKind::Title: {
            QVariant builtIn = window->property(BuiltInCaption);
            if (!builtIn.isValid()) {
                builtIn = window->windowTitle();
                window->setProperty(BuiltInCaption, builtIn);
            }
            window->setWindowTitle(language.text(fileSection, key, builtIn.toString()));
            break;
        }
        case KeyKind::Caption:
        case KeyKind::Hint: {
            const QString targets = QString::fromUtf16(k.targets ? k.targets : k.key);
            for (const QString& name : targets.split(u',')) {
                QObject* control = findControl(window, name);
                if (!control) {
                    continue;
                }
                if (k.kind == KeyKind::Caption) {
                    QString builtIn = builtInCaption(control);
                    if (k.fallback) {
                        builtIn = language.text(fileSection, QStringView(k.fallback), builtIn);
                    }
                    setCaption(control, language.text(fileSection, key, builtIn));
                } else if (auto* widget = qobject_cast<QWidget*>(control)) {
                    widget->setToolTip(language.word(section, key));
                }
            }
            break;
        }
        case KeyKind::Word:
            break;
        }
    }
}

} // namespace tavrok
