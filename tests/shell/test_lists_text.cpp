// The text form as the text list calls it: its titles, the checks on OK and the payment
// terms that only the "ZA" kind keeps.

#include "listsfixture.h"

#include "shell/lists/updatetext.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace Qt::Literals::StringLiterals;

const QString kList = u"  TEXTE - Stammdaten "_s;
const QString kAdding = u"Adding a text Record"_s;
const QString kBlankDescription = u"Bitte geben Sie eine eindeutige Text-Beschreibung ein!"_s;
const QString kNoDaysToPay = u"Bitte geben die Anzahl der Tage \nfür das Zahlungsziel ein!"_s;

// What the user enters; an empty text leaves the control as it is.
struct Input
{
    int kind; // option 1 EL, 2 ZA, 3 IN
    QString description;
    QString discount;
    QString discountDays;
    QString daysToPay;
};

struct Stored
{
    std::string kind;
    std::string description;
    double discount;
    double discountDays;
    double daysToPay;
};

std::vector<Stored> storedTexts(ListsFixture &f)
{
    std::vector<Stored> rows;
    FileManager &file = f.store->fileManager(FileId::text);
    file.Open();
    Records &r = f.store->records();
    if (file.startPass(TEX::Keyidtext) == 0) {
        while (file.NextQuiet() == 0)
            rows.push_back({r.get(TEX::TKEN),
                            r.get(TEX::TERL),
                            r.get(TEX::SKOPR),
                            r.get(TEX::SKTAGE),
                            r.get(TEX::ZAZIEL)});
    }
    file.Close();
    return rows;
}

void enter(ListsFixture &f, ProcWindow *form, const Input &in)
{
    f.gui.chooseOption(form, Updatetext::kKind, in.kind);
    if (!in.description.isEmpty())
        f.gui.type(form, Updatetext::kDescription, in.description);
    if (!in.discountDays.isEmpty())
        f.gui.type(form, Updatetext::kDiscountDays, in.discountDays);
    if (!in.daysToPay.isEmpty())
        f.gui.type(form, Updatetext::kDaysToPay, in.daysToPay);
    if (!in.discount.isEmpty())
        f.gui.type(form, Updatetext::kDiscount, in.discount);
}

