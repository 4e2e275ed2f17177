#pragma once

#include "ui/publish/IssueFamilyWindow.h"

class QComboBox;
class QFrame;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;

// "空运信息发布": an air cargo price. Choosing a departure airport fills its code; the airline
// box opens a pop-up list of the airlines.
class TfrmIssueAir : public IssueFamilyWindow
{
    Q_OBJECT
public:
    explicit TfrmIssueAir(const PublishWindowServices& services, QWidget* parent = nullptr);

    QComboBox* edtStartcn = nullptr;
    QLineEdit* edtStarten = nullptr;
    QLineEdit* edtEndcn = nullptr;
    QLineEdit* edtEnden = nullptr;
    QComboBox* cmbLine = nullptr;
    QLineEdit* edtCycle = nullptr;
    QLineEdit* edtPrice = nullptr;
    QLineEdit* edtDays = nullptr;
    QComboBox* cmbAircompany = nullptr;
    QRadioButton* rbDirect = nullptr;
    QRadioButton* rbTrans = nullptr;
    QPlainTextEdit* mem = nullptr;
    // The airline pop-up list.
    QFrame* pnlAirline = nullptr;
    QListWidget* lstAirline = nullptr;

public Q_SLOTS:
    void btnIssueClick() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showAirlines();
};
