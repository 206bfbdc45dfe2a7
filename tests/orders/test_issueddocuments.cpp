// Issued documents as the store keeps them: an invoice issued with its bytes and its order's
// printed-on date in one step, a number issued twice refused, the order and its customer kept
// while the invoice stands, and a cancellation that opens the order again.

#include "orders/core/issueddocuments.h"

#include "base/sha256.h"
#include "base/stddate.h"
#include "store/files.h"
#include "support/orderfamily.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orderfamily;

namespace {

const rt::StdDate kToday = rt::dateFromYmd(2026, 12, 7);
const rt::StdTime kNow = rt::timeFromHms(10, 30, 15);

// Customer K1 with order F1 (invoice R-1, 100 + 19 = 119 EUR) and F2, not invoiced.
struct Shop
{
    Shop()
    {
        customer(t, "K1", "Druckerei Nord & Söhne");
        order(t, "F1", "K1", "A-1");
        order(t, "F2", "K1", "A-2");
        calculation(t, "KA1", "F1");
        invoiced(t, "F1", "R-1");
        setAmounts("F1");
    }

    void setAmounts(const std::string &id)
    {
        showRecord(t, FileId::auftrag, AUF::Keyfid, AUF::FID, id);
        Records &r = t.records();
        r.set(AUF::NETTO, 100.0);
        r.set(AUF::MWST, 19.0);
        r.set(AUF::BRUTTO, 119.0);
        r.set(AUF::ZAZTAGE, 30.0);
        r.set(AUF::SKONTAGE, 10.0);
        r.set(AUF::SKPROZ, 2.0);
        EXPECT_EQ(t.fm(FileId::auftrag).Update(), Level::Benign);
        t.rk(FileId::auftrag).Close();
    }

    RecordBuffer stored(const std::string &id)
    {
        showRecord(t, FileId::auftrag, AUF::Keyfid, AUF::FID, id);
        RecordBuffer order = t.records()[FileId::auftrag];
        t.rk(FileId::auftrag).Close();
        return order;
    }

    orders::IssueResult issue(const std::string &orderId, const orders::IssuedBytes &bytes)
    {
        const RecordBuffer order = stored(orderId);
        t.records()[FileId::auftrag].clear();
        return orders::issueInvoice(
            *t.store, orderId, orders::invoiceDocument(order, kToday, kNow, 1, bytes), bytes);
    }

    orders::IssueResult cancel(const std::string &orderId, const std::string &number)
    {
        const auto invoice = orders::standingInvoice(*t.store, orderId);
        EXPECT_TRUE(invoice.has_value());
        const orders::IssuedBytes bytes{"%PDF storno", "<xml/>"};
        return orders::cancelInvoice(
            *t.store,
            orderId,
            orders::cancellationDocument(*invoice, number, kToday + 3, kNow, bytes),
            bytes);
    }

