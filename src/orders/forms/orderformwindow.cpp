// The order form's window: header, documents and last numbers, totals, the three pages with
// the line lists and the text blocks, and the print buttons.

#include "orders/forms/orderform.h"

#include "framework/formbuilder.h"
#include "framework/listcontrol.h"
#include "framework/radiogroup.h"
#include "store/files.h"
#include "store/storecontext.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

// Amounts keep their thousands separators up to 999.999.999,99.
const QString kMoney = u"@n14.2"_s;
// Runs and quantities: whole numbers, thousands grouped.
const QString kCount = u"@n13"_s;

ListControl *lineList(ProcWindow &window,
                      FormBuilder &rows,
                      int control,
                      const QString &name,
                      const QStringList &columns)
{
    auto *list = new ListControl(rows.parent());
    list->setColumns(columns);
    // Every line list is a description followed by its count and prices.
    list->setNumberColumns({1, 2, 3});
    list->setFixedHeight(100);
    rows.addWidget(list);
    window.addControl(control, list, name);
    return list;
}

} // namespace

void OrderForm::defineWindow(FormBuilder &form)
{
    // A laptop screen is wide and low: the header, the documents and the totals stand side by
    // side, the lines and text blocks under the first two, so that OK and Abbrechen are in
    // sight in every status.
    auto *top = new QWidget(form.parent());
    auto *columns = new QHBoxLayout(top);
    columns->setContentsMargins(0, 0, 0, 0);
    auto *main = new QWidget(top);
    auto *mainColumn = new QVBoxLayout(main);
    mainColumn->setContentsMargins(0, 0, 0, 0);
    auto *heads = new QWidget(main);
    auto *headColumns = new QHBoxLayout(heads);
    headColumns->setContentsMargins(0, 0, 0, 0);
    auto *header = new QWidget(heads);
    auto *documents = new QWidget(heads);
    headColumns->addWidget(header, 1);
    headColumns->addWidget(documents, 1);
    mainColumn->addWidget(heads);
    auto *right = new QWidget(top);
    columns->addWidget(main, 3);
    columns->addWidget(right, 1);
    form.addWidget(top);

    FormBuilder headerRows = form.part(header);
    defineHeader(headerRows);
    FormBuilder documentRows = form.part(documents);
    defineDocuments(documentRows);
    FormBuilder rightRows = form.part(right);
    defineTotals(rightRows);
    definePrinting(rightRows);
    auto *below = new QWidget(main);
    mainColumn->addWidget(below, 1);
    FormBuilder belowRows = form.part(below);
    belowRows.rows()->setContentsMargins(0, 0, 0, 0);
    if (isMain())
        definePages(belowRows);
    defineSkontoLine(belowRows);
    form.okCancel(Ok, Cancel);
    // The window takes its size from what the order's status shows; the discount's notice and
    // button appear when there is something to say or do.
    showTextGroups();
    form.window().hide(DiscountNotice);
    form.window().hide(RecalculateDiscount);
}

void OrderForm::defineHeader(FormBuilder &rows)
{
    ProcWindow &window = *procWindow();
    rows.display(InternalNumber, u"interne Nummer"_s, AUF::FAID);
    rows.entry(OrderNumber, u"Auftragsnr."_s, AUF::FNR, u"@s12"_s);
    rows.entry(ShortText, u"Kurzbezeichng."_s, AUF::FKURZ, u"@s30"_s);
    rows.entry(CreatedOn, u"Datum"_s, AUF::FDATUM, u"@d6"_s);
    rows.display(CustomerName, u"Firma / Name"_s, AUF::FNAME);
    rows.display(CustomerStreet, u"Strasse"_s, AUF::FSTR);
    rows.display(CustomerPostcode, u"PLZ"_s, AUF::FPLZ);
    rows.display(CustomerPlace, u"Ort"_s, AUF::FORT);

    auto *status = new RadioGroup(u"akt. STATUS"_s, rows.parent());
    status->setHorizontal();
    for (orders::DocumentKind kind : orders::kDocumentKinds) {
        const QString word = QString::fromUtf8(orders::statusWord(kind));
        status->addOption(word, word.toStdString());
    }
    rows.addWidget(status);
    window.addControl(Status, status);
    window.bind(Status, records()[FileId::auftrag], AUF::FSTAT);
}

