#include "app/SessionState.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/SendKeySetting.h"

#include <QtTest>

class SendKeySettingTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void failedWriteShowsErrorBoxAndKeepsKey();
};

void SendKeySettingTest::failedWriteShowsErrorBoxAndKeepsKey()
{
    // A password ending in NUL cannot be enciphered, so the settings file cannot be written.
    resetSession();
    session().loginIdentity = QStringLiteral("zhangwei@localhost");
    session().password = QStringLiteral("pw") + QChar(0);
    MessageBoxes::Recorder recorder;
    QCOMPARE(SendKeySetting::saveFromChatMenu(1, nullptr), QStringLiteral("Enter"));
    QCOMPARE(recorder.count(), 1);
    QCOMPARE(recorder.last().icon, MessageBoxes::Icon::Error);
    QCOMPARE(recorder.last().text, QStringLiteral("Error: the last char is NULL char."));
}

QTEST_MAIN(SendKeySettingTest)
#include "tst_SendKeySetting.moc"
