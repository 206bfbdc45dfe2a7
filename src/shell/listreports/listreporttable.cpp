#include "listreporttable.h"

#include "framework/report/textformat.h"
#include "base/decimal.h"
#include "store/files.h"
#include "store/recordbuffer.h"

#include <cmath>

namespace shell {
namespace {

template<FieldType T>
constexpr ListReportColumn c(const char *heading, Field<T> field)
{
    return ListReportColumn{heading, field.index};
}

// Several headings name a field that the report's file does not have, or repeat a name for
// a second block of fields. The field printed under each is the one of this file that the
// heading stands for in its place:
// - papier: the three "ppr" after the first are the suppliers' prices PEPR1..3, each
//   before its supplier LIEF1..3;
// - kunde: the second "kname … kort" block is the delivery address (L…), the third
//   "kname, ktel, kfunk, kfax, kemail" the contact person (KPERS1, KP…); "rech" and
//   "angebot" are the dates of the last invoice and quote, each followed by its turnover
//   ("asgpr": REUMSATZ, ANUMSATZ);
// - "fid" in the order-line files is the line's order id (KAUFID, ATAUFID, APAUFID);
// - the descriptions, prices, units and counts named after the catalogue files ("abez",
//   "apr", "anein", "asanz", "sein", "pbez", "ppr", "atbez", "atpr", "atfak", "asgpr") are
//   the line's own copies of them; "azeit" of anach is its factor ANFAK, the only field left;
// - auftrag: "kid" and "kname" are the order's customer id and name, "fliefs" the delivery
//   date;
// - kaldruck: "mdrpr" and "mfarbw" are the machine's print and colour-change prices copied
//   into the calculation (KAMADRPR, KAMAFAPR);
// - text: "txid" is the internal number, "fstat" the text kind TKEN, "txbez" its short
//   description, "skpro" the Skonto percent.
constexpr ListReportColumn kPapier[] = {
    c("apap", PAP::APAP),
    c("ipap", PAP::IPAP),
    c("pbez", PAP::PBEZ),
    c("ppr", PAP::PPR),
    c("pein", PAP::PEIN),
    c("pmax", PAP::PMAX),
    c("pmin", PAP::PMIN),
    c("pgew", PAP::PGEW),
    c("ppr", PAP::PEPR1),
    c("lief 1", PAP::LIEF1),
    c("ppr", PAP::PEPR2),
    c("lief 2", PAP::LIEF2),
    c("ppr", PAP::PEPR3),
    c("lief 3", PAP::LIEF3),
};
constexpr ListReportColumn kMaschin[] = {
    c("maid", MAS::MAID),
    c("mid", MAS::MID),
    c("mbez", MAS::MBEZ),
    c("mform", MAS::MFORM),
    c("mmax", MAS::MMAX),
    c("mmin", MAS::MMIN),
    c("mfarb", MAS::MFARB),
    c("dzmax", MAS::DZMAX),
    c("dzmin", MAS::DZMIN),
    c("mdrpr", MAS::MDRPR),
    c("mfarbw", MAS::MFARBW),
};
constexpr ListReportColumn kArbeit[] = {
    c("aaid", ARB::AAID),
    c("aid", ARB::AID),
    c("abez", ARB::ABEZ),
    c("apr", ARB::APR),
    c("anein", ARB::AEINH),
    c("azeit", ARB::AZEIT),
};
constexpr ListReportColumn kKaldruck[] = {
    c("kaid", KAD::KAID),       c("fid", KAD::KAUFID),    c("abez", KAD::KABEZ),
    c("kaal", KAD::KAAL),       c("kaso", KAD::KASO),     c("kafarbe", KAD::KAFARBE),
    c("kay", KAD::KAY),         c("kax", KAD::KAX),       c("kast", KAD::KAST),
    c("kammax", KAD::KAMMAX),   c("kammin", KAD::KAMMIN), c("kamfarb", KAD::KAMFARB),
    c("kaomax", KAD::KAOMAX),   c("kaomin", KAD::KAOMIN), c("kadr", KAD::KADR),
    c("kavh", KAD::KAVH),       c("kaad", KAD::KAAD),     c("mdrpr", KAD::KAMADRPR),
    c("mfarbw", KAD::KAMAFAPR),
};
constexpr ListReportColumn kKunde[] = {
    c("kaid", KUN::KAID),      c("kid", KUN::KID),         c("kname", KUN::KNAME),
    c("kzhand", KUN::KZHAND),  c("kstr", KUN::KSTR),       c("kplz", KUN::KPLZ),
    c("kort", KUN::KORT),      c("krab", KUN::KRAB),       c("ktel", KUN::KTEL),
    c("kfax", KUN::KFAX),      c("kfunk", KUN::KFUNK),     c("kemail", KUN::KEMAIL),
    c("khttp", KUN::KHTTP),    c("kname", KUN::LNAME),     c("kzhand", KUN::LZHAND),
    c("kstr", KUN::LSTR),      c("kplz", KUN::LPLZ),       c("kort", KUN::LORT),
    c("kname", KUN::KPERS1),   c("ktel", KUN::KPTEL),      c("kfunk", KUN::KPFUNK),
    c("kfax", KUN::KPFAX),     c("kemail", KUN::KPEMAIL),  c("rech", KUN::RECH),
    c("asgpr", KUN::REUMSATZ), c("angebot", KUN::ANGEBOT), c("asgpr", KUN::ANUMSATZ),
};
constexpr ListReportColumn kAuftrag[] = {
    c("faid", AUF::FAID),
    c("fid", AUF::FID),
    c("fnr", AUF::FNR),
    c("fdatum", AUF::FDATUM),
    c("fstat", AUF::FSTAT),
    c("kid", AUF::FKUID),
    c("kname", AUF::FNAME),
    c("fandat", AUF::FANDAT),
    c("fliefs", AUF::FLIEFDAT),
};
constexpr ListReportColumn kAnach[] = {
    c("anaid", ANA::ANAID),
    c("anid", ANA::ANID),
    c("anidauf", ANA::ANIDAUF),
    c("abez", ANA::ANBEZ),
    c("apr", ANA::ANPR),
    c("anein", ANA::ANEIN),
    c("asanz", ANA::ANANZ),
    c("azeit", ANA::ANFAK),
    c("angpr", ANA::ANGPR),
};
constexpr ListReportColumn kAtran[] = {
    c("ataid", ATR::ATAID),
    c("atid", ATR::ATID),
    c("fid", ATR::ATAUFID),
    c("atbez", ATR::ATBEZ),
    c("atpr", ATR::ATPR),
    c("sein", ATR::ATEINH),
    c("atfak", ATR::ATFAK),
    c("asanz", ATR::ATANZ),
    c("asgpr", ATR::ATGPR),
};
constexpr ListReportColumn kAufpap[] = {
    c("apaid", APA::APAID),
    c("apid", APA::APID),
    c("fid", APA::APAUFID),
    c("pbez", APA::APBEZ),
    c("ppr", APA::APPR),
    c("apfor", APA::APFOR),
    c("apanz", APA::APANZ),
    c("apendpr", APA::APENDPR),
};
constexpr ListReportColumn kAsatz[] = {
    c("asaid", ASA::ASAID),
    c("asid", ASA::ASID),
    c("asaufid", ASA::ASAUFID),
    c("asbez", ASA::ASBEZ),
    c("asanz", ASA::ASANZ),
    c("asfak", ASA::ASFAK),
    c("aspr", ASA::ASPR),
    c("sein", ASA::ASEINH),
    c("asgpr", ASA::ASGPR),
};
constexpr ListReportColumn kSatz[] = {
    c("said", SAT::SAID),
    c("sid", SAT::SID),
    c("asbez", SAT::SBEZ),
    c("seinh", SAT::SEINH),
    c("sfak", SAT::SFAK),
    c("spr", SAT::SPR),
};
constexpr ListReportColumn kTransport[] = {
    c("taid", TRA::TAID),
    c("atbez", TRA::TBEZ),
    c("atpr", TRA::TPR),
    c("sein", TRA::TEINH),
    c("atfak", TRA::TFAK),
};
constexpr ListReportColumn kText[] = {
    c("txid", TEX::IDTEXT),
    c("fstat", TEX::TKEN),
    c("txbez", TEX::TERL),
    c("tx 1", TEX::TX1),
    c("tx 2", TEX::TX2),
    c("skpro", TEX::SKOPR),
    c("sktage", TEX::SKTAGE),
    c("zaziel", TEX::ZAZIEL),
};

// `PrintAUF:Keyfname` walks `AUF:Keyfid` in spite of its name. The text file has no key
// `TEX:Keytxstat`; `PrintTEX:Keytxstat` walks the key on the text kind, `TEX:Keytken`.
const ListReportDef kReports[] = {
    {"PrintPAP:Keypbez", "Print the papier File by PAP:Keypbez", PAP::Keypbez, kPapier},
    {"PrintMAS:Keymbez", "Print the maschin File by MAS:Keymbez", MAS::Keymbez, kMaschin},
    {"PrintARB:Keyabez", "Print the arbeit File by ARB:Keyabez", ARB::Keyabez, kArbeit},
    {"PrintKAD:Keyaufid", "Print the kaldruck File by KAD:Keyaufid", KAD::Keyaufid, kKaldruck},
    {"PrintKAD:Keyadid", "Print the kaldruck File by KAD:Keyadid", KAD::Keyadid, kKaldruck},
    {"PrintKUN:Keykname", "Print the kunde File by KUN:Keykname", KUN::Keykname, kKunde},
    {"PrintKUN:Keykort", "Print the kunde File by KUN:Keykort", KUN::Keykort, kKunde},
    {"PrintKUN:Keykplz", "Print the kunde File by KUN:Keykplz", KUN::Keykplz, kKunde},
    {"PrintAUF:Keykuid", "Print the auftrag File by AUF:Keykuid", AUF::Keykuid, kAuftrag},
    {"PrintAUF:Keyfname", "Print the auftrag File by AUF:Keyfname", AUF::Keyfid, kAuftrag},
    {"PrintAUF:Keyfnr", "Print the auftrag File by AUF:Keyfnr", AUF::Keyfnr, kAuftrag},
    {"PrintAUF:Keyfaid", "Print the auftrag File by AUF:Keyfaid", AUF::Keyfaid, kAuftrag},
    {"PrintAUF:Keystatus", "Print the auftrag File by AUF:Keystatus", AUF::Keystatus, kAuftrag},
    {"PrintANA:Keydidauf", "Print the anach File by ANA:Keydidauf", ANA::Keydidauf, kAnach},
    {"PrintANA:Keydaid", "Print the anach File by ANA:Keydaid", ANA::Keydaid, kAnach},
    {"PrintATR:Keytaid", "Print the atran File by ATR:Keytaid", ATR::Keytaid, kAtran},
    {"PrintATRTestdruck", "Print the atran File by ATR:Keytid", ATR::Keytid, kAtran},
    {"PrintATR:Kaufid", "Print the atran File by ATR:Kaufid", ATR::Kaufid, kAtran},
    {"PrintATR:Keytbez", "Print the atran File by ATR:Keytbez", ATR::Keytbez, kAtran},
    {"PrintAPA:Keyapaid", "Print the aufpap File by APA:Keyapaid", APA::Keyapaid, kAufpap},
    {"PrintAPA:Keyapid", "Print the aufpap File by APA:Keyapid", APA::Keyapid, kAufpap},
    {"PrintAPA:Kaufid", "Print the aufpap File by APA:Kaufid", APA::Kaufid, kAufpap},
    {"PrintASA:Keyasaufid", "Print the asatz File by ASA:Keyasaufid", ASA::Keyasaufid, kAsatz},
    {"PrintASA:Keyasaid", "Print the asatz File by ASA:Keyasaid", ASA::Keyasaid, kAsatz},
    {"PrintSAT:Keysbez", "Print the satz File by SAT:Keysbez", SAT::Keysbez, kSatz},
    {"PrintTRA:Keytaid", "Print the transport File by TRA:Keytaid", TRA::Keytaid, kTransport},
    {"PrintTEX:Keytxstat", "Print the text File by TEX:Keytxstat", TEX::Keytken, kText},
    {"PrintTEX:Keytxid", "Print the text File by TEX:Keytxid", TEX::Keytken, kText},
};

// Room a column needs for its field, in millimetres of 8-point Arial.
double fieldWidth(const FieldDef &field)
{
    switch (field.type) {
    case FieldType::String:
        return std::min<double>(field.size, 50) * 1.6;
    case FieldType::Long:
        return 14;
    case FieldType::Real:
        return 17;
    case FieldType::Date:
        return 15;
    case FieldType::Decimal:
        return 10;
    }
    return 15;
}

QString realText(double value)
{
    if (value == std::trunc(value))
        return report::number(value, 0);
    if (rt::roundDecimal(value, 2) == rt::roundDecimal(value, 4))
        return report::amount(value);
    return report::number(value, 4);
}

} // namespace

std::span<const ListReportDef> listReports()
{
    return kReports;
}

const ListReportDef *findListReport(std::string_view procedure)
{
    for (const ListReportDef &def : kReports) {
        if (procedure == def.procedure)
            return &def;
    }
    return nullptr;
}

QString listText(const RecordBuffer &record, int field)
{
    const FieldDef &def = record.def().fields[field];
    const FieldValue value = record.value(field);
    switch (def.type) {
    case FieldType::String:
        return QString::fromStdString(std::get<std::string>(value));
    case FieldType::Long:
        return QString::number(std::get<std::int32_t>(value));
    case FieldType::Date:
        return report::date(std::get<std::int32_t>(value));
    case FieldType::Real:
        return realText(std::get<double>(value));
    case FieldType::Decimal:
        return report::amount(std::get<double>(value));
    }
    return {};
}

std::vector<report::ListColumn> listColumns(const ListReportDef &def, const RecordBuffer &record)
{
    std::vector<report::ListColumn> columns;
    if (record.file() != def.key.file)
        return columns;
    const FileDef &file = fileDef(def.key.file);
    for (const ListReportColumn &column : def.columns) {
        const FieldDef &field = file.fields[column.field];
        const bool numeric = field.type != FieldType::String && field.type != FieldType::Date;
        const int index = column.field;
        columns.push_back(report::ListColumn{
            QString::fromLatin1(column.heading),
            [&record, index] { return listText(record, index); },
            fieldWidth(field),
            numeric ? report::Align::Right : report::Align::Left,
        });
    }
    return columns;
}

} // namespace shell
