#pragma once

#include <QChar>

class QKeyEvent;

// The key numbering the procedures speak: a base code per key, plus a modifier offset.
// Insert is 45, Ctrl+Enter 525, Ctrl+' 734; the mouse actions have codes of their own.
namespace KeyCode {

inline constexpr int MouseLeft = 1;
inline constexpr int MouseRight = 2;
inline constexpr int MouseLeft2 = 5; // double click
inline constexpr int MouseLeftUp = 129;
inline constexpr int MouseRightUp = 130; // right button released: the popup menu

inline constexpr int Backspace = 8;
inline constexpr int Tab = 9;
inline constexpr int Enter = 13;
inline constexpr int Esc = 27;
inline constexpr int Space = 32;
inline constexpr int PgUp = 33;
inline constexpr int PgDn = 34;
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Insert = 45;
inline constexpr int Delete = 46;
inline constexpr int F1 = 112;
inline constexpr int Quote = 222;

inline constexpr int Shift = 0x100;
inline constexpr int Ctrl = 0x200;
inline constexpr int Alt = 0x400;

inline constexpr int CtrlEnter = Ctrl + Enter;
inline constexpr int CtrlQuote = Ctrl + Quote;

// Armed as an alert key, every key that types a character (no Ctrl or Alt) becomes an alert
// key of the control, umlauts included: what a list's locator listens to.
inline constexpr int AnyCharacter = 0x10000;

// The code of a key press; 0 for keys outside the numbering (a lone modifier, say).
int fromKeyEvent(const QKeyEvent *event);
// The base code of a character key ('a' and 'A' are both 65); 0 when it has none.
int fromCharacter(QChar c);

} // namespace KeyCode
