#include "display/tfrmdisplej.h"

#include "display/displaypicture.h"
#include "display/edgesnapper.h"
#include "display/snapping.h"
#include "lang/language.h"
#include "widgets/centre.h"

#include <QApplication>
#include <QBitmap>
#include <QDateTime>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace tavrok {

QColor storedColour(quint32 c) {
    if ((c >> 24) == 0xFF) {
        // A system colour of the Windows version: the window text, the window, the button face.
        switch (c & 0xFF) {
        case 5:
            return QApplication::palette().color(QPalette::Base);
        case 15:
            return QApplication::palette().color(QPalette::Button);
        default:
            return QApplication::palette().color(QPalette::WindowText);
        }
    }
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

quint32 toStoredColour(const QColor& c) {
    return static_cast<quint32>(c.red()) | static_cast<quint32>(c.green()) << 8 | static_cast<quint32>(c.blue()) << 16;
}

TfrmDisplej::TfrmDisplej(std::function<QString(const QString&)> expand, QWidget* parent)
    : QWidget(parent, Qt::Window), expand_(std::move(expand)) {
    setObjectName(QStringLiteral("frmDisplej"));
    nactiJazyk(Language());
    setGeometry(358, 316, 701, 178);
    setMinimumSize(14, 7);
    setCursor(Qt::SizeAllCursor);
    setMouseTracking(true);
    const char* names[DisplayLabelCount] = {"lblD",  "lblDOd", "lblH2", "lblH1", "lblHOd", "lblM2",  "lblM1",
                                            "lblMOd", "lblS2", "lblS1", "lblSOd", "lblMs1", "lblMs2", "lblMs3"};
    for (int i = 0; i < DisplayLabelCount; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(names[i]));
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        l->setAttribute(Qt::WA_TransparentForMouseEvents); // the window moves wherever it is grabbed
        labels_[static_cast<size_t>(i)] = l;
    }
    const auto control = [this](const char* name, char which, Qt::CursorShape cursor) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setPixmap(QPixmap::fromImage(controlPicture(which)));
        l->resize(ControlSize, ControlSize);
        l->setCursor(cursor); // a press on it goes on to the window, which acts on the release
        l->hide();
        return l;
    };
    imgMin = control("imgMin", 'n', Qt::PointingHandCursor);
    imgMax = control("imgMax", 'x', Qt::PointingHandCursor);
    imgObn = control("imgObn", 'o', Qt::PointingHandCursor);
    imgZav = control("imgZav", 'z', Qt::PointingHandCursor);
    imgRoh = control("imgRoh", 'r', Qt::SizeFDiagCursor);
    pnlVelikost = new QFrame(this);
    pnlVelikost->setObjectName(QStringLiteral("pnlVelikost"));
    pnlVelikost->setCursor(Qt::SizeVerCursor);
    pnlVelikost->setFrameShape(QFrame::Panel);
    pnlVelikost->hide();
    tmrSkrytOvladani = new QTimer(this);
    tmrSkrytOvladani->setObjectName(QStringLiteral("tmrSkrytOvladani"));
    tmrSkrytOvladani->setSingleShot(true);
    connect(tmrSkrytOvladani, &QTimer::timeout, this, &TfrmDisplej::tmrSkrytOvladaniTimer);
    text_ = resetDisplayText();
    // Moved by its system frame, the window snaps once the move comes to rest.
    new EdgeSnapper(this, [this] { return settings_.magnetovat && locked_; });
    apply(settings_);
}

void TfrmDisplej::nactiJazyk(const Language& language) {
    setWindowTitle(language.word(u"frmDisplej", u"nazevOkna") + QStringLiteral(" - Tavrok"));
}

QFont TfrmDisplej::fontForHeight(int height) const {
    QFont f = baseFont_;
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(height / cellRatio_))));
    return f;
}

int TfrmDisplej::sirkaTextu(const QString& text, int height) const {
    // Character by character, as the labels stand side by side: the whole is the sum of its labels.
    const QFontMetricsF metrics(fontForHeight(height));
    int width = 0;
    for (const QChar c : text) {
        width += static_cast<int>(std::lround(metrics.horizontalAdvance(c)));
    }
    return width;
}

