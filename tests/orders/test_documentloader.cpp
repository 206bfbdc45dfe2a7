#include "orders/reports/documentloader.h"

#include "framework/report/pagequeue.h"
#include "orders/reports/documentreports.h"
#include "support/orderfamily.h"
#include "support/pdftext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orderfamily;

namespace {

// Order F1 of Verlag Bauer with two calculations, written in an order that differs from
// their ids' order, the second with two typesetting lines. Order F10 of Druckerei Abel
// follows F1 directly in every key on the order id and has a calculation and line of its own.
void twoOrders(StoreFixture &t)
{
    customer(t, "K1", "Druckerei Abel");
    customer(t, "K2", "Verlag Bauer");
    order(t, "F10", "K1", "A-110");
    order(t, "F1", "K2", "A-100");
    calculation(t, "KB9", "F1");
    calculation(t, "KC1", "F10");
    calculation(t, "KA1", "F1");
    typesetting(t, "S2", "F1", "KA1");
    typesetting(t, "S9", "F10", "KC1");
    typesetting(t, "S1", "F1", "KA1");
}

std::vector<std::string> calculationIds(const orders::DocumentData &d)
{
    std::vector<std::string> ids;
    for (const orders::CalculationData &c : d.calculations)
        ids.push_back(c.kaldruck.get(KAD::KAAID));
    return ids;
}

std::vector<std::string> lineNames(const orders::CalculationData &c)
{
    std::vector<std::string> names;
    for (const RecordBuffer &line : c.typesetting)
        names.push_back(line.get(ASA::ASBEZ));
    return names;
}

TEST(DocumentLoader, ReadsOrderCustomerCalculationsAndLinesInKeyOrder)
{
    StoreFixture t;
    twoOrders(t);

    // As a form's id field holds it, padded to its width, and as plain text.
    for (const std::string id : {"F1", "F1            "}) {
        SCOPED_TRACE('"' + id + '"');
        const std::optional<orders::DocumentData> d = orders::loadDocumentData(*t.store, id);
        ASSERT_TRUE(d.has_value());
        EXPECT_EQ(d->order.get(AUF::FNR), "A-100");
        EXPECT_EQ(d->customer.get(KUN::KID), "K2");
        EXPECT_EQ(d->customer.get(KUN::KNAME), "Verlag Bauer");
        EXPECT_EQ(calculationIds(*d), (std::vector<std::string>{"KB9", "KA1"}))
            << "in the order they were added, not by id, and none of F10's";
        ASSERT_EQ(d->calculations.size(), 2u);
        EXPECT_TRUE(d->calculations[0].typesetting.empty());
        EXPECT_EQ(lineNames(d->calculations[1]), (std::vector<std::string>{"Satz S2", "Satz S1"}));
    }
}

TEST(DocumentLoader, OrderNotInTheFileGivesNothing)
{
    StoreFixture t;
    twoOrders(t);
    // A record whose id was never set must not stand in for an order without one.
    t.add(FileId::auftrag, [](Records &r) {
        r.set(AUF::FKUID, "K1");
        r.set(AUF::FNR, "ohne ID");
    });
    calculation(t, "KZ1", "");

    EXPECT_FALSE(orders::loadDocumentData(*t.store, "F2").has_value());
    EXPECT_FALSE(orders::loadDocumentData(*t.store, "F").has_value()) << "no prefix match";
    EXPECT_FALSE(orders::loadDocumentData(*t.store, "").has_value());
    EXPECT_FALSE(orders::loadDocumentData(*t.store, "   ").has_value());
}

TEST(DocumentLoader, OrderWhoseCustomerIsGoneStillHasItsPositions)
{
    StoreFixture t;
    order(t, "F5", "K404", "A-500");
    calculation(t, "KE1", "F5");
    // A customer with a blank id must not be taken for an order with a blank customer.
    customer(t, "", "Niemand");
    order(t, "F6", "", "A-600");

    const std::optional<orders::DocumentData> d = orders::loadDocumentData(*t.store, "F5");
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->customer.get(KUN::KNAME), "");
    EXPECT_EQ(calculationIds(*d), std::vector<std::string>{"KE1"});

    const std::optional<orders::DocumentData> blank = orders::loadDocumentData(*t.store, "F6");
    ASSERT_TRUE(blank.has_value());
    EXPECT_EQ(blank->customer.get(KUN::KNAME), "");
}

// The order form starts the report on its own thread, in the middle of its own work on the
// same files.
TEST(DocumentLoader, GivesTheCallerItsRecordsAndPassesBack)
{
    StoreFixture t;
    twoOrders(t);
    FileManager &orders = t.fm(FileId::auftrag);
    FileManager &calculations = t.fm(FileId::kaldruck);
    FileManager &customers = t.fm(FileId::kunde);

    orders.Open();
    t.records().set(AUF::FID, "F10");
    ASSERT_EQ(orders.FetchQuiet(AUF::Keyfid), Level::Benign);
    t.records().set(AUF::FKURZ, "noch nicht gespeichert");
    const RecordBuffer orderBefore = t.records()[FileId::auftrag];

    calculations.Open();
    calculations.startPass(KAD::Keyadid);
    ASSERT_EQ(calculations.Next(), Level::Benign);
    ASSERT_EQ(t.records().get(KAD::KAAID), "KA1");

    // Not open at all: only the buffer counts.
    t.records().set(KUN::KNAME, "eingetippt");
    const RecordBuffer customerBefore = t.records()[FileId::kunde];

    ASSERT_TRUE(orders::loadDocumentData(*t.store, "F1").has_value());

    EXPECT_EQ(t.records().get(AUF::FID), "F10");
    EXPECT_EQ(t.records().get(AUF::FKURZ), "noch nicht gespeichert");
    EXPECT_TRUE(t.records()[FileId::auftrag] == orderBefore) << "byte for byte";
    EXPECT_EQ(t.records().get(KUN::KNAME), "eingetippt");
    EXPECT_TRUE(t.records()[FileId::kunde] == customerBefore) << "byte for byte";
    EXPECT_EQ(t.records().get(KAD::KAAID), "KA1");
    ASSERT_EQ(calculations.Next(), Level::Benign);
    EXPECT_EQ(t.records().get(KAD::KAAID), "KB9") << "the pass goes on where it was";
    ASSERT_EQ(calculations.Next(), Level::Benign);
    EXPECT_EQ(t.records().get(KAD::KAAID), "KC1");

    calculations.Close();
    orders.Close();
    EXPECT_TRUE(t.store->files().usage().empty());
    EXPECT_TRUE(customers.SAVED.empty() && calculations.SAVED.empty()) << "nothing left saved";
}

TEST(DocumentLoader, LoadedOrderPrintsWithItsCustomerAndPositions)
{
    StoreFixture t;
    twoOrders(t);
    const std::optional<orders::DocumentData> d = orders::loadDocumentData(*t.store, "F1");
    ASSERT_TRUE(d.has_value());

    ensureGuiApplication();
    report::PageQueue queue;
    ASSERT_TRUE(orders::DrucRECmax(*d, 1.19, queue));
    const QString text = pdftext::textOf(queue, QStringLiteral("loaded"));
    EXPECT_TRUE(pdftext::inOrder(text,
                                 {QStringLiteral("Verlag Bauer"),
                                  QStringLiteral("Briefbogen KB9"),
                                  QStringLiteral("Briefbogen KA1"),
                                  QStringLiteral("Satz S2"),
                                  QStringLiteral("Satz S1")}))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Druckerei Abel")));
    EXPECT_FALSE(text.contains(QStringLiteral("Satz S9")));
}

} // namespace
