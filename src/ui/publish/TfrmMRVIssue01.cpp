#include "ui/publish/TfrmMRVIssue01.h"

#include "app/SessionState.h"
#include "publish/LandPublication.h"
#include "publish/PublishWords.h"
#include "refdata/RegionTree.h"
#include "ui/publish/ContactGroup.h"
#include "ui/publish/DigitPad.h"
#include "ui/publish/LimitedTextEdit.h"
#include "ui/publish/PublishNotice.h"
#include "ui/refdata/RegionComboCascade.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kGroupWidth = 236;
constexpr int kGroupHeight = 214;
constexpr int kGroupGap = 1;

QString selectedText(const QListWidget* list)
{
    const QList<QListWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? QString() : items.first()->text();
}

} // namespace

TfrmMRVIssue01::TfrmMRVIssue01(const PublishWindowServices& services, LandListingComposer composer,
                               QWidget* parent)
    : PublishWindow(services, QStringLiteral("chktel2"), parent), m_composer(std::move(composer))
{
    setObjectName(QStringLiteral("frmMRVIssue01"));
    setWindowTitle(QStringLiteral("发布信息"));

    mmoContent = new LimitedTextEdit(this);
    mmoContent->setObjectName(QStringLiteral("mmoContent"));
    mmoContent->setFixedHeight(64);

    rbCargo = new QRadioButton(QStringLiteral("货源信息"), this);
    rbCargo->setObjectName(QStringLiteral("rbCargo"));
    rbCargo->setChecked(true);
    rbCar = new QRadioButton(QStringLiteral("车源信息"), this);
    rbCar->setObjectName(QStringLiteral("rbCar"));
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(rbCargo);
    kinds->addButton(rbCar);
    connect(rbCargo, &QRadioButton::clicked, this, &TfrmMRVIssue01::rbCargoClick);
    connect(rbCar, &QRadioButton::clicked, this, &TfrmMRVIssue01::rbCarClick);
    chkConsistProv = new QCheckBox(QStringLiteral("包含省份"), this);
    chkConsistProv->setObjectName(QStringLiteral("chkConsistProv"));
    chkConsistProv->setChecked(true);

    cbProv = makePlaceBox(QStringLiteral("cbProv"));
    cbCity = makePlaceBox(QStringLiteral("cbCity"));
    cmbCountry = makePlaceBox(QStringLiteral("cmbCountry"));
    cbToProv = makePlaceBox(QStringLiteral("cbToProv"));
    cbToCity = makePlaceBox(QStringLiteral("cbToCity"));
    cbtoCountry = makePlaceBox(QStringLiteral("cbtoCountry"));
    m_from = new RegionComboCascade(cbProv, cbCity, cmbCountry, RegionTree::shared());
    m_to = new RegionComboCascade(cbToProv, cbToCity, cbtoCountry, RegionTree::shared());

    // The two groups swap places with the category, so they sit on a panel without layout.
    auto* groups = new QWidget(this);
    groups->setObjectName(QStringLiteral("pnlGroups"));
    groups->setFixedSize(2 * kGroupWidth + kGroupGap, kGroupHeight);
    grpCargo = new QGroupBox(QStringLiteral(" 有货 "), groups);
    grpCargo->setObjectName(QStringLiteral("grpCargo"));
    lst1 = makeList(QStringLiteral("lst1"), PublishWords::goods(), 2);
    lst1->setParent(grpCargo);
    edtDigitCargo = makeNumberField(QStringLiteral("edtDigitCargo"));
    edtDigitCargo->setParent(grpCargo);
    btnCounty1 = makeButton(QStringLiteral("btnCounty1"), QStringLiteral("▽"));
    btnCounty1->setParent(grpCargo);
    cbb1 = new QComboBox(grpCargo);
    cbb1->setObjectName(QStringLiteral("cbb1"));
    cbb1->addItems(PublishWords::goodsUnits());
    {
        auto* column = new QVBoxLayout(grpCargo);
        column->addWidget(lst1);
        auto* row = new QHBoxLayout;
        row->addWidget(edtDigitCargo);
        row->addWidget(btnCounty1);
        row->addWidget(cbb1);
        column->addLayout(row);
    }

    grpCar = new QGroupBox(QStringLiteral(" 求车 "), groups);
    grpCar->setObjectName(QStringLiteral("grpCar"));
    lst2 = makeList(QStringLiteral("lst2"), PublishWords::truckLengths(), 3);
    lst2->setParent(grpCar);
    lst3 = makeList(QStringLiteral("lst3"), PublishWords::truckTypes(), 3);
    lst3->setParent(grpCar);
    edtDigitCar = makeNumberField(QStringLiteral("edtDigitCar"));
    edtDigitCar->setParent(grpCar);
    btn1 = makeButton(QStringLiteral("btn1"), QStringLiteral("▽"));
    btn1->setParent(grpCar);
    {
        auto* column = new QVBoxLayout(grpCar);
        auto* lists = new QHBoxLayout;
        lists->addWidget(lst2);
        lists->addWidget(lst3);
        column->addLayout(lists);
        auto* row = new QHBoxLayout;
        row->addWidget(edtDigitCar);
        row->addWidget(btn1);
        row->addWidget(makeLabel(QStringLiteral("辆"), QStringLiteral("lblCarUnit")));
        row->addStretch();
        column->addLayout(row);
    }
    grpCargo->setGeometry(0, 0, kGroupWidth, kGroupHeight);
    m_leftGroupPosition = grpCargo->pos();
    grpCar->setGeometry(kGroupWidth + kGroupGap, 0, kGroupWidth, kGroupHeight);

    grp2 = new QGroupBox(QStringLiteral(" 价格 "), this);
    grp2->setObjectName(QStringLiteral("grp2"));
    edtDigitPrice = makeNumberField(QStringLiteral("edtDigitPrice"));
    edtDigitPrice->setParent(grp2);
    edtDigitPrice->setReadOnly(true);
    edtDigitPrice->setToolTip(QStringLiteral("点击输入"));
    btn2 = makeButton(QStringLiteral("btn2"), QStringLiteral("..."));
    btn2->setParent(grp2);
    lst4 = makeList(QStringLiteral("lst4"), PublishWords::priceWords(), 2);
    lst4->setParent(grp2);
    {
        auto* column = new QVBoxLayout(grp2);
        auto* row = new QHBoxLayout;
        row->addWidget(edtDigitPrice);
        row->addWidget(btn2);
        column->addLayout(row);
        column->addWidget(lst4);
    }

    btnGenerate = makeButton(QStringLiteral("btnGenerate"), QStringLiteral("生成"));
    ColorButton1 = makeButton(QStringLiteral("ColorButton1"), QStringLiteral("清空(&E)"));
    btnIssue = makeButton(QStringLiteral("btnIssue"), QStringLiteral("发布(&I)"));
    btnClose = makeButton(QStringLiteral("btnClose"), QStringLiteral("关闭(&C)"));
    chkAutoClose = new QCheckBox(QStringLiteral("发布后自动关闭"), this);
    chkAutoClose->setObjectName(QStringLiteral("chkAutoClose"));
    connect(btnGenerate, &QPushButton::clicked, this, &TfrmMRVIssue01::btnGenerateClick);
    connect(ColorButton1, &QPushButton::clicked, mmoContent, &QPlainTextEdit::clear);
    connect(btnIssue, &QPushButton::clicked, this, &TfrmMRVIssue01::btnIssueClick);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);

    pnlDigit = new DigitPad(this);
    connect(btn2, &QPushButton::clicked, this, [this] { showPad(edtDigitPrice, true); });
    connect(btnCounty1, &QPushButton::clicked, this, [this] { showPad(edtDigitCargo, false); });
    connect(btn1, &QPushButton::clicked, this, [this] { showPad(edtDigitCar, false); });
    for (QObject* watched : std::initializer_list<QObject*>{this, lst1, lst3, grp2})
        watched->installEventFilter(this);

    // Layout.
    auto* kindRow = new QHBoxLayout;
    kindRow->addWidget(makeLabel(QStringLiteral("信息类型："), QStringLiteral("lblKind")));
    kindRow->addWidget(rbCargo);
    kindRow->addWidget(rbCar);
    kindRow->addSpacing(24);
    kindRow->addWidget(chkConsistProv);
    kindRow->addStretch();
    auto* places = new QGridLayout;
    places->addWidget(makeLabel(QStringLiteral("出发地:"), QStringLiteral("lblFrom")), 0, 0);
    places->addWidget(cbProv, 0, 1);
    places->addWidget(cbCity, 0, 2);
    places->addWidget(cmbCountry, 0, 3);
    places->addWidget(makeLabel(QStringLiteral("目的地:"), QStringLiteral("lblTo")), 1, 0);
    places->addWidget(cbToProv, 1, 1);
    places->addWidget(cbToCity, 1, 2);
    places->addWidget(cbtoCountry, 1, 3);
    auto* middle = new QHBoxLayout;
    middle->addWidget(groups);
    middle->addWidget(grp2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnGenerate);
    buttons->addWidget(ColorButton1);
    buttons->addStretch();
    buttons->addWidget(chkAutoClose);
    buttons->addWidget(btnIssue);
    buttons->addWidget(btnClose);
    auto* column = new QVBoxLayout(this);
    column->addLayout(kindRow);
    column->addLayout(places);
    column->addLayout(middle);
    column->addWidget(mmoContent);
    column->addWidget(contacts());
    column->addWidget(notice());
    column->addLayout(buttons);

    const bool online = connected();
    const UserProfile& profile = session().profile;
    m_from->preselect(profile.userprove, profile.usercity, online);
    fillContacts(online);
}

