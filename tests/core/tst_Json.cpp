#include "core/JsonNode.h"
#include "core/JsonParser.h"
#include "core/JsonValue.h"

#include <QtTest>
#include <clocale>

using Kind = JsonNode::Kind;

class JsonTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typeTagsOfTheSevenKinds();
    void scalars_data();
    void scalars();
    void extendedPrecisionNumbers();
    void stringEscapesAndTrimming();
    void listCommasAreOptional();
    void objectsKeepDuplicatesButIndexTheFirst();
    void fieldLookupIsExactAndBounded();
    void nameIndexOfLargeAndHandBuiltObjects();
    void trailingTextIsIgnored();
    void treeOutlivesAndIgnoresItsSourceText();
    void invalidTexts_data();
    void invalidTexts();
    void nestingIsBounded();
    void valueToText_data();
    void valueToText();
    void valueToInteger();
    void typedReadsByPosition();
    void numbersIgnoreTheSystemLocale();
    void listingRowsAsTheServiceSendsThem();
};

void JsonTest::typeTagsOfTheSevenKinds()
{
    QCOMPARE(JsonNode().typeTag(), QStringLiteral("jsBase"));
    QCOMPARE(ParseJson(QStringLiteral("1"))->typeTag(), QStringLiteral("jsNumber"));
    QCOMPARE(ParseJson(QStringLiteral("\"a\""))->typeTag(), QStringLiteral("jsString"));
    QCOMPARE(ParseJson(QStringLiteral("false"))->typeTag(), QStringLiteral("jsBoolean"));
    QCOMPARE(ParseJson(QStringLiteral("null"))->typeTag(), QStringLiteral("jsNull"));
    QCOMPARE(ParseJson(QStringLiteral("[]"))->typeTag(), QStringLiteral("jsList"));
    QCOMPARE(ParseJson(QStringLiteral("{}"))->typeTag(), QStringLiteral("jsObject"));
    QVERIFY(!JsonNode().value().isValid());
}

void JsonTest::scalars_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QVariant>("value");
    auto row = [](const char* text, Kind kind, const QVariant& value) {
        QTest::newRow(text) << QString::fromUtf8(text) << int(kind) << value;
    };
    row("true", Kind::Boolean, true);
    row("false", Kind::Boolean, false);
    row("null", Kind::Null, QVariant());
    row("0", Kind::Number, 0.0);
    row("-12", Kind::Number, -12.0);
    row("+5", Kind::Number, 5.0);
    row("2.5", Kind::Number, 2.5);
    row("-0.5e-3", Kind::Number, -0.0005);
    row("1.5E+2", Kind::Number, 150.0);
    row("7e2", Kind::Number, 700.0);
    row("  \r\n\t\"x\"", Kind::String, QStringLiteral("x"));
    row("\"\"", Kind::String, QString());
}

void JsonTest::scalars()
{
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(QVariant, value);
    const auto node = ParseJson(text);
    QVERIFY(node);
    QCOMPARE(int(node->kind()), kind);
    QCOMPARE(node->value(), value);
    QCOMPARE(node->count(), 0);
    QVERIFY(!node->child(0));
}

void JsonTest::extendedPrecisionNumbers()
{
    // 20 digits below 2^64 need more than a double's 53-bit mantissa.
    const auto node = ParseJson(QStringLiteral("12345678901234567891"));
    QCOMPARE(node->number(), 12345678901234567891.0L);
    QVERIFY(static_cast<long double>(static_cast<double>(node->number())) != node->number());
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("^JSON text rejected: unreadable number"));
    QVERIFY(!ParseJson(QStringLiteral("1e99999")));
}

void JsonTest::stringEscapesAndTrimming()
{
    QCOMPARE(ParseJson(QStringLiteral("\"a\\\"b\\\\c\\/d\""))->string(),
             QStringLiteral("a\"b\\c/d"));
    QCOMPARE(ParseJson(QStringLiteral("\"1\\b2\\f3\\n4\\r5\\t6\""))->string(),
             QStringLiteral("1\b2\f3\n4\r5\t6"));
    QCOMPARE(ParseJson(QStringLiteral("\"\\u4e2d\\u6587\""))->string(), QStringLiteral("中文"));
    QCOMPARE(ParseJson(QStringLiteral("\"\\ud83d\\ude9a\""))->string(),
             QStringLiteral("\U0001F69A"));
    QCOMPARE(ParseJson(QStringLiteral("\"a\\qb\""))->string(), QStringLiteral("ab"));
    QCOMPARE(ParseJson(QStringLiteral("\"上海 浦东\""))->string(), QStringLiteral("上海 浦东"));
    // Trimmed after the escapes are read: an escaped line break at an end goes too.
    QCOMPARE(ParseJson(QStringLiteral("\"\\n  x \\t\""))->string(), QStringLiteral("x"));
    QCOMPARE(ParseJson(QStringLiteral("{\"a\": \"  b  \"}"))->field(QStringLiteral("a"))->string(),
             QStringLiteral("b"));
    QCOMPARE(ParseJson(QStringLiteral("{\" name \": 1}"))->fieldName(0), QStringLiteral("name"));
    // A wide space is content, not padding.
    QCOMPARE(ParseJson(QStringLiteral("\"\u3000x\""))->string(), QStringLiteral("\u3000x"));
}

