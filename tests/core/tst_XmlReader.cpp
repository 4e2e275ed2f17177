#include "core/CoreError.h"
#include "core/Gbk.h"
#include "core/TXMLNode.h"
#include "core/TXMLStringReader.h"
#include "core/TXMLStringReaderPro.h"

#include <QBuffer>
#include <QtTest>

namespace {

std::unique_ptr<TXMLNode> parse(const QByteArray& gbk)
{
    return TXMLStringReader::parseBytes(gbk);
}

QString parseError(const QByteArray& gbk)
{
    try {
        parse(gbk);
    } catch (const CoreError& error) {
        return error.message();
    }
    return QStringLiteral("<parsed>");
}

const QByteArray kSettings = "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n"
                             "<ClientConfig>\r\n"
                             "  <login remember=\"1\">\r\n"
                             "    <username>zhang</username>\r\n"
                             "    <password>3FA40E8A984D4815</password>\r\n"
                             "  </login>\r\n"
                             "  <ordercity>\xC9\xCF\xBA\xA3</ordercity>\r\n"
                             "</ClientConfig>";

} // namespace

class XmlReaderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rootOnlyDocumentParses();
    void declarationBecomesItsOwnNode();
    void treeOfASettingsDocument();
    void textOfElementsWithAndWithoutChildren();
    void cdataCommentsAndProcessingInstructions();
    void references();
    void attributeValuesAndQuotes();
    void namesEndAtGbkBytes();
    void pathLookupQuirks();
    void childByNameAndOccurrence();
    void integerValues_data();
    void integerValues();
    void errorMessages_data();
    void errorMessages();
    void nestingIsBounded();
    void readerProLoadsAndStripsText();
    void addAndRemoveChildren();
    void editedParsedTrees();
    void repeatedTextsStayApart();
    void failedReadLeavesNothingBehind();
};

void XmlReaderTest::rootOnlyDocumentParses()
{
    const auto document = parse("<root/>");
    QCOMPARE(document->kind(), TXMLNode::Document);
    QVERIFY(document->nameBytes().isEmpty());
    QCOMPARE(document->childCount(), 1);
    QCOMPARE(document->child(0)->name(), QStringLiteral("root"));
    QCOMPARE(document->child(0)->kind(), TXMLNode::Element);
    QVERIFY(!document->child(1));
    QVERIFY(!document->child(-1));
    // Whatever follows the root is ignored.
    QCOMPARE(parse("\r\n<root></root>\r\n<!-- end --> trailing <junk")->childCount(), 1);
}

void XmlReaderTest::declarationBecomesItsOwnNode()
{
    const auto document = parse("<?xml version=\"1.0\" encoding='gb2312' ?><r/>");
    QCOMPARE(document->childCount(), 2);
    const TXMLNode* declaration = document->child(0);
    QCOMPARE(declaration->kind(), TXMLNode::XmlDeclaration);
    QCOMPARE(declaration->childCount(), 2);
    QCOMPARE(declaration->child(0)->kind(), TXMLNode::Attribute);
    QCOMPARE(declaration->child(0)->name(), QStringLiteral("version"));
    QCOMPARE(declaration->child(1)->text(), QStringLiteral("gb2312"));
    QCOMPARE(document->child(1)->name(), QStringLiteral("r"));
    // A stream that starts with a line break still has its declaration read.
    QCOMPARE(parse("\r\n<?xml version=\"1.0\"?><r/>")->child(0)->kind(), TXMLNode::XmlDeclaration);
    // A name that only starts with "xml" is an ordinary processing instruction.
    QCOMPARE(parse("<?xml-stylesheet href=\"a\"?><r/>")->child(0)->kind(),
             TXMLNode::ProcessingInstruction);
}

