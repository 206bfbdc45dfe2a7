#include "framework/formbuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FormBuilder::FormBuilder(ProcWindow &window, Records &records)
    : m_window(window)
    , m_records(records)
    , m_parent(window.content())
{
    auto *column = new QVBoxLayout(m_parent);
    m_rows = new QFormLayout;
    m_rows->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    column->addLayout(m_rows);
    column->addStretch(1);
    m_buttons = new QHBoxLayout;
    m_buttons->addStretch(1);
    column->addLayout(m_buttons);
}

FormBuilder::FormBuilder(ProcWindow &window, Records &records, QWidget *parent)
    : m_window(window)
    , m_records(records)
    , m_parent(parent)
    , m_rows(new QFormLayout(parent))
{
    m_rows->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
}

FormBuilder FormBuilder::part(QWidget *widget) const
{
    return FormBuilder(m_window, m_records, widget);
}

FormBuilder FormBuilder::group(int control, const QString &title)
{
    auto *box = new QGroupBox(title, m_parent);
    m_rows->addRow(box);
    if (control != 0)
        m_window.addControl(control, box, title.trimmed());
    else
        box->setAccessibleName(title.trimmed());
    return part(box);
}

QLineEdit *FormBuilder::addEntry(int control, const QString &label)
{
    auto *edit = new QLineEdit(m_parent);
    m_rows->addRow(label, edit);
    m_window.addControl(control, edit, label.trimmed());
    return edit;
}

QCheckBox *FormBuilder::addCheck(int control, const QString &text)
{
    auto *box = new QCheckBox(text, m_parent);
    m_rows->addRow(QString(), box);
    m_window.addControl(control, box);
    return box;
}

QLabel *FormBuilder::addDisplay(int control, const QString &label)
{
    auto *shown = new QLabel(m_parent);
    m_rows->addRow(label, shown);
    m_window.addControl(control, shown, label.trimmed());
    return shown;
}

QComboBox *FormBuilder::dropList(int control, const QString &label)
{
    auto *combo = new QComboBox(m_parent);
    m_rows->addRow(label, combo);
    m_window.addControl(control, combo, label.trimmed());
    return combo;
}

QLabel *FormBuilder::text(int control, const QString &text)
{
    auto *shown = new QLabel(text, m_parent);
    shown->setWordWrap(true);
    m_rows->addRow(shown);
    if (control != 0)
        m_window.addControl(control, shown, text.trimmed());
    return shown;
}

QPushButton *FormBuilder::button(int control, const QString &text)
{
    auto *push = new QPushButton(text, m_parent);
    push->setAutoDefault(false);
    if (m_buttons)
        m_buttons->addWidget(push);
    else
        m_rows->addRow(push);
    m_window.addControl(control, push);
    return push;
}

void FormBuilder::okCancel(int okControl, int cancelControl)
{
    button(okControl, QStringLiteral("OK"))->setDefault(true);
    button(cancelControl, QStringLiteral("Abbrechen"));
}

void FormBuilder::buttonRow(std::initializer_list<std::pair<int, QString>> buttons)
{
    auto *strip = new QWidget(m_parent);
    auto *layout = new QHBoxLayout(strip);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const auto &[control, caption] : buttons) {
        auto *push = new QPushButton(caption, strip);
        push->setAutoDefault(false);
        layout->addWidget(push);
        m_window.addControl(control, push);
    }
    layout->addStretch(1);
    m_rows->addRow(strip);
}

void FormBuilder::addWidget(QWidget *widget)
{
    m_rows->addRow(widget);
}
