#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

class ToolbarStrip;
class WindowController;

// The toolbar's buttons have fixed control numbers in every window.
namespace ToolbarButton {
inline constexpr int Insert = 2000;
inline constexpr int Change = 2001;
inline constexpr int Delete = 2002;
inline constexpr int Select = 2003;
inline constexpr int Bottom = 2004; // last page
inline constexpr int Top = 2005;    // first page
inline constexpr int PageDown = 2006;
inline constexpr int PageUp = 2007;
inline constexpr int Down = 2008; // next record
inline constexpr int Up = 2009;   // previous record
inline constexpr int Locate = 2010;
inline constexpr int History = 2011;
inline constexpr int Help = 2012;

inline constexpr int First = Insert;
inline constexpr int Last = Help;
inline constexpr int Count = Last - First + 1;

inline bool isButton(int control)
{
    return control >= First && control <= Last;
}
// The button's tip, as the frame's toolbar shows it.
QString tip(int control);
} // namespace ToolbarButton

// What the toolbar acts on: a list of the window, or the update form itself.
class ToolbarTarget
{
public:
    explicit ToolbarTarget(int control)
        : m_control(control)
    {}
    virtual ~ToolbarTarget() = default;

    // The key of the target in its toolbar: the list control, 0 for the form.
    int control() const { return m_control; }
    // Whether the target is in view (a list on a hidden tab is not).
    virtual bool isActive(const WindowController &window) const = 0;
    virtual bool isEnabled(int button, const WindowController &window) const = 0;
    virtual void takeButton(int button, WindowController &window) = 0;

private:
    int m_control;
};

// A list: the paging buttons become the list's scroll events, insert, change and delete press
// the list's own buttons.
class ToolbarListTarget : public ToolbarTarget
{
public:
    struct Buttons
    {
        int insert = 0;
        int change = 0;
        int remove = 0;
        int select = 0;
        int help = 0;
    };
    // `list` is the list control's widget: the list is active while it is in view.
    ToolbarListTarget(int listControl, const QWidget *list, Buttons buttons);

    bool isActive(const WindowController &window) const override;
    bool isEnabled(int button, const WindowController &window) const override;
    void takeButton(int button, WindowController &window) override;

private:
    int buttonControl(int button) const;

    QPointer<const QWidget> m_list;
    Buttons m_buttons;
};

// An update form: a record move saves the form and leaves the move for the list that called
// it (PendingRecordMove), which then opens the form on the next record.
class ToolbarFormTarget : public ToolbarTarget
{
public:
    ToolbarFormTarget();

    bool isActive(const WindowController &window) const override;
    bool isEnabled(int button, const WindowController &window) const override;
    void takeButton(int button, WindowController &window) override;
};

// One window's toolbar (TOOLBAR of its WindowController): its targets keyed by control and
// the current one, whose buttons the frame's shared row shows enabled or not.
class Toolbar
{
public:
    Toolbar() = default;
    Toolbar(const Toolbar &) = delete;
    Toolbar &operator=(const Toolbar &) = delete;

    void attach(WindowController &window, ToolbarStrip *strip);
    void AddTarget(std::unique_ptr<ToolbarTarget> target);
    // Takes the target of `control`; with 0, the last target that reports itself active.
    void SetTarget(int control = 0);
    ToolbarTarget *target() const { return m_current; }

    // An accepted toolbar button of the window, passed on to the current target.
    void TakeEvent(int control);
    // Shows the current target's buttons on the frame's row.
    void DisplayButtons();
    bool isEnabled(int button) const;
    void Kill();

private:
    WindowController *m_window = nullptr;
    ToolbarStrip *m_strip = nullptr;
    std::vector<std::unique_ptr<ToolbarTarget>> m_targets;
    ToolbarTarget *m_current = nullptr;
    std::array<bool, ToolbarButton::Count> m_enabled{};
};
