// The five pages of the print calculation form, the mode selector and the hint above them.

#include "costing/forms/kaldruck.h"
#include "costing/forms/kaldrucklayoutview.h"
#include "framework/formbuilder.h"
#include "framework/listcontrol.h"
#include "framework/procwindow.h"
#include "framework/radiogroup.h"
#include "store/files.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace C = KaldruckControl;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kMoney = u"@n12.2"_s;
const QString kCount = u"@n10"_s;
const QString kLength = u"@n_8.1"_s;
// Descriptions of 35 characters.
constexpr int kTextWidth = 260;

QLabel *note(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(false);
    return label;
}

QFormLayout *formRows(QBoxLayout *into)
{
    auto *rows = new QFormLayout;
    // Numbers of a few digits read badly across a wide page.
    rows->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    into->addLayout(rows);
    return rows;
}

QPushButton *pageButton(ProcWindow &window, int control, const QString &text, QWidget *parent)
{
    auto *push = new QPushButton(text, parent);
    push->setAutoDefault(false);
    window.addControl(control, push);
    return push;
}

} // namespace

void Updatekaldruck::defineWindow(FormBuilder &form)
{
    ProcWindow &window = form.window();
    QWidget *content = window.content();

    auto *sheet = new QTabWidget(content);
    form.rows()->addRow(sheet);
    // The hint stands beside the tabs it points at, not on a row of its own.
    auto *hint
        = new QLabel(u"<===  Umschalten  auf  TAB - Reiter mit der MAUS   klicken"_s, content);
    sheet->setCornerWidget(hint, Qt::TopRightCorner);
    window.addControl(C::Hint, hint, hint->text());
    window.addControl(C::Pages, sheet, u"Kalkulation"_s);
    struct Page
    {
        int control;
        QString title;
        void (Updatekaldruck::*define)(FormBuilder &, QWidget *);
    };
    const Page pages[] = {
        {C::CalculationPage, u"KALKULATION"_s, &Updatekaldruck::defineCalculationPage},
        {C::DistributionPage,
         u" NUTZEN  -  KALKULATION  "_s,
         &Updatekaldruck::defineDistributionPage},
        {C::SimplePage,
         u"  EINFACHE / SCHNELL -  Kalkulation"_s,
         &Updatekaldruck::defineSimplePage},
        {C::PaperPage, u"  PAPIERSORTE / - MENGE "_s, &Updatekaldruck::definePaperPage},
        {C::TypesettingPage,
         u"   SATZ-/ VERARBEITUNG  etc."_s,
         &Updatekaldruck::defineTypesettingPage},
    };
    QFormLayout *windowRows = form.rows();
    for (const Page &page : pages) {
        auto *widget = new QWidget;
        sheet->addTab(widget, page.title);
        window.addControl(page.control, widget, page.title.trimmed());
        (this->*page.define)(form, widget);
    }
    form.setRows(windowRows);

    auto *selector = new QHBoxLayout;
    auto *modes = new RadioGroup(u"AUSWAHL -  Kalkulationsverfahren"_s, content);
    modes->addOption(u"Druckmaschinen- Kalkulation"_s, std::int32_t{0});
    modes->addOption(u"Einfach- Kalkulation"_s, std::int32_t{1});
    modes->addOption(u"Schnell- Kalkulation"_s, std::int32_t{2});
    modes->setHorizontal();
    selector->addWidget(modes);
    // Each sentence on one line beside the choice, so that the form keeps its height.
    auto *explanation = new QGridLayout;
    const QString lines[2][2] = {
        {u"Ermittlung aller detaillierten Werte auf Grund der"_s, u"Druckmaschinen- Parameter."_s},
        {u"Einfach- und Schnell- Kalkulation = vereinfachte Kalkulat."_s,
         u"der Druckpreis Gesamt wird  MANUELL  eingegeben."_s},
    };
    for (int row = 0; row < 2; ++row) {
        for (int part = 0; part < 2; ++part)
            explanation->addWidget(note(lines[row][part], content), row, part);
    }
    explanation->setRowStretch(2, 1);
    selector->addLayout(explanation);
    selector->addStretch(1);
    windowRows->addRow(selector);
    window.addControl(C::Mode, modes);
    window.bind(C::Mode, calculation(), KAD::EINFACH);

    QPushButton *ok = form.button(C::Ok, u"OK"_s);
    ok->setDefault(true);
    form.button(C::Cancel, u"Abbruch"_s);
}

