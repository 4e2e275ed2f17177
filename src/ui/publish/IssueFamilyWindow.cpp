#include "ui/publish/IssueFamilyWindow.h"

#include "ui/publish/ContactGroup.h"
#include "ui/publish/PublishNotice.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

IssueFamilyWindow::IssueFamilyWindow(const PublishWindowServices& services,
                                     const QString& objectName, const QString& caption,
                                     QWidget* parent)
    : PublishWindow(services, QStringLiteral("chktel2"), parent)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    grpInfo = new QGroupBox(QStringLiteral(" 信息内容 "), this);
    grpInfo->setObjectName(QStringLiteral("grpInfo"));
    m_fields = new QGridLayout(grpInfo);

    btnIssue = makeButton(QStringLiteral("btnIssue"), QStringLiteral("发布(&I)"));
    btnClear = makeButton(QStringLiteral("btnClear"), QStringLiteral("清空(&E)"));
    btnClose = makeButton(QStringLiteral("btnClose"), QStringLiteral("关闭(&C)"));
    connect(btnIssue, &QPushButton::clicked, this, &IssueFamilyWindow::btnIssueClick);
    connect(btnClear, &QPushButton::clicked, this, &IssueFamilyWindow::btnClearClick);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnIssue);
    buttons->addWidget(btnClear);
    buttons->addWidget(btnClose);
    auto* column = new QVBoxLayout(this);
    column->addWidget(grpInfo);
    column->addWidget(contacts());
    column->addWidget(notice());
    column->addLayout(buttons);
}

QLineEdit* IssueFamilyWindow::makeLineEdit(const QString& name, const QString& hint)
{
    auto* field = new QLineEdit(grpInfo);
    field->setObjectName(name);
    if (!hint.isEmpty())
        field->setToolTip(hint);
    return field;
}

void IssueFamilyWindow::btnClearClick()
{
    // By kind, as the fields are: every single-line field, then the lists, then the
    // multi-line fields.
    for (QLineEdit* field : findChildren<QLineEdit*>())
        field->clear();
    for (QComboBox* list : findChildren<QComboBox*>()) {
        list->setCurrentIndex(-1);
        if (list->isEditable())
            list->clearEditText();
    }
    for (QPlainTextEdit* field : findChildren<QPlainTextEdit*>())
        field->clear();
}
