// The lines of an order whose invoice stands are kept as they were invoiced, whichever form,
// list or relation a write comes through; the lines of other orders are written as before.

#include "orders/core/issuedlines.h"

#include "base/stddate.h"
#include "store/relationkeeper.h"
#include "support/orderfamily.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace orderfamily;

namespace {

struct LineFile
{
    const char *what;
    FileId file;
    StringField id;
    StringField order;
};

const LineFile kLines[] = {
    {"calculation", FileId::kaldruck, KAD::KAAID, KAD::KAUFID},
    {"typesetting", FileId::asatz, ASA::ASID, ASA::ASAUFID},
    {"paper", FileId::aufpap, APA::APID, APA::APAUFID},
    {"further work", FileId::anach, ANA::ANID, ANA::ANIDAUF},
    {"transport", FileId::atran, ATR::ATID, ATR::ATAUFID},
};

class IssuedLines : public ::testing::Test
{
protected:
    void SetUp() override
    {
        customer(t, "K1", "Verlag Bauer");
        order(t, "F1", "K1", "A-100");
        order(t, "F2", "K1", "A-200");
        t.add(FileId::beleg, [](Records &r) {
            r.set(BEL::BART, BEL::kInvoice);
            r.set(BEL::BNR, "R-100");
            r.set(BEL::BAUFNR, "A-100");
            r.set(BEL::BSPERRE, "F1");
            r.set(BEL::BDAT, rt::dateFromYmd(2026, 12, 7));
        });
        orders::guardIssuedOrderLines(*t.store);
    }

    // A new line of `order` inserted through the file's relation keeper, as a form does.
    int insert(const LineFile &line, const std::string &id, const std::string &order)
    {
        FileManager &file = t.fm(line.file);
        file.Open();
        file.PrepareNewRecord();
        t.records().set(line.id, id);
        t.records().set(line.order, order);
        const int level = t.rk(line.file).Insert();
        if (level != Level::Benign)
            file.CancelNumbering();
        file.Close();
        return level;
    }

    // The order's line (each order has one here) read into its buffer, its file left open;
    // its id, empty when it has none.
    std::string fetch(const LineFile &line, const std::string &order)
    {
        FileManager &file = t.fm(line.file);
        file.Open();
        t.records()[line.file].clear();
        t.records().set(line.order, order);
        if (file.FetchQuiet(KeyRef{line.file, orderKey(line)}) != Level::Benign)
            return {};
        return t.records().get(line.id);
    }

    static std::uint8_t orderKey(const LineFile &line)
    {
        const FileDef &def = fileDef(line.file);
        for (std::uint8_t k = 0; k < def.keyCount; ++k) {
            if (def.keys[k].parts[0].field == line.order.index)
                return k;
        }
        throw std::logic_error("no key on the order");
    }

    StoreFixture t;
};

TEST_F(IssuedLines, NoLineOfAnIssuedOrderIsAddedChangedOrDeleted)
{
    for (const LineFile &line : kLines) {
        SCOPED_TRACE(line.what);
        ASSERT_EQ(insert(line, "L2", "F2"), Level::Benign) << "another order's line";
        const std::size_t before = t.presenter.shown.size();
        const std::int64_t count = t.count(line.file);
        EXPECT_NE(insert(line, "L1", "F1"), Level::Benign);
        EXPECT_EQ(t.count(line.file), count);
        ASSERT_EQ(t.presenter.shown.size(), before + 1);
        const std::string &text = t.presenter.shown.back().text;
        EXPECT_NE(text.find("A-100"), std::string::npos) << text;
        EXPECT_NE(text.find("R-100"), std::string::npos) << text;
    }
}

TEST_F(IssuedLines, AnIssuedOrdersLineStaysAsItWasAndAnotherOrdersLineIsWritten)
{
    for (const LineFile &line : kLines) {
        SCOPED_TRACE(line.what);
        // Written before the invoice stood.
        t.store->relations(line.file).SetWriteGuard({});
        ASSERT_EQ(insert(line, "L1", "F1"), Level::Benign);
        ASSERT_EQ(insert(line, "L2", "F2"), Level::Benign);
        orders::guardIssuedOrderLines(*t.store);

        ASSERT_EQ(fetch(line, "F1"), "L1");
        t.records().set(line.id, "L9");
        EXPECT_NE(t.rk(line.file).Update(), Level::Benign);
        EXPECT_NE(t.rk(line.file).Delete(false), Level::Benign);
        t.fm(line.file).Close();
        EXPECT_EQ(fetch(line, "F1"), "L1") << "changed or deleted";
        t.fm(line.file).Close();

        ASSERT_EQ(fetch(line, "F2"), "L2");
        EXPECT_EQ(t.rk(line.file).Delete(false), Level::Benign);
        t.fm(line.file).Close();
        EXPECT_EQ(fetch(line, "F2"), "");
        t.fm(line.file).Close();
    }
}

} // namespace
