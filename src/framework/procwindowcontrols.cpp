// The controls of a procedure window: registration, the signals they turn into events, and
// the operations a procedure applies to a control by its number.

#include "framework/procwindow.h"

#include "framework/keycodes.h"
#include "framework/listcontrol.h"
#include "framework/radiogroup.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

// The tab sheet a widget is a page of, and the page's index; nullptr for other widgets.
QTabWidget *sheetOf(const QWidget *page, int *index)
{
    auto *stack = page ? qobject_cast<QStackedWidget *>(page->parentWidget()) : nullptr;
    auto *sheet = stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr;
    const int at = sheet ? sheet->indexOf(page) : -1;
    if (at < 0)
        return nullptr;
    *index = at;
    return sheet;
}

QString withoutMnemonic(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    return text;
}

QString ownText(const QWidget *widget)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return withoutMnemonic(button->text());
    if (const auto *group = qobject_cast<const QGroupBox *>(widget))
        return withoutMnemonic(group->title());
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return withoutMnemonic(label->text());
    return {};
}

} // namespace

void ProcWindow::addControl(int number, QWidget *widget, const QString &label)
{
    Q_ASSERT(number != 0 && widget && m_content && m_content->isAncestorOf(widget));
    int page = 0;
    Control &c = m_controls[number];
    c.widget = widget;
    c.kind = sheetOf(widget, &page) ? ControlKind::Tab : controlKindOf(widget);
    m_byWidget[widget] = number;
    connect(widget, &QObject::destroyed, this, [this, widget] { m_byWidget.erase(widget); });

    const QString name = label.isEmpty() ? ownText(widget) : label;
    widget->setAccessibleName(name);
    if (auto *listControl = qobject_cast<ListControl *>(widget))
        listControl->view()->setAccessibleName(name);
    wire(number, widget);
    watchKeys(widget);
}

void ProcWindow::wire(int number, QWidget *widget)
{
    switch (kind(number)) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
        connect(static_cast<QAbstractButton *>(widget), &QAbstractButton::clicked, this, [=, this] {
            enqueue(EventKind::Accepted, number);
        });
        break;
    case ControlKind::Entry: {
        auto *edit = static_cast<QLineEdit *>(widget);
        connect(edit, &QLineEdit::returnPressed, this, [=, this] {
            if (Control *c = find(number))
                c->enterPressed = true;
        });
        connect(edit, &QLineEdit::editingFinished, this, [=, this] {
            Control *c = find(number);
            const bool enter = c && std::exchange(c->enterPressed, false);
            if (!enter && !edit->isModified())
                return;
            edit->setModified(false);
            enqueue(EventKind::Accepted, number, enter ? KeyCode::Enter : 0);
        });
        break;
    }
    case ControlKind::Radio:
        connect(static_cast<RadioGroup *>(widget), &RadioGroup::optionClicked, this, [=, this] {
            enqueue(EventKind::Accepted, number);
        });
        break;
    case ControlKind::DropList:
        connect(static_cast<QComboBox *>(widget), &QComboBox::activated, this, [=, this] {
            enqueue(EventKind::NewSelection, number);
            enqueue(EventKind::Accepted, number);
        });
        break;
    case ControlKind::Sheet:
        connect(static_cast<QTabWidget *>(widget), &QTabWidget::currentChanged, this, [=, this] {
            enqueue(EventKind::NewSelection, number);
        });
        break;
    case ControlKind::List: {
        auto *list = static_cast<ListControl *>(widget);
        connect(list, &ListControl::scrollRequested, this, [=, this](EventKind kind, int thumb) {
            enqueue(WindowEvent{kind, number, 0, {}, thumb});
        });
        connect(list, &ListControl::rowClicked, this, [=, this](int row, int keyCode) {
            // A right click is first the alert key (if armed), then the selection it makes.
            if (keyCode == KeyCode::MouseRightUp && alertKeys(number).contains(keyCode))
                enqueue(EventKind::AlertKey, number, keyCode);
            WindowEvent chosen{EventKind::NewSelection, number, keyCode};
            chosen.row = row;
            enqueue(chosen);
        });
        connect(list, &ListControl::rowDoubleClicked, this, [=, this] {
            if (alertKeys(number).contains(KeyCode::MouseLeft2))
                enqueue(EventKind::AlertKey, number, KeyCode::MouseLeft2);
            else
                enqueue(EventKind::Accepted, number, KeyCode::MouseLeft2);
        });
        break;
    }
    default:
        break;
    }
}