QListWidget* TfrmMRVIssue01::makeList(const QString& name, const QStringList& words, int columns)
{
    auto* list = new QListWidget(this);
    list->setObjectName(name);
    list->addItems(words);
    // Columns as a list box has them: down the first column, then the next.
    list->setFlow(QListView::TopToBottom);
    list->setWrapping(true);
    list->setResizeMode(QListView::Adjust);
    list->setUniformItemSizes(true);
    list->setGridSize(QSize(columns == 2 ? 100 : 66, 18));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

QComboBox* TfrmMRVIssue01::makePlaceBox(const QString& name)
{
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    box->setToolTip(QStringLiteral("单击选择地区"));
    box->setMinimumWidth(96);
    return box;
}

QLineEdit* TfrmMRVIssue01::makeNumberField(const QString& name)
{
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    field->setFixedWidth(72);
    field->setMaxLength(12);
    return field;
}

bool TfrmMRVIssue01::cargoFirst() const
{
    return grpCargo->x() < grpCar->x();
}

void TfrmMRVIssue01::placeGroups(QGroupBox* left, QGroupBox* right)
{
    left->move(m_leftGroupPosition);
    right->move(left->x() + left->width() + kGroupGap, left->y());
}

void TfrmMRVIssue01::rbCarClick()
{
    m_category = 2;
    placeGroups(grpCar, grpCargo);
    grpCar->setTitle(QStringLiteral("有车"));
    grpCargo->setTitle(QStringLiteral("求货"));
}

void TfrmMRVIssue01::rbCargoClick()
{
    m_category = 1;
    placeGroups(grpCargo, grpCar);
    grpCargo->setTitle(QStringLiteral("有货"));
    grpCar->setTitle(QStringLiteral("求车"));
}

void TfrmMRVIssue01::showPad(QLineEdit* target, bool below)
{
    const QPoint corner = target->mapTo(this, QPoint(0, 0));
    const int y = below ? corner.y() + target->height() : corner.y() - pnlDigit->height();
    pnlDigit->showFor(target, QPoint(corner.x(), qMax(0, y)));
}

bool TfrmMRVIssue01::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter && pnlDigit->isVisible())
        pnlDigit->hide();
    return PublishWindow::eventFilter(watched, event);
}

