#include "ui/main/CityChoiceWindow.h"

#include "refdata/RegionTree.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/Theme.h"
#include "ui/refdata/RegionListCascade.h"

#include <QLabel>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>

namespace {

constexpr int kProvinceColumnWidth = 64;

} // namespace

CityChoiceWindow::CityChoiceWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Theme::colour());
    setPalette(palette);
    setAutoFillBackground(true);

    lstProv = new QListWidget(this);
    lstProv->setObjectName(QStringLiteral("lstProv"));
    // Two columns: the names run down the first column, then down the second.
    lstProv->setFlow(QListView::TopToBottom);
    lstProv->setWrapping(true);
    lstProv->setResizeMode(QListView::Adjust);
    lstProv->setUniformItemSizes(true);
    lstProv->setGridSize(QSize(kProvinceColumnWidth, 18));
    lstProv->setFixedWidth(2 * kProvinceColumnWidth + 2 * lstProv->frameWidth() + 4);
    lstProv->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    lstCity = new QListWidget(this);
    lstCity->setObjectName(QStringLiteral("lstCity"));
    lbxTocity = new QListWidget(this);
    lbxTocity->setObjectName(QStringLiteral("lbxTocity"));
    m_regions = new RegionListCascade(lstProv, lstCity, RegionTree::shared());

    btnAdd = makeButton(QStringLiteral("btnAdd"), QStringLiteral("添加 >"));
    connect(btnAdd, &QPushButton::clicked, this, &CityChoiceWindow::btnAddClick);
    connect(lstCity, &QListWidget::itemDoubleClicked, this, &CityChoiceWindow::btnAddClick);
}

QStringList CityChoiceWindow::chosenCities() const
{
    QStringList cities;
    for (int row = 0; row < lbxTocity->count(); ++row)
        cities << lbxTocity->item(row)->text();
    return cities;
}

void CityChoiceWindow::setChosenCities(const QStringList& cities)
{
    lbxTocity->clear();
    lbxTocity->addItems(cities);
}

void CityChoiceWindow::btnAddClick()
{
    const QListWidgetItem* item = lstCity->currentItem();
    const QString city = item && item->isSelected() ? item->text() : QString();
    QStringList chosen = chosenCities();
    const CityPickRules::Verdict verdict = addCity(chosen, city);
    if (verdict == CityPickRules::Verdict::Added) {
        lbxTocity->addItem(city);
        return;
    }
    const QString text = CityPickRules::message(verdict);
    if (!text.isEmpty())
        MessageBoxes::warning(this, MessageBoxes::captionPromptInfo(), text);
}

void CityChoiceWindow::removeChosen()
{
    const int row = lbxTocity->currentRow();
    if (row >= 0 && lbxTocity->item(row)->isSelected())
        delete lbxTocity->takeItem(row);
}

void CityChoiceWindow::clearChosen()
{
    lbxTocity->clear();
}

QLabel* CityChoiceWindow::makeLabel(const QString& name, const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    return label;
}

QPushButton* CityChoiceWindow::makeButton(const QString& name, const QString& text)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    return button;
}
