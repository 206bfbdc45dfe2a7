#pragma once

#include "orders/core/orderworkingtotals.h"
#include "orders/reports/documentdata.h"

#include "base/stddate.h"
#include "store/recordbuffer.h"

#include <string>

// A print shop's order as the documents get it, with its totals worked out by the order
// totals themselves.
namespace fixture {

constexpr double kVatFactor = 1.19;

struct OrderOptions
{
    double discountPercent = 5;
    double skontoPercent = 2;
    double skontoDays = 10;
    double paymentDays = 30;
    double extras = 45;
    double transport = 25;
    // 0: the two usual positions; more: that many generated positions.
    int positions = 0;
};

inline RecordBuffer typesetting(const char *text, double count, double factor, double price)
{
    RecordBuffer a(FileId::asatz);
    a.set(ASA::ASBEZ, text);
    a.set(ASA::ASANZ, count);
    a.set(ASA::ASFAK, factor);
    a.set(ASA::ASPR, price);
    a.set(ASA::ASGPR, count * factor * price);
    return a;
}

struct Position
{
    const char *name;
    double colours, sorts, perSort;
    double printPrice, colourChange, sheets;
    const char *paper;
    double paperCount;
    double paperPrice;
};

inline orders::CalculationData
calculation(int n, const Position &p, std::vector<RecordBuffer> lines = {})
{
    orders::CalculationData c;
    RecordBuffer &k = c.kaldruck;
    k.set(KAD::KAAID, "K82013" + std::to_string(100000 + n));
    k.set(KAD::KAUFID, "F8201345012346");
    k.set(KAD::KABEZ, p.name);
    k.set(KAD::KAFARBE, p.colours);
    k.set(KAD::KASO, p.sorts);
    k.set(KAD::KAAL, p.perSort);
    k.set(KAD::KAALGES, p.sorts * p.perSort);
    k.set(KAD::KADRPR, p.printPrice);
    k.set(KAD::KAFAPR, p.colourChange);
    k.set(KAD::NGES, p.sheets);
    k.set(KAD::APBEZ, p.paper);
    k.set(KAD::APSTCK, p.paperCount);
    k.set(KAD::AEINH, "Bogen");
    k.set(KAD::APENDPR, p.paperPrice);
    double typesetting = 0;
    for (const RecordBuffer &line : lines)
        typesetting += line.get(ASA::ASGPR);
    k.set(KAD::ASGPR, typesetting);
    k.set(KAD::KGESAMTPR, p.printPrice + p.paperPrice + typesetting);
    c.typesetting = std::move(lines);
    return c;
}

// The order's totals as the order form stores them: the sums of its calculations and paper
// lines, the additional work and transport of the options, discount, VAT and Skonto.
inline void storeTotals(orders::DocumentData &d, const OrderOptions &o)
{
    Records records;
    records[FileId::auftrag] = d.order;
    orders::OrderWorkingTotals t;
    for (const orders::CalculationData &c : d.calculations) {
        t.WorkPrint += c.kaldruck.get(KAD::KADRPR);
        t.WorkColourChange += c.kaldruck.get(KAD::KAFAPR);
        t.WorkSheets += c.kaldruck.get(KAD::NGES);
        t.WorkPaper += c.kaldruck.get(KAD::APENDPR);
        t.WorkTypesetting += c.kaldruck.get(KAD::ASGPR);
    }
    for (const RecordBuffer &p : d.paperLines)
        t.WorkPaper += p.get(APA::APENDPR);
    t.WorkExtras = o.extras;
    t.WorkExtrasText = "(Perforieren und Nummeriere...etc.)";
    t.WorkTransport = o.transport;
    t.WorkDiscountPercent = o.discountPercent;
    orders::StoreOrderTotals(t, records, orders::StoreMode::Save, kVatFactor);
    d.order = records[FileId::auftrag];
}

inline orders::DocumentData document(const OrderOptions &o = {})
{
    orders::DocumentData d;
    RecordBuffer &kun = d.customer;
    kun.set(KUN::KID, "K8201345012345");
    kun.set(KUN::KNAME, "Bäckerei Sonnenschein GmbH");
    kun.set(KUN::KZHAND, "Frau Anna Becker");
    kun.set(KUN::KSTR, "Lindenstraße 12");
    kun.set(KUN::KPLZ, "79098");
    kun.set(KUN::KORT, "Freiburg im Breisgau");

    if (o.positions == 0) {
        d.calculations.push_back(calculation(1,
                                             {"Flyer DIN A5, 4/4-farbig",
                                              4,
                                              1,
                                              5000,
                                              412.50,
                                              18,
                                              1250,
                                              "Bilderdruck matt 135 g/m²",
                                              1300,
                                              96.20}));
        d.calculations.push_back(calculation(2,
                                             {"Plakat DIN A2, 4/0-farbig",
                                              4,
                                              2,
                                              250,
                                              236.00,
                                              24,
                                              520,
                                              "Posterpapier glänzend 170 g/m²",
                                              520,
                                              83.20},
                                             {typesetting("Satz nach Vorlage", 2, 1, 45),
                                              typesetting("Falzen, Kreuzbruch", 500, 1.5, 0.05)}));
    } else {
        for (int n = 1; n <= o.positions; ++n) {
            d.calculations.push_back(calculation(n,
                                                 {"Visitenkarten Mitarbeiter",
                                                  2,
                                                  1,
                                                  250,
                                                  38.00 + n,
                                                  6,
                                                  25,
                                                  "Karton weiß 300 g/m²",
                                                  25,
                                                  12.40},
                                                 {typesetting("Satz nach Vorlage", 1, 1, 15)}));
            // Distinct names make every position findable in the text.
            d.calculations.back().kaldruck.set(KAD::KABEZ,
                                               "Visitenkarten Mitarbeiter " + std::to_string(n));
        }
    }

    Records records;
    RecordBuffer &auf = records[FileId::auftrag];
    auf.set(AUF::FID, "F8201345012346");
    auf.set(AUF::FNR, "A-2025-147");
    auf.set(AUF::FKURZ, "Flyer und Plakate Sommerfest");
    auf.set(AUF::FSTAT, "RECHNUNG");
    auf.set(AUF::FKUID, "K8201345012345");
    auf.set(AUF::FANNR, "AN-2025-098");
    auf.set(AUF::FANDAT, rt::dateFromYmd(2025, 7, 2));
    auf.set(AUF::FLIEFDAT, rt::dateFromYmd(2025, 7, 11));
    auf.set(AUF::FRENR, "R-2025-311");
    auf.set(AUF::FREDAT, rt::dateFromYmd(2025, 7, 15));
    auf.set(AUF::SKPROZ, o.skontoPercent);
    auf.set(AUF::SKONTAGE, o.skontoDays);
    auf.set(AUF::ZAZTAGE, o.paymentDays);
    auf.set(AUF::TEANG1, "wir danken für Ihre Anfrage und bieten Ihnen an wie folgt:");
    auf.set(AUF::TEANG2, "Dieses Angebot gilt vier Wochen ab Angebotsdatum.");
    auf.set(AUF::TEREC1, "Bitte überweisen Sie den Betrag auf unser Konto bei der Sparkasse.");
    auf.set(AUF::TEREC2, "IBAN DE12 6805 0101 0012 3456 78");
    auf.set(AUF::TEINFO1, "Besuchen Sie unsere Hausmesse am 20. September!");

    d.order = auf;
    storeTotals(d, o);
    return d;
}

} // namespace fixture
