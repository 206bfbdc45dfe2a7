#pragma once

#include "invoice.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace einvoice {

struct SaveResult
{
    QStringList missing; // what the invoice lacks; nothing was written
    QString error;       // the file could not be written
    bool written() const { return missing.isEmpty() && error.isEmpty(); }
};

// Writes the bytes to the file as a whole or not at all: a file that was there before stays
// as it was when writing fails.
SaveResult saveFile(const QString &path, const QByteArray &bytes);

// The invoice's XML in this profile, written to `path` only when the invoice lacks nothing
// the profile needs; otherwise the result lists what is missing and no file is touched.
SaveResult saveCiiXml(const QString &path, const Invoice &invoice, Profile profile);

} // namespace einvoice
