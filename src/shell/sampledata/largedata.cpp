#include "largedata.h"

#include "base/idbuilder.h"
#include "base/stddate.h"
#include "store/files.h"
#include "store/storecontext.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sampledata {
namespace {

constexpr std::size_t kIdWidth = 14;
constexpr int kDays = 3650; // ten years of use, up to today
constexpr int kOrdersPerTransaction = 2000;
constexpr rt::StdTime kMorning = 2880001; // 8 o'clock
constexpr rt::StdTime kSpacing = 300;     // three seconds between records of a kind

// Ids of one kind as the id builder composes them, for records made one after another over
// the years: spread evenly over the days, a few seconds apart within a day. Distinct by
// construction, so the builder's search for a free id (meant for one id at a time) is not
// needed.
class IdSequence
{
public:
    IdSequence(std::string prefix, std::size_t width, long long count)
        : m_prefix(std::move(prefix))
        , m_width(width)
        , m_perDay(static_cast<int>(count / kDays + 1))
    {}
    std::string next()
    {
        const int day = m_next / m_perDay;
        const int slot = m_next % m_perDay;
        ++m_next;
        m_day = rt::today() - kDays + day;
        return rt::IdBuilder::compose(m_prefix, m_day, kMorning + slot * kSpacing, m_width);
    }
    // The day of the last id: the day its record was made.
    rt::StdDate day() const { return m_day; }

private:
    std::string m_prefix;
    std::size_t m_width;
    int m_perDay;
    int m_next = 0;
    rt::StdDate m_day = 0;
};

// Always the same numbers for the same seed, so that two runs make the same shop.
std::uint32_t mix(std::uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

constexpr std::array kSurnames = {
    "Müller",   "Schmidt",  "Schneider", "Fischer",    "Weber",  "Meyer",   "Wagner",  "Becker",
    "Schulz",   "Hoffmann", "Schäfer",   "Koch",       "Bauer",  "Richter", "Klein",   "Wolf",
    "Schröder", "Neumann",  "Schwarz",   "Zimmermann", "Braun",  "Krüger",  "Hofmann", "Hartmann",
    "Lange",    "Schmitt",  "Werner",    "Schmitz",    "Krause", "Meier",   "Lehmann", "Köhler",
    "Steiner",  "Özdemir",  "Weiß",      "Jäger",      "Vogel",  "Stein",   "Ahrens",  "Engel"};
constexpr std::array kTrades
    = {"Steuerberatung", "Bäckerei",  "Autohaus",    "Zahnarztpraxis", "Gärtnerei",
       "Rechtsanwälte",  "Druckhaus", "Sportverein", "Architekten",    "Metzgerei",
       "Elektro",        "Apotheke",  "Immobilien",  "Schreinerei",    "Kanzlei",
       "Versicherungen", "Hotel",     "Reisebüro",   "Optik",          "Blumen"};
constexpr std::array kTowns = {std::array{"Berlin", "10115"},
                               std::array{"Hamburg", "20095"},
                               std::array{"München", "80331"},
                               std::array{"Köln", "50667"},
                               std::array{"Essen", "45127"},
                               std::array{"Düsseldorf", "40213"},
                               std::array{"Leipzig", "04109"},
                               std::array{"Nürnberg", "90402"},
                               std::array{"Bremen", "28195"},
                               std::array{"Würzburg", "97070"}};
constexpr std::array kStreets = {"Hauptstraße",
                                 "Bahnhofstraße",
                                 "Gartenweg",
                                 "Marktplatz",
                                 "Schulstraße",
                                 "Lindenallee",
                                 "Industriestraße",
                                 "Am Hang"};
constexpr std::array kJobs = {"Briefbogen",
                              "Visitenkarten",
                              "Flyer A5",
                              "Broschüre A4",
                              "Plakat A2",
                              "Einladungen",
                              "Speisekarte",
                              "Etiketten"};

struct Address
{
    std::string id, name, street, postcode, town;
    double discount = 0;
};

// The engine's cursors on the files written, named for one transaction at a time.
class BulkFiles
{
public:
    explicit BulkFiles(StoreContext &store)
        : m_engine(store.engine())
        , m_records(store.records())
    {}

    RecordFile *open(FileId file)
    {
        auto cursor = m_engine.recordFile(file, m_records[file]);
        if (!m_engine.exists(file) && cursor->create() != Result::Ok)
            return nullptr;
        if (!cursor->isOpen() && cursor->open() != Result::Ok)
            return nullptr;
        m_files.push_back(std::move(cursor));
        return m_files.back().get();
    }

    bool begin()
    {
        for (const auto &file : m_files) {
            if (m_engine.addToTransaction(*file) != Result::Ok)
                return false;
        }
        return m_engine.beginTransaction(2) == Result::Ok;
    }
    bool commit() { return m_engine.commit() == Result::Ok; }
    void rollback()
    {
        if (m_engine.inTransaction())
            m_engine.rollback();
    }

private:
    Engine &m_engine;
    Records &m_records;
    std::vector<std::unique_ptr<RecordFile>> m_files;
};

// The highest automatic number a file holds, 0 when it is empty.
std::int32_t highest(RecordFile &file, KeyRef key, LongField field)
{
    if (file.setKeyStart(key.index) != Result::Ok || file.previous() != Result::Ok)
        return 0;
    return file.buffer().get(field);
}

class Writer
{
public:
    Writer(StoreContext &store, const LargeSize &size)
        : m_size(size)
        , m_files(store)
        , m_customerIds("K", kIdWidth, size.customers)
        , m_orderIds("F", kIdWidth, size.orders)
        , m_orderNumbers("", AUF::FNR.size, size.orders)
        , m_calculationIds("K", kIdWidth, 2LL * size.orders)
        , m_typesettingIds("S", kIdWidth, 2LL * size.orders)
        , m_workIds("N", kIdWidth, size.orders)
        , m_transportIds("T", kIdWidth, size.orders)
    {}

    LargeResult run()
    {
        LargeResult result;
        m_kunde = m_files.open(FileId::kunde);
        m_auftrag = m_files.open(FileId::auftrag);
        m_kaldruck = m_files.open(FileId::kaldruck);
        m_asatz = m_files.open(FileId::asatz);
        m_anach = m_files.open(FileId::anach);
        m_atran = m_files.open(FileId::atran);
        if (!m_kunde || !m_auftrag || !m_kaldruck || !m_asatz || !m_anach || !m_atran)
            return result;
        m_customerNumber = highest(*m_kunde, KUN::Keykaid, KUN::KAID);
        m_orderNumber = highest(*m_auftrag, AUF::Keyfaid, AUF::FAID);
        m_typesettingNumber = highest(*m_asatz, ASA::Keyasaid, ASA::ASAID);
        m_workNumber = highest(*m_anach, ANA::Keydaid, ANA::ANAID);
        m_transportNumber = highest(*m_atran, ATR::Keytaid, ATR::ATAID);

        if (!inTransaction([&] { return addCustomers(); }))
            return result;
        for (int first = 0; first < m_size.orders; first += kOrdersPerTransaction) {
            const int last = std::min(m_size.orders, first + kOrdersPerTransaction);
            if (!inTransaction([&] { return addOrders(first, last); }))
                return result;
        }
        result.written = true;
        result.bigCustomerId = m_customers.empty() ? std::string() : m_customers.front().id;
        result.records = m_written;
        return result;
    }

private:
    template<typename Write>
    bool inTransaction(Write &&write)
    {
        if (!m_files.begin())
            return false;
        if (write() && m_files.commit())
            return true;
        m_files.rollback();
        return false;
    }

    bool add(RecordFile &file)
    {
        ++m_written;
        return file.add() == Result::Ok;
    }

    bool addCustomers()
    {
        for (int n = 0; n < m_size.customers; ++n) {
            const std::uint32_t r = mix(static_cast<std::uint32_t>(n) + 1);
            const auto &town = kTowns[(r >> 8) % kTowns.size()];
            Address a;
            a.id = m_customerIds.next();
            a.name = std::string(kSurnames[r % kSurnames.size()]) + ' '
                     + kTrades[(r >> 12) % kTrades.size()];
            // Most names are a shop's once; some are common enough to need telling apart.
            if ((r >> 20) % 4 == 0)
                a.name += ' ' + std::to_string(n);
            a.street = std::string(kStreets[(r >> 16) % kStreets.size()]) + ' '
                       + std::to_string(1 + (r >> 24) % 90);
            a.town = town[0];
            a.postcode = town[1];
            a.discount = ((r >> 4) % 5) == 0 ? 3 : 0;
            RecordBuffer &k = m_kunde->buffer();
            k.clear();
            k.set(KUN::KAID, ++m_customerNumber);
            k.set(KUN::KID, a.id);
            k.set(KUN::KNAME, a.name);
            k.set(KUN::KSTR, a.street);
            k.set(KUN::KPLZ, a.postcode);
            k.set(KUN::KORT, a.town);
            k.set(KUN::KRAB, a.discount);
            std::string phone = std::to_string(100 + r % 900);
            phone.append(1, '/').append(std::to_string(r % 99991));
            k.set(KUN::KTEL, phone.insert(0, 1, '0'));
            if (!add(*m_kunde))
                return false;
            m_customers.push_back(std::move(a));
        }
        return true;
    }

    // The first customer has its own many orders; the others share the rest.
    const Address &customerOf(int order) const
    {
        if (order < m_size.bigCustomerOrders || m_customers.size() < 2)
            return m_customers.front();
        const std::uint32_t r = mix(static_cast<std::uint32_t>(order) ^ 0x5bd1e995U);
        return m_customers[1 + r % (m_customers.size() - 1)];
    }

    bool addOrders(int first, int last)
    {
        for (int n = first; n < last; ++n) {
            const Address &c = customerOf(n);
            const std::uint32_t r = mix(static_cast<std::uint32_t>(n) * 2654435761U);
            const std::string orderId = m_orderIds.next();
            RecordBuffer &o = m_auftrag->buffer();
            o.clear();
            o.set(AUF::FAID, ++m_orderNumber);
            o.set(AUF::FID, orderId);
            o.set(AUF::FNR, m_orderNumbers.next());
            o.set(AUF::FDATUM, m_orderIds.day());
            o.set(AUF::FSTAT, r % 3 == 0 ? "RECHNUNG" : "ANGEBOT");
            o.set(AUF::FKURZ, kJobs[r % kJobs.size()]);
            o.set(AUF::FKUID, c.id);
            o.set(AUF::FNAME, c.name);
            o.set(AUF::FSTR, c.street);
            o.set(AUF::FPLZ, c.postcode);
            o.set(AUF::FORT, c.town);
            o.set(AUF::FRABATT, c.discount);
            if (!add(*m_auftrag) || !addLines(orderId, r))
                return false;
        }
        return true;
    }

    bool addLines(const std::string &orderId, std::uint32_t r)
    {
        for (int i = 0; i < 2; ++i) {
            const std::string calculationId = m_calculationIds.next();
            RecordBuffer &k = m_kaldruck->buffer();
            k.clear();
            k.set(KAD::KAAID, calculationId);
            k.set(KAD::KAUFID, orderId);
            k.set(KAD::KABEZ, kJobs[(r >> (4 + i)) % kJobs.size()]);
            if (!add(*m_kaldruck))
                return false;
            RecordBuffer &s = m_asatz->buffer();
            s.clear();
            s.set(ASA::ASAID, ++m_typesettingNumber);
            s.set(ASA::ASID, m_typesettingIds.next());
            s.set(ASA::ASAUFID, orderId);
            s.set(ASA::ASKADID, calculationId);
            s.set(ASA::ASBEZ, "Satz und Gestaltung");
            s.set(ASA::ASANZ, 1.0 + (r >> 8) % 4);
            s.set(ASA::ASPR, 45.0);
            s.set(ASA::ASGPR, 45.0 * (1.0 + (r >> 8) % 4));
            if (!add(*m_asatz))
                return false;
        }
        RecordBuffer &w = m_anach->buffer();
        w.clear();
        w.set(ANA::ANAID, ++m_workNumber);
        w.set(ANA::ANID, m_workIds.next());
        w.set(ANA::ANIDAUF, orderId);
        w.set(ANA::ANBEZ, "Schneiden");
        w.set(ANA::ANPR, 12.5);
        w.set(ANA::ANANZ, 1.0);
        w.set(ANA::ANGPR, 12.5);
        if (!add(*m_anach))
            return false;
        RecordBuffer &t = m_atran->buffer();
        t.clear();
        t.set(ATR::ATAID, ++m_transportNumber);
        t.set(ATR::ATID, m_transportIds.next());
        t.set(ATR::ATAUFID, orderId);
        t.set(ATR::ATBEZ, "Kurier");
        t.set(ATR::ATPR, 9.8);
        t.set(ATR::ATANZ, 1.0);
        t.set(ATR::ATGPR, 9.8);
        return add(*m_atran);
    }

    LargeSize m_size;
    BulkFiles m_files;
    RecordFile *m_kunde = nullptr;
    RecordFile *m_auftrag = nullptr;
    RecordFile *m_kaldruck = nullptr;
    RecordFile *m_asatz = nullptr;
    RecordFile *m_anach = nullptr;
    RecordFile *m_atran = nullptr;
    IdSequence m_customerIds, m_orderIds, m_orderNumbers, m_calculationIds, m_typesettingIds,
        m_workIds, m_transportIds;
    std::int32_t m_customerNumber = 0, m_orderNumber = 0, m_typesettingNumber = 0, m_workNumber = 0,
                 m_transportNumber = 0;
    std::vector<Address> m_customers;
    long long m_written = 0;
};

} // namespace

LargeResult addLargeData(StoreContext &store, const LargeSize &size)
{
    if (size.customers < 1 || size.orders < 0)
        return {};
    Writer writer(store, size);
    return writer.run();
}

} // namespace sampledata
