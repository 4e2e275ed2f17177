#include "core/TXMLNode.h"
#include "core/TXMLStringReader.h"
#include "core/TXMLStringWriter.h"

#include <QtTest>

class XmlWriterTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void headerHasNoLineBreak();
    void indentationOfANestedDocument();
    void leaveOpenLetsAttributesFollow();
    void escapingWritesOneReferencePerGbkByte();
    void writtenDocumentReadsBack();
    void closingMoreThanOpenedStaysAtTheLeftMargin();
};

void XmlWriterTest::headerHasNoLineBreak()
{
    TXMLStringWriter writer;
    writer.writeHeader();
    writer.writeTag(QStringLiteral("ClientConfig"), TXMLWriter::OpenTag);
    QCOMPARE(writer.resultBytes(),
             QByteArray("<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n<ClientConfig>"));
    QCOMPARE(writer.depth(), 1);
}

void XmlWriterTest::indentationOfANestedDocument()
{
    TXMLStringWriter writer;
    writer.writeHeader();
    writer.writeTag(QStringLiteral("ClientConfig"), TXMLWriter::OpenTag);
    writer.writeTag(QStringLiteral("login"), TXMLWriter::OpenTag);
    writer.writeTag(QStringLiteral("username"), TXMLWriter::OpenTag);
    writer.writeRaw(QStringLiteral("zhang"));
    writer.writeTag(QStringLiteral("username"), TXMLWriter::CloseTagInline);
    writer.writeTag(QStringLiteral("login"), TXMLWriter::CloseTag);
    writer.writeTag(QStringLiteral("sendmsg"), TXMLWriter::EmptyTag);
    writer.writeTag(QStringLiteral("ClientConfig"), TXMLWriter::CloseTag);
    QCOMPARE(writer.resultBytes(), QByteArray("<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n"
                                              "<ClientConfig>\r\n"
                                              "  <login>\r\n"
                                              "    <username>zhang</username>\r\n"
                                              "  </login>\r\n"
                                              "  <sendmsg/>\r\n"
                                              "</ClientConfig>"));
    QCOMPARE(writer.depth(), 0);
}

void XmlWriterTest::leaveOpenLetsAttributesFollow()
{
    TXMLStringWriter writer;
    writer.writeTag(QStringLiteral("login"), TXMLWriter::OpenTag, true);
    writer.writeRaw(QStringLiteral(" remember=\"1\">"));
    writer.writeTag(QStringLiteral("city"), TXMLWriter::EmptyTag, true);
    writer.writeRaw(QStringLiteral(" name=\"上海\"/>"));
    writer.writeTag(QStringLiteral("login"), TXMLWriter::CloseTag);
    QCOMPARE(writer.result(), QStringLiteral("\r\n<login remember=\"1\">\r\n  <city name=\"上海\"/>"
                                             "\r\n</login>"));
    QCOMPARE(writer.resultBytes().count("\xC9\xCF\xBA\xA3"), 1);
}

void XmlWriterTest::escapingWritesOneReferencePerGbkByte()
{
    TXMLStringWriter writer;
    writer.writeEscaped(QStringLiteral("你<&>'\" ok\r\n"));
    QCOMPARE(writer.resultBytes(), QByteArray("&#196;&#227;&lt;&amp;&gt;&apos;&quot; ok\r\n"));
    QCOMPARE(TXMLWriter::escape(QByteArray("\x80\xFF\x7F", 3)), QByteArray("&#128;&#255;\x7F"));
    TXMLStringWriter raw;
    raw.writeRaw(QStringLiteral("<&>"));
    raw.writeRawBytes("\xC4\xE3");
    QCOMPARE(raw.resultBytes(), QByteArray("<&>\xC4\xE3"));
}

void XmlWriterTest::writtenDocumentReadsBack()
{
    const QString city = QStringLiteral("乌鲁木齐 & <北京>");
    TXMLStringWriter writer;
    writer.writeHeader();
    writer.writeTag(QStringLiteral("ClientConfig"), TXMLWriter::OpenTag);
    writer.writeTag(QStringLiteral("ordercity"), TXMLWriter::OpenTag);
    writer.writeEscaped(city);
    writer.writeTag(QStringLiteral("ordercity"), TXMLWriter::CloseTagInline);
    writer.writeTag(QStringLiteral("sendkey"), TXMLWriter::OpenTag);
    writer.writeRaw(QStringLiteral("1"));
    writer.writeTag(QStringLiteral("sendkey"), TXMLWriter::CloseTagInline);
    writer.writeTag(QStringLiteral("ClientConfig"), TXMLWriter::CloseTag);

    const auto document = TXMLStringReader::parseBytes(writer.resultBytes());
    QCOMPARE(document->pathText(QStringLiteral("\\ClientConfig\\ordercity")), city);
    QCOMPARE(document->findPath(QStringLiteral("\\ClientConfig\\sendkey"))->integerValue(), 1);
}

void XmlWriterTest::closingMoreThanOpenedStaysAtTheLeftMargin()
{
    TXMLStringWriter writer;
    writer.writeTag(QStringLiteral("a"), TXMLWriter::CloseTag);
    writer.writeTag(QStringLiteral("b"), TXMLWriter::CloseTagInline);
    writer.writeTag(QStringLiteral("c"), TXMLWriter::EmptyTag);
    QCOMPARE(writer.depth(), 0);
    QCOMPARE(writer.resultBytes(), QByteArray("\r\n</a></b>\r\n<c/>"));
}

QTEST_APPLESS_MAIN(XmlWriterTest)
#include "tst_XmlWriter.moc"
