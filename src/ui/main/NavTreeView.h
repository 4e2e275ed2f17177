#pragma once

#include "refdata/FixedNode.h"

#include <QTreeWidget>

// One navigation tree of the left panel. Each node carries its kind (NodeKindRole) and an
// optional value (NodeValueRole). Selected rows are painted in the theme colour; a tree may
// keep only one branch open at a time.
class NavTreeView : public QTreeWidget
{
    Q_OBJECT
public:
    struct Options
    {
        bool oneOpenBranch = true;
        // Selected rows of kind -1 stay white (every tree but tvGeo).
        bool plainSelectedKindMinusOne = true;
    };

    NavTreeView(const QString& name, const Options& options, QWidget* parent = nullptr);

    void addNodes(const QVector<FixedNode>& nodes, QTreeWidgetItem* parent = nullptr);
    QTreeWidgetItem* addNode(const QString& text, int kind, QTreeWidgetItem* parent = nullptr,
                             const QString& value = QString());

    static int kindOf(const QTreeWidgetItem* item);
    static QString valueOf(const QTreeWidgetItem* item);
    // First node without children, in display order, whose text contains `text`.
    QTreeWidgetItem* firstLeafContaining(const QString& text) const;
    // Top-level node with exactly this text.
    QTreeWidgetItem* topLevelNamed(const QString& text) const;

Q_SIGNALS:
    // Any mouse button pressed on a node (the node is selected first).
    void nodePressed(QTreeWidgetItem* item, Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void collapseSiblings(QTreeWidgetItem* item);

    Options m_options;
};
