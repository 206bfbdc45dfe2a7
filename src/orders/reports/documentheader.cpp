#include "documentdata.h"
#include "documentlayout.h"

#include "base/text.h"
#include "framework/report/textformat.h"
#include "orders/einvoice/invoice.h"

#include <array>

using report::Align;
using report::Band;

namespace orders {
namespace {

// Indexed by DocumentReport.
constexpr std::array<DocumentProfile, 8> kProfiles{{
    {.report = DocumentReport::DrucRECmax,
     .kind = DocumentKind::Invoice,
     .sentenceBefore = "für folgende erbrachte Leistung und erfolgter Lieferung vom ",
     .sentenceAfter = "berechnen wir Ihnen wie folgt:",
     .positions = PositionStyle::Full,
     .perKindSums = true,
     .netTotal = true,
     .extrasOnce = false,
     .skonto = true},
    {.report = DocumentReport::DrucRECdet,
     .kind = DocumentKind::Invoice,
     .sentenceBefore = "für folgende erbrachte Leistung und erfolgter Lieferung vom ",
     .sentenceAfter = "berechnen wir Ihnen: ",
     .positions = PositionStyle::Full,
     .perKindSums = false,
     .netTotal = true,
     .extrasOnce = false,
     .skonto = true},
    {.report = DocumentReport::DrucRECstan,
     .kind = DocumentKind::Invoice,
     .sentenceBefore = "für folgende erbrachte Leistung und der Lieferung vom",
     .sentenceAfter = "berechnen wir Ihnen:",
     .positions = PositionStyle::Standard,
     .perKindSums = false,
     .netTotal = true,
     .extrasOnce = false,
     .skonto = true},
    {.report = DocumentReport::DrucRECmin,
     .kind = DocumentKind::Invoice,
     .sentenceBefore = "für folgende erbrachte Leistung und erfolgter Lieferung vom ",
     .sentenceAfter = "berechnen wir Ihnen:",
     .positions = PositionStyle::Minimal,
     .perKindSums = false,
     .netTotal = true,
     .extrasOnce = false,
     .skonto = true},
    {.report = DocumentReport::DrucANGmax,
     .kind = DocumentKind::Quote,
     .sentenceBefore = "",
     .sentenceAfter = "",
     .positions = PositionStyle::Full,
     .perKindSums = true,
     .netTotal = true,
     .extrasOnce = false,
     .skonto = true},
    {.report = DocumentReport::DrucANGmin,
     .kind = DocumentKind::Quote,
     .sentenceBefore = "",
     .sentenceAfter = "",
     .positions = PositionStyle::ShortQuote,
     .perKindSums = false,
     .netTotal = false,
     .extrasOnce = true,
     .skonto = false},
    {.report = DocumentReport::DrucLIEstan,
     .kind = DocumentKind::DeliveryNote,
     .sentenceBefore = "",
     .sentenceAfter = "",
     .positions = PositionStyle::Standard,
     .perKindSums = false,
     .netTotal = false,
     .extrasOnce = false,
     .skonto = false},
    {.report = DocumentReport::DrucLIEmin,
     .kind = DocumentKind::DeliveryNote,
     .sentenceBefore = "",
     .sentenceAfter = "",
     .positions = PositionStyle::Minimal,
     .perKindSums = false,
     .netTotal = false,
     .extrasOnce = false,
     .skonto = false},
}};

constexpr bool indexedByReport()
{
    for (std::size_t i = 0; i < kProfiles.size(); ++i) {
        if (static_cast<std::size_t>(kProfiles[i].report) != i)
            return false;
    }
    return true;
}
static_assert(indexedByReport());

// Baselines on the page.
constexpr double kInfoTop = 53;
constexpr double kInfoPitch = 4.5;
constexpr double kAddressTop = 66.5; // below the 17.7 mm endorsement zone of the field
constexpr double kAddressPitch = 4.5;
constexpr double kTitle = 103;
constexpr double kSubject = 109;
constexpr double kOpening = 119;
constexpr double kOpeningPitch = 5.5;
constexpr double kHeadings = 134;

} // namespace

const DocumentProfile &documentProfile(DocumentReport report)
{
    return kProfiles.at(static_cast<std::size_t>(report));
}

QString documentReportName(DocumentReport report)
{
    switch (report) {
    case DocumentReport::DrucRECmax:
        return QStringLiteral("DrucRECmax");
    case DocumentReport::DrucRECdet:
        return QStringLiteral("DrucRECdet");
    case DocumentReport::DrucRECstan:
        return QStringLiteral("DrucRECstan");
    case DocumentReport::DrucRECmin:
        return QStringLiteral("DrucRECmin");
    case DocumentReport::DrucANGmax:
        return QStringLiteral("DrucANGmax");
    case DocumentReport::DrucANGmin:
        return QStringLiteral("DrucANGmin");
    case DocumentReport::DrucLIEstan:
        return QStringLiteral("DrucLIEstan");
    case DocumentReport::DrucLIEmin:
        return QStringLiteral("DrucLIEmin");
    }
    return {};
}

QString text(const RecordBuffer &record, StringField field)
{
    return QString::fromStdString(record.get(field));
}

QStringList nonBlank(std::initializer_list<QString> pieces)
{
    QStringList kept;
    for (const QString &piece : pieces) {
        if (!piece.trimmed().isEmpty())
            kept.append(piece.trimmed());
    }
    return kept;
}

QString joined(std::initializer_list<QString> pieces)
{
    return nonBlank(pieces).join(QLatin1Char(' '));
}

report::Font documentFont(double pointSize, bool bold, bool italic)
{
    return report::Font{QStringLiteral("Arial"), pointSize, bold, italic};
}

void figure(report::Band &band,
            double right,
            double y,
            const QString &text,
            const report::Font &font,
            double room)
{
    band.text(right, y, text, report::fitted(font, text, room), report::Align::Right, room);
}

DocumentLayout::DocumentLayout(const DocumentProfile &profile,
                               const DocumentData &data,
                               const einvoice::Invoice &invoice)
    : m_profile(profile)
    , m_data(data)
    , m_invoice(invoice)
    , m_values(documentValues(data, invoice, profile.kind))
{}

bool DocumentLayout::printsLetterhead() const
{
    return m_data.letterhead;
}

Band DocumentLayout::pageHeader(int page) const
{
    Band band;
    if (printsLetterhead())
        letterhead(band);
    addressAndInfo(band, page);
    opening(band);
    const double bottom = columnHeadings(band, kHeadings);
    band.setHeight(bottom + 2);
    return band;
}

// The lines of the address field: the customer's address, or for a delivery note the
// delivery address when the customer has one.
std::array<QString, 4> addressLines(const RecordBuffer &customer, DocumentKind kind)
{
    const bool delivery
        = kind == DocumentKind::DeliveryNote
          && !(rt::isBlank(customer.get(KUN::LNAME)) && rt::isBlank(customer.get(KUN::LSTR))
               && rt::isBlank(customer.get(KUN::LORT)));
    if (delivery) {
        return {text(customer, KUN::LNAME),
                text(customer, KUN::LZHAND),
                text(customer, KUN::LSTR),
                joined({text(customer, KUN::LPLZ), text(customer, KUN::LORT)})};
    }
    return {text(customer, KUN::KNAME),
            text(customer, KUN::KZHAND),
            text(customer, KUN::KSTR),
            joined({text(customer, KUN::KPLZ), text(customer, KUN::KORT)})};
}

void addressAndInfoBlock(Band &band,
                         const QStringList &address,
                         const std::vector<std::pair<QString, QString>> &info)
{
    double y = kAddressTop;
    for (const QString &line : address) {
        if (line.trimmed().isEmpty())
            continue;
        band.text(col::Left, y, line, documentFont(10), Align::Left, 80);
        y += kAddressPitch;
    }
    y = kInfoTop;
    for (const auto &[label, value] : info) {
        band.text(col::InfoLabel, y, label, documentFont(9));
        band.text(col::InfoValue,
                  y,
                  value,
                  documentFont(9),
                  Align::Left,
                  col::Right + 10 - col::InfoValue);
        y += kInfoPitch;
    }
}

void DocumentLayout::addressAndInfo(Band &band, int page) const
{
    const RecordBuffer &customer = m_data.customer;
    const std::array<QString, 4> address = addressLines(customer, m_profile.kind);

    const RecordBuffer &order = m_data.order;
    const bool invoice = m_profile.kind == DocumentKind::Invoice;
    const bool delivery = m_profile.kind == DocumentKind::DeliveryNote;
    std::vector<std::pair<QString, QString>> info{
        {QStringLiteral("Kundennummer:"), text(customer, KUN::KID)}};
    if (delivery) {
        info.insert(info.end(),
                    {{QStringLiteral("Lieferschein-Nr.:"), text(order, AUF::FLIEFNR)},
                     {QStringLiteral("Lieferdatum:"), report::date(order.get(AUF::FLIEFDAT))},
                     {QStringLiteral("Auftrg.-Nr.:"), text(order, AUF::FNR)}});
    } else if (invoice) {
        info.insert(info.end(),
                    {{QStringLiteral("Rechnungs-Nr.:"), text(order, AUF::FRENR)},
                     {QStringLiteral("Rechnungsdatum:"), report::date(order.get(AUF::FREDAT))},
                     {QStringLiteral("Lieferdatum:"), report::date(order.get(AUF::FLIEFDAT))},
                     {QStringLiteral("Auftrg.-Nr.:"), text(order, AUF::FNR)}});
    } else {
        info.insert(info.end(),
                    {{QStringLiteral("Angebots-Nr.:"), text(order, AUF::FANNR)},
                     {QStringLiteral("Angebotsdatum:"), report::date(order.get(AUF::FANDAT))}});
    }
    info.emplace_back(QStringLiteral("Seite:"), QString::number(page));
    addressAndInfoBlock(band, QStringList(address.begin(), address.end()), info);

    const std::string_view title = statusWord(m_profile.kind);
    band.text(col::Left,
              kTitle,
              cancels() ? QStringLiteral("STORNORECHNUNG")
                        : QString::fromLatin1(title.data(), qsizetype(title.size())),
              documentFont(13, true));
    const QString subject = text(order, AUF::FKURZ);
    if (!subject.isEmpty()) {
        band.text(col::Left,
                  kSubject,
                  joined({invoice || delivery ? QStringLiteral("gem. Auftrag:")
                                              : QStringLiteral("Kurzbeschreibg.:"),
                          subject}),
                  documentFont(10));
    }
}

bool DocumentLayout::cancels() const
{
    return m_invoice.type == einvoice::DocumentType::CreditNote;
}

void DocumentLayout::opening(Band &band) const
{
    const RecordBuffer &order = m_data.order;
    if (cancels()) {
        band.text(col::Left,
                  kOpening,
                  QStringLiteral("Storno der Rechnung ") + m_invoice.precedingInvoice
                      + QStringLiteral(" vom ") + report::date(m_invoice.precedingDate)
                      + QStringLiteral(": Die folgenden Beträge werden Ihnen gutgeschrieben."),
                  documentFont(10));
        return;
    }
    if (m_profile.kind == DocumentKind::Invoice) {
        band.text(col::Left,
                  kOpening,
                  joined({QString::fromUtf8(m_profile.sentenceBefore),
                          report::date(order.get(AUF::FLIEFDAT)),
                          QString::fromUtf8(m_profile.sentenceAfter)}),
                  documentFont(10));
        return;
    }
    band.text(
        col::Left, kOpening, QStringLiteral("Sehr geehrte Damen und Herren,"), documentFont(10));
    band.text(col::Left,
              kOpening + kOpeningPitch,
              m_profile.kind == DocumentKind::DeliveryNote
                  ? QStringLiteral("wir liefern Ihnen wie folgt:")
                  : text(order, AUF::TEANG1),
              documentFont(10));
}

double DocumentLayout::columnHeadings(Band &band, double top) const
{
    const report::Font font = documentFont(8, true);
    const double second = top + 4;
    if (m_profile.positions == PositionStyle::Minimal) {
        band.text(col::Left, top, QStringLiteral("Position / Bezeichnung"), font);
        band.text(col::PerSort, top, QStringLiteral("Gesamtmenge"), font, Align::Right);
        band.line(col::Left, top + 2, col::Right, top + 2, 0.3);
        return top + 2;
    }
    band.text(col::Left, top, QStringLiteral("Position / Bez."), font);
    band.text(col::Colours, top, QStringLiteral("Farben"), font, Align::Right);
    band.text(col::Sorts, top, QStringLiteral("Sorten / Anz."), font, Align::Right);
    band.text(col::PerSort, top, QStringLiteral("Stück je Sorte"), font, Align::Right);
    band.text(col::TotalRun,
              top,
              m_profile.positions == PositionStyle::ShortQuote ? QStringLiteral("Gesamtaufl.")
                                                               : QStringLiteral("Gesamtauflage"),
              font,
              Align::Right);
    band.text(col::Left, second, QStringLiteral("Papiersorte/ Bez."), font);
    if (m_profile.positions == PositionStyle::Full) {
        band.text(col::Price, top, QStringLiteral("Preis/ EUR"), font, Align::Right);
        band.text(col::PaperCount, second, paperHeading(), font);
    }
    band.line(col::Left, second + 2, col::Right, second + 2, 0.3);
    return second + 2;
}

} // namespace orders
