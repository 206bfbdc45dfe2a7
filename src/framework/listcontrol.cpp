#include "framework/listcontrol.h"

#include "framework/keycodes.h"

#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeWidget>
#include <QWheelEvent>

#include <algorithm>

namespace {

// One height for every row, known before any row exists: the manager sizes its page from
// visibleRows() before it reads the first record.
class FixedRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        // Laying the text out for its width would cost more than the rest of a page load;
        // nothing sizes a column by its contents, so an estimate does.
        const int characters = static_cast<int>(index.data(Qt::DisplayRole).toString().size());
        return {characters * option.fontMetrics.averageCharWidth() + 8,
                rowHeight(option.fontMetrics)};
    }
    static int rowHeight(const QFontMetrics &metrics) { return metrics.height() + 4; }
};

// A heading row of one line per column, whose height follows from its font: Qt would
// measure every heading each time a new list lays its rows out first.
class HeadingRow : public QHeaderView
{
public:
    explicit HeadingRow(QWidget *parent)
        : QHeaderView(Qt::Horizontal, parent)
    {
        setSectionsMovable(true);
        setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }

    QSize sizeHint() const override
    {
        static QHash<QString, int> heights; // by font and style
        const QString key = font().key() + QLatin1Char('/') + style()->name();
        auto height = heights.constFind(key);
        if (height == heights.cend())
            height = heights.insert(key, QHeaderView::sizeHint().height());
        return {length(), *height};
    }
};

} // namespace

class ListView : public QTreeWidget
{
public:
    explicit ListView(ListControl *list)
        : QTreeWidget(list)
        , m_list(list)
    {}

    void keyboardSearch(const QString &) override {}

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const bool ctrl = event->modifiers() & Qt::ControlModifier;
        EventKind kind = EventKind::None;
        switch (event->key()) {
        case Qt::Key_Up:
            kind = EventKind::ScrollUp;
            break;
        case Qt::Key_Down:
            kind = EventKind::ScrollDown;
            break;
        case Qt::Key_PageUp:
            kind = ctrl ? EventKind::ScrollTop : EventKind::PageUp;
            break;
        case Qt::Key_PageDown:
            kind = ctrl ? EventKind::ScrollBottom : EventKind::PageDown;
            break;
        case Qt::Key_Home:
            kind = EventKind::ScrollTop;
            break;
        case Qt::Key_End:
            kind = EventKind::ScrollBottom;
            break;
        default:
            // Not the item view's own handling: it would move the highlight by itself.
            QWidget::keyPressEvent(event);
            return;
        }
        event->accept();
        emit m_list->scrollRequested(kind, 0);
    }

    void wheelEvent(QWheelEvent *event) override
    {
        m_wheel += event->angleDelta().y();
        while (m_wheel >= 120) {
            m_wheel -= 120;
            emit m_list->scrollRequested(EventKind::ScrollUp, 0);
        }
        while (m_wheel <= -120) {
            m_wheel += 120;
            emit m_list->scrollRequested(EventKind::ScrollDown, 0);
        }
        event->accept();
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        m_list->noteMouse(event->position().toPoint(), event->globalPosition().toPoint());
        const int row = m_list->mouseRow();
        if (event->button() == Qt::LeftButton && row > 0) {
            m_list->setHighlighted(row);
            emit m_list->rowClicked(row, KeyCode::MouseLeft);
        }
        event->accept();
    }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::RightButton) {
            m_list->noteMouse(event->position().toPoint(), event->globalPosition().toPoint());
            const int row = m_list->mouseRow();
            if (row > 0) {
                m_list->setHighlighted(row);
                emit m_list->rowClicked(row, KeyCode::MouseRightUp);
            }
        }
        event->accept();
    }

    void mouseDoubleClickEvent(QMouseEvent *event) override
    {
        m_list->noteMouse(event->position().toPoint(), event->globalPosition().toPoint());
        const int row = m_list->mouseRow();
        if (event->button() == Qt::LeftButton && row > 0) {
            // A double click that comes without its first click still selects the row first.
            if (m_list->highlighted() != row) {
                m_list->setHighlighted(row);
                emit m_list->rowClicked(row, KeyCode::MouseLeft);
            }
            emit m_list->rowDoubleClicked(row);
        }
        event->accept();
    }

    void mouseMoveEvent(QMouseEvent *event) override { event->accept(); }

