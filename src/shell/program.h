#pragma once

#include "framework/dialogs.h"

#include <QObject>

#include <filesystem>
#include <memory>

class AppContext;
class MainFrame;
class ProcedureThreads;
class StoreContext;

// The program from start-up to tear-down. Constructing it sets up, in this order, the error
// manager with its message table, the settings file morva.INI and the sixteen record files'
// managers (no file is opened), then the procedure threads and the main frame. start() runs
// the procedure "Main", which opens the frame; ended() comes when it has closed. tearDown()
// releases the settings (writing morva.INI), the files and the error manager. A fatal
// message ends the program through the same tear-down.
class Program : public QObject
{
    Q_OBJECT

public:
    explicit Program(const std::filesystem::path &folder);
    ~Program() override;

    AppContext &app() { return *m_app; }
    MainFrame &frame() { return *m_frame; }
    StoreContext &store() { return *m_store; }

    // Starts the main frame procedure on its own thread and returns.
    void start();
    bool hasEnded() const { return m_ended; }
    // Releases everything; the exit code (0). Does nothing the second time.
    int tearDown();

    // For tests and the start-up benchmark: once the frame has first been painted, writes
    // "painted" to standard output and closes the frame as the user would.
    void closeAfterFirstPaint();

signals:
    void ended();

private:
    void releaseStore();

    GuiMessagePresenter m_presenter;
    std::unique_ptr<StoreContext> m_store;
    std::unique_ptr<ProcedureThreads> m_threads;
    std::unique_ptr<MainFrame> m_frame;
    std::unique_ptr<AppContext> m_app;
    bool m_ended = false;
};
