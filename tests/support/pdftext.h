#pragma once

#include "framework/report/pagequeue.h"
#include "support/guiapp.h"
#include "support/qstringprint.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

// Report pages as the customer would read them: printed to a PDF through the printer and
// read back with `pdftotext -layout`.
namespace pdftext {

// The text layout mode places words by their position; how many blanks stand between two
// columns depends on the fonts installed. Runs of blanks therefore count as one gap of two,
// and trailing blanks not at all, so the comparison sees words, lines, order and pages.
inline QString normalised(const QString &text)
{
    QStringList lines;
    for (QString line : text.split(QLatin1Char('\n'))) {
        QString out;
        int blanks = 0;
        for (const QChar ch : line) {
            if (ch == QLatin1Char(' ')) {
                ++blanks;
                continue;
            }
            if (blanks > 0)
                out += blanks == 1 ? QStringLiteral(" ") : QStringLiteral("  ");
            blanks = 0;
            out += ch;
        }
        lines.append(out);
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

inline bool
printPdf(const report::PageQueue &queue, const QString &pdfFile, const QList<int> &pages = {})
{
    ensureGuiApplication();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfFile);
    return queue.print(printer, pages);
}

// The PDF's text, pages separated by form feeds; empty with a test failure when the tool is
// missing or fails.
inline QString extract(const QString &pdfFile)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) {
        ADD_FAILURE() << "pdftotext is not installed (package poppler-utils)";
        return {};
    }
    QProcess process;
    process.start(tool,
                  {QStringLiteral("-layout"),
                   QStringLiteral("-enc"),
                   QStringLiteral("UTF-8"),
                   pdfFile,
                   QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Prints the queue to a PDF in a temporary folder and returns its normalised text. With
// TESSARO_PDF_DIR set, the PDF is kept there as `<name>.pdf` for a look at the pages.
inline QString textOf(const report::PageQueue &queue,
                      const QString &name = QStringLiteral("report"),
                      const QList<int> &pages = {})
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(name + QStringLiteral(".pdf"));
    if (!printPdf(queue, pdf, pages)) {
        ADD_FAILURE() << "the pages could not be printed to " << pdf.toStdString();
        return {};
    }
    const QString keep = qEnvironmentVariable("TESSARO_PDF_DIR");
    if (!keep.isEmpty()) {
        QFile::remove(keep + QLatin1Char('/') + name + QStringLiteral(".pdf"));
        QFile::copy(pdf, keep + QLatin1Char('/') + name + QStringLiteral(".pdf"));
    }
    return normalised(extract(pdf));
}

// A word of a PDF page with its box in points from the page's top left corner.
struct Word
{
    QString text;
    QRectF box;
    int page = 0; // from 1
};

// The words of a PDF as `pdftotext -bbox` reads them; empty with a test failure when the
// tool is missing or fails.
inline QList<Word> words(const QString &pdfFile)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) {
        ADD_FAILURE() << "pdftotext is not installed (package poppler-utils)";
        return {};
    }
    QProcess process;
    process.start(tool, {QStringLiteral("-bbox"), pdfFile, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*)</word>)re"));
    QList<Word> found;
    int page = 0;
    for (const QString &line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n')) {
        if (line.contains(QStringLiteral("<page ")))
            ++page;
        const QRegularExpressionMatch m = word.match(line);
        if (!m.hasMatch())
            continue;
        QString text = m.captured(5);
        text.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
            .replace(QStringLiteral("&apos;"), QStringLiteral("'"))
            .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        found.append(Word{text, QRectF(topLeft, bottomRight), page});
    }
    return found;
}

// The words of the queue's pages printed to a PDF; kept as textOf keeps it.
inline QList<Word> wordsOf(const report::PageQueue &queue,
                           const QString &name = QStringLiteral("words"))
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(name + QStringLiteral(".pdf"));
    if (!printPdf(queue, pdf)) {
        ADD_FAILURE() << "the pages could not be printed to " << pdf.toStdString();
        return {};
    }
    const QString keep = qEnvironmentVariable("TESSARO_PDF_DIR");
    if (!keep.isEmpty()) {
        QFile::remove(keep + QLatin1Char('/') + name + QStringLiteral(".pdf"));
        QFile::copy(pdf, keep + QLatin1Char('/') + name + QStringLiteral(".pdf"));
    }
    return words(pdf);
}