void OrderForm::defineDocuments(FormBuilder &rows)
{
    ProcWindow &window = *procWindow();
    auto *box = new QGroupBox(u"Dokumente"_s, rows.parent());
    auto *grid = new QGridLayout(box);
    const QStringList headings{u"Datum"_s, u"Nummer"_s, u"gedruckt am"_s, u"Zeit"_s};
    for (int c = 0; c < headings.size(); ++c)
        grid->addWidget(new QLabel(headings[c], box), 0, c + 1);
    struct Row
    {
        QString name;
        int first; // date, number, printed on, time
        DateField date;
        StringField number;
        DateField printed;
        LongField time;
    };
    const Row documentRows[] = {
        {u"Angebot"_s, QuoteDate, AUF::FANDAT, AUF::FANNR, AUF::FANGDRU, AUF::FANZEIT},
        {u"Lieferschein"_s, DeliveryDate, AUF::FLIEFDAT, AUF::FLIEFNR, AUF::FLIEDRU, AUF::FLIEZEIT},
        {u"Rechnung"_s, InvoiceDate, AUF::FREDAT, AUF::FRENR, AUF::FRECDRU, AUF::FRECZEIT},
    };
    RecordBuffer &order = records()[FileId::auftrag];
    int r = 1;
    for (const Row &row : documentRows) {
        grid->addWidget(new QLabel(row.name, box), r, 0);
        auto *date = new QLineEdit(box);
        auto *number = new QLineEdit(box);
        date->setMinimumWidth(95);
        number->setMinimumWidth(115);
        auto *printed = new QLabel(box);
        auto *time = new QLabel(box);
        grid->addWidget(date, r, 1);
        grid->addWidget(number, r, 2);
        grid->addWidget(printed, r, 3);
        grid->addWidget(time, r, 4);
        window.addControl(row.first, date, row.name + u"-Datum"_s);
        window.addControl(row.first + 1, number, row.name + u"-Nr."_s);
        window.addControl(row.first + 2, printed, row.name + u" gedruckt am"_s);
        window.addControl(row.first + 3, time, row.name + u" Zeit"_s);
        window.bind(row.first, order, row.date, u"@d6"_s);
        window.bind(row.first + 1, order, row.number, u"@s12"_s);
        window.bind(row.first + 2, order, row.printed, u"@d6"_s);
        window.bind(row.first + 3, order, row.time, u"@t1"_s);
        ++r;
    }
    rows.addWidget(box);

    // The last numbers of the shop, beside one another as the document rows above.
    auto *last = new QGroupBox(u"letzte Nummer         erstellt am"_s, rows.parent());
    auto *lastGrid = new QGridLayout(last);
    lastGrid->setVerticalSpacing(2);
    struct LastRow
    {
        QString name;
        int number;
        QString *numberValue;
        QString dateLabel;
        int date;
        QString *dateValue;
    };
    const LastRow lastRows[] = {
        {u"Angebot"_s, LastQuote, &m_lastQuote, u"  vom"_s, LastQuoteDate, &m_lastQuoteDate},
        {u"Lieferschein"_s,
         LastDelivery,
         &m_lastDelivery,
         u"  vom "_s,
         LastDeliveryDate,
         &m_lastDeliveryDate},
        {u"Rechnung"_s,
         LastInvoice,
         &m_lastInvoice,
         u"  vom  "_s,
         LastInvoiceDate,
         &m_lastInvoiceDate},
    };
    r = 0;
    for (const LastRow &row : lastRows) {
        auto *number = new QLabel(last);
        auto *date = new QLabel(last);
        lastGrid->addWidget(new QLabel(row.name, last), r, 0);
        lastGrid->addWidget(number, r, 1);
        lastGrid->addWidget(new QLabel(row.dateLabel.trimmed(), last), r, 2);
        lastGrid->addWidget(date, r, 3);
        window.addControl(row.number, number, row.name);
        window.addControl(row.date, date, row.dateLabel.trimmed());
        window.bind(row.number, *row.numberValue, u"@s12"_s);
        window.bind(row.date, *row.dateValue, u"@s10"_s);
        ++r;
    }
    lastGrid->setColumnStretch(1, 1);
    lastGrid->setColumnStretch(3, 1);
    rows.addWidget(last);
    window.addControl(LastNumbers, last, last->title().trimmed());
}

