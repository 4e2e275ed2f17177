#include "ui/publish/TfrmIssueTrian.h"

#include "app/SessionState.h"
#include "publish/PublishAccount.h"
#include "publish/TrainPublication.h"
#include "refdata/FixedLists.h"
#include "ui/publish/ContactGroup.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

TfrmIssueTrian::TfrmIssueTrian(const PublishWindowServices& services, QWidget* parent)
    : IssueFamilyWindow(services, QStringLiteral("frmIssueTrian"), QStringLiteral("铁路信息发布"),
                        parent)
{
    auto bureaus = [this](const QString& name) {
        auto* list = new QComboBox(grpInfo);
        list->setObjectName(name);
        list->addItems(FixedLists::railwayBureaus());
        return list;
    };
    triannum = makeLineEdit(QStringLiteral("triannum"));
    startcity = bureaus(QStringLiteral("startcity"));
    tocity = bureaus(QStringLiteral("tocity"));
    startport1 = makeLineEdit(QStringLiteral("startport1"));
    startport2 = makeLineEdit(QStringLiteral("startport2"));
    toport1 = makeLineEdit(QStringLiteral("toport1"));
    toport2 = makeLineEdit(QStringLiteral("toport2"));
    cycle = makeLineEdit(QStringLiteral("cycle"));
    starttime = makeLineEdit(QStringLiteral("starttime"));
    totime = makeLineEdit(QStringLiteral("totime"));
    hours = makeLineEdit(QStringLiteral("hours"));

    QGridLayout* grid = fieldGrid();
    const QList<QPair<QString, QWidget*>> rows{{QStringLiteral("车次"), triannum},
                                               {QStringLiteral("发局"), startcity},
                                               {QStringLiteral("到局"), tocity},
                                               {QStringLiteral("装车组织站"), startport1},
                                               {QStringLiteral("始发(技术站)"), startport2},
                                               {QStringLiteral("卸车组织站"), toport1},
                                               {QStringLiteral("到达(技术站)"), toport2},
                                               {QStringLiteral("开行周期(列/周)"), cycle},
                                               {QStringLiteral("发车时间"), starttime},
                                               {QStringLiteral("到达时间"), totime},
                                               {QStringLiteral("运行时间(小时)"), hours}};
    for (int row = 0; row < rows.size(); ++row) {
        grid->addWidget(makeLabel(rows.at(row).first), row / 2, 2 * (row % 2));
        grid->addWidget(rows.at(row).second, row / 2, 2 * (row % 2) + 1);
    }

    fillContacts(true);
    resize(520, 420);
}

void TfrmIssueTrian::btnIssueClick()
{
    TrainPublication::Fields fields;
    fields.triannum = triannum->text();
    fields.startcity = startcity->currentText();
    fields.startport1 = startport1->text();
    fields.startport2 = startport2->text();
    fields.toport1 = toport1->text();
    fields.toport2 = toport2->text();
    fields.tocity = tocity->currentText();
    fields.cycle = cycle->text();
    fields.starttime = starttime->text();
    fields.totime = totime->text();
    fields.hours = hours->text();
    fields.contacts = contacts()->boxes();
    if (const auto refusal = TrainPublication::check(fields)) {
        refuse(*refusal);
        return;
    }
    // Nothing is sent while disconnected, and then nothing is reported either.
    if (!connected())
        return;
    reportSent(TrainPublication::send(*client(), PublishAccount::fromSession(session()), fields));
}
