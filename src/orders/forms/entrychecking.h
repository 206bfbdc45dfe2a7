#pragma once

#include "store/layout.h"

#include <QString>

#include <span>

class ProcedureController;

// The checks of the entries of e-invoice data, made when an entry is left after an edit and
// again for every entry when the form is confirmed: a refused entry keeps the focus, with a
// German message that says what is wrong, and the record is not saved.
struct EntryCheck
{
    int control;
    StringField field;
    QString (*problem)(const QString &entry);
};

// When `control` is one of `checks`: takes its entry and checks it. Level::Notify after the
// message when the entry is refused; Level::Benign otherwise.
int checkEntry(ProcedureController &form, std::span<const EntryCheck> checks, int control);
