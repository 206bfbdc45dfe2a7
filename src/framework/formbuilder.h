#pragma once

#include "framework/procwindow.h"
#include "store/recordbuffer.h"

#include <QString>

#include <initializer_list>
#include <utility>
#include <vector>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// Lays out a procedure window the one way every form is laid out: labelled rows of controls,
// each with its control number and bound to its record field or working value, and a row of
// buttons at the foot. Controls take the tab order in which they are declared. A control's
// accessible name is its label without the blanks around it.
//
// A form that spreads its controls over columns, tab pages or framed groups lays out each of
// them with a builder of its own from part() or group(), which binds the same way.
class FormBuilder
{
public:
    FormBuilder(ProcWindow &window, Records &records);

    // Rows on `widget`, a column or a tab page of the window. Their buttons are rows of their
    // own: only the window's builder has a foot.
    FormBuilder part(QWidget *widget) const;
    // Columns side by side across a row, each with rows of its own: where a form is too tall
    // for a laptop screen, it uses the width instead.
    std::vector<FormBuilder> columns(int count);
    // A framed group of rows, numbered so that it can be hidden; 0 for a group that never is.
    FormBuilder group(int control, const QString &title);

    template<FieldType T>
    QLineEdit *entry(int control, const QString &label, Field<T> field, const QString &picture = {})
    {
        QLineEdit *edit = addEntry(control, label);
        m_window.bind(control, m_records[field.file], field, picture);
        return edit;
    }
    // A working value of the form, not stored in a record (a number or a text).
    template<typename Value>
    QLineEdit *entry(int control, const QString &label, Value &value, const QString &picture)
    {
        QLineEdit *edit = addEntry(control, label);
        m_window.bind(control, value, picture);
        return edit;
    }

    template<FieldType T>
    QCheckBox *check(int control, const QString &text, Field<T> field)
    {
        QCheckBox *box = addCheck(control, text);
        m_window.bind(control, m_records[field.file], field);
        return box;
    }
    // A working value of the form, 1 when checked and 0 when not.
    QCheckBox *check(int control, const QString &text, std::int32_t &value)
    {
        QCheckBox *box = addCheck(control, text);
        m_window.bind(control, value);
        return box;
    }

    template<FieldType T>
    QLabel *display(int control, const QString &label, Field<T> field, const QString &picture = {})
    {
        QLabel *shown = addDisplay(control, label);
        m_window.bind(control, m_records[field.file], field, picture);
        return shown;
    }
    // A working value of the form, shown only.
    template<typename Value>
    QLabel *display(int control, const QString &label, Value &value, const QString &picture)
    {
        QLabel *shown = addDisplay(control, label);
        m_window.bind(control, value, picture);
        return shown;
    }

    // A drop-down list, to be filled by a FileDrop.
    QComboBox *dropList(int control, const QString &label);
    // A text across the row, wrapped; numbered (not 0) so that it can be hidden or captioned
    // anew.
    QLabel *text(int control, const QString &text);

    // A button at the foot of the window, or in a part or group a row of its own.
    QPushButton *button(int control, const QString &text);
    // "OK" and "Abbrechen" at the foot; OK is the default button.
    void okCancel(int okControl, int cancelControl);
    // Numbered buttons side by side in one row, from the left.
    void buttonRow(std::initializer_list<std::pair<int, QString>> buttons);

    // A widget of the form's own making across the row.
    void addWidget(QWidget *widget);

    // The window's rows scroll where the screen is smaller than the form, the buttons at the
    // foot stay where they are. Only for the window's builder, once its rows are all made.
    void scrollRows();

    ProcWindow &window() { return m_window; }
    // What the rows' widgets are made on.
    QWidget *parent() const { return m_parent; }
    QFormLayout *rows() { return m_rows; }
    // Further rows go into `rows`, a form layout of a tab page or a group, until set again.
    void setRows(QFormLayout *rows) { m_rows = rows; }

private:
    FormBuilder(ProcWindow &window, Records &records, QWidget *parent);

    QLineEdit *addEntry(int control, const QString &label);
    QCheckBox *addCheck(int control, const QString &text);
    QLabel *addDisplay(int control, const QString &label);

    ProcWindow &m_window;
    Records &m_records;
    QWidget *m_parent;
    QFormLayout *m_rows;
    QBoxLayout *m_buttons = nullptr;
    QBoxLayout *m_column = nullptr; // the window's rows above its foot
};
