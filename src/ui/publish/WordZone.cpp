#include "ui/publish/WordZone.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

WordZone::WordZone(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("pnlZone"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);

    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblZoneTitle"));
    lblTitle->setTextFormat(Qt::PlainText);
    auto* close = new QPushButton(QStringLiteral("X"), this);
    close->setObjectName(QStringLiteral("btnZoneClose"));
    close->setFixedSize(20, 20);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);

    sgrdzone = new QTableWidget(0, PublishWords::GridColumns, this);
    sgrdzone->setObjectName(QStringLiteral("sgrdzone"));
    sgrdzone->horizontalHeader()->hide();
    sgrdzone->verticalHeader()->hide();
    sgrdzone->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgrdzone->setSelectionMode(QAbstractItemView::SingleSelection);
    sgrdzone->horizontalHeader()->setDefaultSectionSize(72);
    sgrdzone->verticalHeader()->setDefaultSectionSize(22);
    sgrdzone->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(sgrdzone, &QTableWidget::cellClicked, this, &WordZone::choose);
    connect(sgrdzone, &QTableWidget::cellDoubleClicked, this, &WordZone::choose);

    auto* hint = new QLabel(QStringLiteral("双击选择货物"), this);
    hint->setObjectName(QStringLiteral("lblZoneHint"));

    auto* top = new QHBoxLayout;
    top->addWidget(lblTitle);
    top->addStretch();
    top->addWidget(close);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(3, 3, 3, 3);
    column->addLayout(top);
    column->addWidget(sgrdzone);
    column->addWidget(hint);
    hide();
}

void WordZone::open(const PublishWords::Grid& grid, const QPoint& position)
{
    sgrdzone->clearContents();
    sgrdzone->setRowCount(grid.rows);
    for (int row = 0; row < grid.rows; ++row) {
        for (int column = 0; column < PublishWords::GridColumns; ++column)
            sgrdzone->setItem(row, column, new QTableWidgetItem);
    }
    for (int index = 0; index < grid.words.size(); ++index) {
        const int row = index / PublishWords::GridColumns;
        if (row >= grid.rows)
            break;
        sgrdzone->item(row, index % PublishWords::GridColumns)->setText(grid.words.at(index));
    }
    lblTitle->setText(grid.title);
    const int width = PublishWords::GridColumns * 72 + 2 * sgrdzone->frameWidth();
    sgrdzone->setFixedSize(width, grid.rows * 22 + 2 * sgrdzone->frameWidth());
    adjustSize();
    move(position);
    raise();
    show();
}

void WordZone::choose(int row, int column)
{
    QTableWidgetItem* item = sgrdzone->item(row, column);
    hide();
    if (item && !item->text().isEmpty())
        Q_EMIT wordChosen(item->text());
}
