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
#include <cstdint>

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
    static const MessageTable messages;
    static const QString source = fuzz::scratchPath(QStringLiteral("source"));
    static const QString target = fuzz::scratchPath(QStringLiteral("target"));
    const QByteArray input = fuzz::bytesOf(data, size);
    QList<QByteArray> files;
    for (qsizetype from = 0; files.size() < 8;) {
        const qsizetype at = input.indexOf("@@@\n", from);
        files << input.mid(from, at < 0 ? -1 : at - from);
        if (at < 0) {
            break;
        }
        from = at + 4;
    }
    files.resize(8);
    static const char* const Parts[] = {"source/Tavrok.bud", "source/Tavrok.cas",   "source/Tavrok.dat",
                                        "source/Budiky.ini", "source/Mezicasy.ini", "source/Nastaveni.ini",
                                        "target/Budiky.ini", "target/Mezicasy.ini"};
    QDir().mkpath(source);
    QDir().mkpath(target);
    for (int i = 0; i < 8; ++i) {
        fuzz::putFile(fuzz::scratchPath(QString::fromLatin1(Parts[i])), files[i]);
    }
    QFile::remove(target + QStringLiteral("/Nastaveni.ini"));

    CyclingAnswers answers(size ? data[size - 1] : 0);
    const PortOutcome out = portujNastaveni(PortSide::folder(source), PortSide::folder(target), false, answers,
                                            messages, PlacementDefaults{});
    if (out.result == PortOutcome::Result::Done) {
        // Every file the import wrote is text this program reads back.
        const std::pair<bool, const char*> written[] = {
            {out.alarmsWritten, "Budiky.ini"}, {out.splitsWritten, "Mezicasy.ini"}, {out.settingsWritten, "Nastaveni.ini"}};
        for (const auto& [wrote, name] : written) {
            const IniFile file(target + u'/' + QString::fromLatin1(name));
            FUZZ_CHECK(!wrote || !QFile::exists(file.path()) || !file.holdsNoText(),
                       "a written file is text");
        }
    }
    return 0;
}
