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
    QStringList tabs;
    QStringList headings;
    bool guarded;
    QString close;
};

const QStringList kCustomerTabs = {u"KUN:Keyid"_s,
                                   u"KUN:Keykaid"_s,
                                   u"Sortiert n. Namen   "_s,
                                   u"sortiert n. Ort     "_s,
                                   u"sortiert n. PLZ    "_s};
const QStringList kCustomerHeadings
    = {u"Firma / Name"_s, u"Strasse"_s, u"PLZ"_s, u"Ort"_s, u"Telefon"_s, u"Fax"_s, u"E-Mail"_s};

const std::vector<Expected> &expectedLists()
{
    static const std::vector<Expected> lists = {
        {"Browsepapier",
         u" Auswahl  PAPIER - SORTEN  "_s,
         {u"sortiert nach Papier- Bezeichnung"_s, u"PAP:Keyapap"_s},
         {u"PAPIER- Sorte / Bezeichng."_s,
          u"Preis/ EUR"_s,
          u"VPE zu"_s,
          u"Einheit"_s,
          u"mm max"_s,
          u"mm min"_s,
          u"Gewicht"_s,
          u"EK 1 Preis"_s,
          u"EK 2 Preis"_s},
         true,
         u"  OK"_s},
        {"Browsemaschin",
         u"Übersicht - DRUCKMASCHINEN "_s,
         {u"sortiert nach Bezeichnung"_s, u"MAS:Keymaid"_s},
         {u"Maschine- Bez."_s,
          u"Format"_s,
          u"max. Drucklän."_s,
          u"max. Druckbr."_s,
          u"Anzahl der Farben"_s,
          u"Drucke/ Stunde  (mittel)"_s,
          u"Preis/ EUR pro Druck"_s},
         true,
         u"  OK"_s},
        {"Browsearbeit",
         u"WEITERVERARBEITUNG   alle erfassten Stammdaten"_s,
         {u"STAMMDATEN - Weiterverarbeitung"_s, u"ARB:Keyaaid"_s},
         {u"Tätigkeits- Beschreibung"_s, u"Preis/ EUR"_s, u"je Einheit"_s, u"in Minuten"_s},
         true,
         u"  OK"_s},
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
          u"kax"_s},
         false,
         u"Close"_s},
        {"Browsekunde",
         u"KUNDEN   -  ÜBERSICHT   "_s,
         kCustomerTabs,
         kCustomerHeadings,
         true,
         u"  OK"_s},
        {"Browseauftrag",
         u" GESAMTÜBERSICHT   aller    AUFTRÄGE"_s,
         {u"AUF:Keykuid"_s,
          u"sortiert n. Auftragsdatum"_s,
          u"sortiert n. Kunde/ Firma"_s,
          u"AUF:Keyfnr"_s,
          u"AUF:Keyfaid"_s,
          u"sortiert n. Status"_s},
         {u"Auftr.-Nummer"_s,
          u"Auftr.-Datum"_s,
          u"Auftr.-Status"_s,
          u"Kurzbeschr."_s,
          u"Kunde/ Firma"_s,
          u"PLZ"_s,
          u"Ort"_s,
          u"Brutto-Preis (Ang.+Rech.)"_s},
         true,
         u"  OK"_s},
        {"Browseanach",
         u"Browse the anach File"_s,
         {u"ANA:Keydidauf"_s, u"ANA:Keydaid"_s},
         {u"anaid"_s,
          u"anid"_s,
          u"anidauf"_s,
          u"abez"_s,
          u"apr"_s,
          u"anein"_s,
          u"asanz"_s,
          u"azeit"_s,
          u"angpr"_s},
         false,
         u"Close"_s},
        {"Browseatran",
         u"Browse the atran File"_s,
         {u"ATR:Keytaid"_s, u"ATR:Keytid"_s, u"ATR:Kaufid"_s, u"ATR:Keytbez"_s},
         {u"ataid"_s,
          u"atid"_s,
          u"fid"_s,
          u"atbez"_s,
          u"atpr"_s,
          u"sein"_s,
          u"atfak"_s,
          u"asanz"_s,
          u"asgpr"_s},
         false,
         u"Close"_s},
        {"Browseaufpap",
         u"Browse the aufpap File"_s,
         {u"APA:Keyapaid"_s, u"APA:Keyapid"_s, u"APA:Kaufid"_s},
         {u"apaid"_s,
          u"apid"_s,
          u"fid"_s,
          u"pbez"_s,
          u"ppr"_s,
          u"apfor"_s,
          u"apanz"_s,
          u"apendpr"_s},
         false,
         u"Close"_s},
        {"Browseasatz",
         u"Browse the asatz File"_s,
         {u"ASA:Keyasaufid"_s, u"ASA:Keyasaid"_s},
         {u"asaid"_s,
          u"asid"_s,
          u"asaufid"_s,
          u"asbez"_s,
          u"asanz"_s,
          u"asfak"_s,
          u"aspr"_s,
          u"sein"_s,
          u"asgpr"_s},
         false,
         u"Close"_s},
        {"Browsesatz",
         u"  SATZ- / VERARBEITUNG  Tätigkeiten    Stammdaten"_s,
         {u"  sortiert Nach Tätigkeits - Beschreibung    "_s, u"SAT:Keysaid"_s},
         {u"Satz- / Verarbeitung -Tätigkeit"_s,
          u"Preis/ EUR"_s,
          u"je Einheit"_s,
          u"Faktor / Schwierigkeitsgrad"_s},
         true,
         u"  OK"_s},
        {"Browsetransport",
         u" TRANSPORT - KOSTEN      Stammdaten"_s,
         {u"sortiert nach Transport - Art   "_s},
         {u"Transport - Art"_s, u"Preis/ EUR"_s, u"je Einheit"_s, u"Faktor ( Aufschlag )"_s},
         true,
         u"  OK"_s},
        {"Browsetext",
         u"  TEXTE - Stammdaten "_s,
         {u"sortiert nach Kennung   "_s},
         {u"Kennung"_s,
          u"Kurzbeschreibung"_s,
          u"Textfeld 1"_s,
          u"Textfeld 2"_s,
          u"Skonto in %"_s,
          u"Sk.-Tage"_s,
          u"Zahlgs.Ziel"_s},
         true,
         u"  OK"_s},
        {"Bowselief",
         u"  Übersicht   LIFERANTEN - ANGABEN    (Stammdaten)"_s,
         {u"LIE:Keyliad"_s,
          u"sortiert nach  Namen"_s,
          u"sortiert nach  PLZ   "_s,
          u"sortiert nach ORT   "_s},
         {u"Lieferant  Firm/ Name)"_s, u"z.Hd."_s, u"Strasse"_s, u"PLZ"_s, u"Ort"_s, u"Telefon"_s},
         true,
         u"  OK"_s},
        {"Selectauftrag",
         u"Select a auftrag Record"_s,
         {u"AUF:Keykuid"_s,
          u"AUF:Keyfid"_s,
          u"AUF:Keyfname"_s,
          u"AUF:Keyfnr"_s,
          u"AUF:Keyfaid"_s,
          u"AUF:Keystatus"_s},
         {u"faid"_s,
          u"fid"_s,
          u"fnr"_s,
          u"fdatum"_s,
          u"fstat"_s,
          u"kid"_s,
          u"kname"_s,
          u"fandat"_s,
          u"fliefs"_s},
         false,
         u"Close"_s},
        {"Selectkunde",
         u"Select a kunde Record"_s,
         {u"KUN:Keyid"_s, u"KUN:Keykaid"_s, u"KUN:Keykname"_s, u"KUN:Keykort"_s, u"KUN:Keykplz"_s},
         {u"kaid"_s,
          u"kid"_s,
          u"kname"_s,
          u"kzhand"_s,
          u"kstr"_s,
          u"kplz"_s,
          u"kort"_s,
          u"krab"_s,
          u"ktel"_s},
         false,
         u"Close"_s},
        {"Brodrukunde",
         u"KUNDEN   -  ÜBERSICHT für DRUCK"_s,
         kCustomerTabs,
         kCustomerHeadings,
         true,
         u"  OK"_s},
    };
    return lists;
}

