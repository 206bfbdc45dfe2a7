#pragma once

#include <QPointer>
#include <QRect>

#include <cstdint>
#include <vector>

class ProcWindow;

// The resizer of a window. Qt's layouts move and size the controls when the window changes
// size, so the resizer does no arithmetic of its own: it keeps the window's original
// rectangle and, per control, where it stood originally and before and after the last size
// change, as the layouts placed it.
class WindowResizer
{
public:
    struct Rect
    {
        std::int32_t XPOS = 0;
        std::int32_t YPOS = 0;
        std::int32_t WIDTH = 0;
        std::int32_t HEIGHT = 0;
    };
    struct ControlEntry
    {
        std::int32_t ID = 0;
        std::int32_t TYPE = 0;
        std::uint8_t HASCHILDREN = 0;
        std::uint16_t POSITIONALSTRATEGY = 0;
        std::uint16_t RESIZESTRATEGY = 0;
        Rect POS;
        std::int32_t PARENTID = 0;
    };
    struct ResizeEntry
    {
        std::int32_t PRIORITY = 0;
        std::int32_t CONTROLID = 0;
        std::int32_t TYPE = 0;
        Rect BEFORE;
        Rect AFTER;
    };

    std::uint16_t APPSTRATEGY = 0;
    std::uint8_t AUTOTRANSPARENT = 0;
    Rect ORIGWIN;
    std::uint8_t MAXIMIZED = 0;
    std::uint8_t ICONIZED = 0;
    std::vector<ControlEntry> CONTROLQUEUE;
    std::uint8_t DEFERMOVES = 1;
    Rect PREVIOUSWIN;
    std::uint8_t RESIZECALLED = 0;
    std::vector<ResizeEntry> RESIZELIST;

    // Notes the window and its controls as they stand when it opens.
    void Init(ProcWindow &window, std::uint16_t strategy = 0);
    // After a size change: the window's new rectangle and where each control went.
    void Resize();
    void Kill();

private:
    Rect windowRect() const;
    Rect controlRect(int control) const;

    QPointer<ProcWindow> m_window;
};
