#pragma once

#include "display/displayfeed.h"
#include "display/displaylayout.h"
#include "display/displaysettings.h"

#include <QCursor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <functional>

class QFrame;
class QLabel;
class QTimer;

namespace tavrok {

class Language;

// Colours as the settings store them (red in the lowest byte; FF0000xx a system colour of the Windows
// version) and back.
QColor storedColour(quint32 stored);
quint32 toStoredColour(const QColor& colour);

// "Samostatný displej - Tavrok": the running time in big characters, one label per character, in a
// freely sized window of its own, with its own colours, picture and (with the simplified frame) its own
// window controls.
class TfrmDisplej : public QWidget {
    Q_OBJECT
public:
    // `expand` turns a stored picture path into a file path (variables, slashes).
    explicit TfrmDisplej(std::function<QString(const QString&)> expand, QWidget* parent = nullptr);
    // The window's caption in a language.
    void nactiJazyk(const Language& language);

    // Takes a look: flags, colours, font, picture; lays the window out again. False when the picture
    // was to be shown and could not be read (the window then shows none).
    bool apply(const TNastaveniDispleje& settings);
    const TNastaveniDispleje& settings() const { return settings_; }

    void pisNaSamostatnyDisplej(const DisplayText& text);
    const DisplayText& shownText() const { return text_; }
    void vynulujDisplej() { pisNaSamostatnyDisplej(resetDisplayText()); }

    // The window's state for "stavDispleje", and back.
    DisplayWindowState windowPlace() const;
    void restoreWindowPlace(const DisplayWindowState& place);

    // The widest digit of the display font: the measuring template is made of it.
    QChar templateChar() const { return templateChar_; }
    const QString& matrix() const { return matrix_; }
    // Pixel width of a text in the display font with its cells `height` high.
    int sirkaTextu(const QString& text, int height) const;
    // The font whose character cells are `height` pixels high.
    QFont fontForHeight(int height) const;

    void FormResize();

    // For the settings dialog: the character cells drawn on a colour while previewing, the size bar
    // under the text, the picker's cursor, and the window controls shown at once.
    void setHighlight(bool on, const QColor& colour);
    void setSizeHandle(bool shown);
    void setPickerCursor(bool on);
    void showControlsNow() { showControls(); }
    // The text's rectangle (its visible labels).
    QRect textRect() const;

signals:
    // Previewing, the text was dragged by `moved` pixels, or its size bar to a height of `height`;
    // `parent` is the size of what the offsets and the size are per cents of.
    void textMoved(QPoint moved, QSize parent);
    void textResized(int height, QSize parent);

public:

    // Window-control pictures (16 x 16, drawn by the program).
    static constexpr int ControlSize = 16;
    static QImage controlPicture(char which);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void vytvorMatrici(const QString& dayString);
    void showControls();
    void tmrSkrytOvladaniTimer();
    // Shapes the window for a see-through colour: the whole of it, or the part that changed.
    void updateTransparency(const QRect& area = {});
    void toggleMaximised();
    QRect controlsArea() const;

    std::function<QString(const QString&)> expand_;
    TNastaveniDispleje settings_;
    bool locked_ = true;
    QFont baseFont_;
    double cellRatio_ = 1.0; // cell height of the font per pixel of its size
    QChar templateChar_ = u'0';
    QString matrix_;
    qsizetype matrixDayLength_ = -1;
    DisplayText text_;
    QImage picture_;
    QRect pictureRect_;
    QPixmap scaled_; // the picture's part inside the window, at its size there
    QPoint scaledAt_;

    void shiftText(QPoint delta, int heightChange);

    enum class Drag { None, Move, Resize, Text, TextSize };
    Drag drag_ = Drag::None;
    QPoint dragStart_;   // global position where the drag began
    QPoint dragLast_;    // and where the mouse was last
    bool previewEditing_ = false;
    bool shaping_ = false; // the see-through shape is being made
    bool picking_ = false; // the colour picker waits: its cursor is shown
    bool highlight_ = false; // the character cells are drawn on `highlightColour_`
    QColor highlightColour_;
    QCursor cursorBeforePicker_;
    DisplayLayout layout_;
    QSize parentSize_;
    QString picturePath_;
    QRect dragGeometry_; // the window's geometry then

    std::array<QLabel*, DisplayLabelCount> labels_{};
    QLabel* imgMin = nullptr;
    QLabel* imgMax = nullptr;
    QLabel* imgObn = nullptr;
    QLabel* imgZav = nullptr;
    QLabel* imgRoh = nullptr;
    QFrame* pnlVelikost = nullptr;
    QTimer* tmrSkrytOvladani = nullptr;
};

} // namespace tavrok
