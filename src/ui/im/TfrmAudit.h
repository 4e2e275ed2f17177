#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The subscription request dialog: "<from> 请求加你为好友" with "通过并加对方" and "拒绝".
class TfrmAudit : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmAudit(const QString& from, QWidget* parent = nullptr);

    QPushButton* acceptButton() const { return m_accept; }
    QPushButton* refuseButton() const { return m_refuse; }

    // Shows the dialog modally; true when "通过并加对方" was pressed.
    static bool ask(const QString& from, QWidget* parent);

private:
    QLabel* m_text;
    QPushButton* m_accept;
    QPushButton* m_refuse;
};
