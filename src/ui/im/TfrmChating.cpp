#include "ui/im/TfrmChating.h"

#include "im/ChatConversation.h"
#include "im/ChatText.h"
#include "im/ConversationBook.h"
#include "ui/common/SendKeySetting.h"
#include "ui/common/Theme.h"
#include "ui/common/WebEngine.h"
#include "ui/im/ChatPictures.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QJsonArray>
#include <QJsonDocument>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

namespace {

constexpr int kMargin = 4;
constexpr int kPanelWidth = 150;
constexpr int kArrowWidth = 8;
constexpr int kButtonHeight = 23;
constexpr int kSplitterHeight = 3;
constexpr int kHeaderHeight = 26;
constexpr int kToolBarHeight = 22;
constexpr int kCardTitleHeight = 20;
constexpr int kInitialInputHeight = 96;
// The conversation area keeps at least this height, the input area at least kMinInput; a drag
// stops the input area at kMinInputWhileDragging.
constexpr int kMinConversation = 145;
constexpr int kMinInput = 90;
constexpr int kMinInputWhileDragging = 118;

const QColor kArrowShown(0x7F, 0x9D, 0xB9);

bool isReturn(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

void paintBackground(QWidget* widget, const QColor& colour)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, colour);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

} // namespace

TfrmChating::TfrmChating(ConversationBook* book, ChatConversation* conversation, SendMode mode,
                         QWidget* centreOn, ChatLinkPolicy::Opener openLink)
    : QWidget(nullptr, Qt::Window), m_book(book), m_conversation(conversation), m_mode(mode),
      m_centreOn(centreOn), m_openLink(std::move(openLink))
{
    if (!m_openLink)
        m_openLink = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    setObjectName(QStringLiteral("TfrmChating"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("对话"));
    paintBackground(this, Theme::colour());
    buildLayout();
    buildMenus();
    setMinimumSize(320, 2 * kMargin + kMinConversation + kSplitterHeight + kMinInput + kMargin +
                            kButtonHeight + kMargin);
    resize(492, 327);
}

TfrmChating::~TfrmChating()
{
    leaveBook();
}

void TfrmChating::buildLayout()
{
    m_pnlLeftTop = new QWidget(this);
    m_pnlLeftTop->setObjectName(QStringLiteral("PnlLeftTop"));
    paintBackground(m_pnlLeftTop, Qt::white);
    m_pnlTop = new QWidget(m_pnlLeftTop);
    m_pnlTop->setObjectName(QStringLiteral("pnltop"));
    paintBackground(m_pnlTop, Theme::colour());

    m_pnlSplit = new QWidget(this);
    m_pnlSplit->setObjectName(QStringLiteral("PnlSpplit"));
    m_pnlSplit->setCursor(Qt::SizeVerCursor);
    paintBackground(m_pnlSplit, palette().color(QPalette::Button));
    m_pnlSplit->installEventFilter(this);

    m_pnlLeftBottom = new QWidget(this);
    m_pnlLeftBottom->setObjectName(QStringLiteral("PnlLeftBottom"));
    m_toolBar = new QWidget(m_pnlLeftBottom);
    auto* imgFont = new QToolButton(m_toolBar);
    imgFont->setObjectName(QStringLiteral("ImgFont"));
    imgFont->setToolTip(QStringLiteral("字体"));
    imgFont->hide();
    auto* imgFace = new QToolButton(m_toolBar);
    imgFace->setObjectName(QStringLiteral("ImgSelFace"));
    imgFace->setToolTip(QStringLiteral("表情"));
    imgFace->hide();
    m_input = new QPlainTextEdit(m_pnlLeftBottom);
    m_input->setObjectName(QStringLiteral("MsgInput"));
    m_input->setContextMenuPolicy(Qt::CustomContextMenu);
    m_input->installEventFilter(this);
    connect(m_input, &QWidget::customContextMenuRequested, this, &TfrmChating::showEditMenu);

    m_btnSend = new QPushButton(QStringLiteral("发送(&S)"), this);
    m_btnSend->setObjectName(QStringLiteral("btnSend"));
    m_btnSend->setEnabled(false);
    m_btnSend->resize(66, kButtonHeight);
    connect(m_btnSend, &QPushButton::clicked, this, &TfrmChating::btnSendClick);
    connect(m_input, &QPlainTextEdit::textChanged, this,
            [this] { m_btnSend->setEnabled(!m_input->toPlainText().isEmpty()); });
    m_sendType = new QToolButton(this);
    m_sendType->setObjectName(QStringLiteral("sendType"));
    m_sendType->setText(QStringLiteral("↓"));
    m_sendType->setToolTip(QStringLiteral("选择发送方式"));
    m_sendType->resize(13, kButtonHeight);
    m_btnClose = new QPushButton(QStringLiteral("关闭(&X)"), this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_btnClose->resize(66, kButtonHeight);
    connect(m_btnClose, &QPushButton::clicked, this, &QWidget::close);

    m_pnlPicture = new QWidget(this);
    m_pnlPicture->setObjectName(QStringLiteral("pnlYourPicture"));
    paintBackground(m_pnlPicture, Qt::white);
    m_pictureTitle = new QLabel(QStringLiteral("企业名片"), m_pnlPicture);
    m_pictureTitle->setAlignment(Qt::AlignCenter);
    paintBackground(m_pictureTitle, Theme::colour());

    m_imgArrow = new QLabel(this);
    m_imgArrow->setObjectName(QStringLiteral("imgArrow"));
    m_imgArrow->setToolTip(QStringLiteral("收起侧边"));
    m_imgArrow->setPixmap(ChatPictures::arrow(0));
    m_imgArrow->setCursor(Qt::PointingHandCursor);
    m_imgArrow->installEventFilter(this);
}

void TfrmChating::buildMenus()
{
    // The shortcuts of the send keys act wherever the focus is inside the window.
    m_mnuSendType = new QMenu(this);
    m_mnuSendType->setObjectName(QStringLiteral("mnuSendType"));
    m_x1 = m_mnuSendType->addAction(QStringLiteral("CtrlEnter"));
    m_x1->setObjectName(QStringLiteral("X1"));
    m_x1->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    m_x2 = m_mnuSendType->addAction(QStringLiteral("Enter"));
    m_x2->setObjectName(QStringLiteral("X2"));
    m_x2->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    auto* keys = new QActionGroup(this);
    for (QAction* action : {m_x1, m_x2}) {
        action->setCheckable(true);
        action->setShortcutContext(Qt::WindowShortcut);
        keys->addAction(action);
        addAction(action);
    }
    connect(m_x1, &QAction::triggered, this,
            [this] { sendKeyPressed(SendMode::CtrlEnter, m_input->hasFocus()); });
    connect(m_x2, &QAction::triggered, this,
            [this] { sendKeyPressed(SendMode::Enter, m_input->hasFocus()); });

    m_sendTypePopup = new QMenu(this);
    m_sendTypePopup->setObjectName(QStringLiteral("SendTypePopupMenu"));
    m_tmEnter = m_sendTypePopup->addAction(QStringLiteral("按 Enter 键发送消息"));
    m_tmEnter->setObjectName(QStringLiteral("TMEnter"));
    m_tmCtrlEnter = m_sendTypePopup->addAction(QStringLiteral("按 Ctrl+Enter 键发送消息"));
    m_tmCtrlEnter->setObjectName(QStringLiteral("TMCtrlEnter"));
    auto* modes = new QActionGroup(this);
    for (QAction* action : {m_tmEnter, m_tmCtrlEnter}) {
        action->setCheckable(true);
        modes->addAction(action);
    }
    connect(m_tmEnter, &QAction::triggered, this, [this] { chooseSendMode(SendMode::Enter); });
    connect(m_tmCtrlEnter, &QAction::triggered, this,
            [this] { chooseSendMode(SendMode::CtrlEnter); });
    const bool ctrl = m_mode == SendMode::CtrlEnter;
    m_tmCtrlEnter->setChecked(ctrl);
    m_tmEnter->setChecked(!ctrl);
    m_x1->setChecked(ctrl);
    m_x2->setChecked(!ctrl);
    connect(m_sendType, &QToolButton::clicked, this, [this] {
        const QPoint at(m_btnSend->x() + m_sendType->width() + 4, m_sendType->y() + 3);
        m_sendTypePopup->popup(mapToGlobal(at));
    });

    m_editMenu = new QMenu(this);
    m_editMenu->setObjectName(QStringLiteral("PopupMenuEdit"));
    QAction* undo = m_editMenu->addAction(QStringLiteral("撤消"), m_input, &QPlainTextEdit::undo);
    m_editMenu->addSeparator();
    QAction* cut = m_editMenu->addAction(QStringLiteral("剪切"), m_input, &QPlainTextEdit::cut);
    QAction* copy = m_editMenu->addAction(QStringLiteral("复制"), m_input, &QPlainTextEdit::copy);
    QAction* paste = m_editMenu->addAction(QStringLiteral("粘贴"), m_input, &QPlainTextEdit::paste);
    QAction* remove = m_editMenu->addAction(QStringLiteral("删除"), m_input,
                                            [this] { m_input->textCursor().removeSelectedText(); });
    m_editMenu->addSeparator();
    m_editMenu->addAction(QStringLiteral("选择全部"), m_input, &QPlainTextEdit::selectAll);
    connect(m_editMenu, &QMenu::aboutToShow, this, [=] {
        const bool selected = m_input->textCursor().hasSelection();
        undo->setEnabled(m_input->document()->isUndoAvailable());
        cut->setEnabled(selected);
        copy->setEnabled(selected);
        remove->setEnabled(selected);
        paste->setEnabled(m_input->canPaste());
    });
}

void TfrmChating::createViews()
{
    WebSurface::Options content =
        ChatLinkPolicy(m_openLink).viewOptions(QStringLiteral("MsgContent"));
    content.loadFinished = [this](bool ok) {
        if (!ok || m_viewReady)
            return;
        m_viewReady = true;
        flushContent();
        scrollToEnd();
    };
    m_msgContent = WebEngine::createSurface(m_pnlLeftTop, content);
    if (m_msgContent) {
        m_msgContent->setHtml(ChatText::conversationDocument(m_content),
                              QUrl(QStringLiteral("about:blank")));
        m_written = m_content.size();
        m_msgContent->widget()->show();
    }

    WebSurface::Options card;
    card.objectName = QStringLiteral("wbCard");
    card.loadFinished = [this](bool ok) {
        if (ok && m_card)
            m_card->widget()->show();
    };
    m_card = WebEngine::createSurface(m_pnlPicture, card);
    if (m_card) {
        m_card->widget()->hide(); // shown once a page has arrived
        if (m_cardAddress.isValid())
            m_card->load(m_cardAddress);
    }
    layoutAreas();
}

QWidget* TfrmChating::conversationView() const
{
    return m_msgContent ? m_msgContent->widget() : nullptr;
}

QWidget* TfrmChating::cardView() const
{
    return m_card ? m_card->widget() : nullptr;
}

void TfrmChating::layoutAreas()
{
    const int w = width();
    const int h = height();
    const int leftRight =
        m_panelShown ? w - kMargin - kPanelWidth - kArrowWidth - 2 : w - kMargin - kArrowWidth - 2;
    const int leftWidth = qMax(0, leftRight - kMargin);
    const int buttonsTop = h - kMargin - kButtonHeight;
    const int available = buttonsTop - kMargin - kMargin - kSplitterHeight;
    if (m_bottomHeight <= 0)
        m_bottomHeight = kInitialInputHeight;
    int top = available - m_bottomHeight;
    if (top < kMinConversation) {
        top = kMinConversation;
        m_bottomHeight = available - kMinConversation;
    }
    m_bottomHeight = qMax(m_bottomHeight, kMinInput);
    m_topHeight = top;

    m_pnlLeftTop->setGeometry(kMargin, kMargin, leftWidth, m_topHeight);
    m_pnlTop->setGeometry(0, 0, leftWidth, kHeaderHeight);
    if (m_headerLabel)
        m_headerLabel->resize(qMax(0, leftWidth - m_headerLabel->x()), m_headerLabel->height());
    if (m_msgContent)
        m_msgContent->widget()->setGeometry(0, kHeaderHeight, leftWidth,
                                            m_topHeight - kHeaderHeight);
    m_pnlSplit->setGeometry(kMargin, kMargin + m_topHeight, leftWidth, kSplitterHeight);
    m_pnlLeftBottom->setGeometry(kMargin, kMargin + m_topHeight + kSplitterHeight, leftWidth,
                                 m_bottomHeight);
    m_toolBar->setGeometry(0, 0, leftWidth, kToolBarHeight);
    m_input->setGeometry(0, kToolBarHeight, leftWidth, m_bottomHeight - kToolBarHeight);

    m_imgArrow->setGeometry(leftRight + 1, (h - 40) / 2, kArrowWidth, 40);
    m_pnlPicture->setVisible(m_panelShown);
    m_pnlPicture->setGeometry(leftRight + kArrowWidth + 2, kMargin, kPanelWidth, h - 2 * kMargin);
    m_pictureTitle->setGeometry(0, 0, kPanelWidth, kCardTitleHeight);
    if (m_card)
        m_card->widget()->setGeometry(0, kCardTitleHeight, kPanelWidth,
                                      m_pnlPicture->height() - kCardTitleHeight);
    placeButtons();
}

void TfrmChating::placeButtons()
{
    const int right = m_pnlLeftBottom->geometry().right() + 1;
    const int top = height() - kMargin - kButtonHeight;
    m_btnClose->move(right - m_btnClose->width() - 1, top);
    m_btnSend->move(m_btnClose->x() - 13 - m_btnSend->width(), top);
    m_sendType->move(m_btnSend->geometry().right() + 1, top);
}

// ---------------------------------------------------------------- conversation view

void TfrmChating::appendHtml(const QString& html)
{
    m_content += html;
    flushContent();
    const bool opened = m_conversation && m_conversation->opened;
    if (!isActiveWindow() && isVisible() && opened)
        QApplication::alert(this, 1000);
}

void TfrmChating::flushContent()
{
    if (!m_msgContent || !m_viewReady || m_written >= m_content.size())
        return;
    // The markup travels as a JSON string: nothing in it can end the script.
    const QString rest = m_content.mid(m_written);
    m_written = m_content.size();
    const QByteArray literal = QJsonDocument(QJsonArray{rest}).toJson(QJsonDocument::Compact);
    m_msgContent->runScript(QStringLiteral("document.body.insertAdjacentHTML('beforeend', %1[0]);"
                                           "window.scrollTo(0, document.body.scrollHeight);")
                                .arg(QString::fromUtf8(literal)));
}

void TfrmChating::scrollToEnd()
{
    if (m_msgContent && m_viewReady)
        m_msgContent->runScript(QStringLiteral("window.scrollTo(0, document.body.scrollHeight);"));
}

bool TfrmChating::isShown() const
{
    return isVisible();
}

void TfrmChating::present()
{
    if (isMinimized())
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    m_input->setFocus();
}

void TfrmChating::bringToForeground()
{
    present();
}

void TfrmChating::showCard(const QUrl& address)
{
    m_cardAddress = address;
    if (m_card)
        m_card->load(address);
}

void TfrmChating::showPeerPresent(const QString& name)
{
    setHeader(name);
}

void TfrmChating::showPeerOffline(const QString& name)
{
    setHeader(ChatText::offlineHeader(name));
}

void TfrmChating::setHeader(const QString& text)
{
    if (!m_headerIcon) {
        m_headerIcon = new QLabel(m_pnlTop);
        m_headerIcon->setObjectName(QStringLiteral("HeaderIcon"));
        const QPixmap icon = ChatPictures::headerIcon();
        m_headerIcon->setGeometry(4, 4, icon.width(), icon.height());
        m_headerLabel = new QLabel(m_pnlTop);
        m_headerLabel->setObjectName(QStringLiteral("HeaderLabel"));
        m_headerLabel->setTextFormat(Qt::PlainText); // a display name is no markup
        m_headerLabel->setGeometry(
            icon.width() + 8, 6, qMax(0, m_pnlTop->width() - icon.width() - 8), kHeaderHeight - 8);
        m_headerIcon->show();
        m_headerLabel->show();
    }
    m_headerIcon->setPixmap(ChatPictures::tinted(ChatPictures::headerIcon(), Theme::colour()));
    m_headerLabel->setText(text);
}

void TfrmChating::closeConversation()
{
    close();
}

// ---------------------------------------------------------------- events

void TfrmChating::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        createViews();
        if (m_centreOn) {
            QRect frame = frameGeometry();
            frame.moveCenter(m_centreOn->frameGeometry().center());
            move(frame.topLeft());
        } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    m_imgArrow->setPixmap(
        ChatPictures::tinted(ChatPictures::arrow(m_panelShown ? 0 : 1), kArrowShown));
    refreshTitle();
}

void TfrmChating::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutAreas();
    refreshTitle();
}