private:
    ListControl *m_list;
    int m_wheel = 0;
};

ListControl::ListControl(QWidget *parent)
    : QWidget(parent)
    , m_view(new ListView(this))
    , m_thumbBar(new QScrollBar(Qt::Vertical, this))
{
    m_view->setHeader(new HeadingRow(m_view));
    m_view->setItemDelegate(new FixedRowDelegate(m_view));
    m_view->setRootIsDecorated(false);
    m_view->setItemsExpandable(false);
    m_view->setUniformRowHeights(true);
    m_view->setAllColumnsShowFocus(true);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->header()->setStretchLastSection(true);
    m_view->setColumnCount(1);
    m_view->setHeaderHidden(true);
    setFocusProxy(m_view);
    setFocusPolicy(m_view->focusPolicy());

    m_thumbBar->setRange(0, 100);
    m_thumbBar->setPageStep(10);
    m_thumbBar->hide();
    connect(m_thumbBar, &QScrollBar::actionTriggered, this, &ListControl::thumbAction);
    connect(m_thumbBar, &QScrollBar::sliderReleased, this, [this] {
        emit scrollRequested(EventKind::ScrollDrag, m_thumbBar->sliderPosition());
    });

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view);
    layout->addWidget(m_thumbBar);
}

ListControl::~ListControl() = default;

void ListControl::setColumns(const QStringList &headings)
{
    m_view->setColumnCount(std::max<int>(1, static_cast<int>(headings.size())));
    m_view->setHeaderLabels(headings);
    const bool anyHeading = std::any_of(
        headings.begin(), headings.end(), [](const QString &h) { return !h.isEmpty(); });
    m_view->setHeaderHidden(!anyHeading);
}

void ListControl::setNumberColumns(const QList<int> &columns)
{
    m_numberColumns = columns;
    for (int c : columns)
        m_view->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
}

QTreeWidgetItem *ListControl::newItem(const QStringList &texts) const
{
    auto *item = new QTreeWidgetItem(texts);
    for (int c : m_numberColumns)
        item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

int ListControl::columnCount() const
{
    return m_view->columnCount();
}

void ListControl::fitOnceFilled()
{
    // Rows come one by one or a page at a time; the fit waits until the procedure filling
    // them gives the loop back, so that it measures all of the first rows. Widths set in
    // the meantime (from the settings file) stand.
    if (m_widthsSet || m_fitPending)
        return;
    m_fitPending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_fitPending && !m_widthsSet && rowCount() > 0)
            fitColumns();
        m_fitPending = false;
    });
}

void ListControl::fitColumns()
{
    m_widthsSet = true;
    // The rows' size hint is an estimate from the average letter; fitting a column, done once
    // for a page, measures its texts, so that a name of wide letters is not cut.
    const QFontMetrics metrics(m_view->font());
    for (int c = 0; c + 1 < m_view->columnCount(); ++c) {
        m_view->resizeColumnToContents(c);
        int widest = 0;
        for (int r = 0; r < m_view->topLevelItemCount(); ++r)
            widest = std::max(widest, metrics.horizontalAdvance(m_view->topLevelItem(r)->text(c)));
        if (c == 0 && m_view->rootIsDecorated())
            widest += m_view->indentation();
        m_view->setColumnWidth(c, std::max(m_view->columnWidth(c), widest + 8));
    }
    widenWindowToColumns();
}

