#include "documentdata.h"
#include "documentlayout.h"

#include "orders/einvoice/invoice.h"

#include "framework/report/textformat.h"

#include <algorithm>

using report::Align;
using report::Band;

namespace orders {
namespace {

constexpr double kRow = 4.5;
// Between a figure and whatever stands to its left.
constexpr double kGap = 1.5;

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
        constexpr double kNameWidth = 85;
        band.text(col::Left, y, text(kaldruck, KAD::KABEZ), name, Align::Left, kNameWidth);
        figure(band,
               col::PerSort - 10,
               y,
               report::number(kaldruck.get(KAD::KAALGES)),
               body,
               col::PerSort - 10 - col::Left - kNameWidth - kGap);
        band.text(col::PerSort - 8.5, y, QStringLiteral("Stück"), body);
        band.setHeight(y + 1.5);
        return band;
    }
    band.text(
        col::Left, y, text(kaldruck, KAD::KABEZ), name, Align::Left, col::Colours - 10 - col::Left);
    figure(band, col::Colours, y, report::number(kaldruck.get(KAD::KAFARBE)), body, 10 - kGap);
    figure(band,
           col::Sorts,
           y,
           report::number(kaldruck.get(KAD::KASO)),
           body,
           col::Sorts - col::Colours - kGap);
    figure(band,
           col::PerSort,
           y,
           report::number(kaldruck.get(KAD::KAAL)),
           body,
           col::PerSort - col::Sorts - kGap);
    figure(band,
           col::TotalRun,
           y,
           report::number(kaldruck.get(KAD::KAALGES)),
           body,
           col::TotalRun - col::PerSort - kGap);
    y += kRow;
    // A paper count too wide for its place takes room from the paper's name first.
    const QString paper = text(kaldruck, KAD::APBEZ);
    const QString count = report::number(kaldruck.get(KAD::APSTCK));
    double paperWidth = col::PaperCount - 3 - col::Left;
    if (m_profile.positions == PositionStyle::Full) {
        constexpr double kShortestName = 30;
        paperWidth = std::max(
            kShortestName,
            std::min(paperWidth,
                     paperCountRight() - report::textWidth(body, count) - kGap - col::Left));
    }
    band.text(col::Left, y, paper, body, Align::Left, paperWidth);
    if (m_profile.positions == PositionStyle::Full) {
        const double paperEnd = col::Left + std::min(report::textWidth(body, paper), paperWidth);
        figure(band,
               col::Price,
               y - kRow,
               report::amount(einvoice::toEuros(line.printPrice)),
               body,
               col::Price - col::TotalRun - kGap);
        figure(band, paperCountRight(), y, count, body, paperCountRight() - paperEnd - kGap);
        const QString unit = text(kaldruck, KAD::AEINH);
        const double unitWidth = col::Price - 14 - paperUnitLeft();
        band.text(paperUnitLeft(), y, unit, body, Align::Left, unitWidth);
        const double unitEnd = paperUnitLeft() + std::min(report::textWidth(body, unit), unitWidth);
        figure(band,
               col::Price,
               y,
               report::amount(einvoice::toEuros(line.paperPrice)),
               body,
               col::Price - unitEnd - kGap);
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
    figure(band, 126, y, report::number(asatz.get(ASA::ASANZ)), body, 126 - (67 + 48) - kGap);
    const QString factor = QStringLiteral("Faktor:");
    band.text(130, y, factor, documentFont(8));
    figure(band,
           150,
           y,
           report::number(asatz.get(ASA::ASFAK)),
           body,
           150 - 130 - report::textWidth(documentFont(8), factor) - kGap);
    const einvoice::Cents price = index < line.typesetting.size() ? line.typesetting[index] : 0;
    figure(band,
           col::Price,
           y,
           report::amount(einvoice::toEuros(price)),
           body,
           col::Price - 150 - kGap);
    return band;
}

Band DocumentLayout::calculationFooter(const einvoice::InvoiceLine &line) const
{
    const report::Font bold = documentFont(9, true);
    Band band;
    const double y = 4.5;
    if (m_profile.kind == DocumentKind::DeliveryNote) {
        band.line(col::Left, 2.5, col::Right, 2.5, 0.15);
        band.setHeight(4.5);
        return band;
    }
    double free = col::Left; // where the line is free for the caption
    if (m_profile.positions == PositionStyle::Standard) {
        const QString note = QStringLiteral(
            "(Papier-, Satz- und Weiterverarbeitungskosten im Posit.-preis enthalten)");
        const report::Font noteFont = documentFont(7.5, false, true);
        band.text(col::Left, y, note, noteFont);
        free = col::Left + report::textWidth(noteFont, note) + 2 * kGap;
    }
    const QString caption = m_profile.positions == PositionStyle::Minimal
                                ? QStringLiteral("Positonspreis:")
                                : QStringLiteral("Positionspreis:");
    // A price wider than its place moves the caption to the left, as far as the line is free.
    const QString price = report::amount(einvoice::toEuros(line.amount));
    const double captionWidth = report::textWidth(bold, caption);
    const double captionX
        = std::max(free,
                   std::min(col::PerSort + 2,
                            col::Price - report::textWidth(bold, price) - kGap - captionWidth));
    band.text(captionX, y, caption, bold);
    figure(band, col::Price, y, price, bold, col::Price - captionX - captionWidth - kGap);
    band.text(col::Currency, y, QStringLiteral("EUR"), bold);
    band.line(col::Left, y + 2.5, col::Right, y + 2.5, 0.15);
    band.setHeight(y + 4.5);
    return band;
}

} // namespace orders
