// Every list and report of the main menu, run to its end on a shop's data, and every document
// of orders of each status: the sample catalogue, customers and orders with all their lines,
// every other record filled to the last character of its texts. The sanitizer build runs this
// like every test, so a fault anywhere on these roads ends the test program.

#include "framefixture.h"

#include "base/stddate.h"
#include "framework/listcontrol.h"
#include "framework/pagepreview.h"
#include "orders/core/orderthreadvalues.h"
#include "orders/reports/documentreports.h"
#include "shell/listreports/listreportprocedure.h"
#include "shell/listreports/listreporttable.h"
#include "shell/lists/listdefinitions.h"
#include "shell/lists/listprocedure.h"
#include "shell/menutree.h"
#include "shell/sampledata/sampledata.h"
#include "store/files.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using namespace Qt::Literals::StringLiterals;

constexpr int kCustomers = 36;
constexpr int kOrders = 30;
const std::array<const char *, 3> kStatuses = {"ANGEBOT", "LIEFERSCHEIN", "RECHNUNG"};

std::string numbered(const char *prefix, int n)
{
    return prefix + std::to_string(10000 + n).substr(1);
}

// A text of `width` characters that starts with `lead`: letters a record holds, umlauts too.
std::string textOfWidth(const std::string &lead, int width)
{
    static const QString words = u" Größe Übersicht Äpfel Maßband Öse Straße Müller"_s;
    QString text = QString::fromStdString(lead);
    while (text.size() < width)
        text += words;
    return text.left(width).toStdString();
}

// Every field of the record of `file` but its running number: every other record as long as
// its texts can be and with large amounts, the others short and ordinary.
void fillEveryField(RecordBuffer &record, FileId file, int n)
{
    const FileDef &def = fileDef(file);
    const bool brim = n % 2 == 1;
    for (int field = 0; field < def.fieldCount; ++field) {
        bool numbering = false;
        for (int k = 0; k < def.keyCount; ++k)
            numbering |= def.keys[k].autoNumber && def.keys[k].parts[0].field == field;
        if (numbering)
            continue;
        const FieldDef &f = def.fields[field];
        FieldValue value;
        switch (f.type) {
        case FieldType::String:
            value = textOfWidth(f.name + std::to_string(n),
                                brim ? f.size : std::min(12, int(f.size)));
            break;
        case FieldType::Long:
            value = std::int32_t(brim ? 999999 : n);
            break;
        case FieldType::Real:
            value = brim ? 987654.32 : 12.5 * n;
            break;
        case FieldType::Date:
            value = std::int32_t(rt::dateFromYmd(2026, 1 + n % 12, 1 + n % 28));
            break;
        case FieldType::Decimal:
            value = 2.0 + n % 3;
            break;
        }
        ASSERT_TRUE(record.setValue(field, value)) << def.qualifiedFieldName(field);
    }
}

// The shop's customers and orders beside the sample catalogue: every order with two print
// calculations, each with a paper and a typesetting line, further work, a transport and an
// entry of the print list.
class ShopData
{
public:
    explicit ShopData(StoreContext &store)
        : m_store(store)
    {}

    void fill()
    {
        for (int c = 1; c <= kCustomers; ++c) {
            add(FileId::kunde, c, [&](Records &r) { r.set(KUN::KID, numbered("K", c)); });
        }
        for (int o = 1; o <= kOrders; ++o) {
            const std::string order = numbered("F", o);
            add(FileId::auftrag, o, [&](Records &r) {
                r.set(AUF::FID, order);
                r.set(AUF::FKUID, numbered("K", 1 + o % kCustomers));
                r.set(AUF::FNR, numbered("A-", o));
                r.set(AUF::FSTAT, kStatuses[std::size_t(o) % kStatuses.size()]);
            });
            for (int k = 1; k <= 2; ++k) {
                const int n = o * 2 + k;
                const std::string calculation = numbered("KA", n);
                add(FileId::kaldruck, n, [&](Records &r) {
                    r.set(KAD::KAAID, calculation);
                    r.set(KAD::KAUFID, order);
                });
                add(FileId::aufpap, n, [&](Records &r) {
                    r.set(APA::APID, numbered("P", n));
                    r.set(APA::APAUFID, order);
                    r.set(APA::APKALID, calculation);
                });
                add(FileId::asatz, n, [&](Records &r) {
                    r.set(ASA::ASID, numbered("S", n));
                    r.set(ASA::ASAUFID, order);
                    r.set(ASA::ASKADID, calculation);
                });
            }
            add(FileId::anach, o, [&](Records &r) {
                r.set(ANA::ANID, numbered("N", o));
                r.set(ANA::ANIDAUF, order);
            });
            add(FileId::atran, o, [&](Records &r) {
                r.set(ATR::ATID, numbered("T", o));
                r.set(ATR::ATAUFID, order);
            });
            add(FileId::drucktem, o, [&](Records &r) {
                r.set(DRU::DAAID, numbered("D", o));
                r.set(DRU::DAUFID, order);
            });
        }
    }

private:
    template<typename Links>
    void add(FileId file, int n, Links links)
    {
        FileManager &manager = m_store.fileManager(file);
        manager.Open();
        ASSERT_EQ(manager.PrepareNewRecord(), Level::Benign);
        fillEveryField(m_store.records()[file], file, n);
        links(m_store.records());
        ASSERT_EQ(manager.Insert(), Level::Benign) << fileDef(file).label << ' ' << n;
        manager.Close();
    }

