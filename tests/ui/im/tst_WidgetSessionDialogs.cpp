#include "ui/common/MessageBoxes.h"
#include "ui/im/ImPanel.h"
#include "ui/im/TfrmAudit.h"
#include "ui/im/WidgetSessionDialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {

// Once a modal dialog is up, hands it to answer (which closes it).
void whenModalShown(std::function<void(QWidget*)> answer)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        poll->stop();
        poll->deleteLater();
        answer(modal);
    });
    poll->start(20);
}

} // namespace

class WidgetSessionDialogsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void confirmAsksYesOrNo();
    void informShowsAnInformationBox();
    void askNewNameShowsTheInputBoxOverThePanel();
    void subscriptionRequestShowsTfrmAudit();

private:
    ImPanel* panel = nullptr;
    WidgetSessionDialogs* dialogs = nullptr;
};

void WidgetSessionDialogsTest::init()
{
    panel = new ImPanel;
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel));
    dialogs = new WidgetSessionDialogs(panel);
}

void WidgetSessionDialogsTest::cleanup()
{
    delete panel; // and the dialogs with it
    dialogs = nullptr;
}

void WidgetSessionDialogsTest::confirmAsksYesOrNo()
{
    MessageBoxes::Recorder boxes;
    boxes.queueAnswer(MessageBoxes::Answer::No);
    QVERIFY(!dialogs->confirm(QStringLiteral("确定要删除:张伟 吗?")));
    QCOMPARE(boxes.last().caption, QStringLiteral("确认信息"));
    QCOMPARE(boxes.last().text, QStringLiteral("确定要删除:张伟 吗?"));
    QCOMPARE(boxes.last().buttons, MessageBoxes::Buttons::YesNo);
    boxes.queueAnswer(MessageBoxes::Answer::Yes);
    QVERIFY(dialogs->confirm(QStringLiteral("确定要删除:张伟 吗?")));
}

void WidgetSessionDialogsTest::informShowsAnInformationBox()
{
    MessageBoxes::Recorder boxes;
    dialogs->inform(QStringLiteral("已向 zhangwei 发送请求，请等待对方确认"));
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().icon, MessageBoxes::Icon::Information);
    QCOMPARE(boxes.last().caption, QStringLiteral("信息"));
    QCOMPARE(boxes.last().text, QStringLiteral("已向 zhangwei 发送请求，请等待对方确认"));
}

void WidgetSessionDialogsTest::askNewNameShowsTheInputBoxOverThePanel()
{
    QString title, prompt;
    QWidget* parent = nullptr;
    whenModalShown([&](QWidget* modal) {
        auto* box = qobject_cast<QInputDialog*>(modal);
        if (!box) {
            modal->close();
            return;
        }
        title = box->windowTitle();
        prompt = box->labelText();
        parent = box->parentWidget();
        box->setTextValue(QStringLiteral("老张"));
        box->accept();
    });
    QString name;
    QVERIFY(
        dialogs->askNewName(QStringLiteral("修改名称"), QStringLiteral("请输入新的名称"), &name));
    QCOMPARE(name, QStringLiteral("老张"));
    QCOMPARE(title, QStringLiteral("修改名称"));
    QCOMPARE(prompt, QStringLiteral("请输入新的名称"));
    QCOMPARE(parent, panel);

    whenModalShown([](QWidget* modal) { modal->close(); });
    QVERIFY(
        !dialogs->askNewName(QStringLiteral("修改名称"), QStringLiteral("请输入新的名称"), &name));
}

void WidgetSessionDialogsTest::subscriptionRequestShowsTfrmAudit()
{
    // The question returns at once with TfrmAudit open over the panel; the answer comes when
    // a button is pressed.
    QList<bool> answers;
    const auto openAudit = [&](const char* from) -> QPointer<TfrmAudit> {
        dialogs->askSubscription(QString::fromUtf8(from),
                                 [&answers](bool accept) { answers << accept; });
        const auto audits = panel->findChildren<TfrmAudit*>();
        return audits.isEmpty() ? nullptr : audits.last();
    };
    QPointer<TfrmAudit> audit = openAudit("zhangwei");
    QVERIFY(audit);
    QVERIFY(audit->isVisible());
    QCOMPARE(audit->windowModality(), Qt::WindowModal);
    QCOMPARE(audit->findChild<QLabel*>(QStringLiteral("lblMessage"))->text(),
             QStringLiteral("zhangwei 请求加你为好友"));
    QVERIFY(answers.isEmpty());
    audit->acceptButton()->click();
    QCOMPARE(answers, QList<bool>{true});
    QTRY_VERIFY(!audit); // frees itself

    audit = openAudit("chenjie");
    QVERIFY(audit);
    audit->refuseButton()->click();
    QCOMPARE(answers, (QList<bool>{true, false}));
    audit = openAudit("sunli");
    QVERIFY(audit);
    audit->close(); // closed without an answer: refused
    QCOMPARE(answers, (QList<bool>{true, false, false}));
}

QTEST_MAIN(WidgetSessionDialogsTest)
#include "tst_WidgetSessionDialogs.moc"
