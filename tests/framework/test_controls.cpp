#include "formprocedure.h"

#include "framework/formbuilder.h"
#include "framework/keycodes.h"
#include "store/files.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QGroupBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTreeWidget>

namespace {

using namespace Qt::Literals::StringLiterals;

TEST(Controls, AccessibleNamesAreTheLabels)
{
    GuiHarness gui;
    ProcWindow window(gui.area(), u"Papier"_s);
    TestForm form(window);
    window.open();

    const std::pair<int, QString> names[] = {
        {10, u"Bezeichnung"_s},
        {11, u"Preis"_s},
        {15, u"Lagerware"_s}, // no label given: the check box's own text
        {20, u"Speichern"_s}, // the button's text without its '&'
        {30, u"Register"_s},
        {31, u"Allgemein"_s},
        {40, u"Format"_s},
        {50, u"Farbe"_s}, // the group's title
        {60, u"Papiere"_s},
    };
    for (const auto &[control, name] : names) {
        SCOPED_TRACE(control);
        QWidget *widget = window.control(control);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->accessibleName(), name);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(accessible, nullptr);
        // Qt on Unix names a drop list by its current entry and tells its label apart.
        if (window.kind(control) != ControlKind::DropList) {
            EXPECT_EQ(accessible->text(QAccessible::Name), name);
        }
    }
    // What receives the keyboard in a list carries the name too.
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(window.list(60)->view())->text(QAccessible::Name),
        u"Papiere"_s);
}

TEST(Controls, KindsAreReadByNumber)
{
    GuiHarness gui;
    ProcWindow window(gui.area(), u"Papier"_s);
    TestForm form(window);
    const std::pair<int, ControlKind> kinds[] = {
        {10, ControlKind::Entry},
        {15, ControlKind::CheckBox},
        {20, ControlKind::Button},
        {30, ControlKind::Sheet},
        {31, ControlKind::Tab},
        {40, ControlKind::DropList},
        {50, ControlKind::Radio},
        {60, ControlKind::List},
        {99, ControlKind::Other},
    };
    for (const auto &[control, kind] : kinds) {
        SCOPED_TRACE(control);
        EXPECT_EQ(window.kind(control), kind);
    }
}

TEST(Controls, HiddenTabsHideWhatIsOnThem)
{
    GuiHarness gui;
    ProcWindow window(gui.area(), u"Papier"_s);
    TestForm form(window);
    window.open();

    window.hide(32);
    EXPECT_FALSE(form.sheet->isTabVisible(1));
    EXPECT_TRUE(window.isHidden(32));
    EXPECT_TRUE(window.isHidden(33)) << "the entry on the hidden tab";
    EXPECT_FALSE(window.isHidden(10));

    window.unhide(32);
    EXPECT_TRUE(form.sheet->isTabVisible(1));
    EXPECT_FALSE(window.isHidden(33));

    window.hide(11);
    EXPECT_TRUE(form.e11->isHidden());
    window.unhide(11);
    EXPECT_FALSE(form.e11->isHidden());
}

TEST(Controls, DisabledIsTheControlsOwnStateEvenWhileTheWindowWaits)
{
    GuiHarness gui;
    ProcWindow window(gui.area(), u"Papier"_s);
    TestForm form(window);
    window.open();

    window.disable(20);
    window.disable(32);
    EXPECT_TRUE(window.isDisabled(20));
    EXPECT_FALSE(form.button->isEnabled());
    EXPECT_TRUE(window.isDisabled(32));
    EXPECT_FALSE(form.sheet->isTabEnabled(1));
    EXPECT_FALSE(window.isDisabled(10));

    window.holdDisabled(); // a message box in front of the window
    EXPECT_FALSE(window.subWindow()->isEnabled());
    EXPECT_FALSE(window.isDisabled(10));
    EXPECT_TRUE(window.isDisabled(20));
    window.releaseDisabled();
    EXPECT_TRUE(window.subWindow()->isEnabled());

    window.enable(20);
    window.enable(32);
    EXPECT_FALSE(window.isDisabled(20));
    EXPECT_FALSE(window.isDisabled(32));
}

