#include "ui/main/ShellWidgets.h"

#include <QStackedWidget>

void ShellWidgets::showPage(ShellPage page) const
{
    pageSets[ShellTargets::pageSetOf(page)]->setCurrentWidget(pages[page]);
}

bool ShellWidgets::isShown(ShellPage page) const
{
    return pageSets[ShellTargets::pageSetOf(page)]->currentWidget() == pages[page];
}

QString ShellWidgets::shownPage(PageSet set) const
{
    QWidget* current = pageSets[set]->currentWidget();
    return current ? current->objectName() : QString();
}
