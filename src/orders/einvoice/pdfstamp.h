#pragma once

#include <QByteArray>
#include <QString>

namespace einvoice {

// The PDF with `text` stamped in red at the top right of every page, above what the page
// shows; the pages themselves stay as they were. Empty when the bytes are no PDF that can
// be read. A reprint of an issued document is stamped "Kopie" so that nobody takes it for a
// second original.
QByteArray stampEveryPage(const QByteArray &pdf, const QString &text);

} // namespace einvoice