void TfrmMRVIssue01::btnGenerateClick()
{
    LandListingComposer::Picks picks;
    picks.includeProvince = chkConsistProv->isChecked();
    picks.placeSelected = cbCity->currentIndex() >= 0 || cbProv->currentIndex() >= 0 ||
                          cbToCity->currentIndex() >= 0 || cbToProv->currentIndex() >= 0;
    picks.province = cbProv->currentText();
    picks.city = cbCity->currentText();
    picks.county = cmbCountry->currentText();
    picks.toProvince = cbToProv->currentText();
    picks.toCity = cbToCity->currentText();
    picks.toCounty = cbtoCountry->currentText();
    picks.cargoFirst = cargoFirst();
    picks.goods = selectedText(lst1);
    picks.quantity = edtDigitCargo->text();
    picks.unit = cbb1->currentText();
    picks.length = selectedText(lst2);
    picks.truckType = selectedText(lst3);
    picks.trucks = edtDigitCar->text();
    picks.price = edtDigitPrice->text();
    picks.priceWord = selectedText(lst4);
    mmoContent->appendText(m_composer.compose(picks));
}

void TfrmMRVIssue01::btnIssueClick()
{
    publishLand(LandPublication::Form::Pick, mmoContent->toPlainText(),
                {cbProv, cbCity, cmbCountry, cbToProv, cbToCity, cbtoCountry}, m_category,
                m_composer, chkAutoClose->isChecked());
}
