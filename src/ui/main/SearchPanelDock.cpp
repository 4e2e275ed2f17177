#include "ui/main/SearchPanelDock.h"

#include "ui/main/ClickableImage.h"
#include "ui/main/ShellPictures.h"

#include <QVBoxLayout>

SearchPanelDock::SearchPanelDock(QVBoxLayout* page, QWidget* panel, QWidget* grid,
                                 ClickableImage* toggle)
    : m_page(page), m_panel(panel), m_grid(grid), m_toggle(toggle)
{}

void SearchPanelDock::dock()
{
    m_panel->setFixedHeight(DockedHeight);
    m_page->setStretchFactor(m_panel, 0);
}

void SearchPanelDock::toggleFill()
{
    const bool showGrid = m_grid->isHidden();
    m_grid->setVisible(showGrid);
    if (showGrid) {
        dock();
        showDockedToggle();
        return;
    }
    m_panel->setMinimumHeight(0);
    m_panel->setMaximumHeight(QWIDGETSIZE_MAX);
    m_page->setStretchFactor(m_panel, 1);
    m_toggle->setPixmap(ShellPictures::arrow(ShellPictures::ArrowUp));
    m_toggle->setToolTip(QStringLiteral("还原"));
}

void SearchPanelDock::close()
{
    m_panel->hide();
    dock();
    m_grid->show();
    showDockedToggle();
}

void SearchPanelDock::showDockedToggle()
{
    m_toggle->setPixmap(ShellPictures::arrow(ShellPictures::ArrowDown));
    m_toggle->setToolTip(QStringLiteral("最大化"));
}