    StoreContext &m_store;
};

// The program on the shop's data, its menu's commands by what they start.
class MenuWalk : public FrameFixture
{
public:
    MenuWalk()
    {
        EXPECT_EQ(sampledata::fillSampleData(program->store()), sampledata::FillResult::Filled);
        ShopData(program->store()).fill();
        start();
    }

    // The command controls whose menu entries start `procedure`s that `kind` accepts.
    template<typename Kind>
    std::vector<std::pair<int, std::string>> commands(Kind kind)
    {
        std::vector<std::pair<int, std::string>> found;
        for (int control : frame().commands()) {
            const MenuItem *item = frame().command(control);
            if (item->command == MenuCommand::Procedure && kind(item->procedure))
                found.emplace_back(control, std::string(item->procedure));
        }
        return found;
    }

    // Chooses the entry and returns the window it opened.
    ProcWindow *choose(int control)
    {
        const QList<ProcWindow *> before = ProcWindow::openWindows();
        frame().commandAction(control)->trigger();
        settle();
        for (ProcWindow *w : ProcWindow::openWindows()) {
            if (!before.contains(w))
                return w;
        }
        return nullptr;
    }

    // The preview of a running report, once the report has handed it every page: the preview
    // opens with the first page and says, until the last one has come, that more follow.
    ProcWindow *preview()
    {
        const auto complete = [&] {
            ProcWindow *shown = window(u"Druck Vorschau"_s);
            return shown && shown->isHidden(PagePreview::ReportStatus) ? shown : nullptr;
        };
        if (!QTest::qWaitFor([&] { return settle() && complete() != nullptr; }, 60000))
            return nullptr;
        return complete();
    }

    // Pages to the last page; the number shown there.
    int pageToTheEnd(ProcWindow *preview)
    {
        auto *page = qobject_cast<QLineEdit *>(preview->control(PagePreview::CurrentPage));
        for (;;) {
            const QString shown = page->text().trimmed();
            preview->post(EventKind::Accepted, PagePreview::NextPage);
            settle();
            if (page->text().trimmed() == shown)
                return shown.toInt();
        }
    }

    // The pages the preview says it has: its page entry's tip names the last one.
    static int pagesStated(ProcWindow *preview)
    {
        const QString tip = preview->control(PagePreview::CurrentPage)->toolTip();
        return tip.isEmpty() ? 1 : tip.section(u' ', -1).toInt();
    }

    // Leaves the preview; true when every window of the report has gone.
    bool leave(ProcWindow *preview)
    {
        qobject_cast<QAbstractButton *>(preview->control(PagePreview::ExitButton))->click();
        return QTest::qWaitFor([&] { return settle() && ProcWindow::openWindows().isEmpty(); },
                               10000);
    }

    // The texts of message boxes open now; each is answered with OK.
    QStringList answerMessages()
    {
        QStringList texts;
        while (const auto message = answer(QMessageBox::Ok))
            texts << message->title + u": "_s + message->text;
        return texts;
    }
};

void pressKey(ListControl *list, Qt::Key key, MenuWalk &f)
{
    QTest::keyClick(list->view(), key);
    f.settle();
}

TEST(MenuWalk, EveryListWalksEachTabToItsEndAndBack)
{
    MenuWalk f;
    const auto lists = f.commands([](std::string_view p) { return shell::findList(p) != nullptr; });
    ASSERT_EQ(lists.size(), shell::listDefinitions().size() - 2) << "all but the selections";
    for (const auto &[control, procedure] : lists) {
        SCOPED_TRACE(procedure);
        const shell::ListDef *def = shell::findList(procedure);
        ProcWindow *window = f.choose(control);
        ASSERT_NE(window, nullptr);
        auto *sheet = qobject_cast<QTabWidget *>(window->control(ListProcedure::kSheet));
        ListControl *list = window->list(ListProcedure::kList);
        ASSERT_NE(list, nullptr);
        for (std::size_t tab = 0; tab < def->tabs.size(); ++tab) {
            SCOPED_TRACE(def->tabs[tab].text);
            if (sheet) {
                QTabBar *bar = sheet->tabBar();
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(int(tab)).center());
                f.settle();
            }
            if (def->tabs[tab].rangeOnOrder) {
                // Limited to the order in the buffer, of which the menu knows none.
                pressKey(list, Qt::Key_End, f);
                continue;
            }
            if (list->rowCount() == 0) {
                // The sample data has issued no document yet: only the lists of issued
                // documents and of their open items open empty.
                EXPECT_TRUE(std::string(procedure) == "Browsebeleg"
                            || std::string(procedure) == "Browseposten")
                    << procedure;
                pressKey(list, Qt::Key_End, f);
                continue;
            }
            ASSERT_GT(list->rowCount(), 1);
            pressKey(list, Qt::Key_Home, f);
            const QStringList first = list->row(list->highlighted());
            pressKey(list, Qt::Key_End, f);
            EXPECT_NE(list->row(list->highlighted()), first) << "the last record is another";
            pressKey(list, Qt::Key_Home, f);
            EXPECT_EQ(list->row(list->highlighted()), first);
        }
        EXPECT_TRUE(f.answerMessages().isEmpty());
        qobject_cast<QAbstractButton *>(window->control(ListProcedure::kClose))->click();
        f.settle();
        EXPECT_TRUE(ProcWindow::openWindows().isEmpty());
        EXPECT_EQ(f.app().ListWindowOpen, 0);
    }
}

