#pragma once

#include "support/guiharness.h"
#include "testform.h"

#include <QStringList>

#include <functional>

// Starts a procedure that opens the test form in a window titled `title` and runs its
// events: `setUp` before the window opens, `onEvent` for every event (false leaves the
// loop; without it a close request closes the window).
using FormSetUp = std::function<void(ProcWindow &, TestForm &)>;
using FormHandler = std::function<bool(ProcWindow &, const WindowEvent &)>;

inline void startForm(GuiHarness &gui,
                      const QString &title,
                      QStringList &log,
                      FormHandler onEvent = {},
                      FormSetUp setUp = {})
{
    gui.start(title, [&gui, title, &log, onEvent, setUp] {
        ProcWindow window(gui.area(), title);
        TestForm form(window);
        if (setUp)
            setUp(window, form);
        window.open();
        runEvents(window, log, [&](const WindowEvent &event) {
            if (onEvent)
                return onEvent(window, event);
            window.defaultAction(event);
            return true;
        });
    });
}

// The log without the focus traffic, whose order depends on the platform's activation.
inline QStringList significant(const QStringList &log)
{
    QStringList kept;
    for (const QString &entry : log) {
        if (!entry.startsWith(QStringLiteral("Selected"))
            && !entry.startsWith(QStringLiteral("GainFocus"))
            && !entry.startsWith(QStringLiteral("LoseFocus")))
            kept << entry;
    }
    return kept;
}

inline QStringList since(const QStringList &log, qsizetype from)
{
    return significant(log.mid(from));
}
