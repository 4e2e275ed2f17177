#pragma once

#include "ui/main/CityChoiceWindow.h"
#include "ui/main/CityWindowServices.h"

// The subscribed-cities window ("定制信息"): up to five cities whose listings the user
// follows. It opens with the saved cities; confirming replaces the session's list, loads the
// listings of the new list and saves it in config.xml.
class TfrmOrderCity : public CityChoiceWindow
{
    Q_OBJECT
public:
    explicit TfrmOrderCity(const CityWindowServices& services, QWidget* parent = nullptr);

    QPushButton* btnDel = nullptr;
    QPushButton* btnClear = nullptr;
    QPushButton* btnOk = nullptr;

public Q_SLOTS:
    void btnOkClick();

protected:
    CityPickRules::Verdict addCity(QStringList& chosen, const QString& city) const override;

private:
    bool save(const QString& plainCityList) const;

    CityWindowServices m_services;
};
