#include "shell/copycommand.h"
#include "shell/program.h"
#include "shell/uilanguage.h"

#include <QApplication>

#include <filesystem>

int main(int argc, char *argv[])
{
    if (const int copied = runCopyCommand(argc, argv); copied >= 0)
        return copied;
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
