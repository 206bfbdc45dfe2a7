#pragma once

#include "base/stddate.h"
#include "support/storefixture.h"

#include <stdexcept>
#include <string>

// Customers, orders and their lines for the relation tests, made the way the forms make them.
namespace orderfamily {

inline void customer(StoreFixture &t, const std::string &id, const std::string &name)
{
    t.add(FileId::kunde, [&](Records &r) {
        r.set(KUN::KID, id);
        r.set(KUN::KNAME, name);
    });
}

inline void order(StoreFixture &t,
                  const std::string &id,
                  const std::string &customerId,
                  const std::string &number)
{
    t.add(FileId::auftrag, [&](Records &r) {
        r.set(AUF::FID, id);
        r.set(AUF::FKUID, customerId);
        r.set(AUF::FNR, number);
        r.set(AUF::FSTAT, "ANGEBOT");
    });
}

// Gives an order what its invoice cannot do without: an invoice number and date, and the
// date of the delivery it bills.
inline void invoiced(StoreFixture &t, const std::string &id, const std::string &number)
{
    FileManager &orders = t.fm(FileId::auftrag);
    orders.Open();
    Records &r = t.records();
    r[FileId::auftrag].clear();
    r.set(AUF::FID, id);
    if (orders.FetchQuiet(AUF::Keyfid) != Level::Benign)
        throw std::runtime_error("no order " + id);
    r.set(AUF::FRENR, number);
    r.set(AUF::FREDAT, rt::dateFromYmd(2025, 7, 14));
    r.set(AUF::FLIEFDAT, rt::dateFromYmd(2025, 7, 11));
    if (orders.Update() != Level::Benign)
        throw std::runtime_error("order " + id + " not written");
    orders.Close();
}

inline void calculation(StoreFixture &t, const std::string &id, const std::string &orderId)
{
    t.add(FileId::kaldruck, [&](Records &r) {
        r.set(KAD::KAAID, id);
        r.set(KAD::KAUFID, orderId);
        r.set(KAD::KABEZ, "Briefbogen " + id);
    });
}

inline void typesetting(StoreFixture &t,
                        const std::string &id,
                        const std::string &orderId,
                        const std::string &calculationId)
{
    t.add(FileId::asatz, [&](Records &r) {
        r.set(ASA::ASID, id);
        r.set(ASA::ASAUFID, orderId);
        r.set(ASA::ASKADID, calculationId);
        r.set(ASA::ASBEZ, "Satz " + id);
    });
}

inline void paperLine(StoreFixture &t,
                      const std::string &id,
                      const std::string &orderId,
                      const std::string &calculationId)
{
    t.add(FileId::aufpap, [&](Records &r) {
        r.set(APA::APID, id);
        r.set(APA::APAUFID, orderId);
        r.set(APA::APKALID, calculationId);
    });
}

inline void printListEntry(StoreFixture &t, const std::string &orderId)
{
    t.add(FileId::drucktem, [&](Records &r) {
        r.set(DRU::DAUFID, orderId);
        r.set(DRU::DABEZ, "Druckliste " + orderId);
    });
}

inline void transportLine(StoreFixture &t, const std::string &id, const std::string &orderId)
{
    t.add(FileId::atran, [&](Records &r) {
        r.set(ATR::ATID, id);
        r.set(ATR::ATAUFID, orderId);
        r.set(ATR::ATBEZ, "Kurier");
    });
}

inline void workLine(StoreFixture &t, const std::string &id, const std::string &orderId)
{
    t.add(FileId::anach, [&](Records &r) {
        r.set(ANA::ANID, id);
        r.set(ANA::ANIDAUF, orderId);
        r.set(ANA::ANBEZ, "Schneiden");
    });
}

// Customer K1 with order F1 (two calculations with one typesetting line each, a paper line and
// a print list entry) and customer K2 with order F2 (one calculation with one line).
inline void standard(StoreFixture &t)
{
    customer(t, "K1", "Druckerei Abel");
    customer(t, "K2", "Verlag Bauer");
    order(t, "F1", "K1", "A-100");
    order(t, "F2", "K2", "A-200");
    calculation(t, "KA1", "F1");
    calculation(t, "KA2", "F1");
    calculation(t, "KB1", "F2");
    typesetting(t, "S1", "F1", "KA1");
    typesetting(t, "S2", "F1", "KA2");
    typesetting(t, "S3", "F2", "KB1");
    paperLine(t, "P1", "F1", "KA1");
    printListEntry(t, "F1");
}

// Makes the record with `value` in `key` current for a form that works on the file through
// its relation keeper: Open, fetch, RememberLinks.
inline void
showRecord(StoreFixture &t, FileId file, KeyRef key, StringField field, const std::string &value)
{
    t.rk(file).Open();
    t.records().set(field, value);
    if (t.fm(file).FetchQuiet(key) != Level::Benign)
        throw std::runtime_error("record not found: " + value);
    t.rk(file).RememberLinks();
}

// The values of a text field over all records of a file, in stored order.
inline std::vector<std::string> column(StoreFixture &t, StringField field)
{
    std::vector<std::string> values;
    FileManager &m = t.fm(field.file);
    m.Open();
    m.startStoredPass();
    while (m.NextQuiet() == Level::Benign)
        values.push_back(t.records().get(field));
    m.Close();
    return values;
}

} // namespace orderfamily
