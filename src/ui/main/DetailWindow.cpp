#include "ui/main/DetailWindow.h"

#include "app/SessionState.h"
#include "ui/common/Theme.h"
#include "ui/main/ContactPaintBox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

struct Field
{
    const char* label;
    const char* name;
};

struct FieldSet
{
    const char* caption; // land: the listing number replaces it
    const char* contactGroup;
    QVector<Field> fields;
};

const FieldSet& fieldSet(ListingFamily family)
{
    static const FieldSet land{"信息编号", " 联系信息 ", {{"发布城市:", "lblPosition"}}};
    static const FieldSet air{"查看信息",
                              " 联系方式 ",
                              {{"航空区间:", "lblArea"},
                               {"航空公司:", "lblCompany"},
                               {"航空周期:", "lblCycle"},
                               {"直达/中转:", "lblDirect"},
                               {"航运时间:", "lblDays"},
                               {"运价(100/300/500/1000):", "lblPrice"},
                               {"备注:", "lblMem"}}};
    static const FieldSet sea{"海运信息",
                              " 联系方式 ",
                              {{"承运人:", "company"},
                               {"起始港:", "startport"},
                               {"目的港:", "toport"},
                               {"转运属性:", "passoption"},
                               {"转运港:", "passport"},
                               {"班期:", "duty"},
                               {"总航程:", "days"},
                               {"航线名称:", "line"},
                               {"海运港序:", "lblseasqu"}}};
    static const FieldSet rail{"铁路车次详情",
                               " 联系方式 ",
                               {{"车次:", "triannum"},
                                {"发      局 :", "startcity"},
                                {"到        局:", "tocity"},
                                {"装车组织站 :", "fromport1"},
                                {"始发(技术站):", "fromport2"},
                                {"到达(技术站):", "toport2"},
                                {"卸车组织站  :", "toport1"},
                                {"开行周期(列/周):", "cycle"},
                                {"发车时间:", "starttime"},
                                {"到达时间:", "totime"},
                                {"运行时间:", "hours"}}};
    switch (family) {
    case ListingFamily::Land:
        return land;
    case ListingFamily::Air:
        return air;
    case ListingFamily::Sea:
        return sea;
    case ListingFamily::Rail:
        break;
    }
    return rail;
}

} // namespace

DetailWindow::DetailWindow(ListingFamily family, const DetailWindowServices& services,
                           QWidget* parent)
    : QDialog(parent), m_family(family), m_services(services)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Theme::colour());
    setPalette(pal);
    setAutoFillBackground(true);
    setWindowTitle(QString::fromUtf8(fieldSet(family).caption));
    build();
}

void DetailWindow::build()
{
    const FieldSet& set = fieldSet(m_family);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* details = new QGroupBox(QStringLiteral(" 信息详情 "), this);
    details->setMinimumWidth(400);
    auto* grid = new QGridLayout(details);
    int row = 0;
    if (m_family == ListingFamily::Land) {
        m_richText = new QTextBrowser(details);
        m_richText->setObjectName(QStringLiteral("rchedInfo"));
        m_richText->setOpenLinks(false);
        m_richText->setFixedHeight(110);
        grid->addWidget(m_richText, row++, 0, 1, 2);
    }
    for (const Field& field : set.fields) {
        grid->addWidget(new QLabel(QString::fromUtf8(field.label), details), row, 0,
                        Qt::AlignRight | Qt::AlignTop);
        auto* value = new QLabel(details);
        value->setObjectName(QLatin1String(field.name));
        value->setTextFormat(Qt::PlainText); // listing texts are the posters'
        value->setWordWrap(true);
        value->setMinimumWidth(240);
        grid->addWidget(value, row++, 1);
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(details);

    auto* contact = new QGroupBox(QString::fromUtf8(set.contactGroup), this);
    auto* contactLayout = new QVBoxLayout(contact);
    m_contact = new ContactPaintBox(contact);
    contactLayout->addWidget(m_contact);
    layout->addWidget(contact);

    // The rail window has always named the product by its default name.
    const QString appName =
        m_family == ListingFamily::Rail ? QStringLiteral("Tovanta") : session().AppName;
    const QStringList disclaimer{
        QStringLiteral("免责声明: "),
        QStringLiteral(
            "以上所展示的信息由企业自行提供，内容的真实性、准确性和合法性由发布企业负责。请"),
        QStringLiteral("自行鉴别！") + appName +
            QStringLiteral("不做任何双方证明，也不承担任何法律责任！")};
    for (int i = 0; i < disclaimer.size(); ++i) {
        auto* line = new QLabel(disclaimer.at(i), this);
        line->setObjectName(QStringLiteral("lblDisclaimer%1").arg(i + 1));
        line->setTextFormat(Qt::PlainText);
        line->setWordWrap(true);
        layout->addWidget(line);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_btnFriend = new QPushButton(QStringLiteral("加为好友"), this);
    m_btnFriend->setObjectName(QStringLiteral("btnFriend"));
    m_btnChat = new QPushButton(QStringLiteral("对话"), this);
    m_btnChat->setObjectName(QStringLiteral("btnChat"));
    m_btnClose = new QPushButton(QStringLiteral("关闭"), this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    for (QPushButton* button : {m_btnFriend, m_btnChat, m_btnClose}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);

    connect(m_btnFriend, &QPushButton::clicked, this, [this] {
        if (m_services.addFriend && !m_poster.isEmpty())
            m_services.addFriend(m_poster);
    });
    connect(m_btnChat, &QPushButton::clicked, this, [this] {
        if (m_services.openConversation && !m_poster.isEmpty())
            m_services.openConversation(m_posterAddress, m_poster);
    });
    connect(m_btnClose, &QPushButton::clicked, this, &DetailWindow::btnCloseClick);
}

void DetailWindow::fill(const ListingDetailRequest& request)
{
    if (m_family == ListingFamily::Land) {
        setWindowTitle(request.caption);
        m_richText->setHtml(request.richText);
    }
    for (const Field& field : fieldSet(m_family).fields) {
        const QString name = QLatin1String(field.name);
        if (auto* value = findChild<QLabel*>(name))
            value->setText(request.fields.value(name));
    }
    m_contact->setText(request.contact.trimmed());
    m_poster = request.sender;
    m_posterAddress = request.senderAddress;
    m_btnFriend->setToolTip(QStringLiteral("添加为好友"));
    m_btnChat->setToolTip(QStringLiteral("点击聊天"));
    m_btnFriend->setEnabled(request.canBefriend);
    m_btnChat->setEnabled(request.canBefriend);
}

QString DetailWindow::contactText() const
{
    return m_contact->text();
}

void DetailWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_family == ListingFamily::Land)
        m_btnClose->setFocus();
}

void DetailWindow::btnCloseClick()
{
    if (m_family == ListingFamily::Land) {
        m_contact->setText(QString());
        m_poster.clear();
        m_posterAddress.clear();
    }
    close();
}
