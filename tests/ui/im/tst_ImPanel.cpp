#include "ui/im/ImPanel.h"

#include <QLabel>
#include <QtTest>

class ImPanelTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void statusIsFittedToTheLabelAndTheHintKeepsTheCompany();
};

void ImPanelTest::statusIsFittedToTheLabelAndTheHintKeepsTheCompany()
{
    const QString company = QStringLiteral("上海远洋国际货运代理有限公司第一分公司华东大区");
    ImPanel panel;
    panel.resize(160, ImPanel::ExpandedHeight);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QCOMPARE(panel.statusLabel()->text(), QStringLiteral("正在登录..."));
    panel.showStatus(company + QStringLiteral("(联机)"), company);
    const QString shown = panel.statusLabel()->text();
    QVERIFY(shown.endsWith(QStringLiteral(" ...")));
    QVERIFY(company.startsWith(shown.chopped(4)));
    QCOMPARE(panel.statusLabel()->toolTip(), company);
    // Given room, the label shows the whole text again.
    panel.resize(1200, ImPanel::ExpandedHeight);
    QTRY_COMPARE(panel.statusLabel()->text(), company + QStringLiteral("(联机)"));
}

QTEST_MAIN(ImPanelTest)
#include "tst_ImPanel.moc"
