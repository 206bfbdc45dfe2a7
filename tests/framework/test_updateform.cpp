// The update-form cycle of the window manager, driven offscreen on a real record store:
// insert, change and delete, the questions before losing changes, inserting several records
// and the history key.

#include "formfixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QLineEdit>

namespace {

using namespace Qt::Literals::StringLiterals;
using Call = FormFixture::Call;

const QString kSaveRecord = u"Save Record"_s;

TEST(UpdateForm, InsertStoresTheRecordAndAnswersCompleted)
{
    FormFixture f;
    Call call;
    f.callForm(Request::Insert, call);
    ProcWindow *form = f.form();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(f.count(), 1) << "the list primed the record with its automatic number";
    EXPECT_EQ(form->focusControl(), 1);

    f.gui.type(form, 1, u"Spedition"_s);
    f.gui.type(form, 2, u"80"_s);
    f.gui.press(form, TransportForm::kOk);

    EXPECT_EQ(f.form(), nullptr);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);
    EXPECT_EQ(call.name, "Spedition");
    EXPECT_EQ(call.number, 1);
    EXPECT_EQ(f.stored(), std::vector<std::string>{"Spedition 80"});
}

TEST(UpdateForm, ChangeWritesTheEditedRecord)
{
    FormFixture f;
    f.addTransport("Kurier", 25);
    Call call;
    f.callForm(Request::Change, call, "Kurier");
    ProcWindow *form = f.form();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(f.gui.text(form, 1), u"Kurier"_s);

    f.gui.type(form, 2, u"27.5"_s);
    f.gui.press(form, TransportForm::kOk);

    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);
    EXPECT_EQ(f.stored(), std::vector<std::string>{"Kurier 27.5"});
}

// OK on an unchanged record writes nothing: another station's change made meanwhile stands
// and no "changed by another station" comes up. What it answers depends on the toolbar and on
// a record move left by it.
TEST(UpdateForm, ChangeWithoutEditWritesNothing)
{
    struct Case
    {
        const char *name;
        bool toolbar;
        int button; // pressed instead of OK; 0 = OK
        int response;
        int recordMove;
    };
    const Case cases[] = {
        {"without toolbar", false, TransportForm::kOk, Response::Cancelled, 0},
        {"toolbar, no move", true, TransportForm::kOk, Response::Completed, 0},
        {"toolbar, next record", true, 2008, Response::Cancelled, 2008},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FormFixture f;
        f.useTransportForm({.toolbar = c.toolbar});
        f.addTransport("Kurier", 25);
        Call call;
        f.callForm(Request::Change, call, "Kurier");
        ProcWindow *form = f.form();
        ASSERT_NE(form, nullptr);

        // Another station raises the price while the form is open.
        FileManager &other = f.store->fileManager(FileId::transport);
        other.Open();
        f.store->records().set(TRA::TBEZ, "Kurier");
        ASSERT_EQ(other.FetchQuiet(TRA::Keybez), 0);
        f.store->records().set(TRA::TPR, 30.0);
        ASSERT_EQ(other.Update(), 0);
        other.Close();

        if (c.button == TransportForm::kOk)
            f.gui.press(form, TransportForm::kOk);
        else
            form->post(EventKind::Accepted, c.button); // the frame's toolbar row does this
        f.gui.settle();

        EXPECT_TRUE(f.gui.openMessages().isEmpty());
        ASSERT_TRUE(call.returned);
        EXPECT_EQ(call.response, c.response);
        EXPECT_EQ(call.recordMove, c.recordMove);
        EXPECT_EQ(f.stored(), std::vector<std::string>{"Kurier 30"});
    }
}

