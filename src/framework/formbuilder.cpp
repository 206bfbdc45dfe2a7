#include "framework/formbuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The rows of a form where the screen is smaller than the form: they scroll, and the buttons
// at the foot stay in sight. It asks for the whole form, so a form that fits shows no scroll
// bar, and never for less than the rows' width, so that nothing needs to scroll sideways.
class FormScroll : public QScrollArea
{
public:
    explicit FormScroll(QWidget *parent)
        : QScrollArea(parent)
    {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }

    QSize sizeHint() const override
    {
        return widget() ? widget()->sizeHint() : QScrollArea::sizeHint();
    }
    QSize minimumSizeHint() const override
    {
        if (!widget())
            return QScrollArea::minimumSizeHint();
        const QSize rows = widget()->minimumSizeHint();
        return {rows.width() + verticalScrollBar()->sizeHint().width(),
                std::min(rows.height(), kLeastRowsHeight)};
    }

private:
    static constexpr int kLeastRowsHeight = 120;
};

} // namespace

FormBuilder::FormBuilder(ProcWindow &window, Records &records)
    : m_window(window)
    , m_records(records)
    , m_parent(new QWidget(window.content()))
{
    m_column = new QVBoxLayout(window.content());
    auto *body = new QVBoxLayout(m_parent);
    body->setContentsMargins(0, 0, 0, 0);
    m_rows = new QFormLayout;
    m_rows->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    body->addLayout(m_rows);
    body->addStretch(1);
    m_column->addWidget(m_parent, 1);
    m_buttons = new QHBoxLayout;
    m_buttons->addStretch(1);
    m_column->addLayout(m_buttons);
}

void FormBuilder::scrollRows()
{
    if (!m_column)
        return;
    auto *scroll = new FormScroll(m_window.content());
    delete m_column->replaceWidget(m_parent, scroll);
    scroll->setWidget(m_parent);
    m_column = nullptr;
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

std::vector<FormBuilder> FormBuilder::columns(int count)
{
    auto *strip = new QWidget(m_parent);
    auto *layout = new QHBoxLayout(strip);
    layout->setContentsMargins(0, 0, 0, 0);
    std::vector<FormBuilder> parts;
    for (int c = 0; c < count; ++c) {
        auto *column = new QWidget(strip);
        layout->addWidget(column, 1, Qt::AlignTop);
        parts.push_back(part(column));
        parts.back().m_rows->setContentsMargins(0, 0, 0, 0);
    }
    m_rows->addRow(strip);
    return parts;
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
