#pragma once

#include "alarms/notificationoptions.h"

#include <QGroupBox>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tavrok {

class AudioDevice;
class Clock;
class FileDialogs;
class SoundManager;

// The group that edits how something is announced (an alarm, the end of a countdown): on or off, the
// standard, an own or a random sound, repeating, the length, a click to end it, with a preview of the
// own sound. Its controls carry the names the language files and the tests address.
class NotificationGroup : public QGroupBox {
    Q_OBJECT
public:
    struct Services {
        FileDialogs& files;
        SoundManager& sounds;
        AudioDevice& audio;
        Clock& clock;
        std::function<QString(const QString&)> expand; // variables and slashes of a stored path
    };
    // The dialogs differ in the group's and the switch's names and in the captions' accelerators.
    struct Captions {
        const char* groupName;
        const char16_t* title;
        const char* checkName;
        const char16_t* check;
        const char16_t* standard;
        const char16_t* own;
        const char16_t* browseOwn;
        const char16_t* random;
        const char16_t* browseRandom;
        const char16_t* repeat;
        const char16_t* dismiss;
    };
    NotificationGroup(Services services, const Captions& captions, QWidget* parent);

    void zobraz(const NotificationOptions& options);
    NotificationOptions hodnoty() const;
    // The kinds of file the own sound's chooser offers, in the language's words.
    void setSoundFilter(const QString& filter) { soundFilter_ = filter; }
    // The own sound chosen and switched on (the countdown's "use for the end too").
    void useOwnSound(const QString& path);

    void btnPlayClick();
    void btnStopClick();

signals:
    void changed();

private:
    void enable();

    // A path the user typed or chose is stored in the program's form; one shown as the file had it
    // (backslashes of the Windows version, a trailing separator) stays as it was, so opening and
    // confirming the dialog changes nothing.
    QString pathOf(const QLineEdit* edit, const QString& shown) const;

    Services s_;
    int nahledZvuku_ = -1;
    QString soundFilter_;
    QString shownOwn_;
    QString shownRandom_;

    QCheckBox* chbUpozornovat;
    QRadioButton* rbtStandardniZvuk;
    QRadioButton* rbtVlastniZvuk;
    QLineEdit* edtVlastniZvuk;
    QPushButton* btnProchazetVlastni;
    QRadioButton* rbtNahodnyZvuk;
    QLineEdit* edtNahodnyZvuk;
    QPushButton* btnProchazetNahodny;
    QCheckBox* chbOpakovat;
    QLabel* lblUpozornovat;
    QSpinBox* speDelka;
    QLabel* lblMs;
    QLabel* lblDodatek;
    QPushButton* btnPlay;
    QPushButton* btnStop;
    QCheckBox* chbUkoncitKliknutim;
};

} // namespace tavrok
