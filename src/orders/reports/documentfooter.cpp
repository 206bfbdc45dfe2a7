#include "documentdata.h"
#include "documentlayout.h"

#include "framework/report/textformat.h"

#include <QStringList>

using report::Align;
using report::Band;

namespace orders {
namespace {

constexpr double kRow = 4.5;
constexpr double kGap = 3;

QString text(const RecordBuffer &record, StringField field)
{
    return QString::fromStdString(record.get(field));
}

QString joined(std::initializer_list<QString> pieces)
{
    QStringList kept;
    for (const QString &piece : pieces) {
        if (!piece.trimmed().isEmpty())
            kept.append(piece.trimmed());
    }
    return kept.join(QLatin1Char(' '));
}

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
        m_band.text(
            col::SumPrefix, m_y, prefix, font, Align::Left, col::Price - 16 - col::SumPrefix);
        m_band.text(col::SumCaption, m_y, caption, font);
        m_band.text(col::Price, m_y, amount, font, Align::Right);
        m_band.text(col::Currency, m_y, currency, font);
        m_y += kRow;
    }

    // A value beside the sums that is not part of them.
    void aside(const QString &caption, const QString &value, const QString &currency)
    {
        const report::Font font = documentFont(8, false, true);
        m_band.text(col::SumCaption, m_y, caption, font);
        m_band.text(col::SumAside, m_y, value, font, Align::Right);
        m_band.text(col::SumAside + 2, m_y, currency, font);
        m_y += kRow;
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

Band DocumentLayout::orderFooter() const
{
    const RecordBuffer &order = m_data.order;
    const DocumentValues &v = m_values;
    const QString eur = QStringLiteral("EUR");
    const QString summe = QStringLiteral("Summe -");
    Band band;
    Rows rows(band, 7);

    if (m_profile.perKindSums) {
        rows.sum({}, QStringLiteral("Druckpreis:"), report::amount(order.get(AUF::DRUCPR)), eur);
        rows.aside(
            QStringLiteral("davon Farbwechsel:"), report::amount(order.get(AUF::FARBWEPR)), eur);
        rows.sum(summe, QStringLiteral("Papierpreis:"), report::amount(order.get(AUF::PAPPR)), eur);
        rows.sum(summe,
                 QStringLiteral("Satz-/ Weiterverarbeitg..:"),
                 report::amount(order.get(AUF::SATZPR)),
                 eur);
        rows.aside(
            QStringLiteral("Druckplattten bzw. Filme:"), report::number(order.get(AUF::NGES)), {});
    }

    if (!v.extrasLine.isEmpty()) {
        if (m_profile.extrasOnce)
            band.text(col::SumCaption - 3, rows.y(), v.extrasLeadIn, documentFont(9), Align::Right);
        // In the caption column where it fits, else reaching into the prefix column.
        const bool fits
            = report::textWidth(documentFont(9), v.extrasLine) < col::Price - 16 - col::SumCaption;
        rows.sum(fits ? QString() : v.extrasLine,
                 fits ? v.extrasLine : QString(),
                 report::amount(order.get(AUF::NACHPR)),
                 v.extrasCurrency);
    }
    if (!m_profile.extrasOnce) {
        rows.sum(
            {}, QStringLiteral("Transportkosten:"), report::amount(order.get(AUF::TRANPR)), eur);
    } else if (!v.transportCaption.isEmpty()) {
        band.text(col::SumCaption - 3, rows.y(), v.transportLeadIn, documentFont(9), Align::Right);
        rows.sum(
            {}, v.transportCaption, report::amount(order.get(AUF::TRANPR)), v.transportCurrency);
    }

    if (m_profile.netTotal) {
        rows.rule();
        rows.sum({}, QStringLiteral("Gesamt:"), report::amount(order.get(AUF::NETTO)), eur, true);
    }

    if (!v.discountCaption.isEmpty()) {
        band.text(
            col::SumCaption - 3,
            rows.y(),
            joined({v.discountLeadIn, report::number(order.get(AUF::FRABATT)), v.discountSuffix}),
            documentFont(9),
            Align::Right);
        rows.sum({}, v.discountCaption, report::amount(v.discounted), v.discountCurrency, true);
    }

    const bool invoice = m_profile.kind == DocumentKind::Invoice;
    if (invoice) {
        rows.sum({},
                 joined({QStringLiteral("zzgl."),
                         report::number(v.vatPercent),
                         QStringLiteral("% MwSt.:")}),
                 report::amount(order.get(AUF::MWST)),
                 eur);
        rows.rule(0.4);
        rows.sum({},
                 QStringLiteral("Rechnungsendbetrag:"),
                 report::amount(order.get(AUF::BRUTTO)),
                 eur,
                 true);
        rows.gap();
        rows.line(joined({QStringLiteral("Rechnungsendbetrag zahlbar bis zum:"),
                          report::date(v.dueDate)}),
                  documentFont(9, true));
    }

    if (m_profile.skonto && !v.skontoUntil.isEmpty()) {
        if (!invoice)
            rows.gap();
        rows.line(joined({v.skontoUntil,
                          report::date(v.skontoDate),
                          v.skontoCan,
                          report::number(order.get(AUF::SKPROZ)),
                          v.skontoDeducted}));
        rows.sum({}, v.skontoAmountCaption, report::amount(v.skontoAmount), v.skontoCurrency);
    }

    rows.gap();
    if (invoice) {
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
