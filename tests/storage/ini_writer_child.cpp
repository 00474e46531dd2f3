// Keeps rewriting one INI file until it is killed: the first round creates [data] and a closing [end]
// section, every later write changes one key of [data] in place.
#include "storage/inifile.h"

#include <QCoreApplication>
#include <cstdio>

using tavrok::IniFile;

namespace {

QString payload(int round) {
    return QString(QChar(u'a' + round % 26)).repeated(2000 + (round * 37) % 5000);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        return 2;
    }
    IniFile ini(QString::fromLocal8Bit(argv[1]));
    bool ok = ini.writeInteger(u"data", u"round", 0) && ini.writeString(u"data", u"payload", payload(0)) &&
              ini.writeInteger(u"data", u"tail", 0) && ini.writeInteger(u"end", u"ok", 1);
    std::fputs(ok ? "ready\n" : "failed\n", stdout);
    std::fflush(stdout);
    for (int round = 1; ok; ++round) {
        ok = ini.writeInteger(u"data", u"round", round) && ini.writeString(u"data", u"payload", payload(round)) &&
             ini.writeInteger(u"data", u"tail", round);
    }
    return 1;
}