void XmlReaderTest::treeOfASettingsDocument()
{
    const auto document = parse(kSettings);
    QCOMPARE(document->pathText(QStringLiteral("\\ClientConfig\\login\\username")),
             QStringLiteral("zhang"));
    QCOMPARE(document->pathText(QStringLiteral("\\ClientConfig\\ordercity")),
             QStringLiteral("上海"));
    const TXMLNode* login = document->findPath(QStringLiteral("\\ClientConfig\\login"));
    QVERIFY(login);
    QCOMPARE(login->childCount(), 3);
    QCOMPARE(login->child(0)->kind(), TXMLNode::Attribute);
    QCOMPARE(login->child(0)->name(), QStringLiteral("remember"));
    QCOMPARE(login->child(1)->name(), QStringLiteral("username"));
}

void XmlReaderTest::textOfElementsWithAndWithoutChildren()
{
    const auto document = parse("<a>\r\n  <b> x y </b>\t<c/>\n</a>");
    const TXMLNode* a = document->child(0);
    QCOMPARE(a->textBytes(), QByteArray("\r\n  \t\n"));
    QCOMPARE(a->child(0)->textBytes(), QByteArray(" x y "));
    QVERIFY(a->child(1)->textBytes().isEmpty());
    // Character data around a child is concatenated in document order.
    QCOMPARE(parse("<a>one<b/>two<c>inner</c>three</a>")->child(0)->textBytes(),
             QByteArray("onetwothree"));
}

void XmlReaderTest::cdataCommentsAndProcessingInstructions()
{
    const auto document =
        parse("<?app first?><!-- lead --><a>x<![CDATA[<b>&amp;]]>y<!-- gone -->z<?pi data ?></a>");
    QCOMPARE(document->childCount(), 2);
    QCOMPARE(document->child(0)->kind(), TXMLNode::ProcessingInstruction);
    QCOMPARE(document->child(0)->name(), QStringLiteral("app"));
    QCOMPARE(document->child(0)->textBytes(), QByteArray(" first"));
    const TXMLNode* a = document->child(1);
    QCOMPARE(a->textBytes(), QByteArray("x<b>&amp;yz"));
    QCOMPARE(a->childCount(), 1);
    QCOMPARE(a->child(0)->kind(), TXMLNode::ProcessingInstruction);
    QCOMPARE(a->child(0)->textBytes(), QByteArray(" data "));
    QCOMPARE(parse("<a><!----></a>")->child(0)->childCount(), 0);
}

void XmlReaderTest::references()
{
    QCOMPARE(parse("<a>&#196;&#227;</a>")->child(0)->textBytes(), QByteArray("\xC4\xE3"));
    QCOMPARE(parse("<a>&#196;&#227;</a>")->child(0)->text(), QStringLiteral("你"));
    QCOMPARE(parse("<a>&#x41;&#x6a;</a>")->child(0)->textBytes(), QByteArray("Aj"));
    QCOMPARE(parse("<a>&amp;&lt;&gt;&quot;&apos;</a>")->child(0)->textBytes(),
             QByteArray("&<>\"'"));
    // Only the low 8 bits of a larger value count.
    QCOMPARE(parse("<a>&#321;&#x141;</a>")->child(0)->textBytes(), QByteArray("AA"));
    QCOMPARE(parse("<a>&#0;</a>")->child(0)->textBytes(), QByteArray(1, '\0'));
    // A reference cut short by "<" keeps the tag that follows.
    const auto cut = parse("<a>&amp<b/></a>");
    QCOMPARE(cut->child(0)->textBytes(), QByteArray("&"));
    QCOMPARE(cut->child(0)->child(0)->name(), QStringLiteral("b"));
}

void XmlReaderTest::attributeValuesAndQuotes()
{
    const auto document = parse("<a x = 'say \"hi\"' y=\"it's\" z=\"&#196;&#227;&amp;\"/>");
    const TXMLNode* a = document->child(0);
    QCOMPARE(a->childCount(), 3);
    QCOMPARE(a->child(0)->textBytes(), QByteArray("say \"hi\""));
    QCOMPARE(a->child(1)->textBytes(), QByteArray("it's"));
    QCOMPARE(a->child(2)->text(), QStringLiteral("你&"));
    QCOMPARE(a->findChild(QStringLiteral("y"))->kind(), TXMLNode::Attribute);
}