void ProcWindow::watchKeys(QWidget *widget)
{
    widget->installEventFilter(this);
    for (QWidget *child : widget->findChildren<QWidget *>())
        child->installEventFilter(this);
}

bool ProcWindow::alertKey(QObject *watched, QEvent *event)
{
    const bool press = event->type() == QEvent::KeyPress;
    if (!press && event->type() != QEvent::ShortcutOverride) {
        if (event->type() == QEvent::FocusOut) {
            // A multi-line text has no "editing finished": leaving it after an edit is.
            if (auto *text = qobject_cast<QPlainTextEdit *>(watched);
                text && text->document()->isModified()) {
                text->document()->setModified(false);
                enqueue(EventKind::Accepted, controlOf(text));
            }
        }
        return false;
    }
    const int number = controlOf(qobject_cast<QWidget *>(watched));
    const Control *c = find(number);
    if (!c || c->alertKeys.isEmpty() || !isOpen())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const int code = KeyCode::fromKeyEvent(key);
    const QString text = key->text();
    const bool typesCharacter = !text.isEmpty() && text.at(0).isPrint()
                                && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    const bool armed = (code != 0 && c->alertKeys.contains(code))
                       || (typesCharacter && c->alertKeys.contains(KeyCode::AnyCharacter));
    if (!armed)
        return false;
    event->accept(); // a ShortcutOverride accepted comes back as the key press itself
    if (press)
        enqueue(WindowEvent{EventKind::AlertKey, number, code, typesCharacter ? text : QString()});
    return true;
}

ProcWindow::Control *ProcWindow::find(int number)
{
    const auto it = m_controls.find(number);
    return it == m_controls.end() ? nullptr : &it->second;
}

const ProcWindow::Control *ProcWindow::find(int number) const
{
    const auto it = m_controls.find(number);
    return it == m_controls.end() ? nullptr : &it->second;
}

QWidget *ProcWindow::control(int number) const
{
    const Control *c = find(number);
    return c ? c->widget.data() : nullptr;
}

ListControl *ProcWindow::list(int number) const
{
    return qobject_cast<ListControl *>(control(number));
}

int ProcWindow::controlOf(const QWidget *widget) const
{
    for (const QWidget *w = widget; w && w != m_content; w = w->parentWidget()) {
        const auto it = m_byWidget.find(w);
        if (it != m_byWidget.end())
            return it->second;
    }
    return 0;
}

ControlKind ProcWindow::kind(int number) const
{
    const Control *c = find(number);
    return c ? c->kind : ControlKind::Other;
}

QList<int> ProcWindow::controlsInTabOrder() const
{
    QList<int> order;
    if (!m_content)
        return order;
    QWidget *w = m_content->nextInFocusChain();
    for (int guard = 0; w && w != m_content && guard < 100000; ++guard) {
        const int number = controlOf(w);
        if (number != 0 && !order.contains(number))
            order.append(number);
        w = w->nextInFocusChain();
    }
    return order;
}

void ProcWindow::select(int control)
{
    stopValidation();
    QWidget *w = this->control(control);
    if (!w)
        return;
    int page = 0;
    if (QTabWidget *sheet = sheetOf(w, &page)) {
        const QuietScope quiet(this);
        sheet->setCurrentIndex(page);
        return;
    }
    w->setFocus(Qt::OtherFocusReason);
}

int ProcWindow::focusControl() const
{
    return m_content ? controlOf(m_content->focusWidget()) : 0;
}

