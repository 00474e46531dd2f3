#include "display/seriovyport.h"

#include "lang/messagetable.h"
#include "storage/inifile.h"

#include <algorithm>

namespace tavrok {

namespace {

constexpr char16_t Section[] = u"seriovyPort";
constexpr const char16_t* InputKeys[] = {u"DSR", u"CTS", u"RI", u"DCD"};
constexpr const char16_t* OutputKeys[] = {u"DTR", u"RTS", u"TxD"};

} // namespace

TNastaveniSerioveho nactiNastaveniSerioveho(const IniFile& settings, const QString& none) {
    const IniSnapshot s = settings.snapshot();
    TNastaveniSerioveho n;
    n.port = s.readString(Section, u"port");
    if (n.port == none || n.port == QStringView(ZadnyPort)) {
        n.port.clear();
    }
    for (size_t i = 0; i < 4; ++i) {
        const QString key = QString::fromUtf16(InputKeys[i]);
        n.akce[i] = std::clamp(s.readInteger(Section, key, n.akce[i]), 0, 7);
        n.negace[i] = s.readBool(Section, QStringLiteral("neg") + key, false);
    }
    for (size_t i = 0; i < 3; ++i) {
        const QString key = QString::fromUtf16(OutputKeys[i]);
        n.udalost[i] = std::clamp(s.readInteger(Section, key, n.udalost[i]), 0, 2);
        n.stav[i] = s.readBool(Section, QStringLiteral("stav") + key, false);
    }
    n.delka = std::max(s.readInteger(Section, u"delka", 0), 0);
    return n;
}

QString portNotOpened(const MessageTable& messages, const QString& error) {
    return messages.text(64) + u'\n' + error;
}

bool ulozNastaveniSerioveho(IniFile& settings, const TNastaveniSerioveho& n) {
    IniBatch b(settings);
    b.writeString(Section, u"port", n.port.isEmpty() ? QString::fromUtf16(ZadnyPort) : n.port);
    for (size_t i = 0; i < 4; ++i) {
        b.writeInteger(Section, QString::fromUtf16(InputKeys[i]), n.akce[i]);
    }
    for (size_t i = 0; i < 3; ++i) {
        b.writeInteger(Section, QString::fromUtf16(OutputKeys[i]), n.udalost[i]);
    }
    for (size_t i = 0; i < 4; ++i) {
        b.writeBool(Section, QStringLiteral("neg") + QString::fromUtf16(InputKeys[i]), n.negace[i]);
    }
    for (size_t i = 0; i < 3; ++i) {
        b.writeBool(Section, QStringLiteral("stav") + QString::fromUtf16(OutputKeys[i]), n.stav[i]);
    }
    b.writeInteger(Section, u"delka", n.delka);
    return b.commit();
}

bool SeriovyPort::pripojit(const QString& name, QString& error) {
    if (port_.isOpen()) {
        port_.close();
    }
    connected_ = false;
    portName_.clear();
    return_ = {};
    if (name.isEmpty()) {
        return true;
    }
    if (!port_.open(name, error)) {
        return false;
    }
    connected_ = true;
    portName_ = name;
    // Opening a port raises DTR and RTS: the outputs take their set state at once.
    for (int line = 0; line < 3; ++line) {
        port_.setOutput(static_cast<SerialPort::Output>(line), s_.stav[static_cast<size_t>(line)]);
    }
    if (const auto in = port_.inputs()) {
        last_ = *in;
    }
    return true;
}

void SeriovyPort::odpojit() {
    QString ignored;
    pripojit(QString(), ignored);
}

void SeriovyPort::apply(const TNastaveniSerioveho& s) {
    s_ = s;
    if (!port_.isOpen()) {
        return;
    }
    for (int line = 0; line < 3; ++line) {
        port_.setOutput(static_cast<SerialPort::Output>(line), s.stav[static_cast<size_t>(line)]);
    }
}

SeriovyPort::Poll SeriovyPort::poll(UtcTime now) {
    Poll p;
    if (!connected_) {
        return p;
    }
    const auto in = port_.inputs();
    if (!in) {
        // Gone (a USB adapter pulled out): closed once, so the poll does not fail again and again.
        p.reason = port_.errorText(); // before closing, which may say something of its own
        port_.close();
        connected_ = false;
        return_ = {};
        p.lost = true;
        return p;
    }
    for (size_t i = 0; i < 4; ++i) {
        if ((*in)[i] != last_[i]) {
            last_[i] = (*in)[i];
            // A plain input acts on its line coming on, a negated one on its line going off.
            if (last_[i] != s_.negace[i]) {
                p.actions.push_back(s_.akce[i]);
            }
        }
    }
    for (size_t line = 0; line < 3; ++line) {
        if (return_[line] && now >= *return_[line]) {
            const auto output = static_cast<SerialPort::Output>(line);
            port_.setOutput(output, !port_.output(output));
            return_[line].reset();
        }
    }
    return p;
}

void SeriovyPort::aktivujSerPort(int event, UtcTime now) {
    if (!port_.isOpen()) {
        return;
    }
    for (size_t line = 0; line < 3; ++line) {
        if (s_.udalost[line] != event) {
            continue;
        }
        const auto output = static_cast<SerialPort::Output>(line);
        port_.setOutput(output, !port_.output(output));
        if (s_.delka != 0) {
            return_[line] = now + s_.delka / MsPerDay;
        }
    }
}

std::optional<UtcTime> SeriovyPort::nextReturn() const {
    std::optional<UtcTime> soonest;
    for (const std::optional<UtcTime>& t : return_) {
        if (t && (!soonest || *t < *soonest)) {
            soonest = t;
        }
    }
    return soonest;
}

} // namespace tavrok
