#include "zugferdpdf.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEFStreamObjectHelper.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFFileSpecObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <QtGlobal>

#include <exception>
#include <string>

namespace einvoice {
namespace {

const QString kFxNamespace = QStringLiteral("urn:factur-x:pdfa:CrossIndustryDocument:invoice:1p0#");

QString offsetText(const QDateTime &time, const QString &separator, const QString &closing)
{
    const int offset = time.offsetFromUtc() / 60;
    if (time.timeSpec() == Qt::UTC)
        return QStringLiteral("Z");
    const int magnitude = offset < 0 ? -offset : offset;
    return (offset < 0 ? QStringLiteral("-") : QStringLiteral("+"))
           + QStringLiteral("%1").arg(magnitude / 60, 2, 10, QLatin1Char('0')) + separator
           + QStringLiteral("%1").arg(magnitude % 60, 2, 10, QLatin1Char('0')) + closing;
}

// "D:20250715103000+02'00'"
std::string pdfDate(const QDateTime &time)
{
    const QString date = QStringLiteral("D:") + time.toString(QStringLiteral("yyyyMMddHHmmss"))
                         + offsetText(time, QStringLiteral("'"), QStringLiteral("'"));
    return date.toStdString();
}

// "2025-07-15T10:30:00+02:00"
QString xmpDate(const QDateTime &time)
{
    return time.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"))
           + offsetText(time, QStringLiteral(":"), QString());
}

QString esc(const QString &text)
{
    return text.toHtmlEscaped();
}

QString conformanceLevel(Profile profile)
{
    return profile == Profile::XRechnung ? QStringLiteral("XRECHNUNG") : QStringLiteral("EN 16931");
}

QString producer()
{
    return QStringLiteral("TESSARO (Qt %1, qpdf %2)")
        .arg(QString::fromLatin1(qVersion()), QString::fromStdString(QPDF::QPDFVersion()));
}

QString fxProperty(const char *name, const char *description)
{
    return QStringLiteral("          <rdf:li rdf:parseType=\"Resource\">\n"
                          "            <pdfaProperty:name>%1</pdfaProperty:name>\n"
                          "            <pdfaProperty:valueType>Text</pdfaProperty:valueType>\n"
                          "            <pdfaProperty:category>external</pdfaProperty:category>\n"
                          "            <pdfaProperty:description>%2</pdfaProperty:description>\n"
                          "          </rdf:li>\n")
        .arg(QString::fromLatin1(name), QString::fromLatin1(description));
}

// The metadata packet. Every text the information dictionary carries stands here as well,
// equal to it.
QByteArray xmp(const PdfMeta &meta, const QDateTime &time)
{
    const QString date = xmpDate(time);
    QString x;
    x += QStringLiteral("<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
                        "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
                        "  <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n");
    x += QStringLiteral("    <rdf:Description rdf:about=\"\" "
                        "xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\">\n"
                        "      <pdfaid:part>3</pdfaid:part>\n"
                        "      <pdfaid:conformance>B</pdfaid:conformance>\n"
                        "    </rdf:Description>\n");
    x += QStringLiteral("    <rdf:Description rdf:about=\"\" "
                        "xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
                        "      <dc:format>application/pdf</dc:format>\n");
    if (!meta.title.isEmpty()) {
        x += QStringLiteral("      <dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">%1</rdf:li>"
                            "</rdf:Alt></dc:title>\n")
                 .arg(esc(meta.title));
    }
    if (!meta.author.isEmpty()) {
        x += QStringLiteral("      <dc:creator><rdf:Seq><rdf:li>%1</rdf:li></rdf:Seq>"
                            "</dc:creator>\n")
                 .arg(esc(meta.author));
    }
    if (!meta.subject.isEmpty()) {
        x += QStringLiteral("      <dc:description><rdf:Alt><rdf:li xml:lang=\"x-default\">%1"
                            "</rdf:li></rdf:Alt></dc:description>\n")
                 .arg(esc(meta.subject));
    }
    x += QStringLiteral("    </rdf:Description>\n");
    x += QStringLiteral(
             "    <rdf:Description rdf:about=\"\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\">\n"
             "      <pdf:Producer>%1</pdf:Producer>\n"
             "    </rdf:Description>\n")
             .arg(esc(producer()));
    x += QStringLiteral(
             "    <rdf:Description rdf:about=\"\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\">\n"
             "      <xmp:CreatorTool>%1</xmp:CreatorTool>\n"
             "      <xmp:CreateDate>%2</xmp:CreateDate>\n"
             "      <xmp:ModifyDate>%2</xmp:ModifyDate>\n"
             "      <xmp:MetadataDate>%2</xmp:MetadataDate>\n"
             "    </rdf:Description>\n")
             .arg(esc(meta.creator), date);
    x += QStringLiteral(
             "    <rdf:Description rdf:about=\"\"\n"
             "        xmlns:pdfaExtension=\"http://www.aiim.org/pdfa/ns/extension/\"\n"
             "        xmlns:pdfaSchema=\"http://www.aiim.org/pdfa/ns/schema#\"\n"
             "        xmlns:pdfaProperty=\"http://www.aiim.org/pdfa/ns/property#\">\n"
             "      <pdfaExtension:schemas>\n"
             "        <rdf:Bag>\n"
             "          <rdf:li rdf:parseType=\"Resource\">\n"
             "            <pdfaSchema:schema>Factur-X PDFA Extension Schema</pdfaSchema:schema>\n"
             "            <pdfaSchema:namespaceURI>%1</pdfaSchema:namespaceURI>\n"
             "            <pdfaSchema:prefix>fx</pdfaSchema:prefix>\n"
             "            <pdfaSchema:property>\n"
             "              <rdf:Seq>\n")
             .arg(kFxNamespace);
    x += fxProperty("DocumentFileName", "The name of the embedded XML document");
    x += fxProperty("DocumentType", "The type of the hybrid document in capital letters");
    x += fxProperty("Version", "The version of the XML schema of the embedded document");
    x += fxProperty("ConformanceLevel", "The conformance level of the embedded XML document");
    x += QStringLiteral("              </rdf:Seq>\n"
                        "            </pdfaSchema:property>\n"
                        "          </rdf:li>\n"
                        "        </rdf:Bag>\n"
                        "      </pdfaExtension:schemas>\n"
                        "    </rdf:Description>\n");
    x += QStringLiteral("    <rdf:Description rdf:about=\"\" xmlns:fx=\"%1\">\n"
                        "      <fx:DocumentType>INVOICE</fx:DocumentType>\n"
                        "      <fx:DocumentFileName>%2</fx:DocumentFileName>\n"
                        "      <fx:Version>1.0</fx:Version>\n"
                        "      <fx:ConformanceLevel>%3</fx:ConformanceLevel>\n"
                        "    </rdf:Description>\n")
             .arg(kFxNamespace, attachmentName(meta.profile), conformanceLevel(meta.profile));
    x += QStringLiteral("  </rdf:RDF>\n"
                        "</x:xmpmeta>\n"
                        "<?xpacket end=\"w\"?>");
    return x.toUtf8();
}

QPDFObjectHandle text(const QString &value)
{
    return QPDFObjectHandle::newUnicodeString(value.toStdString());
}

void setInfo(QPDF &pdf, const PdfMeta &meta, const std::string &date)
{
    QPDFObjectHandle info = QPDFObjectHandle::newDictionary();
    if (!meta.title.isEmpty())
        info.replaceKey("/Title", text(meta.title));
    if (!meta.author.isEmpty())
        info.replaceKey("/Author", text(meta.author));
    if (!meta.subject.isEmpty())
        info.replaceKey("/Subject", text(meta.subject));
    info.replaceKey("/Creator", text(meta.creator));
    info.replaceKey("/Producer", text(producer()));
    info.replaceKey("/CreationDate", QPDFObjectHandle::newString(date));
    info.replaceKey("/ModDate", QPDFObjectHandle::newString(date));
    pdf.getTrailer().replaceKey("/Info", pdf.makeIndirectObject(info));
}

void attach(QPDF &pdf, const QByteArray &xml, const PdfMeta &meta, const std::string &date)
{
    const std::string name = attachmentName(meta.profile).toStdString();
    QPDFEFStreamObjectHelper stream
        = QPDFEFStreamObjectHelper::createEFStream(pdf, xml.toStdString());
    stream.setSubtype("text/xml").setCreationDate(date).setModDate(date);
    QPDFFileSpecObjectHelper spec = QPDFFileSpecObjectHelper::createFileSpec(pdf, name, stream);
    spec.setDescription(meta.profile == Profile::XRechnung
                            ? "Rechnung als XRechnung (CII)"
                            : "Rechnung als strukturierte Daten (EN 16931, CII)");
    spec.setFilename(name, name);
    QPDFObjectHandle specObject = spec.getObjectHandle();
    specObject.replaceKey("/AFRelationship", QPDFObjectHandle::newName("/Alternative"));
    QPDFEmbeddedFileDocumentHelper(pdf).replaceEmbeddedFile(name, spec);
    pdf.getRoot().replaceKey("/AF", QPDFObjectHandle::newArray({specObject}));
}

void setMetadata(QPDF &pdf, const PdfMeta &meta, const QDateTime &time)
{
    QPDFObjectHandle stream = pdf.newStream(xmp(meta, time).toStdString());
    QPDFObjectHandle dict = stream.getDict();
    dict.replaceKey("/Type", QPDFObjectHandle::newName("/Metadata"));
    dict.replaceKey("/Subtype", QPDFObjectHandle::newName("/XML"));
    pdf.getRoot().replaceKey("/Metadata", stream);
}

} // namespace

ZugferdPdf makeZugferdPdf(const QByteArray &plainPdf, const QByteArray &xml, const PdfMeta &meta)
{
    ZugferdPdf result;
    if (!plainPdf.startsWith("%PDF-")) {
        result.error = QStringLiteral("Die Seiten der Rechnung sind kein PDF.");
        return result;
    }
    // Whole seconds: the PDF date has no finer unit, and the XMP must name the same time.
    QDateTime time = meta.created.isValid() ? meta.created : QDateTime::currentDateTime();
    time = time.addMSecs(-time.time().msec());
    const std::string date = pdfDate(time);
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        const std::string input = plainPdf.toStdString();
        pdf.processMemoryFile("invoice.pdf", input.data(), input.size());
        attach(pdf, xml, meta, date);
        setMetadata(pdf, meta, time);
        setInfo(pdf, meta, date);
        // The page writer's file id is random; a new one is made from the content.
        pdf.getTrailer().removeKey("/ID");

        QPDFWriter writer(pdf);
        writer.setOutputMemory();
        writer.setMinimumPDFVersion("1.7");
        writer.setDeterministicID(true);
        writer.write();
        const std::shared_ptr<Buffer> out = writer.getBufferSharedPointer();
        result.pdf = QByteArray(reinterpret_cast<const char *>(out->getBuffer()),
                                qsizetype(out->getSize()));
    } catch (const std::exception &e) {
        result.error = QStringLiteral("Das PDF/A-3 der Rechnung konnte nicht erstellt werden: ")
                       + QString::fromLocal8Bit(e.what());
        result.pdf.clear();
    }
    return result;
}

} // namespace einvoice
