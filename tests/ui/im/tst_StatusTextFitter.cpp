#include "ui/im/StatusTextFitter.h"

#include <QFont>
#include <QFontMetrics>
#include <QtTest>

class StatusTextFitterTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void longCompanyIsShortenedToWholeCharacters();
    void textThatFitsStaysWhole();
    void surrogatePairsAreNeverCut();
};

void StatusTextFitterTest::longCompanyIsShortenedToWholeCharacters()
{
    const QString company = QStringLiteral("上海远洋国际货运代理有限公司第一分公司华东大区");
    const QFontMetrics metrics{QFont()};
    const int width = metrics.horizontalAdvance(QStringLiteral("上海远洋国际 ..."));
    const QString shown =
        StatusTextFitter::fit(company + QStringLiteral("(联机)"), company, metrics, width);
    QVERIFY(shown.endsWith(QStringLiteral(" ...")));
    QVERIFY(company.startsWith(shown.chopped(4)));
    QVERIFY(metrics.horizontalAdvance(shown) <= width);
    QCOMPARE(shown, QStringLiteral("上海远洋国际 ..."));
    // Never below one character.
    QCOMPARE(StatusTextFitter::fit(company + QStringLiteral("(联机)"), company, metrics, 1),
             QStringLiteral("上 ..."));
}

void StatusTextFitterTest::textThatFitsStaysWhole()
{
    const QFontMetrics metrics{QFont()};
    QCOMPARE(
        StatusTextFitter::fit(QStringLiteral("远航(联机)"), QStringLiteral("远航"), metrics, 1000),
        QStringLiteral("远航(联机)"));
}

void StatusTextFitterTest::surrogatePairsAreNeverCut()
{
    const QString company =
        QStringLiteral("货") + QString::fromUcs4(U"\U00020000") + QStringLiteral("运物流有限公司");
    const QFontMetrics metrics{QFont()};
    const int width = metrics.horizontalAdvance(company.left(3) + QStringLiteral(" ..."));
    for (int w = 1; w <= width; ++w) {
        const QString shown =
            StatusTextFitter::fit(company + QStringLiteral("(联机)"), company, metrics, w);
        const QString kept = shown.chopped(4);
        QVERIFY2(!kept.back().isHighSurrogate(), qPrintable(shown));
    }
}

QTEST_MAIN(StatusTextFitterTest)
#include "tst_StatusTextFitter.moc"
