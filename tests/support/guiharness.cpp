#include "support/guiharness.h"

#include "framework/listcontrol.h"
#include "framework/radiogroup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// One application for the whole test program; Qt does not like a second one.
void ensureApplication()
{
    if (QApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "tessaro-test";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

template<typename T>
QList<T *> visibleTopLevels()
{
    QList<T *> found;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            found.append(t);
    }
    return found;
}

} // namespace

QString describe(const WindowEvent &event)
{
    QString text = eventName(event.kind);
    if (event.control != 0)
        text += u' ' + QString::number(event.control);
    if (event.keyCode != 0)
        text += QStringLiteral(" key ") + QString::number(event.keyCode);
    if (!event.keyText.isEmpty())
        text += QStringLiteral(" '") + event.keyText + u'\'';
    if (event.kind == EventKind::ScrollDrag)
        text += QStringLiteral(" thumb ") + QString::number(event.thumb);
    return text;
}

void runEvents(ProcWindow &window,
               QStringList &log,
               const std::function<bool(const WindowEvent &)> &handle)
{
    WindowEvent event;
    while (window.nextEvent(event)) {
        log << describe(event);
        if (handle) {
            if (!handle(event))
                return;
        } else {
            window.defaultAction(event);
        }
    }
}

GuiHarness::GuiHarness()
{
    // The process has one procedure scheduler; a second harness would take the first one's
    // place, which only a Debug build's assertion notices.
    if (ProcedureThreads::instance())
        throw std::logic_error("a GuiHarness is alive already: end it before making another");
    ensureApplication();
    m_frame = std::make_unique<QMainWindow>();
    m_area = new QMdiArea(m_frame.get());
    m_frame->setCentralWidget(m_area);
    m_frame->setWindowTitle(QStringLiteral("TESSARO"));
    m_frame->resize(1024, 768);
    m_frame->show();
    m_frame->activateWindow();
    m_threads = std::make_unique<ProcedureThreads>();
    settle();
}

GuiHarness::~GuiHarness()
{
    m_threads.reset();
    m_frame.reset();
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (qobject_cast<QDialog *>(w) || qobject_cast<QMenu *>(w))
            w->deleteLater();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::uint32_t GuiHarness::start(const QString &name, std::function<void()> body)
{
    const std::uint32_t thread = m_threads->start(name, std::move(body));
    EXPECT_TRUE(settle()) << "procedure " << name.toStdString() << " does not come to rest";
    return thread;
}

bool GuiHarness::settle()
{
    int quietRounds = 0;
    for (int round = 0; round < 10000; ++round) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!m_threads->idle())
            quietRounds = 0;
        else if (++quietRounds >= 3)
            return true;
    }
    return false;
}

ProcWindow *GuiHarness::window(const QString &title) const
{
    for (ProcWindow *w : ProcWindow::openWindows()) {
        if (w->title() == title)
            return w;
    }
    return nullptr;
}

QWidget *GuiHarness::widget(ProcWindow *window, int control) const
{
    QWidget *w = window ? window->control(control) : nullptr;
    if (!w)
        ADD_FAILURE() << "no control " << control;
    return w;
}

void GuiHarness::type(ProcWindow *window, int control, const QString &text)
{
    auto *edit = qobject_cast<QLineEdit *>(widget(window, control));
    if (!edit) {
        ADD_FAILURE() << "control " << control << " is no entry";
        return;
    }
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(settle());
}

void GuiHarness::key(ProcWindow *window, int control, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget *w = widget(window, control);
    if (auto *list = qobject_cast<ListControl *>(w))
        w = list->view();
    if (!w)
        return;
    QTest::keyClick(w, key, modifiers);
    EXPECT_TRUE(settle());
}

void GuiHarness::focus(ProcWindow *window, int control)
{
    if (QWidget *w = widget(window, control))
        w->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(settle());
}

void GuiHarness::press(ProcWindow *window, int control)
{
    auto *button = qobject_cast<QAbstractButton *>(widget(window, control));
    if (!button) {
        ADD_FAILURE() << "control " << control << " is no button";
        return;
    }
    button->click();
    EXPECT_TRUE(settle());
}

void GuiHarness::chooseOption(ProcWindow *window, int control, int option)
{
    auto *group = qobject_cast<RadioGroup *>(widget(window, control));
    if (!group || !group->option(option)) {
        ADD_FAILURE() << "control " << control << " has no option " << option;
        return;
    }
    group->option(option)->click();
    EXPECT_TRUE(settle());
}

void GuiHarness::chooseEntry(ProcWindow *window, int control, int entry)
{
    auto *combo = qobject_cast<QComboBox *>(widget(window, control));
    if (!combo || entry < 1 || entry > combo->count()) {
        ADD_FAILURE() << "control " << control << " has no entry " << entry;
        return;
    }
    // What the drop-down does when the user picks an entry.
    combo->setCurrentIndex(entry - 1);
    emit combo->activated(entry - 1);
    EXPECT_TRUE(settle());
}

