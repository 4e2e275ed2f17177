#pragma once

#include "service/ShellTargets.h"
#include "ui/main/ListingGridRow.h"
#include "ui/main/ListingLayout.h"
#include "ui/main/RowFitCache.h"

#include <QTableView>

class ListingTableModel;
class QHelpEvent;

// One listing grid of the main window, set up for its family: fonts, header, row heights,
// hidden fields and widths, hints, and double-clicks reported by field position.
// A row's height is measured when the row is filled or inserted, and again only after its
// content or a column width changed, and then once it is on screen: a resize costs the rows in
// view, not every row of the grid.
class ListingGridView : public QTableView
{
    Q_OBJECT
public:
    explicit ListingGridView(ListingFamily family, QWidget* parent = nullptr);
    // One of the main window's five grids, named by its control name.
    explicit ListingGridView(ListingGrid grid, QWidget* parent = nullptr);

    static ListingFamily familyOf(ListingGrid grid);

    ListingFamily family() const { return m_family; }
    ListingTableModel* listingModel() const { return m_model; }
    const ListingLayout& layout() const;

    // Adds one row at the end and moves it to position, so the rows from there down move one
    // down. Positions count the header row of the air, sea and rail grids as row 0, exactly as
    // the callers address grid rows; a position at or above the header lands below it.
    int insertGridRow(int position, const ListingGridRow& row);
    // Grid rows as callers count them (header row included where there is one).
    int gridRowCount() const;
    int firstDataRow() const { return hasHeaderRow() ? 1 : 0; }
    bool hasHeaderRow() const;
    ListingGridRow dataRow(int modelRow) const;

    // Sets the height of one row from its content, no lower than the default height.
    void fitRow(int modelRow);
    // Measures the rows on screen that are not measured for the current column widths.
    void fitVisibleRows();
    // Puts back the set-up widths and hidden fields (the side-panel toggle re-hides them).
    void applyColumnLayout();

Q_SIGNALS:
    void fieldDoubleClicked(int modelRow, int field);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // Rows are resized by dragging their lower border, as the grid has no row header.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setUpLook();
    void followModel();
    void columnWidthsChanged();
    void showLandHint(QHelpEvent* event);
    int rowBorderAt(const QPoint& pos) const;

    ListingFamily m_family;
    ListingTableModel* m_model;
    RowFitCache m_fits;
    bool m_visibleFitPending = false;
    static constexpr int kEagerFitsPerTurn = 8;
    int m_eagerFits = 0; // rows inserted and measured at once in this turn of the loop
    int m_resizingRow = -1;
    int m_dragStartY = 0;
    int m_dragStartHeight = 0;
};
