#include "framework/dialogs.h"

#include "framework/iniwindows.h"
#include "framework/procedurethreads.h"
#include "framework/procwindow.h"
#include "store/procthread.h"

#include <QApplication>
#include <QFileDialog>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QScreen>
#include <QtDebug>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

ProcedureThreads &waitingThreads()
{
    ProcedureThreads *threads = ProcedureThreads::instance();
    if (!threads || !threads->onProcedureThread())
        throw std::logic_error("only a procedure can wait for a dialog");
    return *threads;
}

// The procedure's window stays disabled while one of its dialogs stands in front of it.
class WindowHold
{
public:
    WindowHold()
        : m_window(ProcWindow::activeWindowOf(ProcThread::current()))
    {
        if (m_window)
            m_window->holdDisabled();
    }
    ~WindowHold()
    {
        if (m_window)
            m_window->releaseDisabled();
    }
    WindowHold(const WindowHold &) = delete;
    WindowHold &operator=(const WindowHold &) = delete;

private:
    QPointer<ProcWindow> m_window;
};

int messageButton(QMessageBox::StandardButton button)
{
    for (int b = MessageButton::Ok; b <= MessageButton::Ignore; b <<= 1) {
        if (standardButton(b) == button)
            return b;
    }
    return 0;
}

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The answer when the box was closed without a button of its own.
int dismissAnswer(int buttons, int defaultButton)
{
    for (int b : {MessageButton::Cancel, MessageButton::No, MessageButton::Abort}) {
        if (buttons & b)
            return b;
    }
    if (defaultButton)
        return defaultButton;
    return buttons & -buttons; // the first button
}

int lowestButton(int buttons)
{
    return buttons & -buttons;
}

} // namespace

void centreOnMainWindow(QWidget *dialog)
{
    // Over the middle of the main window, where the user looks, and inside the screen even
    // when the main window reaches past its edge.
    const QWidget *main
        = dialog->parentWidget() ? dialog->parentWidget()->window() : QApplication::activeWindow();
    const QScreen *screen
        = main && main->screen() ? main->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    QRect placed(QPoint(0, 0), dialog->frameGeometry().size().boundedTo(room.size()));
    placed.moveCenter(main ? main->frameGeometry().center() : room.center());
    placed.moveLeft(std::clamp(placed.left(), room.left(), room.right() + 1 - placed.width()));
    placed.moveTop(std::clamp(placed.top(), room.top(), room.bottom() + 1 - placed.height()));
    dialog->move(placed.topLeft());
}

QMessageBox::StandardButton standardButton(int button)
{
    switch (button) {
    case MessageButton::Ok:
        return QMessageBox::Ok;
    case MessageButton::Yes:
        return QMessageBox::Yes;
    case MessageButton::No:
        return QMessageBox::No;
    case MessageButton::Cancel:
        return QMessageBox::Cancel;
    case MessageButton::Abort:
        return QMessageBox::Abort;
    case MessageButton::Retry:
        return QMessageBox::Retry;
    case MessageButton::Ignore:
        return QMessageBox::Ignore;
    default:
        return QMessageBox::NoButton;
    }
}

GuiMessagePresenter::GuiMessagePresenter(std::function<void()> tearDown)
    : m_tearDown(std::move(tearDown))
{}

int GuiMessagePresenter::show(const std::string &title,
                              const std::string &text,
                              MessageIcon icon,
                              int buttons,
                              int defaultButton)
{
    if (buttons == 0)
        buttons = MessageButton::Ok;
    ProcedureThreads *threads = ProcedureThreads::instance();
    if (!threads || !threads->onProcedureThread()) {
        qWarning().noquote() << "Message outside a procedure, not shown:"
                             << QString::fromStdString(title) << QString::fromStdString(text);
        return defaultButton ? defaultButton : lowestButton(buttons);
    }

    const WindowHold hold;
    OwnedDialog<QMessageBox> owned;
    owned.dialog = new QMessageBox(dialogParent());
    QMessageBox *box = owned.dialog;
    box->setWindowTitle(QString::fromStdString(title));
    box->setText(QString::fromStdString(text).replace(u'|', u'\n'));
    box->setIcon(boxIcon(icon));
    for (int b = MessageButton::Ok; b <= MessageButton::Ignore; b <<= 1) {
        if (buttons & b)
            box->addButton(standardButton(b));
    }
    if (defaultButton & buttons)
        box->setDefaultButton(standardButton(defaultButton));
    box->setWindowModality(Qt::NonModal);

    int answer = 0;
    bool answered = false;
    const std::uint32_t thread = ProcThread::current();
    QObject::connect(box, &QMessageBox::finished, box, [&answer, &answered, box, thread] {
        answer = messageButton(box->standardButton(box->clickedButton()));
        answered = true;
        ProcedureThreads::instance()->wake(thread);
    });
    box->show();
    centreOnMainWindow(box);
    threads->waitUntil([&] { return answered || !owned.dialog; });
    return answer != 0 ? answer : dismissAnswer(buttons, defaultButton);
}

