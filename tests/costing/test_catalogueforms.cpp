// The catalogue forms offscreen on a real record store: what each primes, derives and checks
// on OK, and what it stores.

#include "costing/forms/catalogueforms.h"
#include "costing/forms/paperforms.h"
#include "test_lineforms_fixture.h"

#include <utility>
#include <vector>

namespace {

using namespace Qt::Literals::StringLiterals;
using Call = CostingFormFixture::Call;
using Caller = CostingFormFixture::Caller;
using Typed = std::vector<std::pair<int, QString>>;

constexpr int kOk = CatalogueForm::kOk;
constexpr int kCancel = CatalogueForm::kCancel;
const QString kTitle = u" U u p p s"_s;

struct Form
{
    const char *procedure;
    FileId file;
    QString insertCaption;
};

const Form kWork{"UpdatearbeitA", FileId::arbeit, u"NEU"_s};
const Form kTypesetting{"Updatesatz", FileId::satz, u"NEU"_s};
const Form kTransport{"Updatetransport", FileId::transport, u"NEU"_s};
const Form kSupplier{"updatlief", FileId::lieferant, u"Adding a lieferant Record"_s};
const Form kPaper{"UpdatepapierR", FileId::papier, u"Neue Papier - Sorte"_s};
const Form kMachine{"Updatemaschin", FileId::maschin, u"NEUE Druckmaschine"_s};

ProcWindow *openNew(CostingFormFixture &f, const Form &form, Call &call)
{
    f.callForm(form.procedure, form.file, Request::Insert, Caller{}, call);
    return f.form(form.insertCaption);
}

void typeAll(CostingFormFixture &f, ProcWindow *window, const Typed &typed)
{
    for (const auto &[control, text] : typed)
        f.gui.type(window, control, text);
}

// The first failing check shows its message, puts the focus on its field and keeps the form
// open with nothing stored.
TEST(CatalogueForms, FirstFailingCheckRefusesTheOk)
{
    struct Case
    {
        const char *name;
        Form form;
        Typed typed;
        QString message;
        int focus;
        bool beep = true;
    };
    const Case cases[] = {
        {"work without description",
         kWork,
         {{UpdatearbeitA::kDescription, u"   "_s},
          {UpdatearbeitA::kUnit, u"Std."_s},
          {UpdatearbeitA::kMinutes, u"30"_s}},
         u"Bitte die Tätigkeitsbeschreibung eingeben."_s,
         UpdatearbeitA::kDescription},
        {"work without unit",
         kWork,
         {{UpdatearbeitA::kDescription, u"Schneiden"_s}, {UpdatearbeitA::kMinutes, u"30"_s}},
         u"Bitte die Einheit, die der Tätigkeit\nzu Grunde liegt (z.B.  je 1000 Stck..)\n  eingeben."_s,
         UpdatearbeitA::kUnit},
        {"work without time",
         kWork,
         {{UpdatearbeitA::kDescription, u"Schneiden"_s}, {UpdatearbeitA::kUnit, u"Std."_s}},
         u"Bitte die benötigte Zeit in Minuten eingeben."_s,
         UpdatearbeitA::kMinutes},
        {"typesetting without description",
         kTypesetting,
         {{Updatesatz::kUnit, u"Seite"_s}},
         u"Bitte die Tätigkeitsbeschreibung eingeben."_s,
         Updatesatz::kDescription},
        {"typesetting without unit",
         kTypesetting,
         {{Updatesatz::kDescription, u"Satz"_s}},
         u"Bitte die Einheit eingeben."_s,
         Updatesatz::kUnit},
        {"transport without description",
         kTransport,
         {{Updatetransport::kUnit, u"km"_s}},
         u"Bitte die Transportart eingeben."_s,
         Updatetransport::kDescription},
        {"transport without unit",
         kTransport,
         {{Updatetransport::kDescription, u"Kurier"_s}},
         u"Transportart gilt für ?\n  Bitte  je Einheit   eingeben."_s,
         Updatetransport::kUnit},
        {"supplier without name",
         kSupplier,
         {{updatlief::kName, u"  "_s}},
         u"Bitte die Lieferant ( Firma/ Name) eingeben."_s,
         updatlief::kName},
        {"paper without name",
         kPaper,
         {{UpdatepapierR::kPerUnit, u"500"_s},
          {UpdatepapierR::kUnitName, u"Ries"_s},
          {UpdatepapierR::kPrice, u"7"_s}},
         u"Bitte die Papierbezeichnung eingeben."_s,
         UpdatepapierR::kName},
        {"paper without pieces per unit",
         kPaper,
         {{UpdatepapierR::kName, u"Offset"_s},
          {UpdatepapierR::kUnitName, u"Ries"_s},
          {UpdatepapierR::kPrice, u"7"_s}},
         u"Bitte die Verpackungseinheit\nin Stück eingeben."_s,
         UpdatepapierR::kPerUnit},
        {"paper without unit name",
         kPaper,
         {{UpdatepapierR::kName, u"Offset"_s},
          {UpdatepapierR::kPerUnit, u"500"_s},
          {UpdatepapierR::kPrice, u"7"_s}},
         u"Bitte die Einheit eingeben."_s,
         UpdatepapierR::kUnitName},
        {"paper without price",
         kPaper,
         {{UpdatepapierR::kName, u"Offset"_s},
          {UpdatepapierR::kPerUnit, u"500"_s},
          {UpdatepapierR::kUnitName, u"Ries"_s}},
         u"Bitte den Preis eingeben."_s,
         UpdatepapierR::kPrice,
         false}, // the only check without the beep
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CostingFormFixture f;
        Call call;
        ProcWindow *window = openNew(f, c.form, call);
        ASSERT_NE(window, nullptr);
        typeAll(f, window, c.typed);
        f.gui.press(window, kOk);
        EXPECT_EQ(f.messages.beeps, c.beep ? 1 : 0);
        const auto message = f.answerOk();
        ASSERT_TRUE(message.has_value());
        EXPECT_EQ(message->title, kTitle);
        EXPECT_EQ(message->text, c.message);
        EXPECT_TRUE(f.gui.openMessages().isEmpty()) << "one check at a time";
        EXPECT_FALSE(call.returned);
        EXPECT_EQ(window->focusControl(), c.focus);

        f.gui.press(window, kCancel);
        f.gui.answer(MessageButton::No);
        ASSERT_TRUE(call.returned);
        EXPECT_EQ(call.response, Response::Cancelled);
        EXPECT_TRUE(f.rows(KeyRef{c.form.file, 0}).empty());
    }
}

// A factor of 0 is not refused: the user is told, the factor becomes 1 and the OK goes on.
TEST(CatalogueForms, FactorZeroIsSetToOneAndStored)
{
    struct Case
    {
        const char *name;
        Form form;
        Typed typed;
        QString message;
        KeyRef key;
        RealField factor;
        RealField price;
    };
    const Case cases[] = {
        {"work",
         kWork,
         {{UpdatearbeitA::kDescription, u"Schneiden"_s},
          {UpdatearbeitA::kPrice, u"0"_s},
          {UpdatearbeitA::kUnit, u"Std."_s},
          {UpdatearbeitA::kMinutes, u"30"_s},
          {UpdatearbeitA::kFactor, u"0"_s}},
         u"Faktor kann NICHT 0 sein.\n wird autom. auf 1 gesetzt."_s,
         ARB::Keyabez,
         ARB::AFAKT,
         ARB::APR},
        {"typesetting",
         kTypesetting,
         {{Updatesatz::kDescription, u"Satz"_s},
          {Updatesatz::kUnit, u"Seite"_s},
          {Updatesatz::kFactor, u"0"_s}},
         u"Faktor = 0  NICHT möglich.\n\n ( autom. auf 1 gesetzt)"_s,
         SAT::Keysbez,
         SAT::SFAK,
         SAT::SPR},
        {"transport",
         kTransport,
         {{Updatetransport::kDescription, u"Kurier"_s},
          {Updatetransport::kUnit, u"Fahrt"_s},
          {Updatetransport::kFactor, u"0"_s}},
         u"Faktor = 0  NICHT möglich.\n\n ( autom. auf 1 gesetzt)"_s,
         TRA::Keybez,
         TRA::TFAK,
         TRA::TPR},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CostingFormFixture f;
        Call call;
        ProcWindow *window = openNew(f, c.form, call);
        ASSERT_NE(window, nullptr);
        typeAll(f, window, c.typed);
        f.gui.press(window, kOk);
        const auto message = f.answerOk();
        ASSERT_TRUE(message.has_value());
        EXPECT_EQ(message->title, kTitle);
        EXPECT_EQ(message->text, c.message);
        ASSERT_TRUE(call.returned);
        EXPECT_EQ(call.response, Response::Completed);
        const RecordBuffer stored = f.only(c.key);
        EXPECT_DOUBLE_EQ(stored.get(c.factor), 1);
        EXPECT_DOUBLE_EQ(stored.get(c.price), 0) << "a price of 0 is accepted";
    }
}

TEST(CatalogueForms, MinimalEntriesAreAcceptedWithTheirIds)
{
    struct Case
    {
        const char *name;
        Form form;
        Typed typed;
        KeyRef key;
        StringField id; // empty letter: the file has no text id
        const char *letter;
    };
    const Case cases[] = {
        {"supplier with only a name",
         kSupplier,
         {{updatlief::kName, u"Papier Union"_s}},
         LIE::Keyliname,
         LIE::LIIAD,
         "L"},
        {"paper at 0.01",
         kPaper,
         {{UpdatepapierR::kName, u"Offset"_s},
          {UpdatepapierR::kPerUnit, u"500"_s},
          {UpdatepapierR::kUnitName, u"Ries"_s},
          {UpdatepapierR::kPrice, u"0,01"_s}},
         PAP::Keypbez,
         PAP::IPAP,
         "R"},
        {"typesetting",
         kTypesetting,
         {{Updatesatz::kDescription, u"Satz"_s}, {Updatesatz::kUnit, u"Seite"_s}},
         SAT::Keysbez,
         SAT::SID,
         "Z"},
        {"work",
         kWork,
         {{UpdatearbeitA::kDescription, u"Falzen"_s},
          {UpdatearbeitA::kUnit, u"1000 Stck"_s},
          {UpdatearbeitA::kMinutes, u"15"_s},
          {UpdatearbeitA::kFactor, u"1"_s}},
         ARB::Keyabez,
         ARB::AID,
         "A"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CostingFormFixture f;
        Call call;
        ProcWindow *window = openNew(f, c.form, call);
        ASSERT_NE(window, nullptr);
        typeAll(f, window, c.typed);
        f.gui.press(window, kOk);
        EXPECT_TRUE(f.gui.openMessages().isEmpty());
        ASSERT_TRUE(call.returned);
        EXPECT_EQ(call.response, Response::Completed);
        const std::string id = f.only(c.key).get(c.id);
        EXPECT_EQ(id.substr(0, 1), c.letter);
        EXPECT_GT(id.size(), 6u) << "day number and time follow the letter";
        EXPECT_LE(id.size(), 14u);
        EXPECT_EQ(id.find_first_not_of("0123456789", 1), std::string::npos);
    }
}

TEST(CatalogueForms, DuplicateWorkDescriptionIsRefusedByTheStore)
{
    CostingFormFixture f;
    f.add(FileId::arbeit, [](Records &r) { r.set(ARB::ABEZ, "Schneiden"); });
    Call call;
    ProcWindow *window = openNew(f, kWork, call);
    ASSERT_NE(window, nullptr);
    typeAll(f,
            window,
            {{UpdatearbeitA::kDescription, u"Schneiden"_s},
             {UpdatearbeitA::kUnit, u"Std."_s},
             {UpdatearbeitA::kMinutes, u"30"_s},
             {UpdatearbeitA::kFactor, u"1"_s}});
    f.gui.press(window, kOk);
    ASSERT_FALSE(f.gui.openMessages().isEmpty());
    EXPECT_NE(f.gui.openMessages().front().title, kTitle) << "the record store's own message";
    f.answerOk();
    EXPECT_FALSE(call.returned) << "the input stays for the user to correct";
    int named = 0;
    for (const RecordBuffer &r : f.rows(ARB::Keyabez))
        named += r.get(ARB::ABEZ) == "Schneiden" ? 1 : 0;
    EXPECT_EQ(named, 1);
    f.gui.press(window, kCancel);
    f.gui.answer(MessageButton::No);
    EXPECT_TRUE(call.returned);
}

TEST(PaperCatalogue, SupplierPickCopiesNamePhoneAndFax)
{
    CostingFormFixture f;
    f.add(FileId::lieferant, [](Records &r) {
        r.set(LIE::LINAME, "Papier Union");
        r.set(LIE::LIPLZ, "20095");
        r.set(LIE::LIORT, "Hamburg");
        r.set(LIE::LITEL, "040 123");
        r.set(LIE::LIFAX, "040 124");
    });
    Call call;
    ProcWindow *window = openNew(f, kPaper, call);
    ASSERT_NE(window, nullptr);
    f.gui.type(window, UpdatepapierR::kName, u"Offset"_s);
    f.gui.chooseEntry(window, UpdatepapierR::supplierControl(2, 2), 1);
    EXPECT_EQ(f.gui.text(window, UpdatepapierR::kName), u"Offset"_s) << "typed input stays";
    EXPECT_EQ(f.gui.text(window, UpdatepapierR::supplierControl(2, 1)), u"Papier Union"_s);
    EXPECT_EQ(f.gui.text(window, UpdatepapierR::supplierControl(2, 2)),
              u"Papier Union   20095   Hamburg"_s);
    f.gui.type(window, UpdatepapierR::supplierControl(2, 3), u"040 999"_s);
    typeAll(f,
            window,
            {{UpdatepapierR::kPerUnit, u"500"_s},
             {UpdatepapierR::kUnitName, u"Ries"_s},
             {UpdatepapierR::kPrice, u"7"_s}});
    f.gui.press(window, kOk);
    ASSERT_TRUE(call.returned);
    const RecordBuffer paper = f.only(PAP::Keypbez);
    EXPECT_EQ(paper.get(PAP::LIEF2), "Papier Union");
    EXPECT_EQ(paper.get(PAP::LIEF2TEL), "040 999") << "copies may be overtyped";
    EXPECT_EQ(paper.get(PAP::LIEF2FAX), "040 124");
    EXPECT_EQ(paper.get(PAP::LIEF1), "");
}

TEST(MachineCatalogue, FormatButtonSetsTheSizeAndOkPutsTheLongerSideFirst)
{
    CostingFormFixture f;
    Call call;
    ProcWindow *window = openNew(f, kMachine, call);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(f.gui.text(window, Updatemaschin::kId).startsWith(u'M'));
    EXPECT_EQ(f.gui.text(window, Updatemaschin::kColours), u"1"_s);

    f.gui.type(window, Updatemaschin::kName, u"GTO 52"_s);
    f.gui.chooseOption(window, Updatemaschin::kFormat, 4);
    EXPECT_EQ(f.gui.text(window, Updatemaschin::kLength), u"420"_s);
    EXPECT_EQ(f.gui.text(window, Updatemaschin::kWidth), u"297"_s);
    f.gui.type(window, Updatemaschin::kWidth, u"500"_s);
    f.gui.type(window, Updatemaschin::kFastest, u"8000"_s);
    f.gui.type(window, Updatemaschin::kSlowest, u"4000"_s);
    EXPECT_EQ(f.gui.text(window, Updatemaschin::kAverage).trimmed(), u"6000,0"_s);
    EXPECT_EQ(f.gui.text(window, Updatemaschin::kFactorMax).trimmed(), u"0,750"_s);
    EXPECT_EQ(f.gui.text(window, Updatemaschin::kFactorMin).trimmed(), u"1,500"_s);
    EXPECT_TRUE(f.gui.grab(window, QStringLiteral("/tmp/tessaro_machine.png")));

    f.gui.press(window, kOk);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);
    const RecordBuffer machine = f.only(MAS::Keymaid);
    EXPECT_EQ(machine.get(MAS::MFORM), "A3");
    EXPECT_DOUBLE_EQ(machine.get(MAS::MMAX), 500);
    EXPECT_DOUBLE_EQ(machine.get(MAS::MMIN), 420);
    EXPECT_DOUBLE_EQ(machine.get(MAS::DZMITTEL), 6000);
    EXPECT_DOUBLE_EQ(machine.get(MAS::DZMITFAK), 1);
}

TEST(MachineCatalogue, SpeedsGiveTheAverageAndFactors)
{
    struct Case
    {
        QString fastest, slowest;
        double average, factorMax, factorMin;
    };
    const Case cases[] = {
        {u"10000"_s, u"10000"_s, 10000, 1, 1},
        {u"8000"_s, u"4000"_s, 6000, 0.75, 1.5},
        {u"9000"_s, u"7000"_s, 8000, 0.889, 1.143},
        {u"8000"_s, u"0"_s, 4000, 0.5, 0}, // no lowest speed, nothing to compare with
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fastest.toStdString() + "/" + c.slowest.toStdString());
        CostingFormFixture f;
        Call call;
        ProcWindow *window = openNew(f, kMachine, call);
        ASSERT_NE(window, nullptr);
        f.gui.type(window, Updatemaschin::kName, u"SM 74"_s);
        f.gui.type(window, Updatemaschin::kFastest, c.fastest);
        f.gui.type(window, Updatemaschin::kSlowest, c.slowest);
        f.gui.press(window, kOk);
        ASSERT_TRUE(call.returned);
        const RecordBuffer machine = f.only(MAS::Keymaid);
        EXPECT_DOUBLE_EQ(machine.get(MAS::DZMITTEL), c.average);
        EXPECT_DOUBLE_EQ(machine.get(MAS::DZMAXFA), c.factorMax);
        EXPECT_DOUBLE_EQ(machine.get(MAS::DZMINFA), c.factorMin);
    }
}

