#include "shell/einvoicecommand.h"

#include "orders/reports/documentdata.h"
#include "orders/reports/documentloader.h"
#include "orders/reports/einvoiceexport.h"
#include "store/consolepresenter.h"
#include "store/storecontext.h"

#include <iostream>

namespace shell {
namespace {

const QString kCommand = QStringLiteral("--e-invoice");

struct Arguments
{
    QString order;
    QString out;
    std::optional<orders::EInvoiceFormat> format;
};

void say(const QString &text)
{
    std::cerr << text.toStdString() << '\n';
}

const char *const kUsage = "Aufruf: tessaro --e-invoice AUFTRAGSNUMMER --out DATEI "
                           "[--format zugferd|xrechnung]";

// nullopt after saying what is wrong.
std::optional<Arguments> parse(const QStringList &list)
{
    Arguments a;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString &name = list[i];
        if (i + 1 >= list.size()) {
            say(QStringLiteral("Nach %1 fehlt der Wert.").arg(name));
            return std::nullopt;
        }
        const QString value = list[++i];
        if (name == kCommand) {
            a.order = value.trimmed();
        } else if (name == QLatin1String("--out")) {
            a.out = value;
        } else if (name == QLatin1String("--format")) {
            if (value.compare(QLatin1String("zugferd"), Qt::CaseInsensitive) == 0) {
                a.format = orders::EInvoiceFormat::Zugferd;
            } else if (value.compare(QLatin1String("xrechnung"), Qt::CaseInsensitive) == 0) {
                a.format = orders::EInvoiceFormat::XRechnung;
            } else {
                say(QStringLiteral("Unbekanntes Format „%1“: erlaubt sind zugferd und xrechnung.")
                        .arg(value));
                return std::nullopt;
            }
        } else {
            say(QStringLiteral("Unbekannte Angabe „%1“.").arg(name));
            return std::nullopt;
        }
    }
    if (a.order.isEmpty()) {
        say(QStringLiteral("Die Auftragsnummer fehlt."));
        return std::nullopt;
    }
    if (a.out.trimmed().isEmpty()) {
        say(QStringLiteral("Die Ausgabedatei (--out) fehlt."));
        return std::nullopt;
    }
    return a;
}

int write(StoreContext &store, const Arguments &a)
{
    const std::optional<std::string> id = orders::orderIdOfNumber(store, a.order.toStdString());
    std::optional<orders::DocumentData> data;
    if (id)
        data = orders::loadDocumentData(store, *id);
    if (!data) {
        say(QStringLiteral("Einen Auftrag mit der Nummer „%1“ gibt es nicht.").arg(a.order));
        return 1;
    }
    std::optional<orders::EInvoiceFormat> format = a.format;
    if (!format)
        format = orders::customerFormat(*data);
    if (!format) {
        say(QStringLiteral(
                "Der Kunde des Auftrags „%1“ erhält Rechnungen auf Papier (Kundenformular, "
                "Seite „E-Rechnung“); für eine E-Rechnung bitte --format zugferd oder "
                "--format xrechnung angeben.")
                .arg(a.order));
        return 1;
    }
    const einvoice::SaveResult result = orders::writeEInvoice(a.out, *data, *format);
    if (!result.written()) {
        say(orders::notWrittenText(result));
        return 1;
    }
    return 0;
}

} // namespace

bool isEInvoiceCommand(const QStringList &arguments)
{
    return arguments.contains(kCommand);
}

int runEInvoiceCommand(const QStringList &arguments, const std::filesystem::path &folder)
{
    const std::optional<Arguments> a = parse(arguments);
    if (!a) {
        say(QString::fromLatin1(kUsage));
        return 2;
    }
    ConsolePresenter presenter;
    try {
        StoreContext store(folder, presenter);
        return write(store, *a);
    } catch (const ConsoleProgramEnd &) {
    }
    say(QStringLiteral("Die E-Rechnung wurde nicht geschrieben."));
    return 1;
}

} // namespace shell
