#pragma once

#include <QObject>

class QComboBox;
class RegionTree;

// Binds the registration window's province -> city lists of RegionRegistrationRules to two
// QComboBoxes: nothing selected at start; any selected province fills its cities.
class RegionRegistrationCascade : public QObject
{
    Q_OBJECT
public:
    // Binds the two lists (parented to `province`) and fills the province list.
    RegionRegistrationCascade(QComboBox* province, QComboBox* city, const RegionTree& regions);

    // Refills the province list with nothing selected and empties the city list.
    void reset();
    // Selects `province` and then `city` where present; returns true when both were found.
    bool select(const QString& province, const QString& city);

private:
    void onProvinceChanged(int index);

    const RegionTree& m_regions;
    QComboBox* m_province;
    QComboBox* m_city;
};
