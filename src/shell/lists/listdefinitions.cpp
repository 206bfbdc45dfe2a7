#include "shell/lists/listdefinitions.h"

#include "store/files.h"

#include <algorithm>

namespace shell {
namespace {

const char *const kMasterClose = "  OK";
const char *const kLineClose = "Close";

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

// Whole numbers: counts, days, colours.
const char *const kCount = "@n_9";
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
    return {tab("KUN:Keyid", KUN::Keyid, KUN::KID),
            tab("KUN:Keykaid", KUN::Keykaid, KUN::KAID),
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
                 tab("PAP:Keyapap", PAP::Keyapap, PAP::APAP)},
        .columns = {col("PAPIER- Sorte / Bezeichng.", PAP::PBEZ),
                    col("Preis/ EUR", PAP::PPR),
                    col("VPE zu", PAP::PVPE, kCount),
                    col("Einheit", PAP::PEIN),
                    col("mm max", PAP::PMAX, "@n_7.1"),
                    col("mm min", PAP::PMIN, "@n_7.1"),
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
                 tab("MAS:Keymaid", MAS::Keymaid, MAS::MAID)},
        .columns = {col("Maschine- Bez.", MAS::MBEZ),
                    col("Format", MAS::MFORM),
                    col("max. Drucklän.", MAS::MMAX, "@n_7.1"),
                    col("max. Druckbr.", MAS::MMIN, "@n_7.1"),
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
                 tab("ARB:Keyaaid", ARB::Keyaaid, ARB::AAID)},
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
        .title = "Browse the kaldruck File",
        .tabs = {orderLines("KAD:Keyaufid", KAD::Keyaufid, KAD::KAUFID),
                 tab("KAD:Keyadid", KAD::Keyadid, KAD::KAAID)},
        .columns = {col("kaid", KAD::KAID),
                    col("", KAD::KAAID),
                    col("fid", KAD::KAUFID),
                    col("abez", KAD::KABEZ),
                    col("kaal", KAD::KAAL, kCount),
                    col("kaso", KAD::KASO, kCount),
                    col("kafarbe", KAD::KAFARBE, kCount),
                    col("kay", KAD::KAY, "@n_7.1"),
                    col("kax", KAD::KAX, "@n_7.1")},
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
        .tabs = {pickOn("AUF:Keykuid", AUF::Keykuid, Pick::Customer),
                 tab("sortiert n. Auftragsdatum", AUF::Keyfid),
                 tab("sortiert n. Kunde/ Firma", AUF::Keyfname),
                 tab("AUF:Keyfnr", AUF::Keyfnr),
                 tab("AUF:Keyfaid", AUF::Keyfaid, AUF::FAID),
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
        .title = "Browse the anach File",
        .tabs = {orderLines("ANA:Keydidauf", ANA::Keydidauf, ANA::ANIDAUF),
                 tab("ANA:Keydaid", ANA::Keydaid, ANA::ANAID)},
        .columns = {col("anaid", ANA::ANAID),
                    col("anid", ANA::ANID),
                    col("anidauf", ANA::ANIDAUF),
                    col("abez", ANA::ANBEZ),
                    col("apr", ANA::ANPR),
                    col("anein", ANA::ANEIN),
                    col("asanz", ANA::ANANZ, "@n_9.2"),
                    col("azeit", ANA::ANFAK, "@n_9.2"),
                    col("angpr", ANA::ANGPR)},
        .update = "Updateanach",
        .closeText = kLineClose,
    });

    lists.push_back(ListDef{
        .procedure = "Browseatran",
        .file = FileId::atran,
        .title = "Browse the atran File",
        .tabs = {tab("ATR:Keytaid", ATR::Keytaid, ATR::ATAID),
                 tab("ATR:Keytid", ATR::Keytid),
                 pickOn("ATR:Kaufid", ATR::Kaufid, Pick::Order),
                 tab("ATR:Keytbez", ATR::Keytbez, ATR::ATBEZ)},
        .columns = {col("ataid", ATR::ATAID),
                    col("atid", ATR::ATID),
                    col("fid", ATR::ATAUFID),
                    col("atbez", ATR::ATBEZ),
                    col("atpr", ATR::ATPR),
                    col("sein", ATR::ATEINH),
                    col("atfak", ATR::ATFAK, "@n_9.2"),
                    col("asanz", ATR::ATANZ, "@n_9.2"),
                    col("asgpr", ATR::ATGPR)},
        .update = "Updateatran",
        .closeText = kLineClose,
    });

