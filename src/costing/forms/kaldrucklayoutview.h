#pragma once

#include "costing/core/sheetlayout.h"

#include <QWidget>

// The printing sheet drawn to scale with the copies of the layout on it, as the calculation
// would place them; a layout that does not fit is drawn in red over the sheet.
class SheetLayoutView : public QWidget
{
    Q_OBJECT

public:
    explicit SheetLayoutView(QWidget *parent = nullptr);

    void setPicture(const costing::SheetPicture &picture);
    const costing::SheetPicture &picture() const { return m_picture; }
    // The line under the drawing.
    QString caption() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    costing::SheetPicture m_picture;
};
