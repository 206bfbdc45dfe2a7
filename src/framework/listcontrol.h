#pragma once

#include "framework/windowevent.h"

#include <QStringList>
#include <QWidget>

class QScrollBar;
class QTreeWidget;
class QTreeWidgetItem;
class ListView;

// A list control as the lists use it: it shows only the rows that fit (the list manager
// reads the records around them), so moving beyond the shown rows is the manager's work.
// Every scrolling key, the mouse wheel and the thumb therefore become scroll requests; the
// control moves the highlight itself only when a row is clicked. Rows count from 1.
//
// The control has no scroll bar of its own: where the form asks for a vertical scroll bar,
// a thumb (0 to 100) stands beside the rows, and the list manager places it.
class ListControl : public QWidget
{
    Q_OBJECT

public:
    explicit ListControl(QWidget *parent = nullptr);
    ~ListControl() override;

    // Column headings; all empty hides the heading row.
    void setColumns(const QStringList &headings);
    // Columns of amounts and counts: they and their headings are right-aligned, so that the
    // places line up as the user reads figures.
    void setNumberColumns(const QList<int> &columns);
    int columnCount() const;
    // Every column as wide as its heading and the rows shown; the last takes what is left.
    // Done by itself once the first rows have come, unless widths were set before.
    void fitColumns();
    // The columns' widths, and setting them again (a width of 0 or less keeps its column).
    QList<int> columnWidths() const;
    void setColumnWidths(const QList<int> &widths);

    int rowCount() const;
    // `row` from 1 to rowCount() + 1; beyond that the row is appended.
    void insertRow(int row, const QStringList &texts);
    void appendRow(const QStringList &texts);
    // Sets only the texts that differ from those shown.
    void setRow(int row, const QStringList &texts);
    // Makes the control hold exactly `rows`: rows shown are rewritten in place (only the
    // texts that differ), missing ones appended together, extra ones removed. Rewritten rows
    // are painted again but not signalled to the view's model listeners.
    void setRows(const QList<QStringList> &rows);
    void removeRow(int row);
    void clearRows();
    QStringList row(int row) const;

    // The highlighted row; 0 for none.
    int highlighted() const;
    void setHighlighted(int row);

    // How many rows fit into the control at its present size (at least 1).
    int visibleRows() const;
    // The row under a point of the view's viewport, and under the last mouse click.
    int rowAt(const QPoint &viewportPos) const;
    int mouseRow() const { return m_mouseRow; }
    QPoint mousePosition() const { return m_mousePosition; }

    void setVerticalScrollBar(bool on);
    bool hasVerticalScrollBar() const { return m_hasScrollBar; }
    void setThumbShown(bool shown);
    bool thumbShown() const;
    void setThumbPosition(int percent);
    int thumbPosition() const { return m_thumb; }
    QScrollBar *thumb() const { return m_thumbBar; }

    QTreeWidget *view() const;

signals:
    // The user asked to scroll: up, down, page up/down, top, bottom, or dropped the thumb
    // (ScrollDrag with its position).
    void scrollRequested(EventKind kind, int thumb);
    // A row was clicked and is now highlighted: MouseLeft, or MouseRightUp for the popup.
    void rowClicked(int row, int keyCode);
    void rowDoubleClicked(int row);

private:
    friend class ListView;
    void thumbAction(int action);
    void noteMouse(const QPoint &viewportPos, const QPoint &globalPos);
    void fitOnceFilled();
    void widenWindowToColumns();
    QTreeWidgetItem *newItem(const QStringList &texts) const;

    ListView *m_view;
    QScrollBar *m_thumbBar;
    bool m_hasScrollBar = false;
    bool m_widthsSet = false; // fitted, or as the user or the settings file left them
    bool m_fitPending = false;
    QList<int> m_numberColumns;
    bool m_thumbShown = true; // a list that fills its page, as most do, keeps it shown
    int m_thumb = 0;
    int m_mouseRow = 0;
    QPoint m_mousePosition;
};
