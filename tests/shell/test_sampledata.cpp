#include "shell/sampledata/largedata.h"
#include "shell/sampledata/sampledata.h"

#include "base/stddate.h"
#include "support/storefixture.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A temporary folder filled with the sample.
struct Filled : StoreFixture
{
    Filled() { EXPECT_EQ(sampledata::fillSampleData(*store), sampledata::FillResult::Filled); }

    // Every record of a file, in stored order.
    std::vector<RecordBuffer> rows(FileId file)
    {
        std::vector<RecordBuffer> result;
        FileManager &m = fm(file);
        m.Open();
        m.startStoredPass();
        while (m.NextQuiet() == Level::Benign)
            result.push_back(m.BUFFER());
        m.Close();
        return result;
    }
};

TEST(SampleData, FillsEveryCatalogueFileAndTheInvoicedSampleOrders)
{
    Filled t;
    for (FileId file :
         {FileId::drucktem, FileId::anach, FileId::atran, FileId::aufpap, FileId::asatz})
        EXPECT_FALSE(t.exists(file)) << fileDef(file).label;

    const std::pair<FileId, std::int64_t> expected[] = {
        {FileId::papier, 7},
        {FileId::maschin, 4},
        {FileId::arbeit, 6},
        {FileId::satz, 6},
        {FileId::transport, 3},
        {FileId::lieferant, 2},
        {FileId::text, 6},
        {FileId::kunde, 3},
        {FileId::stamm, 1},
        {FileId::firma, 1},
        {FileId::kundeer, 2},
        {FileId::auftrag, 2},
        {FileId::kaldruck, 2},
    };
    for (const auto &[file, count] : expected)
        EXPECT_EQ(t.count(file), count) << fileDef(file).label;

    std::map<std::string, int> kinds;
    for (const RecordBuffer &text : t.rows(FileId::text))
        ++kinds[text.get(TEX::TKEN)];
    EXPECT_EQ(kinds, (std::map<std::string, int>{{"EL", 2}, {"IN", 2}, {"ZA", 2}}));
}

TEST(SampleData, NumbersAndIdsAreWellFormed)
{
    // With the clock standing still, each id after the first moves on by one hundredth.
    const rt::StdDate day = rt::dateFromYmd(2025, 3, 14);
    const rt::StdTime time = rt::timeFromHms(9, 30, 0);
    rt::setFixedNow(day, time);
    Filled t;
    rt::clearFixedNow();

    const std::tuple<LongField, StringField, char> files[] = {
        {PAP::APAP, PAP::IPAP, 'R'},
        {MAS::MAID, MAS::MID, 'M'},
        {ARB::AAID, ARB::AID, 'A'},
        {SAT::SAID, SAT::SID, 'Z'},
        {LIE::LIAD, LIE::LIIAD, 'L'},
        {KUN::KAID, KUN::KID, 'K'},
        {TRA::TAID, {}, 0}, // no internal id
        {TEX::IDTEXT, {}, 0},
    };
    std::set<std::string> ids;
    std::size_t idCount = 0;
    for (const auto &[number, idField, prefix] : files) {
        SCOPED_TRACE(fileDef(number.file).label);
        const std::vector<RecordBuffer> records = t.rows(number.file);
        for (std::size_t i = 0; i < records.size(); ++i) {
            EXPECT_EQ(records[i].get(number), static_cast<std::int32_t>(i + 1));
            if (idField.size == 0)
                continue;
            const std::string id = records[i].get(idField);
            const std::string head = prefix + std::to_string(day);
            ++idCount;
            ids.insert(id);
            EXPECT_LE(id.size(), 14u) << id;
            ASSERT_TRUE(id.starts_with(head)) << id;
            const std::string hundredths = id.substr(head.size());
            ASSERT_EQ(hundredths.find_first_not_of("0123456789"), std::string::npos) << id;
            EXPECT_GE(std::stol(hundredths), time) << id;
            EXPECT_LT(std::stol(hundredths), time + 30) << id;
        }
    }
    EXPECT_EQ(ids.size(), idCount) << "no internal id is handed out twice";
}

