#include "shell/mainframe.h"

#include "framework/toolbarstrip.h"
#include "shell/appicon.h"
#include "shell/helpwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTextEdit>

#include <algorithm>

namespace {

// A text of the menu tree as the frame shows it: in German where the tree marks it for
// translation, else as it stands.
QString text(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    return QCoreApplication::translate("Menu", std::string(utf8).c_str());
}

QIcon menuIcon(MenuIcon icon, const QStyle *style)
{
    const auto themed = [style](const char *name, QStyle::StandardPixmap fallback) {
        return QIcon::fromTheme(QString::fromLatin1(name), style->standardIcon(fallback));
    };
    switch (icon) {
    case MenuIcon::Exit:
        return themed("application-exit", QStyle::SP_DialogCloseButton);
    case MenuIcon::Printer:
        return QIcon::fromTheme(QStringLiteral("printer"), printerIcon());
    case MenuIcon::Writing:
        return themed("accessories-text-editor", QStyle::SP_FileDialogContentsView);
    case MenuIcon::Customer:
        return themed("system-users", QStyle::SP_DirHomeIcon);
    case MenuIcon::Documents:
        return themed("folder-documents", QStyle::SP_DirIcon);
    case MenuIcon::Print:
        return QIcon::fromTheme(QStringLiteral("document-print"), printerIcon());
    case MenuIcon::Settings:
        return themed("preferences-system", QStyle::SP_FileDialogListView);
    case MenuIcon::None:
        break;
    }
    return {};
}

// The area behind the procedure windows: a quiet gradient with the product name faintly in
// the corner.
class FrameArea : public QMdiArea
{
public:
    using QMdiArea::QMdiArea;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(viewport());
        painter.fillRect(event->rect(), frameBackground(viewport()->rect()));
        QFont font = painter.font();
        font.setPointSize(28);
        font.setLetterSpacing(QFont::PercentageSpacing, 130);
        painter.setFont(font);
        painter.setPen(QColor(255, 255, 255, 150));
        painter.drawText(viewport()->rect().adjusted(0, 0, -24, -16),
                         Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("TESSARO"));
    }
};

} // namespace

MainFrame::MainFrame()
    : m_area(new FrameArea(this))
    , m_strip(new ToolbarStrip(m_area, this))
    , m_events(*this)
{
    setWindowTitle(QStringLiteral("TESSARO \u2013 Kalkulation und Auftragsbearbeitung"));
    setWindowIcon(applicationIcon());
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_area);
    addToolBar(Qt::TopToolBarArea, m_strip);
    statusBar()->setSizeGripEnabled(true);
    buildMenus();
    // The forms of an order are large: on a large screen the frame takes most of it, on a
    // laptop screen all of it, where nine tenths would leave the order form (about 1,230
    // pixels wide) cut at the right.
    constexpr int widestForm = 1260;
    QSize size(1100, 760);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QSize available = screen->availableSize();
        size = size.expandedTo(available * 0.9);
        if (size.width() < widestForm && available.width() >= widestForm) {
            // Sized as well as maximised: without a window manager no one else sizes it.
            size = available;
            setWindowState(windowState() | Qt::WindowMaximized);
        }
    }
    resize(size);
}

MainFrame::~MainFrame() = default;

void MainFrame::buildMenus()
{
    for (const Menu &menu : mainMenuTree())
        numberCommands(menu.items);
    for (const Menu &menu : mainMenuTree()) {
        // The bar shows a menu's icon in place of its text, so the titles go without.
        QMenu *bar = menuBar()->addMenu(text(menu.title));
        bar->menuAction()->setStatusTip(text(menu.status));
        fillLater(bar, menu.items);
        // The help menu at once: its first entry answers F1 from anywhere.
        const bool help = std::any_of(menu.items.begin(), menu.items.end(), [](const auto &item) {
            return item.command == MenuCommand::HelpContents;
        });
        if (help)
            fill(bar);
    }
}

void MainFrame::numberCommands(const std::vector<MenuItem> &items)
{
    for (const MenuItem &item : items) {
        if (item.submenu || !item.children.empty()) {
            numberCommands(item.children);
            continue;
        }
        const int control = m_nextCommand++;
        m_commands[control] = {&item, nullptr};
        m_controlOf[&item] = control;
    }
}

void MainFrame::fillLater(QMenu *menu, const std::vector<MenuItem> &items)
{
    // Filled when first opened: most menus are never opened in a run, and the frame shows
    // sooner without them.
    m_unfilled.push_back({menu, &items});
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { fill(menu); });
}