void TfrmChating::closeEvent(QCloseEvent* event)
{
    leaveBook();
    event->accept();
}

void TfrmChating::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        scrollToEnd();
}

void TfrmChating::refreshTitle()
{
    if (!m_conversation)
        return;
    const ConversationBook::Title title = m_book->titleOf(m_conversation);
    setWindowTitle(title.caption);
    if (!title.friendName.isEmpty() && title.friendOffline)
        showPeerOffline(title.friendName);
}

void TfrmChating::leaveBook()
{
    if (!m_conversation)
        return;
    ChatConversation* conversation = m_conversation;
    m_conversation = nullptr;
    m_book->viewClosed(conversation);
}

bool TfrmChating::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_input)
        return inputKeyEvent(event) || QWidget::eventFilter(watched, event);
    if (watched == m_pnlSplit)
        return splitterEvent(event) || QWidget::eventFilter(watched, event);
    if (watched == m_imgArrow && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        imgArrowClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool TfrmChating::inputKeyEvent(QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!isReturn(key))
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // The input takes its send keys itself, in either mode.
        event->accept();
        return true;
    }
    sendKeyPressed(key->modifiers() & Qt::ControlModifier ? SendMode::CtrlEnter : SendMode::Enter,
                   true);
    return true;
}

