// Any bytes as a language file: every word and message the program looks up, and the checks the
// settings dialog makes before it takes the file.
#include "fuzz/fuzzinput.h"
#include "lang/language.h"
#include "lang/languagekeys.h"
#include "lang/messagetable.h"
#include "storage/inifile.h"

using namespace tavrok;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString path = fuzz::scratchPath(QStringLiteral("Jazyk.ini"));
    fuzz::putFile(path, fuzz::bytesOf(data, size));
    const IniFile file(path);
    const IniSnapshot snapshot = file.snapshot();
    (void)languageIsForThisProgram(snapshot);
    (void)languageFitsThisVersion(snapshot);
    const Language language(snapshot, QStringLiteral("Jazyk"));
    (void)language.version();
    (void)language.versionEnglish();
    (void)language.authorCzech();
    (void)language.authorEnglish();
    (void)language.qtLocale();
    for (const QString& section : snapshot.sectionNames().mid(0, 32)) {
        for (const QString& key : snapshot.keyNames(section).mid(0, 64)) {
            (void)language.text(section, key, QStringLiteral("výchozí"));
            (void)language.word(section, key);
        }
    }
    for (const LanguageSection& section : languageSections()) {
        for (const LanguageKey& key : section.keys) {
            (void)language.text(fileSectionOf(section, key), QStringView(key.key), QStringLiteral("výchozí"));
        }
    }
    MessageTable messages;
    messages.nacti(snapshot);
    for (int n = 1; n <= MessageTable::Count; ++n) {
        const QString filled = fillPlaceholders(messages.text(n), {{u"%d1", QStringLiteral("%d2")}, {u"%d", QStringLiteral("%d")}});
        FUZZ_CHECK(filled.size() <= messages.text(n).size() * 2 + 8, "placeholders are filled once, not again");
    }
    return 0;
}