void MainFrame::fill(QMenu *menu)
{
    const auto it = std::find_if(
        m_unfilled.begin(), m_unfilled.end(), [menu](const auto &u) { return u.first == menu; });
    if (it == m_unfilled.end())
        return;
    const std::vector<MenuItem> &items = *it->second;
    m_unfilled.erase(it);
    for (const MenuItem &item : items) {
        if (item.submenu || !item.children.empty()) {
            QMenu *sub = menu->addMenu(menuIcon(item.icon, style()), text(item.text));
            sub->menuAction()->setStatusTip(text(item.status));
            fillLater(sub, item.children);
            continue;
        }
        QAction *action = menu->addAction(menuIcon(item.icon, style()), text(item.text));
        action->setStatusTip(text(item.status));
        const int control = m_controlOf.at(&item);
        m_commands[control].second = action;
        if (item.command == MenuCommand::HelpContents)
            action->setShortcut(QKeySequence::HelpContents);
        connect(action, &QAction::triggered, this, [this, control] {
            m_events.enqueue(EventKind::Accepted, control);
        });
    }
}

void MainFrame::fillAllMenus()
{
    while (!m_unfilled.empty())
        fill(m_unfilled.front().first);
}

const MenuItem *MainFrame::command(int control) const
{
    const auto it = m_commands.find(control);
    return it == m_commands.end() ? nullptr : it->second.first;
}

QAction *MainFrame::commandAction(int control)
{
    fillAllMenus();
    const auto it = m_commands.find(control);
    return it == m_commands.end() ? nullptr : it->second.second;
}

QAction *MainFrame::commandAction(const QString &text)
{
    fillAllMenus();
    for (const auto &[control, entry] : m_commands) {
        if (entry.second->text() == text)
            return entry.second;
    }
    return nullptr;
}

QList<int> MainFrame::commands() const
{
    QList<int> controls;
    for (const auto &[control, entry] : m_commands)
        controls.append(control);
    return controls;
}

void MainFrame::tileWindows()
{
    m_area->tileSubWindows();
}

void MainFrame::cascadeWindows()
{
    m_area->cascadeSubWindows();
    // The cascade makes every window alike; one that its form cannot be shown in gets the
    // least size its form needs back (within the area), so that none is kept that small.
    const QSize room = m_area->viewport()->size();
    for (QMdiSubWindow *sub : m_area->subWindowList()) {
        const QSize least = sub->minimumSizeHint().expandedTo(sub->minimumSize()).boundedTo(room);
        if (sub->width() < least.width() || sub->height() < least.height())
            sub->resize(sub->size().expandedTo(least));
    }
}

void MainFrame::arrangeIcons()
{
    // Minimised windows in a row along the foot of the area.
    int x = 0;
    const int bottom = m_area->viewport()->height();
    for (QMdiSubWindow *window : m_area->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized())
            continue;
        window->move(x, bottom - window->height());
        x += window->width();
    }
}

void MainFrame::cutToClipboard()
{
    QWidget *focus = QApplication::focusWidget();
    if (auto *edit = qobject_cast<QLineEdit *>(focus))
        edit->cut();
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(focus))
        plain->cut();
    else if (auto *rich = qobject_cast<QTextEdit *>(focus))
        rich->cut();
    else if (auto *combo = qobject_cast<QComboBox *>(focus); combo && combo->lineEdit())
        combo->lineEdit()->cut();
}

void MainFrame::showHelp(HelpPage page)
{
    if (!m_help) {
        m_help = new HelpWindow;
        m_area->addSubWindow(m_help);
        m_help->resize(QSize(620, 520).boundedTo(m_area->viewport()->size()));
        // In the middle of the window area, not where the area would put the next window.
        QRect placed(QPoint(0, 0), m_help->size());
        placed.moveCenter(m_area->viewport()->rect().center());
        m_help->move(std::max(0, placed.left()), std::max(0, placed.top()));
    }
    m_help->show();
    m_area->setActiveSubWindow(m_help);
    switch (page) {
    case HelpPage::Contents:
        m_help->showContents();
        break;
    case HelpPage::Search:
        m_help->showSearch();
        break;
    case HelpPage::HowTo:
        m_help->showHowTo();
        break;
    }
}

void MainFrame::closeForGood()
{
    m_closing = true;
    close();
}

bool MainFrame::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::Paint && !m_painted) {
        m_painted = true;
        // After the whole first paint, children included.
        QMetaObject::invokeMethod(this, &MainFrame::firstPainted, Qt::QueuedConnection);
    }
    return handled;
}

void MainFrame::closeEvent(QCloseEvent *event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    event->ignore();
    m_events.enqueue(EventKind::CloseWindow);
}

void MainFrame::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    m_events.enqueue(EventKind::Sized);
}

void MainFrame::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange)
        m_events.enqueue(isActiveWindow() ? EventKind::GainFocus : EventKind::LoseFocus);
}
