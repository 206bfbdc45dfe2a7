// Binding a procedure window's controls to values: which value a control shows, and taking
// what the user put into the control back into that value.

#include "framework/procwindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolTip>

#include <stdexcept>

void ProcWindow::bindValue(int control, std::unique_ptr<BoundValue> value, const QString &picture)
{
    Control *c = find(control);
    if (!c)
        throw std::invalid_argument("binding an unknown control");
    c->binding.picture = picture.isEmpty() ? value->defaultPicture() : Picture(picture);
    c->binding.value = std::move(value);
    QLineEdit *edit = qobject_cast<QLineEdit *>(c->widget.data());
    if (auto *combo = qobject_cast<QComboBox *>(c->widget.data()))
        edit = combo->lineEdit();
    if (!edit)
        return;
    const Picture &p = c->binding.picture;
    if (p.kind() == Picture::Kind::Number)
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (p.kind() != Picture::Kind::Text || c->binding.textLimit() <= 0)
        return;
    // Typing or pasting past the field's size is cut off where the user sees it, and said.
    const int limit = c->binding.textLimit();
    edit->setMaxLength(limit);
    connect(edit, &QLineEdit::inputRejected, this, [edit, limit] {
        QToolTip::showText(
            edit->mapToGlobal(QPoint(0, edit->height())),
            QStringLiteral("Höchstens %1 Zeichen: mehr nimmt dieses Feld nicht auf.").arg(limit),
            edit);
    });
}

void ProcWindow::bind(int control, RecordBuffer &record, int field, const QString &picture)
{
    bindValue(control, bindField(record, field), picture);
}

void ProcWindow::bind(int control, double &value, const QString &picture)
{
    bindValue(control, bindNumber(value), picture);
}

void ProcWindow::bind(int control, std::int32_t &value, const QString &picture)
{
    bindValue(control, bindNumber(value), picture);
}

void ProcWindow::bind(int control, QString &value, const QString &picture)
{
    bindValue(control, bindText(value), picture);
}

void ProcWindow::setRange(int control, double low, double high)
{
    if (Control *c = find(control))
        c->binding.range = NumberRange{low, high};
}

InputRefusal ProcWindow::refusal(int control) const
{
    const Control *c = find(control);
    return c ? c->refusal : InputRefusal{};
}

void ProcWindow::putInput(int control, const QString &text)
{
    Control *c = find(control);
    if (!c || !c->widget)
        return;
    if (auto *edit = qobject_cast<QLineEdit *>(c->widget.data())) {
        edit->setText(text);
        edit->setModified(true);
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(c->widget.data())) {
        plain->setPlainText(text);
    } else if (auto *combo = qobject_cast<QComboBox *>(c->widget.data());
               combo && combo->isEditable()) {
        combo->setEditText(text);
    }
}

void ProcWindow::setCheckValues(int control, const FieldValue &on, const FieldValue &off)
{
    if (Control *c = find(control)) {
        c->binding.on = on;
        c->binding.off = off;
    }
}

bool ProcWindow::updateFromWindow()
{
    bool ok = true;
    for (auto &[number, c] : m_controls) {
        if (c.widget && takesInput(c.kind))
            ok = takeValue(c.widget, c.kind, c.binding) && ok;
    }
    return ok;
}

bool ProcWindow::updateFromWindow(int control)
{
    Control *c = find(control);
    return !c || !c->widget || !takesInput(c->kind) || takeValue(c->widget, c->kind, c->binding);
}

void ProcWindow::redisplay()
{
    const QuietScope quiet(this);
    for (auto &[number, c] : m_controls) {
        if (c.widget)
            showValue(c.widget, c.kind, c.binding);
    }
}

void ProcWindow::redisplay(int control)
{
    const QuietScope quiet(this);
    if (const Control *c = find(control); c && c->widget)
        showValue(c->widget, c->kind, c->binding);
}
