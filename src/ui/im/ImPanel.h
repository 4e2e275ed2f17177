#pragma once

#include <QWidget>

class FriendTree;
class QLabel;

// The IM panel pnlIm the main window embeds: title bar pnlImTop with the status label
// LblMyState and the images imgAddUser, imgInfo, imgFriend; below it the friend tree.
class ImPanel : public QWidget
{
    Q_OBJECT
public:
    static constexpr int ExpandedHeight = 302;

    explicit ImPanel(QWidget* parent = nullptr);

    FriendTree* friendTree() const { return m_tree; }
    QLabel* statusLabel() const { return m_status; }   // LblMyState
    QWidget* titleBar() const { return m_top; }        // pnlImTop
    QLabel* addUserImage() const { return m_addUser; } // imgAddUser
    QLabel* infoImage() const { return m_info; }       // imgInfo
    QLabel* friendImage() const { return m_friend; }   // imgFriend

    // Shows fullText in the status label; while it does not fit, the company is shortened
    // to whole characters followed by " ..." (again whenever the label is resized). The hint
    // keeps the full company.
    void showStatus(const QString& fullText, const QString& company);
    // imgFriend: shrink to the title bar, or grow back to ExpandedHeight.
    void toggleCollapsed();
    bool isCollapsed() const;

Q_SIGNALS:
    void statusMenuRequested(const QPoint& globalPos); // click on LblMyState: open pmStatus
    void addFriendRequested();                         // imgAddUser: find-friend window
    void myInfoRequested();                            // imgInfo: TfrmUserInfo

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitStatus();

    QString m_statusText;
    QString m_statusCompany;
    QWidget* m_top = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_addUser = nullptr;
    QLabel* m_info = nullptr;
    QLabel* m_friend = nullptr;
    FriendTree* m_tree = nullptr;
};
