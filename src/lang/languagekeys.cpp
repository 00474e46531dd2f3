#include "lang/languagekeys.h"

#include <iterator>

namespace tavrok {

namespace {

using K = KeyKind;

constexpr LanguageKey HlavniOkno[] = {
    {u"lblFceBudik", K::Caption},
    {u"lblFceTavrok", K::Caption},
    {u"lblFceOdpocit", K::Caption},
    {u"lblBudZprava", K::Caption},
    {u"chbOdpOpakovat", K::Caption},
    {u"btnOdpZapZapnout", K::Word, u"&Start"},
    {u"btnOdpZapVypnout", K::Word, u"&Stop"},
    {u"btnBudZapZapnout", K::Word, u"Za&pnout"},
    {u"btnBudZapVypnout", K::Word, u"Vy&pnout"},
    {u"btnTvrZapZapnout", K::Word, u"&Start"},
    {u"btnTvrZapVypnout", K::Word, u"&Stop"},
    {u"btnTvrVymazat", K::Caption},
    {u"btnTvrMezicas", K::Caption},
    {u"btnDalsi", K::Caption},
    {u"btnVynulovat", K::Caption},
    {u"btnOdpPauzaPauznout", K::Word, u"&Pauza"},
    {u"btnOdpPauzaPokracovat", K::Word, u"&Pokračovat"},
    {u"lblOdpZprava", K::Caption},
    {u"btnBudVymazat", K::Caption},
    {u"btnBudNacist", K::Caption},
    {u"btnBudVymazatVse", K::Caption},
    {u"btnBudUlozit", K::Caption},
    {u"cbxBudikyHint", K::Hint, u"Název budíku/seznam budíků", u"cbxBudiky"},
    {u"btnBudVymazatHint", K::Hint, u"Vymazat budík", u"btnBudVymazat"},
    {u"btnBudNacistHint", K::Hint, u"Načíst budík", u"btnBudNacist"},
    {u"btnBudUlozitHint", K::Hint, u"Uložit budík", u"btnBudUlozit"},
    {u"btnKonec", K::Caption},
    {u"lblDnu", K::Caption},
    {u"btnTvrImpExp", K::Caption},
    {u"btnTvrVymazatVse", K::Caption},
    {u"mnuNapoveda", K::Caption},
    {u"mnuOProgramu", K::Caption},
    {u"mnuIndex", K::Caption},
    {u"mnuSoubor", K::Caption},
    {u"mnuKonec", K::Caption},
    {u"mnuZmeskaneBudiky", K::Caption},
    {u"mnuSeriovyPort", K::Caption},
    {u"mnuNastaveniDispleje", K::Caption},
    {u"mnuZobrazitDisplej", K::Caption},
    {u"mnuVypnoutUpozorneni", K::Caption},
    {u"mnuNastaveni", K::Caption},
    {u"mnuImport", K::Caption},
    {u"mnuExport", K::Caption},
    {u"mnuZvuk", K::Caption},
    {u"mnuVzdyNahore", K::Caption},
    {u"mnuDoIkony", K::Caption},
    {u"mnuObnovit", K::Caption},
    {u"mnuZkontrolovatNovouVerzi", K::Caption},
    // The tray menu's items: a file that lacks them (the Windows version's) gives the main menu's words.
    {u"mnuNapoveda2", K::Caption, nullptr, nullptr, nullptr, u"mnuNapoveda"},
    {u"mnuOProgramu2", K::Caption, nullptr, nullptr, nullptr, u"mnuOProgramu"},
    {u"mnuKonec2", K::Caption, nullptr, nullptr, nullptr, u"mnuKonec"},
    {u"denPo", K::Word, u"Po"},
    {u"denUt", K::Word, u"Út"},
    {u"denSt", K::Word, u"St"},
    {u"denCt", K::Word, u"Čt"},
    {u"denPa", K::Word, u"Pá"},
    {u"denSo", K::Word, u"So"},
    {u"denNe", K::Word, u"Ne"},
};

constexpr LanguageKey Mezicasy[] = {
    {u"nazevOkna", K::Title},
    {u"gpbExport1", K::Caption},
    {u"btnUlozit", K::Caption},
    {u"nazev", K::Caption, nullptr, u"lblNazev2"},
    {u"gpbImport", K::Caption},
    {u"btnVymazatVse", K::Caption},
    {u"btnVymazat", K::Caption},
    {u"btnNacist", K::Caption},
    {u"btnZavrit", K::Caption},
    {u"gpbOtevrit", K::Caption},
    {u"btnOtevritVychozi", K::Caption},
    {u"btnOtevrit", K::Caption},
    {u"btnProchazet", K::Caption},
    {u"lblCesta", K::Caption},
    {u"gpbExport2", K::Caption},
    {u"btnExportovat", K::Caption},
    {u"rbtOddelit", K::Caption},
    {u"rbtSloucit", K::Caption},
    {u"btnTisk", K::Caption},
    {u"soubor", K::Word, u"Program právě pracuje se souborem"},
    {u"zahlaviExportu1", K::Word, u"Pozice;Dny;Hodiny;Minuty;Sekundy;Tisíciny sekund"},
    {u"zahlaviExportu2", K::Word, u"Pozice;Dny;Čas"},
    {u"titulekTisku", K::Word, u"Mezičasy programu Tavrok"},
    {u"zahlaviTisku", K::Word, u"Pozice:  Dny; Hodiny:Minuty:Sekundy,Tisíciny sekund"},
    {u"btnSchranka", K::Caption},
    {u"openFilter", K::Word, u"Ini soubor s časy (*.ini);;Všechny soubory (*)"},
    {u"csvFilter", K::Word, u"Hodnoty oddělené středníkem (*.csv)"},
};

constexpr LanguageKey Nastaveni[] = {
    {u"nazevOkna", K::Title},
    {u"lblJazyk", K::Caption},
    {u"chbMinimalizovane", K::Caption},
    {u"chbZobrazitZmeskane", K::Caption},
    {u"btnStorno", K::Caption},
    {u"btnVychozi", K::Caption},
    {u"chbZacitOdNuly", K::Caption},
    {u"gpbPozice", K::Caption},
    {u"rbtVzdy1", K::Caption},
    {u"rbtPamatovat1", K::Caption},
    {u"rbtCentrovat", K::Caption},
    {u"gpbVelikost", K::Caption},
    {u"rbtVzdy2", K::Caption},
    {u"rbtPamatovat2", K::Caption},
    {u"rbtNejvetsi", K::Caption},
    {u"gpbUkonceni", K::Caption},
    {u"rbtZeptatSe", K::Caption},
    {u"rbtNechat", K::Caption},
    {u"rbtPozastavit", K::Caption},
    {u"rbtZastavit", K::Caption},
    {u"chbKontrolovatBudik", K::Caption},
    {u"chbMezicas", K::Caption},
    {u"chbPamatovatOdpocit", K::Caption},
    {u"lblAutostart", K::Caption},
    {u"chbAutostartVsichni", K::Caption},
    {u"chbAutostartAktualni", K::Caption},
    {u"lblCestaKNastaveni", K::Caption},
    {u"btnProchazet", K::Caption},
    {u"gpbPoOdpocitavani", K::Caption},
    {u"lblTavrokSpusteny", K::Caption},
    {u"rbtSpustitTavrokZnovu", K::Caption},
    {u"rbtNespoustetTavrok", K::Caption},
    {u"rbtZeptatSeNaTavrok", K::Caption},
    {u"gpbAktualizace", K::Caption},
    {u"chbKontrolovatAktualizace", K::Caption},
    {u"rbtRozdilova", K::Caption},
    {u"rbtAutomaticka", K::Caption},
    {u"chbUpozornitNaAktualizaci", K::Caption},
    {u"rbtPriVypnuti", K::Caption},
    {u"rbtPriSpusteniProgramu", K::Caption},
    {u"rbtPriSpusteniWindows", K::Caption},
    {u"lblNemaPravo", K::Caption},
    {u"rbtSpustitJako", K::Caption},
    {u"rbtPriste", K::Caption},
    {u"rbtNestahovat", K::Caption},
    {u"chbPamatovatTavrok", K::Caption},
    {u"chbMagnetovat", K::Caption},
    {u"chbNechatOdpocit", K::Caption},
    {u"lblPoziceX", K::Caption},
    {u"lblPoziceY", K::Caption},
    {u"btnOK", K::Caption},
};

constexpr LanguageKey CoSeTavrokem[] = {
    {u"btnZastavit", K::Caption},
    {u"btnPozastavit", K::Caption},
    {u"btnNechat", K::Caption},
    {u"btnStorno", K::Caption},
};

constexpr LanguageKey OProgramu[] = {
    {u"nazevOkna", K::Title},
    {u"lblVerze", K::Word, u"Verze %d"},
    {u"lblAutori", K::Caption},
    {u"lblLicence", K::Caption},
    {u"btnOK", K::Caption},
};

constexpr LanguageKey Displej[] = {
    {u"nazevOkna", K::Word, u"Samostatný displej"},
};

constexpr LanguageKey NastaveniDispleje[] = {
    {u"nazevOkna", K::Title},
    {u"gpbZobrazitZ", K::Caption},
    {u"rbtZOkna", K::Caption},
    {u"rbtZOdpocitavani", K::Caption},
    {u"rbtZeTavrek", K::Caption},
    {u"rbtZHodin", K::Caption},
    {u"gbtZobrazit", K::Caption},
    {u"edtZobrazitHint", K::Hint, u"Označením části textu vyberte tu, která bude zobrazena na displeji", u"edtZobrazit"},
    {u"chbZaokrouhlovatNahoru", K::Caption},
    {u"lblZobrazit", K::Caption},
    {u"btnPouzit", K::Caption},
    {u"btnStorno", K::Caption},
    {u"btnVychozi", K::Caption},
    {u"gpbOkno", K::Caption},
    {u"btnPruhlednePozadi", K::Caption},
    {u"chbPruhlednaBarva", K::Caption},
    {u"chbPolopruhlednost", K::Caption},
    {u"lblNepruhledne", K::Caption},
    {u"lblPruhledne", K::Caption},
    {u"chbVzdyNahore", K::Caption},
    {u"chbSkrytKurzor", K::Caption},
    {u"chbUzamknout", K::Caption},
    {u"rbtZjednoduseny", K::Caption},
    {u"rbtStandardni", K::Caption},
    {u"lblBarvaPozadi", K::Caption},
    {u"lblOvladani", K::Caption},
    {u"gpbObrazek", K::Caption},
    {u"btnObrProchazet", K::Caption},
    {u"rbtObrRoztahnout", K::Caption},
    {u"rbtObrOriznout", K::Caption},
    {u"rbtObrZachProporce", K::Caption},
    {u"rbtObrZachVelikost", K::Caption},
    {u"chbObrazek", K::Caption},
    {u"zarovnani", K::Caption, nullptr, u"lblZarovnaniObr,lblZarovnaniTextu"},
    {u"gpbText", K::Caption},
    {u"rbtPresahovat", K::Caption},
    {u"rbtNepresahovatOkno", K::Caption},
    {u"rbtNepresahovatParent", K::Caption},
    {u"rbtParentObr", K::Caption},
    {u"rbtParentOkno", K::Caption},
    {u"btnFont", K::Caption},
    {u"rbtAbsolutni", K::Caption},
    {u"rbtRelativni", K::Caption},
    {u"lblNepresahovat", K::Caption},
    {u"lblParent", K::Caption},
    {u"lblBarvaTextu", K::Caption},
    {u"lblOdsazeni", K::Caption},
    {u"chbNahled", K::Caption},
    {u"chbZvyraznit", K::Caption},
    {u"chbMagnetovat", K::Caption},
    {u"lblNapoveda", K::Hint, u"Po kliknutí na tlačítko pipety použijte klávesu Pause k vybrání barvy kdekoli na obrazovce",
     u"lblPipeta,btnBarvaPozadiPipeta,btnPruhlednaBarvaPipeta,btnBarvaTextuPipeta"},
    {u"lblPosouvani", K::Caption},
    {u"lblZleva", K::Caption},
    {u"lblShora", K::Caption},
    {u"lblVelikost", K::Caption},
    {u"btnOK", K::Caption},
    {u"lblOvladaniMs", K::Caption},
    {u"lblPipeta", K::Caption},
    {u"pictureFilter", K::Word, u"Obrázky"},
    {u"procentSirky", K::Word, u"% šířky"},
    {u"procentVysky", K::Word, u"% výšky"},
    {u"pixelu", K::Word, u"pixelů"},
    {u"od", K::Word, u"od:"},
    {u"do", K::Word, u"do:"},
    {u"SCNic", K::Word, u"(nic)"},
    {u"SCDny", K::Word, u"Dny"},
    {u"SCDnyOdd", K::Word, u"Oddělovač dnů"},
    {u"SCHodiny10", K::Word, u"Desítky hodin"},
    {u"SCHodiny1", K::Word, u"Jednotky hodin"},
    {u"SCHodinyOdd", K::Word, u"Oddělovač hodin"},
    {u"SCMinuty10", K::Word, u"Desítky minut"},
    {u"SCMinuty1", K::Word, u"Jednotky minut"},
    {u"SCMinutyOdd", K::Word, u"Oddělovač minut"},
    {u"SCSekundy10", K::Word, u"Desítky sekund"},
    {u"SCSekundy1", K::Word, u"Jednotky sekund"},
    {u"SCSekundyOdd", K::Word, u"Oddělovač sekund"},
    {u"SCMilisek100", K::Word, u"Desetiny sekundy"},
    {u"SCMilisek10", K::Word, u"Setiny sekundy"},
    {u"SCMilisek1", K::Word, u"Tisíciny sekundy"},
};

constexpr LanguageKey DalsiOdpocit[] = {
    {u"nazevOkna", K::Title},
    {u"gpbNaKonci", K::Caption},
    {u"chbUpozornovatNaKonci", K::Caption},
    {u"rbtStandardniZvuk", K::Caption},
    {u"rbtVlastniZvuk", K::Caption},
    {u"btnProchazetVlastni", K::Caption},
    {u"rbtNahodnyZvuk", K::Caption},
    {u"btnProchazetNahodny", K::Caption},
    {u"chbOpakovat", K::Caption},
    {u"chbUkoncitKliknutim", K::Caption},
    {u"lblUpozornovat", K::Caption, nullptr, nullptr, u"frmDalsiBudik"},
    {u"lblDodatek", K::Caption, nullptr, nullptr, u"frmDalsiBudik"},
    {u"lblZvuky", K::Caption},
    {u"btnProKonec", K::Caption},
    {u"gpbPredem", K::Caption},
    {u"chbUpozornovatPredem", K::Caption},
    {u"btnPredemPridat", K::Caption},
    {u"btnPredemOdebrat", K::Caption},
    {u"btnPredemOdebratVse", K::Caption},
    {u"chbPridatCislo", K::Caption},
    {u"gpbVIkone", K::Caption},
    {u"chbGraf", K::Caption},
    {u"chbProcenta", K::Caption},
    {u"btnStorno", K::Caption},
    {u"chbSpustitTavrok", K::Caption},
    {u"chbPrepnoutDisplej", K::Caption},
    {u"btnOK", K::Caption},
    {u"lblS", K::Caption},
    {u"lblMs", K::Caption},
};

constexpr LanguageKey DalsiTavrok[] = {
    {u"nazevOkna", K::Title},
    {u"lblPoStopnuti", K::Caption},
    {u"lblPoDobu", K::Caption},
    {u"chbZastavit", K::Caption},
    {u"btnStorno", K::Caption},
    {u"lblMs", K::Caption},
    {u"btnOK", K::Caption},
};

constexpr LanguageKey SeriovyPort[] = {
    {u"nazevOkna", K::Title},
    {u"zadny", K::Word, u"Žádný"},
    {u"pripojenoK", K::Word, u"Připojeno k:"},
    {u"vstup0", K::Word, u"Nic"},
    {u"vstup1", K::Word, u"Spustit odpočítávání"},
    {u"vstup2", K::Word, u"Spustit tavrok"},
    {u"vstup3", K::Word, u"Zastavit tavrok"},
    {u"vstup4", K::Word, u"Vynulovat tavrok"},
    {u"vstup5", K::Word, u"Mezičas, zastavit, vynulovat tavrok"},
    {u"vstup6", K::Word, u"Vynulovat tavrok, přepnout na odpočítávání"},
    {u"vstup7", K::Word, u"Uložit mezičas"},
    {u"vystup0", K::Word, u"Nikdy neměnit"},
    {u"vystup1", K::Word, u"Zazvonění budíku"},
    {u"vystup2", K::Word, u"Dokončení odpočítávání"},
    {u"lblPort", K::Caption},
    {u"btnPripojit", K::Caption},
    {u"lblVstup", K::Caption, nullptr, u"gpbVstup"},
    {u"lblStav", K::Caption, nullptr, u"chbDTR,chbRTS,chbTxD"},
    {u"lblNeg", K::Caption, nullptr, u"chbNegDSR,chbNegCTS,chbNegRI,chbNegDCD"},
    {u"lblDSR", K::Caption},
    {u"lblCTS", K::Caption},
    {u"lblRI", K::Caption},
    {u"lblDCD", K::Caption},
    {u"lblVystup", K::Caption, nullptr, u"gpbVystup"},
    {u"lblDTR", K::Caption},
    {u"lblRTS", K::Caption},
    {u"lblTxD", K::Caption},
    {u"lblDelka", K::Caption},
    {u"lblDodatek", K::Caption, nullptr, u"lblDelkaMs"},
    {u"btnStorno", K::Caption},
    {u"btnPuzit", K::Caption, nullptr, u"btnPouzit"},
    {u"btnOK", K::Caption},
};

constexpr LanguageSection Sections[] = {
    {u"frmHlavniOkno", HlavniOkno},
    {u"frmMezicasy", Mezicasy},
    {u"frmNastaveni", Nastaveni},
    {u"frmCoSeTavrokem", CoSeTavrokem},
    {u"frmOProgramu", OProgramu},
    {u"frmDisplej", Displej},
    {u"frmNastaveniDispleje", NastaveniDispleje},
    {u"frmDalsiOdpocit", DalsiOdpocit},
    {u"frmDalsiTavrok", DalsiTavrok},
    {u"frmSeriovyPort", SeriovyPort},
};

} // namespace

QStringView fileSectionOf(const LanguageSection& section, const LanguageKey& key) {
    return QStringView(key.fileSection ? key.fileSection : section.name);
}

std::span<const LanguageSection> languageSections() {
    return Sections;
}

const LanguageSection* findLanguageSection(QStringView name) {
    for (const LanguageSection& s : Sections) {
        if (name.compare(QStringView(s.name), Qt::CaseInsensitive) == 0) {
            return &s;
        }
    }
    return nullptr;
}

const LanguageKey* findLanguageKey(QStringView section, QStringView key) {
    if (const LanguageSection* s = findLanguageSection(section)) {
        for (const LanguageKey& k : s->keys) {
            if (key.compare(QStringView(k.key), Qt::CaseInsensitive) == 0) {
                return &k;
            }
        }
    }
    return nullptr;
}

} // namespace tavrok
