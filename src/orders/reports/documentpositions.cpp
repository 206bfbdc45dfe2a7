#include "documentdata.h"
#include "documentlayout.h"

#include "orders/einvoice/invoice.h"

#include "framework/report/textformat.h"

using report::Align;
using report::Band;

namespace orders {
namespace {

constexpr double kRow = 4.5;

QString text(const RecordBuffer &record, StringField field)
{
    return QString::fromStdString(record.get(field));
}

report::Font headingFont()
{
    return documentFont(8, true);
}

} // namespace

QString paperHeading()
{
    return QStringLiteral("Anzahl                         pro Einheit");
}

double paperCountRight()
{
    return col::PaperCount + report::textWidth(headingFont(), QStringLiteral("Anzahl"));
}

double paperUnitLeft()
{
    return col::PaperCount + report::textWidth(headingFont(), paperHeading())
           - report::textWidth(headingFont(), QStringLiteral("pro Einheit"));
}

Band DocumentLayout::calculationHeader(const RecordBuffer &kaldruck,
                                       const einvoice::InvoiceLine &line) const
{
    const report::Font name = documentFont(9, true);
    const report::Font body = documentFont(9);
    Band band;
    double y = 4.5;
    if (m_profile.positions == PositionStyle::Minimal) {
        band.text(col::Left, y, text(kaldruck, KAD::KABEZ), name, Align::Left, 85);
        band.text(
            col::PerSort - 10, y, report::number(kaldruck.get(KAD::KAALGES)), body, Align::Right);
        band.text(col::PerSort - 8.5, y, QStringLiteral("Stück"), body);
        band.setHeight(y + 1.5);
        return band;
    }
    band.text(
        col::Left, y, text(kaldruck, KAD::KABEZ), name, Align::Left, col::Colours - 10 - col::Left);
    band.text(col::Colours, y, report::number(kaldruck.get(KAD::KAFARBE)), body, Align::Right);
    band.text(col::Sorts, y, report::number(kaldruck.get(KAD::KASO)), body, Align::Right);
    band.text(col::PerSort, y, report::number(kaldruck.get(KAD::KAAL)), body, Align::Right);
    band.text(col::TotalRun, y, report::number(kaldruck.get(KAD::KAALGES)), body, Align::Right);
    y += kRow;
    band.text(col::Left,
              y,
              text(kaldruck, KAD::APBEZ),
              body,
              Align::Left,
              col::PaperCount - 3 - col::Left);
    if (m_profile.positions == PositionStyle::Full) {
        band.text(col::Price,
                  y - kRow,
                  report::amount(einvoice::toEuros(line.printPrice)),
                  body,
                  Align::Right);
        band.text(
            paperCountRight(), y, report::number(kaldruck.get(KAD::APSTCK)), body, Align::Right);
        band.text(paperUnitLeft(),
                  y,
                  text(kaldruck, KAD::AEINH),
                  body,
                  Align::Left,
                  col::Price - 14 - paperUnitLeft());
        band.text(
            col::Price, y, report::amount(einvoice::toEuros(line.paperPrice)), body, Align::Right);
    }
    band.setHeight(y + 1.5);
    return band;
}

Band DocumentLayout::detail(const RecordBuffer &asatz,
                            const einvoice::InvoiceLine &line,
                            std::size_t index) const
{
    const report::Font body = documentFont(9);
    Band band(kRow);
    const double y = 3.5;
    band.text(col::Left,
              y,
              QStringLiteral("Satz-/ Weiterverarbeitung --->"),
              documentFont(8, false, true));
    band.text(67, y, text(asatz, ASA::ASBEZ), body, Align::Left, 48);
    band.text(126, y, report::number(asatz.get(ASA::ASANZ)), body, Align::Right);
    band.text(130, y, QStringLiteral("Faktor:"), documentFont(8));
    band.text(150, y, report::number(asatz.get(ASA::ASFAK)), body, Align::Right);
    const einvoice::Cents price = index < line.typesetting.size() ? line.typesetting[index] : 0;
    band.text(col::Price, y, report::amount(einvoice::toEuros(price)), body, Align::Right);
    return band;
}

Band DocumentLayout::calculationFooter(const einvoice::InvoiceLine &line) const
{
    const report::Font bold = documentFont(9, true);
    Band band;
    const double y = 4.5;
    if (m_profile.positions == PositionStyle::Standard) {
        band.text(col::Left,
                  y,
                  QStringLiteral(
                      "(Papier-, Satz- und Weiterverarbeitungskosten im Posit.-preis enthalten)"),
                  documentFont(7.5, false, true));
    }
    band.text(col::PerSort + 2,
              y,
              m_profile.positions == PositionStyle::Minimal ? QStringLiteral("Positonspreis:")
                                                            : QStringLiteral("Positionspreis:"),
              bold);
    band.text(col::Price, y, report::amount(einvoice::toEuros(line.amount)), bold, Align::Right);
    band.text(col::Currency, y, QStringLiteral("EUR"), bold);
    band.line(col::Left, y + 2.5, col::Right, y + 2.5, 0.15);
    band.setHeight(y + 4.5);
    return band;
}

} // namespace orders
