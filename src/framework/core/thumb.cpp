#include "thumb.h"

#include "stepmanager.h"

#include <algorithm>

ThumbDisplay thumbDisplay(const ThumbState &state, const StepManager *step, const FieldValue &key)
{
    ThumbDisplay display;
    display.visible = state.rows >= state.visibleRows;
    if (step) {
        display.position = step->position(key);
        return display;
    }
    if (state.fileLoaded && state.rows > 0) {
        display.position = std::clamp(state.highlighted * 100 / state.rows, 0, 100);
        return display;
    }
    if (state.endOfFileHit && state.rows > 0) {
        const bool downwards = state.lastMove == ListMove::Down
                               || state.lastMove == ListMove::PageDown
                               || state.lastMove == ListMove::Bottom;
        if (downwards && state.highlighted == state.rows)
            display.position = 100;
        else if (state.highlighted == 1)
            display.position = 0;
    }
    return display;
}

ThumbDrag thumbDrag(int thumb, const StepManager *step, bool fileLoaded, int rows)
{
    ThumbDrag drag;
    thumb = std::clamp(thumb, 0, 100);
    if (thumb <= 1) {
        drag.action = ThumbAction::Top;
        return drag;
    }
    if (thumb == 100) {
        drag.action = ThumbAction::Bottom;
        return drag;
    }
    if (step) {
        if (auto value = step->value(thumb)) {
            drag.action = ThumbAction::Locate;
            drag.value = std::move(*value);
            return drag;
        }
    }
    if (fileLoaded && rows > 0) {
        drag.action = ThumbAction::Highlight;
        drag.row = std::clamp(rows * thumb / 100, 1, rows);
        return drag;
    }
    if (thumb < 50)
        drag.action = ThumbAction::PageUp;
    else if (thumb > 50)
        drag.action = ThumbAction::PageDown;
    return drag;
}
