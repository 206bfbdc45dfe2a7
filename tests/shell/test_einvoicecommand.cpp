// The e-invoice from the command line: the real program run in a data folder made by the
// sample data program, its files judged by the validator.

#include "store/files.h"
#include "store/storecontext.h"
#include "support/scriptedpresenter.h"
#include "support/tempfolder.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

struct Outcome
{
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome run(const QString &program, const QStringList &arguments, const QString &folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    Outcome result;
    if (!process.waitForFinished(600000)) {
        result.err = process.errorString();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

Outcome tessaro(const QStringList &arguments, const QString &folder)
{
    return run(QStringLiteral(TESSARO_EXECUTABLE), arguments, folder);
}

Outcome validate(const QString &file)
{
    return run(QStringLiteral("bash"),
               {QStringLiteral(TESSARO_EINVOICE_TOOLKIT "/validate"), file},
               QStringLiteral("."));
}

// A data folder with the sample data in it.
struct SampleFolder
{
    SampleFolder()
    {
        data = QString::fromStdString((folder.path() / "daten").string());
        const Outcome made
            = run(QStringLiteral(TESSARO_SAMPLEDATA_PROGRAM), {data}, QStringLiteral("."));
        EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
    }
    QString file(const char *name) const
    {
        return QString::fromStdString((folder.path() / name).string());
    }

    TempFolder folder;
    QString data;
};

} // namespace

// Both sample orders: the one of the ZUGFeRD customer as a PDF/A-3, the one of the customer
// with a Leitweg-ID as XRechnung, each by the customer's preference.
TEST(EInvoiceCommand, WritesTheSampleOrdersByTheCustomersPreference)
{
    SampleFolder sample;
    const QString pdf = sample.file("zugferd.pdf");
    const QString xml = sample.file("xrechnung.xml");
    const Outcome zugferd = tessaro(
        {QStringLiteral("--e-invoice"), QStringLiteral("2026-0417"), QStringLiteral("--out"), pdf},
        sample.data);
    const Outcome xrechnung = tessaro(
        {QStringLiteral("--e-invoice"), QStringLiteral("2026-0423"), QStringLiteral("--out"), xml},
        sample.data);
    ASSERT_EQ(zugferd.exitCode, 0) << zugferd.err.toStdString();
    ASSERT_EQ(xrechnung.exitCode, 0) << xrechnung.err.toStdString();

    QFile pdfFile(pdf);
    ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdfFile.read(5) == "%PDF-");
    QFile xmlFile(xml);
    ASSERT_TRUE(xmlFile.open(QIODevice::ReadOnly));
    const QByteArray text = xmlFile.readAll();
    EXPECT_TRUE(text.contains("urn:xeinkauf.de:kosit:xrechnung_3.0"));
    EXPECT_TRUE(text.contains("991-33333TEST-33"));

    for (const QString &file : {pdf, xml}) {
        const Outcome verdict = validate(file);
        EXPECT_EQ(verdict.exitCode, 0) << file.toStdString() << '\n' << verdict.out.toStdString();
    }
}

TEST(EInvoiceCommand, TheFormatGivenOverridesThePreference)
{
    SampleFolder sample;
    const QString xml = sample.file("as-xml.xml");
    const Outcome written = tessaro({QStringLiteral("--e-invoice"),
                                 QStringLiteral("2026-0417"),
                                 QStringLiteral("--out"),
                                 xml,
                                 QStringLiteral("--format"),
                                 QStringLiteral("xrechnung")},
                                sample.data);
    // The ZUGFeRD customer has no Leitweg-ID: XRechnung cannot be written for it.
    EXPECT_EQ(written.exitCode, 1);
    EXPECT_TRUE(written.err.contains(QStringLiteral("Leitweg-ID"))) << written.err.toStdString();
    EXPECT_FALSE(QFile::exists(xml));
}

TEST(EInvoiceCommand, MissingSellerDataIsSaidAndNoFileIsWritten)
{
    SampleFolder sample;
    {
        ScriptedPresenter presenter;
        StoreContext store(sample.data.toStdString(), presenter);
        FileManager &company = store.fileManager(FileId::firma);
        ASSERT_EQ(company.Open(), Level::Benign);
        ASSERT_EQ(company.startPass(FIR::Keyfiid), 0);
        ASSERT_EQ(company.NextQuiet(), Level::Benign);
        company.BUFFER().set(FIR::FIUSTID, std::string());
        company.BUFFER().set(FIR::FISTNR, std::string());
        ASSERT_EQ(company.Update(), Level::Benign);
        company.Close();
    }
    const QString pdf = sample.file("none.pdf");
    const Outcome refused = tessaro(
        {QStringLiteral("--e-invoice"), QStringLiteral("2026-0417"), QStringLiteral("--out"), pdf},
        sample.data);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("Die E-Rechnung wurde nicht geschrieben")))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(
        QStringLiteral("Die USt-IdNr. und die Steuernummer der Firma fehlen beide")))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("Stammdaten → Firmendaten")));
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST(EInvoiceCommand, BadOrdersAndArgumentsAreRefusedInGerman)
{
    SampleFolder sample;
    const QString out = sample.file("out.pdf");
    struct Case
    {
        const char *name;
        QStringList arguments;
        int exitCode;
        QString saying;
    };
    const Case cases[] = {
        {"UnknownOrder",
         {QStringLiteral("--e-invoice"), QStringLiteral("9999"), QStringLiteral("--out"), out},
         1,
         QStringLiteral("Einen Auftrag mit der Nummer „9999“ gibt es nicht.")},
        {"UnknownFormat",
         {QStringLiteral("--e-invoice"),
          QStringLiteral("2026-0417"),
          QStringLiteral("--out"),
          out,
          QStringLiteral("--format"),
          QStringLiteral("ubl")},
         2,
         QStringLiteral("Unbekanntes Format „ubl“")},
        {"NoOutput",
         {QStringLiteral("--e-invoice"), QStringLiteral("2026-0417")},
         2,
         QStringLiteral("Die Ausgabedatei (--out) fehlt.")},
        {"ValueMissing",
         {QStringLiteral("--out"), out, QStringLiteral("--e-invoice")},
         2,
         QStringLiteral("Nach --e-invoice fehlt der Wert.")},
        {"UnknownArgument",
         {QStringLiteral("--e-invoice"),
          QStringLiteral("2026-0417"),
          QStringLiteral("--out"),
          out,
          QStringLiteral("--bogus"),
          QStringLiteral("x")},
         2,
         QStringLiteral("Unbekannte Angabe „--bogus“")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome refused = tessaro(c.arguments, sample.data);
        EXPECT_EQ(refused.exitCode, c.exitCode);
        EXPECT_TRUE(refused.err.contains(c.saying)) << refused.err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
}
