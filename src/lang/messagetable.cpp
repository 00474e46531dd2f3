#include "lang/messagetable.h"

#include "storage/inifile.h"

namespace tavrok {

namespace {

// The built-in Czech texts, as a language file spells them ("%13" for a line break).
constexpr const char16_t* BuiltIn[MessageTable::Count] = {
    u"V poli pro počet dnů jste zadal nesprávný znak.",
    u"Nezadali jste žádný čas.",
    u"Měly by být spuštěny tavrok (po dokončení odpočítávání), ale tavrok jsou již spuštěny.%13Chcete spustit tavrok znovu?%13- Ano - Stávající tavrok budou zrušeny a budou spuštěny nové od doby kdy bylo dokončeno odpočítávání%13- Ne - Stávající tavrok zůstanou běžet",
    u"Opravdu chcete vymazat všechny mezičasy?",
    u"Mezičasy nebyly uloženy, jste si opravdu jisti, že chcete všechny mezičasy vymazat?",
    u"Informace o stavu tavrek nelze zapsat do souboru %d, pravděpodobně je chráněn proti zápisu nebo nemáte právo na zápis do tohoto souboru.",
    u"Informace o stavu odpočítávání nelze zapsat do souboru %d, pravděpodobně je chráněn proti zápisu nebo nemáte právo na zápis do tohoto souboru.",
    u"Nastavení programu a pozice okna nelze zapsat do souboru %d, pravděpodobně je chráněn proti zápisu nebo nemáte právo na zápis do tohoto souboru.",
    u"Tavrok jsou stále spuštěné,",
    u"co s nimi chcete udělat?",
    u"Mezičasy nebyly uloženy, chcete program zavřít bez jejich uložení?",
    u"Odpočítávání je stále spuštěné,",
    u"co s ním chcete udělat?",
    u"Odpočítávání je pozastaveno, pokud program ukončíte, bude toto odpočítávání ztraceno.%13Chcete program ukončit?",
    u"Načtený budík nebyl uložen.%13Chcete program i přesto zavřít?",
    u"Zadaný čas již existuje.",
    u"Opravdu chcete vymazat všechny předchozí upozornění?",
    u"Nebyl nalezen zvukový soubor%13%d%13Program se pokusí využít systémových zvuků, ty však nejsou na upozorňování vhodné.",
    u"Měly by být spuštěny tavrok (po dokončení odpočítávání), ale tavrok jsou již spuštěny.%13Chcete spustit tavrok znovu?%13- Ano - Stávající tavrok budou zrušeny a budou spuštěny nové od doby kdy bylo dokončeno odpočítávání%13- Ne - Stávající tavrok zůstanou běžet, čas dokončení odpočítávání s přesností na sekundy bude zobrazen",
    u"Odpočítávání bylo dokončeno v %d1 se zprávou: %13%d2",
    u"Potřebná data nelze zapsat do souboru %d, toto může způsobit problémy s pokračováním stopování a odpočítávání po vypnutí programu.",
    u"Není zadán název.",
    u"Pod tento název nelze budík uložit.",
    u"Chyba při výpočtu nejbližšího data a času zazvonění budíku, budík nelze uložit.",
    u"Budík není zapnutý. Pokud jej nezapnete, tak i přesto, že bude uložen, nebude zvonit.%13Chcete budík uložit vypnutý?%13- Ano - Budík bude uložen vypnutý.%13- Ne - Budík bude uložen zapnutý.%13- Storno - Budík nebude uložen.",
    u"Zadaný název již existuje.%13Chcete název přepsat?",
    u"Budík nelze uložit do souboru %d, pravděpodobně je chráněn proti zápisu nebo nemáte právo na zápis do tohoto souboru.",
    u"Opravdu chcete vymyzat všechny uložené budíky?",
    u"Budíky nelze vymazat ze souboru %d, pravděpodobně je chráněn proti zápisu nebo nemáte právo na zápis do tohoto souboru. Data nebyla smazána.",
    u"Není zadán název, ze kterého se má načítat.",
    u"Toto není název budíku, ale vyznačení, kde se mezi budíky nachází aktuální čas.",
    u"Zadaný název budíku nebyl nalezen.",
    u"Zadaný název budíku nebyl nalezen - název budíku musí obsahovat alespoň jeden znak.",
    u"Chyba při mazání budíku v souboru %d, pravděpodobně je chráněn proti zápisu nebo nemáte právo na zápis do tohoto souboru. Data nebyla smazána.",
    u"Chybné zadání data nebo času.",
    u"Chyba při určování nejbližšího zazvonění budíku, pravděpodobně jste zadal nesprávné informace.",
    u"Opravdu chcete smazat celý otevřený soubor (%d)?",
    u"Soubor %d nelze smazat, pravděpodobně je chráněn proti zápisu nebo nemáte právo na zápis do tohoto souboru. Data nebyla smazána.",
    u"Seznam mezičasů není prázdný, chcete jej vymazat?",
    u"Chyba při mazání mezičasů v souboru %d, pravděpodobně je chráněn proti zápisu nebo nemáte právo na zápis do tohoto souboru. Data nebyla smazána.",
    u"Není zadán název.",
    u"Nemám co ukládat.",
    u"Zadaný název ji existuje.",
    u"Mezičasy nelze uložit do souboru %d, pravděpodobně je chráněn proti zápisu nebo nemáte právo na zápis do tohoto souboru.",
    u"Chyba při otevírání (vytváření) souboru %d.",
    u"Není vyplněna cesta.",
    u"Do souboru %d nelze ukládat, prosím vyberte jiný nebo zkontrolujte práva pro zápis a zda není soubor chráněn proti zápisu.",
    u"Nejsou uloženy žádné mezičasy a tudíž není co tisknout.%13Chcete-li vytisknout mezičasy uložené v souboru, tak je prosím nejprve načtěte.",
    u"Nelze tisknout.",
    u"Nebyly zmeškány žádne budíky.",
    u"Data nelze uložit do souboru %d, pravděpodobně je chráněn proti zápisu nebo nemáte právo na zápis do tohoto souboru.",
    u"Obrázek na pozadí Samostatného displeje nelze otevřít.",
    u"Nastavení Samostatného displeje nelze zapsat do souboru %d, pravděpodobně je chráněn proti zápisu nebo nemáte právo na zápis do tohoto souboru.",
    u"Vybraný jazykový soubor není určen pro program Tavrok.%13Opravdu chcete tento soubor načíst?",
    u"Vybraný jazykový soubor není určen pro tuto verzi programu Tavrok. Jazykové soubory pro jinou verzi by měly fungovat, ale nemusí být přeloženy všechny texty.%13Opravdu chcete tento soubor načíst?",
    u"Některý ze souborů nastavení v nové cestě již existuje.%13Chcete jej přepsat aktuálním nastavením?",
    u"Některý ze souborů nastavení ve staré cestě nelze smazat.",
    u"Soubor signald.wav není ve vybrané složce zvuků obsažen.%13Chcete přesto vyplnit pole pro vlastní zvuk odpovídající cestou?",
    u"Nebylo nalezeno žádné nastavení pro import/export. Program hledá soubory verzí starších než 2.5 (Tavrok.bud, Tavrok.cas a Tavrok.dat) a soubory verze 2.5 a novějších (Budiky.ini, Mezicasy.ini a Nastaveni.ini).",
    u"Budík %d již existuje. Chcete jej přepsat?",
    u"Mezičasy %d již existují. Chcete je přepsat?",
    u"Import/export nastavení byl dokončen.",
    u"Program bude nyní ukončen a bude spuštěna jeho aktualizace.",
    u"Nelze se připojit k vybranému portu.",
    u"Program pro aktualizaci programu Tavrok nemůže zapisovat do složky %d nebo do složky programu Tavrok (o tři úrovně výš). Program Tavrok nebude aktualizován.",
    u"Soubor %d1 nelze přečíst, není to textový soubor. Aby se jeho obsah neztratil, byl přejmenován na %d2 a program pokračuje bez něj.",
    u"Do složky %d nelze soubory nastavení přesunout. Zadejte úplnou cestu ke složce, do které máte právo zapisovat (ne kořen disku), a proměnné prostředí, které existují.%13Nastavení zůstává na původním místě.",
    u"Sériový port %d1 přestal odpovídat (bylo odpojeno zařízení?) a byl zavřen:%13%d2%13Po připojení zařízení jej připojte znovu v nastavení sériového portu.",
    u"Klávesovou zkratku %d pro mezičas již používá jiný program, mezičasy jí proto brát nelze.%13Zvolte v nastavení jinou zkratku.",
    u"Tato pracovní plocha nedovoluje programům zachytávat klávesové zkratky stisknuté v jiných oknech (například relace Wayland), zkratka pro mezičas proto mimo okna programu Tavrok nefunguje.%13Aby mezičas brala klávesa odkudkoli, přidejte v nastavení klávesnice pracovní plochy vlastní klávesovou zkratku s příkazem tavrok --split a zkratku pro mezičas v programu Tavrok vypněte. Postup popisuje nápověda.",
    u"Pod tento název nelze mezičasy uložit. Název nesmí být „info“ a nesmí obsahovat hranaté závorky ani konce řádků.",
    u"Program pro aktualizaci %d není nainstalován nebo jej nelze spustit, nové verze proto nelze zkontrolovat. Program Tavrok pracuje dál beze změny.",
    u"Připravenou aktualizaci nelze nainstalovat: program %d, který ji instaluje, není nainstalován nebo jej nelze spustit. Program Tavrok pracuje dál beze změny a tuto aktualizaci již nenabídne.",
    u"Rok musí být od 1 do 9999, v části „Když“ také 0 (kterýkoli rok). Opravte označený rok.",
    u"Klávesovou zkratku %d nelze pro mezičas použít: tuto klávesu program na této pracovní ploše zachytit neumí, nebo by ji vzal psaní ve všech programech.%13Zvolte jinou zkratku, například funkční klávesu, nebo písmeno či číslici s Ctrl nebo Alt.",
    u"Do složky nastavení %d1 nelze zapisovat. Program proto pracuje s kopií nastavení, budíků a mezičasů ve složce %d2; původní soubory zůstaly beze změny.",
    u"Do složky nastavení %d1 lze opět zapisovat. Nastavení, budíky a mezičasy, se kterými program mezitím pracoval ve složce %d2, byly přeneseny zpět do ní.",
    u"Nastavení, budíky a mezičasy ze složky %d2 nelze přenést zpět do složky nastavení %d1. Program s nimi proto dál pracuje ve složce %d2.",
    u"Nastavení se do složky %d1 nepodařilo přesunout: soubor %d2 nelze zapsat (například je disk plný nebo je soubor chráněný proti zápisu). Složka zůstala taková, jaká byla, a nastavení zůstává na původním místě.",
    u"Program Tavrok čeká na odpověď v otevřeném okně, příkaz %d proto nyní provést nelze.",
    u"Tavrok neběží, mezičas proto nelze vzít.",
    u"Odpočítávání neběží, pozastavit je proto nelze.",
    u"Délku odpočítávání nelze změnit, dokud odpočítávání běží nebo je pozastavené.",
    u"Neznámý nebo neúplný přepínač: %d%13Přepínače vypíše tavrok --help.",
    u"Běžící program Tavrok na příkaz neodpověděl.",
    u"Tavrok běží, vynulovat jej proto nelze. Nejprve jej zastavte.",
};

QString withLineBreaks(QString text) {
    return text.replace(QStringLiteral("%13"), QStringLiteral("\n"));
}

} // namespace

MessageTable::MessageTable() {
    for (int n = 1; n <= Count; ++n) {
        texts_[n - 1] = builtIn(n);
    }
}

const QString& MessageTable::text(int n) const {
    static const QString none;
    return n >= 1 && n <= Count ? texts_[n - 1] : none;
}

QString MessageTable::builtIn(int n) {
    return n >= 1 && n <= Count ? withLineBreaks(QString::fromUtf16(BuiltIn[n - 1])) : QString();
}

void MessageTable::nacti(const IniSnapshot& languageIni) {
    for (int n = 1; n <= Count; ++n) {
        const QString key = QStringLiteral("message%1").arg(n);
        texts_[n - 1] = withLineBreaks(languageIni.readString(u"Messages", key, QString::fromUtf16(BuiltIn[n - 1])));
    }
}

QString fillPlaceholders(QStringView text, std::initializer_list<std::pair<QStringView, QString>> values) {
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const std::pair<QStringView, QString>* best = nullptr;
        for (const auto& v : values) {
            if (!v.first.isEmpty() && text.sliced(i).startsWith(v.first) &&
                (!best || v.first.size() > best->first.size())) {
                best = &v;
            }
        }
        if (best) {
            out += best->second;
            i += best->first.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

} // namespace tavrok
