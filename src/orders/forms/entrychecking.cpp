#include "orders/forms/entrychecking.h"

#include "framework/procedurecontroller.h"
#include "framework/procwindow.h"
#include "store/errormanager.h"
#include "store/storecontext.h"

int checkEntry(ProcedureController &form, std::span<const EntryCheck> checks, int control)
{
    for (const EntryCheck &check : checks) {
        if (check.control != control)
            continue;
        ProcWindow &window = *form.procWindow();
        if (!window.updateFromWindow(control))
            return Level::Notify;
        const QString entry = QString::fromStdString(form.records().get(check.field));
        const QString problem = check.problem(entry);
        return problem.isEmpty() ? Level::Benign : form.refuseEntry(problem.toStdString(), control);
    }
    return Level::Benign;
}
