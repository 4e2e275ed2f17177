#include "ui/main/ListingGridView.h"

#include "ui/common/Theme.h"

#include "ui/main/GridFonts.h"
#include "ui/main/ListingGridDelegate.h"
#include "ui/main/ListingTableModel.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

namespace {

int fontPixelSize(ListingFamily family)
{
    switch (family) {
    case ListingFamily::Land:
        return 15;
    case ListingFamily::Air:
        return 11;
    case ListingFamily::Sea:
    case ListingFamily::Rail:
        return 12;
    }
    return 12;
}
} // namespace

ListingFamily ListingGridView::familyOf(ListingGrid grid)
{
    switch (grid) {
    case ListingGrid::airInfoGrd:
        return ListingFamily::Air;
    case ListingGrid::seaInfoGrd:
        return ListingFamily::Sea;
    case ListingGrid::TrianInfoGrd:
        return ListingFamily::Rail;
    case ListingGrid::InfoGrd:
    case ListingGrid::searchGrd:
        return ListingFamily::Land;
    }
    return ListingFamily::Land;
}

ListingGridView::ListingGridView(ListingGrid grid, QWidget* parent)
    : ListingGridView(familyOf(grid), parent)
{
    setObjectName(ShellTargets::controlName(grid));
}

ListingGridView::ListingGridView(ListingFamily family, QWidget* parent)
    : QTableView(parent), m_family(family), m_model(new ListingTableModel(family, this))
{
    setModel(m_model);
    setItemDelegate(
        new ListingGridDelegate(family == ListingFamily::Land, layout().defaultRowHeight, this));
    setUpLook();
    followModel();
    applyColumnLayout();
    connect(this, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            Q_EMIT fieldDoubleClicked(index.row(), index.column());
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            &ListingGridView::columnWidthsChanged);
}

void ListingGridView::followModel()
{
    m_fits.reset(m_model->rowCount());
    connect(m_model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                m_fits.insertRows(first, last - first + 1);
            });
    connect(m_model, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                m_fits.removeRows(first, last - first + 1);
            });
    connect(m_model, &QAbstractItemModel::modelReset, this,
            [this] { m_fits.reset(m_model->rowCount()); });
    connect(m_model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                m_fits.invalidateRows(topLeft.row(), bottomRight.row());
            });
}

const ListingLayout& ListingGridView::layout() const
{
    return m_model->layout();
}