void JsonTest::listCommasAreOptional()
{
    for (const char* text : {"[1, 2,]", "[1 2]", "[ 1 , 2 ]", "[1\n2\n]"}) {
        const auto list = ParseJson(QString::fromLatin1(text));
        QVERIFY2(list, text);
        QCOMPARE(list->kind(), Kind::List);
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->child(1)->value(), QVariant(2.0));
    }
    QCOMPARE(ParseJson(QStringLiteral("[]"))->count(), 0);
    QCOMPARE(ParseJson(QStringLiteral("[\"a\"\"b\"truefalse null]"))->count(), 5);
    QCOMPARE(ParseJson(QStringLiteral("{\"a\":1 \"b\":2,}"))->count(), 2);
}

void JsonTest::objectsKeepDuplicatesButIndexTheFirst()
{
    const auto object = ParseJson(QStringLiteral("{\"a\":1,\"b\":true,\"a\":2}"));
    QCOMPARE(object->count(), 3);
    QCOMPARE(object->field(QStringLiteral("a"))->value(), QVariant(1.0));
    QCOMPARE(object->child(2)->value(), QVariant(2.0));
    QCOMPARE(object->fieldName(2), QStringLiteral("a"));
    QCOMPARE(object->fieldByPosition(2)->value(), QVariant(1.0));
    QCOMPARE(object->fieldByPosition(1)->value(), QVariant(true));
}

void JsonTest::fieldLookupIsExactAndBounded()
{
    const auto object = ParseJson(QStringLiteral("{\"title\":\"x\",\"中文\":[1]}"));
    QVERIFY(object->field(QStringLiteral("title")));
    QVERIFY(!object->field(QStringLiteral("Title")));
    QVERIFY(!object->field(QStringLiteral("titl")));
    QCOMPARE(object->field(QStringLiteral("中文"))->count(), 1);
    QVERIFY(!object->child(2));
    QVERIFY(!object->child(-1));
    QVERIFY(!object->fieldByPosition(2));
    QVERIFY(!object->fieldByPosition(-1));
    QCOMPARE(object->fieldName(5), QString());
    const auto list = ParseJson(QStringLiteral("[{\"a\":1}]"));
    QVERIFY(!list->field(QStringLiteral("a")));
    QVERIFY(!list->fieldByPosition(0));
    QCOMPARE(list->fieldName(0), QString());
}

void JsonTest::nameIndexOfLargeAndHandBuiltObjects()
{
    // Names in an order unlike their sorted order, every tenth one repeated later.
    QStringList fields;
    for (int i = 0; i < 1000; ++i) {
        fields << QStringLiteral("\"f%1\":%2").arg((i * 7919) % 1000).arg(i);
    }
    for (int i = 0; i < 1000; i += 10) {
        fields << QStringLiteral("\"f%1\":-1").arg((i * 7919) % 1000);
    }
    const auto object =
        ParseJson(QLatin1Char('{') + fields.join(QLatin1Char(',')) + QLatin1Char('}'));
    QCOMPARE(object->count(), 1100);
    for (int i = 0; i < 1000; ++i) {
        const JsonNode* value = object->field(QStringLiteral("f%1").arg((i * 7919) % 1000));
        QVERIFY(value);
        QCOMPARE(value->toInteger(), qint64(i));
    }
    QCOMPARE(object->fieldByPosition(1099)->toInteger(), qint64(990));
    QVERIFY(!object->field(QStringLiteral("f1000")));

    JsonNode built(Kind::Object);
    built.addField(QStringLiteral("b"), JsonNode::makeNumber(1));
    built.addField(QStringLiteral("a"), JsonNode::makeString(QStringLiteral("x")));
    built.addField(QStringLiteral("b"), JsonNode::makeNumber(2));
    QCOMPARE(built.count(), 3);
    QCOMPARE(built.field(QStringLiteral("b"))->toInteger(), qint64(1));
    QCOMPARE(built.field(QStringLiteral("a"))->toText(), QStringLiteral("x"));
    QVERIFY(!built.field(QStringLiteral("c")));
}

