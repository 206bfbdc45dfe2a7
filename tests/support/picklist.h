#pragma once

#include "framework/procwindow.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QHeaderView>
#include <QList>
#include <QStringList>
#include <QTreeView>

// A drop-down pick list as the user sees it open: the headings and rows of its columns, and
// which columns stand right-aligned. A list without columns shows its entries as one.
struct ShownPickList
{
    QStringList headings;
    QList<QStringList> rows;
    QList<bool> rightAligned; // per column, as the first row shows it
};

inline ShownPickList shownPickList(ProcWindow *window, int control)
{
    ShownPickList shown;
    auto *combo = window ? qobject_cast<QComboBox *>(window->control(control)) : nullptr;
    if (!combo)
        return shown;
    const QAbstractItemModel *model = combo->model();
    auto *tree = qobject_cast<QTreeView *>(combo->view());
    QList<int> columns;
    for (int c = 0; c < model->columnCount(); ++c) {
        const bool visible = tree ? !tree->isColumnHidden(c) && tree->columnWidth(c) > 0
                                  : c == combo->modelColumn();
        if (visible)
            columns << c;
    }
    if (tree && !tree->header()->isHidden()) {
        for (int c : columns)
            shown.headings << model->headerData(c, Qt::Horizontal).toString();
    }
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList row;
        for (int c : columns)
            row << model->index(r, c).data().toString();
        shown.rows << row;
    }
    for (int c : columns) {
        const int alignment = model->index(0, c).data(Qt::TextAlignmentRole).toInt();
        shown.rightAligned << ((alignment & Qt::AlignRight) != 0);
    }
    return shown;
}
