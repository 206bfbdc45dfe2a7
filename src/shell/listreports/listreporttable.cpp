#include "listreporttable.h"

#include "base/decimal.h"
#include "framework/report/textformat.h"
#include "store/files.h"
#include "store/recordbuffer.h"

#include <QCoreApplication>

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
    c(QT_TRANSLATE_NOOP("ListReport papier", "apap"), PAP::APAP),
    c(QT_TRANSLATE_NOOP("ListReport papier", "ipap"), PAP::IPAP),
    c(QT_TRANSLATE_NOOP("ListReport papier", "pbez"), PAP::PBEZ),
    c(QT_TRANSLATE_NOOP("ListReport papier", "ppr"), PAP::PPR),
    c(QT_TRANSLATE_NOOP("ListReport papier", "pein"), PAP::PEIN),
    c(QT_TRANSLATE_NOOP("ListReport papier", "pmax"), PAP::PMAX),
    c(QT_TRANSLATE_NOOP("ListReport papier", "pmin"), PAP::PMIN),
    c(QT_TRANSLATE_NOOP("ListReport papier", "pgew"), PAP::PGEW),
    c(QT_TRANSLATE_NOOP("ListReport papier", "ppr"), PAP::PEPR1),
    c(QT_TRANSLATE_NOOP("ListReport papier", "lief 1"), PAP::LIEF1),
    c(QT_TRANSLATE_NOOP("ListReport papier", "ppr"), PAP::PEPR2),
    c(QT_TRANSLATE_NOOP("ListReport papier", "lief 2"), PAP::LIEF2),
    c(QT_TRANSLATE_NOOP("ListReport papier", "ppr"), PAP::PEPR3),
    c(QT_TRANSLATE_NOOP("ListReport papier", "lief 3"), PAP::LIEF3),
};
constexpr ListReportColumn kMaschin[] = {
    c(QT_TRANSLATE_NOOP("ListReport maschin", "maid"), MAS::MAID),
    c(QT_TRANSLATE_NOOP("ListReport maschin", "mid"), MAS::MID),
    c(QT_TRANSLATE_NOOP("ListReport maschin", "mbez"), MAS::MBEZ),
    c(QT_TRANSLATE_NOOP("ListReport maschin", "mform"), MAS::MFORM),
    c(QT_TRANSLATE_NOOP("ListReport maschin", "mmax"), MAS::MMAX),
    c(QT_TRANSLATE_NOOP("ListReport maschin", "mmin"), MAS::MMIN),
    c(QT_TRANSLATE_NOOP("ListReport maschin", "mfarb"), MAS::MFARB),
    c(QT_TRANSLATE_NOOP("ListReport maschin", "dzmax"), MAS::DZMAX),
    c(QT_TRANSLATE_NOOP("ListReport maschin", "dzmin"), MAS::DZMIN),
    c(QT_TRANSLATE_NOOP("ListReport maschin", "mdrpr"), MAS::MDRPR),
    c(QT_TRANSLATE_NOOP("ListReport maschin", "mfarbw"), MAS::MFARBW),
};
constexpr ListReportColumn kArbeit[] = {
    c(QT_TRANSLATE_NOOP("ListReport arbeit", "aaid"), ARB::AAID),
    c(QT_TRANSLATE_NOOP("ListReport arbeit", "aid"), ARB::AID),
    c(QT_TRANSLATE_NOOP("ListReport arbeit", "abez"), ARB::ABEZ),
    c(QT_TRANSLATE_NOOP("ListReport arbeit", "apr"), ARB::APR),
    c(QT_TRANSLATE_NOOP("ListReport arbeit", "anein"), ARB::AEINH),
    c(QT_TRANSLATE_NOOP("ListReport arbeit", "azeit"), ARB::AZEIT),
};
constexpr ListReportColumn kKaldruck[] = {
    c(QT_TRANSLATE_NOOP("ListReport kaldruck", "kaid"), KAD::KAID),
    c(QT_TRANSLATE_NOOP("ListReport kaldruck", "fid"), KAD::KAUFID),
    c(QT_TRANSLATE_NOOP("ListReport kaldruck", "abez"), KAD::KABEZ),
    c(QT_TRANSLATE_NOOP("ListReport kaldruck", "kaal"), KAD::KAAL),
    c(QT_TRANSLATE_NOOP("ListReport kaldruck", "kaso"), KAD::KASO),
    c(QT_TRANSLATE_NOOP("ListReport kaldruck", "kafarbe"), KAD::KAFARBE),
    c(QT_TRANSLATE_NOOP("ListReport kaldruck", "kay"), KAD::KAY),
    c(QT_TRANSLATE_NOOP("ListReport kaldruck", "kax"), KAD::KAX),
    c(QT_TRANSLATE_NOOP("ListReport kaldruck", "kast"), KAD::KAST),
    c(QT_TRANSLATE_NOOP("ListReport kaldruck", "kammax"), KAD::KAMMAX),
    c(QT_TRANSLATE_NOOP("ListReport kaldruck", "kammin"), KAD::KAMMIN),
    c(QT_TRANSLATE_NOOP("ListReport kaldruck", "kamfarb"), KAD::KAMFARB),
    c(QT_TRANSLATE_NOOP("ListReport kaldruck", "kaomax"), KAD::KAOMAX),
    c(QT_TRANSLATE_NOOP("ListReport kaldruck", "kaomin"), KAD::KAOMIN),
    c(QT_TRANSLATE_NOOP("ListReport kaldruck", "kadr"), KAD::KADR),
    c(QT_TRANSLATE_NOOP("ListReport kaldruck", "kavh"), KAD::KAVH),
    c(QT_TRANSLATE_NOOP("ListReport kaldruck", "kaad"), KAD::KAAD),
    c(QT_TRANSLATE_NOOP("ListReport kaldruck", "mdrpr"), KAD::KAMADRPR),
    c(QT_TRANSLATE_NOOP("ListReport kaldruck", "mfarbw"), KAD::KAMAFAPR),
};
constexpr ListReportColumn kKunde[] = {
    c(QT_TRANSLATE_NOOP("ListReport kunde", "kaid"), KUN::KAID),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "kid"), KUN::KID),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "kname"), KUN::KNAME),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "kzhand"), KUN::KZHAND),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "kstr"), KUN::KSTR),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "kplz"), KUN::KPLZ),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "kort"), KUN::KORT),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "krab"), KUN::KRAB),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "ktel"), KUN::KTEL),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "kfax"), KUN::KFAX),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "kfunk"), KUN::KFUNK),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "kemail"), KUN::KEMAIL),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "khttp"), KUN::KHTTP),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "kname"), KUN::LNAME),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "kzhand"), KUN::LZHAND),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "kstr"), KUN::LSTR),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "kplz"), KUN::LPLZ),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "kort"), KUN::LORT),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "kname"), KUN::KPERS1),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "ktel"), KUN::KPTEL),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "kfunk"), KUN::KPFUNK),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "kfax"), KUN::KPFAX),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "kemail"), KUN::KPEMAIL),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "rech"), KUN::RECH),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "asgpr"), KUN::REUMSATZ),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "angebot"), KUN::ANGEBOT),
    c(QT_TRANSLATE_NOOP("ListReport kunde", "asgpr"), KUN::ANUMSATZ),
};
constexpr ListReportColumn kAuftrag[] = {
    c(QT_TRANSLATE_NOOP("ListReport auftrag", "faid"), AUF::FAID),
    c(QT_TRANSLATE_NOOP("ListReport auftrag", "fid"), AUF::FID),
    c(QT_TRANSLATE_NOOP("ListReport auftrag", "fnr"), AUF::FNR),
    c(QT_TRANSLATE_NOOP("ListReport auftrag", "fdatum"), AUF::FDATUM),
    c(QT_TRANSLATE_NOOP("ListReport auftrag", "fstat"), AUF::FSTAT),
    c(QT_TRANSLATE_NOOP("ListReport auftrag", "kid"), AUF::FKUID),
    c(QT_TRANSLATE_NOOP("ListReport auftrag", "kname"), AUF::FNAME),
    c(QT_TRANSLATE_NOOP("ListReport auftrag", "fandat"), AUF::FANDAT),
    c(QT_TRANSLATE_NOOP("ListReport auftrag", "fliefs"), AUF::FLIEFDAT),
};
constexpr ListReportColumn kAnach[] = {
    c(QT_TRANSLATE_NOOP("ListReport anach", "anaid"), ANA::ANAID),
    c(QT_TRANSLATE_NOOP("ListReport anach", "anid"), ANA::ANID),
    c(QT_TRANSLATE_NOOP("ListReport anach", "anidauf"), ANA::ANIDAUF),
    c(QT_TRANSLATE_NOOP("ListReport anach", "abez"), ANA::ANBEZ),
    c(QT_TRANSLATE_NOOP("ListReport anach", "apr"), ANA::ANPR),
    c(QT_TRANSLATE_NOOP("ListReport anach", "anein"), ANA::ANEIN),
    c(QT_TRANSLATE_NOOP("ListReport anach", "asanz"), ANA::ANANZ),
    c(QT_TRANSLATE_NOOP("ListReport anach", "azeit"), ANA::ANFAK),
    c(QT_TRANSLATE_NOOP("ListReport anach", "angpr"), ANA::ANGPR),
};
constexpr ListReportColumn kAtran[] = {
    c(QT_TRANSLATE_NOOP("ListReport atran", "ataid"), ATR::ATAID),
    c(QT_TRANSLATE_NOOP("ListReport atran", "atid"), ATR::ATID),
    c(QT_TRANSLATE_NOOP("ListReport atran", "fid"), ATR::ATAUFID),
    c(QT_TRANSLATE_NOOP("ListReport atran", "atbez"), ATR::ATBEZ),
    c(QT_TRANSLATE_NOOP("ListReport atran", "atpr"), ATR::ATPR),
    c(QT_TRANSLATE_NOOP("ListReport atran", "sein"), ATR::ATEINH),
    c(QT_TRANSLATE_NOOP("ListReport atran", "atfak"), ATR::ATFAK),
    c(QT_TRANSLATE_NOOP("ListReport atran", "asanz"), ATR::ATANZ),
    c(QT_TRANSLATE_NOOP("ListReport atran", "asgpr"), ATR::ATGPR),
};
constexpr ListReportColumn kAufpap[] = {
    c(QT_TRANSLATE_NOOP("ListReport aufpap", "apaid"), APA::APAID),
    c(QT_TRANSLATE_NOOP("ListReport aufpap", "apid"), APA::APID),
    c(QT_TRANSLATE_NOOP("ListReport aufpap", "fid"), APA::APAUFID),
    c(QT_TRANSLATE_NOOP("ListReport aufpap", "pbez"), APA::APBEZ),
    c(QT_TRANSLATE_NOOP("ListReport aufpap", "ppr"), APA::APPR),
    c(QT_TRANSLATE_NOOP("ListReport aufpap", "apfor"), APA::APFOR),
    c(QT_TRANSLATE_NOOP("ListReport aufpap", "apanz"), APA::APANZ),
    c(QT_TRANSLATE_NOOP("ListReport aufpap", "apendpr"), APA::APENDPR),
};
constexpr ListReportColumn kAsatz[] = {
    c(QT_TRANSLATE_NOOP("ListReport asatz", "asaid"), ASA::ASAID),
    c(QT_TRANSLATE_NOOP("ListReport asatz", "asid"), ASA::ASID),
    c(QT_TRANSLATE_NOOP("ListReport asatz", "asaufid"), ASA::ASAUFID),
    c(QT_TRANSLATE_NOOP("ListReport asatz", "asbez"), ASA::ASBEZ),
    c(QT_TRANSLATE_NOOP("ListReport asatz", "asanz"), ASA::ASANZ),
    c(QT_TRANSLATE_NOOP("ListReport asatz", "asfak"), ASA::ASFAK),
    c(QT_TRANSLATE_NOOP("ListReport asatz", "aspr"), ASA::ASPR),
    c(QT_TRANSLATE_NOOP("ListReport asatz", "sein"), ASA::ASEINH),
    c(QT_TRANSLATE_NOOP("ListReport asatz", "asgpr"), ASA::ASGPR),
};
constexpr ListReportColumn kSatz[] = {
    c(QT_TRANSLATE_NOOP("ListReport satz", "said"), SAT::SAID),
    c(QT_TRANSLATE_NOOP("ListReport satz", "sid"), SAT::SID),
    c(QT_TRANSLATE_NOOP("ListReport satz", "asbez"), SAT::SBEZ),
    c(QT_TRANSLATE_NOOP("ListReport satz", "seinh"), SAT::SEINH),
    c(QT_TRANSLATE_NOOP("ListReport satz", "sfak"), SAT::SFAK),
    c(QT_TRANSLATE_NOOP("ListReport satz", "spr"), SAT::SPR),
};
constexpr ListReportColumn kTransport[] = {
    c(QT_TRANSLATE_NOOP("ListReport transport", "taid"), TRA::TAID),
    c(QT_TRANSLATE_NOOP("ListReport transport", "atbez"), TRA::TBEZ),
    c(QT_TRANSLATE_NOOP("ListReport transport", "atpr"), TRA::TPR),
    c(QT_TRANSLATE_NOOP("ListReport transport", "sein"), TRA::TEINH),
    c(QT_TRANSLATE_NOOP("ListReport transport", "atfak"), TRA::TFAK),
};
constexpr ListReportColumn kText[] = {
    c(QT_TRANSLATE_NOOP("ListReport text", "txid"), TEX::IDTEXT),
    c(QT_TRANSLATE_NOOP("ListReport text", "fstat"), TEX::TKEN),
    c(QT_TRANSLATE_NOOP("ListReport text", "txbez"), TEX::TERL),
    c(QT_TRANSLATE_NOOP("ListReport text", "tx 1"), TEX::TX1),
    c(QT_TRANSLATE_NOOP("ListReport text", "tx 2"), TEX::TX2),
    c(QT_TRANSLATE_NOOP("ListReport text", "skpro"), TEX::SKOPR),
    c(QT_TRANSLATE_NOOP("ListReport text", "sktage"), TEX::SKTAGE),
    c(QT_TRANSLATE_NOOP("ListReport text", "zaziel"), TEX::ZAZIEL),
};