void TfrmChating::sendKeyPressed(SendMode key, bool inInput)
{
    if (key == m_mode) {
        btnSendClick(); // also with an empty input: an empty line is sent
        return;
    }
    if (key == SendMode::Enter && inInput) {
        QTextCursor cursor = m_input->textCursor();
        cursor.insertText(QStringLiteral("\n")); // sent as CR LF
        m_input->setTextCursor(cursor);
    }
}

void TfrmChating::btnSendClick()
{
    if (m_conversation)
        m_book->send(m_conversation, m_input->toPlainText());
    m_input->clear();
    m_input->setFocus();
}

void TfrmChating::chooseSendMode(SendMode mode)
{
    m_mode = mode;
    const bool ctrl = mode == SendMode::CtrlEnter;
    m_tmCtrlEnter->setChecked(ctrl);
    m_tmEnter->setChecked(!ctrl);
    m_x1->setChecked(ctrl);
    m_x2->setChecked(!ctrl);
    // Written to the settings file only: windows opened later in this run start in the mode
    // read at login.
    SendKeySetting::saveFromChatMenu(ctrl ? 2 : 1, this);
}

void TfrmChating::imgArrowClick()
{
    m_panelShown = !m_panelShown;
    m_imgArrow->setToolTip(m_panelShown ? QStringLiteral("收起侧边") : QStringLiteral("展开侧边"));
    m_imgArrow->setPixmap(
        ChatPictures::tinted(ChatPictures::arrow(m_panelShown ? 0 : 1), Theme::colour()));
    layoutAreas();
}

