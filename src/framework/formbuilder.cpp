#include "framework/formbuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FormBuilder::FormBuilder(ProcWindow &window, Records &records)
    : m_window(window)
    , m_records(records)
{
    QWidget *content = window.content();
    auto *column = new QVBoxLayout(content);
    m_rows = new QFormLayout;
    m_rows->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    column->addLayout(m_rows);
    column->addStretch(1);
    m_buttons = new QHBoxLayout;
    m_buttons->addStretch(1);
    column->addLayout(m_buttons);
}

QLineEdit *FormBuilder::addEntry(int control, const QString &label)
{
    auto *edit = new QLineEdit(m_window.content());
    m_rows->addRow(label, edit);
    m_window.addControl(control, edit, label);
    return edit;
}

QLineEdit *
FormBuilder::entry(int control, const QString &label, double &value, const QString &picture)
{
    QLineEdit *edit = addEntry(control, label);
    m_window.bind(control, value, picture);
    return edit;
}

QLineEdit *
FormBuilder::entry(int control, const QString &label, QString &value, const QString &picture)
{
    QLineEdit *edit = addEntry(control, label);
    m_window.bind(control, value, picture);
    return edit;
}

QCheckBox *FormBuilder::addCheck(int control, const QString &text)
{
    auto *box = new QCheckBox(text, m_window.content());
    m_rows->addRow(QString(), box);
    m_window.addControl(control, box);
    return box;
}

QLabel *FormBuilder::addDisplay(int control, const QString &label)
{
    auto *shown = new QLabel(m_window.content());
    m_rows->addRow(label, shown);
    m_window.addControl(control, shown, label);
    return shown;
}

QLabel *
FormBuilder::display(int control, const QString &label, double &value, const QString &picture)
{
    QLabel *shown = addDisplay(control, label);
    m_window.bind(control, value, picture);
    return shown;
}

QComboBox *FormBuilder::dropList(int control, const QString &label)
{
    auto *combo = new QComboBox(m_window.content());
    m_rows->addRow(label, combo);
    m_window.addControl(control, combo, label);
    return combo;
}

QPushButton *FormBuilder::button(int control, const QString &text)
{
    auto *push = new QPushButton(text, m_window.content());
    push->setAutoDefault(false);
    m_buttons->addWidget(push);
    m_window.addControl(control, push);
    return push;
}

void FormBuilder::okCancel(int okControl, int cancelControl)
{
    button(okControl, QStringLiteral("OK"))->setDefault(true);
    button(cancelControl, QStringLiteral("Abbrechen"));
}
