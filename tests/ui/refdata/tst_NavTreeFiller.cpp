#include "refdata/FixedLists.h"
#include "refdata/TreeNodeRoles.h"
#include "ui/refdata/NavTreeFiller.h"

#include <QTreeWidget>
#include <QtTest>

class NavTreeFillerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void treeFillerCarriesKindsAndValues()
    {
        QTreeWidget tree;
        NavTreeFiller::fill(&tree, FixedLists::airTree());
        QCOMPARE(tree.topLevelItemCount(), 14);
        QTreeWidgetItem* airportGroup = tree.topLevelItem(12);
        NavTreeFiller::appendChildren(airportGroup, FixedLists::airportNodes());
        QCOMPARE(airportGroup->childCount(), 149);
        QTreeWidgetItem* beijing = airportGroup->child(40);
        QCOMPARE(beijing->text(0), QStringLiteral("北京"));
        QCOMPARE(beijing->data(0, NodeKindRole).toInt(), 4);
        QCOMPARE(NavTreeFiller::valueOf(beijing), QStringLiteral("BJS"));
        QCOMPARE(NavTreeFiller::kindOf(tree.topLevelItem(11)->child(0)), 3);
        QVERIFY(!tree.topLevelItem(0)->data(0, NodeValueRole).isValid());
    }
};

QTEST_MAIN(NavTreeFillerTest)
#include "tst_NavTreeFiller.moc"
