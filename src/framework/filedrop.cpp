#include "framework/filedrop.h"

#include "framework/picture.h"
#include "framework/procwindow.h"
#include "store/errormanager.h"
#include "store/filemanager.h"

#include <QComboBox>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTreeView>

#include <algorithm>

namespace {

bool isNumber(const FieldDef &field)
{
    return field.type == FieldType::Long || field.type == FieldType::Real
           || field.type == FieldType::Decimal;
}

} // namespace

using namespace Qt::Literals::StringLiterals;

FileDrop::FileDrop(ProcWindow &window, int control, FileManager &file, KeyRef order)
    : m_window(&window)
    , m_control(control)
    , m_file(file)
    , m_order(order)
{
    m_opened = m_file.Open() == Level::Benign;
}

FileDrop::~FileDrop()
{
    Kill();
}

void FileDrop::setDisplay(int field, const QString &heading)
{
    m_columns.front() = Column{field, heading, {}};
}

void FileDrop::addColumn(int field, const QString &heading, const QString &picture)
{
    m_columns.push_back(Column{field, heading, picture});
}

void FileDrop::setFilter(std::function<bool(const RecordBuffer &)> keep)
{
    m_keep = std::move(keep);
}

void FileDrop::addCopy(int from, RecordBuffer &target, int to)
{
    m_copies.push_back({from, &target, to});
}

QString FileDrop::entryText(int entry) const
{
    if (entry < 1 || entry > count())
        return {};
    return m_entries[static_cast<std::size_t>(entry - 1)].texts.join(u"   "_s);
}

int FileDrop::TakeEvent(const WindowEvent &event)
{
    if (event.control != m_control || event.kind != EventKind::NewSelection || !m_window)
        return Level::Benign;
    const int chosen = m_window->choice(m_control);
    if (chosen < 1 || chosen > count())
        return Level::Benign;
    const Entry &entry = m_entries[static_cast<std::size_t>(chosen - 1)];
    for (std::size_t i = 0; i < m_copies.size(); ++i)
        m_copies[i].target->setValue(m_copies[i].to, entry.values[i]);
    m_window->redisplay();
    return Level::Benign;
}

void FileDrop::ResetQueue(std::uint8_t)
{
    if (!m_opened || !m_window)
        return;
    load();
    showMatching();
}

void FileDrop::load()
{
    m_entries.clear();
    const std::uint16_t snapshot = m_file.TakeSnapshot();
    if (m_file.startPass(m_order) == Level::Benign) {
        const RecordBuffer &record = m_file.BUFFER();
        while (m_file.NextQuiet() == Level::Benign) {
            if (m_keep && !m_keep(record))
                continue;
            Entry entry;
            for (const Column &column : m_columns)
                entry.texts << columnText(record, column);
            for (const Copy &copy : m_copies)
                entry.values.push_back(record.value(copy.from));
            m_entries.push_back(std::move(entry));
        }
    }
    m_file.RestoreSnapshot(snapshot, true);

    auto *combo = qobject_cast<QComboBox *>(m_window->control(m_control));
    if (!combo)
        return;
    const QSignalBlocker quiet(combo);
    if (m_columns.size() == 1) {
        combo->clear();
        for (int e = 1; e <= count(); ++e)
            combo->addItem(entryText(e));
        return;
    }
    showColumns(combo);
    m_model->setRowCount(0);
    const int shown = static_cast<int>(m_columns.size());
    for (int e = 1; e <= count(); ++e) {
        const Entry &entry = m_entries[static_cast<std::size_t>(e - 1)];
        QList<QStandardItem *> row;
        for (int c = 0; c < shown; ++c) {
            auto *item = new QStandardItem(entry.texts.at(c));
            if (isNumber(
                    m_file.BUFFER().def().fields[m_columns[static_cast<std::size_t>(c)].field]))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            row << item;
        }
        row << new QStandardItem(entryText(e));
        for (QStandardItem *item : row)
            item->setEditable(false);
        m_model->appendRow(row);
    }
    // The open list is as wide as its columns, whatever the width of the closed one.
    auto *view = static_cast<QTreeView *>(combo->view());
    int width = 2 * view->frameWidth() + view->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < shown; ++c) {
        view->resizeColumnToContents(c);
        width += view->columnWidth(c);
    }
    view->header()->resizeSection(shown, 0);
    view->setMinimumWidth(width);
}

QString FileDrop::columnText(const RecordBuffer &record, const Column &column) const
{
    const FieldDef &field = record.def().fields[column.field];
    if (!column.picture.isEmpty())
        return Picture(column.picture).format(record.value(column.field)).trimmed();
    if (!isNumber(field) && field.type != FieldType::Date)
        return QString::fromStdString(record.text(column.field));
    return Picture::forField(field).format(record.value(column.field)).trimmed();
}

void FileDrop::showColumns(QComboBox *combo)
{
    if (m_model)
        return;
    // A last column of no width holds what the closed list shows.
    QStringList headings;
    for (const Column &column : m_columns)
        headings << column.heading;
    const int shown = static_cast<int>(m_columns.size());
    m_model = new QStandardItemModel(0, shown + 1, combo);
    m_model->setHorizontalHeaderLabels(headings);
    auto *view = new QTreeView(combo);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->header()->setSectionsMovable(false);
    view->header()->setStretchLastSection(false);
    view->header()->setVisible(std::any_of(
        m_columns.begin(), m_columns.end(), [](const Column &c) { return !c.heading.isEmpty(); }));
    combo->setModel(m_model);
    combo->setView(view);
    combo->setModelColumn(shown);
    // Not hidden, which would leave the open list without height: the combo box measures
    // its rows in the column it shows.
    view->header()->setSectionResizeMode(shown, QHeaderView::Fixed);
    view->header()->resizeSection(shown, 0);
}

void FileDrop::showMatching()
{
    int match = 0;
    for (std::size_t e = 0; e < m_entries.size() && match == 0 && !m_copies.empty(); ++e) {
        bool equal = true;
        for (std::size_t i = 0; i < m_copies.size() && equal; ++i)
            equal = m_copies[i].target->value(m_copies[i].to) == m_entries[e].values[i];
        if (equal)
            match = static_cast<int>(e) + 1;
    }
    m_window->setChoice(m_control, match);
}

void FileDrop::Kill()
{
    if (m_opened) {
        m_opened = false;
        m_file.Close();
    }
    m_entries.clear();
}