void Updatekaldruck::defineCalculationPage(FormBuilder &form, QWidget *page)
{
    ProcWindow &window = form.window();
    RecordBuffer &c = calculation();
    auto *columns = new QHBoxLayout(page);

    auto *inputs = new QVBoxLayout;
    columns->addLayout(inputs);
    form.setRows(formRows(inputs));
    form.entry(C::Description, u"(Kurzbeschr.)  Was soll gedruckt werden?"_s, KAD::KABEZ, u"@s35"_s)
        ->setMinimumWidth(kTextWidth);
    auto *machines = new ListControl(page);
    machines->setColumns({u"Maschine"_s, u"Format"_s, u"Farben"_s});
    machines->setNumberColumns({2});
    machines->setFixedHeight(120);
    form.rows()->addRow(u"Auswahl - Druckmaschine"_s, machines);
    window.addControl(C::Machines, machines, u"Auswahl - Druckmaschine"_s);
    form.entry(C::TotalRun, u"Auflage Gesamt in Stück"_s, KAD::KAALGES, kCount);
    form.entry(C::Sorts, u"Anzahl der Sorten"_s, KAD::KASO, kCount);
    form.entry(C::RunPerSort, u"Stück je Sorte"_s, KAD::KAAL, kCount);
    form.entry(C::Colours, u"Anzahl der Farben"_s, KAD::KAFARBE, kCount);
    form.check(C::WithBlack, u"inkl. schwarz"_s, KAD::KAFASCHW);
    window.setCheckValues(C::WithBlack, 1.0, 0.0);
    auto *backSide = new QCheckBox(u"und Rückseite"_s, page);
    form.rows()->addRow(u"Druck Vorderseite "_s, backSide);
    window.addControl(C::BackSide, backSide);
    window.bind(C::BackSide, c, KAD::KAVH);
    window.setCheckValues(C::BackSide, 2.0, 1.0);
    form.entry(C::LayoutLength, u"Vorlage ( Layout )  Länge in mm"_s, KAD::KAOMAX, kLength);
    form.entry(C::LayoutWidth, u"Vorlage ( Layout )  Breite in mm"_s, KAD::KAOMIN, kLength);
    QPushButton *calculate = pageButton(window, C::Calculate, u"Kalkulation"_s, page);
    calculate->setToolTip(u"nach Auswahl einer Druckmaschine,\nkann autom. kalkuliert werden."_s);
    form.rows()->addRow(QString(), calculate);
    inputs->addStretch(1);

    auto *results = new QVBoxLayout;
    columns->addLayout(results);
    form.setRows(formRows(results));
    form.entry(C::CopiesPerSheet, u"Nutzen (max.) pro Druckbogen"_s, KAD::KAST, kCount);
    form.entry(C::Prints, u"Anzahl der Drucke (bei 1Farben.M.)"_s, KAD::KADR, kCount);
    form.entry(
        C::PrintsBothSides, u"Anzahl der Drucke / Farben-M.  * VH-Druck"_s, KAD::KAAD, kCount);
    form.display(C::Sheets, u"benötigte Anzahl der Druckbögen"_s, KAD::NGES, kCount);
    form.entry(C::PrintPrice, u"Druckpreis Gesamt/ EUR"_s, KAD::KADRPR, kMoney);
    form.entry(C::ColourChangePrice, u"inkl. Farbwechselpreis/ EUR"_s, KAD::KAFAPR, kMoney);
    form.display(C::PaperPrice, u"Papierpreis Gesamt/ EUR"_s, KAD::APENDPR, kMoney);
    form.display(C::Typesetting, u"Satz-/ Verarbeitung /  EUR"_s, typesettingSum(), kMoney);
    form.display(C::DisplayTotal, u"kalkul. Gesamtpreis/ EUR"_s, m_displayTotal, kMoney);
    form.entry(C::PrintTime, u"Druckzeit"_s, KAD::KADRZEIT, u"@n10.2"_s);
    m_picture = new SheetLayoutView(page);
    results->addWidget(m_picture, 1);
    window.addControl(C::SheetPicture, m_picture, u"Druckbogen"_s);

    auto *machine = new QGroupBox(u"Maschinen - Angaben"_s, page);
    auto *machineColumn = new QVBoxLayout(machine);
    form.setRows(formRows(machineColumn));
    form.display(C::MachineLength, u"Druckbogen Länge in mm"_s, KAD::KAMMAX, kLength);
    form.display(C::MachineWidth, u"Druckbogen Breite in mm"_s, KAD::KAMMIN, kLength);
    form.display(C::MachineColours, u"Anzahl Farben"_s, KAD::KAMFARB, kCount);
    form.display(C::MachineSpeed, u"mittlere Druckgeschwindigkeit"_s, KAD::KAMDRV, kCount);
    form.rows()->addRow(QString(), note(u"Drucke/ h"_s, machine));
    form.rows()->addRow(note(u"Preise/ EUR"_s, machine));
    form.display(C::MachinePrintPrice, u"je Druck"_s, KAD::KAMADRPR, u"@n12.4"_s);
    form.display(C::MachineColourChangePrice, u"für Farbwechsel"_s, KAD::KAMAFAPR, kMoney);
    form.rows()->addRow(note(u"Zeiten"_s, machine));
    form.display(C::MachineColourChangeTime, u"für Farbwechsel/ min"_s, KAD::KAFAZEIT, u"@n10.2"_s);
    form.display(C::MachinePlateTime, u"Druckpl.-Einrichtung/ min"_s, KAD::KADRPLZEIT, u"@n10.2"_s);
    for (const QString &line : {u"ACHTUNG! "_s,
                                u"von Hand geänderte"_s,
                                u"Werte für Druckbogenanzahl / Nutzen-"_s,
                                u"anzahl / Stück je Nutzen werden autom."_s,
                                u"zurückgesetzt."_s})
        machineColumn->addWidget(note(line, machine));
    machineColumn->addStretch(1);
    columns->addWidget(machine);
}

