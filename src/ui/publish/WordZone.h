#pragma once

#include "publish/PublishWords.h"

#include <QFrame>

class QLabel;
class QTableWidget;

// The shared word-grid panel pnlZone of the word window: a title, the grid sgrdzone of five
// columns, the hint "双击选择货物" and a close button "X". A click or double click on a filled
// cell hides the panel and hands the cell's text over.
class WordZone : public QFrame
{
    Q_OBJECT
public:
    explicit WordZone(QWidget* parent);

    // Clears every cell, sets the grid's rows, fills the words row by row, sets the title,
    // and shows the panel at `position` (parent coordinates).
    void open(const PublishWords::Grid& grid, const QPoint& position);

    QLabel* lblTitle = nullptr;
    QTableWidget* sgrdzone = nullptr;

Q_SIGNALS:
    void wordChosen(const QString& word);

private:
    void choose(int row, int column);
};