void ListingGridView::setUpLook()
{
    const bool land = m_family == ListingFamily::Land;
    setFont(land ? GridFonts::simSun(15) : GridFonts::tahoma(fontPixelSize(m_family)));
    setShowGrid(true);
    setWordWrap(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setMouseTracking(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(land ? QAbstractItemView::SingleSelection
                          : QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(layout().defaultRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->setMinimumSectionSize(1);
    QHeaderView* header = horizontalHeader();
    header->setVisible(!land);
    header->setFixedHeight(25);
    header->setHighlightSections(false);
    header->setStyleSheet(QStringLiteral(
        "QHeaderView::section { background-color: rgb(206, 220, 239); border: 1px solid #a0a0a0;"
        " border-left: none; border-top: none; }"));
    QPalette pal = palette();
    pal.setColor(QPalette::Text, Qt::black);
    setPalette(pal);
    if (land) {
        // The land grids' hints are on the theme colour. A tool tip takes the style sheet of
        // the widget it is shown for, and the hints are shown for the viewport (viewportEvent):
        // this colours them and no other tool tip, and leaves the grid's own look alone.
        viewport()->setStyleSheet(QStringLiteral("QToolTip { background-color: %1; color: black; }")
                                      .arg(Theme::colour().name()));
    }
}

void ListingGridView::applyColumnLayout()
{
    const ListingLayout& l = layout();
    QHeaderView* header = horizontalHeader();
    header->setMinimumSectionSize(10);
    for (int field = 0; field < l.fieldCount; ++field) {
        setColumnHidden(field, l.hiddenFields.contains(field));
        if (l.widths.contains(field)) {
            header->setSectionResizeMode(field, QHeaderView::Interactive);
            setColumnWidth(field, l.widths.value(field));
        }
    }
    header->setSectionResizeMode(l.stretchField, QHeaderView::Stretch);
}

bool ListingGridView::hasHeaderRow() const
{
    return layout().hasHeader();
}

int ListingGridView::gridRowCount() const
{
    return m_model->rowCount() + firstDataRow();
}

ListingGridRow ListingGridView::dataRow(int modelRow) const
{
    return m_model->row(modelRow);
}

int ListingGridView::insertGridRow(int position, const ListingGridRow& row)
{
    const int modelRow = m_model->insertRow(position - firstDataRow(), row);
    // A burst pushes most of its rows out of view before the grid is drawn again: the first
    // rows of a turn get their height at once, the others when they are drawn.
    if (m_eagerFits == 0)
        QTimer::singleShot(0, this, [this] { m_eagerFits = 0; });
    if (m_eagerFits < kEagerFitsPerTurn) {
        ++m_eagerFits;
        fitRow(modelRow);
    }
    return modelRow;
}

void ListingGridView::fitRow(int modelRow)
{
    if (modelRow < 0 || modelRow >= m_model->rowCount())
        return;
    // The row's own grid line is not content; the default height is the floor.
    const int content = sizeHintForRow(modelRow) - (showGrid() ? 1 : 0);
    m_fits.markFitted(modelRow);
    setRowHeight(modelRow, qMax(layout().defaultRowHeight, content));
}

void ListingGridView::fitVisibleRows()
{
    int row = rowAt(0);
    if (row < 0)
        return;
    // Heights change as the rows are measured: walk down by the new heights.
    const int bottom = viewport()->height();
    const int rows = m_model->rowCount();
    for (int top = rowViewportPosition(row); row < rows && top < bottom; ++row) {
        if (isRowHidden(row))
            continue;
        if (!m_fits.isFitted(row))
            fitRow(row);
        top += rowHeight(row);
    }
}

void ListingGridView::columnWidthsChanged()
{
    // Texts wrap at the column widths: every row's height is out of date, and the rows on
    // screen are measured again once per change; the others when they come into view.
    m_fits.invalidateAll();
    if (m_visibleFitPending)
        return;
    m_visibleFitPending = true;
    QTimer::singleShot(0, this, [this] {
        m_visibleFitPending = false;
        if (isVisible())
            fitVisibleRows();
    });
}

void ListingGridView::paintEvent(QPaintEvent* event)
{
    // Rows scrolled or pushed into view since the last width change get their height first.
    fitVisibleRows();
    QTableView::paintEvent(event);
}

bool ListingGridView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && m_family == ListingFamily::Land) {
        showLandHint(static_cast<QHelpEvent*>(event));
        return true;
    }
    return QTableView::viewportEvent(event);
}

void ListingGridView::showLandHint(QHelpEvent* event)
{
    const QModelIndex index = indexAt(event->pos());
    const QString hint = index.data(Qt::ToolTipRole).toString();
    if (hint.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return;
    }
    QToolTip::showText(event->globalPos(), hint, viewport(), visualRect(index));
}

void ListingGridView::wheelEvent(QWheelEvent* event)
{
    // The land grids move with the scroll bar only; the wheel is left to the page around them.
    if (m_family == ListingFamily::Land) {
        event->ignore();
        return;
    }
    QTableView::wheelEvent(event);
}

int ListingGridView::rowBorderAt(const QPoint& pos) const
{
    constexpr int grip = 3;
    const int row = rowAt(pos.y());
    if (row < 0)
        return -1;
    const int top = rowViewportPosition(row);
    if (qAbs(pos.y() - (top + rowHeight(row))) <= grip)
        return row;
    if (row > 0 && qAbs(pos.y() - top) <= grip)
        return row - 1;
    return -1;
}

void ListingGridView::mousePressEvent(QMouseEvent* event)
{
    const int row = event->button() == Qt::LeftButton ? rowBorderAt(event->pos()) : -1;
    if (row < 0) {
        QTableView::mousePressEvent(event);
        return;
    }
    m_resizingRow = row;
    m_dragStartY = event->pos().y();
    m_dragStartHeight = rowHeight(row);
}

void ListingGridView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_resizingRow >= 0) {
        setRowHeight(m_resizingRow, qMax(8, m_dragStartHeight + event->pos().y() - m_dragStartY));
        return;
    }
    if (event->buttons() == Qt::NoButton && rowBorderAt(event->pos()) >= 0)
        viewport()->setCursor(Qt::SplitVCursor);
    else
        viewport()->unsetCursor();
    QTableView::mouseMoveEvent(event);
}

void ListingGridView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_resizingRow >= 0) {
        m_resizingRow = -1;
        return;
    }
    QTableView::mouseReleaseEvent(event);
}