    lists.push_back(ListDef{
        .procedure = "Browseaufpap",
        .file = FileId::aufpap,
        .title = "Browse the aufpap File",
        .tabs = {tab("APA:Keyapaid", APA::Keyapaid, APA::APAID),
                 tab("APA:Keyapid", APA::Keyapid, APA::APID),
                 pickOn("APA:Kaufid", APA::Kaufid, Pick::Order)},
        .columns = {col("apaid", APA::APAID),
                    col("apid", APA::APID),
                    col("fid", APA::APAUFID),
                    col("pbez", APA::APBEZ),
                    col("ppr", APA::APPR),
                    col("apfor", APA::APFOR),
                    col("apanz", APA::APANZ, kCount),
                    col("apendpr", APA::APENDPR)},
        .update = "UpdateaufpapP",
        .closeText = kLineClose,
    });

    lists.push_back(ListDef{
        .procedure = "Browseasatz",
        .file = FileId::asatz,
        .title = "Browse the asatz File",
        .tabs = {orderLines("ASA:Keyasaufid", ASA::Keyasaufid, ASA::ASAUFID),
                 tab("ASA:Keyasaid", ASA::Keyasaid, ASA::ASAID)},
        .columns = {col("asaid", ASA::ASAID),
                    col("asid", ASA::ASID),
                    col("asaufid", ASA::ASAUFID),
                    col("asbez", ASA::ASBEZ),
                    col("asanz", ASA::ASANZ, "@n_9.2"),
                    col("asfak", ASA::ASFAK, "@n_9.2"),
                    col("aspr", ASA::ASPR),
                    col("sein", ASA::ASEINH),
                    col("asgpr", ASA::ASGPR)},
        .update = "Updateasatz",
        .closeText = kLineClose,
    });

    lists.push_back(ListDef{
        .procedure = "Browsesatz",
        .file = FileId::satz,
        .title = "  SATZ- / VERARBEITUNG  Tätigkeiten    Stammdaten",
        .tabs = {tab("  sortiert Nach Tätigkeits - Beschreibung    ", SAT::Keysbez, SAT::SBEZ),
                 tab("SAT:Keysaid", SAT::Keysaid, SAT::SAID)},
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
        .tabs = {tab("LIE:Keyliad", LIE::Keyliad),
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
        .title = "Select a auftrag Record",
        .tabs = {tab("AUF:Keykuid", AUF::Keykuid, AUF::FKUID),
                 tab("AUF:Keyfid", AUF::Keyfid, AUF::FID),
                 tab("AUF:Keyfname", AUF::Keyfname, AUF::FNAME),
                 tab("AUF:Keyfnr", AUF::Keyfnr, AUF::FNR),
                 tab("AUF:Keyfaid", AUF::Keyfaid, AUF::FAID),
                 tab("AUF:Keystatus", AUF::Keystatus, AUF::FSTAT)},
        .columns = {col("faid", AUF::FAID),
                    col("fid", AUF::FID),
                    col("fnr", AUF::FNR),
                    col("fdatum", AUF::FDATUM),
                    col("fstat", AUF::FSTAT),
                    col("kid", AUF::FKUID),
                    col("kname", AUF::FNAME),
                    col("fandat", AUF::FANDAT),
                    col("fliefs", AUF::FLIEFDAT)},
        .buttons = ButtonSet::SelectOnly,
        .closeText = kLineClose,
    });

    lists.push_back(ListDef{
        .procedure = "Selectkunde",
        .file = FileId::kunde,
        .title = "Select a kunde Record",
        .tabs = {tab("KUN:Keyid", KUN::Keyid, KUN::KID),
                 tab("KUN:Keykaid", KUN::Keykaid, KUN::KAID),
                 tab("KUN:Keykname", KUN::Keykname, KUN::KNAME),
                 tab("KUN:Keykort", KUN::Keykort, KUN::KORT),
                 tab("KUN:Keykplz", KUN::Keykplz, KUN::KPLZ)},
        .columns = {col("kaid", KUN::KAID),
                    col("kid", KUN::KID),
                    col("kname", KUN::KNAME),
                    col("kzhand", KUN::KZHAND),
                    col("kstr", KUN::KSTR),
                    col("kplz", KUN::KPLZ),
                    col("kort", KUN::KORT),
                    col("krab", KUN::KRAB),
                    col("ktel", KUN::KTEL)},
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

    return lists;
}

} // namespace

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
