#include "orders/core/orderrules.h"

#include "base/text.h"
#include "store/files/auftrag.h"
#include "store/files/kunde.h"
#include "store/files/text.h"
#include "store/recordbuffer.h"

namespace orders {

void primeNewOrder(Records &records, const std::string &orderId, rt::StdDate today)
{
    records.set(AUF::FID, orderId);
    records.set(AUF::FDATUM, today);
    records.set(AUF::FANDAT, today);
    records.set(AUF::FSTAT, statusWord(DocumentKind::Quote));
    records.set(AUF::FKUID, records.get(KUN::KID));
    refreshCustomerAddress(records);
    records.set(AUF::FRABATT, records.get(KUN::KRAB));
    records.set(AUF::ZAZTAGE, 14.0);
}

void refreshCustomerAddress(Records &records)
{
    records.set(AUF::FNAME, records.get(KUN::KNAME));
    records.set(AUF::FSTR, records.get(KUN::KSTR));
    records.set(AUF::FPLZ, records.get(KUN::KPLZ));
    records.set(AUF::FORT, records.get(KUN::KORT));
}

std::string_view textBlockCode(TextBlock block)
{
    switch (block) {
    case TextBlock::QuoteText:
        return "EL";
    case TextBlock::PaymentTerms:
        return "ZA";
    case TextBlock::Information:
        break;
    }
    return "IN";
}

std::span<const TextCopy> textBlockCopies(TextBlock block)
{
    static constexpr TextCopy kQuoteText[] = {
        {TEX::TX1.index, AUF::TEANG1.index},
        {TEX::TX2.index, AUF::TEANG2.index},
    };
    static constexpr TextCopy kPaymentTerms[] = {
        {TEX::TX1.index, AUF::TEREC1.index},
        {TEX::TX2.index, AUF::TEREC2.index},
        {TEX::SKOPR.index, AUF::SKPROZ.index},
        {TEX::SKTAGE.index, AUF::SKONTAGE.index},
        {TEX::ZAZIEL.index, AUF::ZAZTAGE.index},
    };
    static constexpr TextCopy kInformation[] = {
        {TEX::TX1.index, AUF::TEINFO1.index},
        {TEX::TX2.index, AUF::TEINFO2.index},
    };
    switch (block) {
    case TextBlock::QuoteText:
        return kQuoteText;
    case TextBlock::PaymentTerms:
        return kPaymentTerms;
    case TextBlock::Information:
        break;
    }
    return kInformation;
}

void applyTextBlock(RecordBuffer &order, const RecordBuffer &text, TextBlock block)
{
    // The fields are of one kind pairwise (texts of 70, DECIMAL(5,2), REAL), so every value
    // fits.
    for (const TextCopy &copy : textBlockCopies(block))
        order.setValue(copy.to, text.value(copy.from));
}

std::optional<StatusLabels> statusLabels(std::string_view status,
                                         double skontoPercent,
                                         const std::string &dueDate,
                                         bool opening)
{
    const std::optional<DocumentKind> kind = statusKind(status);
    if (!kind)
        return std::nullopt;
    StatusLabels labels;
    labels.printCaption = std::string(statusWord(*kind));
    if (*kind == DocumentKind::Quote) {
        labels.netLabel = "Angebotspreis/ EUR";
        labels.grossLabel
            = opening ? "Angebotspreis (inkl. MwSt)/EUR" : "Angebotspreis (inkl. MwSt)/ EUR";
        labels.closingLine = "Dieses Angebot ist 6 Wochen gültig.";
        return labels;
    }
    labels.netLabel = "Gesamtpreis / EUR";
    labels.grossLabel = "Rechnungsendbetrag / EUR";
    labels.closingLine = "Rechnungsendbetrag zahlbar bis zum " + dueDate;
    labels.dueDateShown = true;
    labels.skontoShown = skontoPercent > 0;
    return labels;
}

std::string documentReport(std::string_view status, PrintButton button)
{
    const std::optional<DocumentKind> kind = statusKind(status);
    if (kind == DocumentKind::Quote) {
        switch (button) {
        case PrintButton::Minimal:
        case PrintButton::Detail:
            return "DrucANGmin";
        case PrintButton::FullDetail:
            return "DrucANGmax";
        case PrintButton::Standard:
            break;
        }
    } else if (kind == DocumentKind::Invoice) {
        switch (button) {
        case PrintButton::Standard:
            return "DrucRECstan";
        case PrintButton::Minimal:
            return "DrucRECmin";
        case PrintButton::Detail:
            return "DrucRECdet";
        case PrintButton::FullDetail:
            return "DrucRECmax";
        }
    } else if (kind == DocumentKind::DeliveryNote) {
        switch (button) {
        case PrintButton::Standard:
            return "DrucLIEstan";
        case PrintButton::Minimal:
            return "DrucLIEmin";
        case PrintButton::Detail:
        case PrintButton::FullDetail:
            break;
        }
    }
    return {};
}

bool quoteNumberMissing(std::string_view status, PrintButton button, std::string_view quoteNumber)
{
    return button == PrintButton::Detail && statusKind(status) == DocumentKind::Quote
           && rt::isBlank(quoteNumber);
}

int reportRuns(int copyCount)
{
    return copyCount == 2 ? 2 : 1;
}

} // namespace orders
