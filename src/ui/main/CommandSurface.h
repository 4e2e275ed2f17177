#pragma once

#include "service/ShellTargets.h"
#include "ui/main/ShellControls.h"

#include <QString>

class QTreeWidgetItem;
class QUrl;
class QWidget;

// What the main window's commands do to its widgets besides starting loads. The window
// implements it; tests record the calls.
class CommandSurface
{
public:
    virtual ~CommandSurface() = default;

    // Makes the page the current one of its page set.
    virtual void showPage(ShellPage page) = 0;
    virtual void navigate(ShellWebView view, const QUrl& address) = 0;
    // The first top-level node of the tree, made its current node; null for an empty tree.
    virtual QTreeWidgetItem* selectFirstNode(NavTree tree) = 0;
    virtual void selectNode(NavTree tree, QTreeWidgetItem* node) = 0;
    // tvGeo: the selection cleared, then the first leaf naming the city made current,
    // scrolled to and focused.
    virtual void selectCity(const QString& city) = 0;
    // InfoGrd shown above the search panel docked at the bottom, pnlTop hidden.
    virtual void showCityListings() = 0;
    // Pops the menu up below the control it drops down from.
    virtual void dropDown(ShellMenu menu) = 0;
    // The owner of the browser windows and message boxes the commands open.
    virtual QWidget* owner() = 0;
};