TEST(UpdateForm, DeleteRequestDeletesWithoutShowingTheForm)
{
    struct Case
    {
        int answer;
        int response;
        std::vector<std::string> left;
    };
    for (const Case &c :
         {Case{MessageButton::Yes, Response::Completed, {"Spedition 80"}},
          Case{MessageButton::No, Response::Cancelled, {"Kurier 25", "Spedition 80"}}}) {
        SCOPED_TRACE(c.answer == MessageButton::Yes ? "Yes" : "No");
        FormFixture f;
        f.addTransport("Kurier", 25);
        f.addTransport("Spedition", 80);
        Call call;
        f.callForm(Request::Delete, call, "Kurier");
        EXPECT_EQ(f.form(), nullptr) << "the form never opens";
        const auto confirm = f.gui.answer(c.answer, u"Confirm Delete"_s);
        ASSERT_TRUE(confirm.has_value());
        EXPECT_EQ(confirm->text, u"Wollen Sie den markierten Satz wirklich löschen?"_s);
        EXPECT_EQ(f.form(), nullptr);
        ASSERT_TRUE(call.returned);
        EXPECT_EQ(call.response, c.response);
        EXPECT_EQ(f.stored(), c.left);
    }
}

TEST(UpdateForm, DeleteOnTheFormDeletesOnOkWithoutConfirmation)
{
    FormFixture f;
    f.useTransportForm({.deleteAction = 1});
    f.addTransport("Kurier", 25);
    Call call;
    f.callForm(Request::Delete, call, "Kurier");
    ProcWindow *form = f.form();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(f.gui.text(form, 1), u"Kurier"_s);
    f.gui.press(form, TransportForm::kOk);
    EXPECT_TRUE(f.gui.openMessages().isEmpty());
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);
    EXPECT_EQ(f.count(), 0);
}

// Closing an insert form with changes asks "Save Record": Yes saves as OK would, Cancel keeps
// the form with the input, No abandons it and takes back the record's automatic number.
TEST(UpdateForm, ClosingWithChangesAsksSaveRecord)
{
    struct Case
    {
        const char *name;
        int answer;
        bool formStays;
        int response;
        std::vector<std::string> stored;
    };
    const Case cases[] = {
        {"Yes", MessageButton::Yes, false, Response::Completed, {"Bote 12"}},
        {"No", MessageButton::No, false, Response::Cancelled, {}},
        {"Cancel", MessageButton::Cancel, true, 0, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FormFixture f;
        Call call;
        f.callForm(Request::Insert, call);
        ProcWindow *form = f.form();
        ASSERT_NE(form, nullptr);
        f.gui.type(form, 1, u"Bote"_s);
        f.gui.type(form, 2, u"12"_s);
        f.gui.focus(form, 3);
        f.gui.closeBox(form);

        const auto asked = f.gui.answer(c.answer, kSaveRecord);
        ASSERT_TRUE(asked.has_value());
        EXPECT_EQ(asked->text, u"Sollen die Änderungen für diesen Satz gespeichert werden?"_s);
        EXPECT_EQ(f.form() != nullptr, c.formStays);
        EXPECT_EQ(call.returned, !c.formStays);
        if (c.formStays) {
            EXPECT_EQ(form->focusControl(), 1);
            EXPECT_EQ(f.gui.text(form, 1), u"Bote"_s);
            EXPECT_EQ(f.count(), 1) << "the primed record keeps its number";
        } else {
            EXPECT_EQ(call.response, c.response);
        }
        if (!c.formStays) {
            EXPECT_EQ(f.stored(), c.stored);
        }
    }
}

TEST(UpdateForm, AbandonQuestionWhenCancelActionOnlyAsks)
{
    FormFixture f;
    f.useTransportForm({.cancelAction = 2});
    Call call;
    f.callForm(Request::Insert, call);
    ProcWindow *form = f.form();
    ASSERT_NE(form, nullptr);
    f.gui.type(form, 1, u"Bote"_s);

    f.gui.closeBox(form);
    auto asked = f.gui.answer(MessageButton::No, u"Änderungen verwerfen!"_s);
    ASSERT_TRUE(asked.has_value());
    EXPECT_EQ(asked->text, u"Wollen Sie den Vorgang abbrechen?"_s);
    ASSERT_EQ(f.form(), form) << "No keeps the form";
    EXPECT_EQ(form->focusControl(), 1);

    f.gui.closeBox(form);
    ASSERT_TRUE(f.gui.answer(MessageButton::Yes, u"Änderungen verwerfen!"_s).has_value());
    EXPECT_EQ(f.form(), nullptr);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Cancelled);
    EXPECT_EQ(f.count(), 0);
}