void OrderForm::defineTotals(FormBuilder &rows)
{
    ProcWindow &window = *procWindow();
    orders::OrderWorkingTotals &t = totals();
    rows.display(PrintTotal, u"Druckpreis/ EUR"_s, t.WorkPrint, kMoney);
    if (isMain())
        rows.display(ColourChangeTotal, u"davon Farbwechsel/ EUR"_s, t.WorkColourChange, kMoney);
    rows.display(PaperTotal, u"Papierpreis/ EUR"_s, t.WorkPaper, kMoney);
    rows.display(TypesettingTotal, u"Satz-/ Weiterverarbeitg./ EUR"_s, t.WorkTypesetting, kMoney);
    if (isMain()) {
        rows.display(SheetsTotal, u"Druckbogen gesamt"_s, t.WorkSheets, u"@n12"_s);
        rows.display(PrintHours, u"Druckzeit Std."_s, t.WorkHours, u"@n6"_s);
        rows.display(PrintMinutes, u"Druckzeit Min."_s, t.WorkMinutes, u"@n6.1"_s);
    } else {
        rows.display(ExtrasTotal, u"Zusatzarb./ EUR"_s, t.WorkExtras, kMoney);
        rows.display(TransportTotal, u"Transportkosten/ EUR"_s, t.WorkTransport, kMoney);
    }

    auto *netLabel = new QLabel(u"Angebotspreis/ EUR"_s, rows.parent());
    auto *net = new QLabel(rows.parent());
    rows.rows()->addRow(netLabel, net);
    window.addControl(NetLabel, netLabel);
    window.addControl(Net, net, u"Netto"_s);
    window.bind(Net, t.WorkNet, kMoney);

    rows.display(DiscountNotice, QString(), m_discountNotice, u"@s120"_s)->setWordWrap(true);
    QLineEdit *discount
        = rows.entry(DiscountPercent, u"minus. Rabatt (%)  "_s, t.WorkDiscountPercent, u"@n6.2"_s);
    discount->setMaximumWidth(90);
    window.setRange(DiscountPercent, 0, 100);
    rows.button(RecalculateDiscount, u"  NEU !"_s);
    rows.display(Discounted, u"Preis nach Rabatt/ EUR"_s, t.WorkDiscounted, kMoney);
    rows.display(VatPercent, u"MwSt. (%)"_s, m_vatPercent, u"@n5.2"_s);
    rows.display(Vat, u"MwSt./ EUR"_s, t.WorkVat, kMoney);

    auto *grossLabel = new QLabel(u"Angebotspreis (inkl. MwSt)/EUR"_s, rows.parent());
    auto *gross = new QLabel(rows.parent());
    rows.rows()->addRow(grossLabel, gross);
    window.addControl(GrossLabel, grossLabel);
    window.addControl(Gross, gross, u"Brutto"_s);
    window.bind(Gross, t.WorkGross, kMoney);

    rows.text(ClosingLine, u"Dieses Angebot ist 6 Wochen gültig."_s);
}

void OrderForm::defineSkontoLine(FormBuilder &rows)
{
    ProcWindow &window = *procWindow();
    orders::OrderWorkingTotals &t = totals();
    auto *skonto = new QWidget(rows.parent());
    auto *line = new QHBoxLayout(skonto);
    line->setContentsMargins(0, 0, 0, 0);
    auto *skontoDate = new QLabel(skonto);
    auto *percent = new QLabel(skonto);
    auto *cash = new QLabel(skonto);
    line->addWidget(new QLabel(u"bei Zahlung bis zum"_s, skonto));
    line->addWidget(skontoDate);
    line->addWidget(new QLabel(u"können"_s, skonto));
    line->addWidget(percent);
    line->addWidget(
        new QLabel(u"% Skonto abgezogen werden.   Re.-betrag inkl. Skon./ EUR"_s, skonto));
    line->addWidget(cash);
    line->addStretch(1);
    rows.addWidget(skonto);
    window.addControl(SkontoLine, skonto, u"Skonto"_s);
    window.addControl(SkontoDate, skontoDate, u"Skonto-Datum"_s);
    window.addControl(SkontoLinePercent, percent, u"Skonto %"_s);
    window.addControl(CashDiscounted, cash, u"Re.-betrag inkl. Skon."_s);
    window.bind(SkontoDate, t.SkontoDate, u"@d6"_s);
    window.bind(SkontoLinePercent, records()[FileId::auftrag], AUF::SKPROZ, u"@n6.2"_s);
    window.bind(CashDiscounted, t.WorkCashDiscounted, kMoney);
}

