#pragma once

#include "framework/inputchecks.h"
#include "framework/picture.h"
#include "store/recordbuffer.h"

#include <QString>

#include <memory>
#include <optional>

class QWidget;

enum class ControlKind {
    Other,
    Button,
    Entry,    // one-line entry (QLineEdit)
    Text,     // multi-line text (QPlainTextEdit)
    Display,  // shown text that the user does not edit (QLabel)
    CheckBox, // QCheckBox
    Radio,    // a RadioGroup
    DropList, // QComboBox
    Sheet,    // tab sheet (QTabWidget)
    Tab,      // one page of a tab sheet
    List,     // ListControl
    Group,    // QGroupBox and other containers
};

// The kind a widget has as a control; a tab page is only known as such by its window.
ControlKind controlKindOf(const QWidget *widget);
// Controls whose value "validate all" takes and checks.
bool takesInput(ControlKind kind);

// Where a control's value lives: a record field, or a working value of the form such as a
// running total. Reading and writing speak the record buffer's FieldValue.
class BoundValue
{
public:
    virtual ~BoundValue() = default;
    virtual FieldValue read() const = 0;
    // False when the value does not fit (a DECIMAL out of range, text into a number).
    virtual bool write(const FieldValue &value) = 0;
    // The picture used when the form names none.
    virtual Picture defaultPicture() const { return {}; }
    // The most characters a text can hold here; 0: no limit.
    virtual int textLimit() const { return 0; }
    // The numbers the value can hold; none: any the picture shows.
    virtual std::optional<NumberRange> numberLimits() const { return std::nullopt; }
};

std::unique_ptr<BoundValue> bindField(RecordBuffer &record, int field);
std::unique_ptr<BoundValue> bindNumber(double &value);
std::unique_ptr<BoundValue> bindNumber(std::int32_t &value);
std::unique_ptr<BoundValue> bindText(QString &value);

struct ControlBinding
{
    std::unique_ptr<BoundValue> value;
    Picture picture;
    // A check box stands for `on` when checked and `off` when not (1 and 0 unless set).
    FieldValue on = std::int32_t{1};
    FieldValue off = std::int32_t{0};
    // The numbers the form allows besides what picture and field hold (a percentage up to
    // 100); none: no further limit.
    std::optional<NumberRange> range;

    // The most characters a text entry takes: its field's size or its picture's width.
    int textLimit() const;
};

// Shows the bound value in the control (record → window).
void showValue(QWidget *control, ControlKind kind, const ControlBinding &binding);
// Takes the control's value into the bound value (window → record). False, with the bound
// value untouched, when the input does not fit the picture or the field: a number outside
// what both allow, a text with characters a record cannot hold or longer than its field.
// `refusal` then says why. A control that still shows the bound value leaves it as it is,
// more exact than its picture perhaps.
bool takeValue(const QWidget *control,
               ControlKind kind,
               ControlBinding &binding,
               InputRefusal *refusal = nullptr);