void XmlReaderTest::namesEndAtGbkBytes()
{
    QCOMPARE(parseError("<a\xC4\xE3>x</a\xC4\xE3>"), QStringLiteral("Tag not terminated properly"));
    // B7 is the one byte above 7F that continues a name.
    QCOMPARE(parse("<a\xB7-.9_:b/>")->child(0)->nameBytes(), QByteArray("a\xB7-.9_:b"));
    QCOMPARE(parseError("<\xC4\xE3/>"), QStringLiteral("Missing element"));
    QCOMPARE(parseError("<r><a b\xC4\xE3=\"1\"/></r>"),
             QStringLiteral("Equals sign missing in attribute"));
}

void XmlReaderTest::pathLookupQuirks()
{
    const auto document = parse(kSettings);
    QVERIFY(!document->findPath(QStringLiteral("ClientConfig")));
    QVERIFY(!document->findPath(QStringLiteral("\\Other\\login")));
    QVERIFY(!document->findPath(QStringLiteral("\\")));
    QVERIFY(!document->findPath(QString()));
    QCOMPARE(document->pathText(QStringLiteral("\\Other\\login")), QString());
    // A missing leaf gives the deepest node found: here the root, whose text is the
    // white space between its children.
    const TXMLNode* fallback = document->findPath(QStringLiteral("\\ClientConfig\\sendmsg"));
    QVERIFY(fallback);
    QCOMPARE(fallback->name(), QStringLiteral("ClientConfig"));
    QCOMPARE(fallback->textBytes(), QByteArray("\r\n  \r\n  \r\n"));
    QCOMPARE(document->findPath(QStringLiteral("\\ClientConfig\\nope\\username"))->name(),
             QStringLiteral("ClientConfig"));
    // One trailing backslash is dropped; the lookup is relative to the node it starts from.
    QCOMPARE(document->findPath(QStringLiteral("\\ClientConfig\\login\\"))->name(),
             QStringLiteral("login"));
    QCOMPARE(document->findPath(QStringLiteral("ClientConfig\\login"))->name(),
             QStringLiteral("login"));
    const TXMLNode* root = document->findPath(QStringLiteral("\\ClientConfig\\"));
    QCOMPARE(root->pathText(QStringLiteral("\\login\\password")),
             QStringLiteral("3FA40E8A984D4815"));
    // An attribute is found like an element when no element of its name comes first.
    QCOMPARE(document->pathText(QStringLiteral("\\ClientConfig\\login\\remember")),
             QStringLiteral("1"));
    const auto shadowed = parse("<r><e name=\"attr\"><name>elem</name></e></r>");
    QCOMPARE(shadowed->pathText(QStringLiteral("\\r\\e\\name")), QStringLiteral("attr"));
}

void XmlReaderTest::childByNameAndOccurrence()
{
    const auto document = parse("<r><c>1</c><d/><c>2</c><c>3</c></r>");
    const TXMLNode* r = document->child(0);
    QCOMPARE(r->findChild(QStringLiteral("c"))->text(), QStringLiteral("1"));
    QCOMPARE(r->findChild(QStringLiteral("c"), 2)->text(), QStringLiteral("3"));
    QVERIFY(!r->findChild(QStringLiteral("c"), 3));
    QVERIFY(!r->findChild(QStringLiteral("c"), -1));
    QVERIFY(!r->findChild(QStringLiteral("C")));
}

void XmlReaderTest::integerValues_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("decimal") << QByteArray("15222") << true << 15222;
    QTest::newRow("negative") << QByteArray("-7") << true << -7;
    QTest::newRow("hex") << QByteArray("$1F") << true << 31;
    QTest::newRow("spaces") << QByteArray(" 42 ") << true << 42;
    QTest::newRow("largest") << QByteArray("2147483647") << true << 2147483647;
    QTest::newRow("too large") << QByteArray("2147483648") << false << 0;
    QTest::newRow("empty") << QByteArray("") << false << 0;
    QTest::newRow("word") << QByteArray("abc") << false << 0;
    QTest::newRow("decimal point") << QByteArray("1.5") << false << 0;
    QTest::newRow("double sign") << QByteArray("--1") << false << 0;
    QTest::newRow("lone dollar") << QByteArray("$") << false << 0;
}