void TfrmChating::showEditMenu(const QPoint& position)
{
    m_editMenu->popup(m_input->mapToGlobal(position));
}

bool TfrmChating::splitterEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        m_dragging = true;
        m_dragStartY = mouse->globalPos().y();
        m_barStartTop = m_pnlSplit->y();
        paintBackground(m_pnlSplit, Theme::colour());
        m_pnlSplit->raise();
        return true;
    }
    case QEvent::MouseMove: {
        if (!m_dragging)
            return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        int newTop = m_barStartTop + mouse->globalPos().y() - m_dragStartY;
        const int current = m_pnlSplit->y();
        const int inputBottom = m_pnlLeftBottom->geometry().bottom() + 1;
        if (newTop < current && newTop - kMargin <= kMinConversation - 1)
            return true; // the conversation area would be too low
        if (newTop > current && inputBottom - (newTop + kSplitterHeight) < kMinInputWhileDragging)
            return true; // the input area would be too low
        newTop = qBound(80, newTop, qMax(80, height() - 120));
        m_pnlSplit->move(m_pnlSplit->x(), newTop);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (!m_dragging)
            return false;
        m_dragging = false;
        const int travel = m_pnlSplit->y() - m_barStartTop;
        m_bottomHeight -= travel;
        paintBackground(m_pnlSplit, palette().color(QPalette::Button));
        layoutAreas();
        return true;
    }
    default:
        return false;
    }
}
