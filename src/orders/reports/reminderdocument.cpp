#include "reminderdocument.h"

#include "documentlayout.h"

#include "base/text.h"
#include "framework/report/reportwriter.h"
#include "framework/report/textformat.h"
#include "orders/core/openitems.h"
#include "store/files.h"

#include <QStringList>

using report::Align;
using report::Band;

namespace orders {
namespace {

const report::PageFrame kFrame{{210, 297}, 0, 15};

// Baselines as the quotes and invoices have them.
constexpr double kTitle = 103;
constexpr double kOpening = 115;
constexpr double kLinePitch = 5.5;
constexpr double kHeadings = 138;

// The columns' right edges (left for the number).
constexpr double kDated = 75;
constexpr double kDue = 100;
constexpr double kGross = 140;
constexpr double kOpen = 175;

// What the letter says before and after the list, line by line, by level: friendly at
// first, firmer after.
struct Sentences
{
    QStringList before;
    QStringList after;
};

Sentences sentences(int level)
{
    switch (level) {
    case 1:
        return {{QStringLiteral("sicher ist es Ihrer Aufmerksamkeit entgangen, dass die folgenden"),
                 QStringLiteral("Rechnungen noch nicht beglichen sind.")},
                {QStringLiteral(
                     "Wir bitten Sie, den offenen Betrag in den nächsten Tagen zu überweisen."),
                 QStringLiteral(
                     "Sollten Sie inzwischen gezahlt haben, betrachten Sie dieses Schreiben"),
                 QStringLiteral("bitte als gegenstandslos.")}};
    case 2:
        return {
            {QStringLiteral("trotz unserer Zahlungserinnerung sind die folgenden Rechnungen"),
             QStringLiteral("noch offen.")},
            {QStringLiteral("Bitte überweisen Sie den offenen Betrag innerhalb von 10 Tagen.")}};
    default:
        return {
            {QStringLiteral("leider sind die folgenden Rechnungen trotz Zahlungserinnerung und"),
             QStringLiteral("erster Mahnung noch immer offen.")},
            {QStringLiteral("Bitte überweisen Sie den offenen Betrag innerhalb von 7 Tagen."),
             QStringLiteral("Danach müssen wir weitere Schritte einleiten.")}};
    }
}

Band pageHeader(const ReminderData &data, int page)
{
    Band band;
    const RecordBuffer &customer = data.customer;
    addressAndInfoBlock(band,
                        {text(customer, KUN::KNAME),
                         text(customer, KUN::KZHAND),
                         text(customer, KUN::KSTR),
                         joined({text(customer, KUN::KPLZ), text(customer, KUN::KORT)})},
                        {{QStringLiteral("Kundennummer:"), text(customer, KUN::KID)},
                         {QStringLiteral("Datum:"), report::date(data.date)},
                         {QStringLiteral("Seite:"), QString::number(page)}});
    band.text(col::Left,
              kTitle,
              QString::fromStdString(reminderTitle(data.level)).toUpper(),
              documentFont(13, true));
    double top = kHeadings;
    if (page == 1) {
        band.text(col::Left,
                  kOpening,
                  QStringLiteral("Sehr geehrte Damen und Herren,"),
                  documentFont(10));
        double line = kOpening + kLinePitch;
        for (const QString &words : sentences(data.level).before) {
            band.text(
                col::Left, line, words, documentFont(10), Align::Left, col::Right - col::Left);
            line += kLinePitch;
        }
    } else {
        top = kOpening;
    }
    const report::Font font = documentFont(8, true);
    band.text(col::Left, top, QStringLiteral("Rechnung Nr."), font);
    band.text(kDated, top, QStringLiteral("vom"), font, Align::Right);
    band.text(kDue, top, QStringLiteral("fällig am"), font, Align::Right);
    band.text(kGross, top, QStringLiteral("Betrag/ EUR"), font, Align::Right);
    band.text(kOpen, top, QStringLiteral("noch offen/ EUR"), font, Align::Right);
    band.line(col::Left, top + 2, col::Right, top + 2, 0.3);
    band.setHeight(top + 4);
    return band;
}

} // namespace

ReminderPrinter::ReminderPrinter(const ReminderData &data, report::PageQueue &queue)
    : m_data(data)
    , m_writer(std::make_unique<report::ReportWriter>(queue, kFrame))
{
    const ReminderData &held = m_data;
    m_writer->setPageHeader([&held](int page) { return pageHeader(held, page); });
}

ReminderPrinter::~ReminderPrinter() = default;

void ReminderPrinter::printItem(const RecordBuffer &item)
{
    Band band(5);
    const report::Font font = documentFont(9);
    band.text(col::Left, 4, text(item, OPO::OPRENR), font, Align::Left, kDated - col::Left - 20);
    band.text(kDated, 4, report::date(item.get(OPO::OPREDAT)), font, Align::Right);
    band.text(kDue, 4, report::date(item.get(OPO::OPFAELLIG)), font, Align::Right);
    figure(band, kGross, 4, report::amount(item.get(OPO::OPBRUTTO)), font, 30);
    figure(band, kOpen, 4, report::amount(item.get(OPO::OPOFFEN)), font, 30);
    m_writer->print(band);
}

bool ReminderPrinter::finish()
{
    const QStringList closing = sentences(m_data.level).after;
    Band sum(27 + kLinePitch * double(closing.size()));
    sum.line(kGross + 5, 1, col::Right, 1, 0.3);
    sum.text(kGross, 6, QStringLiteral("Summe noch offen:"), documentFont(9, true), Align::Right);
    figure(sum,
           kOpen,
           6,
           QString::fromStdString(germanAmount(openCents(m_data.items))),
           documentFont(9, true),
           30);
    sum.text(kOpen + 2, 6, QStringLiteral("EUR"), documentFont(9, true));
    double line = 16;
    for (const QString &words : closing) {
        sum.text(col::Left, line, words, documentFont(10), Align::Left, col::Right - col::Left);
        line += kLinePitch;
    }
    sum.text(col::Left, line + 5, QStringLiteral("Mit freundlichen Grüßen"), documentFont(10));
    m_writer->print(sum);
    m_writer->finish();
    return ok() && m_writer->pageNumber() > 0;
}

bool ReminderPrinter::ok() const
{
    return m_writer->ok();
}

bool printReminder(const ReminderData &data, report::PageQueue &queue)
{
    if (data.items.empty())
        return false;
    ReminderPrinter printer(data, queue);
    for (const RecordBuffer &item : data.items)
        printer.printItem(item);
    return printer.finish();
}

} // namespace orders