TEST(SampleData, MachinesFollowTheCatalogueRules)
{
    Filled t;
    const std::vector<RecordBuffer> machines = t.rows(FileId::maschin);
    ASSERT_EQ(machines.size(), 4u);

    // The B2 press: the A2 button, the larger sheet typed over it; 13000 and 6000 an hour.
    const RecordBuffer &large = machines[0];
    EXPECT_EQ(large.get(MAS::MFORM), "A2");
    EXPECT_EQ(large.get(MAS::MMAX), 700);
    EXPECT_EQ(large.get(MAS::MMIN), 500);
    EXPECT_EQ(large.get(MAS::DZMITTEL), 9500);
    EXPECT_DOUBLE_EQ(large.get(MAS::DZMAXFA), 0.731);
    EXPECT_DOUBLE_EQ(large.get(MAS::DZMITFAK), 1);
    EXPECT_DOUBLE_EQ(large.get(MAS::DZMINFA), 1.583);

    const std::map<std::string, std::pair<double, double>> sheets
        = {{"A1", {840, 594}}, {"A3", {420, 297}}, {"A4", {297, 210}}};
    std::set<double> colours;
    for (const RecordBuffer &m : machines) {
        SCOPED_TRACE(m.get(MAS::MBEZ));
        colours.insert(m.get(MAS::MFARB));
        if (sheets.contains(m.get(MAS::MFORM))) {
            EXPECT_EQ(m.get(MAS::MMAX), sheets.at(m.get(MAS::MFORM)).first);
            EXPECT_EQ(m.get(MAS::MMIN), sheets.at(m.get(MAS::MFORM)).second);
        }
        EXPECT_EQ(m.get(MAS::DZMITTEL), (m.get(MAS::DZMAX) + m.get(MAS::DZMIN)) / 2);
        EXPECT_LT(m.get(MAS::DZMAXFA), 1);
        EXPECT_GT(m.get(MAS::DZMINFA), 1);
        EXPECT_GT(m.get(MAS::MDRPR), 0);
    }
    EXPECT_EQ(colours.size(), machines.size()) << "machines of different colours";
}

// What the catalogue forms would refuse at OK must not be in the sample either.
TEST(SampleData, CatalogueEntriesPassTheFormsChecks)
{
    Filled t;
    const std::tuple<StringField, StringField, RealField> services[] = {
        {ARB::ABEZ, ARB::AEINH, ARB::AFAKT},
        {SAT::SBEZ, SAT::SEINH, SAT::SFAK},
        {TRA::TBEZ, TRA::TEINH, TRA::TFAK},
    };
    for (const auto &[name, unit, factor] : services) {
        for (const RecordBuffer &r : t.rows(name.file)) {
            EXPECT_FALSE(r.get(unit).empty()) << r.get(name);
            EXPECT_GT(r.get(factor), 0) << r.get(name);
        }
    }
    for (const RecordBuffer &work : t.rows(FileId::arbeit))
        EXPECT_GT(work.get(ARB::AZEIT), 0) << work.get(ARB::ABEZ);

    std::set<std::string> suppliers;
    for (const RecordBuffer &s : t.rows(FileId::lieferant))
        suppliers.insert(s.get(LIE::LINAME));
    for (const RecordBuffer &paper : t.rows(FileId::papier)) {
        SCOPED_TRACE(paper.get(PAP::PBEZ));
        EXPECT_GT(paper.get(PAP::PPR), paper.get(PAP::PEPR1)) << "sold for more than bought";
        EXPECT_GT(paper.get(PAP::PEPR1), 0);
        EXPECT_GT(paper.get(PAP::PVPE), 0);
        EXPECT_TRUE(suppliers.contains(paper.get(PAP::LIEF1))) << "a supplier of the file";
    }

    // Payment terms as the order form copies them: 2 % Skonto in 10 days, net in 30.
    int skontoTerms = 0;
    for (const RecordBuffer &text : t.rows(FileId::text)) {
        if (text.get(TEX::TKEN) == "ZA" && text.get(TEX::SKOPR) == 2) {
            ++skontoTerms;
            EXPECT_EQ(text.get(TEX::SKTAGE), 10);
            EXPECT_EQ(text.get(TEX::ZAZIEL), 30);
        }
    }
    EXPECT_EQ(skontoTerms, 1);
}

