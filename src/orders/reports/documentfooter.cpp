#include "documentdata.h"
#include "documentlayout.h"

#include "orders/einvoice/invoice.h"

#include "framework/report/textformat.h"

#include <QStringList>

#include <algorithm>

using report::Align;
using report::Band;

namespace orders {
namespace {

constexpr double kRow = 4.5;
constexpr double kGap = 3;
// Between a figure and the caption to its left.
constexpr double kFigureGap = 2;

// The order footer grows row by row; a row whose texts are all empty takes no room.
class Rows
{
public:
    explicit Rows(Band &band, double top)
        : m_band(band)
        , m_y(top)
    {}

    void sum(const QString &prefix,
             const QString &caption,
             const QString &amount,
             const QString &currency,
             bool bold = false)
    {
        const report::Font font = documentFont(9, bold);
        const double prefixWidth = col::Price - 16 - col::SumPrefix;
        m_band.text(col::SumPrefix, m_y, prefix, font, Align::Left, prefixWidth);
        m_band.text(col::SumCaption, m_y, caption, font);
        double left = col::SumPrefix;
        if (!prefix.isEmpty())
            left = col::SumPrefix + std::min(report::textWidth(font, prefix), prefixWidth);
        if (!caption.isEmpty())
            left = std::max(left, col::SumCaption + report::textWidth(font, caption));
        figure(m_band, col::Price, m_y, amount, font, col::Price - left - kFigureGap);
        m_band.text(col::Currency, m_y, currency, font);
        m_y += kRow;
    }

    // A value beside the sums that is not part of them.
    void aside(const QString &caption, const QString &value, const QString &currency)
    {
        const report::Font font = documentFont(8, false, true);
        m_band.text(col::SumCaption, m_y, caption, font);
        figure(m_band,
               col::SumAside,
               m_y,
               value,
               font,
               col::SumAside - col::SumCaption - report::textWidth(font, caption) - kFigureGap);
        m_band.text(col::SumAside + 2, m_y, currency, font);
        m_y += kRow;
    }

    // A sum whose caption may be too long for its column: it then starts in the prefix column.
    void wideSum(const QString &caption, const QString &amount, const QString &currency)
    {
        const bool fits
            = report::textWidth(documentFont(9), caption) < col::Price - 16 - col::SumCaption;
        sum(fits ? QString() : caption, fits ? caption : QString(), amount, currency);
    }

    void line(const QString &text, const report::Font &font = documentFont(9))
    {
        if (text.trimmed().isEmpty())
            return;
        m_band.text(col::Left, m_y, text, font, Align::Left, col::Right - col::Left);
        m_y += kRow;
    }

    void rule(double width = 0.2)
    {
        m_band.line(col::SumCaption, m_y - kRow + 1.3, col::Right, m_y - kRow + 1.3, width);
        m_y += 1.2;
    }

