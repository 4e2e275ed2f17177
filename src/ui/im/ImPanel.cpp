#include "ui/im/ImPanel.h"

#include "ui/common/Theme.h"

#include "ui/im/FriendTree.h"
#include "ui/im/StatusTextFitter.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

constexpr int kTitleBarHeight = 26;

// Small drawn pictures for the title bar images (no picture files are shipped).
QPixmap glyph(const QString& text)
{
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0x7F, 0x9D, 0xB9));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(1, 1, 16, 16), 3, 3);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, 18, 18), Qt::AlignCenter, text);
    return pixmap;
}

QLabel* imageLabel(QWidget* parent, const QString& name, const QString& hint,
                   const QString& glyphText)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setToolTip(hint);
    label->setPixmap(glyph(glyphText));
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

} // namespace

ImPanel::ImPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pnlIm"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Theme::colour());
    setPalette(pal);

    m_top = new QWidget(this);
    m_top->setObjectName(QStringLiteral("pnlImTop"));
    m_top->setFixedHeight(kTitleBarHeight);
    m_status = new QLabel(QStringLiteral("正在登录..."), m_top);
    m_status->setObjectName(QStringLiteral("LblMyState"));
    m_status->setToolTip(QStringLiteral("点击改变状态"));
    m_status->setCursor(Qt::PointingHandCursor);
    m_status->setMinimumWidth(20);
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_addUser = imageLabel(m_top, QStringLiteral("imgAddUser"), QStringLiteral("添加好友"),
                           QStringLiteral("+"));
    m_info = imageLabel(m_top, QStringLiteral("imgInfo"), QStringLiteral("我的资料"),
                        QStringLiteral("i"));
    m_friend =
        imageLabel(m_top, QStringLiteral("imgFriend"), QStringLiteral("收起"), QStringLiteral("-"));

    auto* topLayout = new QHBoxLayout(m_top);
    topLayout->setContentsMargins(4, 2, 4, 2);
    topLayout->setSpacing(4);
    topLayout->addWidget(m_status, 1);
    topLayout->addWidget(m_addUser);
    topLayout->addWidget(m_info);
    topLayout->addWidget(m_friend);

    m_tree = new FriendTree(this);
    m_tree->setVisible(false); // shown once connected

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_top);
    layout->addWidget(m_tree, 1);
    setFixedHeight(ExpandedHeight);

    for (QLabel* label : {m_status, m_addUser, m_info, m_friend})
        label->installEventFilter(this);
}

void ImPanel::showStatus(const QString& fullText, const QString& company)
{
    m_statusText = fullText;
    m_statusCompany = company;
    m_status->setToolTip(company);
    fitStatus();
}

void ImPanel::fitStatus()
{
    if (m_statusText.isEmpty())
        return;
    m_status->setText(StatusTextFitter::fit(m_statusText, m_statusCompany, m_status->fontMetrics(),
                                            m_status->contentsRect().width()));
}

void ImPanel::toggleCollapsed()
{
    if (!isCollapsed()) {
        setFixedHeight(kTitleBarHeight);
        m_friend->setPixmap(glyph(QStringLiteral("+")));
        m_friend->setToolTip(QStringLiteral("展开"));
    } else {
        setFixedHeight(ExpandedHeight);
        m_friend->setPixmap(glyph(QStringLiteral("-")));
        m_friend->setToolTip(QStringLiteral("收起"));
    }
}

bool ImPanel::isCollapsed() const
{
    return maximumHeight() <= kTitleBarHeight;
}

bool ImPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_status && event->type() == QEvent::Resize)
        fitStatus();
    if (event->type() != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    if (watched == m_status)
        Q_EMIT statusMenuRequested(m_status->mapToGlobal(QPoint(0, m_status->height() + 2)));
    else if (watched == m_addUser)
        Q_EMIT addFriendRequested();
    else if (watched == m_info)
        Q_EMIT myInfoRequested();
    else if (watched == m_friend)
        toggleCollapsed();
    return false;
}