void XmlReaderTest::integerValues()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const auto document = parse("<port>" + text + "</port>");
    const TXMLNode* port = document->child(0);
    if (valid) {
        QCOMPARE(port->integerValue(), value);
        return;
    }
    try {
        port->integerValue();
        QFAIL("no error");
    } catch (const CoreError& error) {
        QCOMPARE(error.message(), QStringLiteral("Node \"port\" does not contain a valid integer"));
    }
}

void XmlReaderTest::errorMessages_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("message");
    auto row = [](const char* name, const QByteArray& input, const char* message) {
        QTest::newRow(name) << input << QString::fromUtf8(message);
    };
    row("end inside start tag", "<a", "Unexpected end of data");
    row("end inside attribute", "<a b='1", "Unexpected end of data");
    row("end inside comment", "<a><!-- x", "Unexpected end of data");
    row("end inside cdata", "<a><![CDATA[x", "Unexpected end of data");
    row("empty text", "", "Missing element");
    row("only spaces", " \r\n\t", "Missing element");
    row("plain text", "hello", "Missing element");
    row("only a comment", "<!-- c -->", "Missing element");
    row("only a declaration", "<?xml version=\"1.0\"?>", "Missing element");
    row("slash not closing", "<a/ >", "Tag not terminated properly");
    row("junk in start tag", "<a b='1' ?>", "Tag not terminated properly");
    row("attributes run together", "<a b='1'c='2'/>", "Tag not terminated properly");
    row("attributes run together, double quotes", "<a b=\"1\"c=\"2\">x</a>",
        "Tag not terminated properly");
    row("declaration attributes run together", "<?xml version='1.0'encoding='GBK'?><a/>",
        "XML declaration not terminated with \"?>\"");
    row("bad child tag", "<a>< b/></a>", "Tag not terminated properly");
    row("no end tag", "<a>text", "No ending tag for a");
    row("no end tag of child", "<a><b>text</a>",
        "End tag name \"a\" does not match start tag name \"b\"");
    row("end tag of other", "<a></b>", "End tag name \"b\" does not match start tag name \"a\"");
    row("end tag case", "<a></A>", "End tag name \"A\" does not match start tag name \"a\"");
    row("end tag attribute", "<a></a x>", "End tag missing \">\"");
    row("end tag cut", "<a></a", "End tag missing \">\"");
    row("attribute without equals", "<a b/>", "Equals sign missing in attribute");
    row("unquoted value", "<a b=1/>", "Attribute \"b\" missing value");
    row("lt in value", "<a b='x<y'/>", "Invalid character \"<\" in attribute value");
    row("cdata end in text", "<a>x]]>y</a>", "Character data cannot contain \"]]>\"");
    row("comment with three hyphens", "<a><!-- x ---></a>", "Comments cannot end in \"--->\"");
    row("doctype", "<!DOCTYPE a><a/>", "DocTypeDecl parsing not yet implemented");
    row("nameless instruction", "<?  ?><a/>", "Processing instruction does not contain valid name");
    row("second declaration", "<?xml version='1.0'?><?xml x?><a/>",
        "Processing instruction cannot have the reserved name \"xml\"");
    row("declaration in content", "<a><?xml x?></a>",
        "Processing instruction cannot have the reserved name \"xml\"");
    row("open instruction", "<a><?pi x</a>", "Unterminated processing instruction");
    row("declaration end", "<?xml version='1.0'><a/>",
        "XML declaration not terminated with \"?>\"");
    row("declaration cut", "<?xml version='1.0'", "XML declaration not terminated with \"?>\"");
    row("unknown entity", "<a>&nbsp;</a>", "Unrecognized reference(&nbsp)");
    row("bad hex reference", "<a>&#xZZ;</a>", "Invalid integer in reference &#xZZ;");
    row("empty reference number", "<a>&#;</a>", "Invalid integer in reference &#;");
    row("digits and letters", "<a b='&#12a;'/>", "Invalid integer in reference &#12a;");
}