QString buttonText(ProcWindow *window, int control)
{
    auto *button = qobject_cast<QPushButton *>(window->control(control));
    return button ? button->text() : QString();
}

TEST(Lists, EveryListOpensWithItsTitleTabsAndHeadingsUnderItsName)
{
    ASSERT_EQ(shell::listDefinitions().size(), expectedLists().size());
    ListsFixture f;
    for (const Expected &e : expectedLists()) {
        SCOPED_TRACE(e.procedure);
        ASSERT_TRUE(f.app->procedures().contains(e.procedure));
        ASSERT_NE(shell::findList(e.procedure), nullptr);
        ProcWindow *window = f.open(e.procedure, e.title);
        ASSERT_NE(window, nullptr) << "no window titled '" << e.title.toStdString() << "'";
        EXPECT_EQ(f.tabTexts(window), e.tabs);
        EXPECT_EQ(f.headings(window), e.headings);
        EXPECT_EQ(buttonText(window, ListProcedure::kClose), e.close);
        EXPECT_EQ(f.app->ListWindowOpen, e.guarded ? 1 : 0);
        // The close button answers Cancelled and gives the guard back.
        f.gui.press(window, ListProcedure::kClose);
        EXPECT_EQ(f.gui.window(e.title), nullptr);
        EXPECT_EQ(f.app->ListWindowOpen, 0);
        EXPECT_EQ(f.app->LastResponse, Response::Cancelled);
    }
    // The file of each list was created by opening it.
    EXPECT_EQ(f.count(FileId::lieferant), 0);
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
    ProcWindow *window = f.open("Browseauftrag", u" GESAMTÜBERSICHT   aller    AUFTRÄGE"_s);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(f.shown(window, 7), QStringList{u"1.190,00"_s});
    const QByteArray dir = qgetenv("TESSARO_GRAB_DIR");
    const QString folder = dir.isEmpty() ? QString::fromStdString(f.folder.path().string())
                                         : QString::fromLocal8Bit(dir);
    EXPECT_TRUE(f.gui.grab(window, folder + u"/Browseauftrag.png"_s));
    f.gui.press(window, ListProcedure::kClose);
}

} // namespace
