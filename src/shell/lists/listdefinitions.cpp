#include "shell/lists/listdefinitions.h"

#include "base/stddate.h"
#include "base/text.h"
#include "orders/core/openitems.h"
#include "store/files.h"

#include <QtGlobal>

#include <algorithm>

namespace shell {
namespace {

const char *const kMasterClose = "  OK";
const char *const kLineClose = QT_TRANSLATE_NOOP("ListWindow", "Close");

ListTab tab(std::string text, KeyRef key, std::optional<FieldRef> locator = {})
{
    return ListTab{std::move(text), key, locator, std::nullopt, Pick::None};
}

// The tab whose list holds only the lines of the order in the `auftrag` buffer.
ListTab orderLines(std::string text, KeyRef key, FieldRef link)
{
    return ListTab{std::move(text), key, std::nullopt, link, Pick::Order};
}

ListTab pickOn(std::string text, KeyRef key, Pick pick)
{
    return ListTab{std::move(text), key, std::nullopt, std::nullopt, pick};
}

ListColumn
col(std::string heading, FieldRef field, std::string picture = {}, std::uint32_t background = 0)
{
    return ListColumn{std::move(heading), field, std::move(picture), background};
}

// Whole numbers: counts, days, colours; thousands grouped the German way ("2.500").
const char *const kCount = "@n11";
// Quantities that may hold a fraction.
const char *const kQuantity = "@n12.2";
// Lengths in millimetres.
const char *const kLength = "@n9.1";
// A price of a single print is a fraction of a cent and needs four places.
const char *const kUnitPrice = "@n_12.4";

std::vector<ListColumn> customerColumns()
{
    return {col("Firma / Name", KUN::KNAME),
            col("Strasse", KUN::KSTR),
            col("PLZ", KUN::KPLZ),
            col("Ort", KUN::KORT),
            col("Telefon", KUN::KTEL),
            col("Fax", KUN::KFAX),
            col("E-Mail", KUN::KEMAIL)};
}

std::vector<ListTab> customerTabs()
{
    return {tab(QT_TRANSLATE_NOOP("ListWindow", "KUN:Keyid"), KUN::Keyid, KUN::KID),
            tab(QT_TRANSLATE_NOOP("ListWindow", "KUN:Keykaid"), KUN::Keykaid, KUN::KAID),
            tab("Sortiert n. Namen   ", KUN::Keykname, KUN::KNAME),
            tab("sortiert n. Ort     ", KUN::Keykort, KUN::KORT),
            tab("sortiert n. PLZ    ", KUN::Keykplz, KUN::KPLZ)};
}

std::vector<ListDef> build()
{
    std::vector<ListDef> lists;

    lists.push_back(ListDef{
        .procedure = "Browsepapier",
        .file = FileId::papier,
        .title = " Auswahl  PAPIER - SORTEN  ",
        .tabs = {tab("sortiert nach Papier- Bezeichnung", PAP::Keypbez, PAP::PBEZ),
                 tab(QT_TRANSLATE_NOOP("ListWindow", "PAP:Keyapap"), PAP::Keyapap, PAP::APAP)},
        .columns = {col("PAPIER- Sorte / Bezeichng.", PAP::PBEZ),
                    col("Preis/ EUR", PAP::PPR),
                    col("VPE zu", PAP::PVPE, kCount),
                    col("Einheit", PAP::PEIN),
                    col("mm max", PAP::PMAX, kLength),
                    col("mm min", PAP::PMIN, kLength),
                    col("Gewicht", PAP::PGEW),
                    col("EK 1 Preis", PAP::PEPR1),
                    col("EK 2 Preis", PAP::PEPR2)},
        .update = "UpdatepapierR",
        .guarded = true,
        .closeText = kMasterClose,
    });

    lists.push_back(ListDef{
        .procedure = "Browsemaschin",
        .file = FileId::maschin,
        .title = "Übersicht - DRUCKMASCHINEN ",
        .tabs = {tab("sortiert nach Bezeichnung", MAS::Keymbez, MAS::MBEZ),
                 tab(QT_TRANSLATE_NOOP("ListWindow", "MAS:Keymaid"), MAS::Keymaid, MAS::MAID)},
        .columns = {col("Maschine- Bez.", MAS::MBEZ),
                    col("Format", MAS::MFORM),
                    col("max. Drucklän.", MAS::MMAX, kLength),
                    col("max. Druckbr.", MAS::MMIN, kLength),
                    col("Anzahl der Farben", MAS::MFARB, kCount),
                    col("Drucke/ Stunde  (mittel)", MAS::DZMITTEL, kCount),
                    col("Preis/ EUR pro Druck", MAS::MDRPR, kUnitPrice)},
        .update = "Updatemaschin",
        .guarded = true,
        .closeText = kMasterClose,
    });

    lists.push_back(ListDef{
        .procedure = "Browsearbeit",
        .file = FileId::arbeit,
        .title = "WEITERVERARBEITUNG   alle erfassten Stammdaten",
        .tabs = {tab("STAMMDATEN - Weiterverarbeitung", ARB::Keyabez, ARB::ABEZ),
                 tab(QT_TRANSLATE_NOOP("ListWindow", "ARB:Keyaaid"), ARB::Keyaaid, ARB::AAID)},
        .columns = {col("Tätigkeits- Beschreibung", ARB::ABEZ),
                    col("Preis/ EUR", ARB::APR),
                    col("je Einheit", ARB::AEINH),
                    col("in Minuten", ARB::AZEIT, "@n_9.2")},
        .update = "UpdatearbeitA",
        .guarded = true,
        .closeText = kMasterClose,
    });

    // The order-line lists head their columns with the fields' own names; a name of the
    // catalogue the line was copied from ("abez", "apr") stands over the line's copy.
    lists.push_back(ListDef{
        .procedure = "Browsekaldruck",
        .file = FileId::kaldruck,
        .title = QT_TRANSLATE_NOOP("ListWindow", "Browse the kaldruck File"),
        .tabs
        = {orderLines(QT_TRANSLATE_NOOP("ListWindow", "KAD:Keyaufid"), KAD::Keyaufid, KAD::KAUFID),
           tab(QT_TRANSLATE_NOOP("ListWindow", "KAD:Keyadid"), KAD::Keyadid, KAD::KAAID)},
        .columns = {col(QT_TRANSLATE_NOOP("ListWindow", "kaid"), KAD::KAID),
                    col("", KAD::KAAID),
                    col(QT_TRANSLATE_NOOP("ListWindow", "fid"), KAD::KAUFID),
                    col(QT_TRANSLATE_NOOP("ListWindow", "abez"), KAD::KABEZ),
                    col(QT_TRANSLATE_NOOP("ListWindow", "kaal"), KAD::KAAL, kCount),
                    col(QT_TRANSLATE_NOOP("ListWindow", "kaso"), KAD::KASO, kCount),
                    col(QT_TRANSLATE_NOOP("ListWindow", "kafarbe"), KAD::KAFARBE, kCount),
                    col(QT_TRANSLATE_NOOP("ListWindow", "kay"), KAD::KAY, kCount),
                    col(QT_TRANSLATE_NOOP("ListWindow", "kax"), KAD::KAX, kCount)},
        .update = "Updatekaldruck",
        .closeText = kLineClose,
    });

    lists.push_back(ListDef{
        .procedure = "Browsekunde",
        .file = FileId::kunde,
        .title = "KUNDEN   -  ÜBERSICHT   ",
        .tabs = customerTabs(),
        .columns = customerColumns(),
        .update = "Updatekunde",
        .guarded = true,
        .closeText = kMasterClose,
        .changeText = "ÄNDERN der Kundenangaben /  NEU Aufträge - / Löschen Aufträge",
        .deleteText = "Kunde LÖSCHEN",
    });

    // The amounts and the status stand out from the order's identity and address.
    const std::uint32_t kIdentity = 0xE0F0FF;
    const std::uint32_t kStatus = 0xFFF8C8;
    const std::uint32_t kAmount = 0xD8F5D8;
    lists.push_back(ListDef{
        .procedure = "Browseauftrag",
        .file = FileId::auftrag,
        .title = " GESAMTÜBERSICHT   aller    AUFTRÄGE",
        .tabs
        = {pickOn(QT_TRANSLATE_NOOP("ListWindow", "AUF:Keykuid"), AUF::Keykuid, Pick::Customer),
           tab("sortiert n. Auftragsdatum", AUF::Keyfid),
           tab("sortiert n. Kunde/ Firma", AUF::Keyfname),
           tab(QT_TRANSLATE_NOOP("ListWindow", "AUF:Keyfnr"), AUF::Keyfnr),
           tab(QT_TRANSLATE_NOOP("ListWindow", "AUF:Keyfaid"), AUF::Keyfaid, AUF::FAID),
           tab("sortiert n. Status", AUF::Keystatus)},
        .columns = {col("Auftr.-Nummer", AUF::FNR, {}, kIdentity),
                    col("Auftr.-Datum", AUF::FDATUM, {}, kIdentity),
                    col("Auftr.-Status", AUF::FSTAT, {}, kStatus),
                    col("Kurzbeschr.", AUF::FKURZ),
                    col("Kunde/ Firma", AUF::FNAME),
                    col("PLZ", AUF::FPLZ),
                    col("Ort", AUF::FORT),
                    col("Brutto-Preis (Ang.+Rech.)", AUF::BRUTTO, "@n-15.2", kAmount)},
        .update = "Updateauftrag",
        .guarded = true,
        .closeText = kMasterClose,
    });

    lists.push_back(ListDef{
        .procedure = "Browseanach",
        .file = FileId::anach,
        .title = QT_TRANSLATE_NOOP("ListWindow", "Browse the anach File"),
        .tabs
        = {orderLines(
               QT_TRANSLATE_NOOP("ListWindow", "ANA:Keydidauf"), ANA::Keydidauf, ANA::ANIDAUF),
           tab(QT_TRANSLATE_NOOP("ListWindow", "ANA:Keydaid"), ANA::Keydaid, ANA::ANAID)},
        .columns = {col(QT_TRANSLATE_NOOP("ListWindow", "anaid"), ANA::ANAID),
                    col(QT_TRANSLATE_NOOP("ListWindow", "anid"), ANA::ANID),
                    col(QT_TRANSLATE_NOOP("ListWindow", "anidauf"), ANA::ANIDAUF),
                    col(QT_TRANSLATE_NOOP("ListWindow", "abez"), ANA::ANBEZ),
                    col(QT_TRANSLATE_NOOP("ListWindow", "apr"), ANA::ANPR),
                    col(QT_TRANSLATE_NOOP("ListWindow", "anein"), ANA::ANEIN),
                    col(QT_TRANSLATE_NOOP("ListWindow", "asanz"), ANA::ANANZ, kQuantity),
                    col(QT_TRANSLATE_NOOP("ListWindow", "azeit"), ANA::ANFAK, "@n_9.2"),
                    col(QT_TRANSLATE_NOOP("ListWindow", "angpr"), ANA::ANGPR)},
        .update = "Updateanach",
        .closeText = kLineClose,
    });

    lists.push_back(ListDef{
        .procedure = "Browseatran",
        .file = FileId::atran,
        .title = QT_TRANSLATE_NOOP("ListWindow", "Browse the atran File"),
        .tabs = {tab(QT_TRANSLATE_NOOP("ListWindow", "ATR:Keytaid"), ATR::Keytaid, ATR::ATAID),
                 tab(QT_TRANSLATE_NOOP("ListWindow", "ATR:Keytid"), ATR::Keytid),
                 pickOn(QT_TRANSLATE_NOOP("ListWindow", "ATR:Kaufid"), ATR::Kaufid, Pick::Order),
                 tab(QT_TRANSLATE_NOOP("ListWindow", "ATR:Keytbez"), ATR::Keytbez, ATR::ATBEZ)},
        .columns = {col(QT_TRANSLATE_NOOP("ListWindow", "ataid"), ATR::ATAID),
                    col(QT_TRANSLATE_NOOP("ListWindow", "atid"), ATR::ATID),
                    col(QT_TRANSLATE_NOOP("ListWindow", "fid"), ATR::ATAUFID),
                    col(QT_TRANSLATE_NOOP("ListWindow", "atbez"), ATR::ATBEZ),
                    col(QT_TRANSLATE_NOOP("ListWindow", "atpr"), ATR::ATPR),
                    col(QT_TRANSLATE_NOOP("ListWindow", "sein"), ATR::ATEINH),
                    col(QT_TRANSLATE_NOOP("ListWindow", "atfak"), ATR::ATFAK, "@n_9.2"),
                    col(QT_TRANSLATE_NOOP("ListWindow", "asanz"), ATR::ATANZ, kQuantity),
                    col(QT_TRANSLATE_NOOP("ListWindow", "asgpr"), ATR::ATGPR)},
        .update = "Updateatran",
        .closeText = kLineClose,
    });

    lists.push_back(ListDef{
        .procedure = "Browseaufpap",
        .file = FileId::aufpap,
        .title = QT_TRANSLATE_NOOP("ListWindow", "Browse the aufpap File"),
        .tabs = {tab(QT_TRANSLATE_NOOP("ListWindow", "APA:Keyapaid"), APA::Keyapaid, APA::APAID),
                 tab(QT_TRANSLATE_NOOP("ListWindow", "APA:Keyapid"), APA::Keyapid, APA::APID),
                 pickOn(QT_TRANSLATE_NOOP("ListWindow", "APA:Kaufid"), APA::Kaufid, Pick::Order)},
        .columns = {col(QT_TRANSLATE_NOOP("ListWindow", "apaid"), APA::APAID),
                    col(QT_TRANSLATE_NOOP("ListWindow", "apid"), APA::APID),
                    col(QT_TRANSLATE_NOOP("ListWindow", "fid"), APA::APAUFID),
                    col(QT_TRANSLATE_NOOP("ListWindow", "pbez"), APA::APBEZ),
                    col(QT_TRANSLATE_NOOP("ListWindow", "ppr"), APA::APPR),
                    col(QT_TRANSLATE_NOOP("ListWindow", "apfor"), APA::APFOR),
                    col(QT_TRANSLATE_NOOP("ListWindow", "apanz"), APA::APANZ, "@n12.4"),
                    col(QT_TRANSLATE_NOOP("ListWindow", "apendpr"), APA::APENDPR)},
        .update = "UpdateaufpapP",
        .closeText = kLineClose,
    });

    lists.push_back(ListDef{
        .procedure = "Browseasatz",
        .file = FileId::asatz,
        .title = QT_TRANSLATE_NOOP("ListWindow", "Browse the asatz File"),
        .tabs
        = {orderLines(
               QT_TRANSLATE_NOOP("ListWindow", "ASA:Keyasaufid"), ASA::Keyasaufid, ASA::ASAUFID),
           tab(QT_TRANSLATE_NOOP("ListWindow", "ASA:Keyasaid"), ASA::Keyasaid, ASA::ASAID)},
        .columns = {col(QT_TRANSLATE_NOOP("ListWindow", "asaid"), ASA::ASAID),
                    col(QT_TRANSLATE_NOOP("ListWindow", "asid"), ASA::ASID),
                    col(QT_TRANSLATE_NOOP("ListWindow", "asaufid"), ASA::ASAUFID),
                    col(QT_TRANSLATE_NOOP("ListWindow", "asbez"), ASA::ASBEZ),
                    col(QT_TRANSLATE_NOOP("ListWindow", "asanz"), ASA::ASANZ, kQuantity),
                    col(QT_TRANSLATE_NOOP("ListWindow", "asfak"), ASA::ASFAK, "@n_9.2"),
                    col(QT_TRANSLATE_NOOP("ListWindow", "aspr"), ASA::ASPR),
                    col(QT_TRANSLATE_NOOP("ListWindow", "sein"), ASA::ASEINH),
                    col(QT_TRANSLATE_NOOP("ListWindow", "asgpr"), ASA::ASGPR)},
        .update = "Updateasatz",
        .closeText = kLineClose,
    });

    lists.push_back(ListDef{
        .procedure = "Browsesatz",
        .file = FileId::satz,
        .title = "  SATZ- / VERARBEITUNG  Tätigkeiten    Stammdaten",
        .tabs = {tab("  sortiert Nach Tätigkeits - Beschreibung    ", SAT::Keysbez, SAT::SBEZ),
                 tab(QT_TRANSLATE_NOOP("ListWindow", "SAT:Keysaid"), SAT::Keysaid, SAT::SAID)},
        .columns = {col("Satz- / Verarbeitung -Tätigkeit", SAT::SBEZ),
                    col("Preis/ EUR", SAT::SPR),
                    col("je Einheit", SAT::SEINH),
                    col("Faktor / Schwierigkeitsgrad", SAT::SFAK, "@n_9.2")},
        .update = "Updatesatz",
        .guarded = true,
        .closeText = kMasterClose,
    });

    lists.push_back(ListDef{
        .procedure = "Browsetransport",
        .file = FileId::transport,
        .title = " TRANSPORT - KOSTEN      Stammdaten",
        .tabs = {tab("sortiert nach Transport - Art   ", TRA::Keybez, TRA::TBEZ)},
        .columns = {col("Transport - Art", TRA::TBEZ),
                    col("Preis/ EUR", TRA::TPR),
                    col("je Einheit", TRA::TEINH),
                    col("Faktor ( Aufschlag )", TRA::TFAK, "@n_9.2")},
        .update = "Updatetransport",
        .guarded = true,
        .closeText = kMasterClose,
    });

    lists.push_back(ListDef{
        .procedure = "Browsetext",
        .file = FileId::text,
        .title = "  TEXTE - Stammdaten ",
        .tabs = {tab("sortiert nach Kennung   ", TEX::Keytken, TEX::TKEN)},
        .columns = {col("Kennung", TEX::TKEN),
                    col("Kurzbeschreibung", TEX::TERL),
                    col("Textfeld 1", TEX::TX1),
                    col("Textfeld 2", TEX::TX2),
                    col("Skonto in %", TEX::SKOPR, "@n_6.2"),
                    col("Sk.-Tage", TEX::SKTAGE, kCount),
                    col("Zahlgs.Ziel", TEX::ZAZIEL, kCount)},
        .update = "Updatetext",
        .guarded = true,
        .closeText = kMasterClose,
        .legend = {"EL = Erläuterung", "ZA = Zahlungsziel", "IN = Informationstext"},
    });

    lists.push_back(ListDef{
        .procedure = "Bowselief",
        .file = FileId::lieferant,
        .title = "  Übersicht   LIFERANTEN - ANGABEN    (Stammdaten)",
        .tabs = {tab(QT_TRANSLATE_NOOP("ListWindow", "LIE:Keyliad"), LIE::Keyliad),
                 tab("sortiert nach  Namen", LIE::Keyliname),
                 tab("sortiert nach  PLZ   ", LIE::Keyliplz),
                 tab("sortiert nach ORT   ", LIE::Keyliort)},
        .columns = {col("Lieferant  Firm/ Name)", LIE::LINAME),
                    col("z.Hd.", LIE::LIZHD),
                    col("Strasse", LIE::LISTR),
                    col("PLZ", LIE::LIPLZ),
                    col("Ort", LIE::LIORT),
                    col("Telefon", LIE::LITEL)},
        .update = "updatlief",
        .guarded = true,
        .buttons = ButtonSet::SelectFirst,
        .closeText = kMasterClose,
    });

    lists.push_back(ListDef{
        .procedure = "Selectauftrag",
        .file = FileId::auftrag,
        .title = QT_TRANSLATE_NOOP("ListWindow", "Select a auftrag Record"),
        .tabs = {tab(QT_TRANSLATE_NOOP("ListWindow", "AUF:Keykuid"), AUF::Keykuid, AUF::FKUID),
                 tab(QT_TRANSLATE_NOOP("ListWindow", "AUF:Keyfid"), AUF::Keyfid, AUF::FID),
                 tab(QT_TRANSLATE_NOOP("ListWindow", "AUF:Keyfname"), AUF::Keyfname, AUF::FNAME),
                 tab(QT_TRANSLATE_NOOP("ListWindow", "AUF:Keyfnr"), AUF::Keyfnr, AUF::FNR),
                 tab(QT_TRANSLATE_NOOP("ListWindow", "AUF:Keyfaid"), AUF::Keyfaid, AUF::FAID),
                 tab(QT_TRANSLATE_NOOP("ListWindow", "AUF:Keystatus"), AUF::Keystatus, AUF::FSTAT)},
        .columns = {col(QT_TRANSLATE_NOOP("ListWindow", "faid"), AUF::FAID),
                    col(QT_TRANSLATE_NOOP("ListWindow", "fid"), AUF::FID),
                    col(QT_TRANSLATE_NOOP("ListWindow", "fnr"), AUF::FNR),
                    col(QT_TRANSLATE_NOOP("ListWindow", "fdatum"), AUF::FDATUM),
                    col(QT_TRANSLATE_NOOP("ListWindow", "fstat"), AUF::FSTAT),
                    col(QT_TRANSLATE_NOOP("ListWindow", "kid"), AUF::FKUID),
                    col(QT_TRANSLATE_NOOP("ListWindow", "kname"), AUF::FNAME),
                    col(QT_TRANSLATE_NOOP("ListWindow", "fandat"), AUF::FANDAT),
                    col(QT_TRANSLATE_NOOP("ListWindow", "fliefs"), AUF::FLIEFDAT)},
        .buttons = ButtonSet::SelectOnly,
        .closeText = kLineClose,
    });

    lists.push_back(ListDef{
        .procedure = "Selectkunde",
        .file = FileId::kunde,
        .title = QT_TRANSLATE_NOOP("ListWindow", "Select a kunde Record"),
        .tabs = {tab(QT_TRANSLATE_NOOP("ListWindow", "KUN:Keyid"), KUN::Keyid, KUN::KID),
                 tab(QT_TRANSLATE_NOOP("ListWindow", "KUN:Keykaid"), KUN::Keykaid, KUN::KAID),
                 tab(QT_TRANSLATE_NOOP("ListWindow", "KUN:Keykname"), KUN::Keykname, KUN::KNAME),
                 tab(QT_TRANSLATE_NOOP("ListWindow", "KUN:Keykort"), KUN::Keykort, KUN::KORT),
                 tab(QT_TRANSLATE_NOOP("ListWindow", "KUN:Keykplz"), KUN::Keykplz, KUN::KPLZ)},
        .columns = {col(QT_TRANSLATE_NOOP("ListWindow", "kaid"), KUN::KAID),
                    col(QT_TRANSLATE_NOOP("ListWindow", "kid"), KUN::KID),
                    col(QT_TRANSLATE_NOOP("ListWindow", "kname"), KUN::KNAME),
                    col(QT_TRANSLATE_NOOP("ListWindow", "kzhand"), KUN::KZHAND),
                    col(QT_TRANSLATE_NOOP("ListWindow", "kstr"), KUN::KSTR),
                    col(QT_TRANSLATE_NOOP("ListWindow", "kplz"), KUN::KPLZ),
                    col(QT_TRANSLATE_NOOP("ListWindow", "kort"), KUN::KORT),
                    col(QT_TRANSLATE_NOOP("ListWindow", "krab"), KUN::KRAB),
                    col(QT_TRANSLATE_NOOP("ListWindow", "ktel"), KUN::KTEL)},
        .buttons = ButtonSet::SelectOnly,
        .closeText = kLineClose,
    });

    // The customer list of the print menu opens the customer form whose order list prints.
    lists.push_back(ListDef{
        .procedure = "Brodrukunde",
        .file = FileId::kunde,
        .title = "KUNDEN   -  ÜBERSICHT für DRUCK",
        .tabs = customerTabs(),
        .columns = customerColumns(),
        .update = "Upddrukunde",
        .guarded = true,
        .buttons = ButtonSet::ChangeOnly,
        .closeText = kMasterClose,
        .changeText = " Übersicht alle Aufträge für diesen Kunden !",
    });

    // Every document issued, as it went out: the list opens its stored PDF.
    lists.push_back(ListDef{
        .procedure = "Browsebeleg",
        .file = FileId::beleg,
        .title = "BELEGE  -  ausgestellte Rechnungen und Stornos",
        .tabs = {tab("nach Datum", BEL::Keydat),
                 tab("nach Nummer", BEL::Keybnr, BEL::BNR),
                 ListTab{"eines Kunden",
                         BEL::Keykunde,
                         std::nullopt,
                         std::nullopt,
                         Pick::Customer,
                         BEL::BKUID}},
        .columns = {col("Datum", BEL::BDAT),
                    col("Art", BEL::BART),
                    col("Nummer", BEL::BNR),
                    col("Kunde", BEL::BKNAME),
                    col("Auftrag", BEL::BAUFNR),
                    col("Netto/ EUR", BEL::BNETTO),
                    col("MwSt./ EUR", BEL::BMWST),
                    col("Brutto/ EUR", BEL::BBRUTTO),
                    col("storniert durch/ storniert", BEL::BBEZUG)},
        .update = "Zeigebeleg",
        .buttons = ButtonSet::ChangeOnly,
        .closeText = kMasterClose,
        .changeText = "PDF öffnen",
        .filters
        = {ListFilter{
               "Art", BEL::BART, ListFilter::Kind::Choice, {BEL::kInvoice, BEL::kCancellation}},
           ListFilter{"von", BEL::BDAT, ListFilter::Kind::DateFrom},
           ListFilter{"bis", BEL::BDAT, ListFilter::Kind::DateTo}},
    });

    // Every issued invoice that still owes money, from the documents and payments as they
    // stand when the list opens.
    lists.push_back(ListDef{
        .procedure = "Browseposten",
        .file = FileId::posten,
        .title = "OFFENE POSTEN  -  nicht bezahlte Rechnungen",
        .tabs
        = {tab("nach Fälligkeit", OPO::Keyfaellig), tab("nach Kunde", OPO::Keykunde, OPO::OPKNAME)},
        .columns = {col("Rechnung Nr.", OPO::OPRENR),
                    col("Kunde", OPO::OPKNAME),
                    col("Betrag/ EUR", OPO::OPBRUTTO),
                    col("Fällig am", OPO::OPFAELLIG),
                    col("Skonto bis", OPO::OPSKDAT),
                    col("noch offen/ EUR", OPO::OPOFFEN),
                    col("überfällig", OPO::OPUEBER),
                    col("Mahnstufe", OPO::OPSTUFE, "@n3")},
        .update = "Zahlungerfassen",
        .buttons = ButtonSet::ChangeOnly,
        .closeText = kMasterClose,
        .changeText = "Zahlung erfassen …",
        .condition = "OPO:OPOFFEN > 0",
        .print = "Mahnungdrucken",
        .printText = "Mahnung drucken …",
        .prepare = [](StoreContext &store) { orders::refreshOpenItems(store, rt::today()); },
        .footer = [](StoreContext &store) { return orders::openItemsFooter(store); },
    });

    return lists;
}

// A text as a quoted constant of a filter.
std::string quoted(std::string_view text)
{
    std::string out = "'";
    for (const char c : text) {
        if (c == '\'')
            out += '\'';
        out += c;
    }
    return out + '\'';
}

} // namespace

std::string listFilterText(const ListDef &def,
                           const std::vector<std::string> &values,
                           std::vector<std::string> *unreadable)
{
    std::string text;
    for (std::size_t i = 0; i < def.filters.size() && i < values.size(); ++i) {
        const ListFilter &filter = def.filters[i];
        const std::string_view value = rt::trimmed(values[i]);
        if (value.empty())
            continue;
        const FileDef &file = fileDef(filter.field.file);
        const std::string field = file.qualifiedFieldName(filter.field.index);
        std::string condition;
        if (filter.kind == ListFilter::Kind::Choice) {
            condition = field + " = " + quoted(value);
        } else {
            const rt::StdDate date = rt::parseDate(value);
            if (date == 0) {
                if (unreadable)
                    unreadable->emplace_back(value);
                continue;
            }
            condition = field + (filter.kind == ListFilter::Kind::DateFrom ? " >= " : " <= ")
                        + quoted(rt::formatDate(date));
        }
        text += (text.empty() ? "" : " AND ") + condition;
    }
    return text;
}

const std::vector<ListDef> &listDefinitions()
{
    static const std::vector<ListDef> lists = build();
    return lists;
}

const ListDef *findList(std::string_view procedure)
{
    const std::vector<ListDef> &lists = listDefinitions();
    const auto it = std::find_if(
        lists.begin(), lists.end(), [&](const ListDef &def) { return def.procedure == procedure; });
    return it == lists.end() ? nullptr : &*it;
}

int orderOfTab(int tab, int tabs)
{
    if (tabs <= 0)
        return 0;
    if (tab <= 1 || tab > tabs)
        return tabs;
    return tab - 1;
}

int tabOfOrder(int order, int tabs)
{
    if (tabs <= 0)
        return 0;
    return order >= tabs || order < 1 ? 1 : order + 1;
}

std::string columnPicture(const ListColumn &column)
{
    if (!column.picture.empty())
        return column.picture;
    const FieldDef &field = fileDef(column.field.file).fields[column.field.index];
    switch (field.type) {
    case FieldType::String:
        return {};
    case FieldType::Long:
        return "@n_11";
    case FieldType::Real:
        return "@n-15.2";
    case FieldType::Decimal:
        return "@n-7.2";
    case FieldType::Date:
        return "@d6";
    }
    return {};
}

} // namespace shell