TEST(TextForm, OkKeepsPaymentTermsForZaOnlyAndRefusesWhatIsMissing)
{
    struct Case
    {
        const char *name;
        Input input;
        QString refusal; // empty: saved
        int focus;       // the control focused after a refusal
        std::optional<Stored> saved;
    };
    const Case cases[] = {
        {"blank description", {1, u"   "_s, {}, {}, {}}, kBlankDescription, 3, {}},
        {"payment terms without days to pay",
         {2, u"Skonto"_s, u"2"_s, u"10"_s, {}},
         kNoDaysToPay,
         9,
         {}},
        {"payment terms",
         {2, u"Skonto"_s, u"2,5"_s, u"10"_s, u"30"_s},
         {},
         0,
         {{"ZA", "Skonto", 2.5, 10, 30}}},
        {"payment terms without discount lose the discount days",
         {2, u"Netto"_s, u"0"_s, u"10"_s, u"30"_s},
         {},
         0,
         {{"ZA", "Netto", 0, 0, 30}}},
        {"an explanation carries no payment terms",
         {1, u"Zusatz"_s, u"3"_s, u"10"_s, u"30"_s},
         {},
         0,
         {{"EL", "Zusatz", 0, 0, 0}}},
        {"nor does an information text",
         {3, u"Werbung"_s, u"3"_s, u"10"_s, u"30"_s},
         {},
         0,
         {{"IN", "Werbung", 0, 0, 0}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ListsFixture f;
        ProcWindow *list = f.open("Browsetext", kList);
        ASSERT_NE(list, nullptr);
        f.gui.press(list, 2);
        ProcWindow *form = f.gui.window(kAdding);
        ASSERT_NE(form, nullptr);
        enter(f, form, c.input);
        f.gui.press(form, Updatetext::kOk);
        if (!c.refusal.isEmpty()) {
            const auto message = f.gui.answer(MessageButton::Ok);
            ASSERT_TRUE(message.has_value());
            EXPECT_EQ(message->title, u"ACHTUNG"_s);
            EXPECT_EQ(message->text, c.refusal);
            EXPECT_EQ(f.gui.window(kAdding), form) << "the form stays open";
            EXPECT_EQ(form->focusControl(), c.focus);
            // Nothing of the refused input reached the file: what stands there is at most the
            // numbered placeholder of the new record, which leaving the form takes back.
            for (const Stored &placeholder : storedTexts(f))
                EXPECT_EQ(placeholder.description, "");
            f.gui.press(form, Updatetext::kCancel);
            const auto question = f.gui.answer(MessageButton::No);
            ASSERT_TRUE(question.has_value()) << "leaving with changes asks whether to save";
            EXPECT_EQ(f.gui.window(kAdding), nullptr);
            EXPECT_TRUE(storedTexts(f).empty());
            continue;
        }
        EXPECT_TRUE(f.gui.openMessages().isEmpty());
        EXPECT_EQ(f.gui.window(kAdding), nullptr);
        const std::vector<Stored> stored = storedTexts(f);
        ASSERT_EQ(stored.size(), 1u);
        EXPECT_EQ(stored[0].kind, c.saved->kind);
        EXPECT_EQ(stored[0].description, c.saved->description);
        EXPECT_DOUBLE_EQ(stored[0].discount, c.saved->discount);
        EXPECT_DOUBLE_EQ(stored[0].discountDays, c.saved->discountDays);
        EXPECT_DOUBLE_EQ(stored[0].daysToPay, c.saved->daysToPay);
        EXPECT_EQ(f.highlighted(list, 1), QString::fromStdString(c.saved->description));
        f.gui.press(list, ListProcedure::kClose);
    }
}

TEST(TextForm, LeavingTheDiscountAtZeroClearsItsDaysAtOnce)
{
    ListsFixture f;
    ProcWindow *list = f.open("Browsetext", kList);
    ASSERT_NE(list, nullptr);
    f.gui.press(list, 2);
    ProcWindow *form = f.gui.window(kAdding);
    ASSERT_NE(form, nullptr);
    f.gui.type(form, Updatetext::kDiscount, u"2"_s);
    f.gui.type(form, Updatetext::kDiscountDays, u"10"_s);
    EXPECT_EQ(f.gui.text(form, Updatetext::kDiscountDays), u"10"_s) << "a discount keeps its days";
    f.gui.type(form, Updatetext::kDiscount, u"0"_s);
    EXPECT_EQ(f.gui.text(form, Updatetext::kDiscountDays), u"0"_s);
    f.gui.press(form, Updatetext::kCancel);
    f.gui.press(list, ListProcedure::kClose);
}

TEST(TextForm, TheTitleSaysWhetherARecordIsAddedOrChanged)
{
    ListsFixture f;
    f.add(FileId::text, [](Records &r) {
        r.set(TEX::TKEN, std::string("ZA"));
        r.set(TEX::TERL, std::string("14 Tage netto"));
        r.set(TEX::ZAZIEL, 14.0);
    });
    ProcWindow *list = f.open("Browsetext", kList);
    ASSERT_NE(list, nullptr);
    f.gui.press(list, 3);
    ProcWindow *form = f.gui.window(u"Changing a text Record"_s);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(f.gui.text(form, Updatetext::kDescription), u"14 Tage netto"_s);
    EXPECT_EQ(form->focusControl(), Updatetext::kDescription);
    f.gui.type(form, Updatetext::kDaysToPay, u"21"_s);
    f.gui.press(form, Updatetext::kOk);
    EXPECT_EQ(f.gui.window(u"Changing a text Record"_s), nullptr);
    const std::vector<Stored> stored = storedTexts(f);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_DOUBLE_EQ(stored[0].daysToPay, 21);
    EXPECT_EQ(f.shown(list, 6), QStringList{u"21"_s});

    f.gui.press(list, 2);
    form = f.gui.window(kAdding);
    ASSERT_NE(form, nullptr);
    f.gui.press(form, Updatetext::kCancel);
    EXPECT_EQ(storedTexts(f).size(), 1u) << "an abandoned insert leaves nothing behind";
    f.gui.press(list, ListProcedure::kClose);
}

} // namespace