TEST(MenuWalk, EveryListReportPrintsItsFileIntoThePreviewAndPagesToItsEnd)
{
    MenuWalk f;
    const auto reports
        = f.commands([](std::string_view p) { return shell::findListReport(p) != nullptr; });
    ASSERT_EQ(reports.size(), shell::listReports().size());
    for (const auto &[control, procedure] : reports) {
        SCOPED_TRACE(procedure);
        ASSERT_NE(f.choose(control), nullptr) << "its progress window";
        ProcWindow *preview = f.preview();
        ASSERT_NE(preview, nullptr) << f.answerMessages().join(u'\n').toStdString();
        EXPECT_EQ(f.pageToTheEnd(preview), MenuWalk::pagesStated(preview));
        EXPECT_TRUE(f.leave(preview));
        EXPECT_TRUE(f.answerMessages().isEmpty());
        EXPECT_EQ(f.app().ListWindowOpen, 0);
    }
}

TEST(MenuWalk, EveryDocumentOfOrdersOfEachStatusPrintsIntoThePreview)
{
    MenuWalk f;
    // The menu's invoice prints the order whose form was opened last.
    // (The shop's own data is the one other command that is neither list nor report.)
    const auto menuInvoice = f.commands([](std::string_view p) {
        return !shell::findList(p) && !shell::findListReport(p) && p != "Firmendaten";
    });
    ASSERT_EQ(menuInvoice.size(), 1u);
    f.app().LastOpenedOrderId = numbered("F", 2);
    ASSERT_NE(f.choose(menuInvoice[0].first), nullptr);
    ProcWindow *preview = f.preview();
    ASSERT_NE(preview, nullptr) << f.answerMessages().join(u'\n').toStdString();
    EXPECT_EQ(f.pageToTheEnd(preview), MenuWalk::pagesStated(preview));
    EXPECT_TRUE(f.leave(preview));

    // The order form's documents, on a thread that shows the order as the form's does.
    for (int o = 1; o <= 6; ++o) {
        for (int which = 0; which <= int(orders::DocumentReport::DrucANGmin); ++which) {
            const auto report = static_cast<orders::DocumentReport>(which);
            const std::string name = orders::documentReportName(report).toStdString();
            SCOPED_TRACE(name + " of order " + std::to_string(o));
            AppContext &app = f.app();
            startProcedure(QString::fromStdString(name), [&app, name, o] {
                app.threadSlot<orders::OrderThreadValues>().CurrentOrderId = numbered("F", o);
                app.call(name);
            });
            preview = f.preview();
            ASSERT_NE(preview, nullptr) << f.answerMessages().join(u'\n').toStdString();
            EXPECT_EQ(f.pageToTheEnd(preview), MenuWalk::pagesStated(preview));
            EXPECT_TRUE(f.leave(preview));
            EXPECT_TRUE(f.answerMessages().isEmpty());
        }
    }
}

TEST(MenuWalk, ReportsChosenInQuickSuccessionEachEndWhenLeft)
{
    MenuWalk f;
    const auto reports
        = f.commands([](std::string_view p) { return shell::findListReport(p) != nullptr; });
    // Clicked through without waiting: a guarded report refuses to start beside another.
    for (const auto &[control, procedure] : reports)
        f.frame().commandAction(control)->trigger();
    for (int round = 0; round < 200 && !ProcWindow::openWindows().isEmpty(); ++round) {
        f.answerMessages();
        if (ProcWindow *preview = f.window(u"Druck Vorschau"_s))
            qobject_cast<QAbstractButton *>(preview->control(PagePreview::ExitButton))->click();
        QTest::qWait(10);
        f.settle();
    }
    EXPECT_TRUE(ProcWindow::openWindows().isEmpty());
    EXPECT_EQ(f.app().ListWindowOpen, 0);
}

} // namespace
