#include "framework/windowevent.h"

QString eventName(EventKind kind)
{
    switch (kind) {
    case EventKind::None:
        return QStringLiteral("None");
    case EventKind::Accepted:
        return QStringLiteral("Accepted");
    case EventKind::Selected:
        return QStringLiteral("Selected");
    case EventKind::NewSelection:
        return QStringLiteral("NewSelection");
    case EventKind::Rejected:
        return QStringLiteral("Rejected");
    case EventKind::AlertKey:
        return QStringLiteral("AlertKey");
    case EventKind::ScrollUp:
        return QStringLiteral("ScrollUp");
    case EventKind::ScrollDown:
        return QStringLiteral("ScrollDown");
    case EventKind::PageUp:
        return QStringLiteral("PageUp");
    case EventKind::PageDown:
        return QStringLiteral("PageDown");
    case EventKind::ScrollTop:
        return QStringLiteral("ScrollTop");
    case EventKind::ScrollBottom:
        return QStringLiteral("ScrollBottom");
    case EventKind::Locate:
        return QStringLiteral("Locate");
    case EventKind::ScrollDrag:
        return QStringLiteral("ScrollDrag");
    case EventKind::OpenWindow:
        return QStringLiteral("OpenWindow");
    case EventKind::CloseWindow:
        return QStringLiteral("CloseWindow");
    case EventKind::CloseDown:
        return QStringLiteral("CloseDown");
    case EventKind::Completed:
        return QStringLiteral("Completed");
    case EventKind::LoseFocus:
        return QStringLiteral("LoseFocus");
    case EventKind::GainFocus:
        return QStringLiteral("GainFocus");
    case EventKind::Sized:
        return QStringLiteral("Sized");
    case EventKind::Timer:
        return QStringLiteral("Timer");
    case EventKind::DataChanged:
        return QStringLiteral("DataChanged");
    }
    return {};
}
