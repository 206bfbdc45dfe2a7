#pragma once

#include <QGuiApplication>

// Fonts and printing need an application object; the tests share one for the whole program.
inline void ensureGuiApplication()
{
    if (QGuiApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "tessaro-test";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}
