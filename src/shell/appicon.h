#pragma once

#include <QBrush>
#include <QIcon>
#include <QRect>

// The program's icon, drawn rather than loaded so that it needs no files.
QIcon applicationIcon();
// A small printer, for the menu entries that print.
QIcon printerIcon();
// The calm background of the frame's MDI area for a viewport of this size.
QBrush frameBackground(const QRect &area);
