#include "store/files.h"
#include "support/guiharness.h"

#include "framework/radiogroup.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

using namespace Qt::Literals::StringLiterals;

// A customer form: entries bound to fields of a real record buffer, and controls bound to
// working values of the form.
struct CustomerForm
{
    CustomerForm(GuiHarness &gui, RecordBuffer &customer)
        : window(gui.area(), u"Kunde"_s)
    {
        QWidget *content = window.content();
        auto *layout = new QVBoxLayout(content);
        const auto entry = [&](int number, const QString &label) {
            auto *edit = new QLineEdit(content);
            layout->addWidget(edit);
            window.addControl(number, edit, label);
            return edit;
        };
        name = entry(1, u"Name"_s);
        discount = entry(2, u"Rabatt"_s);
        birthday = entry(3, u"Geburtstag"_s);
        turnover = entry(4, u"Umsatz"_s);
        number = entry(5, u"Nummer"_s);
        total = entry(6, u"Summe"_s);
        copies = entry(7, u"Auflage"_s);
        note = entry(8, u"Notiz"_s);
        shownTotal = new QLabel(content);
        layout->addWidget(shownTotal);
        window.addControl(9, shownTotal, u"Summe angezeigt"_s);
        check = new QCheckBox(u"Stammkunde"_s, content);
        layout->addWidget(check);
        window.addControl(10, check);
        colours = new RadioGroup(u"Farben"_s, content);
        colours->addOption(u"einfarbig"_s, std::int32_t{1});
        colours->addOption(u"vierfarbig"_s, std::int32_t{4});
        layout->addWidget(colours);
        window.addControl(11, colours);
        status = new RadioGroup(u"Status"_s, content);
        status->addOption(u"Angebot"_s, std::string("ANGEBOT"));
        status->addOption(u"Rechnung"_s, std::string("RECHNUNG"));
        layout->addWidget(status);
        window.addControl(12, status);
        format = new QComboBox(content);
        format->addItems({u"A4"_s, u"A3"_s, u"SRA3"_s});
        layout->addWidget(format);
        window.addControl(13, format, u"Format"_s);

        window.bind(1, customer, KUN::KNAME);
        window.bind(2, customer, KUN::KRAB);
        window.bind(3, customer, KUN::KPGEB);
        window.bind(4, customer, KUN::REUMSATZ, u"@n12.2"_s);
        window.bind(5, customer, KUN::KAID);
        window.bind(6, runningTotal, u"@n-10.2"_s);
        window.bind(7, run, u"@n7"_s);
        window.bind(8, remark, u"@s10"_s);
        window.bind(9, runningTotal, u"@n-10.2"_s);
        window.bind(10, regular);
        window.setCheckValues(10, std::int32_t{2}, std::int32_t{1});
        window.bind(11, colourCount);
        window.bind(12, state, u"@s10"_s);
        window.bind(13, sheetFormat, u"@s10"_s);
    }

    double runningTotal = 0;
    std::int32_t run = 0;
    QString remark;
    std::int32_t regular = 0;
    std::int32_t colourCount = 0;
    QString state;
    QString sheetFormat;

    ProcWindow window;
    QLineEdit *name, *discount, *birthday, *turnover, *number, *total, *copies, *note;
    QLabel *shownTotal;
    QCheckBox *check;
    RadioGroup *colours, *status;
    QComboBox *format;
};

