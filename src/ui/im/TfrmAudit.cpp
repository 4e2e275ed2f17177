#include "ui/im/TfrmAudit.h"

#include "ui/common/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmAudit::TfrmAudit(const QString& from, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmAudit"));
    setWindowTitle(QStringLiteral("提示消息"));
    setModal(true);
    m_text = new QLabel(from + QStringLiteral(" 请求加你为好友"), this);
    m_text->setObjectName(QStringLiteral("lblMessage"));
    m_text->setTextFormat(Qt::PlainText); // the name comes from another user
    m_accept = new QPushButton(QStringLiteral("通过并加对方"), this);
    m_accept->setObjectName(QStringLiteral("btnAccept"));
    m_refuse = new QPushButton(QStringLiteral("拒绝"), this);
    m_refuse->setObjectName(QStringLiteral("btnRefuse"));
    connect(m_accept, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_refuse, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_accept);
    buttons->addWidget(m_refuse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Theme::colour());
    setPalette(pal);
}

TfrmAudit* TfrmAudit::ask(const QString& from, QWidget* parent, std::function<void(bool)> answered)
{
    auto* dialog = new TfrmAudit(from, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, dialog, [answered = std::move(answered)](int result) {
        answered(result == QDialog::Accepted);
    });
    dialog->open();
    return dialog;
}