TEST(SampleData, RefusesAFolderThatHoldsRecordFiles)
{
    Filled t;
    t.restart();
    EXPECT_EQ(sampledata::fillSampleData(*t.store), sampledata::FillResult::FolderInUse);
    EXPECT_EQ(t.count(FileId::papier), 7) << "nothing written twice";

    // One file of the user's own is enough.
    StoreFixture own;
    own.add(FileId::kunde, [](Records &r) { r.set(KUN::KNAME, "Eigene Kundin"); });
    EXPECT_EQ(sampledata::fillSampleData(*own.store), sampledata::FillResult::FolderInUse);
    EXPECT_FALSE(own.exists(FileId::papier));
}

// As the run script calls it: a folder that does not exist yet, then the same folder again.
TEST(SampleDataProgram, FillsANewFolderOnceAndThenRefuses)
{
    TempFolder temp;
    const std::filesystem::path data = temp.path() / "data";
    const std::string command = std::string("'") + TESSARO_SAMPLEDATA_PROGRAM + "' '"
                                + data.string() + "' >/dev/null 2>/dev/null";
    const auto exitCode = [&] {
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(exitCode(), 0);
    EXPECT_TRUE(makeEngine(DataLocation{data})->exists(FileId::maschin));
    EXPECT_NE(exitCode(), 0);
}

// The large shop holds together as the program's own records do: every order belongs to a
// customer and carries its address, every line to an order of its own, ids and order
// numbers are unique and in the id builder's form, automatic numbers count on from the
// catalogue's, and the keys find what was written.
TEST(LargeData, RecordsHoldTogetherAsTheProgramWritesThem)
{
    Filled t;
    // What the sample data holds already; the large shop comes on top of it.
    const auto base = [&](FileId file) {
        return t.count(file);
    };
    const auto customersBefore = base(FileId::kunde);
    const auto ordersBefore = base(FileId::auftrag);
    const auto calculationsBefore = base(FileId::kaldruck);
    const auto typesettingBefore = base(FileId::asatz);
    const auto workBefore = base(FileId::anach);
    const auto transportBefore = base(FileId::atran);
    std::set<std::string> sampleOrders;
    for (const RecordBuffer &o : t.rows(FileId::auftrag))
        sampleOrders.insert(o.get(AUF::FID));
    std::int32_t highestSampleCustomer = 0;
    for (const RecordBuffer &k : t.rows(FileId::kunde))
        highestSampleCustomer = std::max<std::int32_t>(highestSampleCustomer, k.get(KUN::KAID));
    const sampledata::LargeResult added
        = sampledata::addLargeData(*t.store, sampledata::LargeSize{30, 120, 40});
    ASSERT_TRUE(added.written);
    EXPECT_EQ(added.records, 30 + 120 * 7);
    EXPECT_EQ(t.count(FileId::kunde), customersBefore + 30);
    EXPECT_EQ(t.count(FileId::auftrag), ordersBefore + 120);
    EXPECT_EQ(t.count(FileId::kaldruck), calculationsBefore + 240);
    EXPECT_EQ(t.count(FileId::asatz), typesettingBefore + 240);
    EXPECT_EQ(t.count(FileId::anach), workBefore + 120);
    EXPECT_EQ(t.count(FileId::atran), transportBefore + 120);

    std::map<std::string, RecordBuffer> customers;
    std::set<std::int32_t> customerNumbers;
    for (const RecordBuffer &k : t.rows(FileId::kunde)) {
        const std::string id = k.get(KUN::KID);
        EXPECT_TRUE(customers.emplace(id, k).second) << id;
        EXPECT_TRUE(customerNumbers.insert(k.get(KUN::KAID)).second);
        EXPECT_EQ(id.size(), 13u) << id;
        EXPECT_EQ(id[0], 'K');
    }
    EXPECT_EQ(*customerNumbers.rbegin(), highestSampleCustomer + 30)
        << "counted on from the sample customers' numbers";
    std::map<std::string, int> ordersOf;
    std::set<std::string> orderIds = sampleOrders;
    std::set<std::string> numbers;
    for (const RecordBuffer &o : t.rows(FileId::auftrag)) {
        if (sampleOrders.count(o.get(AUF::FID)))
            continue;
        const auto customer = customers.find(o.get(AUF::FKUID));
        ASSERT_NE(customer, customers.end());
        EXPECT_EQ(o.get(AUF::FNAME), customer->second.get(KUN::KNAME));
        EXPECT_EQ(o.get(AUF::FORT), customer->second.get(KUN::KORT));
        EXPECT_TRUE(orderIds.insert(o.get(AUF::FID)).second);
        EXPECT_TRUE(numbers.insert(o.get(AUF::FNR)).second);
        EXPECT_EQ(o.get(AUF::FNR).size(), 12u);
        EXPECT_LE(o.get(AUF::FDATUM), rt::today());
        ++ordersOf[o.get(AUF::FKUID)];
    }
    EXPECT_EQ(ordersOf[added.bigCustomerId], 40);
    for (const auto &[customer, orders] : ordersOf)
        EXPECT_LT(customer == added.bigCustomerId ? 0 : orders, 40) << customer;
    std::set<std::string> calculations;
    for (const RecordBuffer &c : t.rows(FileId::kaldruck)) {
        EXPECT_TRUE(orderIds.count(c.get(KAD::KAUFID)));
        EXPECT_TRUE(calculations.insert(c.get(KAD::KAAID)).second);
    }
    for (const RecordBuffer &s : t.rows(FileId::asatz)) {
        EXPECT_TRUE(calculations.count(s.get(ASA::ASKADID)));
        EXPECT_TRUE(orderIds.count(s.get(ASA::ASAUFID)));
    }
    for (const RecordBuffer &n : t.rows(FileId::anach))
        EXPECT_TRUE(orderIds.count(n.get(ANA::ANIDAUF)));

    // The keys find the records: the big customer's orders by its key, a name by its own.
    FileManager &orders = t.fm(FileId::auftrag);
    orders.Open();
    t.records()[FileId::auftrag].clear();
    t.records().set(AUF::FKUID, added.bigCustomerId);
    ASSERT_EQ(orders.startPassFrom(AUF::Keykuid), 0);
    int found = 0;
    while (orders.NextQuiet() == Level::Benign
           && t.records().get(AUF::FKUID) == added.bigCustomerId)
        ++found;
    orders.Close();
    EXPECT_EQ(found, 40);
}

TEST(LargeDataProgram, MakesTheShopOfTheSizeAsked)
{
    TempFolder temp;
    // The plain sample data, and the large shop on top of it.
    const auto make = [&](const std::filesystem::path &data, const std::string &large) {
        const std::string command = std::string("'") + TESSARO_SAMPLEDATA_PROGRAM + "' " + large
                                    + " '" + data.string() + "' " + (large.empty() ? "" : "12 400 ")
                                    + ">/dev/null 2>/dev/null";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    };
    const auto counts = [](const std::filesystem::path &data) {
        const auto engine = makeEngine(DataLocation{data});
        Records records;
        const auto orders = engine->recordFile(FileId::auftrag, records[FileId::auftrag]);
        const auto customers = engine->recordFile(FileId::kunde, records[FileId::kunde]);
        EXPECT_EQ(orders->open(), 0);
        EXPECT_EQ(customers->open(), 0);
        return std::pair{orders->records(), customers->records()};
    };
    ASSERT_TRUE(make(temp.path() / "sample", ""));
    ASSERT_TRUE(make(temp.path() / "data", "--large"));
    const auto [sampleOrders, sampleCustomers] = counts(temp.path() / "sample");
    const auto [orders, customers] = counts(temp.path() / "data");
    EXPECT_EQ(orders, sampleOrders + 400);
    EXPECT_EQ(customers, sampleCustomers + 12) << "the sample customers and twelve";
    const std::string wrong = std::string("'") + TESSARO_SAMPLEDATA_PROGRAM + "' --large '"
                              + (temp.path() / "other").string() + "' zwölf >/dev/null 2>&1";
    const int refused = std::system(wrong.c_str());
    EXPECT_TRUE(WIFEXITED(refused) && WEXITSTATUS(refused) == 2);
}

} // namespace