TEST(Binding, RedisplayShowsRecordAndWorkingValuesThroughTheirPictures)
{
    GuiHarness gui;
    RecordBuffer customer(FileId::kunde);
    customer.set(KUN::KNAME, "Müller & Söhne");
    customer.set(KUN::KRAB, 3.5);
    customer.set(KUN::KPGEB, rt::dateFromYmd(1960, 12, 7));
    customer.set(KUN::REUMSATZ, 12345.678);
    customer.set(KUN::KAID, 42);
    CustomerForm form(gui, customer);
    form.runningTotal = -1234.5;
    form.run = 5000;
    form.remark = u"Eilauftrag bis Freitag"_s;
    form.regular = 2;
    form.colourCount = 4;
    form.state = u"RECHNUNG"_s;
    form.sheetFormat = u"SRA3"_s;

    EXPECT_EQ(form.name->text(), QString()) << "nothing is shown before redisplay";
    form.window.redisplay();

    const std::pair<QLineEdit *, QString> shown[] = {
        {form.name, u"Müller & Söhne"_s},
        {form.discount, u"3,50"_s},
        {form.birthday, u"07.12.1960"_s},
        {form.turnover, u"12.345,68"_s},
        {form.number, u"42"_s},
        {form.total, u"-1.234,50"_s},
        {form.copies, u"5.000"_s},
        {form.note, u"Eilauftrag"_s},
    };
    for (const auto &[edit, text] : shown) {
        SCOPED_TRACE(edit->accessibleName().toStdString());
        EXPECT_EQ(edit->text(), text);
    }
    EXPECT_EQ(form.shownTotal->text(), u"-1.234,50"_s);
    EXPECT_TRUE(form.check->isChecked());
    EXPECT_EQ(form.colours->checkedOption(), 2);
    EXPECT_EQ(form.status->checkedOption(), 2);
    EXPECT_EQ(form.format->currentText(), u"SRA3"_s);
    EXPECT_EQ(form.name->maxLength(), 45);
}

struct TypedRow
{
    const char *name;
    int control;
    const char *typed;
    std::function<void(const RecordBuffer &, const CustomerForm &)> check;
};

TEST(Binding, UpdateFromWindowTakesWhatWasTypedIntoTheRecord)
{
    GuiHarness gui;
    RecordBuffer customer(FileId::kunde);
    CustomerForm form(gui, customer);
    form.window.redisplay();

    const TypedRow rows[] = {
        {"text",
         1,
         "Druckhaus Öhringen",
         [](const RecordBuffer &r, const CustomerForm &) {
             EXPECT_EQ(r.get(KUN::KNAME), "Druckhaus Öhringen");
         }},
        {"decimal with comma",
         2,
         "2,5",
         [](const RecordBuffer &r, const CustomerForm &) {
             EXPECT_EQ(r.get(KUN::KRAB), 2.5);
         }},
        {"date",
         3,
         "1.4.1975",
         [](const RecordBuffer &r, const CustomerForm &) {
             EXPECT_EQ(r.get(KUN::KPGEB), rt::dateFromYmd(1975, 4, 1));
         }},
        {"real grouped",
         4,
         "1.234,56",
         [](const RecordBuffer &r, const CustomerForm &) {
             EXPECT_DOUBLE_EQ(r.get(KUN::REUMSATZ), 1234.56);
         }},
        {"long",
         5,
         "77",
         [](const RecordBuffer &r, const CustomerForm &) {
             EXPECT_EQ(r.get(KUN::KAID), 77);
         }},
        {"working total with dot",
         6,
         "-12.5",
         [](const RecordBuffer &, const CustomerForm &f) {
             EXPECT_EQ(f.runningTotal, -12.5);
         }},
        {"working whole number",
         7,
         "2.500",
         [](const RecordBuffer &, const CustomerForm &f) {
             EXPECT_EQ(f.run, 2500);
         }},
        {"working text cut to its picture",
         8,
         "Bitte sofort liefern",
         [](const RecordBuffer &, const CustomerForm &f) {
             EXPECT_EQ(f.remark, u"Bitte sofo"_s);
         }},
    };
    for (const TypedRow &row : rows) {
        SCOPED_TRACE(row.name);
        qobject_cast<QLineEdit *>(form.window.control(row.control))
            ->setText(QString::fromUtf8(row.typed));
        EXPECT_TRUE(form.window.updateFromWindow());
        row.check(customer, form);
    }

    form.window.redisplay();
    EXPECT_EQ(form.turnover->text(), u"1.234,56"_s);
    EXPECT_EQ(form.note->text(), u"Bitte sofo"_s);
}

