#pragma once

#include "refdata/CityPickRules.h"

#include <QStringList>
#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;
class RegionListCascade;

// What the search and the subscribed-cities windows share: the province list in two columns,
// the cities of the chosen province, and the chosen cities (at most five, no duplicates, in
// the order added). A window of its own on the task bar, freed when closed.
class CityChoiceWindow : public QWidget
{
    Q_OBJECT
public:
    explicit CityChoiceWindow(QWidget* parent = nullptr);

    // The chosen cities in the order added.
    QStringList chosenCities() const;

    QListWidget* lstProv = nullptr;
    QListWidget* lstCity = nullptr;
    QListWidget* lbxTocity = nullptr;
    QPushButton* btnAdd = nullptr;

public Q_SLOTS:
    // "添加 >" and a double click in lstCity.
    void btnAddClick();
    // Deletes the selected chosen city.
    void removeChosen();
    void clearChosen();

protected:
    // The rule this window adds by.
    virtual CityPickRules::Verdict addCity(QStringList& chosen, const QString& city) const = 0;
    void setChosenCities(const QStringList& cities);
    QLabel* makeLabel(const QString& name, const QString& text);
    QPushButton* makeButton(const QString& name, const QString& text);

private:
    RegionListCascade* m_regions = nullptr;
};
