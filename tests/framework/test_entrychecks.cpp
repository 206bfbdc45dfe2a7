// What an entry refuses, and that it says so: characters a record cannot hold (with the
// nearest letters offered), texts longer than their field, numbers outside what picture,
// field and form allow. Checked on a real form offscreen, saving into a real record file.

#include "formfixture.h"

#include "framework/inputchecks.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

namespace {

using namespace Qt::Literals::StringLiterals;
using Call = FormFixture::Call;

// The transport catalogue's form with one entry of each kind the checks tell apart.
class EntryForm : public ProcedureController
{
public:
    static constexpr int kName = 1;     // TRA:TBEZ, STRING(35)
    static constexpr int kPrice = 2;    // TRA:TPR, @n10.2
    static constexpr int kUnitText = 3; // TRA:TEINH, STRING(12), in a multi-line text
    static constexpr int kWideUnit = 4; // TRA:TEINH again, with a picture wider than the field
    static constexpr int kPercent = 5;  // a working value up to 100 %
    static constexpr int kTrips = 6;    // a whole number
    static constexpr int kOk = 10;
    static constexpr int kCancel = 11;

    explicit EntryForm(AppContext &app)
        : ProcedureController(app, "Updatetransport", u"Transport"_s)
    {
        setPrimary(FileId::transport, kOk, kCancel);
    }

    double percent = 0;
    std::int32_t trips = 0;

protected:
    void defineWindow(FormBuilder &form) override
    {
        form.entry(kName, u"Bezeichnung"_s, TRA::TBEZ, u"@s35"_s);
        form.entry(kPrice, u"Preis"_s, TRA::TPR, u"@n10.2"_s);
        auto *text = new QPlainTextEdit(form.window().content());
        form.addWidget(text);
        form.window().addControl(kUnitText, text, u"Einheit (Text)"_s);
        form.window().bind(kUnitText, records()[FileId::transport], TRA::TEINH);
        form.entry(kWideUnit, u"Einheit"_s, TRA::TEINH, u"@s40"_s);
        form.entry(kPercent, u"Aufschlag (%)"_s, percent, u"@n6.2"_s);
        form.window().setRange(kPercent, 0, 100);
        form.entry(kTrips, u"Fahrten"_s, trips, u"@n7"_s);
        form.okCancel(kOk, kCancel);
    }
};

struct EntryChecks
{
    EntryChecks()
    {
        f.app->procedures().add("Updatetransport", [](AppContext &context) {
            EntryForm form(context);
            context.LastResponse = form.Run();
        });
        f.callForm(Request::Insert, call);
        form = f.form();
    }

    // What a user does who pastes `text` over the entry's text and presses Enter.
    void paste(int control, const QString &text)
    {
        auto *edit = qobject_cast<QLineEdit *>(form->control(control));
        ASSERT_NE(edit, nullptr);
        edit->setFocus();
        edit->selectAll();
        edit->insert(text);
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_TRUE(f.gui.settle());
    }

    QString shown(int control) const { return f.gui.text(form, control); }

