#pragma once

#include "shell/framewindow.h"
#include "shell/menutree.h"

#include <QMainWindow>
#include <QPointer>

#include <map>
#include <utility>
#include <vector>

class HelpWindow;
class QAction;
class QMdiArea;
class ToolbarStrip;

// The program's main window: an MDI frame with the full menu tree, the shared toolbar row,
// a status bar that shows what a highlighted menu entry does, and a calm background behind
// the procedure windows. Choosing a menu entry hands its command to the procedure "Main"
// (see MainProcedure); the frame itself only shows and forwards.
class MainFrame : public QMainWindow
{
    Q_OBJECT

public:
    // Menu entries that are commands get control numbers from here on, in menu order.
    static constexpr int FirstCommand = 100;

    MainFrame();
    ~MainFrame() override;

    QMdiArea *area() const { return m_area; }
    ToolbarStrip *toolbarStrip() const { return m_strip; }
    // The frame's event queue, taken by the procedure "Main".
    FrameWindow &events() { return m_events; }

    // The menu entry behind a command control, and its action; null for other numbers.
    // Asking for an action fills every menu, as opening each would.
    const MenuItem *command(int control) const;
    QAction *commandAction(int control);
    // The action of the first command whose text is `text` (blanks and '&' as in the menu).
    QAction *commandAction(const QString &text);
    QList<int> commands() const;
    void fillAllMenus();

    // The frame's own commands.
    void tileWindows();
    void cascadeWindows();
    void arrangeIcons();
    void cutToClipboard();
    enum class HelpPage { Contents, Search, HowTo };
    void showHelp(HelpPage page);

    // The close box asks the procedure "Main"; once it has closed every procedure down, the
    // frame closes for good.
    void closeForGood();

signals:
    // Once, after the frame has first been painted.
    void firstPainted();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildMenus();
    void numberCommands(const std::vector<MenuItem> &items);
    void fillLater(QMenu *menu, const std::vector<MenuItem> &items);
    void fill(QMenu *menu);

    QMdiArea *m_area;
    ToolbarStrip *m_strip;
    FrameWindow m_events;
    QPointer<HelpWindow> m_help;
    std::map<int, std::pair<const MenuItem *, QAction *>> m_commands;
    std::map<const MenuItem *, int> m_controlOf;
    std::vector<std::pair<QMenu *, const std::vector<MenuItem> *>> m_unfilled;
    int m_nextCommand = FirstCommand;
    bool m_closing = false;
    bool m_painted = false;
};