void XmlReaderTest::errorMessages()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, message);
    QCOMPARE(parseError(input), message);
}

void XmlReaderTest::nestingIsBounded()
{
    const int allowed = TXMLStringReader::kMaxDepth;
    const QByteArray fits =
        QByteArray("<a>").repeated(allowed) + QByteArray("</a>").repeated(allowed);
    const auto document = parse(fits);
    const TXMLNode* node = document->child(0);
    int depth = 1;
    while (node->childCount() == 1) {
        node = node->child(0);
        ++depth;
    }
    QCOMPARE(depth, allowed);
    const QByteArray deep = QByteArray("<a>").repeated(100000);
    QCOMPARE(parseError(deep), QStringLiteral("Elements nested too deeply"));
}

void XmlReaderTest::readerProLoadsAndStripsText()
{
    QByteArray file =
        "  <?xml version=\"1.0\" encoding=\"gb2312\"?>\n<r>\n<a>\xC4\xE3</a>\r\n</r>  \n";
    QBuffer buffer(&file);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    TXMLStringReaderPro reader;
    QVERIFY(reader.loadFromStream(buffer));
    QVERIFY(reader.textBytes().startsWith("<?xml"));
    QVERIFY(reader.textBytes().contains("?>\r\n<r>\r\n<a>"));
    QVERIFY(reader.textBytes().endsWith("</r>"));
    QCOMPARE(reader.parse()->pathText(QStringLiteral("\\r\\a")), QStringLiteral("你"));

    reader.setText(QStringLiteral("   <r><b>二</b></r>   "));
    QCOMPARE(reader.text(), QStringLiteral("<r><b>二</b></r>"));
    QCOMPARE(reader.parse()->pathText(QStringLiteral("\\r\\b")), QStringLiteral("二"));
    // Only spaces are stripped, other white space stays part of the text.
    reader.setTextBytes("\t<r/> ");
    QCOMPARE(reader.textBytes(), QByteArray("\t<r/>"));

    QBuffer closed;
    QVERIFY(!reader.loadFromStream(closed));
    QVERIFY(reader.textBytes().isEmpty());
}

void XmlReaderTest::addAndRemoveChildren()
{
    TXMLNode root(TXMLNode::Element, "r");
    TXMLNode* a = root.addChild(TXMLNode::Element, "a");
    root.addChild(std::make_unique<TXMLNode>(TXMLNode::Element, "b"));
    QCOMPARE(root.childCount(), 2);
    std::unique_ptr<TXMLNode> detached = root.removeChild(a);
    QCOMPARE(detached.get(), a);
    QCOMPARE(root.childCount(), 1);
    QCOMPARE(root.child(0)->name(), QStringLiteral("b"));
    QVERIFY(!root.removeChild(a));
}