void JsonTest::treeOutlivesAndIgnoresItsSourceText()
{
    // Texts and names are read in place from the parsed text: the tree must not depend on
    // the caller's string staying alive or unchanged.
    std::unique_ptr<JsonNode> root;
    {
        QString text;
        for (int i = 0; i < 300; ++i) {
            text += QStringLiteral("{\"id\":\" %1 \",\"t\\u0069tle\":\"上海\\n到%1\"},").arg(i);
        }
        text = QLatin1Char('[') + text + QLatin1Char(']');
        root = ParseJson(text);
        text.fill(QLatin1Char('x'));
    }
    QVERIFY(root);
    QCOMPARE(root->count(), 300);
    for (int i : {0, 150, 299}) {
        const JsonNode* row = root->child(i);
        QCOMPARE(row->fieldName(1), QStringLiteral("title"));
        QCOMPARE(row->field(QStringLiteral("id"))->toText(), QString::number(i));
        QCOMPARE(row->textAt(1), QStringLiteral("上海\n到%1").arg(i));
    }
}

void JsonTest::trailingTextIsIgnored()
{
    QCOMPARE(ParseJson(QStringLiteral("{\"a\":1} garbage ]"))->count(), 1);
    QCOMPARE(ParseJson(QStringLiteral("1 2"))->value(), QVariant(1.0));
    QCOMPARE(ParseJson(QStringLiteral("truex"))->value(), QVariant(true));
    QCOMPARE(ParseJson(QStringLiteral("[1]]"))->count(), 1);
    QCOMPARE(ParseJson(QStringLiteral("12abc"))->value(), QVariant(12.0));
}

void JsonTest::invalidTexts_data()
{
    QTest::addColumn<QString>("text");
    for (const char* text : {"",
                             "   ",
                             "abc",
                             "True",
                             "NULL",
                             "\"open",
                             "\"ends in backslash\\",
                             "[1,,2]",
                             "[,]",
                             "[1,2",
                             "[tru]",
                             "{\"a\" 1}",
                             "{\"a\":}",
                             "{\"a\":1,,}",
                             "{1:2}",
                             "{\"a\":1",
                             "-",
                             "+",
                             ".5",
                             "\"\\u12G4\"",
                             "\"\\u12\"",
                             "[\"a\" \"b]",
                             "{\"a\":[1,2}",
                             "]"}) {
        QTest::newRow(text) << QString::fromLatin1(text);
    }
}

void JsonTest::invalidTexts()
{
    QFETCH(QString, text);
    if (!text.isEmpty()) {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^JSON text rejected: .+ at offset"));
    }
    QVERIFY(!ParseJson(text));
}

void JsonTest::nestingIsBounded()
{
    const int limit = JsonParser::kMaxDepth;
    const QString fits = QString(limit, QLatin1Char('[')) + QString(limit, QLatin1Char(']'));
    const auto root = ParseJson(fits);
    QVERIFY(root);
    const JsonNode* node = root.get();
    int depth = 1;
    while (node->count() == 1) {
        node = node->child(0);
        ++depth;
    }
    QCOMPARE(depth, limit);
    // The depth bound, not the end of the text, is what rejects the deeper ones.
    const QRegularExpression tooDeep("^JSON text rejected: nested too deeply");
    QTest::ignoreMessage(QtWarningMsg, tooDeep);
    QVERIFY(
        !ParseJson(QString(limit + 1, QLatin1Char('[')) + QString(limit + 1, QLatin1Char(']'))));
    // An object needs a named field before another object can open.
    QTest::ignoreMessage(QtWarningMsg, "JSON text rejected: object not closed at offset 1");
    QVERIFY(!ParseJson(QString(200000, QLatin1Char('{'))));
    QTest::ignoreMessage(QtWarningMsg, tooDeep);
    QVERIFY(!ParseJson(QStringLiteral("{\"a\":").repeated(100000)));
}