void OrderForm::definePages(FormBuilder &rows)
{
    ProcWindow &window = *procWindow();
    auto *sheet = new QTabWidget(rows.parent());
    auto *calculations = new QWidget;
    auto *extras = new QWidget;
    auto *texts = new QWidget;
    sheet->addTab(calculations, u"  KALKULATION - AUFTRAG    "_s);
    sheet->addTab(extras, u"  Zusatzkosten:  WEITERVERARBEITUNG- /  TRANSPORT"_s);
    sheet->addTab(texts, u"Skonto / Zahlgs.-Ziele / Info"_s);
    rows.addWidget(sheet);
    window.addControl(Pages, sheet, u"Seiten"_s);
    window.addControl(CalculationPage, calculations, u"KALKULATION - AUFTRAG"_s);
    window.addControl(ExtrasPage, extras, u"Zusatzkosten"_s);
    window.addControl(TextPage, texts, u"Skonto / Zahlgs.-Ziele / Info"_s);

    FormBuilder first = rows.part(calculations);
    lineList(window,
             first,
             Calculations,
             u"Druckkalkulationen"_s,
             {u"Bezeichnung"_s, u"Gesamtauflage"_s, u"Druckpreis"_s, u"Positionspreis"_s});
    first.buttonRow({{CalculationInsert, u"&Einfügen"_s},
                     {CalculationChange, u"&Ändern"_s},
                     {CalculationDelete, u"&Löschen"_s}});

    // Further work and transport side by side, each with its sum under its list.
    auto *extrasColumns = new QHBoxLayout(extras);
    auto *work = new QWidget(extras);
    auto *transport = new QWidget(extras);
    extrasColumns->addWidget(work, 1);
    extrasColumns->addWidget(transport, 1);
    FormBuilder second = rows.part(work);
    second.text(0, u"WEITERVERARBEITUNG"_s);
    lineList(window,
             second,
             Extras,
             u"Weiterverarbeitung"_s,
             {u"Bezeichnung"_s, u"Anzahl"_s, u"Preis"_s, u"Gesamtpreis"_s});
    second.buttonRow(
        {{ExtrasInsert, u"Einfügen"_s}, {ExtrasChange, u"Ändern"_s}, {ExtrasDelete, u"Löschen"_s}});
    orders::OrderWorkingTotals &t = totals();
    second.display(ExtrasTotal, u"Zusatzarb./ EUR"_s, t.WorkExtras, kMoney);
    second.display(ExtrasText, u"Zusatzarb.-Text"_s, m_extrasText, u"@s35"_s);
    FormBuilder fourth = rows.part(transport);
    fourth.text(0, u"TRANSPORT"_s);
    lineList(window,
             fourth,
             Transports,
             u"Transport"_s,
             {u"Bezeichnung"_s, u"Anzahl"_s, u"Preis"_s, u"Gesamtpreis"_s});
    fourth.buttonRow({{TransportInsert, u"Einfügen "_s},
                      {TransportChange, u"Ändern "_s},
                      {TransportDelete, u"Löschen "_s}});
    fourth.display(TransportTotal, u"Transportkosten/ EUR"_s, t.WorkTransport, kMoney);

    FormBuilder third = rows.part(texts);
    defineTextPage(third);
}

