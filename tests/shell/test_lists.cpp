// The list windows as the user meets them: every list opens with its title, tabs and column
// headings; tab 1 shows the order added last; one guarded window at a time.

#include "listsfixture.h"

#include "framework/procedurethreads.h"

#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using namespace Qt::Literals::StringLiterals;

struct Expected
{
    std::string procedure;
    QString title;
    int tabs;
    int columns;
    bool guarded;
    QString close;
};

// clang-format off
const Expected kLists[] = {
    {"Browsepapier", u" Auswahl  PAPIER - SORTEN  "_s, 2, 9, true, u"  OK"_s},
    {"Browsemaschin", u"Übersicht - DRUCKMASCHINEN "_s, 2, 7, true, u"  OK"_s},
    {"Browsearbeit", u"WEITERVERARBEITUNG   alle erfassten Stammdaten"_s, 2, 4, true, u"  OK"_s},
    {"Browsekaldruck", u"Browse the kaldruck File"_s, 2, 9, false, u"Close"_s},
    {"Browsekunde", u"KUNDEN   -  ÜBERSICHT   "_s, 5, 7, true, u"  OK"_s},
    {"Browseauftrag", u" GESAMTÜBERSICHT   aller    AUFTRÄGE"_s, 6, 8, true, u"  OK"_s},
    {"Browseanach", u"Browse the anach File"_s, 2, 9, false, u"Close"_s},
    {"Browseatran", u"Browse the atran File"_s, 4, 9, false, u"Close"_s},
    {"Browseaufpap", u"Browse the aufpap File"_s, 3, 8, false, u"Close"_s},
    {"Browseasatz", u"Browse the asatz File"_s, 2, 9, false, u"Close"_s},
    {"Browsesatz", u"  SATZ- / VERARBEITUNG  Tätigkeiten    Stammdaten"_s, 2, 4, true, u"  OK"_s},
    {"Browsetransport", u" TRANSPORT - KOSTEN      Stammdaten"_s, 1, 4, true, u"  OK"_s},
    {"Browsetext", u"  TEXTE - Stammdaten "_s, 1, 7, true, u"  OK"_s},
    {"Bowselief", u"  Übersicht   LIFERANTEN - ANGABEN    (Stammdaten)"_s, 4, 6, true, u"  OK"_s},
    {"Selectauftrag", u"Select a auftrag Record"_s, 6, 9, false, u"Close"_s},
    {"Selectkunde", u"Select a kunde Record"_s, 5, 9, false, u"Close"_s},
    {"Brodrukunde", u"KUNDEN   -  ÜBERSICHT für DRUCK"_s, 5, 7, true, u"  OK"_s},
    {"Browsebeleg", u"BELEGE  -  ausgestellte Rechnungen und Stornos"_s, 3, 9, false, u"  OK"_s},
    {"Browseposten", u"OFFENE POSTEN  -  nicht bezahlte Rechnungen"_s, 2, 8, false, u"  OK"_s},
};
// clang-format on

QString buttonText(ProcWindow *window, int control)
{
    auto *button = qobject_cast<QPushButton *>(window->control(control));
    return button ? button->text() : QString();
}

QStringList texts(const std::vector<std::string> &values)
{
    QStringList list;
    for (const std::string &value : values)
        list << QString::fromStdString(value);
    return list;
}