void JsonTest::valueToText_data()
{
    QTest::addColumn<QString>("json");
    QTest::addColumn<QString>("text");
    auto row = [](const char* json, const char* text) {
        QTest::newRow(json) << QString::fromUtf8(json) << QString::fromUtf8(text);
    };
    row("12", "12");
    row("2.5", "2.5");
    row("-0.25", "-0.25");
    row("0.0001", "0.0001");
    row("0.00001", "1E-5");
    row("1e20", "1E20");
    row("123456789012345", "123456789012345");
    row("1234567890123456", "1.23456789012346E15");
    row("0.1", "0.1");
    row("-0", "0");
    row("true", "True");
    row("false", "False");
    row("null", "");
    row("\"01\"", "01");
    row("\"中文\"", "中文");
}

void JsonTest::valueToText()
{
    QFETCH(QString, json);
    QFETCH(QString, text);
    QCOMPARE(ParseJson(json)->toText(), text);
    QCOMPARE(JsonValueToText(ParseJson(json)->value()), text);
}

void JsonTest::valueToInteger()
{
    struct Case
    {
        const char* json;
        bool ok;
        qint64 value;
    };
    const Case cases[] = {{"12", true, 12},
                          {"2.5", true, 3},
                          {"-2.5", true, -3},
                          {"2.4", true, 2},
                          {"\"42\"", true, 42},
                          {"\" -7 \"", true, -7},
                          {"\"4.5\"", false, 0},
                          {"\"abc\"", false, 0},
                          {"null", false, 0},
                          {"[1]", false, 0},
                          {"1e300", false, 0},
                          {"true", true, 1},
                          {"9007199254740992", true, 9007199254740992LL}};
    for (const Case& c : cases) {
        bool ok = !c.ok;
        QCOMPARE(ParseJson(QString::fromLatin1(c.json))->toInteger(&ok), c.value);
        QVERIFY2(ok == c.ok, c.json);
    }
    QCOMPARE(JsonValueToInteger(QVariant()), qint64(0));
}

void JsonTest::typedReadsByPosition()
{
    const auto list = ParseJson(QStringLiteral("[7, \"t\", true, 1.5, null]"));
    QCOMPARE(list->intAt(0), qint64(7));
    QCOMPARE(list->intAt(1), qint64(0));
    QCOMPARE(list->textAt(1), QStringLiteral("t"));
    QCOMPARE(list->textAt(0), QString());
    QVERIFY(list->booleanAt(2));
    QVERIFY(!list->booleanAt(4));
    QCOMPARE(list->doubleAt(3), 1.5);
    QCOMPARE(list->doubleAt(9), 0.0);
    QCOMPARE(list->intAt(-1), qint64(0));
}

void JsonTest::numbersIgnoreTheSystemLocale()
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const QByteArray saved = previous ? QByteArray(previous) : QByteArray("C");
    const bool switched =
        std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_ALL, "fr_FR.UTF-8");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const auto node = ParseJson(QStringLiteral("[2.5, 1234.75]"));
    QCOMPARE(node->doubleAt(0), 2.5);
    QCOMPARE(node->child(1)->toText(), QStringLiteral("1234.75"));
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_ALL, saved.constData());
    if (!switched) {
        qInfo("no comma-decimal C locale installed; checked with a German Qt default locale");
    }
}

void JsonTest::listingRowsAsTheServiceSendsThem()
{
    const QString text = QStringLiteral(
        "[{\"id\":\"1001\",\"title\":\"上海到北京 钢材30吨\",\"itype\":\"0\","
        "\"issueat\":\"2024-05-01 10:00:00\",\"senderid\":\"zhang\",\"contact\":\"  王先生 \","
        "\"position\":\"上海\"},"
        "{\"id\":1002,\"title\":\"车辆 9.6米\",\"itype\":1,\"issueat\":\"2024-05-01\","
        "\"senderid\":\"li\",\"contact\":\"\",\"position\":\"\"}]");
    const auto rows = ParseJson(text);
    QVERIFY(rows && rows->isList());
    QCOMPARE(rows->count(), 2);
    const JsonNode* first = rows->child(0);
    QCOMPARE(first->field(QStringLiteral("title"))->toText(),
             QStringLiteral("上海到北京 钢材30吨"));
    QCOMPARE(first->field(QStringLiteral("contact"))->toText(), QStringLiteral("王先生"));
    QCOMPARE(first->field(QStringLiteral("id"))->toInteger(), qint64(1001));
    const JsonNode* second = rows->child(1);
    QCOMPARE(second->field(QStringLiteral("id"))->toText(), QStringLiteral("1002"));
    QCOMPARE(second->field(QStringLiteral("itype"))->toInteger(), qint64(1));
    QVERIFY(!second->field(QStringLiteral("missing")));
}

QTEST_APPLESS_MAIN(JsonTest)
#include "tst_Json.moc"
