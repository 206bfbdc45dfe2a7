#include "framework/filedrop.h"

#include "framework/procwindow.h"
#include "store/errormanager.h"
#include "store/filemanager.h"

#include <QComboBox>
#include <QSignalBlocker>

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

void FileDrop::setDisplay(int field)
{
    m_display = field;
}

void FileDrop::addColumn(int field)
{
    m_columns.push_back(field);
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
    return m_entries[static_cast<std::size_t>(entry - 1)].text;
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
            entry.text = QString::fromStdString(record.text(m_display));
            for (int column : m_columns)
                entry.text += u"   "_s + QString::fromStdString(record.text(column));
            for (const Copy &copy : m_copies)
                entry.values.push_back(record.value(copy.from));
            m_entries.push_back(std::move(entry));
        }
    }
    m_file.RestoreSnapshot(snapshot, true);

    if (auto *combo = qobject_cast<QComboBox *>(m_window->control(m_control))) {
        const QSignalBlocker quiet(combo);
        combo->clear();
        for (const Entry &entry : m_entries)
            combo->addItem(entry.text);
    }
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