TEST(Controls, ADisabledControlSaysWhyAndAnEnabledOneWhatItDoes)
{
    GuiHarness gui;
    ProcWindow window(gui.area(), u"Papier"_s);
    TestForm form(window);
    window.open();

    const struct
    {
        const char *name;
        bool enabled;
        QString tip;
        bool disabledAfter;
        QString tooltipAfter;
    } cases[] = {
        {"disabled says why", false, u"Speichert"_s, true, u"Nichts zu speichern"_s},
        {"enabled says what it does", true, u"Speichert"_s, false, u"Speichert"_s},
        {"enabled without a tip has none", true, QString(), false, QString()},
        {"disabled again says why again", false, QString(), true, u"Nichts zu speichern"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        window.enableIf(20, c.enabled, u"Nichts zu speichern"_s, c.tip);
        EXPECT_EQ(window.isDisabled(20), c.disabledAfter);
        EXPECT_EQ(form.button->toolTip(), c.tooltipAfter);
    }
    // A tab is disabled as a tab, not as the page's widget.
    window.enableIf(32, false, u"Nicht jetzt"_s);
    EXPECT_FALSE(form.sheet->isTabEnabled(1));
    window.enableIf(32, true, u"Nicht jetzt"_s);
    EXPECT_TRUE(form.sheet->isTabEnabled(1));
}

TEST(Controls, ValidatingSkipsHiddenControls)
{
    GuiHarness gui;
    QStringList log;
    startForm(
        gui,
        u"Papier"_s,
        log,
        [](ProcWindow &window, const WindowEvent &event) {
            if (event.kind == EventKind::Accepted && event.control == 20)
                window.validateAll();
            return true;
        },
        [](ProcWindow &window, TestForm &) {
            window.hide(11);
            window.hide(32);
            window.disable(40);
        });
    ProcWindow *window = gui.window(u"Papier"_s);
    ASSERT_NE(window, nullptr);
    const qsizetype before = log.size();
    gui.press(window, 20);
    EXPECT_EQ(since(log, before),
              (QStringList{u"Accepted 20"_s,
                           u"Accepted 10"_s,
                           u"Accepted 12"_s,
                           u"Accepted 15"_s,
                           u"Accepted 50"_s,
                           u"Completed"_s}));
}

TEST(Controls, AlertKeysArriveInsteadOfTheKey)
{
    GuiHarness gui;
    QStringList log;
    startForm(gui, u"Papier"_s, log, {}, [](ProcWindow &window, TestForm &) {
        window.addAlertKey(10, KeyCode::F1 + 1);
        window.addAlertKey(10, 'X');
        window.setAlertKeys(60, {KeyCode::AnyCharacter, KeyCode::CtrlEnter, KeyCode::Insert});
    });
    ProcWindow *window = gui.window(u"Papier"_s);
    ASSERT_NE(window, nullptr);

    struct Row
    {
        const char *name;
        int control;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QStringList events;
    };
    const Row rows[] = {
        {"function key", 10, Qt::Key_F2, Qt::NoModifier, {u"AlertKey 10 key 113"_s}},
        {"letter", 10, Qt::Key_X, Qt::NoModifier, {u"AlertKey 10 key 88 'x'"_s}},
        {"not armed", 10, Qt::Key_F3, Qt::NoModifier, {}},
        {"any character", 60, Qt::Key_M, Qt::NoModifier, {u"AlertKey 60 key 77 'm'"_s}},
        {"Ctrl+Enter", 60, Qt::Key_Return, Qt::ControlModifier, {u"AlertKey 60 key 525"_s}},
        {"Insert", 60, Qt::Key_Insert, Qt::NoModifier, {u"AlertKey 60 key 45"_s}},
        {"scrolling is no alert key", 60, Qt::Key_Down, Qt::NoModifier, {u"ScrollDown 60"_s}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const qsizetype before = log.size();
        gui.key(window, row.control, row.key, row.modifiers);
        EXPECT_EQ(since(log, before), row.events);
    }
    EXPECT_EQ(gui.text(window, 10), QString()) << "an alert key does not reach the entry";
    EXPECT_EQ(window->alertKeys(10).size(), 2);
}

TEST(Controls, TitleCanBeSetAndRestored)
{
    GuiHarness gui;
    ProcWindow window(gui.area(), u"Papier"_s);
    window.open();
    window.setTitle(u"Papier - wird gedruckt"_s);
    EXPECT_EQ(window.subWindow()->windowTitle(), u"Papier - wird gedruckt"_s);
    EXPECT_EQ(gui.window(u"Papier - wird gedruckt"_s), &window);
    window.restoreTitle();
    EXPECT_EQ(window.title(), u"Papier"_s);
}

TEST(Controls, SelectingATabMakesItCurrentAndAControlTakesTheFocus)
{
    GuiHarness gui;
    QStringList log;
    startForm(gui, u"Papier"_s, log, [](ProcWindow &window, const WindowEvent &event) {
        if (event.kind == EventKind::OpenWindow) {
            window.select(32);
            window.select(12);
        }
        return true;
    });
    ProcWindow *window = gui.window(u"Papier"_s);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->choice(30), 2);
    EXPECT_EQ(window->focusControl(), 12);
    EXPECT_TRUE(log.contains(u"Selected 12"_s));
}

// A form laid out over a column and framed groups, as the customer and order forms are: the
// builders of the parts bind like the window's own, the controls keep the order in which
// they were declared, and the window's buttons stay at its foot.
TEST(Controls, FormPartsBindAndOrderLikeTheWindowsRows)
{
    GuiHarness gui;
    ProcWindow window(gui.area(), u"Kunde"_s);
    Records records;
    double discount = 0;
    FormBuilder form(window, records);
    form.entry(1, u" Firma "_s, KUN::KNAME, u"@s45"_s);
    auto *side = new QWidget(window.content());
    form.addWidget(side);
    FormBuilder column = form.part(side);
    FormBuilder delivery = column.group(0, u"  Lieferanschrift "_s);
    delivery.entry(2, u"Name  "_s, KUN::LNAME, u"@s45"_s);
    delivery.button(3, u"Übernehmen"_s);
    FormBuilder contact = column.group(4, u"Ansprechpartner"_s);
    contact.display(5, u"Telefon "_s, KUN::KPTEL);
    contact.entry(6, u"Rabatt"_s, discount, u"@n6.2"_s);
    column.buttonRow({{7, u"Neu"_s}, {8, u"Ändern"_s}});
    form.okCancel(9, 10);
    window.subWindow()->adjustSize();
    window.open();

    EXPECT_EQ(window.controlsInTabOrder(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    const std::pair<int, QString> names[] = {
        {1, u"Firma"_s},
        {2, u"Name"_s},
        {4, u"Ansprechpartner"_s},
        {5, u"Telefon"_s},
        {7, u"Neu"_s},
    };
    for (const auto &[control, name] : names)
        EXPECT_EQ(window.control(control)->accessibleName(), name) << control;

    // The unnumbered group is named but is no control; the button declared in it is a row of
    // it, the window's buttons are below every row.
    auto *unnumbered = qobject_cast<QGroupBox *>(window.control(2)->parentWidget());
    ASSERT_NE(unnumbered, nullptr);
    EXPECT_EQ(unnumbered->accessibleName(), u"Lieferanschrift"_s);
    EXPECT_EQ(window.control(0), nullptr);
    EXPECT_TRUE(unnumbered->isAncestorOf(window.control(3)));
    const auto top = [&](int control) {
        return window.control(control)->mapTo(window.content(), QPoint()).y();
    };
    EXPECT_GT(top(9), top(7));
    EXPECT_EQ(top(9), top(10));

    // Fields and working values of the parts are bound to the form's records.
    records.set(KUN::LNAME, "Druckerei Nord");
    records.set(KUN::KPTEL, "0431 12345");
    window.redisplay();
    EXPECT_EQ(gui.text(&window, 2), u"Druckerei Nord"_s);
    EXPECT_EQ(gui.text(&window, 5), u"0431 12345"_s);
    qobject_cast<QLineEdit *>(window.control(6))->setText(u"3,5"_s);
    EXPECT_TRUE(window.updateFromWindow(6));
    EXPECT_DOUBLE_EQ(discount, 3.5);
}

} // namespace
