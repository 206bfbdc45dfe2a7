#include "kundedata.h"

#include "base/decimal.h"
#include "store/foldedkey.h"

#include <array>
#include <cstdio>

namespace {

const std::array<const char *, 24> kSurnames
    = {"Müller",   "Schmidt",  "Schneider", "Fischer",    "Weber",  "Meyer",   "Wagner", "Becker",
       "Schulz",   "Hoffmann", "Schäfer",   "Koch",       "Bauer",  "Richter", "Klein",  "Wolf",
       "Schröder", "Neumann",  "Schwarz",   "Zimmermann", "Krüger", "Böhm",    "Weiß",   "Groß"};
const std::array<const char *, 12> kTrades = {"Druck",
                                              "Verlag",
                                              "Werbung",
                                              "Papier",
                                              "Reprografie",
                                              "Medien",
                                              "Satz",
                                              "Grafik",
                                              "Buchbinderei",
                                              "Kopie",
                                              "Agentur",
                                              "Etiketten"};
const std::array<const char *, 12> kTowns = {"Köln",
                                             "München",
                                             "Düsseldorf",
                                             "Nürnberg",
                                             "Würzburg",
                                             "Lübeck",
                                             "Göttingen",
                                             "Bonn",
                                             "Aachen",
                                             "Essen",
                                             "Osnabrück",
                                             "Saarbrücken"};
const std::array<const char *, 8> kStreets = {"Hauptstraße",
                                              "Bahnhofstraße",
                                              "Gartenweg",
                                              "Schulstraße",
                                              "Am Markt",
                                              "Lindenallee",
                                              "Mühlenweg",
                                              "Königstraße"};

// A small deterministic generator, so that both sides see exactly the same records.
std::uint32_t mix(std::uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

std::string number(std::uint32_t value, int digits)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*u", digits, value % 100000000u);
    return buf;
}

std::string text(sqlite3_stmt *stmt, int column)
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(stmt, column));
    return std::string(p ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt, column)));
}

void bindText(sqlite3_stmt *stmt, int index, const std::string &value)
{
    sqlite3_bind_text(stmt, index, value.data(), static_cast<int>(value.size()), SQLITE_STATIC);
}

} // namespace

KundeRow makeKunde(int n)
{
    const auto u = static_cast<std::uint32_t>(n);
    const std::uint32_t r = mix(u);
    const std::uint32_t s = mix(u ^ 0x9e3779b9U);
    KundeRow k;
    k.kaid = n;
    k.kid = "K" + std::to_string(80000 + n % 5000) + number(s, 7);
    k.kname = std::string(kSurnames[r % kSurnames.size()]) + ' '
              + kTrades[(r >> 5) % kTrades.size()] + ' ' + number(r >> 9, 4);
    k.kzhand = std::string("z. Hd. ") + kSurnames[(s >> 3) % kSurnames.size()];
    k.kstr = std::string(kStreets[(r >> 13) % kStreets.size()]) + ' '
             + std::to_string(1 + (s >> 7) % 120);
    k.kplz = number(10000 + (s >> 11) % 89999, 5);
    k.kort = kTowns[(s >> 17) % kTowns.size()];
    k.krab = rt::roundDecimal(static_cast<double>((r >> 21) % 1500) / 100.0, 2);
    k.ktel = "0" + number(r, 4) + "/" + number(s, 6);
    k.kfax = "0" + number(r, 4) + "/" + number(s + 1, 6);
    k.kfunk = (n % 3) ? "" : "0171/" + number(r ^ s, 7);
    k.kemail = "info@kunde" + std::to_string(n) + ".de";
    k.khttp = "www.kunde" + std::to_string(n) + ".de";
    if (n % 4 == 0) {
        k.lname = k.kname;
        k.lzhand = "Warenannahme";
        k.lstr = k.kstr;
        k.lplz = k.kplz;
        k.lort = k.kort;
    }
    k.kpers1 = std::string("Frau ") + kSurnames[(r >> 2) % kSurnames.size()];
    k.kptel = k.ktel;
    k.kpfunk = k.kfunk;
    k.kpfax = k.kfax;
    k.kpemail = "kontakt@kunde" + std::to_string(n) + ".de";
    k.kpgeb = (n % 5) ? 0 : 55000 + static_cast<int>(s % 20000);
    k.rech = 80000 + static_cast<int>(r % 900);
    k.reumsatz = static_cast<double>(r % 1000000) / 100.0;
    k.angebot = 80000 + static_cast<int>(s % 900);
    k.anumsatz = static_cast<double>(s % 1000000) / 100.0;
    return k;
}

void toBuffer(const KundeRow &k, RecordBuffer &b)
{
    using namespace KUN;
    b.clear();
    b.set(KAID, k.kaid);
    b.set(KID, k.kid);
    b.set(KNAME, k.kname);
    b.set(KZHAND, k.kzhand);
    b.set(KSTR, k.kstr);
    b.set(KPLZ, k.kplz);
    b.set(KORT, k.kort);
    b.set(KRAB, k.krab);
    b.set(KTEL, k.ktel);
    b.set(KFAX, k.kfax);
    b.set(KFUNK, k.kfunk);
    b.set(KEMAIL, k.kemail);
    b.set(KHTTP, k.khttp);
    b.set(LNAME, k.lname);
    b.set(LZHAND, k.lzhand);
    b.set(LSTR, k.lstr);
    b.set(LPLZ, k.lplz);
    b.set(LORT, k.lort);
    b.set(KPERS1, k.kpers1);
    b.set(KPTEL, k.kptel);
    b.set(KPFUNK, k.kpfunk);
    b.set(KPFAX, k.kpfax);
    b.set(KPEMAIL, k.kpemail);
    b.set(KPGEB, k.kpgeb);
    b.set(RECH, k.rech);
    b.set(REUMSATZ, k.reumsatz);
    b.set(ANGEBOT, k.angebot);
    b.set(ANUMSATZ, k.anumsatz);
}

