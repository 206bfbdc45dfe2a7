#include "costing/forms/catalogueformsupport.h"

#include "base/text.h"
#include "framework/appcontext.h"
#include "framework/formbuilder.h"

#include <QFormLayout>
#include <QLabel>

namespace costingforms {

std::string newInternalId(AppContext &app, std::string_view letter)
{
    return app.ids().next(letter, 14);
}

bool isBlank(std::string_view text)
{
    return rt::isBlank(text);
}

void showCheckMessage(MessagePresenter &presenter,
                      const std::string &title,
                      const std::string &text,
                      MessageIcon icon,
                      bool beep)
{
    if (beep)
        presenter.beep();
    presenter.show(title, text, icon, MessageButton::Ok, MessageButton::Ok);
}

QLabel *addHeading(FormBuilder &form, const QString &text)
{
    auto *label = new QLabel(text, form.window().content());
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    form.rows()->addRow(label);
    return label;
}

QLabel *addNote(FormBuilder &form, const QString &text)
{
    auto *label = new QLabel(text, form.window().content());
    label->setWordWrap(true);
    form.rows()->addRow(label);
    return label;
}

} // namespace costingforms