TEST(Lists, EveryListOpensWithItsTitleTabsAndHeadingsUnderItsName)
{
    ASSERT_EQ(shell::listDefinitions().size(), std::size(kLists));
    ListsFixture f;
    for (const Expected &e : kLists) {
        SCOPED_TRACE(e.procedure);
        ASSERT_TRUE(f.app->procedures().contains(e.procedure));
        const shell::ListDef *def = shell::findList(e.procedure);
        ASSERT_NE(def, nullptr);
        std::vector<std::string> tabs, headings;
        for (const shell::ListTab &tab : def->tabs)
            tabs.push_back(tab.text);
        for (const shell::ListColumn &column : def->columns)
            headings.push_back(column.heading);
        ASSERT_EQ(static_cast<int>(tabs.size()), e.tabs);
        ASSERT_EQ(static_cast<int>(headings.size()), e.columns);

        ProcWindow *window = f.open(e.procedure, e.title);
        ASSERT_NE(window, nullptr) << "no window titled '" << e.title.toStdString() << "'";
        EXPECT_EQ(f.tabTexts(window), texts(tabs));
        EXPECT_EQ(f.headings(window), texts(headings));
        EXPECT_EQ(buttonText(window, ListProcedure::kClose), e.close);
        EXPECT_EQ(f.app->ListWindowOpen, e.guarded ? 1 : 0);
        // The close button answers Cancelled and gives the guard back.
        f.gui.press(window, ListProcedure::kClose);
        EXPECT_EQ(f.gui.window(e.title), nullptr);
        EXPECT_EQ(f.app->ListWindowOpen, 0);
        EXPECT_EQ(f.app->LastResponse, Response::Cancelled);
    }
}

// The texts the windows show, blanks included, for the lists whose texts are most easily
// got wrong.
TEST(Lists, TabTextsAndHeadingsStandAsTheUserKnowsThem)
{
    struct Case
    {
        std::string procedure;
        QString title;
        QStringList tabs;
        QStringList headings;
    };
    const Case cases[] = {
        {"Browsekunde",
         u"KUNDEN   -  ÜBERSICHT   "_s,
         {u"KUN:Keyid"_s,
          u"KUN:Keykaid"_s,
          u"Sortiert n. Namen   "_s,
          u"sortiert n. Ort     "_s,
          u"sortiert n. PLZ    "_s},
         {u"Firma / Name"_s,
          u"Strasse"_s,
          u"PLZ"_s,
          u"Ort"_s,
          u"Telefon"_s,
          u"Fax"_s,
          u"E-Mail"_s}},
        {"Browsekaldruck",
         u"Browse the kaldruck File"_s,
         {u"KAD:Keyaufid"_s, u"KAD:Keyadid"_s},
         {u"kaid"_s,
          u""_s,
          u"fid"_s,
          u"abez"_s,
          u"kaal"_s,
          u"kaso"_s,
          u"kafarbe"_s,
          u"kay"_s,
          u"kax"_s}},
        {"Bowselief",
         u"  Übersicht   LIFERANTEN - ANGABEN    (Stammdaten)"_s,
         {u"LIE:Keyliad"_s,
          u"sortiert nach  Namen"_s,
          u"sortiert nach  PLZ   "_s,
          u"sortiert nach ORT   "_s},
         {u"Lieferant  Firm/ Name)"_s, u"z.Hd."_s, u"Strasse"_s, u"PLZ"_s, u"Ort"_s, u"Telefon"_s}},
        {"Browsesatz",
         u"  SATZ- / VERARBEITUNG  Tätigkeiten    Stammdaten"_s,
         {u"  sortiert Nach Tätigkeits - Beschreibung    "_s, u"SAT:Keysaid"_s},
         {u"Satz- / Verarbeitung -Tätigkeit"_s,
          u"Preis/ EUR"_s,
          u"je Einheit"_s,
          u"Faktor / Schwierigkeitsgrad"_s}},
    };
    ListsFixture f;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.procedure);
        ProcWindow *window = f.open(c.procedure, c.title);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(f.tabTexts(window), c.tabs);
        EXPECT_EQ(f.headings(window), c.headings);
        f.gui.press(window, ListProcedure::kClose);
    }
}

