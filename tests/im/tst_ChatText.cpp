#include "im/ChatText.h"

#include <QtTest>

class ChatTextTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void escapeShowsTextAsTyped_data();
    void escapeShowsTextAsTyped();
    void lineHasHeaderAndFixedBodyStyle();
    void historyIsGreyedAboveASeparator();
    void titleAndHeaderTexts();
    void sendKeySetting();
};

void ChatTextTest::escapeShowsTextAsTyped_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("escaped");
    const QString link1 = QStringLiteral("<a href=\"%1\" target=\"_blank\"><font color=\"#0000ff\">"
                                         "%1</font></a>");
    QTest::newRow("angle brackets") << "<b>x</b>"
                                    << "&lt;b&gt;x&lt;/b&gt;";
    QTest::newRow("markup that would run") << "<img src=x onerror=alert(1)>"
                                           << "&lt;img&nbsp;src=x&nbsp;onerror=alert(1)&gt;";
    QTest::newRow("ampersand first") << "&lt; & &amp;"
                                     << "&amp;lt;&nbsp;&amp;&nbsp;&amp;amp;";
    QTest::newRow("quotes") << "say \"hi\" 'x'"
                            << "say&nbsp;&quot;hi&quot;&nbsp;&#39;x&#39;";
    QTest::newRow("blanks") << "a  b"
                            << "a&nbsp;&nbsp;b";
    QTest::newRow("CR LF is one break") << "a\r\nb"
                                        << "a&nbsp;<br>\nb";
    QTest::newRow("lone CR") << "a\rb"
                             << "a&nbsp;<br>b";
    QTest::newRow("lone LF") << "a\nb"
                             << "a&nbsp;<br>b";
    QTest::newRow("http link ends before blank")
        << "see http://www.x.cn/a?b=1&c=2 now"
        << "see&nbsp;" + link1.arg("http://www.x.cn/a?b=1&amp;c=2") + "&nbsp;now";
    QTest::newRow("https link") << "https://x.cn" << link1.arg("https://x.cn");
    QTest::newRow("two links, the earlier first")
        << "https://a.cn http://b.cn"
        << link1.arg("https://a.cn") + "&nbsp;" + link1.arg("http://b.cn");
    QTest::newRow("link ends at a line break")
        << "http://a.cn\r\nnext" << link1.arg("http://a.cn") + "&nbsp;<br>\nnext";
    QTest::newRow("quote cannot leave the attribute")
        << "http://x\"onmouseover=alert(1)" << link1.arg("http://x&quot;onmouseover=alert(1)");
    QTest::newRow("no link without the scheme") << "www.x.cn"
                                                << "www.x.cn";
    QTest::newRow("empty") << ""
                           << "";
}

void ChatTextTest::escapeShowsTextAsTyped()
{
    QFETCH(QString, text);
    QFETCH(QString, escaped);
    QCOMPARE(ChatText::escape(text), escaped);
}

void ChatTextTest::lineHasHeaderAndFixedBodyStyle()
{
    const QDateTime at(QDate(2026, 3, 7), QTime(9, 5, 2));
    const QString evilName = QStringLiteral("x;color:red\"><script>");
    const QString html = ChatText::renderLine(evilName, QStringLiteral("hi there"), at);
    QVERIFY2(html.startsWith(QStringLiteral("<DIV style=\"padding-bottom:2px;color:#545454\">"
                                            "x;color:red&quot;&gt;&lt;script&gt;&nbsp;03-07"
                                            "&nbsp;09:05:02&nbsp;：</DIV>")),
             qPrintable(html));
    QVERIFY2(html.endsWith(QStringLiteral(";font-size:9pt;text-decoration:\">hi&nbsp;there "
                                          "</DIV>")),
             qPrintable(html));
    // The body's style is the same whoever writes.
    const QString other =
        ChatText::renderLine(QStringLiteral("lina"), QStringLiteral("hi there"), at);
    QCOMPARE(html.mid(html.indexOf(QStringLiteral("</DIV>"))),
             other.mid(other.indexOf(QStringLiteral("</DIV>"))));
    QVERIFY(!html.contains(QStringLiteral("<script")));
}

void ChatTextTest::historyIsGreyedAboveASeparator()
{
    QCOMPARE(ChatText::historyBlock({}), QString());
    const QDateTime at(QDate(2026, 1, 2), QTime(3, 4, 5));
    const QString block =
        ChatText::historyBlock({ChatLine{QStringLiteral("lina"), QStringLiteral("<one>"), at},
                                ChatLine{QStringLiteral("chenjie"), QStringLiteral("two"), at}});
    QVERIFY(block.indexOf(QStringLiteral("&lt;one&gt;")) < block.indexOf(QStringLiteral("two")));
    QVERIFY(block.indexOf(QStringLiteral("two")) < block.indexOf(QStringLiteral("<HR")));
    QVERIFY(!block.contains(QStringLiteral("#545454"))); // no line in the current colours
    QVERIFY(block.contains(QStringLiteral("01-02&nbsp;03:04:05")));
}

void ChatTextTest::titleAndHeaderTexts()
{
    QCOMPARE(ChatText::title(QStringLiteral("陈杰")), QStringLiteral("陈杰- 对话"));
    QCOMPARE(ChatText::title(ChatText::unknownPeerName()), QStringLiteral("某人- 对话"));
    QCOMPARE(ChatText::offlineHeader(QStringLiteral("陈杰")),
             QStringLiteral("因为没有联机，陈杰 可能无法收到您的消息！"));
}

void ChatTextTest::sendKeySetting()
{
    QVERIFY(ChatText::sendsWithCtrlEnter(QStringLiteral("CtrlEnter")));
    QVERIFY(ChatText::sendsWithCtrlEnter(QStringLiteral("CTRLENTER")));
    QVERIFY(!ChatText::sendsWithCtrlEnter(QStringLiteral("Enter")));
    QVERIFY(!ChatText::sendsWithCtrlEnter(QStringLiteral("ctrl+enter")));
    QVERIFY(!ChatText::sendsWithCtrlEnter(QString()));
}

QTEST_GUILESS_MAIN(ChatTextTest)
#include "tst_ChatText.moc"
