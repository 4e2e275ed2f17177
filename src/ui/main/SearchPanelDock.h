#pragma once

class ClickableImage;
class QVBoxLayout;
class QWidget;

// The land info page's split between InfoGrd and the search results panel pnlSearchGrd below
// it: the panel docked at the bottom at its fixed height, filling the page instead of the
// grid (Image10 "最大化" / "还原"), or closed (SpeedButton5).
class SearchPanelDock
{
public:
    static constexpr int DockedHeight = 301;

    // All widgets are the window's; the panel and the grid sit in the page's column.
    SearchPanelDock(QVBoxLayout* page, QWidget* panel, QWidget* grid, ClickableImage* toggle);

    void dock();
    // Image10: the panel fills the page while the grid is hidden, or docks again.
    void toggleFill();
    // SpeedButton5: the panel hidden and docked, the grid shown.
    void close();

private:
    void showDockedToggle();

    QVBoxLayout* m_page;
    QWidget* m_panel;
    QWidget* m_grid;
    ClickableImage* m_toggle;
};