TEST(UpdateForm, CancelledInsertTakesBackItsAutomaticNumber)
{
    FormFixture f;
    f.addTransport("Kurier", 25);
    Call call;
    f.callForm(Request::Insert, call);
    ASSERT_NE(f.form(), nullptr);
    EXPECT_EQ(f.count(), 2) << "the placeholder of the primed record";

    f.gui.press(f.form(), TransportForm::kCancel);
    EXPECT_TRUE(f.gui.openMessages().isEmpty()) << "nothing was changed, nothing to ask";
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Cancelled);
    EXPECT_EQ(f.stored(), std::vector<std::string>{"Kurier 25"});

    // The number is free again for the next record.
    Call next;
    f.callForm(Request::Insert, next);
    f.gui.type(f.form(), 1, u"Bote"_s);
    f.gui.press(f.form(), TransportForm::kOk);
    EXPECT_EQ(next.number, 2);
}

// Three records confirmed with "Record Added" answered Yes, the fourth closed untouched: three
// are stored, the form answers completed and the caller finds the third in its buffer.
TEST(UpdateForm, InsertActionAskAddsRecordsUntilClosed)
{
    FormFixture f;
    f.useTransportForm({.insertAction = 4});
    Call call;
    f.callForm(Request::Insert, call);
    ProcWindow *form = f.form();
    ASSERT_NE(form, nullptr);
    const QString names[] = {u"Bote"_s, u"Kurier"_s, u"Spedition"_s};
    for (int i = 0; i < 3; ++i) {
        f.gui.type(form, 1, names[i]);
        f.gui.type(form, 2, QString::number(10 * (i + 1)));
        f.gui.press(form, TransportForm::kOk);
        const auto added = f.gui.answer(MessageButton::Yes, u"Record Added"_s);
        ASSERT_TRUE(added.has_value()) << "after record " << i + 1;
        EXPECT_EQ(added->text,
                  u"This record has been added to the file. Do you want to add another record?"_s);
        ASSERT_EQ(f.form(), form);
        EXPECT_EQ(f.gui.text(form, 1), QString()) << "a new record is primed";
        EXPECT_EQ(form->focusControl(), 1);
    }
    EXPECT_EQ(f.count(), 4) << "three records and the fourth's placeholder";

    f.gui.closeBox(form);
    EXPECT_TRUE(f.gui.openMessages().isEmpty());
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);
    EXPECT_EQ(call.name, "Spedition");
    EXPECT_EQ(call.number, 3);
    EXPECT_EQ(f.stored(), (std::vector<std::string>{"Bote 10", "Kurier 20", "Spedition 30"}));
}

TEST(UpdateForm, RecordAddedAnsweredNoClosesTheForm)
{
    FormFixture f;
    f.useTransportForm({.insertAction = 4});
    Call call;
    f.callForm(Request::Insert, call);
    f.gui.type(f.form(), 1, u"Bote"_s);
    f.gui.press(f.form(), TransportForm::kOk);
    ASSERT_TRUE(f.gui.answer(MessageButton::No, u"Record Added"_s).has_value());
    EXPECT_EQ(f.form(), nullptr);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);
    EXPECT_EQ(f.count(), 1);
}

// Ctrl+' recalls what the field held when a record was last confirmed in this form; in a
// control without history it does nothing.
TEST(UpdateForm, HistoryKeyRecallsTheLastSavedValue)
{
    FormFixture f;
    f.useTransportForm({.insertAction = 3});
    Call call;
    f.callForm(Request::Insert, call);
    ProcWindow *form = f.form();
    ASSERT_NE(form, nullptr);
    f.gui.type(form, 1, u"Kurier"_s);
    f.gui.type(form, 2, u"25"_s);
    f.gui.type(form, 3, u"Fahrt"_s);
    f.gui.press(form, TransportForm::kOk);
    ASSERT_EQ(f.form(), form) << "insert another without asking";
    EXPECT_EQ(f.gui.text(form, 2), u"0,00"_s);

    f.gui.focus(form, 2);
    f.gui.key(form, 2, Qt::Key_Apostrophe, Qt::ControlModifier);
    EXPECT_EQ(f.gui.text(form, 2), u"25,00"_s);
    EXPECT_EQ(f.gui.text(form, 1), QString()) << "only the focused field";

    f.gui.focus(form, 3);
    f.gui.key(form, 3, Qt::Key_Apostrophe, Qt::ControlModifier);
    EXPECT_EQ(f.gui.text(form, 3), QString()) << "no history for this control";

    // The recalled value is the record's, not only the control's.
    f.gui.type(form, 1, u"Bote"_s);
    f.gui.press(form, TransportForm::kOk);
    f.gui.closeBox(form);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(f.stored(), (std::vector<std::string>{"Bote 25", "Kurier 25"}));
}