std::string addKunden(Engine &engine, RecordFile &kunde, int count)
{
    if (engine.addToTransaction(kunde) || engine.beginTransaction(2))
        return "no transaction";
    for (int n = 1; n <= count; ++n) {
        toBuffer(makeKunde(n), kunde.buffer());
        if (kunde.add())
            return "add";
    }
    if (engine.commit())
        return "commit";
    return {};
}

void readRow(sqlite3_stmt *stmt, KundeRow &k)
{
    k.rowid = sqlite3_column_int64(stmt, 0);
    k.version = sqlite3_column_int64(stmt, 1);
    k.kaid = sqlite3_column_int(stmt, 2);
    k.kid = text(stmt, 3);
    k.kname = text(stmt, 4);
    k.kzhand = text(stmt, 5);
    k.kstr = text(stmt, 6);
    k.kplz = text(stmt, 7);
    k.kort = text(stmt, 8);
    k.krab = sqlite3_column_double(stmt, 9);
    k.ktel = text(stmt, 10);
    k.kfax = text(stmt, 11);
    k.kfunk = text(stmt, 12);
    k.kemail = text(stmt, 13);
    k.khttp = text(stmt, 14);
    k.lname = text(stmt, 15);
    k.lzhand = text(stmt, 16);
    k.lstr = text(stmt, 17);
    k.lplz = text(stmt, 18);
    k.lort = text(stmt, 19);
    k.kpers1 = text(stmt, 20);
    k.kptel = text(stmt, 21);
    k.kpfunk = text(stmt, 22);
    k.kpfax = text(stmt, 23);
    k.kpemail = text(stmt, 24);
    k.kpgeb = sqlite3_column_int(stmt, 25);
    k.rech = sqlite3_column_int(stmt, 26);
    k.reumsatz = sqlite3_column_double(stmt, 27);
    k.angebot = sqlite3_column_int(stmt, 28);
    k.anumsatz = sqlite3_column_double(stmt, 29);
}

void bindRow(sqlite3_stmt *stmt, const KundeRow &k)
{
    sqlite3_bind_int(stmt, 1, k.kaid);
    bindText(stmt, 2, k.kid);
    bindText(stmt, 3, k.kname);
    bindText(stmt, 4, k.kzhand);
    bindText(stmt, 5, k.kstr);
    bindText(stmt, 6, k.kplz);
    bindText(stmt, 7, k.kort);
    sqlite3_bind_double(stmt, 8, k.krab);
    bindText(stmt, 9, k.ktel);
    bindText(stmt, 10, k.kfax);
    bindText(stmt, 11, k.kfunk);
    bindText(stmt, 12, k.kemail);
    bindText(stmt, 13, k.khttp);
    bindText(stmt, 14, k.lname);
    bindText(stmt, 15, k.lzhand);
    bindText(stmt, 16, k.lstr);
    bindText(stmt, 17, k.lplz);
    bindText(stmt, 18, k.lort);
    bindText(stmt, 19, k.kpers1);
    bindText(stmt, 20, k.kptel);
    bindText(stmt, 21, k.kpfunk);
    bindText(stmt, 22, k.kpfax);
    bindText(stmt, 23, k.kpemail);
    sqlite3_bind_int(stmt, 24, k.kpgeb);
    sqlite3_bind_int(stmt, 25, k.rech);
    sqlite3_bind_double(stmt, 26, k.reumsatz);
    sqlite3_bind_int(stmt, 27, k.angebot);
    sqlite3_bind_double(stmt, 28, k.anumsatz);
}

std::string kundeColumns()
{
    std::string columns;
    for (const FieldDef &f : KUN::kFields) {
        if (!columns.empty())
            columns += ", ";
        columns += '"' + std::string(f.name) + '"';
    }
    return columns;
}

std::string kundeFoldedColumns()
{
    std::string columns;
    for (const int field : foldedkey::foldedFields(fileDef(FileId::kunde)))
        columns += ", \"" + foldedkey::columnName(KUN::kFields[field].name) + '"';
    return columns.substr(2);
}

void bindFolded(sqlite3_stmt *stmt, int first, const KundeRow &row)
{
    int index = first;
    for (const int field : foldedkey::foldedFields(fileDef(FileId::kunde))) {
        const std::string *text = field == KUN::KNAME_no  ? &row.kname
                                  : field == KUN::KORT_no ? &row.kort
                                                          : &row.kplz;
        const std::string folded = foldedkey::fold(*text);
        sqlite3_bind_text(
            stmt, index++, folded.data(), static_cast<int>(folded.size()), SQLITE_TRANSIENT);
    }
}

std::string kundeInsert()
{
    std::string values;
    const std::size_t count
        = std::size(KUN::kFields) + foldedkey::foldedFields(fileDef(FileId::kunde)).size();
    for (std::size_t i = 1; i <= count; ++i) {
        values += '?';
        values += std::to_string(i);
        values += ", ";
    }
    std::string sql = "INSERT INTO KUNDE(";
    sql += kundeColumns();
    sql += ", ";
    sql += kundeFoldedColumns();
    sql += ", \"_version\") VALUES(";
    sql += values;
    sql += "0)";
    return sql;
}
