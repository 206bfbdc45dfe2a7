#include "framework/radiogroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

RadioGroup::RadioGroup(const QString &title, QWidget *parent)
    : QGroupBox(title, parent)
    , m_group(new QButtonGroup(this))
    , m_layout(new QVBoxLayout(this))
{
    connect(m_group, &QButtonGroup::idClicked, this, &RadioGroup::optionClicked);
}

QRadioButton *RadioGroup::addOption(const QString &text, const FieldValue &value)
{
    auto *button = new QRadioButton(text, this);
    m_values.push_back(value);
    m_group->addButton(button, optionCount());
    // Before the stretch of a horizontal group, so that the options stay together at the left.
    m_layout->insertWidget(optionCount() - 1, button);
    return button;
}

void RadioGroup::setHorizontal()
{
    m_layout->setDirection(QBoxLayout::LeftToRight);
    m_layout->addStretch(1);
}

QRadioButton *RadioGroup::option(int option) const
{
    return qobject_cast<QRadioButton *>(m_group->button(option));
}

FieldValue RadioGroup::optionValue(int option) const
{
    if (option < 1 || option > optionCount())
        return std::int32_t{0};
    return m_values[static_cast<std::size_t>(option - 1)];
}

int RadioGroup::checkedOption() const
{
    return std::max(0, m_group->checkedId());
}

void RadioGroup::setCheckedOption(int option)
{
    if (QAbstractButton *button = m_group->button(option)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group cannot uncheck its last button; none checked means "no value".
    m_group->setExclusive(false);
    for (QAbstractButton *button : m_group->buttons())
        button->setChecked(false);
    m_group->setExclusive(true);
}
