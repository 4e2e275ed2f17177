#pragma once

#include "im/IMSessionHost.h"
#include "ui/main/EnumArray.h"
#include "ui/main/ShellControls.h"

#include <QString>

#include <functional>

class ClickableImage;
class MainCommands;
class QAction;
class QMenu;
class QPushButton;
class QWidget;
struct ShellWidgets;

// The function buttons of the main window's top bar and tool bar and the pop-up menus they
// drop down, every button and item connected to its command.
class MainCommandBars
{
public:
    // The menus go into the widgets; the window owns every widget made here.
    MainCommandBars(QWidget* window, MainCommands* commands, ShellWidgets& widgets);

    QWidget* buildTopBar();
    QWidget* buildToolBar();
    // logOffAndOn: N20, N76, N6 and N9; exitSystem: N63.
    void buildMenus(const std::function<void()>& logOffAndOn,
                    const std::function<void()>& exitSystem);

    // imgLeft at the start of the tool bar; the window toggles its side panel with it.
    ClickableImage* sidePanelToggle() const { return m_sidePanelToggle; }
    // Pops the menu up below the control it drops down from.
    void dropDown(ShellMenu menu) const;

private:
    QPushButton* addButton(QWidget* bar, const QString& name, const QString& caption);
    void addDropDown(QPushButton* button, ShellMenu menu);
    void addImages(QWidget* bar);
    void addRefreshBox(QWidget* bar);
    QMenu* addMenu(ShellMenu which);
    QAction* addItem(QMenu* menu, const char* name, const char* caption);
    void addLandItem(QMenu* menu, const char* name, const char* caption, int kind);
    void buildLandMenus();
    void buildLogMenu();
    void buildToolsMenu();
    void buildSessionMenus(const std::function<void()>& logOffAndOn,
                           const std::function<void()>& exitSystem);
    void buildIssueMenu();
    QAction* addSessionItem(QMenu* menu, IMSessionHost::SessionMenu which, const char* name,
                            const char* caption, bool enabled);

    QWidget* m_window;
    MainCommands* m_commands;
    ShellWidgets& m_widgets;
    ClickableImage* m_sidePanelToggle = nullptr;
    EnumArray<ShellMenu, QWidget*, ShellControls::menuCount> m_anchors;
};
