#pragma once

#include "store/messagepresenter.h"

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <string_view>

#include <QMessageBox>

class IniManager;
class QDialog;
class QPrinter;
class QWidget;

// Message boxes, platform dialogs and the busy cursor for procedures. Each box or dialog
// opens without blocking and suspends only the calling procedure until it is answered; the
// procedure's own window is disabled meanwhile and every other window stays usable. (A
// window-modal dialog would block the whole MDI frame, every other procedure's window with
// it.)
class GuiMessagePresenter : public MessagePresenter
{
public:
    // `tearDown` runs before endProgram() ends the process.
    explicit GuiMessagePresenter(std::function<void()> tearDown = {});
    void setTearDown(std::function<void()> tearDown) { m_tearDown = std::move(tearDown); }

    // Outside a procedure nothing can wait; the box is then not shown and the default
    // button is the answer.
    int show(const std::string &title,
             const std::string &text,
             MessageIcon icon,
             int buttons,
             int defaultButton) override;
    // The platform's beep; the runtime's pitch and length are not the platform's to choose.
    void beep(int hertz = 0, int hundredths = 0) override;
    // Runs the tear-down and ends the process with exit code 0.
    [[noreturn]] void endProgram(const std::string &reason) override;

private:
    std::function<void()> m_tearDown;
};

// The parent a procedure's dialogs stand over: its active window, else the application's.
QWidget *dialogParent();

// A dialog that the waiting procedure owns: it goes when the wait ends, also when the
// procedure's stack is unwound meanwhile, so no answer arrives at a stack that is gone.
template<typename Dialog>
struct OwnedDialog
{
    QPointer<Dialog> dialog;
    ~OwnedDialog() { delete dialog.data(); }
};

// Shows the dialog without blocking and waits (suspending the procedure) until it is
// finished; returns its result code (QDialog::Accepted or Rejected).
int awaitDialog(QDialog &dialog);
// The same for a dialog that opens where and as large as the user left it last time: the
// settings file keeps its place under `section`.
int awaitDialog(QDialog &dialog, IniManager &ini, std::string_view section);

// The message box button that stands for a MessageButton value (NoButton for none).
QMessageBox::StandardButton standardButton(int button);

// The name of a file to save to; empty when the user cancels.
QString askSaveFileName(const QString &caption, const QString &directory, const QString &filter);
// The platform's printer set-up for `printer`; false when the user cancels. The dialog keeps
// its place and size in the settings file.
inline constexpr std::string_view PrinterSetupSection = "_PrinterSetupWindow_";
bool askPrinterSetup(QPrinter &printer, IniManager &ini);

// Places a dialog or message box centred on the main window and wholly on the screen.
void centreOnMainWindow(QWidget *dialog);
// A popup menu at `globalPos`; the item chosen (from 1), or 0 when the menu was dismissed.
int awaitPopupMenu(const QStringList &items, const QPoint &globalPos);

// The busy cursor while it lives; nested ones are counted.
class BusyCursor
{
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};
// The same, switched on and off by steps that do not share a scope.
void setBusyCursor(bool on);
