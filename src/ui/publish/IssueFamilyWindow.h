#pragma once

#include "ui/publish/PublishWindow.h"

class QGridLayout;
class QGroupBox;
class QLineEdit;

// The frame the air, sea and rail windows share: the group " 信息内容 " that each fills with its
// fields, the contact group, the notice, and the buttons "发布(&I)", "清空(&E)" and "关闭(&C)".
// "清空(&E)" empties every single-line field, resets every list to no selection and empty
// text, and empties every multi-line field.
class IssueFamilyWindow : public PublishWindow
{
    Q_OBJECT
public:
    IssueFamilyWindow(const PublishWindowServices& services, const QString& objectName,
                      const QString& caption, QWidget* parent = nullptr);

    QGroupBox* grpInfo = nullptr;
    QPushButton* btnIssue = nullptr;
    QPushButton* btnClear = nullptr;
    QPushButton* btnClose = nullptr;

public Q_SLOTS:
    void btnClearClick();
    virtual void btnIssueClick() = 0;

protected:
    QGridLayout* fieldGrid() const { return m_fields; }
    QLineEdit* makeLineEdit(const QString& name, const QString& hint = QString());

private:
    QGridLayout* m_fields = nullptr;
};
