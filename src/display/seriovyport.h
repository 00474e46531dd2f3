#pragma once

#include "common/datetime.h"
#include "platform/serialport.h"

#include <QString>
#include <array>
#include <vector>

namespace tavrok {

class IniFile;

// What the four inputs do (the codes of the dialog's lists).
enum SerialAction {
    Nic = 0,
    SpustitOdpocitavani = 1,
    SpustitTavrok = 2,
    ZastavitTavrok = 3,
    VynulovatTavrok = 4,
    MezicasZastavitVynulovat = 5,
    VynulovatPrepnoutNaOdpocitavani = 6,
    UlozitMezicas = 7,
};
// What raises the three outputs.
enum SerialEvent { NikdyNemenit = 0, ZazvoneniBudiku = 1, DokonceniOdpocitavani = 2 };

// Section "seriovyPort" of Nastaveni.ini.
struct TNastaveniSerioveho {
    QString port;                              // empty: none
    std::array<int, 4> akce{1, 7, 5, 6};       // DSR, CTS, RI, DCD
    std::array<int, 3> udalost{0, 1, 2};       // DTR, RTS, TxD
    std::array<bool, 4> negace{};
    std::array<bool, 3> stav{};                // the outputs' state set on apply
    int delka = 0;                             // a pulse's milliseconds; 0: the output stays changed
    bool operator==(const TNastaveniSerioveho&) const = default;
};

// The file holds the word "Žádný" for no port. A file written while another language was in use may
// hold that language's word, `none`: it reads as no port too. Saving writes the built-in word, so a
// change of language never turns "no port" into a port of that name.
inline constexpr char16_t ZadnyPort[] = u"Žádný";
TNastaveniSerioveho nactiNastaveniSerioveho(const IniFile& settings, const QString& none);
bool ulozNastaveniSerioveho(IniFile& settings, const TNastaveniSerioveho& s);

class MessageTable;
// What a user is told when a port does not open: message 64 and the system's reason.
QString portNotOpened(const MessageTable& messages, const QString& error);

// The serial state: the open port, the last input states, the pending pulses.
class SeriovyPort {
public:
    explicit SeriovyPort(SerialPort& port) : port_(port) {}

    // Opens a port (after closing an open one); an empty name closes. False with the reason when the
    // port cannot be opened. The outputs are set at once: opening raises DTR and RTS by itself.
    bool pripojit(const QString& name, QString& error);
    void odpojit();
    bool connected() const { return connected_; }
    const QString& portName() const { return portName_; }

    // Takes the lines' actions, events, negations and pulse length, and sets the outputs.
    void apply(const TNastaveniSerioveho& s);

    struct Poll {
        std::vector<int> actions; // to perform, in the order DSR, CTS, RI, DCD
        bool lost = false;         // the port stopped answering and was closed
        QString reason;            // why, as the system said it
    };
    // Reads the inputs and ends the pulses that are due.
    Poll poll(UtcTime now);
    // An alarm rang (1) or a countdown ended (2): every output of that event is inverted.
    void aktivujSerPort(int event, UtcTime now);

    const SerialPort::Inputs& lastInputs() const { return last_; }
    // A pulse is pending: when the soonest one ends.
    std::optional<UtcTime> nextReturn() const;
    SerialPort& port() { return port_; }

private:
    SerialPort& port_;
    bool connected_ = false;
    QString portName_;
    TNastaveniSerioveho s_;
    SerialPort::Inputs last_{};
    std::array<std::optional<UtcTime>, 3> return_{}; // when each pending pulse ends
};

} // namespace tavrok
