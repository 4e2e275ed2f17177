#include "im/PiTrailSplitter.h"

#include <QtTest>

class PiTrailSplitterTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void severalUnitsInOneReport();
    void streamHeaderAndEndAreUnitsOfTheirOwn();
    void unitSplitAcrossReports_data();
    void unitSplitAcrossReports();
    void markupCharactersInQuotesCdataAndComments();
    void resetDropsPartialUnit();
};

void PiTrailSplitterTest::severalUnitsInOneReport()
{
    PiTrailSplitter splitter;
    const QString a = QStringLiteral("<presence from='a@localhost/haulway'/>");
    const QString b = QStringLiteral(
        "<message from='localhost' to='b@localhost/haulway'><x><y>1</y></x></message>");
    const QString c = QStringLiteral("<iq type='result' id='7'><query xmlns='q'/></iq>");
    const QStringList units = splitter.feed(a + QStringLiteral("\n ") + b + c);
    QCOMPARE(units, (QStringList{a, b, c}));
    QVERIFY(splitter.pending().isEmpty());
}

void PiTrailSplitterTest::streamHeaderAndEndAreUnitsOfTheirOwn()
{
    PiTrailSplitter splitter;
    const QString decl = QStringLiteral("<?xml version='1.0'?>");
    const QString header = QStringLiteral(
        "<stream:stream xmlns='jabber:client' xmlns:stream='http://etherx.jabber.org/streams' "
        "to='localhost' version='1.0'>");
    const QString features =
        QStringLiteral("<stream:features><bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'/>"
                       "</stream:features>");
    QCOMPARE(splitter.feed(decl + header + features), (QStringList{decl, header, features}));
    QCOMPARE(splitter.feed(QStringLiteral("</stream:stream>")),
             QStringList{QStringLiteral("</stream:stream>")});
}

void PiTrailSplitterTest::unitSplitAcrossReports_data()
{
    QTest::addColumn<int>("chunk");
    QTest::newRow("one character at a time") << 1;
    QTest::newRow("three") << 3;
    QTest::newRow("seven") << 7;
}

void PiTrailSplitterTest::unitSplitAcrossReports()
{
    QFETCH(int, chunk);
    const QStringList expected{
        QStringLiteral("<message from='localhost' to='u@localhost/haulway'><broadcastcargo>"
                       "<title>a &amp; b &gt; c</title><fcity>上海</fcity></broadcastcargo>"
                       "</message>"),
        QStringLiteral("<r xmlns='urn:xmpp:sm:3'/>"),
        QStringLiteral("<message><body><![CDATA[x</body>]]></body></message>")};
    const QString all = expected.join(QStringLiteral(" "));
    PiTrailSplitter splitter;
    QStringList units;
    for (int i = 0; i < all.size(); i += chunk) {
        const QStringList got = splitter.feed(all.mid(i, chunk));
        // Nothing is reported before it is complete.
        for (const QString& unit : got)
            QVERIFY2(all.left(i + chunk).contains(unit), qPrintable(unit));
        units += got;
    }
    QCOMPARE(units, expected);
}

void PiTrailSplitterTest::markupCharactersInQuotesCdataAndComments()
{
    PiTrailSplitter splitter;
    const QString quoted = QStringLiteral("<item name='a>b' jid=\"</x>\"/>");
    const QString cdata = QStringLiteral("<body><![CDATA[<not><closed>]]></body>");
    const QString comment = QStringLiteral("<a><!-- </a> --><b/></a>");
    const QString instruction = QStringLiteral("<a><?pi </a> ?></a>");
    QCOMPARE(splitter.feed(quoted + cdata + comment + instruction),
             (QStringList{quoted, cdata, comment, instruction}));
}

void PiTrailSplitterTest::resetDropsPartialUnit()
{
    PiTrailSplitter splitter;
    QVERIFY(splitter.feed(QStringLiteral("<message><body>half")).isEmpty());
    QVERIFY(!splitter.pending().isEmpty());
    splitter.reset();
    QCOMPARE(splitter.feed(QStringLiteral("<presence/>")),
             QStringList{QStringLiteral("<presence/>")});
}

QTEST_GUILESS_MAIN(PiTrailSplitterTest)
#include "tst_PiTrailSplitter.moc"
