// Two stations on one database server: a list open in this process shows the order another
// process adds, without a reload by the user, and keeps its highlighted row.

#include "listsfixture.h"

#include "support/pgserver.h"
#include "support/station.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

void order(ListsFixture &f, const std::string &id, const std::string &number)
{
    f.add(FileId::auftrag, [&](Records &r) {
        r.set(AUF::FID, id);
        r.set(AUF::FKUID, std::string("K1"));
        r.set(AUF::FNR, number);
        r.set(AUF::FSTAT, std::string("ANGEBOT"));
    });
}

// Lets the program run until the list shows `count` rows or a few seconds have passed.
QStringList shownOnceThere(ListsFixture &f, ProcWindow *window, int count)
{
    QElapsedTimer waited;
    waited.start();
    while (ListsFixture::shown(window).size() < count && waited.elapsed() < 5000) {
        f.gui.settle();
        QThread::msleep(20);
    }
    // For the record, not a limit: how long the other station's write took to show.
    std::printf("shown after %lld ms\n", static_cast<long long>(waited.elapsed()));
    return ListsFixture::shown(window);
}

TEST(LiveLists, AnOrderAddedByAnotherStationAppearsInTheOpenList)
{
    ListsFixture f(ListsFixture::OnServer{TestServer::instance().newPlace()});
    f.add(FileId::kunde, [](Records &r) {
        r.set(KUN::KID, std::string("K1"));
        r.set(KUN::KNAME, std::string("Druckerei Abel"));
    });
    order(f, "F1", "A-100");
    order(f, "F2", "A-200");
    ProcWindow *window = f.open("Browseauftrag", u" GESAMTÜBERSICHT   aller    AUFTRÄGE"_s);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(f.shown(window), (QStringList{u"A-100"_s, u"A-200"_s}));
    f.gui.pickRow(window, ListProcedure::kList, 2);
    ASSERT_EQ(f.highlighted(window), u"A-200"_s);

    ASSERT_EQ(runStation(f.folder.path(), {"add-order", "F3", "A-300"}), 0);
    EXPECT_EQ(shownOnceThere(f, window, 3), (QStringList{u"A-100"_s, u"A-200"_s, u"A-300"_s}));
    EXPECT_EQ(f.highlighted(window), u"A-200"_s);

    // The other station deletes the highlighted order: the list follows, on a neighbour.
    ASSERT_EQ(runStation(f.folder.path(), {"delete-order", "F2"}), 0);
    QElapsedTimer waited;
    waited.start();
    while (f.shown(window).contains(u"A-200"_s) && waited.elapsed() < 5000) {
        f.gui.settle();
        QThread::msleep(20);
    }
    EXPECT_EQ(f.shown(window), (QStringList{u"A-100"_s, u"A-300"_s}));
    EXPECT_FALSE(f.highlighted(window).isEmpty());
    f.gui.press(window, ListProcedure::kClose);
}

} // namespace
