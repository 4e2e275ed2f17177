#include "ui/im/FriendTree.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

namespace {

FriendEntry friendEntry(const QString& jid, const QString& name)
{
    FriendEntry entry;
    entry.jid = jid;
    entry.displayName = name;
    return entry;
}

} // namespace

class FriendTreeTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void groupsAreAddedCollapsed();
    void friendNodesLiveInTheFirstGroup();
    void hintsAndMenuCaptions();
    void clickTogglesAGroupAndItsIcon();
    void selectedRowIsPaintedInTheThemeColour();
    void doubleClickAndMenuItemsRequestForFriendsOnly();

private:
    void showTree();
    QRect rectOf(QTreeWidgetItem* node) const { return tree->visualItemRect(node); }

    FriendTree* tree = nullptr;
};

void FriendTreeTest::init()
{
    tree = new FriendTree;
    tree->addGroup(QStringLiteral("我的好友"));
    tree->addGroup(QStringLiteral("货运联盟"));
}

void FriendTreeTest::cleanup()
{
    delete tree;
}

void FriendTreeTest::showTree()
{
    tree->resize(200, 300);
    tree->show();
    QVERIFY(QTest::qWaitForWindowExposed(tree));
}

void FriendTreeTest::groupsAreAddedCollapsed()
{
    QCOMPARE(tree->topLevelItemCount(), 2);
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("我的好友"));
    QCOMPARE(tree->topLevelItem(1)->text(0), QStringLiteral("货运联盟"));
    QVERIFY(FriendTree::isGroup(tree->topLevelItem(0)));
    QVERIFY(!tree->topLevelItem(0)->isExpanded());
    QCOMPARE(tree->topLevelItem(0)->icon(0).cacheKey(),
             tree->iconFor(FriendTree::IconGroupCollapsed).cacheKey());
}

void FriendTreeTest::friendNodesLiveInTheFirstGroup()
{
    QTreeWidgetItem* node =
        tree->addFriend(friendEntry(QStringLiteral("zhangwei@localhost"), QStringLiteral("张伟")));
    QCOMPARE(node->parent(), tree->firstGroup());
    QCOMPARE(tree->topLevelItem(1)->childCount(), 0);
    QCOMPARE(tree->findFriend(QStringLiteral("zhangwei@localhost")), node);
    QVERIFY(!tree->findFriend(QString()));
    QCOMPARE(FriendTree::entryOf(node).offline, 1);
    QCOMPARE(node->icon(0).cacheKey(), tree->iconFor(FriendTree::IconOffline).cacheKey());
    tree->setFriendOffline(node, false);
    QCOMPARE(FriendTree::entryOf(node).offline, 0);
    QCOMPARE(node->icon(0).cacheKey(), tree->iconFor(FriendTree::IconPresent).cacheKey());

    tree->removeFriendNodes();
    QCOMPARE(tree->firstGroup()->childCount(), 0);
    tree->clear();
    QVERIFY(!tree->addFriend(friendEntry(QStringLiteral("a@localhost"), QStringLiteral("a"))));
}

void FriendTreeTest::hintsAndMenuCaptions()
{
    QCOMPARE(FriendTree::groupHint(tree->topLevelItem(0)),
             QStringLiteral("你还没有添加好友哦 ！ "));
    tree->addFriend(friendEntry(QStringLiteral("zhangwei@localhost"), QStringLiteral("张伟")));
    QCOMPARE(FriendTree::groupHint(tree->topLevelItem(0)), QStringLiteral("我的好友(1)"));
    QCOMPARE(FriendTree::groupHint(tree->topLevelItem(1)),
             QStringLiteral("你还没有添加好友哦 ！ "));
    QCOMPARE(tree->friendMenu()->objectName(), QStringLiteral("PpMenuRight"));
    QCOMPARE(tree->openAction()->objectName(), QStringLiteral("NR1"));
    QCOMPARE(tree->renameAction()->objectName(), QStringLiteral("NR4"));
    QCOMPARE(tree->deleteAction()->objectName(), QStringLiteral("N2"));
    QCOMPARE(tree->renameAction()->text(), QStringLiteral("好友改名(&V)"));
    QCOMPARE(tree->deleteAction()->text(), QStringLiteral("删除好友(&D)"));
}

void FriendTreeTest::clickTogglesAGroupAndItsIcon()
{
    showTree();
    QTreeWidgetItem* group = tree->topLevelItem(0);
    const QRect groupRect = rectOf(group);
    const QIcon expandedIcon = tree->iconFor(FriendTree::IconGroupExpanded);
    const QIcon collapsedIcon = tree->iconFor(FriendTree::IconGroupCollapsed);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, groupRect.center());
    QVERIFY(group->isExpanded());
    QCOMPARE(group->icon(0).cacheKey(), expandedIcon.cacheKey());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, groupRect.center());
    QVERIFY(!group->isExpanded());
    QCOMPARE(group->icon(0).cacheKey(), collapsedIcon.cacheKey());
}

void FriendTreeTest::selectedRowIsPaintedInTheThemeColour()
{
    QTreeWidgetItem* node =
        tree->addFriend(friendEntry(QStringLiteral("zhangwei@localhost"), QStringLiteral("张伟")));
    tree->firstGroup()->setExpanded(true);
    showTree();
    tree->setCurrentItem(node);
    const QImage shot = tree->viewport()->grab().toImage();
    const int x = tree->viewport()->width() - 3;
    QCOMPARE(QColor(shot.pixel(x, rectOf(node).center().y())), QColor(0xCE, 0xDC, 0xEF));
    QCOMPARE(QColor(shot.pixel(x, rectOf(tree->firstGroup()).center().y())), QColor(Qt::white));
}

void FriendTreeTest::doubleClickAndMenuItemsRequestForFriendsOnly()
{
    QTreeWidgetItem* node =
        tree->addFriend(friendEntry(QStringLiteral("zhangwei@localhost"), QStringLiteral("张伟")));
    tree->firstGroup()->setExpanded(true);
    showTree();
    QList<QTreeWidgetItem*> opened, renamed, deleted;
    connect(tree, &FriendTree::openRequested, this, [&](QTreeWidgetItem* n) { opened << n; });
    connect(tree, &FriendTree::renameRequested, this, [&](QTreeWidgetItem* n) { renamed << n; });
    connect(tree, &FriendTree::deleteRequested, this, [&](QTreeWidgetItem* n) { deleted << n; });
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {},
                       rectOf(tree->topLevelItem(1)).center());
    QVERIFY(opened.isEmpty());
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, rectOf(node).center());
    QCOMPARE(opened, QList<QTreeWidgetItem*>{node});

    // The menu items act on the current item.
    tree->setCurrentItem(node);
    tree->openAction()->trigger();
    tree->renameAction()->trigger();
    tree->deleteAction()->trigger();
    QCOMPARE(opened.size(), 2);
    QCOMPARE(renamed, QList<QTreeWidgetItem*>{node});
    QCOMPARE(deleted, QList<QTreeWidgetItem*>{node});

    // Right button on a friend opens the menu; a group has none.
    QTest::mousePress(tree->viewport(), Qt::RightButton, {}, rectOf(tree->firstGroup()).center());
    QVERIFY(!tree->friendMenu()->isVisible());
    QTest::mousePress(tree->viewport(), Qt::RightButton, {}, rectOf(node).center());
    QVERIFY(tree->friendMenu()->isVisible());
    tree->friendMenu()->hide();
}

QTEST_MAIN(FriendTreeTest)
#include "tst_FriendTree.moc"
