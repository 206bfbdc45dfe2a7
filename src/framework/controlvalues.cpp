#include "framework/controlvalues.h"

#include "framework/listcontrol.h"
#include "framework/radiogroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include <cmath>

namespace {

class FieldRef : public BoundValue
{
public:
    FieldRef(RecordBuffer &record, int field)
        : m_record(record)
        , m_field(field)
    {}
    FieldValue read() const override { return m_record.value(m_field); }
    bool write(const FieldValue &value) override { return m_record.setValue(m_field, value); }
    Picture defaultPicture() const override
    {
        return Picture::forField(m_record.def().fields[m_field]);
    }
    int textLimit() const override
    {
        const FieldDef &field = m_record.def().fields[m_field];
        return field.type == FieldType::String ? field.size : 0;
    }
    std::optional<NumberRange> numberLimits() const override
    {
        switch (m_record.def().fields[m_field].type) {
        case FieldType::Decimal:
            return NumberRange{-999.99, 999.99}; // DECIMAL(5,2)
        case FieldType::Long:
            return NumberRange{-2147483647.0, 2147483647.0};
        default:
            return std::nullopt;
        }
    }

private:
    RecordBuffer &m_record;
    int m_field;
};

class DoubleRef : public BoundValue
{
public:
    explicit DoubleRef(double &value)
        : m_value(value)
    {}
    FieldValue read() const override { return m_value; }
    bool write(const FieldValue &value) override
    {
        if (std::holds_alternative<std::string>(value))
            return false;
        m_value = numberOf(value);
        return true;
    }
    Picture defaultPicture() const override { return Picture(QStringLiteral("@n-15.2")); }

private:
    double &m_value;
};

class IntRef : public BoundValue
{
public:
    explicit IntRef(std::int32_t &value)
        : m_value(value)
    {}
    FieldValue read() const override { return m_value; }
    bool write(const FieldValue &value) override
    {
        const double v = numberOf(value);
        if (std::holds_alternative<std::string>(value) || !(std::fabs(v) < 2147483647.0))
            return false;
        m_value = static_cast<std::int32_t>(std::llround(v));
        return true;
    }
    Picture defaultPicture() const override { return Picture(QStringLiteral("@n-_11")); }
    std::optional<NumberRange> numberLimits() const override
    {
        return NumberRange{-2147483647.0, 2147483647.0};
    }

private:
    std::int32_t &m_value;
};

class TextRef : public BoundValue
{
public:
    explicit TextRef(QString &value)
        : m_value(value)
    {}
    FieldValue read() const override { return m_value.toStdString(); }
    bool write(const FieldValue &value) override
    {
        if (const auto *s = std::get_if<std::string>(&value))
            m_value = QString::fromStdString(*s);
        else
            m_value = QString::number(numberOf(value), 'g', 15);
        return true;
    }

private:
    QString &m_value;
};

FieldValue fromVariant(const QVariant &v)
{
    if (v.typeId() == QMetaType::QString)
        return v.toString().toStdString();
    if (v.typeId() == QMetaType::Int)
        return std::int32_t{v.toInt()};
    return v.toDouble();
}

int matchingOption(const RadioGroup *group, const FieldValue &value)
{
    for (int i = 1; i <= group->optionCount(); ++i) {
        if (sameValue(value, group->optionValue(i)))
            return i;
    }
    return 0;
}

int matchingIndex(const QComboBox *combo, const ControlBinding &binding, const FieldValue &value)
{
    const QString shown = binding.picture.format(value).trimmed();
    for (int i = 0; i < combo->count(); ++i) {
        const QVariant data = combo->itemData(i);
        if (data.isValid() ? sameValue(fromVariant(data), value)
                           : combo->itemText(i).trimmed() == shown)
            return i;
    }
    return -1;
}

// Whether the control still shows the bound value as it was last displayed. Such a control
// is left alone when values are taken, so that a value kept more exactly than its picture
// shows (a price of 1.005 shown as "1,01") does not change by merely passing through.
bool showsBoundValue(const QWidget *control, ControlKind kind, const ControlBinding &binding)
{
    const FieldValue value = binding.value->read();
    switch (kind) {
    case ControlKind::Entry:
        return static_cast<const QLineEdit *>(control)->text() == binding.picture.format(value);
    case ControlKind::Text:
        return static_cast<const QPlainTextEdit *>(control)->toPlainText()
               == binding.picture.format(value);
    case ControlKind::CheckBox:
        return static_cast<const QCheckBox *>(control)->isChecked() == sameValue(value, binding.on);
    case ControlKind::Radio: {
        const auto *group = static_cast<const RadioGroup *>(control);
        return group->checkedOption() == matchingOption(group, value);
    }
    case ControlKind::DropList: {
        const auto *combo = static_cast<const QComboBox *>(control);
        const int index = matchingIndex(combo, binding, value);
        if (combo->currentIndex() != index)
            return false;
        return index >= 0 || !combo->isEditable()
               || combo->currentText() == binding.picture.format(value);
    }
    default:
        return true;
    }
}

bool writeParsed(const Picture &picture,
                 const QString &text,
                 ControlBinding &binding,
                 InputRefusal *refusal)
{
    std::optional<InputRefusal> problem;
    switch (picture.kind()) {
    case Picture::Kind::Text:
        problem = inputchecks::checkText(text, binding.textLimit());
        break;
    case Picture::Kind::Number: {
        const NumberRange held = inputchecks::intersect(inputchecks::pictureRange(picture),
                                                        binding.value->numberLimits());
        problem
            = inputchecks::checkNumber(picture, text, inputchecks::intersect(held, binding.range));
        break;
    }
    case Picture::Kind::Date:
        if (!picture.parse(text))
            problem
                = InputRefusal{{},
                               QStringLiteral("Bitte ein Datum in der Form TT.MM.JJJJ eingeben."),
                               std::nullopt,
                               false};
        break;
    case Picture::Kind::Time:
        if (!picture.parse(text))
            problem = InputRefusal{{},
                                   QStringLiteral("Bitte eine Uhrzeit in der Form HH:MM eingeben."),
                                   std::nullopt,
                                   false};
        break;
    }
    if (!problem) {
        const std::optional<FieldValue> parsed = picture.parse(text);
        if (parsed && binding.value->write(*parsed))
            return true;
        problem = InputRefusal{
            {}, QStringLiteral("Dieser Wert passt nicht in das Feld."), std::nullopt, false};
    }
    if (refusal)
        *refusal = *problem;
    return false;
}

} // namespace