TEST(MachineCatalogue, ChangeKeepsTypedSizesOfTheFormat)
{
    CostingFormFixture f;
    f.add(FileId::maschin, [](Records &r) {
        r.set(MAS::MBEZ, "GTO 52");
        r.set(MAS::MFORM, "A3");
        r.set(MAS::MMAX, 520.0);
        r.set(MAS::MMIN, 360.0);
    });
    Caller caller;
    caller.fetchKey = MAS::Keymaid;
    caller.buffers = [](Records &r) {
        r.set(MAS::MAID, std::int32_t{1});
    };
    Call call;
    f.callForm("Updatemaschin", FileId::maschin, Request::Change, caller, call);
    ProcWindow *window = f.form(u"ÄNDERN der Angaben"_s);
    ASSERT_NE(window, nullptr);
    f.gui.type(window, Updatemaschin::kColours, u"2"_s);
    f.gui.press(window, kOk);
    ASSERT_TRUE(call.returned);
    const RecordBuffer machine = f.only(MAS::Keymaid);
    EXPECT_DOUBLE_EQ(machine.get(MAS::MMAX), 520) << "OK does not press the format button";
    EXPECT_DOUBLE_EQ(machine.get(MAS::MMIN), 360);
    EXPECT_DOUBLE_EQ(machine.get(MAS::MFARB), 2);
}

} // namespace
