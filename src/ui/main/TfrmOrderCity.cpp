#include "ui/main/TfrmOrderCity.h"

#include "app/SessionState.h"
#include "app/SettingsFile.h"
#include "service/TThdOrderInfo.h"
#include "ui/common/UiLog.h"
#include "ui/main/LoadStarter.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TfrmOrderCity::TfrmOrderCity(const CityWindowServices& services, QWidget* parent)
    : CityChoiceWindow(parent), m_services(services)
{
    setObjectName(QStringLiteral("frmOrderCity"));
    setWindowTitle(QStringLiteral("定制信息"));

    btnDel = makeButton(QStringLiteral("btnDel"), QStringLiteral(" 删除"));
    btnClear = makeButton(QStringLiteral("btnClear"), QStringLiteral("清空"));
    btnOk = makeButton(QStringLiteral("btnOk"), QStringLiteral("确定"));
    connect(btnDel, &QPushButton::clicked, this, &TfrmOrderCity::removeChosen);
    connect(btnClear, &QPushButton::clicked, this, &TfrmOrderCity::clearChosen);
    connect(btnOk, &QPushButton::clicked, this, &TfrmOrderCity::btnOkClick);

    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnAdd);
    buttons->addWidget(btnDel);
    buttons->addWidget(btnClear);
    buttons->addStretch();

    auto* grid = new QGridLayout(this);
    grid->addWidget(makeLabel(QStringLiteral("lblProv"), QStringLiteral("省(点击列表市)")), 0, 0);
    grid->addWidget(makeLabel(QStringLiteral("lblCity"), QStringLiteral("市(双击添加)")), 0, 1);
    grid->addWidget(lstProv, 1, 0);
    grid->addWidget(lstCity, 1, 1);
    grid->addLayout(buttons, 1, 2);
    grid->addWidget(lbxTocity, 1, 3);
    grid->addWidget(btnOk, 2, 3, Qt::AlignRight);
    resize(520, 330);

    // The saved subscription, to be edited rather than rebuilt.
    setChosenCities(CityPickRules::initialChoice(session().orderCities));
}

CityPickRules::Verdict TfrmOrderCity::addCity(QStringList& chosen, const QString& city) const
{
    return CityPickRules::addChoice(chosen, city);
}

void TfrmOrderCity::btnOkClick()
{
    const QStringList cities = chosenCities();
    // The new list replaces the old one, so memory and config.xml hold the same cities.
    session().orderCities = cities;
    const QString quoted = TThdOrderInfo::quotedCityList(cities);
    if (m_services.loads)
        m_services.loads->startSubscription({quoted, false, 1});
    if (!save(TThdOrderInfo::plainCityList(quoted)))
        return; // stays open; the writer logged why
    close();
}

bool TfrmOrderCity::save(const QString& plainCityList) const
{
    if (m_services.saveOrderCities)
        return m_services.saveOrderCities(plainCityList);
    QString error;
    if (SettingsFile::writeMain(session(), plainCityList, SettingsFile::defaultPath(), &error))
        return true;
    qCWarning(lcUi) << "saving the subscribed cities failed:" << error;
    return false;
}