TEST(Binding, ChecksRadiosAndDropListsPutTheirValues)
{
    GuiHarness gui;
    RecordBuffer customer(FileId::kunde);
    CustomerForm form(gui, customer);
    form.regular = 1;
    form.window.redisplay();
    EXPECT_FALSE(form.check->isChecked());

    form.check->setChecked(true);
    form.colours->setCheckedOption(1);
    form.status->setCheckedOption(1);
    form.format->setCurrentIndex(1);
    EXPECT_TRUE(form.window.updateFromWindow());
    EXPECT_EQ(form.regular, 2);
    EXPECT_EQ(form.colourCount, 1);
    EXPECT_EQ(form.state, u"ANGEBOT"_s);
    EXPECT_EQ(form.sheetFormat, u"A3"_s);

    form.check->setChecked(false);
    EXPECT_TRUE(form.window.updateFromWindow(10));
    EXPECT_EQ(form.regular, 1);
}

TEST(Binding, AValueNotEditedKeepsWhatThePictureCannotShow)
{
    GuiHarness gui;
    RecordBuffer customer(FileId::kunde);
    customer.set(KUN::REUMSATZ, 1.004);
    CustomerForm form(gui, customer);
    form.regular = 3; // neither the check box's on nor its off value
    form.window.redisplay();
    EXPECT_EQ(form.turnover->text(), u"1,00"_s);

    EXPECT_TRUE(form.window.updateFromWindow());
    EXPECT_EQ(customer.get(KUN::REUMSATZ), 1.004);
    EXPECT_EQ(form.regular, 3);

    form.turnover->setText(u"1,00"_s + u" "_s); // touched, though the same number
    EXPECT_TRUE(form.window.updateFromWindow(4));
    EXPECT_EQ(customer.get(KUN::REUMSATZ), 1.0);
}

TEST(Binding, RefusedInputLeavesTheRecordAlone)
{
    GuiHarness gui;
    RecordBuffer customer(FileId::kunde);
    customer.set(KUN::KRAB, 3.0);
    customer.set(KUN::KPGEB, rt::dateFromYmd(1960, 12, 7));
    CustomerForm form(gui, customer);
    form.window.redisplay();

    form.discount->setText(u"1000"_s); // fits the picture, not DECIMAL(5,2)
    form.birthday->setText(u"31.02.1961"_s);
    form.name->setText(u"Neu"_s);
    EXPECT_FALSE(form.window.updateFromWindow());
    EXPECT_EQ(customer.get(KUN::KRAB), 3.0);
    EXPECT_EQ(customer.get(KUN::KPGEB), rt::dateFromYmd(1960, 12, 7));
    EXPECT_EQ(customer.get(KUN::KNAME), "Neu") << "the valid controls are still taken";
    EXPECT_FALSE(form.window.updateFromWindow(2));
}

TEST(Binding, AnAcceptedEntryIsTakenBeforeTheProcedureSeesTheEvent)
{
    GuiHarness gui;
    RecordBuffer customer(FileId::kunde);
    std::string seenInHandler;
    gui.start(u"Updatekunde"_s, [&] {
        CustomerForm form(gui, customer);
        form.window.open();
        form.window.redisplay();
        QStringList log;
        runEvents(form.window, log, [&](const WindowEvent &event) {
            if (event.kind == EventKind::Accepted && event.control == 1)
                seenInHandler = customer.get(KUN::KNAME);
            form.window.defaultAction(event);
            return true;
        });
    });
    ProcWindow *window = gui.window(u"Kunde"_s);
    ASSERT_NE(window, nullptr);
    gui.type(window, 1, u"Druckerei Weiß"_s);
    EXPECT_EQ(seenInHandler, "Druckerei Weiß");
    EXPECT_EQ(customer.get(KUN::KNAME), "Druckerei Weiß");
}

} // namespace