TEST(UpdateForm, FirstSizedEventDoesNotResetTheSecondDoes)
{
    FormFixture f;
    int resets = 0;
    f.useTransportForm({.resets = &resets});
    Call call;
    f.callForm(Request::Insert, call);
    ProcWindow *form = f.form();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(resets, 1) << "opening resets once; its size event does not";

    form->subWindow()->resize(form->subWindow()->size() + QSize(40, 30));
    f.gui.settle();
    EXPECT_EQ(resets, 2);
    form->subWindow()->resize(form->subWindow()->size() + QSize(10, 0));
    f.gui.settle();
    EXPECT_EQ(resets, 3);
}

TEST(UpdateForm, RefusedInputKeepsTheFormOpenOnTheField)
{
    FormFixture f;
    Call call;
    f.callForm(Request::Insert, call);
    ProcWindow *form = f.form();
    ASSERT_NE(form, nullptr);
    f.gui.type(form, 1, u"Bote"_s);
    f.gui.type(form, 2, u"zwei"_s);
    const std::optional<GuiHarness::Message> message = f.gui.answer(MessageButton::Ok);
    ASSERT_TRUE(message.has_value()) << "the user is told what the field takes";
    EXPECT_TRUE(message->text.contains(u"keine Zahl"_s)) << message->text.toStdString();
    EXPECT_EQ(form->focusControl(), 2);
    EXPECT_EQ(f.gui.text(form, 2), u"0,00"_s) << "the rejected input is replaced by the value";
    f.gui.press(form, TransportForm::kOk);
    EXPECT_EQ(f.stored(), std::vector<std::string>{"Bote 0"});
}

} // namespace

namespace {

// Notes the pointer shape the program shows at each delete of a record.
class PointerAtDelete : public FileHandle
{
public:
    PointerAtDelete(Engine &e, FileId f, RecordBuffer &b, std::vector<int> &shapes)
        : FileHandle(e, f, b)
        , m_shapes(shapes)
    {}
    int erase() override
    {
        const QCursor *shown = QApplication::overrideCursor();
        m_shapes.push_back(shown ? shown->shape() : -1);
        return FileHandle::erase();
    }

private:
    std::vector<int> &m_shapes;
};

} // namespace

// A delete with its children runs inside one event, the loop gets no turn until it ends: the
// busy pointer is up before the first record goes, also when no form shows it (the list's
// delete after the question of the customer form), and down again after the last.
TEST(UpdateForm, ADeleteWithItsChildrenShowsTheBusyPointerWhileItRuns)
{
    std::vector<int> shapes;
    TempFolder folder;
    ScriptedPresenter presenter;
    GuiHarness gui;
    StoreContext store(folder.path(), presenter, [&](Engine &e, FileId f, RecordBuffer &b) {
        return std::make_unique<PointerAtDelete>(e, f, b, shapes);
    });
    AppContext app(store, gui.threads(), gui.area());
    Records &r = store.records();
    for (FileId file : {FileId::kunde, FileId::auftrag}) {
        FileManager &manager = store.fileManager(file);
        ASSERT_EQ(manager.Open(), Level::Benign);
        ASSERT_EQ(manager.PrepareNewRecord(), Level::Benign);
        r.set(KUN::KID, "K1");
        r.set(AUF::FID, "F1");
        r.set(AUF::FKUID, "K1");
        r.set(AUF::FNR, "A-1");
        ASSERT_EQ(manager.Insert(), Level::Benign);
    }
    store.fileManager(FileId::auftrag).Close();
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(store.relations(FileId::kunde).Delete(false), Level::Benign);
    store.fileManager(FileId::kunde).Close();
    EXPECT_EQ(shapes, (std::vector<int>{Qt::WaitCursor, Qt::WaitCursor}))
        << "the order, then the customer";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
