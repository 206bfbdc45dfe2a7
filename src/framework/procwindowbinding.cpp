// Binding a procedure window's controls to values: which value a control shows, and taking
// what the user put into the control back into that value.

#include "framework/procwindow.h"

#include <QLineEdit>

#include <stdexcept>

void ProcWindow::bindValue(int control, std::unique_ptr<BoundValue> value, const QString &picture)
{
    Control *c = find(control);
    if (!c)
        throw std::invalid_argument("binding an unknown control");
    c->binding.picture = picture.isEmpty() ? value->defaultPicture() : Picture(picture);
    c->binding.value = std::move(value);
    if (auto *edit = qobject_cast<QLineEdit *>(c->widget.data())) {
        const Picture &p = c->binding.picture;
        if (p.kind() == Picture::Kind::Text && p.width() > 0)
            edit->setMaxLength(p.width());
        if (p.kind() == Picture::Kind::Number)
            edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
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
