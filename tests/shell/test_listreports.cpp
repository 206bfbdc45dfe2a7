#include "shell/listreports/listreporttable.h"

#include "framework/report/pagequeue.h"
#include "store/files.h"
#include "store/recordbuffer.h"
#include "support/pdftext.h"

#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

QString headings(const shell::ListReportDef &def)
{
    QStringList names;
    for (const shell::ListReportColumn &column : def.columns)
        names.append(QString::fromLatin1(column.heading));
    return names.join(QStringLiteral(", "));
}

TEST(ListReportTable, EveryReportPrintsTheDetailFieldsOfItsFile)
{
    // The detail fields of each file's reports as the report prints their headings.
    const std::pair<const char *, const char *> expected[] = {
        {"papier",
         "apap, ipap, pbez, ppr, pein, pmax, pmin, pgew, ppr, lief 1, ppr, lief 2, "
         "ppr, lief 3"},
        {"maschin", "maid, mid, mbez, mform, mmax, mmin, mfarb, dzmax, dzmin, mdrpr, mfarbw"},
        {"arbeit", "aaid, aid, abez, apr, anein, azeit"},
        {"kaldruck",
         "kaid, fid, abez, kaal, kaso, kafarbe, kay, kax, kast, kammax, kammin, "
         "kamfarb, kaomax, kaomin, kadr, kavh, kaad, mdrpr, mfarbw"},
        {"kunde",
         "kaid, kid, kname, kzhand, kstr, kplz, kort, krab, ktel, kfax, kfunk, kemail, "
         "khttp, kname, kzhand, kstr, kplz, kort, kname, ktel, kfunk, kfax, kemail, "
         "rech, asgpr, angebot, asgpr"},
        {"auftrag", "faid, fid, fnr, fdatum, fstat, kid, kname, fandat, fliefs"},
        {"anach", "anaid, anid, anidauf, abez, apr, anein, asanz, azeit, angpr"},
        {"atran", "ataid, atid, fid, atbez, atpr, sein, atfak, asanz, asgpr"},
        {"aufpap", "apaid, apid, fid, pbez, ppr, apfor, apanz, apendpr"},
        {"asatz", "asaid, asid, asaufid, asbez, asanz, asfak, aspr, sein, asgpr"},
        {"satz", "said, sid, asbez, seinh, sfak, spr"},
        {"transport", "taid, atbez, atpr, sein, atfak"},
        {"text", "txid, fstat, txbez, tx 1, tx 2, skpro, sktage, zaziel"},
    };
    ASSERT_EQ(shell::listReports().size(), 28u);
    QSet<QString> procedures;
    for (const shell::ListReportDef &def : shell::listReports()) {
        SCOPED_TRACE(def.procedure);
        const FileDef &file = fileDef(def.key.file);
        EXPECT_FALSE(procedures.contains(QString::fromLatin1(def.procedure)));
        procedures.insert(QString::fromLatin1(def.procedure));
        EXPECT_EQ(shell::findListReport(def.procedure), &def);
        EXPECT_TRUE(QString::fromLatin1(def.title).startsWith(
            QStringLiteral("Print the %1 File by ").arg(QString::fromLatin1(file.label))));
        bool found = false;
        for (const auto &[label, names] : expected) {
            if (std::string_view(label) == file.label) {
                EXPECT_EQ(headings(def), QString::fromLatin1(names));
                found = true;
            }
        }
        EXPECT_TRUE(found) << file.label;
        // A column never reads a field from beyond the file's layout.
        for (const shell::ListReportColumn &column : def.columns)
            EXPECT_LT(column.field, file.fieldCount) << column.heading;
    }
    EXPECT_EQ(shell::findListReport("PrintXYZ:Keyabc"), nullptr);
}

