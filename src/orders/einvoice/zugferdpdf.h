#pragma once

#include "invoice.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace einvoice {

// What the PDF says about itself, in its information dictionary and its XMP metadata alike.
struct PdfMeta
{
    Profile profile = Profile::En16931;
    QString title;
    QString author;
    QString subject;
    QString creator = QStringLiteral("TESSARO");
    // Creation and modification time; now when not valid. Fixed by tests for
    // byte-for-byte comparable files.
    QDateTime created;
};

struct ZugferdPdf
{
    QByteArray pdf;
    QString error; // why nothing was made; empty when `pdf` holds the file
    bool ok() const { return error.isEmpty(); }
};

// Turns the printed invoice into a PDF/A-3 that carries its XML: the XML embedded as
// "factur-x.xml" ("xrechnung.xml" for XRechnung) with MIME type, dates and relationship
// "Alternative", listed in the catalogue's /AF; XMP metadata declaring PDF/A-3b and the
// e-invoice's profile with the extension schema that describes its properties; the
// information dictionary in agreement with it. The pages, their embedded fonts and the sRGB
// output intent are taken over from `plainPdf` as they are, so that must already be written
// for PDF/A (QPdfWriter with PdfVersion_A1b). The same input gives the same bytes.
ZugferdPdf makeZugferdPdf(const QByteArray &plainPdf, const QByteArray &xml, const PdfMeta &meta);

} // namespace einvoice