void GuiMessagePresenter::beep(int, int)
{
    QApplication::beep();
}

void GuiMessagePresenter::endProgram(const std::string &)
{
    if (m_tearDown)
        m_tearDown();
    std::fflush(nullptr);
    // Not exit(): the Qt objects still alive on the main stack must not be torn down from
    // here by static destructors.
    std::_Exit(0);
}

QWidget *dialogParent()
{
    if (const ProcWindow *window = ProcWindow::activeWindowOf(ProcThread::current());
        window && window->subWindow())
        return window->subWindow()->window();
    return QApplication::activeWindow();
}

int awaitDialog(QDialog &dialog)
{
    ProcedureThreads &threads = waitingThreads();
    const WindowHold hold;
    bool finished = false;
    const std::uint32_t thread = ProcThread::current();
    const QMetaObject::Connection connection
        = QObject::connect(&dialog, &QDialog::finished, &dialog, [&finished, thread] {
              finished = true;
              ProcedureThreads::instance()->wake(thread);
          });
    struct Disconnect
    {
        const QMetaObject::Connection &c;
        ~Disconnect() { QObject::disconnect(c); }
    } disconnect{connection};
    dialog.setWindowModality(Qt::NonModal);
    dialog.show();
    centreOnMainWindow(&dialog);
    threads.waitUntil([&] { return finished; });
    return dialog.result();
}

int awaitDialog(QDialog &dialog, IniManager &ini, std::string_view section)
{
    // Placed after it has been shown, as showing centres it.
    const QPointer<QDialog> alive(&dialog);
    IniDialogWindow place(dialog);
    QMetaObject::invokeMethod(
        &dialog,
        [&ini, &place, section] { ini.FetchWindow(section, place); },
        Qt::QueuedConnection);
    const int result = awaitDialog(dialog);
    if (alive)
        ini.UpdateWindow(section, place);
    return result;
}

QString askSaveFileName(const QString &caption, const QString &directory, const QString &filter)
{
    OwnedDialog<QFileDialog> owned;
    owned.dialog = new QFileDialog(dialogParent(), caption, directory, filter);
    owned.dialog->setAcceptMode(QFileDialog::AcceptSave);
    owned.dialog->setOption(QFileDialog::DontUseNativeDialog);
    if (awaitDialog(*owned.dialog) != QDialog::Accepted)
        return {};
    const QStringList files = owned.dialog->selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

bool askPrinterSetup(QPrinter &printer, IniManager &ini)
{
    OwnedDialog<QPrintDialog> owned;
    owned.dialog = new QPrintDialog(&printer, dialogParent());
    return awaitDialog(*owned.dialog, ini, PrinterSetupSection) == QDialog::Accepted;
}

int awaitPopupMenu(const QStringList &items, const QPoint &globalPos)
{
    ProcedureThreads &threads = waitingThreads();
    OwnedDialog<QMenu> owned;
    owned.dialog = new QMenu(dialogParent());
    QMenu *menu = owned.dialog;
    int chosen = 0;
    bool closed = false;
    const std::uint32_t thread = ProcThread::current();
    for (int i = 0; i < items.size(); ++i) {
        QAction *action = menu->addAction(items.at(i));
        QObject::connect(action, &QAction::triggered, menu, [&chosen, i] { chosen = i + 1; });
    }
    // The chosen item is triggered only after the menu has hidden, so the menu counts as
    // closed one turn of the loop later.
    QObject::connect(menu, &QMenu::aboutToHide, menu, [&closed, menu, thread] {
        QMetaObject::invokeMethod(
            menu,
            [&closed, thread] {
                closed = true;
                ProcedureThreads::instance()->wake(thread);
            },
            Qt::QueuedConnection);
    });
    menu->popup(globalPos);
    threads.waitUntil([&] { return closed || !owned.dialog; });
    return chosen;
}

namespace {
int busyDepth = 0;
} // namespace

void setBusyCursor(bool on)
{
    if (on) {
        ++busyDepth;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth > 0) {
        --busyDepth;
        QApplication::restoreOverrideCursor();
    }
}

BusyCursor::BusyCursor()
{
    setBusyCursor(true);
}

BusyCursor::~BusyCursor()
{
    setBusyCursor(false);
}