void Updatekaldruck::defineDistributionPage(FormBuilder &form, QWidget *page)
{
    ProcWindow &window = form.window();
    RecordBuffer &c = calculation();
    auto *column = new QVBoxLayout(page);
    column->addWidget(
        note(u"automat. ermittelte Druckbogen-/ Nutzenaufteilung für diesen Druck-Job"_s, page));
    column->addWidget(note(u"Sie koennen die Nutzenverteilung per Hand überschreiben."_s, page));
    const RealField rows[6][3] = {
        {KAD::N1ANZ, KAD::N1SORT, KAD::N1STCK},
        {KAD::N2ANZ, KAD::N2SORT, KAD::N2STCK},
        {KAD::N3ANZ, KAD::N3SORT, KAD::N3STCK},
        {KAD::N4ANZ, KAD::N4SORT, KAD::N4STCK},
        {KAD::N5ANZ, KAD::N5SORT, KAD::N5STCK},
        {KAD::N6ANZ, KAD::N6SORT, KAD::N6STCK},
    };
    const QString texts[3] = {u"Druckbogen zu je"_s,
                              u"Nutzen       je Nutzen pro Druckbogen mit"_s,
                              u"Exemplaren/ (Stück)"_s};
    auto *grid = new QGridLayout;
    column->addLayout(grid);
    for (int k = 0; k < 6; ++k) {
        for (int part = 0; part < 3; ++part) {
            const int control = C::RowFirst + 3 * k + part;
            auto *edit = new QLineEdit(page);
            edit->setMaximumWidth(90);
            auto *text = note(texts[part], page);
            grid->addWidget(edit, k, 2 * part);
            grid->addWidget(text, k, 2 * part + 1);
            window.addControl(control, edit, QString::number(k + 1) + u' ' + texts[part]);
            window.bind(control, c, rows[k][part], u"@n_8"_s);
            // Rows 5 and 6 are kept in the record but are not offered.
            if (k >= 4) {
                edit->hide();
                text->hide();
            }
        }
    }
    form.setRows(formRows(column));
    form.display(C::RowSheetTotal, u"Druckbogen - Anzahl  gesamt"_s, KAD::NGES, kCount);
    form.rows()->addRow(QString(), note(u"Stück"_s, page));
    column->addWidget(note(
        u"Die  DRUCKBOGEN - ANZAHL gesamt  wird für den gesamten Auftrag gespeichert."_s, page));
    column->addStretch(1);
}

