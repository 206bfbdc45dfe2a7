// The shop's letterhead on plain paper: its name and contact at the top, the sender line
// above the address window and a footer with the bank, tax and register data in columns, as
// business letters lay them out (DIN 5008). Without the setting the room stays empty for
// paper that has the letterhead printed on it.

#include "documentdata.h"
#include "documentlayout.h"

#include "orders/einvoice/entrychecks.h"
#include "orders/einvoice/invoice.h"

#include <QStringList>

using report::Align;
using report::Band;

namespace orders {
namespace {

constexpr double kNameLine = 20;
constexpr double kContactTop = 14;
constexpr double kContactPitch = 3.8;
constexpr double kSenderLine = 60.5; // in the return-address zone above the address window
constexpr double kFooterPitch = 3;
constexpr double kFooterColumns[] = {col::Left, 62, 110, 155};

QString labelled(const QString &label, const QString &value)
{
    return value.isEmpty() ? QString() : label + value;
}

QString cityLine(const einvoice::PostalAddress &a)
{
    return joined({a.postcode, a.town});
}

} // namespace

void DocumentLayout::letterhead(Band &band) const
{
    const einvoice::Seller &s = m_invoice.seller;
    band.text(col::Left, kNameLine, s.name, documentFont(16, true), Align::Left, 100);
    double y = kContactTop;
    for (const QString &line : nonBlank({s.address.street,
                                         cityLine(s.address),
                                         labelled(QStringLiteral("Tel. "), s.phone),
                                         s.email})) {
        band.text(col::Right, y, line, documentFont(8), Align::Right, 70);
        y += kContactPitch;
    }
    const QString sender
        = nonBlank({s.name, s.address.street, cityLine(s.address)}).join(QStringLiteral(" · "));
    band.text(col::Left, kSenderLine, sender, documentFont(7), Align::Left, 85);
    band.line(col::Left, kSenderLine + 1, col::Left + 85, kSenderLine + 1, 0.2);
}

Band DocumentLayout::pageFooter(int) const
{
    const einvoice::Seller &s = m_invoice.seller;
    const QStringList columns[] = {
        nonBlank({s.name, s.address.street, cityLine(s.address)}),
        nonBlank({labelled(QStringLiteral("Tel. "), s.phone),
                  s.email,
                  labelled(QStringLiteral("Geschäftsführung: "), s.managingDirector)}),
        nonBlank({s.bankName,
                  labelled(QStringLiteral("IBAN "), einvoice::groupedIban(s.iban)),
                  labelled(QStringLiteral("BIC "), s.bic)}),
        nonBlank({labelled(QStringLiteral("USt-IdNr. "), s.vatId),
                  labelled(QStringLiteral("St.-Nr. "), s.taxNumber),
                  s.registerCourt,
                  s.registerNumber}),
    };
    Band band;
    band.line(col::Left, 1, col::Right, 1, 0.2);
    qsizetype rows = 0;
    for (std::size_t c = 0; c < std::size(columns); ++c) {
        const double right = c + 1 < std::size(kFooterColumns) ? kFooterColumns[c + 1] : col::Right;
        double y = 4;
        for (const QString &line : columns[c]) {
            band.text(kFooterColumns[c],
                      y,
                      line,
                      documentFont(6),
                      Align::Left,
                      right - kFooterColumns[c] - 2);
            y += kFooterPitch;
        }
        rows = std::max(rows, columns[c].size());
    }
    band.setHeight(4 + double(rows) * kFooterPitch);
    return band;
}

} // namespace orders