void GuiHarness::pickRow(ProcWindow *window, int control, int row, bool right)
{
    auto *list = qobject_cast<ListControl *>(widget(window, control));
    QTreeWidgetItem *item = list ? list->view()->topLevelItem(row - 1) : nullptr;
    if (!item) {
        ADD_FAILURE() << "list " << control << " has no row " << row;
        return;
    }
    const QPoint at = list->view()->visualItemRect(item).center();
    QTest::mouseClick(list->view()->viewport(), right ? Qt::RightButton : Qt::LeftButton, {}, at);
    EXPECT_TRUE(settle());
}

void GuiHarness::doubleClickRow(ProcWindow *window, int control, int row)
{
    auto *list = qobject_cast<ListControl *>(widget(window, control));
    QTreeWidgetItem *item = list ? list->view()->topLevelItem(row - 1) : nullptr;
    if (!item) {
        ADD_FAILURE() << "list " << control << " has no row " << row;
        return;
    }
    const QPoint at = list->view()->visualItemRect(item).center();
    QTest::mouseDClick(list->view()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(settle());
}

void GuiHarness::switchTab(ProcWindow *window, int control, int tab)
{
    auto *sheet = qobject_cast<QTabWidget *>(widget(window, control));
    if (!sheet || tab < 1 || tab > sheet->count()) {
        ADD_FAILURE() << "sheet " << control << " has no tab " << tab;
        return;
    }
    QTest::mouseClick(
        sheet->tabBar(), Qt::LeftButton, {}, sheet->tabBar()->tabRect(tab - 1).center());
    EXPECT_TRUE(settle());
}

void GuiHarness::closeBox(ProcWindow *window)
{
    if (window && window->subWindow())
        window->subWindow()->close();
    EXPECT_TRUE(settle());
}

QList<GuiHarness::Message> GuiHarness::openMessages() const
{
    QList<Message> messages;
    for (QMessageBox *box : visibleTopLevels<QMessageBox>())
        messages.append({box->windowTitle(), box->text()});
    return messages;
}

std::optional<GuiHarness::Message> GuiHarness::answer(int button, const QString &title)
{
    QMessageBox *chosen = nullptr;
    for (QMessageBox *box : visibleTopLevels<QMessageBox>()) {
        if (title.isEmpty() || box->windowTitle() == title)
            chosen = box;
    }
    if (!chosen)
        return std::nullopt;
    QAbstractButton *b = chosen->button(standardButton(button));
    if (!b) {
        ADD_FAILURE() << "message " << chosen->windowTitle().toStdString() << " has no button "
                      << button;
        return std::nullopt;
    }
    const Message message{chosen->windowTitle(), chosen->text()};
    b->click();
    EXPECT_TRUE(settle());
    return message;
}

bool GuiHarness::answerFileDialog(const QString &fileName)
{
    const QList<QFileDialog *> dialogs = visibleTopLevels<QFileDialog>();
    if (dialogs.isEmpty())
        return false;
    // What the user does: go to the folder and type the name into the dialog's name field
    // (selectFile() leaves a focused name field alone).
    const QFileInfo file(fileName);
    QFileDialog *dialog = dialogs.last();
    dialog->setDirectory(file.absolutePath());
    auto *nameEdit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    if (nameEdit)
        nameEdit->setText(file.fileName());
    else
        dialog->selectFile(file.fileName());
    static_cast<QDialog *>(dialog)->accept(); // protected in QFileDialog, public in QDialog
    return settle();
}

bool GuiHarness::choosePopupItem(const QString &text)
{
    for (QMenu *menu : visibleTopLevels<QMenu>()) {
        for (QAction *action : menu->actions()) {
            if (action->text() == text) {
                menu->hide();
                action->trigger();
                return settle();
            }
        }
    }
    return false;
}

QString GuiHarness::text(ProcWindow *window, int control) const
{
    QWidget *w = widget(window, control);
    if (const auto *edit = qobject_cast<QLineEdit *>(w))
        return edit->text();
    if (const auto *label = qobject_cast<QLabel *>(w))
        return label->text();
    if (const auto *button = qobject_cast<QAbstractButton *>(w))
        return button->text();
    if (const auto *combo = qobject_cast<QComboBox *>(w))
        return combo->currentText();
    if (const auto *plain = qobject_cast<QPlainTextEdit *>(w))
        return plain->toPlainText();
    return {};
}

bool GuiHarness::grab(ProcWindow *window, const QString &pngPath) const
{
    return window && window->subWindow() && window->subWindow()->grab().save(pngPath, "PNG");
}
