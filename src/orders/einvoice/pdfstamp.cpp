#include "pdfstamp.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>
#include <string>

namespace einvoice {
namespace {

// A text in a PDF string literal of the standard fonts' Latin encoding.
std::string pdfString(const QString &text)
{
    std::string literal = "(";
    for (const char c : text.toLatin1()) {
        if (c == '(' || c == ')' || c == '\\')
            literal += '\\';
        literal += c;
    }
    literal += ')';
    return literal;
}

} // namespace

QByteArray stampEveryPage(const QByteArray &pdf, const QString &text)
{
    try {
        QPDF document;
        document.processMemoryFile(
            "issued document", pdf.constData(), static_cast<size_t>(pdf.size()));
        // The stamp's font under a name of its own, so that it meets none of the page's.
        QPDFObjectHandle font = document.makeIndirectObject(
            QPDFObjectHandle::parse("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold "
                                    "/Encoding /WinAnsiEncoding >>"));
        const char *fontName = "/TessaroStamp";
        for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(document).getAllPages()) {
            const QPDFObjectHandle::Rectangle box = page.getMediaBox().getArrayAsRectangle();
            QPDFObjectHandle resources = page.getAttribute("/Resources", true);
            if (!resources.isDictionary()) {
                resources = QPDFObjectHandle::newDictionary();
                page.getObjectHandle().replaceKey("/Resources", resources);
            }
            QPDFObjectHandle fonts = resources.getKey("/Font");
            if (!fonts.isDictionary()) {
                fonts = QPDFObjectHandle::newDictionary();
                resources.replaceKey("/Font", fonts);
            }
            fonts.replaceKey(fontName, font);
            const double size = 28;
            const double x = box.urx - 150;
            const double y = box.ury - 50;
            const std::string content
                = "q 0.8 0.1 0.1 rg 0.8 0.1 0.1 RG BT " + std::string(fontName) + ' '
                  + std::to_string(size) + " Tf 1 0 0 1 " + std::to_string(x) + ' '
                  + std::to_string(y) + " Tm " + pdfString(text) + " Tj ET Q\n";
            // Wrapped first, so that a page content that leaves its state changed does not
            // move or colour the stamp.
            page.addPageContents(QPDFObjectHandle::newStream(&document, "q\n"), true);
            page.addPageContents(QPDFObjectHandle::newStream(&document, "Q\n" + content), false);
        }
        QPDFWriter writer(document);
        writer.setOutputMemory();
        writer.write();
        const std::shared_ptr<Buffer> out(writer.getBufferSharedPointer());
        return QByteArray(reinterpret_cast<const char *>(out->getBuffer()),
                          static_cast<qsizetype>(out->getSize()));
    } catch (const std::exception &) {
        return {};
    }
}

} // namespace einvoice
