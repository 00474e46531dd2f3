// Imports arbitrary files: the six files an import reads are cut from the input at the markers
// "@@@\n", a seventh and eighth part stand for the alarms and split times the program already has,
// and the questions are answered from the input's last byte.
#include "lang/messagetable.h"
#include "platform/questions.h"
#include "storage/importexport.h"
#include "storage/inifile.h"
#include "fuzz/fuzzinput.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

using namespace tavrok;

namespace {

class CyclingAnswers final : public Questions {
public:
    explicit CyclingAnswers(unsigned seed) : seed_(seed) {}
    Answer ask(const QString&, MessageIcon, MessageButtons buttons) override {
        if (buttons == MessageButtons::Ok) {
            return Answer::Ok;
        }
        static constexpr Answer Cycle[] = {Answer::Yes, Answer::No, Answer::Yes, Answer::Cancel};
        return Cycle[(seed_ + asked_++) % 4];
    }
    void notify(const QString&, const QString&) override {}
    RunningChoice askRunning(const QString&, const QString&) override { return RunningChoice::Cancel; }

private:
    unsigned seed_;
    unsigned asked_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    static const MessageTable messages;
    static const QString source = dir.filePath(QStringLiteral("source"));
    static const QString target = dir.filePath(QStringLiteral("target"));
    QDir().mkpath(source);
    QDir().mkpath(target);

    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QList<QByteArray> files;
    qsizetype from = 0;
    while (files.size() < 8) {
        const qsizetype at = input.indexOf("@@@\n", from);
        files << input.mid(from, at < 0 ? -1 : at - from);
        if (at < 0) {
            break;
        }
        from = at + 4;
    }
    while (files.size() < 8) {
        files << QByteArray();
    }
    static const char* const Sources[] = {"Tavrok.bud", "Tavrok.cas", "Tavrok.dat",
                                          "Budiky.ini", "Mezicasy.ini", "Nastaveni.ini"};
    for (int i = 0; i < 6; ++i) {
        fuzz::putFile(source + u'/' + QString::fromLatin1(Sources[i]), files[i]);
    }
    fuzz::putFile(target + QStringLiteral("/Budiky.ini"), files[6]);
    fuzz::putFile(target + QStringLiteral("/Mezicasy.ini"), files[7]);
    QFile::remove(target + QStringLiteral("/Nastaveni.ini"));

    CyclingAnswers answers(size ? data[size - 1] : 0);
    const PortOutcome out = portujNastaveni(PortSide::folder(source), PortSide::folder(target), false, answers,
                                            messages, PlacementDefaults{});
    if (out.result == PortOutcome::Result::Done) {
        // Every file the import wrote is text this program reads back, and each name it lists heads a
        // section of its own.
        const std::pair<bool, const char*> written[] = {
            {out.alarmsWritten, "Budiky.ini"}, {out.splitsWritten, "Mezicasy.ini"}, {out.settingsWritten, "Nastaveni.ini"}};
        for (const auto& [wrote, name] : written) {
            const IniFile file(target + u'/' + QString::fromLatin1(name));
            if (wrote && QFile::exists(file.path()) && file.holdsNoText()) {
                std::abort();
            }
        }
    }
    return 0;
}
