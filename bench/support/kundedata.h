#pragma once

// Customers for the benchmarks: the same data for the engine and for raw
// SQLite, as one plain struct per record with one member per column.

#include "store/engine.h"
#include "store/files/kunde.h"
#include "store/recordbuffer.h"

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

struct KundeRow
{
    std::int64_t rowid = 0;
    std::int64_t version = 0;
    int kaid = 0;
    std::string kid, kname, kzhand, kstr, kplz, kort;
    double krab = 0;
    std::string ktel, kfax, kfunk, kemail, khttp;
    std::string lname, lzhand, lstr, lplz, lort;
    std::string kpers1, kptel, kpfunk, kpfax, kpemail;
    int kpgeb = 0, rech = 0;
    double reumsatz = 0;
    int angebot = 0;
    double anumsatz = 0;
};

// Customer number `n` (1-based), always the same for the same n.
KundeRow makeKunde(int n);
void toBuffer(const KundeRow &row, RecordBuffer &buffer);
// Adds customers 1 … count to the open file through the engine, in one transaction; what
// failed, or empty.
std::string addKunden(Engine &engine, RecordFile &kunde, int count);

// Raw SQLite: reads the columns rowid, _version and then the fields in layout order.
void readRow(sqlite3_stmt *stmt, KundeRow &row);
// Binds the fields in layout order as ?1 … ?28.
void bindRow(sqlite3_stmt *stmt, const KundeRow &row);
// "KAID", "KID", …: the field columns in layout order.
std::string kundeColumns();
// The folded columns of the keys that ignore case, which any program writing the file keeps
// up to date, and their values bound as ?first … (copied).
std::string kundeFoldedColumns();
void bindFolded(sqlite3_stmt *stmt, int first, const KundeRow &row);
// The fields and then the folded columns: an insert of a whole record.
std::string kundeInsert();
