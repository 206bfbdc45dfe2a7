#pragma once

#include "framework/procwindow.h"
#include "store/recordbuffer.h"

#include <QString>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// Lays out a procedure window the one way every form is laid out: labelled rows of controls,
// each with its control number and bound to its record field or working value, and a row of
// buttons at the foot. Controls take the tab order in which they are declared.
class FormBuilder
{
public:
    FormBuilder(ProcWindow &window, Records &records);

    template<FieldType T>
    QLineEdit *entry(int control, const QString &label, Field<T> field, const QString &picture = {})
    {
        QLineEdit *edit = addEntry(control, label);
        m_window.bind(control, m_records[field.file], field, picture);
        return edit;
    }
    // Working values of the form, not stored in a record.
    QLineEdit *entry(int control, const QString &label, double &value, const QString &picture);
    QLineEdit *entry(int control, const QString &label, QString &value, const QString &picture);

    template<FieldType T>
    QCheckBox *check(int control, const QString &text, Field<T> field)
    {
        QCheckBox *box = addCheck(control, text);
        m_window.bind(control, m_records[field.file], field);
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
    QLabel *display(int control, const QString &label, double &value, const QString &picture);

    // A drop-down list, to be filled by a FileDrop.
    QComboBox *dropList(int control, const QString &label);

    QPushButton *button(int control, const QString &text);
    // "OK" and "Abbrechen" at the foot; OK is the default button.
    void okCancel(int okControl, int cancelControl);

    ProcWindow &window() { return m_window; }
    QFormLayout *rows() { return m_rows; }
    // Further rows go into `rows`, a form layout of a tab page or a group, until set again.
    void setRows(QFormLayout *rows) { m_rows = rows; }

private:
    QLineEdit *addEntry(int control, const QString &label);
    QCheckBox *addCheck(int control, const QString &text);
    QLabel *addDisplay(int control, const QString &label);

    ProcWindow &m_window;
    Records &m_records;
    QFormLayout *m_rows;
    QBoxLayout *m_buttons;
};
