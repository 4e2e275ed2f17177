#pragma once

#include "refdata/FixedLists.h"
#include "ui/main/CommandSurface.h"
#include "ui/refdata/NavTreeFiller.h"

#include <QMap>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <QUrl>
#include <QVector>

// Records what the main window's commands do on screen; the navigation trees are filled
// like the window's, the city tree with one province and its cities.
class RecordingSurface : public CommandSurface
{
public:
    RecordingSurface()
    {
        NavTreeFiller::fill(&air, FixedLists::airTree());
        NavTreeFiller::fill(&sea, FixedLists::seaTree());
        NavTreeFiller::fill(&rail, FixedLists::trainTree());
        auto* province = new QTreeWidgetItem(&geo, {QStringLiteral("辽宁")});
        new QTreeWidgetItem(province, {QStringLiteral("沈阳")});
        new QTreeWidgetItem(province, {QStringLiteral("大连")});
    }

    void showPage(ShellPage page) override { pages.append(page); }
    void navigate(ShellWebView view, const QUrl& address) override { addresses[view] = address; }
    QTreeWidgetItem* selectFirstNode(NavTree tree) override
    {
        QTreeWidgetItem* first = tree == NavTree::Air ? air.topLevelItem(0) : nullptr;
        selected = first;
        return first;
    }
    void selectNode(NavTree, QTreeWidgetItem* node) override { selected = node; }
    void selectCity(const QString& city) override { selectedCity = city; }
    void showCityListings() override { ++cityListingsShown; }
    void dropDown(ShellMenu menu) override { dropped.append(menu); }
    QWidget* owner() override { return nullptr; }

    static QTreeWidgetItem* topLevel(QTreeWidget& tree, const QString& text)
    {
        const auto found = tree.findItems(text, Qt::MatchExactly);
        return found.value(0);
    }
    // Forgets what was recorded; the trees stay.
    void clear()
    {
        pages.clear();
        addresses.clear();
        dropped.clear();
        selected = nullptr;
        selectedCity.clear();
        cityListingsShown = 0;
    }

    QTreeWidget geo, air, sea, rail;
    QVector<ShellPage> pages;
    QMap<ShellWebView, QUrl> addresses;
    QVector<ShellMenu> dropped;
    QTreeWidgetItem* selected = nullptr;
    QString selectedCity;
    int cityListingsShown = 0;
};