void OrderForm::defineTextPage(FormBuilder &page)
{
    // The quote texts and the payment terms never show together (the status picks one): they
    // share the left column, the information stands beside them.
    auto *columns = new QWidget(page.parent());
    auto *columnsLayout = new QHBoxLayout(columns);
    columnsLayout->setContentsMargins(0, 0, 0, 0);
    auto *left = new QWidget(columns);
    auto *right = new QWidget(columns);
    columnsLayout->addWidget(left, 2);
    columnsLayout->addWidget(right, 1);
    page.addWidget(columns);
    FormBuilder leftRows = page.part(left);
    FormBuilder rightRows = page.part(right);
    leftRows.rows()->setContentsMargins(0, 0, 0, 0);
    rightRows.rows()->setContentsMargins(0, 0, 0, 0);
    FormBuilder quote = leftRows.group(QuoteTextGroup, u"Angebotstexte"_s);
    quote.addWidget(new QLabel(u"Die Standardtexte:"_s, quote.parent()));
    quote.addWidget(new QLabel(u"Sehr geehrte Damen und Herren,   ..../....."_s, quote.parent()));
    quote.addWidget(
        new QLabel(u"werden automatisch für jedes Angebot verwendet."_s, quote.parent()));
    quote.addWidget(new QLabel(u"Alle Preise verstehen sich zzgl. der gesetzl. geltenden MwSt. ."_s,
                               quote.parent()));
    quote.dropList(QuoteTextPick, u"Auswahl (EL)"_s);
    quote.entry(QuoteText1, u"Angebotstext 1"_s, AUF::TEANG1, u"@s70"_s);
    quote.entry(QuoteText2, u"Angebotstext 2"_s, AUF::TEANG2, u"@s70"_s);

    FormBuilder payment = leftRows.group(PaymentGroup, u"Zahlungsbedingungen"_s);
    // Texts on the left, numbers on the right: the invoice's page is as low as the quote's.
    std::vector<FormBuilder> terms = payment.columns(2);
    terms[0].dropList(PaymentPick, u"Auswahl (ZA)"_s);
    terms[0].entry(InvoiceText1, u"Rechnungstext 1"_s, AUF::TEREC1, u"@s70"_s);
    terms[0].entry(InvoiceText2, u"Rechnungstext 2"_s, AUF::TEREC2, u"@s70"_s);
    terms[1].entry(SkontoPercent, u"Skonto in %  "_s, AUF::SKPROZ, u"@n6.2"_s);
    payment.window().setRange(SkontoPercent, 0, 100);
    terms[1].entry(SkontoDays, u"Skonto Zahlungsziel/ Tage  "_s, AUF::SKONTAGE, u"@n4"_s);
    terms[1].entry(PaymentDays, u"Rechnungszahlungsziel/ Tage  "_s, AUF::ZAZTAGE, u"@n4"_s);
    payment.addWidget(new QLabel(u"Rechnungsendbetrag ist zahlbar bis ....."_s, payment.parent()));
    payment.addWidget(
        new QLabel(u"Bei Zahlung bis zum  tt.mm.jahr  ist ein Skontobetrag von ...% abziehbar."_s,
                   payment.parent()));
    payment.addWidget(new QLabel(
        u"werden automatisch erzeugt, sobald die entsprechenden Felder gefüllt wurden."_s,
        payment.parent()));

    FormBuilder info = rightRows.group(InfoGroup, u"Information / Werbung"_s);
    info.dropList(InfoPick, u"Auswahl (IN)"_s);
    info.entry(InfoText1, u"Infotext 1"_s, AUF::TEINFO1, u"@s70"_s);
    info.entry(InfoText2, u"Infotext 2"_s, AUF::TEINFO2, u"@s70"_s);
}

void OrderForm::definePrinting(FormBuilder &rows)
{
    rows.entry(Copies, u"Anzahl Ausdrucke"_s, m_copies, u"@n1"_s)->setMaximumWidth(40);
    if (isMain()) {
        rows.buttonRow({{PrintStandard, u"ANGEBOT  Standard"_s},
                        {PrintMinimal, u"ANGEBOT  Minimal"_s},
                        {PrintDetail, u"ANGEBOT  Detail"_s}});
        rows.buttonRow(
            {{SaveXRechnung, u"XRechnung speichern …"_s}, {SaveZugferd, u"ZUGFeRD speichern …"_s}});
        rows.buttonRow({{CancelInvoice, u"Stornieren"_s}, {EnterPayment, u"Zahlung erfassen …"_s}});
        rows.display(LockNote, QString(), m_lockNote, u"@s90"_s)->setWordWrap(true);
    } else {
        rows.text(0, u"alle erfassten und berechneten Daten"_s);
        rows.text(0, u"werden ausgedruckt."_s);
        rows.buttonRow({{PrintFullDetail, u"   AUSDRUCK  - max. DETAIL"_s}});
        rows.text(0, u"Änderungen nur unter Hauptmenue:"_s);
        rows.text(0, u"Kunden --> Aufträge"_s);
    }
    rows.text(0, u"das letzte Dokument, das erfolgreich gedruckt wurde, bestimmt"_s);
    rows.text(0, u"autom. den internen   aktuellen STATUS."_s);
}

