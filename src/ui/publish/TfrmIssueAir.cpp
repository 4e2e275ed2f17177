#include "ui/publish/TfrmIssueAir.h"

#include "app/SessionState.h"
#include "core/TextTrim.h"
#include "publish/AirPricePublication.h"
#include "publish/PublishAccount.h"
#include "refdata/FixedLists.h"
#include "refdata/PortTables.h"
#include "ui/publish/ContactGroup.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

TfrmIssueAir::TfrmIssueAir(const PublishWindowServices& services, QWidget* parent)
    : IssueFamilyWindow(services, QStringLiteral("frmIssueAir"), QStringLiteral("空运信息发布"),
                        parent)
{
    edtStartcn = new QComboBox(grpInfo);
    edtStartcn->setObjectName(QStringLiteral("edtStartcn"));
    edtStartcn->setEditable(true);
    edtStartcn->setInsertPolicy(QComboBox::NoInsert);
    edtStartcn->addItems(PortTables::airports().names());
    edtStartcn->setCurrentIndex(-1);
    edtStarten = makeLineEdit(QStringLiteral("edtStarten"));
    connect(edtStartcn, &QComboBox::editTextChanged, this, [this](const QString& name) {
        edtStarten->setText(PortTables::airportCode(TrimLowChars(name)));
    });
    edtEndcn = makeLineEdit(QStringLiteral("edtEndcn"));
    edtEnden = makeLineEdit(QStringLiteral("edtEnden"));
    cmbLine = new QComboBox(grpInfo);
    cmbLine->setObjectName(QStringLiteral("cmbLine"));
    cmbLine->addItems(FixedLists::airRouteChoices());
    cmbLine->setCurrentIndex(-1);
    edtCycle = makeLineEdit(QStringLiteral("edtCycle"));
    edtPrice = makeLineEdit(QStringLiteral("edtPrice"));
    edtDays = makeLineEdit(QStringLiteral("edtDays"), QStringLiteral("只能输入数字"));
    edtDays->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edtDays));
    cmbAircompany = new QComboBox(grpInfo);
    cmbAircompany->setObjectName(QStringLiteral("cmbAircompany"));
    cmbAircompany->setEditable(true);
    cmbAircompany->setInsertPolicy(QComboBox::NoInsert);
    cmbAircompany->addItems(FixedLists::airlineChoices());
    cmbAircompany->setCurrentIndex(-1);
    cmbAircompany->lineEdit()->installEventFilter(this);
    rbDirect = new QRadioButton(QStringLiteral("直达"), grpInfo);
    rbDirect->setObjectName(QStringLiteral("rbDirect"));
    rbDirect->setChecked(true);
    rbTrans = new QRadioButton(QStringLiteral("中转"), grpInfo);
    rbTrans->setObjectName(QStringLiteral("rbTrans"));
    auto* direct = new QButtonGroup(this);
    direct->addButton(rbDirect);
    direct->addButton(rbTrans);
    mem = new QPlainTextEdit(grpInfo);
    mem->setObjectName(QStringLiteral("mem"));
    mem->setFixedHeight(48);

    QGridLayout* grid = fieldGrid();
    grid->addWidget(makeLabel(QStringLiteral("起始港")), 0, 0);
    grid->addWidget(makeLabel(QStringLiteral("(中)")), 0, 1);
    grid->addWidget(edtStartcn, 0, 2);
    grid->addWidget(makeLabel(QStringLiteral("(英)")), 0, 3);
    grid->addWidget(edtStarten, 0, 4);
    grid->addWidget(makeLabel(QStringLiteral("目的港")), 1, 0);
    grid->addWidget(makeLabel(QStringLiteral("(中)")), 1, 1);
    grid->addWidget(edtEndcn, 1, 2);
    grid->addWidget(makeLabel(QStringLiteral("(英)")), 1, 3);
    grid->addWidget(edtEnden, 1, 4);
    grid->addWidget(makeLabel(QStringLiteral("航  线")), 2, 0);
    grid->addWidget(cmbLine, 2, 2);
    grid->addWidget(makeLabel(QStringLiteral("航空周期")), 3, 0);
    grid->addWidget(edtCycle, 3, 2);
    grid->addWidget(makeLabel(QStringLiteral("(周1,2,3,4,5,6,7)")), 3, 3, 1, 2);
    grid->addWidget(makeLabel(QStringLiteral("运  价")), 4, 0);
    grid->addWidget(edtPrice, 4, 2);
    grid->addWidget(makeLabel(QStringLiteral("(100/300/500/1000)")), 4, 3, 1, 2);
    grid->addWidget(makeLabel(QStringLiteral("航运时间")), 5, 0);
    grid->addWidget(edtDays, 5, 2);
    grid->addWidget(makeLabel(QStringLiteral("天")), 5, 3);
    grid->addWidget(makeLabel(QStringLiteral("航空公司")), 6, 0);
    grid->addWidget(cmbAircompany, 6, 2, 1, 3);
    grid->addWidget(rbDirect, 7, 2);
    grid->addWidget(rbTrans, 7, 3);
    grid->addWidget(makeLabel(QStringLiteral("备注")), 8, 0);
    grid->addWidget(mem, 8, 2, 1, 3);

    pnlAirline = new QFrame(this);
    pnlAirline->setObjectName(QStringLiteral("pnlAirline"));
    pnlAirline->setFrameShape(QFrame::Panel);
    pnlAirline->setAutoFillBackground(true);
    lstAirline = new QListWidget(pnlAirline);
    lstAirline->setObjectName(QStringLiteral("lstAirline"));
    lstAirline->addItems(FixedLists::airlineChoices());
    auto* panel = new QVBoxLayout(pnlAirline);
    panel->setContentsMargins(1, 1, 1, 1);
    panel->addWidget(lstAirline);
    pnlAirline->resize(300, 220);
    pnlAirline->hide();
    connect(lstAirline, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        cmbAircompany->setEditText(TrimLowChars(item->text()));
        pnlAirline->hide();
    });
    grpInfo->installEventFilter(this);

    fillContacts(connected());
    resize(480, 560);
}

void TfrmIssueAir::showAirlines()
{
    const QPoint corner = cmbAircompany->mapTo(this, QPoint(0, cmbAircompany->height()));
    pnlAirline->move(corner);
    pnlAirline->raise();
    pnlAirline->show();
}

bool TfrmIssueAir::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cmbAircompany->lineEdit() && event->type() == QEvent::MouseButtonPress)
        showAirlines();
    else if (watched == grpInfo && event->type() == QEvent::Enter)
        pnlAirline->hide();
    return IssueFamilyWindow::eventFilter(watched, event);
}

void TfrmIssueAir::btnIssueClick()
{
    if (!connected())
        return;
    AirPricePublication::Fields fields;
    fields.startcn = edtStartcn->currentText();
    fields.starten = edtStarten->text();
    fields.endcn = edtEndcn->text();
    fields.enden = edtEnden->text();
    fields.airline = cmbLine->currentText();
    fields.cycle = edtCycle->text();
    fields.price = edtPrice->text();
    fields.days = edtDays->text();
    fields.aircompany = cmbAircompany->currentText();
    fields.direct = rbDirect->isChecked();
    fields.mem = mem->toPlainText();
    fields.contacts = contacts()->boxes();
    if (const auto refusal = AirPricePublication::check(fields)) {
        refuse(*refusal);
        return;
    }
    reportSent(
        AirPricePublication::send(*client(), PublishAccount::fromSession(session()), fields));
}