TEST(Lists, ButtonsFollowTheKindOfList)
{
    struct Case
    {
        std::string procedure;
        QString title;
        QStringList buttons; // controls 2, 3, 4, 5
    };
    const Case cases[] = {
        {"Browsearbeit",
         u"WEITERVERARBEITUNG   alle erfassten Stammdaten"_s,
         {u"&Insert"_s, u"&Change"_s, u"&Delete"_s, {}}},
        {"Bowselief",
         u"  Übersicht   LIFERANTEN - ANGABEN    (Stammdaten)"_s,
         {u"&Select"_s, u"&Insert"_s, u"&Change"_s, u"&Delete"_s}},
        {"Selectauftrag", u"Select a auftrag Record"_s, {u"&Select"_s, {}, {}, {}}},
        {"Browsekunde",
         u"KUNDEN   -  ÜBERSICHT   "_s,
         {u"&Insert"_s,
          u"ÄNDERN der Kundenangaben /  NEU Aufträge - / Löschen Aufträge"_s,
          u"Kunde LÖSCHEN"_s,
          {}}},
        {"Brodrukunde",
         u"KUNDEN   -  ÜBERSICHT für DRUCK"_s,
         {{}, u" Übersicht alle Aufträge für diesen Kunden !"_s, {}, {}}},
    };
    ListsFixture f;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.procedure);
        ProcWindow *window = f.open(c.procedure, c.title);
        ASSERT_NE(window, nullptr);
        for (int control = 2; control <= 5; ++control)
            EXPECT_EQ(buttonText(window, control), c.buttons[control - 2]) << "control " << control;
        f.gui.press(window, ListProcedure::kClose);
    }
}

TEST(Lists, TabOneShowsTheOrderAddedLastAndTabTwoTheFirst)
{
    const struct
    {
        int tab;
        int tabs;
        int order;
    } cases[] = {{1, 1, 1}, {1, 2, 2}, {2, 2, 1}, {1, 6, 6}, {2, 6, 1}, {6, 6, 5}, {0, 3, 3}};
    for (const auto &c : cases) {
        EXPECT_EQ(shell::orderOfTab(c.tab, c.tabs), c.order) << c.tab << " of " << c.tabs;
        if (c.tab >= 1) {
            EXPECT_EQ(shell::tabOfOrder(c.order, c.tabs), c.tab) << c.order << " of " << c.tabs;
        }
    }

    // Names and internal numbers in opposite orders: tab 1 sorts by name, tab 2 by number.
    ListsFixture f;
    for (const char *name : {"Zeta Offset", "Alpha Bilderdruck", "Mitte Recycling"})
        f.add(FileId::papier, [&](Records &r) { r.set(PAP::PBEZ, std::string(name)); });
    ProcWindow *window = f.open("Browsepapier", u" Auswahl  PAPIER - SORTEN  "_s);
    ASSERT_NE(window, nullptr);
    const QStringList byName = {u"Alpha Bilderdruck"_s, u"Mitte Recycling"_s, u"Zeta Offset"_s};
    const QStringList byNumber = {u"Zeta Offset"_s, u"Alpha Bilderdruck"_s, u"Mitte Recycling"_s};
    EXPECT_EQ(f.shown(window), byName);
    f.gui.switchTab(window, ListProcedure::kSheet, 2);
    EXPECT_EQ(f.shown(window), byNumber);
    f.gui.switchTab(window, ListProcedure::kSheet, 1);
    EXPECT_EQ(f.shown(window), byName);
    f.gui.press(window, ListProcedure::kClose);
}

TEST(Lists, ColumnsShowNumbersAndDatesByTheirPictures)
{
    ListsFixture f;
    f.add(FileId::papier, [](Records &r) {
        r.set(PAP::PBEZ, std::string("Bilderdruck"));
        r.set(PAP::PPR, 1234.5);
        r.set(PAP::PVPE, 500.0);
        r.set(PAP::PMAX, 700.0);
    });
    ProcWindow *window = f.open("Browsepapier", u" Auswahl  PAPIER - SORTEN  "_s);
    ASSERT_NE(window, nullptr);
    const QStringList row = window->list(ListProcedure::kList)->row(1);
    ASSERT_EQ(row.size(), 9);
    EXPECT_EQ(row[0], u"Bilderdruck"_s);
    EXPECT_EQ(row[1], u"1.234,50"_s);
    EXPECT_EQ(row[2], u"500"_s);
    EXPECT_EQ(row[4], u"700,0"_s);
    EXPECT_EQ(row[7], u"0,00"_s);
    f.gui.press(window, ListProcedure::kClose);
}

