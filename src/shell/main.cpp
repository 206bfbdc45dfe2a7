#include "shell/copycommand.h"
#include "shell/einvoicecommand.h"
#include "shell/program.h"
#include "shell/uilanguage.h"

#include <QApplication>

#include <filesystem>

int main(int argc, char *argv[])
{
    if (const int copied = runCopyCommand(argc, argv); copied >= 0)
        return copied;
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (shell::isEInvoiceCommand(arguments)) {
        // No window opens: the pages are drawn without a screen.
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        return shell::runEInvoiceCommand(arguments, std::filesystem::current_path());
    }
    QApplication app(argc, argv);
    const std::filesystem::path folder = std::filesystem::current_path();
    const UiLanguage language(folder);
    Program program(folder);
    QObject::connect(&program, &Program::ended, &app, &QApplication::quit);
    if (qEnvironmentVariableIsSet("TESSARO_CLOSE_AFTER_START"))
        program.closeAfterFirstPaint();
    program.start();
    app.exec();
    return program.tearDown();
}
