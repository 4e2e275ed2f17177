#pragma once

#include "im/IMSessionHost.h"
#include "service/ShellTargets.h"
#include "ui/main/EnumArray.h"
#include "ui/main/ShellControls.h"

#include <QString>

class ImPanel;
class LazyWebView;
class ListingGridView;
class NavTreeView;
class QAction;
class QLabel;
class QMenu;
class QStackedWidget;
class QSystemTrayIcon;
class QTimer;
class QWidget;

// The main window's widgets that its parts reach, by their enumerations. The window fills it
// while it builds itself; the parts only use the widgets. None is owned here.
struct ShellWidgets
{
    static constexpr int sessionMenuCount = int(IMSessionHost::MenuAccountLogIn) + 1;

    QWidget* window = nullptr;
    EnumArray<ShellLabel, QLabel*, ShellTargets::labelCount> labels;
    EnumArray<PageSet, QStackedWidget*, ShellTargets::pageSetCount> pageSets;
    EnumArray<ShellPage, QWidget*, ShellTargets::pageCount> pages;
    EnumArray<ShellPanel, QWidget*, ShellTargets::panelCount> panels;
    EnumArray<ListingGrid, ListingGridView*, ShellTargets::gridCount> grids;
    EnumArray<ShellWebView, LazyWebView*, ShellControls::webViewCount> webViews;
    EnumArray<NavTree, NavTreeView*, ShellControls::treeCount> trees;
    EnumArray<ShellMenu, QMenu*, ShellControls::menuCount> menus;
    EnumArray<IMSessionHost::SessionMenu, QAction*, sessionMenuCount> sessionItems;
    ImPanel* imPanel = nullptr;
    QWidget* bottomBar = nullptr; // pnlBot
    QLabel* adLink = nullptr;     // URLAd
    QTimer* adTimer = nullptr;    // TimerAd
    QSystemTrayIcon* tray = nullptr;

    // Makes the page the current one of its page set.
    void showPage(ShellPage page) const;
    // The control name of the page the set shows.
    QString shownPage(PageSet set) const;
    // Whether the page is the current one of its page set.
    bool isShown(ShellPage page) const;
};
