#pragma once

#include "store/recordbuffer.h"

#include <QGroupBox>

#include <vector>

class QButtonGroup;
class QRadioButton;
class QBoxLayout;

// A group of radio buttons that stands for one value: each option carries the value it
// puts into the bound number or text. Options count from 1; 0 means none is checked.
class RadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    explicit RadioGroup(const QString &title = {}, QWidget *parent = nullptr);

    QRadioButton *addOption(const QString &text, const FieldValue &value);
    // Options side by side instead of one below the other, where a form is short of height.
    void setHorizontal();
    int optionCount() const { return static_cast<int>(m_values.size()); }
    QRadioButton *option(int option) const;
    FieldValue optionValue(int option) const;

    int checkedOption() const;
    void setCheckedOption(int option);

signals:
    // The user chose an option.
    void optionClicked(int option);

private:
    QButtonGroup *m_group;
    QBoxLayout *m_layout;
    std::vector<FieldValue> m_values;
};