// `PrintAUF:Keyfname` walks `AUF:Keyfid` in spite of its name. The text file has no key
// `TEX:Keytxstat`; `PrintTEX:Keytxstat` walks the key on the text kind, `TEX:Keytken`.
const ListReportDef kReports[] = {
    {"PrintPAP:Keypbez",
     QT_TRANSLATE_NOOP("ListReport", "Print the papier File by PAP:Keypbez"),
     PAP::Keypbez,
     kPapier},
    {"PrintMAS:Keymbez",
     QT_TRANSLATE_NOOP("ListReport", "Print the maschin File by MAS:Keymbez"),
     MAS::Keymbez,
     kMaschin},
    {"PrintARB:Keyabez",
     QT_TRANSLATE_NOOP("ListReport", "Print the arbeit File by ARB:Keyabez"),
     ARB::Keyabez,
     kArbeit},
    {"PrintKAD:Keyaufid",
     QT_TRANSLATE_NOOP("ListReport", "Print the kaldruck File by KAD:Keyaufid"),
     KAD::Keyaufid,
     kKaldruck},
    {"PrintKAD:Keyadid",
     QT_TRANSLATE_NOOP("ListReport", "Print the kaldruck File by KAD:Keyadid"),
     KAD::Keyadid,
     kKaldruck},
    {"PrintKUN:Keykname",
     QT_TRANSLATE_NOOP("ListReport", "Print the kunde File by KUN:Keykname"),
     KUN::Keykname,
     kKunde},
    {"PrintKUN:Keykort",
     QT_TRANSLATE_NOOP("ListReport", "Print the kunde File by KUN:Keykort"),
     KUN::Keykort,
     kKunde},
    {"PrintKUN:Keykplz",
     QT_TRANSLATE_NOOP("ListReport", "Print the kunde File by KUN:Keykplz"),
     KUN::Keykplz,
     kKunde},
    {"PrintAUF:Keykuid",
     QT_TRANSLATE_NOOP("ListReport", "Print the auftrag File by AUF:Keykuid"),
     AUF::Keykuid,
     kAuftrag},
    {"PrintAUF:Keyfname",
     QT_TRANSLATE_NOOP("ListReport", "Print the auftrag File by AUF:Keyfname"),
     AUF::Keyfid,
     kAuftrag},
    {"PrintAUF:Keyfnr",
     QT_TRANSLATE_NOOP("ListReport", "Print the auftrag File by AUF:Keyfnr"),
     AUF::Keyfnr,
     kAuftrag},
    {"PrintAUF:Keyfaid",
     QT_TRANSLATE_NOOP("ListReport", "Print the auftrag File by AUF:Keyfaid"),
     AUF::Keyfaid,
     kAuftrag},
    {"PrintAUF:Keystatus",
     QT_TRANSLATE_NOOP("ListReport", "Print the auftrag File by AUF:Keystatus"),
     AUF::Keystatus,
     kAuftrag},
    {"PrintANA:Keydidauf",
     QT_TRANSLATE_NOOP("ListReport", "Print the anach File by ANA:Keydidauf"),
     ANA::Keydidauf,
     kAnach},
    {"PrintANA:Keydaid",
     QT_TRANSLATE_NOOP("ListReport", "Print the anach File by ANA:Keydaid"),
     ANA::Keydaid,
     kAnach},
    {"PrintATR:Keytaid",
     QT_TRANSLATE_NOOP("ListReport", "Print the atran File by ATR:Keytaid"),
     ATR::Keytaid,
     kAtran},
    {"PrintATRTestdruck",
     QT_TRANSLATE_NOOP("ListReport", "Print the atran File by ATR:Keytid"),
     ATR::Keytid,
     kAtran},
    {"PrintATR:Kaufid",
     QT_TRANSLATE_NOOP("ListReport", "Print the atran File by ATR:Kaufid"),
     ATR::Kaufid,
     kAtran},
    {"PrintATR:Keytbez",
     QT_TRANSLATE_NOOP("ListReport", "Print the atran File by ATR:Keytbez"),
     ATR::Keytbez,
     kAtran},
    {"PrintAPA:Keyapaid",
     QT_TRANSLATE_NOOP("ListReport", "Print the aufpap File by APA:Keyapaid"),
     APA::Keyapaid,
     kAufpap},
    {"PrintAPA:Keyapid",
     QT_TRANSLATE_NOOP("ListReport", "Print the aufpap File by APA:Keyapid"),
     APA::Keyapid,
     kAufpap},
    {"PrintAPA:Kaufid",
     QT_TRANSLATE_NOOP("ListReport", "Print the aufpap File by APA:Kaufid"),
     APA::Kaufid,
     kAufpap},
    {"PrintASA:Keyasaufid",
     QT_TRANSLATE_NOOP("ListReport", "Print the asatz File by ASA:Keyasaufid"),
     ASA::Keyasaufid,
     kAsatz},
    {"PrintASA:Keyasaid",
     QT_TRANSLATE_NOOP("ListReport", "Print the asatz File by ASA:Keyasaid"),
     ASA::Keyasaid,
     kAsatz},
    {"PrintSAT:Keysbez",
     QT_TRANSLATE_NOOP("ListReport", "Print the satz File by SAT:Keysbez"),
     SAT::Keysbez,
     kSatz},
    {"PrintTRA:Keytaid",
     QT_TRANSLATE_NOOP("ListReport", "Print the transport File by TRA:Keytaid"),
     TRA::Keytaid,
     kTransport},
    {"PrintTEX:Keytxstat",
     QT_TRANSLATE_NOOP("ListReport", "Print the text File by TEX:Keytxstat"),
     TEX::Keytken,
     kText},
    {"PrintTEX:Keytxid",
     QT_TRANSLATE_NOOP("ListReport", "Print the text File by TEX:Keytxid"),
     TEX::Keytken,
     kText},
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
    // One heading names different fields in different files ("azeit": minutes in arbeit, the
    // factor in anach), so each file's headings have a translation of their own.
    const std::string context = std::string("ListReport ") + file.label;
    for (const ListReportColumn &column : def.columns) {
        const FieldDef &field = file.fields[column.field];
        const bool numeric = field.type != FieldType::String && field.type != FieldType::Date;
        const int index = column.field;
        columns.push_back(report::ListColumn{
            QCoreApplication::translate(context.c_str(), column.heading),
            [&record, index] { return listText(record, index); },
            fieldWidth(field),
            numeric ? report::Align::Right : report::Align::Left,
        });
    }
    return columns;
}

} // namespace shell
