#pragma once

#include "im/SessionDialogs.h"

#include <QObject>
#include <QPointer>

class QWidget;

// The IM session's dialogs on screen, over the widget they belong to (the IM panel): the
// subscription request dialog TfrmAudit (window-modal, returns at once: it answers a network
// event), and, for the user's own clicks, the modal rename input box and message boxes.
class WidgetSessionDialogs : public QObject, public SessionDialogs
{
    Q_OBJECT
public:
    // Owned by the widget.
    explicit WidgetSessionDialogs(QWidget* owner);

    bool askNewName(const QString& caption, const QString& prompt, QString* text) override;
    // TfrmAudit, opened without an event loop of its own.
    void askSubscription(const QString& from, std::function<void(bool)> answered) override;
    bool confirm(const QString& question) override; // caption "确认信息", Yes/No
    void inform(const QString& text) override;      // caption "信息"

private:
    QPointer<QWidget> m_owner;
};