    void gap() { m_y += kGap; }
    double y() const { return m_y; }

private:
    Band &m_band;
    double m_y;
};

} // namespace

// A delivery note names what went out, never a price, and leaves room for the receiver's
// signature.
Band DocumentLayout::deliveryFooter() const
{
    const RecordBuffer &order = m_data.order;
    Band band;
    Rows rows(band, 7);
    rows.line(m_values.extrasLine);
    // The order's own paper lines are delivered as well, though no position holds them.
    for (const einvoice::InvoiceLine &line : m_invoice.lines) {
        if (line.kind == einvoice::LineKind::Paper) {
            rows.line(joined({QStringLiteral("Papier:"),
                              line.name,
                              QStringLiteral("– Anzahl:"),
                              report::number(line.quantity)}));
        }
    }
    rows.gap();
    rows.line(text(order, AUF::TEINFO1));
    rows.line(text(order, AUF::TEINFO2));

    const double received = rows.y() + 8;
    band.text(col::Left, received, QStringLiteral("Ware erhalten:"), documentFont(10, true));
    const double signature = received + 16;
    constexpr double kDateWidth = 45;
    constexpr double kSignatureLeft = col::Left + kDateWidth + 15;
    band.line(col::Left, signature, col::Left + kDateWidth, signature, 0.3);
    band.line(kSignatureLeft, signature, col::Right, signature, 0.3);
    band.text(col::Left, signature + 4, QStringLiteral("Datum"), documentFont(8));
    band.text(kSignatureLeft,
              signature + 4,
              QStringLiteral("Unterschrift / Stempel des Empfängers"),
              documentFont(8));
    band.setHeight(signature + 6);
    return band;
}

Band DocumentLayout::orderFooter() const
{
    if (m_profile.kind == DocumentKind::DeliveryNote)
        return deliveryFooter();
    const RecordBuffer &order = m_data.order;
    const einvoice::Invoice &invoice = m_invoice;
    const DocumentValues &v = m_values;
    const auto euros = [](einvoice::Cents c) {
        return report::amount(einvoice::toEuros(c));
    };
    const QString eur = QStringLiteral("EUR");
    const QString summe = QStringLiteral("Summe -");
    Band band;
    Rows rows(band, 7);

    if (m_profile.perKindSums) {
        const einvoice::OrderSums &sums = invoice.orderSums;
        rows.sum({}, QStringLiteral("Druckpreis:"), euros(sums.print), eur);
        rows.aside(QStringLiteral("davon Farbwechsel:"), euros(sums.colourChange), eur);
        rows.sum(summe, QStringLiteral("Papierpreis:"), euros(sums.paper), eur);
        rows.sum(summe, QStringLiteral("Satz-/ Weiterverarbeitg..:"), euros(sums.typesetting), eur);
        rows.aside(QStringLiteral("Druckplattten bzw. Filme:"), report::number(sums.sheets), {});
    } else {
        // The order's own paper lines belong to no position: without the sums by kind they
        // stand here, so that what is listed adds up to the total.
        for (const einvoice::InvoiceLine &line : invoice.lines) {
            if (line.kind == einvoice::LineKind::Paper)
                rows.wideSum(QStringLiteral("Papier: ") + line.name, euros(line.amount), eur);
        }
    }

    if (!v.extrasLine.isEmpty()) {
        if (m_profile.extrasOnce)
            band.text(col::SumCaption - 3, rows.y(), v.extrasLeadIn, documentFont(9), Align::Right);
        rows.wideSum(v.extrasLine, report::amount(v.extras), v.extrasCurrency);
    }
    if (!m_profile.extrasOnce) {
        rows.sum({}, QStringLiteral("Transportkosten:"), report::amount(v.transport), eur);
    } else if (!v.transportCaption.isEmpty()) {
        band.text(col::SumCaption - 3, rows.y(), v.transportLeadIn, documentFont(9), Align::Right);
        rows.sum({}, v.transportCaption, report::amount(v.transport), v.transportCurrency);
    }

    if (m_profile.netTotal) {
        rows.rule();
        rows.sum({}, QStringLiteral("Gesamt:"), euros(invoice.lineTotal), eur, true);
    }

    if (!v.discountCaption.isEmpty()) {
        band.text(
            col::SumCaption - 3,
            rows.y(),
            joined({v.discountLeadIn, report::number(invoice.discountPercent), v.discountSuffix}),
            documentFont(9),
            Align::Right);
        rows.sum({}, v.discountCaption, report::amount(v.discounted), v.discountCurrency, true);
    }

    const bool isInvoice = m_profile.kind == DocumentKind::Invoice;
    if (isInvoice) {
        rows.sum({},
                 joined({QStringLiteral("zzgl."),
                         report::number(v.vatPercent),
                         QStringLiteral("% MwSt.:")}),
                 euros(invoice.vatTotal),
                 eur);
        rows.rule(0.4);
        rows.sum({}, QStringLiteral("Rechnungsendbetrag:"), euros(invoice.grandTotal), eur, true);
        rows.gap();
        rows.line(joined({QStringLiteral("Rechnungsendbetrag zahlbar bis zum:"),
                          report::date(v.dueDate)}),
                  documentFont(9, true));
    }

    if (m_profile.skonto && invoice.skonto) {
        if (!isInvoice)
            rows.gap();
        rows.line(joined({v.skontoUntil,
                          report::date(v.skontoDate),
                          v.skontoCan,
                          report::number(invoice.skonto->percent),
                          v.skontoDeducted}));
        rows.sum({}, v.skontoAmountCaption, report::amount(v.skontoAmount), v.skontoCurrency);
    }

    rows.gap();
    if (isInvoice) {
        rows.line(text(order, AUF::TEREC1));
        rows.line(text(order, AUF::TEREC2));
    } else {
        rows.line(text(order, AUF::TEANG2));
        rows.line(
            QStringLiteral("Alle Preise verstehen sich zzgl. der gesetzl. geltenden MwSt. ."));
    }
    rows.line(text(order, AUF::TEINFO1));
    rows.line(text(order, AUF::TEINFO2));
    band.setHeight(rows.y());
    return band;
}

} // namespace orders
