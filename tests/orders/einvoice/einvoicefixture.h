#pragma once

#include "../documentfixture.h"

#include "orders/einvoice/invoice.h"
#include "orders/reports/documentloader.h"
#include "orders/reports/documentreports.h"
#include "support/storefixture.h"

#include "base/decimal.h"

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

// The shop, its customers and their orders for the e-invoice tests, and the validator that
// judges what the tests write.
namespace einvoicefixture {

inline einvoice::Seller seller()
{
    einvoice::Seller s;
    s.name = QStringLiteral("Druckerei Lindner & Söhne GmbH");
    s.address = {QStringLiteral("Gutenbergstraße 7"),
                 QStringLiteral("79100"),
                 QStringLiteral("Freiburg im Breisgau"),
                 QStringLiteral("DE")};
    s.vatId = QStringLiteral("DE123456789");
    s.taxNumber = QStringLiteral("06/123/45678");
    s.registerCourt = QStringLiteral("Amtsgericht Freiburg");
    s.registerNumber = QStringLiteral("HRB 701234");
    s.managingDirector = QStringLiteral("Jürgen Lindner");
    s.iban = QStringLiteral("DE89 3704 0044 0532 0130 00");
    s.bic = QStringLiteral("COBADEFFXXX");
    s.bankName = QStringLiteral("Commerzbank Freiburg");
    s.contactName = QStringLiteral("Sabine Lindner");
    s.phone = QStringLiteral("+49 761 123456-0");
    s.email = QStringLiteral("rechnung@druckerei-lindner.de");
    s.electronicAddress = QStringLiteral("rechnung@druckerei-lindner.de");
    return s;
}

// A public customer with a Leitweg-ID, or a company without one.
inline einvoice::BuyerEInvoiceData buyer(bool leitweg)
{
    einvoice::BuyerEInvoiceData b;
    b.email = QStringLiteral("buchhaltung@sonnenschein-baeckerei.de");
    b.vatId = QStringLiteral("DE987654321");
    if (leitweg) {
        b.buyerReference = QStringLiteral("04011000-12345-03");
        b.preferredForm = einvoice::InvoiceForm::XRechnung;
    } else {
        b.preferredForm = einvoice::InvoiceForm::Zugferd;
    }
    return b;
}

// Writes one record the way a form does: a numbered field the source leaves empty keeps the
// number the file gives it; ids the source has (a calculation's `KAD:KAAID`) are kept.
inline void storeRecord(StoreFixture &t, const RecordBuffer &source)
{
    t.add(source.file(), [&](Records &r) {
        RecordBuffer &target = r[source.file()];
        const FileDef &def = target.def();
        std::set<int> numbered;
        for (int k = 0; k < def.keyCount; ++k) {
            if (def.keys[k].autoNumber)
                numbered.insert(def.keys[k].parts[0].field);
        }
        for (int f = 0; f < def.fieldCount; ++f) {
            const FieldValue value = source.value(f);
            const bool empty
                = value == FieldValue(std::int32_t(0)) || value == FieldValue(std::string());
            if (!numbered.count(f) || !empty)
                target.setValue(f, value);
        }
    });
}

// The document's order with its customer, calculations, typesetting and paper lines in the
// record files, linked as the forms link them.
inline void storeDocument(StoreFixture &t, const orders::DocumentData &d)
{
    const std::string orderId = d.order.get(AUF::FID);
    storeRecord(t, d.customer);
    storeRecord(t, d.order);
    int n = 0;
    for (const orders::CalculationData &c : d.calculations) {
        RecordBuffer k = c.kaldruck;
        k.set(KAD::KAUFID, orderId);
        storeRecord(t, k);
        for (RecordBuffer line : c.typesetting) {
            line.set(ASA::ASID, "S" + std::to_string(++n));
            line.set(ASA::ASAUFID, orderId);
            line.set(ASA::ASKADID, k.get(KAD::KAAID));
            storeRecord(t, line);
        }
    }
    for (RecordBuffer p : d.paperLines) {
        p.set(APA::APID, "P" + std::to_string(++n));
        p.set(APA::APAUFID, orderId);
        storeRecord(t, p);
    }
}

// The document as the program reads it back from the files.
inline orders::DocumentData storedAndLoaded(StoreFixture &t, const orders::DocumentData &d)
{
    storeDocument(t, d);
    std::optional<orders::DocumentData> loaded
        = orders::loadDocumentData(*t.store, d.order.get(AUF::FID));
    if (!loaded)
        throw std::runtime_error("the stored order could not be read back");
    return *loaded;
}

inline RecordBuffer orderPaper(const char *name, double pieces, const char *unit, double price)
{
    RecordBuffer p(FileId::aufpap);
    p.set(APA::APBEZ, name);
    p.set(APA::APSTCK, pieces);
    p.set(APA::AEINH, unit);
    p.set(APA::APENDPR, price);
    return p;
}

// The usual order with other discount, Skonto and payment terms.
inline orders::DocumentData terms(double discount, double skonto, double skontoDays, double days)
{
    fixture::OrderOptions o;
    o.discountPercent = discount;
    o.skontoPercent = skonto;
    o.skontoDays = skontoDays;
    o.paymentDays = days;
    return fixture::document(o);
}

// Paper and typesetting prices that end in half a cent, an odd discount and odd extras.
inline orders::DocumentData halfCents()
{
    fixture::OrderOptions o;
    o.discountPercent = 2.5;
    o.extras = 12.345;
    o.transport = 7.005;
    orders::DocumentData d = fixture::document(o);
    for (std::size_t i = 0; i < d.calculations.size(); ++i) {
        RecordBuffer &k = d.calculations[i].kaldruck;
        k.set(KAD::APENDPR, 10.005 + double(i));
        k.set(KAD::KGESAMTPR,
              rt::roundDecimal(k.get(KAD::KADRPR) + k.get(KAD::APENDPR) + k.get(KAD::ASGPR), 2));
    }
    d.paperLines.push_back(orderPaper("Umschlagkarton", 125, "Bogen", 3.125));
    fixture::storeTotals(d, o);
    return d;
}

inline orders::DocumentData manyPositions()
{
    fixture::OrderOptions o;
    o.positions = 14;
    orders::DocumentData d = fixture::document(o);
    d.paperLines.push_back(orderPaper("Bilderdruck glänzend 150 g/m²", 500, "Bogen", 41.50));
    d.paperLines.push_back(orderPaper("Transparentpapier", 0, "Ries", 12.80));
    fixture::storeTotals(d, o);
    return d;
}

inline orders::DocumentData specialCharacters()
{
    fixture::OrderOptions o;
    orders::DocumentData d = fixture::document(o);
    d.customer.set(KUN::KNAME, "Müller & Söhne <Verlag> \"Süd\"");
    d.customer.set(KUN::KZHAND, "Frau Jördis O'Brien");
    d.customer.set(KUN::KSTR, "Große Straße 5 & 7");
    d.customer.set(KUN::KORT, "Weißenfels");
    d.calculations[0].kaldruck.set(KAD::KABEZ, "Flyer \"Äpfel & Birnen\" <A5>");
    d.order.set(AUF::FKURZ, "Straßenfest & Märkte");
    fixture::storeTotals(d, o);
    return d;
}

using orders::DocumentReport;

struct Case
{
    const char *name;
    std::function<orders::DocumentData()> order;
    DocumentReport layout; // the printed invoice the PDF carries
};

// The orders every e-invoice test goes through, each with the printed invoice its PDF
// carries.
inline const std::vector<Case> &cases()
{
    static const std::vector<Case> all = {
        {"NoDiscount", [] { return terms(0, 2, 10, 30); }, DocumentReport::DrucRECstan},
        {"CustomerDiscount", [] { return terms(7.5, 2, 10, 30); }, DocumentReport::DrucRECmin},
        {"Skonto", [] { return terms(5, 3, 14, 30); }, DocumentReport::DrucRECdet},
        {"NoSkonto", [] { return terms(5, 0, 0, 30); }, DocumentReport::DrucRECmax},
        {"PaymentPeriodZero", [] { return terms(5, 2, 10, 0); }, DocumentReport::DrucRECstan},
        {"ManyPositionsOfEveryKind", manyPositions, DocumentReport::DrucRECmax},
        {"HalfCentAmounts", halfCents, DocumentReport::DrucRECdet},
        {"UmlautsAndAmpersands", specialCharacters, DocumentReport::DrucRECmin},
    };
    return all;
}

inline QString toolkit()
{
    return QStringLiteral(TESSARO_EINVOICE_TOOLKIT);
}

struct Verdict
{
    int exitCode = -1;
    QString output;
};

// Runs the validator on each file, all at once; exit status 0 means no error under any of
// its rule sets.
inline std::vector<Verdict> validate(const QStringList &files)
{
    std::vector<std::unique_ptr<QProcess>> runs;
    for (const QString &file : files) {
        auto process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->start(QStringLiteral("bash"), {toolkit() + QStringLiteral("/validate"), file});
        runs.push_back(std::move(process));
    }
    std::vector<Verdict> verdicts(runs.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        QProcess &process = *runs[i];
        if (!process.waitForFinished(600000)) {
            verdicts[i].output
                = QStringLiteral("the validator did not finish: ") + process.errorString();
            continue;
        }
        verdicts[i].exitCode
            = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        verdicts[i].output = QString::fromUtf8(process.readAll());
    }
    return verdicts;
}

inline Verdict validate(const QString &file)
{
    return validate(QStringList{file}).front();
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace einvoicefixture
