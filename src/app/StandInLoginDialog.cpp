#include "StandInLoginDialog.h"

#include "ApplicationTitle.h"
#include "TextTrim.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

StandInLoginDialog::StandInLoginDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(ApplicationTitle::get());
    EDUserName = new QLineEdit(this);
    EDUserName->setObjectName(QStringLiteral("EDUserName"));
    EDPassword = new QLineEdit(this);
    EDPassword->setObjectName(QStringLiteral("EDPassword"));
    EDPassword->setEchoMode(QLineEdit::Password);
    btnOk = new QPushButton(QStringLiteral("登录"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("取消"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("帐号："), EDUserName);
    form->addRow(QStringLiteral("密码："), EDPassword);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    form->addRow(buttons);

    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool StandInLoginDialog::run(QString& userName, QString& password)
{
    StandInLoginDialog dialog;
    if (dialog.exec() != QDialog::Accepted)
        return false;
    userName = TrimLowChars(dialog.EDUserName->text());
    password = TrimLowChars(dialog.EDPassword->text());
    return true;
}
