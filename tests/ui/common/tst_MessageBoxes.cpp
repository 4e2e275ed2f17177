#include "app/ApplicationTitle.h"
#include "ui/common/MessageBoxes.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

class MessageBoxesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void recorderRecordsBoxesAndScriptsAnswers();
    void nestedRecordersRestoreTheOuterOne();
    void markupInTextsIsShownAsTyped();
};

void MessageBoxesTest::recorderRecordsBoxesAndScriptsAnswers()
{
    ApplicationTitle::set(QStringLiteral("标题"));
    MessageBoxes::Recorder recorder;
    MessageBoxes::information(nullptr, MessageBoxes::captionPrompt(),
                              QStringLiteral("请输入用户名！"));
    MessageBoxes::warning(nullptr, MessageBoxes::captionPromptInfo(),
                          QStringLiteral("输入了非法字符,请检查  "));
    recorder.queueAnswer(MessageBoxes::Answer::Yes);
    QVERIFY(MessageBoxes::question(nullptr, MessageBoxes::captionConfirm(), QStringLiteral("q1")));
    QVERIFY(!MessageBoxes::question(nullptr, MessageBoxes::captionConfirm(), QStringLiteral("q2")));
    recorder.setDefaultAnswer(MessageBoxes::Answer::Yes);
    QVERIFY(MessageBoxes::question(nullptr, MessageBoxes::captionConfirm(), QStringLiteral("q3")));
    MessageBoxes::applicationError(nullptr, QStringLiteral("boom"));

    QCOMPARE(recorder.count(), 6);
    const auto& boxes = recorder.boxes();
    QCOMPARE(boxes[0].icon, MessageBoxes::Icon::Information);
    QCOMPARE(boxes[0].caption, QStringLiteral("提示"));
    QCOMPARE(boxes[1].icon, MessageBoxes::Icon::Warning);
    QCOMPARE(boxes[1].caption, QStringLiteral("提示信息"));
    QCOMPARE(boxes[1].text, QStringLiteral("输入了非法字符,请检查  "));
    QCOMPARE(boxes[2].buttons, MessageBoxes::Buttons::YesNo);
    QCOMPARE(boxes[2].caption, QStringLiteral("确认信息"));
    QCOMPARE(boxes[5].icon, MessageBoxes::Icon::Error);
    QCOMPARE(boxes[5].caption, QStringLiteral("标题"));
    QCOMPARE(boxes[5].buttons, MessageBoxes::Buttons::Ok);
    QCOMPARE(MessageBoxes::captionInfo(), QStringLiteral("信息"));
}

void MessageBoxesTest::nestedRecordersRestoreTheOuterOne()
{
    MessageBoxes::Recorder outer;
    {
        MessageBoxes::Recorder inner;
        MessageBoxes::information(nullptr, QStringLiteral("c"), QStringLiteral("inner"));
        QCOMPARE(inner.count(), 1);
    }
    MessageBoxes::information(nullptr, QStringLiteral("c"), QStringLiteral("outer"));
    QCOMPARE(outer.count(), 1);
    QCOMPARE(outer.last().text, QStringLiteral("outer"));
}

// A real box, shown without a recorder: a friend's name holding tags appears as typed.
void MessageBoxesTest::markupInTextsIsShownAsTyped()
{
    const QString text = QStringLiteral("确定要删除:<b>张</b><img src='x'>");
    QString shownText;
    bool plain = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        plain = box->textFormat() == Qt::PlainText;
        for (QLabel* label : box->findChildren<QLabel*>()) {
            if (label->text() != text)
                continue;
            shownText = label->text();
            plain = plain && label->textFormat() == Qt::PlainText;
        }
        box->button(QMessageBox::Yes)->click();
    });
    QVERIFY(MessageBoxes::question(nullptr, MessageBoxes::captionConfirm(), text));
    QVERIFY(plain);
    QCOMPARE(shownText, text);
}

QTEST_MAIN(MessageBoxesTest)
#include "tst_MessageBoxes.moc"
