// A two-page invoice (DrucRECmax, twelve positions with typesetting lines, discount, Skonto)
// made into a ZUGFeRD PDF/A-3: the pages laid out and printed to a PDF for archiving, the
// CII XML written, and both joined with the XMP metadata by libqpdf. Beside it, in the same
// run, the same invoice laid out and printed to a plain PDF, as "PDF speichern" writes it:
// "ratio einvoice-pdf <PDF/A-3 with XML ÷ plain PDF>" (CPU time).

#include "orders/core/orderworkingtotals.h"
#include "orders/einvoice/ciiwriter.h"
#include "orders/einvoice/invoicebuilder.h"
#include "orders/einvoice/zugferdpdf.h"
#include "orders/reports/documentdata.h"
#include "orders/reports/documentreports.h"
#include "orders/reports/einvoicedocument.h"

#include "framework/report/pagequeue.h"

#include "benchsupport.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr double kVatFactor = 1.19;

orders::DocumentData invoiceOrder()
{
    orders::DocumentData d;
    d.customer.set(KUN::KID, "K8201345012345");
    d.customer.set(KUN::KNAME, "Bäckerei Sonnenschein GmbH");
    d.customer.set(KUN::KSTR, "Lindenstraße 12");
    d.customer.set(KUN::KPLZ, "79098");
    d.customer.set(KUN::KORT, "Freiburg im Breisgau");
    orders::OrderWorkingTotals t;
    for (int n = 1; n <= 12; ++n) {
        orders::CalculationData c;
        RecordBuffer &k = c.kaldruck;
        k.set(KAD::KAAID, "K82013" + std::to_string(100000 + n));
        k.set(KAD::KABEZ, "Flyer DIN A5, Sorte " + std::to_string(n));
        k.set(KAD::KAFARBE, 4.0);
        k.set(KAD::KASO, 1.0);
        k.set(KAD::KAAL, 2500.0);
        k.set(KAD::KAALGES, 2500.0);
        k.set(KAD::KADRPR, 210.0 + n);
        k.set(KAD::APBEZ, "Bilderdruck matt 135 g/m²");
        k.set(KAD::APSTCK, 700.0);
        k.set(KAD::AEINH, "Bogen");
        k.set(KAD::APENDPR, 51.80);
        for (int l = 0; l < 2; ++l) {
            RecordBuffer a(FileId::asatz);
            a.set(ASA::ASBEZ, l == 0 ? "Satz nach Vorlage" : "Falzen, Wickelfalz");
            a.set(ASA::ASANZ, l == 0 ? 1.0 : 2500.0);
            a.set(ASA::ASFAK, 1.0);
            a.set(ASA::ASGPR, l == 0 ? 45.0 : 25.0);
            c.typesetting.push_back(a);
        }
        k.set(KAD::ASGPR, 70.0);
        k.set(KAD::KGESAMTPR, 210.0 + n + 51.80 + 70.0);
        t.WorkPrint += k.get(KAD::KADRPR);
        t.WorkPaper += 51.80;
        t.WorkTypesetting += 70.0;
        d.calculations.push_back(std::move(c));
    }
    Records records;
    RecordBuffer &auf = records[FileId::auftrag];
    auf.set(AUF::FID, "F8201345012346");
    auf.set(AUF::FNR, "A-2025-147");
    auf.set(AUF::FRENR, "R-2025-311");
    auf.set(AUF::FREDAT, rt::dateFromYmd(2025, 7, 15));
    auf.set(AUF::FLIEFDAT, rt::dateFromYmd(2025, 7, 11));
    auf.set(AUF::SKPROZ, 2.0);
    auf.set(AUF::SKONTAGE, 10.0);
    auf.set(AUF::ZAZTAGE, 30.0);
    t.WorkExtras = 45;
    t.WorkExtrasText = "(Perforieren und Nummeriere...etc.)";
    t.WorkTransport = 25;
    t.WorkDiscountPercent = 5;
    orders::StoreOrderTotals(t, records, orders::StoreMode::Save, kVatFactor);
    d.order = auf;
    return d;
}

einvoice::Seller shop()
{
    einvoice::Seller s;
    s.name = QStringLiteral("Druckerei Lindner GmbH");
    s.address = {QStringLiteral("Gutenbergstraße 7"),
                 QStringLiteral("79100"),
                 QStringLiteral("Freiburg im Breisgau"),
                 QStringLiteral("DE")};
    s.vatId = QStringLiteral("DE123456789");
    s.iban = QStringLiteral("DE89370400440532013000");
    return s;
}

struct Data
{
    orders::DocumentData order = invoiceOrder();
    einvoice::Invoice invoice = einvoice::buildInvoice(order, shop());
} *data = nullptr;

// The invoice as a plain PDF, the way the preview saves one.
void plainPdf(benchmark::State &state)
{
    qsizetype size = 0;
    for (auto _ : state) {
        report::PageQueue queue;
        if (!orders::printDocument(
                orders::DocumentReport::DrucRECmax, data->order, data->invoice, queue))
            state.SkipWithError("not printed");
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setPageMargins(QMarginsF());
            queue.print(writer);
        }
        size = bytes.size();
    }
    state.counters["bytes"] = double(size);
}

void zugferdPdf(benchmark::State &state)
{
    qsizetype size = 0;
    for (auto _ : state) {
        const orders::InvoicePdf pdf = orders::makeInvoicePdf(
            orders::DocumentReport::DrucRECmax, data->order, data->invoice);
        if (!pdf.ok())
            state.SkipWithError("not made");
        size = pdf.pdf.size();
    }
    state.counters["bytes"] = double(size);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (!bench::initialize(
            {argv, argv + argc},
            {"--benchmark_repetitions=5", "--benchmark_enable_random_interleaving=true"}))
        return 1;

    Data state;
    data = &state;
    benchmark::RegisterBenchmark("einvoice/plain-pdf", plainPdf)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("einvoice/zugferd-pdf", zugferdPdf)->Unit(benchmark::kMillisecond);
    bench::LeastReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio(
        "einvoice-pdf", "einvoice/zugferd-pdf", "einvoice/plain-pdf", bench::LeastReporter::kCpu);
    benchmark::Shutdown();
    return 0;
}
