#pragma once

#include "framework/procwindow.h"
#include "store/recordbuffer.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// Rows of numbered, bound controls on any part of a form (a tab page, a group), laid out the
// way FormBuilder lays out a form's main rows. The order and customer forms spread their
// controls over pages and groups, which FormBuilder's one column does not reach.
class FormRows
{
public:
    FormRows(ProcWindow &window, Records &records, QWidget *parent)
        : m_window(window)
        , m_records(records)
        , m_layout(new QFormLayout(parent))
        , m_parent(parent)
    {
        m_layout->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    }

    template<FieldType T>
    QLineEdit *entry(int control, const QString &label, Field<T> field, const QString &picture = {})
    {
        auto *edit = new QLineEdit(m_parent);
        m_layout->addRow(label, edit);
        m_window.addControl(control, edit, label);
        m_window.bind(control, m_records[field.file], field, picture);
        return edit;
    }
    template<typename Value>
    QLineEdit *entry(int control, const QString &label, Value &value, const QString &picture)
    {
        auto *edit = new QLineEdit(m_parent);
        m_layout->addRow(label, edit);
        m_window.addControl(control, edit, label);
        m_window.bind(control, value, picture);
        return edit;
    }

    template<FieldType T>
    QLabel *display(int control, const QString &label, Field<T> field, const QString &picture = {})
    {
        QLabel *shown = addDisplay(control, label);
        m_window.bind(control, m_records[field.file], field, picture);
        return shown;
    }
    template<typename Value>
    QLabel *display(int control, const QString &label, Value &value, const QString &picture)
    {
        QLabel *shown = addDisplay(control, label);
        m_window.bind(control, value, picture);
        return shown;
    }

    // A text of its own, numbered so that it can be hidden or captioned anew.
    QLabel *text(int control, const QString &text)
    {
        auto *shown = new QLabel(text, m_parent);
        shown->setWordWrap(true);
        m_layout->addRow(shown);
        if (control != 0)
            m_window.addControl(control, shown, text.trimmed());
        return shown;
    }

    QPushButton *button(int control, const QString &caption)
    {
        auto *push = new QPushButton(caption, m_parent);
        push->setAutoDefault(false);
        m_layout->addRow(push);
        m_window.addControl(control, push);
        return push;
    }

    // A framed group of rows, numbered so that it can be hidden.
    FormRows group(int control, const QString &title)
    {
        auto *box = new QGroupBox(title, m_parent);
        m_layout->addRow(box);
        m_window.addControl(control, box, title.trimmed());
        return FormRows(m_window, m_records, box);
    }

    void addWidget(QWidget *widget) { m_layout->addRow(widget); }
    QFormLayout *layout() const { return m_layout; }
    QWidget *parent() const { return m_parent; }

private:
    QLabel *addDisplay(int control, const QString &label)
    {
        auto *shown = new QLabel(m_parent);
        m_layout->addRow(label, shown);
        m_window.addControl(control, shown, label.trimmed());
        return shown;
    }

    ProcWindow &m_window;
    Records &m_records;
    QFormLayout *m_layout;
    QWidget *m_parent;
};
