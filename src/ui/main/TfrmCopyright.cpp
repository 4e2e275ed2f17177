#include "ui/main/TfrmCopyright.h"

#include "ui/main/ShellLauncher.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPointer<TfrmCopyright>& currentBox()
{
    static QPointer<TfrmCopyright> box;
    return box;
}
} // namespace

TfrmCopyright* TfrmCopyright::current()
{
    return currentBox().data();
}

TfrmCopyright::TfrmCopyright(const Info& info, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmCopyright"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" 关于") + info.appName);
    setFixedSize(333, 200);
    setStyleSheet(QStringLiteral("TfrmCopyright { background-color: #CEDCEF; }"));

    auto* name = new QLabel(info.appName, this);
    name->setObjectName(QStringLiteral("lblName"));
    QFont nameFont = name->font();
    nameFont.setPointSize(nameFont.pointSize() + 6);
    nameFont.setBold(true);
    name->setFont(nameFont);
    auto* version = new QLabel(QStringLiteral("版本:") + info.appVersion, this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* company = new QLabel(info.company, this);
    company->setObjectName(QStringLiteral("lbl2"));
    m_url = new QLabel(this);
    m_url->setObjectName(QStringLiteral("lblUrl"));
    m_url->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                       .arg(info.homeUrl.toHtmlEscaped(), info.homeUrl.toHtmlEscaped()));
    m_url->setTextFormat(Qt::RichText);
    m_url->setCursor(Qt::PointingHandCursor);
    connect(m_url, &QLabel::linkActivated, this,
            [url = info.homeUrl]() { ShellLauncher::openInBrowser(url); });
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    connect(ok, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(company);
    layout->addWidget(m_url);
    layout->addStretch();
    layout->addLayout(buttons);
    currentBox() = this;
}
