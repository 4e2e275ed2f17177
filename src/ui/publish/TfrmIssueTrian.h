#pragma once

#include "ui/publish/IssueFamilyWindow.h"

class QComboBox;

// "铁路信息发布": a rail train between two railway bureaus.
class TfrmIssueTrian : public IssueFamilyWindow
{
    Q_OBJECT
public:
    explicit TfrmIssueTrian(const PublishWindowServices& services, QWidget* parent = nullptr);

    QLineEdit* triannum = nullptr;
    QComboBox* startcity = nullptr;
    QComboBox* tocity = nullptr;
    QLineEdit* startport1 = nullptr;
    QLineEdit* startport2 = nullptr;
    QLineEdit* toport1 = nullptr;
    QLineEdit* toport2 = nullptr;
    QLineEdit* cycle = nullptr;
    QLineEdit* starttime = nullptr;
    QLineEdit* totime = nullptr;
    QLineEdit* hours = nullptr;

public Q_SLOTS:
    void btnIssueClick() override;
};