TEST(ListReport, LongListNumbersItsPagesAndPrintsEveryRecordOnce)
{
    ensureGuiApplication();
    const shell::ListReportDef *def = shell::findListReport("PrintARB:Keyabez");
    ASSERT_NE(def, nullptr);
    RecordBuffer arbeit(FileId::arbeit);
    report::PageQueue queue;
    report::ListReport list(
        queue, QString::fromLatin1(def->title), shell::listColumns(*def, arbeit));
    constexpr int kRecords = 300;
    for (int n = 1; n <= kRecords; ++n) {
        arbeit.set(ARB::AAID, n);
        arbeit.set(ARB::AID, "A" + std::to_string(8201300000 + n));
        arbeit.set(ARB::ABEZ, "Schneiden Stapel " + std::to_string(1000 + n));
        arbeit.set(ARB::APR, 12.5 + n);
        arbeit.set(ARB::AEINH, "Stück");
        arbeit.set(ARB::AZEIT, 15);
        list.printDetail();
    }
    list.finish();
    ASSERT_TRUE(list.ok());
    ASSERT_GT(list.pageCount(), 3);
    EXPECT_EQ(queue.count(), list.pageCount());

    const QString text = pdftext::textOf(queue, QStringLiteral("PrintARB_Keyabez"));
    const QStringList pages = pdftext::pageLines(text);
    ASSERT_EQ(pages.size(), list.pageCount());
    for (qsizetype i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_TRUE(pages[i].startsWith(
            QStringLiteral("Print the arbeit File by ARB:Keyabez|aaid aid abez apr anein azeit|")));
        EXPECT_TRUE(pages[i].endsWith(QStringLiteral("|Page %1").arg(i + 1)));
    }
    for (int n = 1; n <= kRecords; ++n) {
        const QRegularExpression row(
            QStringLiteral("\\n *%1 +A%2 +Schneiden Stapel %3 +%4 +Stück +15\\n")
                .arg(n)
                .arg(8201300000 + n)
                .arg(1000 + n)
                .arg(QStringLiteral("%1,50").arg(12 + n)));
        EXPECT_EQ(text.count(row), 1) << n;
    }
}

TEST(ListReport, RecordWithManyFieldsContinuesInFurtherRows)
{
    ensureGuiApplication();
    const shell::ListReportDef *def = shell::findListReport("PrintKUN:Keykname");
    ASSERT_NE(def, nullptr);
    RecordBuffer kunde(FileId::kunde);
    report::PageQueue queue;
    report::ListReport list(
        queue, QString::fromLatin1(def->title), shell::listColumns(*def, kunde));
    const char *names[] = {"Bäckerei Sonnenschein GmbH", "Druckerei Müller & Söhne KG"};
    for (int n = 0; n < 2; ++n) {
        kunde.clear();
        kunde.set(KUN::KAID, n + 1);
        kunde.set(KUN::KID, "K820134501234" + std::to_string(n));
        kunde.set(KUN::KNAME, names[n]);
        kunde.set(KUN::KZHAND, "Frau Anna Becker");
        kunde.set(KUN::KSTR, "Lindenstraße 12");
        kunde.set(KUN::KPLZ, "79098");
        kunde.set(KUN::KORT, "Freiburg");
        kunde.set(KUN::KRAB, 2.5);
        kunde.set(KUN::KTEL, "0761 123456");
        kunde.set(KUN::KEMAIL, "info@example.de");
        kunde.set(KUN::LNAME, "Filiale Altstadt");
        kunde.set(KUN::KPERS1, "Herr Karl Schmidt");
        kunde.set(KUN::RECH, rt::dateFromYmd(2025, 7, 15));
        kunde.set(KUN::REUMSATZ, 12345.6);
        list.printDetail();
    }
    list.finish();
    pdftext::expectGolden(QStringLiteral(TESSARO_GOLDEN_DIR),
                          QStringLiteral("PrintKUN_Keykname"),
                          pdftext::textOf(queue, QStringLiteral("PrintKUN_Keykname")));
}

} // namespace