bool TfrmDisplej::apply(const TNastaveniDispleje& s) {
    settings_ = s;
    // Only a real change of the frame or of staying on top touches the flags: that hides the window.
    const bool frameless = windowFlags().testFlag(Qt::FramelessWindowHint);
    const bool onTop = windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (frameless == s.standardniOkraj || onTop != s.vzdyNahore) {
        const bool visible = isVisible();
        const QRect place = normalGeometry().isValid() ? normalGeometry() : geometry();
        const Qt::WindowStates states = windowState();
        setWindowFlag(Qt::FramelessWindowHint, !s.standardniOkraj);
        setWindowFlag(Qt::WindowStaysOnTopHint, s.vzdyNahore);
        setGeometry(place);
        setWindowState(states);
        if (visible) {
            show(); // new window flags hide the window
        }
    }
    // With the system's frame the window is moved and sized by the frame only.
    locked_ = s.standardniOkraj || s.uzamknout;
    tmrSkrytOvladani->setInterval(s.skrytOvladani);
    if (locked_) {
        tmrSkrytOvladani->stop();
        for (QWidget* w : std::initializer_list<QWidget*>{imgMin, imgMax, imgObn, imgZav, imgRoh}) {
            w->hide();
        }
        if (!picking_) {
            setCursor(Qt::ArrowCursor);
        }
    } else if (!picking_) {
        setCursor(Qt::SizeAllCursor);
    }
    setWindowOpacity(s.aktivniPolopruhlednost ? s.polopruhlednost / 255.0 : 1.0);

    // The picture is read again only when another file is chosen or the file changed (a preview
    // applies at every key).
    const QString picturePath = s.zobrazitObrazek ? expand_(s.obrazek) : QString();
    const QFileInfo file(picturePath);
    const QString pictureKey = picturePath.isEmpty() ? QString()
                                                     : picturePath + u'|' + QString::number(file.size()) + u'|' +
                                                           QString::number(file.lastModified().toMSecsSinceEpoch());
    if (pictureKey != picturePath_ || (!picturePath.isEmpty() && picture_.isNull())) {
        picturePath_ = pictureKey;
        picture_ = picturePath.isEmpty() ? QImage() : loadDisplayPicture(picturePath);
        scaled_ = {};
        pictureRect_ = {};
    }
    const bool pictureRead = picturePath.isEmpty() || !picture_.isNull();

    baseFont_ = QFont(s.font.name);
    baseFont_.setBold(s.font.bold);
    baseFont_.setItalic(s.font.italic);
    baseFont_.setUnderline(s.font.underline);
    baseFont_.setStrikeOut(s.font.strikeOut);
    QFont big = baseFont_;
    big.setPixelSize(1000);
    const QFontMetricsF metrics(big);
    cellRatio_ = std::max(metrics.height() / 1000.0, 0.01);
    // The widest digit at a height of 1000 pixels; the first of equally wide ones.
    templateChar_ = u'0';
    for (char16_t d = u'1'; d <= u'9'; ++d) {
        if (metrics.horizontalAdvance(QChar(d)) > metrics.horizontalAdvance(templateChar_)) {
            templateChar_ = QChar(d);
        }
    }
    QPalette p = palette();
    p.setColor(QPalette::WindowText, storedColour(s.barvaTextu));
    p.setColor(QPalette::Window, storedColour(s.barvaPozadi));
    setPalette(p);
    QPalette cell = p;
    if (highlight_) {
        cell.setColor(QPalette::Window, highlightColour_); // the previewed cells keep their colour
    }
    for (QLabel* l : labels_) {
        l->setPalette(cell);
    }
    matrixDayLength_ = -1;
    vytvorMatrici(text_.dayString);
    update();
    updateTransparency();
    return pictureRead;
}

void TfrmDisplej::vytvorMatrici(const QString& dayString) {
    matrix_ = tavrok::vytvorMatrici(dayString, templateChar_, settings_.rozsah);
    matrixDayLength_ = dayString.size();
    FormResize();
}

void TfrmDisplej::pisNaSamostatnyDisplej(const DisplayText& t) {
    const bool relayout = t.dayString.size() != matrixDayLength_;
    text_ = t;
    if (relayout) {
        vytvorMatrici(t.dayString); // also places the labels with the new texts
    }
    const auto texts = labelTexts(t.dayString, t.hours, t.minutes, t.seconds, t.millis);
    QRect changed;
    for (size_t i = 0; i < texts.size(); ++i) {
        // Only the characters that changed are drawn again, and only their part of a see-through shape.
        if (labels_[i]->text() != texts[i]) {
            labels_[i]->setText(texts[i]);
            changed |= labels_[i]->geometry();
        }
    }
    if (!changed.isNull() && !relayout) {
        updateTransparency(changed);
    }
}

