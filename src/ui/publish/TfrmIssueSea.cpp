#include "ui/publish/TfrmIssueSea.h"

#include "app/SessionState.h"
#include "publish/PublishAccount.h"
#include "publish/PublishWords.h"
#include "publish/SeaLinePublication.h"
#include "ui/publish/ContactGroup.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
const QString kPortHint = QStringLiteral("请输入拼音或英语(全部大写)");
}

TfrmIssueSea::TfrmIssueSea(const PublishWindowServices& services, QWidget* parent)
    : IssueFamilyWindow(services, QStringLiteral("frmIssueSea"), QStringLiteral("海运信息发布"),
                        parent)
{
    edtStart = makeLineEdit(QStringLiteral("edtStart"), kPortHint);
    edtTo = makeLineEdit(QStringLiteral("edtTo"), kPortHint);
    edtPass = makeLineEdit(QStringLiteral("edtPass"), kPortHint);
    edtDuty = new QComboBox(grpInfo);
    edtDuty->setObjectName(QStringLiteral("edtDuty"));
    edtDuty->addItems(PublishWords::sailingDays());
    edtDays = makeLineEdit(QStringLiteral("edtDays"));
    cmbDirect = new QComboBox(grpInfo);
    cmbDirect->setObjectName(QStringLiteral("cmbDirect"));
    cmbDirect->addItems(PublishWords::shipmentKinds());
    edtCompany = makeLineEdit(QStringLiteral("edtCompany"));
    edtLine = makeLineEdit(QStringLiteral("edtLine"), kPortHint);
    memSeq = new QPlainTextEdit(grpInfo);
    memSeq->setObjectName(QStringLiteral("memSeq"));
    memSeq->setToolTip(kPortHint);
    memSeq->setFixedHeight(48);
    edtPort = makeLineEdit(QStringLiteral("edtPort"));
    btnAddto = makeButton(QStringLiteral("btnAddto"), QStringLiteral("添加到海运港序"));
    btnClearline = makeButton(QStringLiteral("btnClearline"), QStringLiteral("清除海运港序"));
    connect(btnAddto, &QPushButton::clicked, this, &TfrmIssueSea::btnAddtoClick);
    connect(edtPort, &QLineEdit::returnPressed, this, &TfrmIssueSea::btnAddtoClick);
    connect(btnClearline, &QPushButton::clicked, memSeq, &QPlainTextEdit::clear);

    QGridLayout* grid = fieldGrid();
    const QList<QPair<QString, QWidget*>> rows{
        {QStringLiteral("起始港"), edtStart},   {QStringLiteral("目的港"), edtTo},
        {QStringLiteral("转运港"), edtPass},    {QStringLiteral("班  期"), edtDuty},
        {QStringLiteral("总航程"), edtDays},    {QStringLiteral("转运属性"), cmbDirect},
        {QStringLiteral("承运人"), edtCompany}, {QStringLiteral("航线名称"), edtLine},
        {QStringLiteral("海运港序"), memSeq}};
    for (int row = 0; row < rows.size(); ++row) {
        grid->addWidget(makeLabel(rows.at(row).first), row, 0);
        grid->addWidget(rows.at(row).second, row, 1, 1, 3);
    }
    grid->addWidget(edtPort, rows.size(), 1);
    grid->addWidget(btnAddto, rows.size(), 2);
    grid->addWidget(btnClearline, rows.size(), 3);

    fillContacts(true);
    resize(480, 520);
}

void TfrmIssueSea::btnAddtoClick()
{
    QString sequence = memSeq->toPlainText();
    if (!SeaLinePublication::addPort(sequence, edtPort->text()))
        return;
    memSeq->setPlainText(sequence);
    edtPort->clear();
}

void TfrmIssueSea::btnIssueClick()
{
    if (!connected())
        return;
    SeaLinePublication::Fields fields;
    fields.startport = edtStart->text();
    fields.toport = edtTo->text();
    fields.passport = edtPass->text();
    fields.duty = edtDuty->currentText();
    fields.days = edtDays->text();
    fields.sdirect = cmbDirect->currentText();
    fields.scomp = edtCompany->text();
    fields.line = edtLine->text();
    fields.portseq = memSeq->toPlainText();
    fields.contacts = contacts()->boxes();
    if (const auto refusal = SeaLinePublication::check(fields)) {
        refuse(*refusal);
        return;
    }
    reportSent(SeaLinePublication::send(*client(), PublishAccount::fromSession(session()), fields));
}
