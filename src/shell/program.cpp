#include "shell/program.h"

#include "framework/appcontext.h"
#include "framework/procedurethreads.h"
#include "framework/report/pagespool.h"
#include "orders/core/issuedlines.h"
#include "shell/mainframe.h"
#include "shell/mainprocedure.h"
#include "shell/procedures.h"
#include "store/storecontext.h"

#include <QCoreApplication>

#include <cstdio>

Program::Program(const std::filesystem::path &folder)
{
    // Report pages that a killed run of the program left behind; a running one keeps its own.
    report::PageSpool::removeOrphans();
    m_store = std::make_unique<StoreContext>(folder, m_presenter);
    orders::guardIssuedOrderLines(*m_store);
    m_presenter.setTearDown([this] { releaseStore(); });
    // The messages speak the language of the program's other texts (UiLanguage).
    m_store->errors().setTranslator([](const char *context, const std::string &text) {
        return QCoreApplication::translate(context, text.c_str()).toStdString();
    });
    m_threads = std::make_unique<ProcedureThreads>();
    m_threads->setFailureHandler([this](const QString &procedure, const QString &what) {
        m_store->errors().presenter().show(
            "Programmfehler",
            QString(procedure + QStringLiteral(": ") + what).toStdString(),
            MessageIcon::Error,
            MessageButton::Ok,
            MessageButton::Ok);
    });
    m_frame = std::make_unique<MainFrame>();
    m_app = std::make_unique<AppContext>(*m_store, *m_threads, m_frame->area());
    m_app->setToolbarStrip(m_frame->toolbarStrip());
    registerProcedures(m_app->procedures());
    m_app->setHelp([this] { m_frame->showHelp(MainFrame::HelpPage::Contents); });
}

Program::~Program()
{
    tearDown();
}

void Program::start()
{
    m_threads->start(QStringLiteral("Main"), [this] {
        {
            MainProcedure main(*m_app, *m_frame);
            main.Run();
        }
        m_ended = true;
        emit ended();
    });
}

int Program::tearDown()
{
    // The procedures first (an unwound procedure lets go of its files), then the frame, then
    // the record store in its own tear-down order.
    if (m_threads)
        m_threads->endAll();
    m_app.reset();
    m_frame.reset();
    m_threads.reset();
    releaseStore();
    return 0;
}

void Program::releaseStore()
{
    m_store.reset();
}

void Program::closeAfterFirstPaint()
{
    connect(m_frame.get(), &MainFrame::firstPainted, this, [this] {
        std::fputs("painted\n", stdout);
        std::fflush(stdout);
        m_frame->close();
    });
}
