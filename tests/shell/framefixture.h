#pragma once

#include "framework/appcontext.h"
#include "framework/formbuilder.h"
#include "framework/procedurecontroller.h"
#include "framework/procedurethreads.h"
#include "framework/procwindow.h"
#include "shell/mainframe.h"
#include "shell/program.h"
#include "support/storefixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// One application for the whole test program.
inline void ensureApplication()
{
    if (QApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "tessaro-test";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

// The program on an empty folder, its frame offscreen, driven the way a user drives it.
class FrameFixture
{
public:
    FrameFixture()
    {
        ensureApplication();
        program = std::make_unique<Program>(folder.path());
    }
    // The program on a folder whose settings file `prepare` writes first.
    explicit FrameFixture(const std::function<void(const std::filesystem::path &)> &prepare)
    {
        ensureApplication();
        prepare(folder.path());
        program = std::make_unique<Program>(folder.path());
    }
    ~FrameFixture() { program.reset(); }

    MainFrame &frame() { return program->frame(); }
    AppContext &app() { return program->app(); }

    // Runs the Qt loop until every procedure waits for something outside.
    bool settle()
    {
        int quiet = 0;
        for (int round = 0; round < 10000; ++round) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            const ProcedureThreads *threads = ProcedureThreads::instance();
            if (threads && !threads->idle())
                quiet = 0;
            else if (++quiet >= 3)
                return true;
        }
        return false;
    }

    void start()
    {
        program->start();
        settle();
    }

    // Chooses the menu entry with this text.
    bool choose(const QString &text)
    {
        QAction *action = frame().commandAction(text);
        if (!action)
            return false;
        action->trigger();
        return settle();
    }

    ProcWindow *window(const QString &title, int nth = 0) const
    {
        for (ProcWindow *w : ProcWindow::openWindows()) {
            if (w->title() == title && nth-- == 0)
                return w;
        }
        return nullptr;
    }
    int windowCount(const QString &title) const
    {
        int n = 0;
        for (ProcWindow *w : ProcWindow::openWindows())
            n += w->title() == title ? 1 : 0;
        return n;
    }

    struct Message
    {
        QString title;
        QString text;
    };
    // Answers the newest open message box with `button`; its title and text.
    std::optional<Message> answer(QMessageBox::StandardButton button)
    {
        QMessageBox *box = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *b = qobject_cast<QMessageBox *>(w); b && b->isVisible())
                box = b;
        }
        if (!box || !box->button(button))
            return std::nullopt;
        const Message message{box->windowTitle(), box->text()};
        box->button(button)->click();
        settle();
        return message;
    }

    TempFolder folder;
    std::unique_ptr<Program> program;
};

// The smallest procedure: a window with one entry, as a list of the menu would open it.
class TinyProcedure : public ProcedureController
{
public:
    explicit TinyProcedure(AppContext &app)
        : ProcedureController(app, "Browsepapier", QStringLiteral("Papier"))
    {}

protected:
    void defineWindow(FormBuilder &form) override
    {
        form.entry(1, QStringLiteral("Suchbegriff"), m_search, QStringLiteral("@s20"));
    }

private:
    QString m_search;
};