// Counts, lengths and quantities are written the way Germans write them, thousands grouped,
// and a quantity of part of a packing unit keeps its places.
TEST(Lists, EveryNumberColumnGroupsItsThousands)
{
    struct Case
    {
        const char *procedure;
        QString title;
        FileId file;
        std::function<void(Records &)> fill;
        int column;
        QString shown;
    };
    const Case cases[] = {
        {"Browsepapier",
         u" Auswahl  PAPIER - SORTEN  "_s,
         FileId::papier,
         [](Records &r) { r.set(PAP::PVPE, 2500.0); },
         2,
         u"2.500"_s},
        {"Browsepapier",
         u" Auswahl  PAPIER - SORTEN  "_s,
         FileId::papier,
         [](Records &r) { r.set(PAP::PMAX, 1000.0); },
         4,
         u"1.000,0"_s},
        {"Browsemaschin",
         u"Übersicht - DRUCKMASCHINEN "_s,
         FileId::maschin,
         [](Records &r) { r.set(MAS::DZMITTEL, 12000.0); },
         5,
         u"12.000"_s},
        {"Browsekaldruck",
         u"Browse the kaldruck File"_s,
         FileId::kaldruck,
         [](Records &r) { r.set(KAD::KAAL, 10000.0); },
         4,
         u"10.000"_s},
        {"Browseanach",
         u"Browse the anach File"_s,
         FileId::anach,
         [](Records &r) { r.set(ANA::ANANZ, 1500.0); },
         6,
         u"1.500,00"_s},
        {"Browseaufpap",
         u"Browse the aufpap File"_s,
         FileId::aufpap,
         [](Records &r) { r.set(APA::APANZ, 0.25); },
         6,
         u"0,2500"_s},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.procedure) + " column " + std::to_string(c.column));
        ListsFixture f;
        f.add(c.file, c.fill);
        ProcWindow *window = f.open(c.procedure, c.title);
        ASSERT_NE(window, nullptr);
        // The order-line lists show the lines of the order in the buffer on their first tab.
        if (ListsFixture::shown(window).isEmpty())
            f.gui.switchTab(window, ListProcedure::kSheet, 2);
        ASSERT_EQ(ListsFixture::shown(window).size(), 1);
        EXPECT_EQ(ListsFixture::shown(window, c.column).front(), c.shown);
        f.gui.press(window, ListProcedure::kClose);
    }
}

// Browsemaschin holds the guard; Browsepapier is refused until it is given back, whichever
// way the holding window closes.
TEST(Lists, OneGuardedListAtATimeAndTheGuardIsGivenBackHoweverTheWindowCloses)
{
    const QString machines = u"Übersicht - DRUCKMASCHINEN "_s;
    const QString papers = u" Auswahl  PAPIER - SORTEN  "_s;
    for (const bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "close button");
        ListsFixture f;
        ProcWindow *holder = f.open("Browsemaschin", machines);
        ASSERT_NE(holder, nullptr);
        EXPECT_EQ(f.app->ListWindowOpen, 1);

        f.app->start("Browsepapier");
        f.gui.settle();
        const auto refused = f.gui.answer(MessageButton::Ok);
        ASSERT_TRUE(refused.has_value());
        EXPECT_EQ(refused->title, u"U u u p p p s s"_s);
        EXPECT_EQ(refused->text, u"Bitte verlassen Sie erst die geöffneten Menüs."_s);
        EXPECT_EQ(f.gui.window(papers), nullptr) << "the refused window closes at once";
        EXPECT_EQ(f.app->ListWindowOpen, 1) << "the refused window does not give back a guard";
        EXPECT_NE(f.gui.window(machines), nullptr);

        // A list that is not guarded opens beside it.
        ProcWindow *lines = f.open("Browsekaldruck", u"Browse the kaldruck File"_s);
        ASSERT_NE(lines, nullptr);
        f.gui.press(lines, ListProcedure::kClose);
        EXPECT_EQ(f.app->ListWindowOpen, 1);

        if (closeBox)
            f.gui.closeBox(holder);
        else
            f.gui.press(holder, ListProcedure::kClose);
        EXPECT_EQ(f.gui.window(machines), nullptr);
        EXPECT_EQ(f.app->ListWindowOpen, 0);

        ProcWindow *second = f.open("Browsepapier", papers);
        ASSERT_NE(second, nullptr);
        EXPECT_TRUE(f.gui.openMessages().isEmpty());
        EXPECT_EQ(f.app->ListWindowOpen, 1);
        f.gui.closeBox(second);
        EXPECT_EQ(f.app->ListWindowOpen, 0);
    }
}

