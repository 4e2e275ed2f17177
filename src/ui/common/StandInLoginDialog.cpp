#include "ui/common/StandInLoginDialog.h"

#include "app/ApplicationTitle.h"
#include "app/BuiltinConfig.h"
#include "app/SessionState.h"
#include "app/SettingsFile.h"
#include "core/CoreError.h"
#include "core/TextTrim.h"
#include "ui/common/MessageBoxes.h"

#include <QCheckBox>
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
    chkRemberPsw = new QCheckBox(QStringLiteral("记住密码"), this);
    chkRemberPsw->setObjectName(QStringLiteral("chkRemberPsw"));
    btnOk = new QPushButton(QStringLiteral("登录"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("取消"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("帐号："), EDUserName);
    form->addRow(QStringLiteral("密码："), EDPassword);
    form->addRow(chkRemberPsw);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    form->addRow(buttons);

    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(chkRemberPsw, &QCheckBox::clicked, this,
            [](bool checked) { session().rememberPassword = checked; });
    loadConfiguration();
}

void StandInLoginDialog::loadConfiguration()
{
    SettingsFile::LoginFields fields;
    try {
        BuiltinConfig::load();
        setWindowTitle(ApplicationTitle::get());
        SettingsFile::load(fields);
    } catch (const CoreError& e) {
        MessageBoxes::applicationError(this, e.message());
    }
    EDUserName->setText(fields.userName);
    EDPassword->setText(fields.password);
    chkRemberPsw->setChecked(fields.rememberChecked);
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