void ProcWindow::hide(int control)
{
    Control *c = find(control);
    if (!c || !c->widget)
        return;
    c->hidden = true;
    const QuietScope quiet(this);
    int page = 0;
    if (QTabWidget *sheet = sheetOf(c->widget, &page))
        sheet->setTabVisible(page, false);
    else
        c->widget->hide();
}

void ProcWindow::unhide(int control)
{
    Control *c = find(control);
    if (!c || !c->widget)
        return;
    c->hidden = false;
    const QuietScope quiet(this);
    int page = 0;
    if (QTabWidget *sheet = sheetOf(c->widget, &page))
        sheet->setTabVisible(page, true);
    else
        c->widget->show();
}

bool ProcWindow::isHidden(int control) const
{
    const Control *c = find(control);
    if (!c || !c->widget)
        return true;
    // Hidden itself or inside a hidden control (a control on a hidden tab, say).
    for (const QWidget *w = c->widget; w && w != m_content; w = w->parentWidget()) {
        const auto it = m_byWidget.find(w);
        if (it != m_byWidget.end() && find(it->second)->hidden)
            return true;
    }
    return false;
}

void ProcWindow::enable(int control)
{
    QWidget *w = this->control(control);
    int page = 0;
    if (QTabWidget *sheet = sheetOf(w, &page))
        sheet->setTabEnabled(page, true);
    else if (w)
        w->setEnabled(true);
}

void ProcWindow::disable(int control)
{
    QWidget *w = this->control(control);
    int page = 0;
    if (QTabWidget *sheet = sheetOf(w, &page))
        sheet->setTabEnabled(page, false);
    else if (w)
        w->setEnabled(false);
}

void ProcWindow::enableIf(int control, bool enabled, const QString &whyNot, const QString &tip)
{
    if (enabled)
        enable(control);
    else
        disable(control);
    if (QWidget *w = this->control(control))
        w->setToolTip(enabled ? tip : whyNot);
}

bool ProcWindow::isDisabled(int control) const
{
    const QWidget *w = this->control(control);
    if (!w)
        return true;
    int page = 0;
    if (const QTabWidget *sheet = sheetOf(w, &page))
        return !sheet->isTabEnabled(page);
    // Relative to the window: a window held disabled for a message box keeps its controls'
    // own state.
    return !w->isEnabledTo(m_content);
}

int ProcWindow::choice(int control) const
{
    const QWidget *w = this->control(control);
    switch (kind(control)) {
    case ControlKind::List:
        return static_cast<const ListControl *>(w)->highlighted();
    case ControlKind::Sheet:
        return static_cast<const QTabWidget *>(w)->currentIndex() + 1;
    case ControlKind::DropList:
        return static_cast<const QComboBox *>(w)->currentIndex() + 1;
    case ControlKind::Radio:
        return static_cast<const RadioGroup *>(w)->checkedOption();
    default:
        return 0;
    }
}

void ProcWindow::setChoice(int control, int choice)
{
    QWidget *w = this->control(control);
    const QuietScope quiet(this);
    switch (kind(control)) {
    case ControlKind::List:
        static_cast<ListControl *>(w)->setHighlighted(choice);
        break;
    case ControlKind::Sheet:
        static_cast<QTabWidget *>(w)->setCurrentIndex(choice - 1);
        break;
    case ControlKind::DropList:
        static_cast<QComboBox *>(w)->setCurrentIndex(choice - 1);
        break;
    case ControlKind::Radio:
        static_cast<RadioGroup *>(w)->setCheckedOption(choice);
        break;
    default:
        break;
    }
}

void ProcWindow::setAlertKeys(int control, const QList<int> &keyCodes)
{
    if (Control *c = find(control))
        c->alertKeys = QSet<int>(keyCodes.begin(), keyCodes.end());
}

void ProcWindow::addAlertKey(int control, int keyCode)
{
    if (Control *c = find(control))
        c->alertKeys.insert(keyCode);
}

QList<int> ProcWindow::alertKeys(int control) const
{
    const Control *c = find(control);
    return c ? c->alertKeys.values() : QList<int>();
}