// Words printed over one another: every pair on one page whose boxes share more than a
// hair's breadth (a quarter point across), as "first / second".
inline QStringList overlapping(const QList<Word> &words)
{
    QStringList pairs;
    for (qsizetype i = 0; i < words.size(); ++i) {
        for (qsizetype j = i + 1; j < words.size(); ++j) {
            if (words[i].page != words[j].page)
                continue;
            const QRectF shared = words[i].box.intersected(words[j].box);
            if (shared.width() > 0.25 && shared.height() > 0.25)
                pairs.append(words[i].text + QStringLiteral(" / ") + words[j].text);
        }
    }
    return pairs;
}

// Pages of an extracted text.
inline QStringList pages(const QString &text)
{
    QStringList result = text.split(QLatin1Char('\f'));
    while (!result.isEmpty() && result.last().trimmed().isEmpty())
        result.removeLast();
    return result;
}

// Each page's lines that hold text, joined by "|": what stands on the pages and in which
// order, whatever the space between.
inline QStringList pageLines(const QString &text)
{
    QStringList result;
    for (const QString &page : pages(text)) {
        QStringList lines;
        for (const QString &line : page.split(QLatin1Char('\n'))) {
            if (!line.trimmed().isEmpty())
                lines.append(line.simplified());
        }
        result.append(lines.join(QLatin1Char('|')));
    }
    return result;
}

// Lines that differ, marked "-" (expected) and "+" (actual), with a little context.
inline std::string lineDiff(const QStringList &expected, const QStringList &actual)
{
    const qsizetype n = expected.size();
    const qsizetype m = actual.size();
    std::vector<std::vector<int>> lcs(std::size_t(n + 1), std::vector<int>(std::size_t(m + 1)));
    for (qsizetype i = n - 1; i >= 0; --i) {
        for (qsizetype j = m - 1; j >= 0; --j) {
            lcs[i][j] = expected[i] == actual[j] ? lcs[i + 1][j + 1] + 1
                                                 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
        }
    }
    std::string out;
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && expected[i] == actual[j]) {
            ++i;
            ++j;
        } else if (j < m && (i == n || lcs[i][j + 1] >= lcs[i + 1][j])) {
            out += "+ " + QString::number(j + 1).toStdString() + ": " + actual[j].toStdString()
                   + '\n';
            ++j;
        } else {
            out += "- " + QString::number(i + 1).toStdString() + ": " + expected[i].toStdString()
                   + '\n';
            ++i;
        }
    }
    return out;
}

// Compares the text with the golden file `<dir>/<name>.txt`. With TESSARO_UPDATE_GOLDEN=1 in
// the environment the file is written instead, to be read and checked in by hand.
inline void expectGolden(const QString &dir, const QString &name, const QString &actual)
{
    const QString path = dir + QLatin1Char('/') + name + QStringLiteral(".txt");
    if (qEnvironmentVariableIntValue("TESSARO_UPDATE_GOLDEN") == 1) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        out.write(actual.toUtf8());
        return;
    }
    QFile in(path);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << "no golden file " << path.toStdString();
    const QString expected = QString::fromUtf8(in.readAll());
    if (expected != actual) {
        ADD_FAILURE() << "text of " << name.toStdString() << " differs from " << path.toStdString()
                      << ":\n"
                      << lineDiff(expected.split(QLatin1Char('\n')),
                                  actual.split(QLatin1Char('\n')));
    }
}

// True when the texts occur in the text in this order, each after the end of the one before.
inline ::testing::AssertionResult inOrder(const QString &text, const QStringList &pieces)
{
    qsizetype from = 0;
    for (const QString &piece : pieces) {
        const qsizetype at = text.indexOf(piece, from);
        if (at < 0) {
            return ::testing::AssertionFailure()
                   << "\"" << piece.toStdString() << "\" not found after position " << from;
        }
        from = at + piece.size();
    }
    return ::testing::AssertionSuccess();
}

} // namespace pdftext
