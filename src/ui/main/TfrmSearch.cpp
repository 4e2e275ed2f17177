#include "ui/main/TfrmSearch.h"

#include "service/ShellState.h"
#include "ui/common/MessageBoxes.h"
#include "ui/main/LoadStarter.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfrmSearch::TfrmSearch(const CityWindowServices& services, QWidget* parent)
    : CityChoiceWindow(parent), m_services(services)
{
    setObjectName(QStringLiteral("frmSearch"));
    setWindowTitle(QStringLiteral("搜索条件"));

    edtFromCity = new QLineEdit(this);
    edtFromCity->setObjectName(QStringLiteral("edtFromCity"));
    edtFromCity->setReadOnly(true);
    edtFromCity->setMaxLength(32);
    edtFromCity->setFixedWidth(120);

    rbAll = makeRadio(QStringLiteral("rbAll"), QStringLiteral("全部信息"));
    rbCargo = makeRadio(QStringLiteral("rbCargo"), QStringLiteral("货源信息"));
    rbTruck = makeRadio(QStringLiteral("rbTruck"), QStringLiteral("车源信息"));
    rbAll->setChecked(true);
    auto* types = new QButtonGroup(this);
    for (QRadioButton* button : {rbAll, rbCargo, rbTruck})
        types->addButton(button);

    btnDel = makeButton(QStringLiteral("btnDel"), QStringLiteral("< 删除"));
    btnDelAll = makeButton(QStringLiteral("btnDelAll"), QStringLiteral("<< 全删除"));
    btnSearch = makeButton(QStringLiteral("btnSearch"), QStringLiteral("搜索"));
    connect(btnDel, &QPushButton::clicked, this, &TfrmSearch::removeChosen);
    connect(lbxTocity, &QListWidget::itemDoubleClicked, this, &TfrmSearch::removeChosen);
    connect(btnDelAll, &QPushButton::clicked, this, &TfrmSearch::clearChosen);
    connect(btnSearch, &QPushButton::clicked, this, &TfrmSearch::btnSearchClick);

    auto* from = new QHBoxLayout;
    from->addWidget(makeLabel(QStringLiteral("lblFrom"), QStringLiteral("从")));
    from->addWidget(edtFromCity);
    from->addWidget(makeLabel(QStringLiteral("lblStart"), QStringLiteral("出发")));
    from->addSpacing(16);
    from->addWidget(rbAll);
    from->addWidget(rbCargo);
    from->addWidget(rbTruck);
    from->addStretch();

    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnAdd);
    buttons->addWidget(btnDel);
    buttons->addWidget(btnDelAll);
    buttons->addStretch();

    auto* grid = new QGridLayout(this);
    grid->addLayout(from, 0, 0, 1, 4);
    grid->addWidget(makeLabel(QStringLiteral("lblProv"), QStringLiteral("省(点击列表市)")), 1, 0);
    grid->addWidget(makeLabel(QStringLiteral("lblCity"), QStringLiteral("市(双击添加)")), 1, 1);
    grid->addWidget(makeLabel(QStringLiteral("lblTocity"), QStringLiteral("(双击删除)")), 1, 3);
    grid->addWidget(lstProv, 2, 0);
    grid->addWidget(lstCity, 2, 1);
    grid->addLayout(buttons, 2, 2);
    grid->addWidget(lbxTocity, 2, 3);
    grid->addWidget(btnSearch, 3, 3, Qt::AlignRight);
    resize(540, 360);
}

void TfrmSearch::setDepartureCity(const QString& city)
{
    edtFromCity->setText(city);
}

QString TfrmSearch::category() const
{
    if (rbCargo->isChecked())
        return QStringLiteral("1");
    if (rbTruck->isChecked())
        return QStringLiteral("2");
    return QString();
}

CityPickRules::Verdict TfrmSearch::addCity(QStringList& chosen, const QString& city) const
{
    return CityPickRules::addDestination(chosen, city, edtFromCity->text());
}

void TfrmSearch::btnSearchClick()
{
    const QStringList destinations = chosenCities();
    if (destinations.isEmpty()) {
        MessageBoxes::warning(this, MessageBoxes::captionPromptInfo(),
                              QStringLiteral("请添加到达城市"));
        return;
    }
    const QString from = edtFromCity->text();
    if (m_services.showMainPage)
        m_services.showMainPage(ShellPage::MainInfo);
    ShellState& state = shellState();
    state.landViewKind = 1;
    state.searchFromCity = from;
    state.searchToCities = destinations;
    if (m_services.loads)
        m_services.loads->startSearch({from, destinations, category(), QStringLiteral("1")});
    close();
}

QRadioButton* TfrmSearch::makeRadio(const QString& name, const QString& text)
{
    auto* button = new QRadioButton(text, this);
    button->setObjectName(name);
    return button;
}
