#include "ui/publish/PublishNotice.h"

#include "app/SessionState.h"
#include "ui/account/LinkLabel.h"
#include "ui/common/UiLog.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QLabel>
#include <QUrl>

namespace {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

PublishNotice::PublishNotice(std::function<void(const QUrl& url)> openUrl, QWidget* parent)
    : QWidget(parent), m_openUrl(std::move(openUrl))
{
    setObjectName(QStringLiteral("pnlNotice"));
    QLabel* caution = makeLabel(this, QStringLiteral("lblNotice"), QStringLiteral("注意:"));
    caution->setStyleSheet(QStringLiteral("color: #ff0000;"));
    QLabel* first = makeLabel(
        this, QStringLiteral("lblNotice1"),
        QStringLiteral(
            " 您应保证发布信息内容的真实性，并确保不违背相关的法规。如果不符合以上条件，"));
    QLabel* second = makeLabel(this, QStringLiteral("lblNotice2"),
                               QStringLiteral("您可能要负担相应的法律责任。"));
    lblLaw = new LinkLabel(QStringLiteral("免责声明"), this);
    lblLaw->setObjectName(QStringLiteral("lblLaw"));
    lblLaw->setToolTip(QStringLiteral("点击查看详情"));
    connect(lblLaw, &LinkLabel::clicked, this, [this] {
        const QUrl url = disclaimerUrl();
        if (m_openUrl) {
            m_openUrl(url);
        } else if (!QDesktopServices::openUrl(url)) {
            qCWarning(lcUi) << "the system browser did not open" << url.toString();
        }
    });

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(caution, 0, 0, Qt::AlignTop);
    grid->addWidget(first, 0, 1);
    auto* last = new QHBoxLayout;
    last->addWidget(second);
    last->addWidget(lblLaw);
    last->addStretch();
    grid->addLayout(last, 1, 1);
    grid->setColumnStretch(1, 1);
}

QUrl PublishNotice::disclaimerUrl()
{
    return QUrl(session().siteAddress() + QStringLiteral("/ad/law.html"));
}
