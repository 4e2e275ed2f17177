#pragma once

#include "ui/im/ChatLinkPolicy.h"

#include "im/ConversationView.h"

#include <QPointer>
#include <QWidget>

class ConversationBook;
class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class WebSurface;
struct ChatConversation;

// The window of one conversation: the lines in a web view, the input box, the send and close
// buttons with the send-mode menu, and the peer's business card on the right. The book decides
// what happens; the window shows it and hands the user's actions back. Its web views are made
// when the window is first shown, so a conversation waiting in the tray costs no browser.
class TfrmChating : public QWidget, public ConversationView
{
    Q_OBJECT
public:
    enum class SendMode
    {
        Enter,
        CtrlEnter
    };

    // centreOn: the window it is centred on when first shown (the main window), or none.
    // openLink: where a clicked link goes; by default the system browser.
    TfrmChating(ConversationBook* book, ChatConversation* conversation, SendMode mode,
                QWidget* centreOn = nullptr, ChatLinkPolicy::Opener openLink = {});
    ~TfrmChating() override;

    SendMode sendMode() const { return m_mode; }
    // The conversation document's body content so far.
    QString contentHtml() const { return m_content; }
    // The web views (nullptr until the window is first shown, or without a web engine).
    QWidget* conversationView() const;
    QWidget* cardView() const;
    QUrl cardAddress() const { return m_cardAddress; }
    bool rightPanelShown() const { return m_panelShown; }

    // ConversationView
    void appendHtml(const QString& html) override;
    bool isShown() const override;
    void present() override;
    void bringToForeground() override;
    void showCard(const QUrl& address) override;
    void showPeerPresent(const QString& name) override;
    void showPeerOffline(const QString& name) override;
    void closeConversation() override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void buildMenus();
    void createViews();
    void layoutAreas();
    void placeButtons();
    void refreshTitle();
    void setHeader(const QString& text);
    void scrollToEnd();
    void flushContent();

    void btnSendClick();
    // inInput: the key reached the input box.
    void sendKeyPressed(SendMode key, bool inInput);
    void chooseSendMode(SendMode mode);
    void imgArrowClick();
    void showEditMenu(const QPoint& position);
    bool splitterEvent(QEvent* event);
    bool inputKeyEvent(QEvent* event);
    void leaveBook();

    ConversationBook* m_book;
    ChatConversation* m_conversation; // null once the book has let it go
    SendMode m_mode;
    QPointer<QWidget> m_centreOn;
    bool m_shownOnce = false;

    QWidget* m_pnlLeftTop = nullptr;
    QWidget* m_pnlTop = nullptr;
    QWidget* m_pnlSplit = nullptr;
    QWidget* m_pnlLeftBottom = nullptr;
    QWidget* m_toolBar = nullptr;
    QPlainTextEdit* m_input = nullptr;
    QPushButton* m_btnSend = nullptr;
    QPushButton* m_btnClose = nullptr;
    QToolButton* m_sendType = nullptr;
    QWidget* m_pnlPicture = nullptr;
    QLabel* m_pictureTitle = nullptr;
    QLabel* m_imgArrow = nullptr;
    QLabel* m_headerIcon = nullptr;
    QLabel* m_headerLabel = nullptr;
    ChatLinkPolicy::Opener m_openLink;
    WebSurface* m_msgContent = nullptr;
    WebSurface* m_card = nullptr;

    QMenu* m_mnuSendType = nullptr;
    QAction* m_x1 = nullptr; // CtrlEnter
    QAction* m_x2 = nullptr; // Enter
    QMenu* m_sendTypePopup = nullptr;
    QAction* m_tmEnter = nullptr;
    QAction* m_tmCtrlEnter = nullptr;
    QMenu* m_editMenu = nullptr;

    QString m_content; // body content of the conversation document
    int m_written = 0; // how much of it the view's document holds
    bool m_viewReady = false;
    QUrl m_cardAddress;

    bool m_panelShown = true;
    int m_topHeight = 0;    // conversation area
    int m_bottomHeight = 0; // input area
    bool m_dragging = false;
    int m_dragStartY = 0;
    int m_barStartTop = 0;
};