void Updatekaldruck::defineSimplePage(FormBuilder &form, QWidget *page)
{
    auto *column = new QVBoxLayout(page);
    m_simpleRows = formRows(column);
    form.setRows(m_simpleRows);
    form.entry(C::SimpleDescription,
               u"(Kurzbeschr.)  Was soll gedruckt werden?"_s,
               KAD::KABEZ,
               u"@s35"_s)
        ->setMinimumWidth(kTextWidth);
    form.entry(C::SimpleTotalRun, u"Gesamtauflage /-menge in Stück"_s, KAD::KAALGES, kCount);
    form.entry(C::SimpleSorts, u"Anzahl der Sorten"_s, KAD::KASO, kCount);
    form.entry(C::SimpleRunPerSort, u"Stück je Sorte"_s, KAD::KAAL, kCount);
    form.entry(C::SimpleColours, u"Anzahl der Farben"_s, KAD::KAFARBE, kCount);
    form.entry(C::SimplePrice, u"PREIS gesamt/ EUR"_s, KAD::KADRPR, kMoney);
    form.display(C::SimplePaperPrice, u"Papierpreis Gesamt/ EUR"_s, KAD::APENDPR, kMoney);
    form.rows()->addRow(QString(),
                        note(u"* nicht zwingend notwendig  --> kann unter PAPIERSORTE / - MENGE "
                             u"aktualisiert werden"_s,
                             page));
    form.display(C::SimpleTypesetting, u"Satz-/ Verarbeitung /  EUR"_s, typesettingSum(), kMoney);
    form.rows()->addRow(QString(),
                        note(u"* nicht zwingend notwendig  --> kann unter SATZ-/ VERARBEITUNG etc. "
                             u"aktualisiert werden"_s,
                             page));
    form.entry(C::SimpleSheets, u"benötigte Anzahl der Druckbögen"_s, KAD::NGES, kCount);
    form.rows()->addRow(QString(), note(u"Kann hier manuell eingegeben werden."_s, page));
    form.rows()->addRow(QString(),
                        note(u"Dient als interne Information bei der Beachtung weiterer Kosten "
                             u"(z.B. SATZ-/ WEITERVERARBEITUNG)."_s,
                             page));
    column->addStretch(1);
}

void Updatekaldruck::definePaperPage(FormBuilder &form, QWidget *page)
{
    ProcWindow &window = form.window();
    auto *column = new QVBoxLayout(page);
    form.setRows(formRows(column));
    form.dropList(C::PaperPick, u"Schnell - Auswahl"_s);
    form.entry(C::PaperName, u"   Welches Papier ?"_s, KAD::APBEZ, u"@s35"_s)
        ->setMinimumWidth(kTextWidth);
    form.entry(C::PaperUnitPrice, u"Preis/ EUR"_s, KAD::APPR, kMoney);
    form.entry(C::PaperUnit, u"Einheit"_s, KAD::AEINH, u"@s15"_s);
    form.entry(C::PaperPiecesPerUnit, u"VPE je"_s, KAD::APVPE, kCount);
    form.entry(C::PaperFormat, u"Format"_s, KAD::APFOR, u"@s10"_s);
    form.entry(C::PaperPieces, u"Wieviel?"_s, KAD::APSTCK, kCount);
    form.entry(C::PaperUnits, u"Detail f. Bogen / Ries"_s, KAD::APANZ, u"@n14.4"_s);
    form.rows()->addRow(QString(),
                        note(u"* det. Eingabe , wenn VPE abweicht von: Stück bzw. Blatt"_s, page));
    form.display(C::PaperTotal, u"Gesamtpreis in EUR"_s, KAD::APENDPR, kMoney);
    form.rows()->addRow(QString(),
                        pageButton(window, C::PaperRefresh, u"PREIS- Aktualisieren"_s, page));
    for (
        const QString &line :
        {u"HINWEIS !"_s,
         u"Die Eingabe von  bis zu 4 Nachkomma-Stellen ermöglicht eine genaue Mengenermittlung,"_s,
         u"wenn die VPE z.B. in  xxx Ries angegeben wurde, wird durch die Eingabe: 0,25 dem Kunden"_s,
         u"nur 1/4 Ries in Rechnung gestellt."_s})
        column->addWidget(note(line, page));
    column->addStretch(1);
}

void Updatekaldruck::defineTypesettingPage(FormBuilder &form, QWidget *page)
{
    ProcWindow &window = form.window();
    auto *column = new QVBoxLayout(page);
    auto *lines = new ListControl(page);
    lines->setColumns({u"Tätigkeit"_s,
                       u"Normal-Preis"_s,
                       u"je Einheit"_s,
                       u"benötigte Einh./Anz."_s,
                       u"Faktor/ Schwierig.-Grad"_s,
                       u"PREIS/ EUR"_s});
    lines->setNumberColumns({1, 3, 4, 5});
    lines->setMinimumHeight(180);
    column->addWidget(lines, 1);
    window.addControl(C::TypesettingList, lines, u"Satz-/ Verarbeitung"_s);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(pageButton(window, C::TypesettingNew, u"  NEU"_s, page));
    buttons->addWidget(pageButton(window, C::TypesettingChange, u" Ändern"_s, page));
    buttons->addWidget(pageButton(window, C::TypesettingDelete, u" Löschen"_s, page));
    buttons->addStretch(1);
    column->addLayout(buttons);
    form.setRows(formRows(column));
    form.display(C::TypesettingTotal,
                 u"Für diesen Druckjob:   Satz- / Verarbeitungskosten  GESAMT/ EUR"_s,
                 typesettingSum(),
                 kMoney);
}
