#pragma once

#include "ui/main/CityChoiceWindow.h"
#include "ui/main/CityWindowServices.h"

class QLineEdit;
class QRadioButton;

// The search window ("搜索条件"): land cargo or trucks from the user's own place to up to
// five destinations. Searching shows the results in the main window's search grid.
class TfrmSearch : public CityChoiceWindow
{
    Q_OBJECT
public:
    explicit TfrmSearch(const CityWindowServices& services, QWidget* parent = nullptr);

    // The departure the main window sets each time it shows the window.
    void setDepartureCity(const QString& city);
    // The information type as the search sends it: empty for all, "1" cargo, "2" trucks.
    QString category() const;

    QLineEdit* edtFromCity = nullptr;
    QRadioButton* rbAll = nullptr;
    QRadioButton* rbCargo = nullptr;
    QRadioButton* rbTruck = nullptr;
    QPushButton* btnDel = nullptr;
    QPushButton* btnDelAll = nullptr;
    QPushButton* btnSearch = nullptr;

public Q_SLOTS:
    void btnSearchClick();

protected:
    CityPickRules::Verdict addCity(QStringList& chosen, const QString& city) const override;

private:
    QRadioButton* makeRadio(const QString& name, const QString& text);

    CityWindowServices m_services;
};
