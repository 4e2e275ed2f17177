#include "ui/publish/TfrmMRVIssue.h"

#include "app/SessionState.h"
#include "publish/LandPublication.h"
#include "refdata/RegionTree.h"
#include "ui/publish/ContactGroup.h"
#include "ui/publish/LimitedTextEdit.h"
#include "ui/publish/PublishNotice.h"
#include "ui/publish/WordZone.h"
#include "ui/refdata/RegionComboCascade.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <functional>

namespace {

constexpr int kPadColumns = 12;

// The objectNames of the grid buttons, in the order of PublishWords::grids().
const char* const kGridButtonNames[] = {"btnCargo2", "btnCarType", "btnCarLength", "btnCommon"};

// Each word's own action adds it, wherever it sits in the menu tree.
void fillMenu(QMenu* menu, const PublishWords::Menu& words,
              const std::function<void(const QString&)>& add)
{
    for (const QString& word : words.words) {
        QAction* action = menu->addAction(word);
        QObject::connect(action, &QAction::triggered, menu, [add, word] { add(word); });
    }
    for (const PublishWords::Menu& sub : words.subMenus)
        fillMenu(menu->addMenu(sub.button), sub, add);
}

} // namespace

TfrmMRVIssue::TfrmMRVIssue(const PublishWindowServices& services, LandListingComposer composer,
                           QWidget* parent)
    : PublishWindow(services, QStringLiteral("chkTel2"), parent), m_composer(std::move(composer))
{
    setObjectName(QStringLiteral("frmMRVIssue"));
    setWindowTitle(QStringLiteral("发布信息"));

    mmoContent = new LimitedTextEdit(this);
    mmoContent->setObjectName(QStringLiteral("mmoContent"));
    mmoContent->setFixedHeight(72);

    rbCargo = new QRadioButton(QStringLiteral("货源"), this);
    rbCargo->setObjectName(QStringLiteral("rbCargo"));
    rbCargo->setChecked(true);
    rbCar = new QRadioButton(QStringLiteral("车源"), this);
    rbCar->setObjectName(QStringLiteral("rbCar"));
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(rbCargo);
    kinds->addButton(rbCar);
    connect(rbCargo, &QRadioButton::clicked, this, [this] { m_category = 1; });
    connect(rbCar, &QRadioButton::clicked, this, [this] { m_category = 2; });

    cbProv = makePlaceBox(QStringLiteral("cbProv"));
    cbCity = makePlaceBox(QStringLiteral("cbCity"));
    cmbCountry = makePlaceBox(QStringLiteral("cmbCountry"));
    cbtoProv1 = makePlaceBox(QStringLiteral("cbtoProv1"));
    cbtoCity1 = makePlaceBox(QStringLiteral("cbtoCity1"));
    cbtoCountry1 = makePlaceBox(QStringLiteral("cbtoCountry1"));
    m_from = new RegionComboCascade(cbProv, cbCity, cmbCountry, RegionTree::shared());
    m_to = new RegionComboCascade(cbtoProv1, cbtoCity1, cbtoCountry1, RegionTree::shared());

    // The word pad.
    grpPad = new QGroupBox(QStringLiteral(" 点选 "), this);
    grpPad->setObjectName(QStringLiteral("grpPad"));
    auto* pad = new QGridLayout(grpPad);
    pad->setSpacing(2);
    const QStringList& words = PublishWords::wordPad();
    for (int index = 0; index < words.size(); ++index) {
        QPushButton* button =
            makeButton(QStringLiteral("btnPad%1").arg(index + 1), words.at(index));
        button->setParent(grpPad);
        button->setFocusPolicy(Qt::NoFocus);
        button->setMinimumWidth(30);
        connect(button, &QPushButton::clicked, this,
                [this, word = words.at(index)] { addWord(word); });
        pad->addWidget(button, index / kPadColumns, index % kPadColumns);
    }
    btnBack = makeButton(QStringLiteral("btnBack"), QStringLiteral("<-退格"));
    btnBack->setParent(grpPad);
    btnBack->setFocusPolicy(Qt::NoFocus);
    connect(btnBack, &QPushButton::clicked, this, [this] { mmoContent->backspace(); });
    // Placeholders without effect.
    QPushButton* local = makeButton(QStringLiteral("btnLocalWords"), QStringLiteral("地方特色字"));
    QPushButton* common = makeButton(QStringLiteral("btnCommonWords"), QStringLiteral("常用字"));
    local->setParent(grpPad);
    common->setParent(grpPad);
    const int lastRow = (words.size() - 1) / kPadColumns;
    pad->addWidget(btnBack, lastRow, 11);
    pad->addWidget(local, lastRow + 1, 0, 1, 3);
    pad->addWidget(common, lastRow + 1, 3, 1, 3);

    // The word menus and grids.
    auto* wordButtons = new QHBoxLayout;
    const QVector<PublishWords::Menu>& menus = PublishWords::menus();
    const char* const menuButtonNames[] = {"btnCargo1", "btnCargo3", "btnPrice", "btnWords",
                                           "btnUnit"};
    for (int index = 0; index < menus.size(); ++index)
        wordButtons->addWidget(
            makeMenuButton(QString::fromLatin1(menuButtonNames[index]), menus.at(index)));
    pnlZone = new WordZone(this);
    connect(pnlZone, &WordZone::wordChosen, this, &TfrmMRVIssue::addWord);
    const QVector<PublishWords::Grid>& grids = PublishWords::grids();
    for (int index = 0; index < grids.size(); ++index) {
        QPushButton* button =
            makeButton(QString::fromLatin1(kGridButtonNames[index]), grids.at(index).button);
        if (index == 0)
            btnCargo2 = button;
        connect(button, &QPushButton::clicked, this, [this, grid = grids.at(index)] {
            const QPoint corner = btnCargo2->mapTo(this, QPoint(btnCargo2->width(), 0));
            pnlZone->open(grid, corner);
        });
        wordButtons->addWidget(button);
    }
    wordButtons->addStretch();

    btnIssue = makeButton(QStringLiteral("btnIssue"), QStringLiteral("发布(&I)"));
    ColorButton2 = makeButton(QStringLiteral("ColorButton2"), QStringLiteral("清空(&E)"));
    btnClose = makeButton(QStringLiteral("btnClose"), QStringLiteral("关闭(&C)"));
    chkAutoClose = new QCheckBox(QStringLiteral("发布后自动关闭"), this);
    chkAutoClose->setObjectName(QStringLiteral("chkAutoClose"));
    connect(btnIssue, &QPushButton::clicked, this, &TfrmMRVIssue::btnIssueClick);
    connect(ColorButton2, &QPushButton::clicked, mmoContent, &QPlainTextEdit::clear);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);

    // The contact group with its labels.
    auto* contactLabels = new QVBoxLayout;
    contactLabels->addWidget(makeLabel(QStringLiteral("联系电话："), QStringLiteral("lblPhone")));
    contactLabels->addWidget(makeLabel(QStringLiteral("公司名称："), QStringLiteral("lblCorp")));

    auto* kindRow = new QHBoxLayout;
    kindRow->addWidget(makeLabel(QStringLiteral("信息类型："), QStringLiteral("lblKind")));
    kindRow->addWidget(rbCargo);
    kindRow->addWidget(rbCar);
    kindRow->addStretch();
    auto* places = new QGridLayout;
    places->addWidget(makeLabel(QStringLiteral("出发地区："), QStringLiteral("lblFrom")), 0, 0);
    places->addWidget(cbProv, 0, 1);
    places->addWidget(cbCity, 0, 2);
    places->addWidget(cmbCountry, 0, 3);
    places->addWidget(makeLabel(QStringLiteral("目的城市："), QStringLiteral("lblTo")), 1, 0);
    places->addWidget(cbtoProv1, 1, 1);
    places->addWidget(cbtoCity1, 1, 2);
    places->addWidget(cbtoCountry1, 1, 3);
    auto* contactRow = new QHBoxLayout;
    contactRow->addLayout(contactLabels);
    contactRow->addWidget(contacts(), 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chkAutoClose);
    buttons->addStretch();
    buttons->addWidget(btnIssue);
    buttons->addWidget(ColorButton2);
    buttons->addWidget(btnClose);
    auto* column = new QVBoxLayout(this);
    column->addLayout(kindRow);
    column->addLayout(places);
    column->addWidget(mmoContent);
    column->addWidget(grpPad);
    column->addLayout(wordButtons);
    column->addLayout(contactRow);
    column->addWidget(notice());
    column->addLayout(buttons);

    for (QObject* watched : std::initializer_list<QObject*>{this, mmoContent, grpPad, contacts()})
        watched->installEventFilter(this);

    const bool online = connected();
    const UserProfile& profile = session().profile;
    m_from->preselect(profile.userprove, profile.usercity, online);
    fillContacts(online);
}

QComboBox* TfrmMRVIssue::makePlaceBox(const QString& name)
{
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    box->setMinimumWidth(96);
    return box;
}

QPushButton* TfrmMRVIssue::makeMenuButton(const QString& name, const PublishWords::Menu& words)
{
    QPushButton* button = makeButton(name, words.button);
    auto* menu = new QMenu(button);
    menu->setObjectName(words.name);
    fillMenu(menu, words, [this](const QString& word) { addWord(word); });
    button->setMenu(menu);
    return button;
}

void TfrmMRVIssue::addWord(const QString& word)
{
    mmoContent->appendText(word);
}

bool TfrmMRVIssue::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter && pnlZone->isVisible())
        pnlZone->hide();
    return PublishWindow::eventFilter(watched, event);
}

void TfrmMRVIssue::btnIssueClick()
{
    publishLand(LandPublication::Form::Words, mmoContent->toPlainText(),
                {cbProv, cbCity, cmbCountry, cbtoProv1, cbtoCity1, cbtoCountry1}, m_category,
                m_composer, chkAutoClose->isChecked());
}
