#include "framework/keycodes.h"

#include <QKeyEvent>

namespace {

int baseCode(int key)
{
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key; // letters and digits share their codes with Qt
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return KeyCode::F1 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace:
        return KeyCode::Backspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return KeyCode::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyCode::Enter;
    case Qt::Key_Escape:
        return KeyCode::Esc;
    case Qt::Key_Space:
        return KeyCode::Space;
    case Qt::Key_PageUp:
        return KeyCode::PgUp;
    case Qt::Key_PageDown:
        return KeyCode::PgDn;
    case Qt::Key_End:
        return KeyCode::End;
    case Qt::Key_Home:
        return KeyCode::Home;
    case Qt::Key_Left:
        return KeyCode::Left;
    case Qt::Key_Up:
        return KeyCode::Up;
    case Qt::Key_Right:
        return KeyCode::Right;
    case Qt::Key_Down:
        return KeyCode::Down;
    case Qt::Key_Insert:
        return KeyCode::Insert;
    case Qt::Key_Delete:
        return KeyCode::Delete;
    case Qt::Key_Semicolon:
        return 186;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return 187;
    case Qt::Key_Comma:
        return 188;
    case Qt::Key_Minus:
        return 189;
    case Qt::Key_Period:
        return 190;
    case Qt::Key_Slash:
        return 191;
    case Qt::Key_QuoteLeft:
        return 192;
    case Qt::Key_BracketLeft:
        return 219;
    case Qt::Key_Backslash:
        return 220;
    case Qt::Key_BracketRight:
        return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_NumberSign: // the apostrophe's key on a German keyboard, so Ctrl+' works there
        return KeyCode::Quote;
    default:
        return 0;
    }
}

} // namespace

int KeyCode::fromKeyEvent(const QKeyEvent *event)
{
    const int base = baseCode(event->key());
    if (base == 0)
        return 0;
    int code = base;
    const Qt::KeyboardModifiers mods = event->modifiers();
    if ((mods & Qt::ShiftModifier) || event->key() == Qt::Key_Backtab)
        code += Shift;
    if (mods & Qt::ControlModifier)
        code += Ctrl;
    if (mods & Qt::AltModifier)
        code += Alt;
    return code;
}

int KeyCode::fromCharacter(QChar c)
{
    const QChar upper = c.toUpper();
    if ((upper >= u'A' && upper <= u'Z') || (upper >= u'0' && upper <= u'9'))
        return upper.unicode();
    if (c == u' ')
        return Space;
    return 0;
}
