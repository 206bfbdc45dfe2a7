#pragma once

#include "framework/windowevent.h"
#include "store/layout.h"
#include "store/recordbuffer.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

class FileManager;
class ProcWindow;
class QComboBox;
class QStandardItemModel;

// A drop-down list of a form filled from one file in key order, optionally filtered: picking
// an entry copies named fields of the picked record into the form's record and shows the form
// again. The list is read anew on every reset of the window (catalogues are short) and shows
// the entry whose fields equal what the form's record holds, or none.
//
// An entry may show further fields beside the display field: the open list then shows them
// as columns under their headings, numbers right-aligned in German notation; the closed list
// shows the chosen entry's fields one after another.
//
// The file's own record buffer is left as it was: the list keeps copies of what it shows and
// copies, so the form may use the same file for something else.
class FileDrop
{
public:
    FileDrop(ProcWindow &window, int control, FileManager &file, KeyRef order);
    ~FileDrop();
    FileDrop(const FileDrop &) = delete;
    FileDrop &operator=(const FileDrop &) = delete;

    // The field whose text an entry shows, with the heading of its column in the open list.
    void setDisplay(int field, const QString &heading = {});
    template<FieldType T>
    void setDisplay(Field<T> field, const QString &heading = {})
    {
        setDisplay(static_cast<int>(field.index), heading);
    }
    // A further column of the open list: the field as `picture` shows it (none: a text as it
    // stands, a number or date as its type suggests), under `heading`.
    void addColumn(int field, const QString &heading = {}, const QString &picture = {});
    template<FieldType T>
    void addColumn(Field<T> field, const QString &heading = {}, const QString &picture = {})
    {
        addColumn(static_cast<int>(field.index), heading, picture);
    }
    // Only records for which `keep` holds are listed.
    void setFilter(std::function<bool(const RecordBuffer &record)> keep);
    // When an entry is picked, field `from` of its record goes into field `to` of `target`.
    void addCopy(int from, RecordBuffer &target, int to);
    template<FieldType F, FieldType T>
    void addCopy(Field<F> from, RecordBuffer &target, Field<T> to)
    {
        addCopy(static_cast<int>(from.index), target, static_cast<int>(to.index));
    }

    int control() const { return m_control; }
    int count() const { return static_cast<int>(m_entries.size()); }
    // The text entry `entry` (from 1) shows in the closed list.
    QString entryText(int entry) const;

    // Every event of the window; a new selection in the list copies the picked record.
    int TakeEvent(const WindowEvent &event);
    // Reads the list again and shows the entry that matches the form's record.
    void ResetQueue(std::uint8_t force);
    void Kill();

private:
    struct Copy
    {
        int from;
        RecordBuffer *target;
        int to;
    };
    struct Column
    {
        int field = 0;
        QString heading;
        QString picture;
    };
    struct Entry
    {
        QStringList texts;              // one per column, the display field first
        std::vector<FieldValue> values; // one per copy
    };

    void load();
    void showMatching();
    QString columnText(const RecordBuffer &record, const Column &column) const;
    void showColumns(QComboBox *combo);

    QPointer<ProcWindow> m_window;
    int m_control;
    FileManager &m_file;
    KeyRef m_order;
    std::vector<Column> m_columns{Column{}}; // the display field first
    std::function<bool(const RecordBuffer &)> m_keep;
    std::vector<Copy> m_copies;
    std::vector<Entry> m_entries;
    QStandardItemModel *m_model = nullptr; // owned by the combo box
    bool m_opened = false;
};