// The settings writer edits parsed trees: children are added to and removed from them, and a
// removed subtree may outlive its document or join another one.
void XmlReaderTest::editedParsedTrees()
{
    std::unique_ptr<TXMLNode> document = parse("<r><a k='1'><b>x</b></a><c/><d>y</d></r>");
    TXMLNode* root = document->findChildBytes("r");
    QVERIFY(root);
    TXMLNode* added = root->addChild(TXMLNode::Element, "e");
    added->setText("z");
    root->addChild(std::make_unique<TXMLNode>(TXMLNode::Element, "f"));
    QCOMPARE(root->childCount(), 5);
    const char* const order[] = {"a", "c", "d", "e", "f"};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(root->child(i)->nameBytes(), QByteArray(order[i]));
    }
    QCOMPARE(root->pathText(QStringLiteral("\\e")), QStringLiteral("z"));

    std::unique_ptr<TXMLNode> a = root->removeChild(root->child(0));
    std::unique_ptr<TXMLNode> d = root->removeChild(root->findChildBytes("d"));
    QCOMPARE(root->childCount(), 3);
    QCOMPARE(root->child(0)->nameBytes(), QByteArray("c"));
    document.reset();
    QCOMPARE(a->childCount(), 2);
    QCOMPARE(a->findChildBytes("k")->textBytes(), QByteArray("1"));
    QCOMPARE(a->findChildBytes("b")->textBytes(), QByteArray("x"));
    QCOMPARE(d->textBytes(), QByteArray("y"));

    // Into another parsed tree, then back out and into the first one's last survivor.
    std::unique_ptr<TXMLNode> other = parse("<s><t/></s>");
    TXMLNode* s = other->findChildBytes("s");
    TXMLNode* movedA = s->addChild(std::move(a));
    QCOMPARE(s->childCount(), 2);
    QCOMPARE(movedA->pathText(QStringLiteral("\\b")), QStringLiteral("x"));
    std::unique_ptr<TXMLNode> backA = s->removeChild(movedA);
    QCOMPARE(backA.get(), movedA);
    d->addChild(std::move(backA));
    other.reset();
    QCOMPARE(d->child(0)->findChildBytes("b")->textBytes(), QByteArray("x"));

    // A child removed and put back into its own tree goes with the tree.
    std::unique_ptr<TXMLNode> again = parse("<r><a><b>1</b></a><c/></r>");
    TXMLNode* r = again->findChildBytes("r");
    std::unique_ptr<TXMLNode> b = r->child(0)->removeChild(r->child(0)->child(0));
    r->findChildBytes("c")->addChild(std::move(b));
    QCOMPARE(r->findChildBytes("a")->childCount(), 0);
    QCOMPARE(r->findPathBytes("\\c\\b")->textBytes(), QByteArray("1"));
}

// Equal texts of different nodes and documents may share their bytes; changing one changes
// no other.
void XmlReaderTest::repeatedTextsStayApart()
{
    const QByteArray text = "<r a='v'><x>same</x><y>same</y><z a='v'/></r>";
    std::unique_ptr<TXMLNode> first = parse(text);
    std::unique_ptr<TXMLNode> second = parse(text);
    TXMLNode* x = first->findPathBytes("\\r\\x");
    x->appendText('!');
    first->findPathBytes("\\r\\z")->findChildBytes("a")->appendText("w", 1);
    QCOMPARE(x->textBytes(), QByteArray("same!"));
    QCOMPARE(first->findPathBytes("\\r\\y")->textBytes(), QByteArray("same"));
    QCOMPARE(second->findPathBytes("\\r\\x")->textBytes(), QByteArray("same"));
    QCOMPARE(first->findPathBytes("\\r\\a")->textBytes(), QByteArray("v"));
    QCOMPARE(first->findPathBytes("\\r\\z\\a")->textBytes(), QByteArray("vw"));
    QCOMPARE(second->findPathBytes("\\r\\z\\a")->textBytes(), QByteArray("v"));
}

// A document that fails deep inside leaves none of its nodes to the next one read.
void XmlReaderTest::failedReadLeavesNothingBehind()
{
    TXMLStringReaderPro reader;
    reader.setTextBytes("<?xml version='1.0'?><r><a k='1'><b>t</b><c x='2'>u");
    QVERIFY_EXCEPTION_THROWN(reader.parse(), CoreError);
    reader.setTextBytes("<?xml version='1.0'?><q><p/></q>");
    const std::unique_ptr<TXMLNode> document = reader.parse();
    QCOMPARE(document->childCount(), 2);
    QCOMPARE(document->child(0)->childCount(), 1);
    const TXMLNode* q = document->child(1);
    QCOMPARE(q->nameBytes(), QByteArray("q"));
    QCOMPARE(q->childCount(), 1);
    QCOMPARE(q->child(0)->nameBytes(), QByteArray("p"));
    QVERIFY(q->textBytes().isEmpty());
}

QTEST_APPLESS_MAIN(XmlReaderTest)
#include "tst_XmlReader.moc"