std::unique_ptr<BoundValue> bindField(RecordBuffer &record, int field)
{
    return std::make_unique<FieldRef>(record, field);
}

std::unique_ptr<BoundValue> bindNumber(double &value)
{
    return std::make_unique<DoubleRef>(value);
}

std::unique_ptr<BoundValue> bindNumber(std::int32_t &value)
{
    return std::make_unique<IntRef>(value);
}

std::unique_ptr<BoundValue> bindText(QString &value)
{
    return std::make_unique<TextRef>(value);
}

ControlKind controlKindOf(const QWidget *w)
{
    if (qobject_cast<const ListControl *>(w))
        return ControlKind::List;
    if (qobject_cast<const RadioGroup *>(w))
        return ControlKind::Radio;
    if (qobject_cast<const QTabWidget *>(w))
        return ControlKind::Sheet;
    if (qobject_cast<const QCheckBox *>(w))
        return ControlKind::CheckBox;
    if (qobject_cast<const QAbstractButton *>(w))
        return ControlKind::Button;
    if (qobject_cast<const QLineEdit *>(w))
        return ControlKind::Entry;
    if (qobject_cast<const QPlainTextEdit *>(w))
        return ControlKind::Text;
    if (qobject_cast<const QComboBox *>(w))
        return ControlKind::DropList;
    if (qobject_cast<const QLabel *>(w))
        return ControlKind::Display;
    if (qobject_cast<const QGroupBox *>(w))
        return ControlKind::Group;
    return ControlKind::Other;
}

bool takesInput(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Entry:
    case ControlKind::Text:
    case ControlKind::CheckBox:
    case ControlKind::Radio:
    case ControlKind::DropList:
        return true;
    default:
        return false;
    }
}

void showValue(QWidget *control, ControlKind kind, const ControlBinding &binding)
{
    if (!binding.value)
        return;
    const FieldValue value = binding.value->read();
    switch (kind) {
    case ControlKind::Entry:
        static_cast<QLineEdit *>(control)->setText(binding.picture.format(value));
        break;
    case ControlKind::Display:
        static_cast<QLabel *>(control)->setText(binding.picture.format(value));
        break;
    case ControlKind::Text:
        static_cast<QPlainTextEdit *>(control)->setPlainText(binding.picture.format(value));
        break;
    case ControlKind::CheckBox:
        static_cast<QCheckBox *>(control)->setChecked(sameValue(value, binding.on));
        break;
    case ControlKind::Radio: {
        auto *group = static_cast<RadioGroup *>(control);
        group->setCheckedOption(matchingOption(group, value));
        break;
    }
    case ControlKind::DropList: {
        auto *combo = static_cast<QComboBox *>(control);
        const int found = matchingIndex(combo, binding, value);
        combo->setCurrentIndex(found);
        if (found < 0 && combo->isEditable())
            combo->setEditText(binding.picture.format(value));
        break;
    }
    default:
        break;
    }
}

int ControlBinding::textLimit() const
{
    const int field = value ? value->textLimit() : 0;
    const int shown = picture.kind() == Picture::Kind::Text ? picture.width() : 0;
    if (field > 0 && shown > 0)
        return std::min(field, shown);
    return std::max(field, shown);
}

bool takeValue(const QWidget *control,
               ControlKind kind,
               ControlBinding &binding,
               InputRefusal *refusal)
{
    if (!binding.value || showsBoundValue(control, kind, binding))
        return true;
    switch (kind) {
    case ControlKind::Entry:
        return writeParsed(
            binding.picture, static_cast<const QLineEdit *>(control)->text(), binding, refusal);
    case ControlKind::Text:
        return writeParsed(binding.picture,
                           static_cast<const QPlainTextEdit *>(control)->toPlainText(),
                           binding,
                           refusal);
    case ControlKind::CheckBox:
        return binding.value->write(
            static_cast<const QCheckBox *>(control)->isChecked() ? binding.on : binding.off);
    case ControlKind::Radio: {
        const auto *group = static_cast<const RadioGroup *>(control);
        const int checked = group->checkedOption();
        return checked == 0 || binding.value->write(group->optionValue(checked));
    }
    case ControlKind::DropList: {
        const auto *combo = static_cast<const QComboBox *>(control);
        const int index = combo->currentIndex();
        const QVariant data = index >= 0 ? combo->itemData(index) : QVariant();
        if (data.isValid() && !combo->isEditable())
            return binding.value->write(fromVariant(data));
        if (index < 0 && !combo->isEditable())
            return true;
        return writeParsed(binding.picture, combo->currentText(), binding, refusal);
    }
    default:
        return true;
    }
}