    FormFixture f;
    Call call;
    ProcWindow *form = nullptr;
};

TEST(EntryChecks, CharactersARecordCannotHoldAreNamedAndTheNearestLettersOffered)
{
    struct Case
    {
        const char *name;
        QString typed;
        QStringList named; // in the message
        QString offered;   // empty: no replacement is offered
        int answer;        // to the question, or OK
        QString stored;    // after the answer and OK; empty: nothing can be saved yet
    };
    const Case cases[] = {
        {"accepted",
         u"Łódź Express"_s,
         {u"„Ł“ (U+0141)"_s, u"„ź“ (U+017A)"_s},
         u"Lódz Express"_s,
         MessageButton::Yes,
         u"Lódz Express"_s},
        {"declined",
         u"Łódź Express"_s,
         {u"„Ł“ (U+0141)"_s},
         u"Lódz Express"_s,
         MessageButton::No,
         QString()},
        {"no letter near",
         u"Kurier 🚚"_s,
         {u"„🚚“ (U+1F69A)"_s},
         QString(),
         MessageButton::Ok,
         QString()},
        {"invisible",
         u"Ku\u200Brier"_s,
         {u"(U+200B)"_s},
         u"Kurier"_s,
         MessageButton::Yes,
         u"Kurier"_s},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EntryChecks e;
        ASSERT_NE(e.form, nullptr);
        e.paste(EntryForm::kName, c.typed);
        const std::optional<GuiHarness::Message> message = e.f.gui.answer(c.answer);
        ASSERT_TRUE(message.has_value()) << "the user is told, never a silent '?'";
        EXPECT_TRUE(message->text.startsWith(u"„Bezeichnung“:"_s)) << message->text.toStdString();
        for (const QString &character : c.named)
            EXPECT_TRUE(message->text.contains(character)) << message->text.toStdString();
        EXPECT_EQ(message->text.contains(u"Soll stattdessen „"_s + c.offered + u"“"_s),
                  !c.offered.isEmpty())
            << message->text.toStdString();

        if (c.stored.isEmpty()) {
            EXPECT_EQ(e.shown(EntryForm::kName), c.typed) << "kept for the user to correct";
            e.f.gui.press(e.form, EntryForm::kOk);
            EXPECT_TRUE(e.f.gui.answer(c.answer).has_value()) << "OK checks it again";
            EXPECT_FALSE(e.call.returned) << "and the form stays open";
            continue;
        }
        EXPECT_EQ(e.shown(EntryForm::kName), c.stored);
        e.f.gui.press(e.form, EntryForm::kOk);
        ASSERT_TRUE(e.call.returned);
        EXPECT_EQ(e.f.stored(), std::vector<std::string>{c.stored.toStdString() + " 0"});
    }
}

TEST(EntryChecks, TextsTakeNoMoreCharactersThanTheirFieldHolds)
{
    EntryChecks e;
    ASSERT_NE(e.form, nullptr);
    // A picture wider than its field does not let more in than the field holds.
    auto *wide = qobject_cast<QLineEdit *>(e.form->control(EntryForm::kWideUnit));
    EXPECT_EQ(wide->maxLength(), 12);
    auto *name = qobject_cast<QLineEdit *>(e.form->control(EntryForm::kName));
    EXPECT_EQ(name->maxLength(), 35);

    // Pasting more is cut where the user sees it, with a word about it.
    e.paste(EntryForm::kName, QString(500, u'x'));
    EXPECT_EQ(e.shown(EntryForm::kName), QString(35, u'x'));
    EXPECT_TRUE(QToolTip::text().contains(u"Höchstens 35 Zeichen"_s))
        << QToolTip::text().toStdString();

    // A multi-line text has no such limit on typing: it is refused when taken.
    auto *text = qobject_cast<QPlainTextEdit *>(e.form->control(EntryForm::kUnitText));
    text->setPlainText(u"Palette Europa"_s);
    e.f.gui.press(e.form, EntryForm::kOk);
    const auto message = e.f.gui.answer(MessageButton::Ok);
    ASSERT_TRUE(message.has_value());
    EXPECT_TRUE(message->text.contains(u"höchstens 12 Zeichen, eingegeben sind 14"_s))
        << message->text.toStdString();
    EXPECT_EQ(text->toPlainText(), u"Palette Europa"_s) << "kept for the user to shorten";
    EXPECT_FALSE(e.call.returned);
    text->setPlainText(u"Palette"_s);
    e.f.gui.press(e.form, EntryForm::kOk);
    ASSERT_TRUE(e.call.returned);
    EXPECT_EQ(e.f.stored(), std::vector<std::string>{std::string(35, 'x') + " 0"});
}

TEST(EntryChecks, NumbersTheFieldRefusesAreExplainedAndTheValueStays)
{
    struct Case
    {
        int control;
        QString typed;
        QString says;
        QString staysAs;
    };
    const Case cases[] = {
        {EntryForm::kPrice, u"zwei"_s, u"„zwei“ ist keine Zahl."_s, u"0,00"_s},
        {EntryForm::kPrice, u"1e12"_s, u"„1e12“ ist keine Zahl."_s, u"0,00"_s},
        {EntryForm::kPrice,
         u"-50"_s,
         u"eine Zahl zwischen 0 und 9.999.999,99 eingeben"_s,
         u"0,00"_s},
        {EntryForm::kPrice, u"123456789"_s, u"zwischen 0 und 9.999.999,99"_s, u"0,00"_s},
        {EntryForm::kPercent, u"150"_s, u"eine Zahl zwischen 0 und 100 eingeben"_s, u"0,00"_s},
        {EntryForm::kTrips,
         u"2,5"_s,
         u"eine ganze Zahl zwischen 0 und 9.999.999 eingeben"_s,
         u"0"_s},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        EntryChecks e;
        ASSERT_NE(e.form, nullptr);
        e.paste(c.control, c.typed);
        const auto message = e.f.gui.answer(MessageButton::Ok);
        ASSERT_TRUE(message.has_value());
        EXPECT_EQ(message->title, u"ACHTUNG"_s);
        EXPECT_TRUE(message->text.contains(c.says)) << message->text.toStdString();
        EXPECT_EQ(e.shown(c.control), c.staysAs);
        EXPECT_EQ(e.form->focusControl(), c.control) << "the user corrects it there";
    }
    // Within what is allowed, the value is taken without a word.
    EntryChecks e;
    e.paste(EntryForm::kPercent, u"99,5"_s);
    e.paste(EntryForm::kTrips, u"1.234"_s);
    EXPECT_TRUE(e.f.gui.openMessages().isEmpty());
    EXPECT_EQ(e.shown(EntryForm::kTrips), u"1.234"_s);
}

TEST(EntryChecks, NearestLettersAndNumberRanges)
{
    const std::pair<QString, std::optional<QString>> texts[] = {
        {u"Müller & Söhne – „Druck“ 5 €"_s, std::nullopt}, // every one of them is held
        {u"Łódź"_s, u"Lódz"_s},
        {u"Ørsted ŐZ Đorđe"_s, u"Ørsted OZ Dorde"_s},
        {u"ﬁne ＡＢ"_s, u"fine AB"_s},
        {u"Α Ω"_s, std::nullopt}, // Greek letters have none
    };
    for (const auto &[text, nearest] : texts) {
        SCOPED_TRACE(text.toStdString());
        const inputchecks::StorableText checked = inputchecks::checkStorable(text);
        EXPECT_EQ(checked.replacement, nearest);
        EXPECT_EQ(checked.unstorable.isEmpty(), text.startsWith(u"Müller"_s));
    }

    struct Range
    {
        const char *picture;
        double low;
        double high;
    };
    for (const Range &r : {Range{"@n10.2", 0, 9999999.99},
                           Range{"@n-10.2", -999999.99, 9999999.99},
                           Range{"@n6.2", 0, 999.99},
                           Range{"@n_7", 0, 9999999},
                           Range{"@n04", 0, 9999}}) {
        SCOPED_TRACE(r.picture);
        const NumberRange range
            = inputchecks::pictureRange(Picture(QString::fromLatin1(r.picture)));
        EXPECT_DOUBLE_EQ(range.low, r.low);
        EXPECT_DOUBLE_EQ(range.high, r.high);
        // The largest number still shows; one step more does not.
        const Picture p(QString::fromLatin1(r.picture));
        EXPECT_FALSE(p.format(r.high).contains(u'#'));
        EXPECT_TRUE(p.format(r.high + 1).contains(u'#'));
    }
    EXPECT_EQ(inputchecks::germanNumber(9999999.99, 2), u"9.999.999,99"_s);
    EXPECT_EQ(inputchecks::germanNumber(100, 2), u"100"_s);
    EXPECT_EQ(inputchecks::germanNumber(-1234.5, 2), u"-1.234,5"_s);
}

} // namespace
