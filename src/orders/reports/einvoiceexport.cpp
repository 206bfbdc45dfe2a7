#include "einvoiceexport.h"

#include "documentdata.h"
#include "einvoicedocument.h"

#include "orders/einvoice/missingdata.h"
#include "orders/einvoice/parties.h"

namespace orders {
namespace {

einvoice::Invoice eInvoiceOf(const DocumentData &data)
{
    return einvoice::invoiceOf(data, einvoice::vatFactorOf(data.company));
}

} // namespace

std::optional<EInvoiceFormat> customerFormat(const DocumentData &data)
{
    switch (einvoice::preferredForm(data.customerEInvoice)) {
    case einvoice::InvoiceForm::Zugferd:
        return EInvoiceFormat::Zugferd;
    case einvoice::InvoiceForm::XRechnung:
        return EInvoiceFormat::XRechnung;
    case einvoice::InvoiceForm::Paper:
        break;
    }
    return std::nullopt;
}

QString proposedFileName(const DocumentData &data, EInvoiceFormat format)
{
    QString number = QString::fromStdString(data.order.get(AUF::FRENR)).trimmed();
    if (number.isEmpty())
        number = QString::fromStdString(data.order.get(AUF::FNR)).trimmed();
    // A number may hold characters a file name cannot.
    for (QChar &c : number) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('_'))
            c = QLatin1Char('_');
    }
    return QStringLiteral("Rechnung-") + number
           + (format == EInvoiceFormat::Zugferd ? QStringLiteral(".pdf") : QStringLiteral(".xml"));
}

QStringList missingForEInvoice(const DocumentData &data, EInvoiceFormat format)
{
    return einvoice::missingEInvoiceData(eInvoiceOf(data),
                                         format == EInvoiceFormat::XRechnung
                                             ? einvoice::Profile::XRechnung
                                             : einvoice::Profile::En16931);
}

einvoice::SaveResult writeEInvoice(const QString &path,
                                   const DocumentData &data,
                                   EInvoiceFormat format,
                                   DocumentReport report)
{
    const einvoice::Invoice invoice = eInvoiceOf(data);
    if (format == EInvoiceFormat::XRechnung)
        return einvoice::saveCiiXml(path, invoice, einvoice::Profile::XRechnung);
    return saveInvoicePdf(path, report, data, invoice, einvoice::Profile::En16931);
}

QString notWrittenText(const einvoice::SaveResult &result)
{
    if (result.written())
        return {};
    if (!result.missing.isEmpty()) {
        return QStringLiteral("Die E-Rechnung wurde nicht geschrieben. Es fehlt:\n- ")
               + result.missing.join(QStringLiteral("\n- "));
    }
    return QStringLiteral("Die E-Rechnung wurde nicht geschrieben: ") + result.error;
}

} // namespace orders
