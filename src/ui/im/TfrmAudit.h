#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

// The subscription request dialog: "<from> 请求加你为好友" with "通过并加对方" and "拒绝".
// Opened with open() (window-modal, no event loop of its own): the request comes from a
// network event, and the client keeps reading from the server while the question is open.
class TfrmAudit : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmAudit(const QString& from, QWidget* parent = nullptr);

    QPushButton* acceptButton() const { return m_accept; }
    QPushButton* refuseButton() const { return m_refuse; }

    // Opens the dialog and returns at once; answered(true) when "通过并加对方" is pressed,
    // answered(false) when it is refused or closed. The dialog frees itself when it closes.
    static TfrmAudit* ask(const QString& from, QWidget* parent, std::function<void(bool)> answered);

private:
    QLabel* m_text;
    QPushButton* m_accept;
    QPushButton* m_refuse;
};
