#include "ui/im/WidgetSessionDialogs.h"

#include "ui/common/MessageBoxes.h"
#include "ui/im/TfrmAudit.h"

#include <QInputDialog>

WidgetSessionDialogs::WidgetSessionDialogs(QWidget* owner) : QObject(owner), m_owner(owner) {}

bool WidgetSessionDialogs::askNewName(const QString& caption, const QString& prompt, QString* text)
{
    bool ok = false;
    *text = QInputDialog::getText(m_owner, caption, prompt, QLineEdit::Normal, QString(), &ok);
    return ok;
}

void WidgetSessionDialogs::askSubscription(const QString& from, std::function<void(bool)> answered)
{
    TfrmAudit::ask(from, m_owner, std::move(answered));
}

bool WidgetSessionDialogs::confirm(const QString& question)
{
    return MessageBoxes::question(m_owner, MessageBoxes::captionConfirm(), question);
}

void WidgetSessionDialogs::inform(const QString& text)
{
    MessageBoxes::information(m_owner, MessageBoxes::captionInfo(), text);
}
