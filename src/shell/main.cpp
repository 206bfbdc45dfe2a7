#include "shell/program.h"

#include <QApplication>

#include <filesystem>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Program program(std::filesystem::current_path());
    QObject::connect(&program, &Program::ended, &app, &QApplication::quit);
    if (qEnvironmentVariableIsSet("TESSARO_CLOSE_AFTER_START"))
        program.closeAfterFirstPaint();
    program.start();
    app.exec();
    return program.tearDown();
}
