#pragma once

#include "ui/publish/IssueFamilyWindow.h"

class QComboBox;
class QPlainTextEdit;

// "海运信息发布": a sea shipping line, its port sequence built port by port.
class TfrmIssueSea : public IssueFamilyWindow
{
    Q_OBJECT
public:
    explicit TfrmIssueSea(const PublishWindowServices& services, QWidget* parent = nullptr);

    QLineEdit* edtStart = nullptr;
    QLineEdit* edtTo = nullptr;
    QLineEdit* edtPass = nullptr;
    QComboBox* edtDuty = nullptr;
    QLineEdit* edtDays = nullptr;
    QComboBox* cmbDirect = nullptr;
    QLineEdit* edtCompany = nullptr;
    QLineEdit* edtLine = nullptr;
    QPlainTextEdit* memSeq = nullptr;
    QLineEdit* edtPort = nullptr;
    QPushButton* btnAddto = nullptr;
    QPushButton* btnClearline = nullptr;

public Q_SLOTS:
    void btnAddtoClick();
    void btnIssueClick() override;
};