void ListControl::widenWindowToColumns()
{
    // The list has no horizontal scroll bar: a column past its right edge could not be seen
    // at all. Its window is widened as far as the area allows, once, when the columns are fitted.
    const int last = m_view->columnCount() - 1;
    int needed = m_view->header()->sectionSizeHint(last);
    const QFontMetrics metrics(m_view->font());
    for (int r = 0; r < m_view->topLevelItemCount(); ++r)
        needed
            = std::max(needed, metrics.horizontalAdvance(m_view->topLevelItem(r)->text(last)) + 8);
    for (int c = 0; c < last; ++c)
        needed += m_view->columnWidth(c);
    const int missing = needed - m_view->viewport()->width();
    QMdiSubWindow *sub = nullptr;
    for (QWidget *w = parentWidget(); w && !sub; w = w->parentWidget())
        sub = qobject_cast<QMdiSubWindow *>(w);
    if (missing <= 0 || !sub || !sub->mdiArea() || sub->isMaximized() || sub->isMinimized())
        return;
    const int room = sub->mdiArea()->viewport()->width();
    QRect frame = sub->geometry();
    frame.setWidth(std::min(room, frame.width() + missing));
    frame.moveLeft(std::clamp(frame.left(), 0, room - frame.width()));
    sub->setGeometry(frame);
}

QList<int> ListControl::columnWidths() const
{
    QList<int> widths;
    for (int c = 0; c < m_view->columnCount(); ++c)
        widths << m_view->columnWidth(c);
    return widths;
}

void ListControl::setColumnWidths(const QList<int> &widths)
{
    for (int c = 0; c < std::min(static_cast<int>(widths.size()), m_view->columnCount()); ++c) {
        if (widths[c] > 0) {
            m_view->setColumnWidth(c, widths[c]);
            m_widthsSet = true;
        }
    }
}

int ListControl::rowCount() const
{
    return m_view->topLevelItemCount();
}

void ListControl::insertRow(int row, const QStringList &texts)
{
    const int at = std::clamp(row - 1, 0, rowCount());
    m_view->insertTopLevelItem(at, newItem(texts));
    fitOnceFilled();
}

void ListControl::appendRow(const QStringList &texts)
{
    insertRow(rowCount() + 1, texts);
}

namespace {

// Sets the texts of `item` that differ; the columns changed, or {-1, -1}.
std::pair<int, int> rewrite(QTreeWidgetItem &item, const QStringList &texts, int columns)
{
    int first = -1;
    int last = -1;
    for (int c = 0; c < columns; ++c) {
        const QString text = c < texts.size() ? texts.at(c) : QString();
        if (item.text(c) == text)
            continue;
        item.setText(c, text);
        if (first < 0)
            first = c;
        last = c;
    }
    return {first, last};
}

} // namespace

void ListControl::setRow(int row, const QStringList &texts)
{
    QTreeWidgetItem *item = m_view->topLevelItem(row - 1);
    if (!item)
        return;
    // Only the texts that differ are set, and the view hears of the row's change once.
    std::pair<int, int> changed;
    {
        const QSignalBlocker blocker(m_view->model());
        changed = rewrite(*item, texts, m_view->columnCount());
    }
    if (changed.first >= 0) {
        QAbstractItemModel *model = m_view->model();
        emit model->dataChanged(model->index(row - 1, changed.first),
                                model->index(row - 1, changed.second));
    }
}

void ListControl::setRows(const QList<QStringList> &rows)
{
    const int size = static_cast<int>(rows.size());
    while (rowCount() > size)
        delete m_view->takeTopLevelItem(rowCount() - 1);
    const int kept = rowCount();
    const int columns = m_view->columnCount();
    bool changed = false;
    {
        const QSignalBlocker blocker(m_view->model());
        for (int r = 0; r < kept; ++r)
            changed |= rewrite(*m_view->topLevelItem(r), rows.at(r), columns).first >= 0;
    }
    // The view keeps nothing of a row but its height, the same for every row, so the rows
    // rewritten need only be painted again; telling the view of the change costs more than
    // reading the page.
    if (changed)
        m_view->viewport()->update();
    if (size > kept) {
        QList<QTreeWidgetItem *> added;
        added.reserve(size - kept);
        for (int r = kept; r < size; ++r)
            added << newItem(rows.at(r));
        m_view->addTopLevelItems(added);
        fitOnceFilled();
    }
}

