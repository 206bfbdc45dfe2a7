#pragma once

#include "framework/windowevent.h"
#include "store/layout.h"
#include "store/recordbuffer.h"

#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class FileManager;
class ProcWindow;

// A drop-down list of a form filled from one file in key order, optionally filtered: picking
// an entry copies named fields of the picked record into the form's record and shows the form
// again. The list is read anew on every reset of the window (catalogues are short) and shows
// the entry whose fields equal what the form's record holds, or none.
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

    // The field whose text an entry shows.
    void setDisplay(int field);
    template<FieldType T>
    void setDisplay(Field<T> field)
    {
        setDisplay(static_cast<int>(field.index));
    }
    // A further field an entry shows after the display field, as in a list's columns.
    void addColumn(int field);
    template<FieldType T>
    void addColumn(Field<T> field)
    {
        addColumn(static_cast<int>(field.index));
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
    QString entryText(int entry) const; // from 1

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
    struct Entry
    {
        QString text;
        std::vector<FieldValue> values; // one per copy
    };

    void load();
    void showMatching();

    QPointer<ProcWindow> m_window;
    int m_control;
    FileManager &m_file;
    KeyRef m_order;
    int m_display = 0;
    std::vector<int> m_columns;
    std::function<bool(const RecordBuffer &)> m_keep;
    std::vector<Copy> m_copies;
    std::vector<Entry> m_entries;
    bool m_opened = false;
};