TEST(Lists, TheFrameClosingDownGivesTheGuardBack)
{
    ListsFixture f;
    ASSERT_NE(f.open("Browsetext", u"  TEXTE - Stammdaten "_s), nullptr);
    ASSERT_EQ(f.app->ListWindowOpen, 1);
    bool ended = false;
    closeDownProcedures(f.gui.area(), [&] { ended = true; });
    f.gui.settle();
    EXPECT_TRUE(ended);
    EXPECT_EQ(f.gui.window(u"  TEXTE - Stammdaten "_s), nullptr);
    EXPECT_EQ(f.app->ListWindowOpen, 0);
}

TEST(Lists, TheTextListShowsTheLegendOfTheTextKinds)
{
    ListsFixture f;
    ProcWindow *window = f.open("Browsetext", u"  TEXTE - Stammdaten "_s);
    ASSERT_NE(window, nullptr);
    QStringList legend;
    for (int control = ListProcedure::kFirstLegend; window->control(control); ++control)
        legend << f.gui.text(window, control);
    EXPECT_EQ(
        legend,
        (QStringList{u"EL = Erläuterung"_s, u"ZA = Zahlungsziel"_s, u"IN = Informationstext"_s}));
    f.gui.press(window, ListProcedure::kClose);
}

// The grab is written where TESSARO_GRAB_DIR points, to be looked at; by default into the
// test's folder.
TEST(Lists, TheOrderListGrabsToAnImage)
{
    ListsFixture f;
    f.add(FileId::auftrag, [](Records &r) {
        r.set(AUF::FID, std::string("F1"));
        r.set(AUF::FNR, std::string("A-100"));
        r.set(AUF::FSTAT, std::string("ANGEBOT"));
        r.set(AUF::FKURZ, std::string("Briefbogen"));
        r.set(AUF::FNAME, std::string("Druckerei Abel"));
        r.set(AUF::FPLZ, std::string("10115"));
        r.set(AUF::FORT, std::string("Berlin"));
        r.set(AUF::BRUTTO, 1190.0);
        r.set(AUF::FDATUM, 82000);
    });
    f.add(FileId::auftrag, [](Records &r) {
        r.set(AUF::FID, std::string("F2"));
        r.set(AUF::FNR, std::string("A-200"));
        r.set(AUF::FSTAT, std::string("RECHNUNG"));
        r.set(AUF::FNAME, std::string("Verlag Bauer"));
        r.set(AUF::BRUTTO, 59.5);
    });
    ProcWindow *window = f.open("Browseauftrag", u" GESAMTÜBERSICHT   aller    AUFTRÄGE"_s);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(f.shown(window, 7), (QStringList{u"1.190,00"_s, u"59,50"_s}));
    const QByteArray dir = qgetenv("TESSARO_GRAB_DIR");
    const QString folder = dir.isEmpty() ? QString::fromStdString(f.folder.path().string())
                                         : QString::fromLocal8Bit(dir);
    EXPECT_TRUE(f.gui.grab(window, folder + u"/Browseauftrag.png"_s));
    f.gui.press(window, ListProcedure::kClose);
}

} // namespace