void ListControl::removeRow(int row)
{
    delete m_view->takeTopLevelItem(row - 1);
}

void ListControl::clearRows()
{
    m_view->clear();
}

QStringList ListControl::row(int row) const
{
    QStringList texts;
    if (const QTreeWidgetItem *item = m_view->topLevelItem(row - 1)) {
        for (int c = 0; c < m_view->columnCount(); ++c)
            texts << item->text(c);
    }
    return texts;
}

int ListControl::highlighted() const
{
    QTreeWidgetItem *item = m_view->currentItem();
    return item && item->isSelected() ? m_view->indexOfTopLevelItem(item) + 1 : 0;
}

void ListControl::setHighlighted(int row)
{
    QTreeWidgetItem *item = m_view->topLevelItem(row - 1);
    if (!item) {
        m_view->clearSelection();
        m_view->setCurrentItem(nullptr);
        return;
    }
    if (m_view->currentItem() == item && item->isSelected())
        return;
    m_view->setCurrentItem(item);
    item->setSelected(true);
}

int ListControl::visibleRows() const
{
    const int height = FixedRowDelegate::rowHeight(m_view->fontMetrics());
    return std::max(1, m_view->viewport()->height() / height);
}

int ListControl::rowAt(const QPoint &viewportPos) const
{
    QTreeWidgetItem *item = m_view->itemAt(viewportPos);
    return item ? m_view->indexOfTopLevelItem(item) + 1 : 0;
}

void ListControl::setVerticalScrollBar(bool on)
{
    m_hasScrollBar = on;
    // The bar keeps its room while hidden: a list that fills up or empties shows or hides
    // its thumb without laying its rows out anew.
    QSizePolicy policy = m_thumbBar->sizePolicy();
    policy.setRetainSizeWhenHidden(on);
    m_thumbBar->setSizePolicy(policy);
    m_thumbBar->setVisible(on && m_thumbShown);
}

void ListControl::setThumbShown(bool shown)
{
    m_thumbShown = shown;
    m_thumbBar->setVisible(m_hasScrollBar && shown);
}

bool ListControl::thumbShown() const
{
    return m_hasScrollBar && m_thumbShown;
}

void ListControl::setThumbPosition(int percent)
{
    m_thumb = std::clamp(percent, 0, 100);
    const QSignalBlocker blocker(m_thumbBar);
    m_thumbBar->setValue(m_thumb);
}

QTreeWidget *ListControl::view() const
{
    return m_view;
}

void ListControl::thumbAction(int action)
{
    EventKind kind = EventKind::None;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        kind = EventKind::ScrollDown;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        kind = EventKind::ScrollUp;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        kind = EventKind::PageDown;
        break;
    case QAbstractSlider::SliderPageStepSub:
        kind = EventKind::PageUp;
        break;
    case QAbstractSlider::SliderToMinimum:
        kind = EventKind::ScrollTop;
        break;
    case QAbstractSlider::SliderToMaximum:
        kind = EventKind::ScrollBottom;
        break;
    default:
        return; // a drag: reported when the thumb is dropped
    }
    // The manager places the thumb after it has scrolled; the bar must not move by itself.
    m_thumbBar->setSliderPosition(m_thumb);
    emit scrollRequested(kind, 0);
}

void ListControl::noteMouse(const QPoint &viewportPos, const QPoint &globalPos)
{
    m_mouseRow = rowAt(viewportPos);
    m_mousePosition = globalPos;
}
