#pragma once

#include <QStringList>

class RegionTree;

// The rules of the registration window's province -> city drop-down lists (`chkProv` ->
// `chkCity`): the 31 provinces without the placeholder; province index i is top-level entry
// i + 1, and a municipality lists its districts. RegionRegistrationCascade binds them to two
// QComboBoxes.
class RegionRegistrationRules
{
public:
    static QStringList provinceItems(const RegionTree& regions);
    // Cities (districts for a municipality) of province [provinceIndex]; empty
    // for -1 and outside the tree.
    static QStringList cityItems(const RegionTree& regions, int provinceIndex);
};