void TfrmDisplej::FormResize() {
    const int w = width();
    const int h = height();
    const int controlsLeft = w - 4 - (3 * ControlSize + 4);
    imgMin->move(controlsLeft, 4);
    // Restore and maximise take turns in the same place.
    imgObn->move(controlsLeft + ControlSize + 2, 4);
    imgMax->move(controlsLeft + ControlSize + 2, 4);
    imgZav->move(controlsLeft + 2 * (ControlSize + 2), 4);
    imgRoh->move(w - ControlSize, h - ControlSize);

    const bool pictureShown = settings_.zobrazitObrazek && !picture_.isNull();
    const QRect pictureRect =
        pictureShown ? placePicture(size(), picture_.size(), settings_.obrVelikost, settings_.zarovnaniObr) : QRect();
    if (pictureRect != pictureRect_ || (pictureShown && scaled_.isNull())) {
        pictureRect_ = pictureRect;
        // Only the part inside the window is scaled: a cropped picture may be many times its size.
        const QRect visible = pictureRect & rect();
        scaled_ = {};
        if (pictureShown && !visible.isEmpty()) {
            const double sx = static_cast<double>(picture_.width()) / pictureRect.width();
            const double sy = static_cast<double>(picture_.height()) / pictureRect.height();
            const QRect source = QRectF((visible.x() - pictureRect.x()) * sx, (visible.y() - pictureRect.y()) * sy,
                                        visible.width() * sx, visible.height() * sy)
                                     .toAlignedRect() &
                                 picture_.rect();
            scaled_ = QPixmap::fromImage(
                picture_.copy(source).scaled(visible.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        }
        scaledAt_ = visible.topLeft();
        update();
    }

    const MeasureText measure = [this](const QString& text, int height) { return sirkaTextu(text, height); };
    DisplayLayoutInput in;
    in.client = size();
    in.pictureShown = pictureShown;
    in.picture = pictureRect_;
    in.parentIsPicture = !settings_.parentOkno;
    in.textAlignment = settings_.zarovnaniText;
    in.relative = settings_.relativni;
    in.left = storedNumber(settings_.zleva);
    in.top = storedNumber(settings_.shora);
    in.size = storedNumber(settings_.velikost);
    in.edges = settings_.okraje;
    in.matrix = matrix_;
    const DisplayLayout layout = layOutText(in, measure);
    layout_ = layout;
    parentSize_ = in.parentIsPicture && pictureShown ? pictureRect_.size() : size();
    const QFont font = fontForHeight(layout.fontHeight);
    const auto texts = labelTexts(text_.dayString, text_.hours, text_.minutes, text_.seconds, text_.millis);
    const auto places = placeLabels(layout.left, layout.fontHeight, settings_.rozsah,
                                    templateDayPart(text_.dayString, templateChar_, settings_.rozsah), templateChar_,
                                    texts, measure);
    int first = -1;
    int last = -1;
    for (int i = 0; i < DisplayLabelCount; ++i) {
        QLabel* l = labels_[static_cast<size_t>(i)];
        const bool visible = isLabelVisible(settings_.rozsah, i);
        if (l->font() != font) {
            l->setFont(font);
        }
        l->setText(texts[static_cast<size_t>(i)]);
        const LabelPlace& place = places[static_cast<size_t>(i)];
        // The glyphs may lean past their cell (italics): the label is as high as the font's line.
        l->setGeometry(place.left, layout.top, std::max(place.width, 1), layout.fontHeight);
        l->setVisible(visible);
        if (visible) {
            first = first < 0 ? place.left : first;
            last = place.left + place.width;
        }
    }
    if (first >= 0) {
        pnlVelikost->setGeometry(first, layout.top + layout.fontHeight, last - first, 5);
    }
    updateTransparency();
}

void TfrmDisplej::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    if (!scaled_.isNull()) {
        p.drawPixmap(scaledAt_, scaled_);
    }
}

void TfrmDisplej::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    updateTransparency();
}

void TfrmDisplej::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void TfrmDisplej::updateTransparency(const QRect& area) {
    if (!settings_.aktivniPruhlednaBarva) {
        if (!mask().isEmpty()) {
            clearMask();
        }
        return;
    }
    // One colour see-through: the window's shape leaves out its pixels, which needs no compositor.
    // Drawn only when seen; grabbing lays the window out, which must not come back here.
    if (!isVisible() || shaping_) {
        return;
    }
    const QRect r = area.isNull() || mask().isEmpty() ? rect() : area & rect();
    if (r.isEmpty()) {
        return;
    }
    shaping_ = true;
    // Drawn as it would show without the old shape, so that new pixels of a changed character count.
    QImage shot(r.size(), QImage::Format_ARGB32_Premultiplied);
    shot.fill(Qt::transparent);
    render(&shot, QPoint(), QRegion(r), DrawWindowBackground | DrawChildren | IgnoreMask);
    shaping_ = false;
    // The mask image marks the see-through colour with the bitmap's clear bits (its white): what is
    // left set stays on the screen.
    QRegion part(QBitmap::fromImage(shot.createMaskFromColor(storedColour(settings_.pruhlednaBarva).rgb(), Qt::MaskInColor)));
    part.translate(r.topLeft());
    if (highlight_) {
        // The highlighted cells show whole, also in the see-through colour itself.
        for (const QLabel* l : labels_) {
            if (l->isVisible()) {
                part += l->geometry() & r;
            }
        }
    }
    setMask(r == rect() ? part : mask().subtracted(QRegion(r)).united(part));
}

DisplayWindowState TfrmDisplej::windowPlace() const {
    DisplayWindowState s;
    s.stav = isMaximized() ? 1 : isMinimized() ? 2 : 3;
    s.geometry = s.stav == 3 ? geometry() : normalGeometry();
    return s;
}

void TfrmDisplej::restoreWindowPlace(const DisplayWindowState& place) {
    // A place no screen shows (a monitor that is gone, a hand-edited file) comes back as the main window's.
    const int title = windowFlags().testFlag(Qt::FramelessWindowHint) ? 0 : GuessedTitleHeight;
    setGeometry(QRect(keepTitleOnScreen(place.geometry.topLeft(), place.geometry.size(), screenWorkAreas(), title),
                      place.geometry.size()));
    setWindowState(place.stav == 1 ? Qt::WindowMaximized : place.stav == 2 ? Qt::WindowMinimized : Qt::WindowNoState);
}

} // namespace tavrok