void OrderForm::setUpLists()
{
    struct ListSetUp
    {
        BrowseManager &manager;
        std::unique_ptr<View> &view;
        FileId file;
        KeyRef key;
        StringField link;
        int control;
        int insert;
        // The columns with their pictures; none: as the field's type suggests.
        std::vector<std::pair<FieldRef, QString>> columns;
        int procedure;
    };
    const ListSetUp lists[] = {
        {m_calculations,
         m_calculationView,
         FileId::kaldruck,
         KAD::Keyaufid,
         KAD::KAUFID,
         Calculations,
         CalculationInsert,
         {{KAD::KABEZ, {}}, {KAD::KAALGES, kCount}, {KAD::KADRPR, {}}, {KAD::KGESAMTPR, {}}},
         1},
        {m_extras,
         m_extrasView,
         FileId::anach,
         ANA::Keydidauf,
         ANA::ANIDAUF,
         Extras,
         ExtrasInsert,
         {{ANA::ANBEZ, {}}, {ANA::ANANZ, kCount}, {ANA::ANPR, {}}, {ANA::ANGPR, {}}},
         2},
        {m_transports,
         m_transportView,
         FileId::atran,
         ATR::Kaufid,
         ATR::ATAUFID,
         Transports,
         TransportInsert,
         {{ATR::ATBEZ, {}}, {ATR::ATANZ, kCount}, {ATR::ATPR, {}}, {ATR::ATGPR, {}}},
         3},
    };
    for (const ListSetUp &list : lists) {
        RelationKeeper &lines = store().relations(list.file);
        list.view = std::make_unique<View>(lines);
        list.manager.Init(
            *this, list.control, *list.view, lines, store().fileManager(list.file), records());
        list.manager.AddSortOrder(list.key);
        // A new line carries the order's id: the range is the order's lines.
        list.manager.AddRangeLimit(list.link, AUF::FID);
        for (const auto &[field, picture] : list.columns)
            list.manager.AddField(field, picture);
        list.manager.INSERTCONTROL = list.insert;
        list.manager.CHANGECONTROL = list.insert + 1;
        list.manager.DELETECONTROL = list.insert + 2;
        list.manager.ASKPROCEDURE = static_cast<std::uint16_t>(list.procedure);
        AddBrowse(list.manager);
    }
}

void OrderForm::setUpTextDrops()
{
    struct DropSetUp
    {
        std::unique_ptr<FileDrop> &drop;
        int control;
        orders::TextBlock block;
    };
    const DropSetUp drops[] = {
        {m_quoteTexts, QuoteTextPick, orders::TextBlock::QuoteText},
        {m_paymentTerms, PaymentPick, orders::TextBlock::PaymentTerms},
        {m_infoTexts, InfoPick, orders::TextBlock::Information},
    };
    RecordBuffer &order = records()[FileId::auftrag];
    for (const DropSetUp &d : drops) {
        d.drop = std::make_unique<FileDrop>(
            *procWindow(), d.control, store().fileManager(FileId::text), TEX::Keytken);
        d.drop->setDisplay(TEX::TERL);
        const std::string code(orders::textBlockCode(d.block));
        d.drop->setFilter([code](const RecordBuffer &text) { return text.get(TEX::TKEN) == code; });
        for (const orders::TextCopy &copy : orders::textBlockCopies(d.block))
            d.drop->addCopy(copy.from, order, copy.to);
        AddFileDrop(*d.drop);
    }
}
