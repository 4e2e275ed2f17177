#pragma once

#include "im/SessionDialogs.h"

#include <QObject>
#include <QPointer>

class QWidget;

// The IM session's dialogs on screen, modal over the widget they belong to (the IM panel):
// the rename input box, the subscription request dialog TfrmAudit, and message boxes.
class WidgetSessionDialogs : public QObject, public SessionDialogs
{
    Q_OBJECT
public:
    // Owned by the widget.
    explicit WidgetSessionDialogs(QWidget* owner);

    bool askNewName(const QString& caption, const QString& prompt, QString* text) override;
    bool acceptSubscription(const QString& from) override;
    bool confirm(const QString& question) override; // caption "确认信息", Yes/No
    void inform(const QString& text) override;      // caption "信息"

private:
    QPointer<QWidget> m_owner;
};