    StoreFixture t;
};

const orders::IssuedBytes kBytes{std::string("%PDF-1.4\0\xff binary", 18), "<rsm:Invoice/>"};

TEST(IssuedDocuments, AnInvoiceIsIssuedWithItsBytesAndThePrintedOnDate)
{
    Shop shop;
    const orders::IssueResult result = shop.issue("F1", kBytes);
    ASSERT_EQ(result.outcome, orders::IssueOutcome::Issued) << result.message;

    const RecordBuffer order = shop.stored("F1");
    EXPECT_EQ(order.get(AUF::FRECDRU), kToday);
    EXPECT_EQ(order.get(AUF::FRECZEIT), kNow);

    const auto document = orders::issuedDocument(*shop.t.store, "r-1");
    ASSERT_TRUE(document.has_value());
    EXPECT_EQ(document->get(BEL::BART), BEL::kInvoice);
    EXPECT_EQ(document->get(BEL::BAUFID), "F1");
    EXPECT_EQ(document->get(BEL::BAUFNR), "A-1");
    EXPECT_EQ(document->get(BEL::BKUID), "K1");
    EXPECT_DOUBLE_EQ(document->get(BEL::BNETTO), 100.0);
    EXPECT_DOUBLE_EQ(document->get(BEL::BMWST), 19.0);
    EXPECT_DOUBLE_EQ(document->get(BEL::BBRUTTO), 119.0);
    // Payment periods count from the invoice date, 14.07.2025.
    EXPECT_EQ(document->get(BEL::BFAELLIG), rt::dateFromYmd(2025, 8, 13));
    EXPECT_EQ(document->get(BEL::BSKDAT), rt::dateFromYmd(2025, 7, 24));
    EXPECT_EQ(document->get(BEL::BSHA), rt::sha256Hex(kBytes.pdf));
    EXPECT_EQ(document->get(BEL::BSPERRE), "F1");

    const auto bytes = orders::issuedBytes(*shop.t.store, "R-1");
    ASSERT_TRUE(bytes.has_value());
    EXPECT_TRUE(bytes->pdf == kBytes.pdf);
    EXPECT_EQ(bytes->xml, kBytes.xml);
    EXPECT_EQ(shop.t.presenter.shown.size(), 0u);
}

// The digests of FIPS 180-4's examples and of lengths around the block edges, where the
// padding takes one block or two.
TEST(IssuedDocuments, Sha256GivesTheKnownDigests)
{
    const struct
    {
        std::string bytes;
        const char *digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(55, 'a'), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        {std::string(56, 'a'), "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
        {std::string(64, 'a'), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bytes.size());
        EXPECT_EQ(rt::sha256Hex(c.bytes), c.digest);
    }
}

TEST(IssuedDocuments, ANumberIssuedAlreadyIsRefusedAndNothingIsWritten)
{
    Shop shop;
    ASSERT_EQ(shop.issue("F1", kBytes).outcome, orders::IssueOutcome::Issued);
    // F2 carries the same number in other letters: one station did not see the other's.
    invoiced(shop.t, "F2", "r-1");
    const orders::IssueResult second = shop.issue("F2", {"%PDF other", {}});
    EXPECT_EQ(second.outcome, orders::IssueOutcome::Refused);
    EXPECT_NE(second.message.find("r-1"), std::string::npos) << second.message;
    // Rolled back together: F2 has no printed-on date and the first invoice is unchanged.
    EXPECT_EQ(shop.stored("F2").get(AUF::FRECDRU), 0);
    EXPECT_EQ(shop.t.count(FileId::beleg), 1);
    EXPECT_TRUE(orders::issuedBytes(*shop.t.store, "R-1")->pdf == kBytes.pdf);
    EXPECT_FALSE(orders::standingInvoice(*shop.t.store, "F2").has_value());
}

TEST(IssuedDocuments, AStandingInvoiceKeepsItsOrderAndItsCustomer)
{
    struct Case
    {
        const char *name;
        FileId file;
        KeyRef key;
        StringField field;
        const char *value;
    };
    const Case cases[] = {
        {"the order", FileId::auftrag, AUF::Keyfid, AUF::FID, "F1"},
        {"the customer, by the cascade to its orders", FileId::kunde, KUN::Keyid, KUN::KID, "K1"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Shop shop;
        ASSERT_EQ(shop.issue("F1", kBytes).outcome, orders::IssueOutcome::Issued);
        const std::int64_t orders = shop.t.count(FileId::auftrag);
        const std::int64_t lines = shop.t.count(FileId::kaldruck);

        showRecord(shop.t, c.file, c.key, c.field, c.value);
        EXPECT_EQ(shop.t.rk(c.file).Delete(false), Level::Notify);
        shop.t.rk(c.file).Close();

        ASSERT_FALSE(shop.t.presenter.shown.empty());
        const std::string &said = shop.t.presenter.shown.back().text;
        EXPECT_NE(said.find("Rechnung R-1"), std::string::npos) << said;
        EXPECT_NE(said.find("stornieren"), std::string::npos) << said;
        EXPECT_EQ(shop.t.presenter.shownInTransaction, 0);
        EXPECT_EQ(shop.t.count(FileId::auftrag), orders);
        EXPECT_EQ(shop.t.count(FileId::kaldruck), lines);
        EXPECT_EQ(shop.t.count(FileId::kunde), 1);
        EXPECT_EQ(shop.t.count(FileId::beleg), 1);
    }
}

TEST(IssuedDocuments, CancellingIssuesACreditAndOpensTheOrderAgain)
{
    Shop shop;
    ASSERT_EQ(shop.issue("F1", kBytes).outcome, orders::IssueOutcome::Issued);
    const orders::IssueResult result = shop.cancel("F1", "ST-2026-0001");
    ASSERT_EQ(result.outcome, orders::IssueOutcome::Issued) << result.message;

    const RecordBuffer order = shop.stored("F1");
    EXPECT_EQ(order.get(AUF::FRENR), "");
    EXPECT_EQ(order.get(AUF::FREDAT), 0);
    EXPECT_EQ(order.get(AUF::FRECDRU), 0);
    EXPECT_EQ(order.get(AUF::FSTAT), "ANGEBOT");
    EXPECT_FALSE(orders::standingInvoice(*shop.t.store, "F1").has_value());

    const auto invoice = orders::issuedDocument(*shop.t.store, "R-1");
    ASSERT_TRUE(invoice.has_value());
    EXPECT_EQ(invoice->get(BEL::BBEZUG), "ST-2026-0001");
    EXPECT_EQ(invoice->get(BEL::BSHA), rt::sha256Hex(kBytes.pdf));
    EXPECT_TRUE(orders::issuedBytes(*shop.t.store, "R-1")->pdf == kBytes.pdf);

    const auto credit = orders::issuedDocument(*shop.t.store, "ST-2026-0001");
    ASSERT_TRUE(credit.has_value());
    EXPECT_EQ(credit->get(BEL::BART), BEL::kCancellation);
    EXPECT_EQ(credit->get(BEL::BBEZUG), "R-1");
    EXPECT_DOUBLE_EQ(credit->get(BEL::BNETTO), -100.0);
    EXPECT_DOUBLE_EQ(credit->get(BEL::BMWST), -19.0);
    EXPECT_DOUBLE_EQ(credit->get(BEL::BBRUTTO), -119.0);
    EXPECT_EQ(credit->get(BEL::BSPERRE), "");
    EXPECT_EQ(orders::issuedBytes(*shop.t.store, "ST-2026-0001")->xml, "<xml/>");

    // Nothing keeps the order now; its documents stay.
    showRecord(shop.t, FileId::auftrag, AUF::Keyfid, AUF::FID, "F1");
    EXPECT_EQ(shop.t.rk(FileId::auftrag).Delete(false), Level::Benign);
    shop.t.rk(FileId::auftrag).Close();
    EXPECT_EQ(shop.t.count(FileId::beleg), 2);
}

TEST(IssuedDocuments, ACancellationNumberTakenAlreadyCancelsNothing)
{
    Shop shop;
    ASSERT_EQ(shop.issue("F1", kBytes).outcome, orders::IssueOutcome::Issued);
    // The cancellation asks for the invoice's own number.
    EXPECT_EQ(shop.cancel("F1", "R-1").outcome, orders::IssueOutcome::Refused);
    EXPECT_TRUE(orders::standingInvoice(*shop.t.store, "F1").has_value());
    EXPECT_EQ(shop.stored("F1").get(AUF::FRENR), "R-1");
    EXPECT_EQ(shop.t.count(FileId::beleg), 1);
}

TEST(IssuedDocuments, CancellationNumbersFollowTheLastOne)
{
    Shop shop;
    EXPECT_EQ(orders::proposedCancellationNumber(*shop.t.store, kToday), "ST-2026-0001");
    ASSERT_EQ(shop.issue("F1", kBytes).outcome, orders::IssueOutcome::Issued);
    ASSERT_EQ(shop.cancel("F1", "ST-2026-0007").outcome, orders::IssueOutcome::Issued);
    EXPECT_EQ(orders::proposedCancellationNumber(*shop.t.store, kToday), "ST-2026-0008");
    // A number issued by hand ahead of the range is passed over.
    invoiced(shop.t, "F2", "ST-2026-0008");
    ASSERT_EQ(shop.issue("F2", kBytes).outcome, orders::IssueOutcome::Issued);
    EXPECT_EQ(orders::proposedCancellationNumber(*shop.t.store, kToday), "ST-2026-0009");
}

TEST(IssuedDocuments, TheLockedNoteNamesTheInvoiceAndItsDate)
{
    Shop shop;
    ASSERT_EQ(shop.issue("F1", kBytes).outcome, orders::IssueOutcome::Issued);
    const auto invoice = orders::standingInvoice(*shop.t.store, "F1");
    ASSERT_TRUE(invoice.has_value());
    EXPECT_EQ(orders::lockedNote(*invoice),
              "Rechnung R-1 ausgestellt am 07.12.2026 – zum Ändern stornieren");
}

} // namespace
