#pragma once

#include "store/recordbuffer.h"

class StepManager;

// Where a list shows its scroll thumb and what a dragged thumb does. A list whose order has a
// step manager (and a key component for it) measures the highlighted record by its key; one
// without guesses from what it holds.

enum class ListMove { None, Up, Down, PageUp, PageDown, Top, Bottom };

struct ThumbState
{
    int rows = 0;              // rows in the list buffer
    int visibleRows = 0;       // rows the control shows (`LASTITEMS`)
    int highlighted = 0;       // `CURRENTCHOICE`, 1-based
    bool fileLoaded = false;   // `FILELOADED`
    bool endOfFileHit = false; // the last fill stopped at an end of the file
    ListMove lastMove = ListMove::None;
};

struct ThumbDisplay
{
    bool visible = false; // only a full page has a scroll bar
    int position = 50;    // 0 … 100
};

// `step` is null when the order has none or no key component for it; `key` is then unused.
ThumbDisplay thumbDisplay(const ThumbState &state, const StepManager *step, const FieldValue &key);

enum class ThumbAction { None, Top, Bottom, Locate, Highlight, PageUp, PageDown };

struct ThumbDrag
{
    ThumbAction action = ThumbAction::None;
    FieldValue value; // Locate: the key component's new value
    int row = 0;      // Highlight: the row, 1-based
};

// `thumb` is the position the control reports, 0 … 100.
ThumbDrag thumbDrag(int thumb, const StepManager *step, bool fileLoaded, int rows);
