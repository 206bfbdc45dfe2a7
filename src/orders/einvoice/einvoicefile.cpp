#include "einvoicefile.h"

#include "ciiwriter.h"
#include "missingdata.h"

#include <QSaveFile>

namespace einvoice {

SaveResult saveFile(const QString &path, const QByteArray &bytes)
{
    SaveResult result;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        result.error = QStringLiteral("Die Datei %1 konnte nicht geschrieben werden: %2")
                           .arg(path, file.errorString());
    }
    return result;
}

SaveResult saveCiiXml(const QString &path, const Invoice &invoice, Profile profile)
{
    SaveResult result;
    result.missing = missingEInvoiceData(invoice, profile);
    if (!result.missing.isEmpty())
        return result;
    return saveFile(path, writeCii(invoice, profile));
}

} // namespace einvoice
