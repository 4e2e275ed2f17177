#include "ui/common/MessageBoxes.h"

#include "app/ApplicationTitle.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace {
MessageBoxes::Recorder*& activeRecorder()
{
    static MessageBoxes::Recorder* recorder = nullptr;
    return recorder;
}

QMessageBox::Icon platformIcon(MessageBoxes::Icon icon)
{
    switch (icon) {
    case MessageBoxes::Icon::Information:
        return QMessageBox::Information;
    case MessageBoxes::Icon::Warning:
        return QMessageBox::Warning;
    case MessageBoxes::Icon::Error:
        return QMessageBox::Critical;
    case MessageBoxes::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}
} // namespace

QString MessageBoxes::captionPromptInfo()
{
    return QStringLiteral("提示信息");
}

QString MessageBoxes::captionPrompt()
{
    return QStringLiteral("提示");
}

QString MessageBoxes::captionInfo()
{
    return QStringLiteral("信息");
}

QString MessageBoxes::captionConfirm()
{
    return QStringLiteral("确认信息");
}

void MessageBoxes::information(QWidget* parent, const QString& caption, const QString& text)
{
    show(parent, {Icon::Information, caption, text, Buttons::Ok});
}

void MessageBoxes::warning(QWidget* parent, const QString& caption, const QString& text)
{
    show(parent, {Icon::Warning, caption, text, Buttons::Ok});
}

void MessageBoxes::error(QWidget* parent, const QString& caption, const QString& text)
{
    show(parent, {Icon::Error, caption, text, Buttons::Ok});
}

bool MessageBoxes::question(QWidget* parent, const QString& caption, const QString& text)
{
    return show(parent, {Icon::Question, caption, text, Buttons::YesNo}) == Answer::Yes;
}

void MessageBoxes::applicationError(QWidget* parent, const QString& text)
{
    error(parent, ApplicationTitle::get(), text);
}

MessageBoxes::Answer MessageBoxes::show(QWidget* parent, const Box& box)
{
    if (Recorder* recorder = activeRecorder())
        return recorder->take(box);

    QMessageBox dialog(platformIcon(box.icon), box.caption, box.text, QMessageBox::NoButton,
                       parent);
    // Texts carry user and friend names; markup in them is shown as typed, never rendered.
    dialog.setTextFormat(Qt::PlainText);
    if (box.buttons == Buttons::YesNo) {
        dialog.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        dialog.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
        dialog.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
        return dialog.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    dialog.setStandardButtons(QMessageBox::Ok);
    dialog.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    dialog.exec();
    return Answer::Ok;
}

MessageBoxes::Recorder::Recorder() : m_previous(activeRecorder())
{
    activeRecorder() = this;
}

MessageBoxes::Recorder::~Recorder()
{
    activeRecorder() = m_previous;
}

MessageBoxes::Box MessageBoxes::Recorder::last() const
{
    return m_boxes.isEmpty() ? Box{Icon::Information, QString(), QString(), Buttons::Ok}
                             : m_boxes.last();
}

MessageBoxes::Answer MessageBoxes::Recorder::take(const Box& box)
{
    m_boxes.append(box);
    if (box.buttons == Buttons::Ok)
        return Answer::Ok;
    return m_answers.isEmpty() ? m_defaultAnswer : m_answers.takeFirst();
}
