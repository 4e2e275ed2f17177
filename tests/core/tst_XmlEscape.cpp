#include "core/XmlEscape.h"

#include <QXmlStreamReader>
#include <QtTest>
#include <string_view>

namespace {

// A text from UTF-16 code units, NUL included.
QString units(std::u16string_view view)
{
    return QString::fromUtf16(view.data(), int(view.size()));
}

using namespace std::literals;

} // namespace

class XmlEscapeTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void markupIsEscapedForItsPlace();
    void forbiddenCharactersAreDropped_data();
    void forbiddenCharactersAreDropped();
    void everyCodeUnitReadsBackFromAnElementAndAnAttribute();
};

void XmlEscapeTest::markupIsEscapedForItsPlace()
{
    const QString markup = QStringLiteral("R&D <老张> 'x' \"y\"");
    QCOMPARE(XmlEscape::text(markup), QStringLiteral("R&amp;D &lt;老张&gt; 'x' \"y\""));
    QCOMPARE(XmlEscape::attribute(markup),
             QStringLiteral("R&amp;D &lt;老张&gt; &apos;x&apos; &quot;y&quot;"));
    // Line breaks and tabs stay in element text; in an attribute they are references, since a
    // reader turns them into spaces otherwise.
    QCOMPARE(XmlEscape::text(QStringLiteral("a\tb\r\nc")), QStringLiteral("a\tb\r\nc"));
    QCOMPARE(XmlEscape::attribute(QStringLiteral("a\tb\r\nc")),
             QStringLiteral("a&#9;b&#13;&#10;c"));
    QCOMPARE(XmlEscape::allowedOnly(markup), markup);
    QCOMPARE(XmlEscape::text(QString()), QString());
}

void XmlEscapeTest::forbiddenCharactersAreDropped_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("kept");
    const QChar high(0xD83D), low(0xDE00); // U+1F600 as a pair
    QTest::newRow("vertical tab from pasted text")
        << QStringLiteral("钢材\v20吨") << QStringLiteral("钢材20吨");
    QTest::newRow("NUL, form feed, escape, U+001F")
        << units(u"a\u0000b\u000Cc\u001Bd\u001Fe"sv) << QStringLiteral("abcde");
    QTest::newRow("U+FFFE and U+FFFF") << units(u"x\uFFFEy\uFFFFz"sv) << QStringLiteral("xyz");
    QTest::newRow("lone high surrogate at the end")
        << QStringLiteral("ab") + high << QStringLiteral("ab");
    QTest::newRow("lone low surrogate")
        << QStringLiteral("a") + low + QStringLiteral("b") << QStringLiteral("ab");
    QTest::newRow("pair in the wrong order")
        << QStringLiteral("a") + low + high + QStringLiteral("b") << QStringLiteral("ab");
    QTest::newRow("high surrogate before a letter")
        << QStringLiteral("a") + high + QStringLiteral("b") << QStringLiteral("ab");
    QTest::newRow("a whole pair stays")
        << QStringLiteral("a") + high + low << QStringLiteral("a") + high + low;
    QTest::newRow("edges of the allowed ranges stay")
        << units(u"\u0020\uD7FF\uE000\uFFFD"sv) << units(u" \uD7FF\uE000\uFFFD"sv);
    QTest::newRow("DEL and C1 controls stay")
        << units(u"\u007F\u0085"sv) << units(u"\u007F\u0085"sv);
}

void XmlEscapeTest::forbiddenCharactersAreDropped()
{
    QFETCH(QString, value);
    QFETCH(QString, kept);
    QCOMPARE(XmlEscape::allowedOnly(value), kept);
    QCOMPARE(XmlEscape::text(value), kept);
    QCOMPARE(XmlEscape::attribute(value), kept);
}

void XmlEscapeTest::everyCodeUnitReadsBackFromAnElementAndAnAttribute()
{
    // Every UTF-16 code unit, a complete surrogate pair, and the markup characters.
    QString all;
    for (int unit = 0; unit <= 0xFFFF; ++unit)
        all += QChar(unit);
    all += QChar(0xD83D);
    all += QChar(0xDE00);
    all += QStringLiteral("&<>'\"]]>");
    const QString document = QStringLiteral("<a v='") + XmlEscape::attribute(all) +
                             QStringLiteral("' w=\"") + XmlEscape::attribute(all) +
                             QStringLiteral("\">") + XmlEscape::text(all) + QStringLiteral("</a>");
    // What an XML reader must give back: everything but the forbidden characters. Element
    // text keeps a lone CR only as a line feed (end-of-line handling).
    const QString expected = XmlEscape::allowedOnly(all);
    QVERIFY(expected.size() < all.size());

    QXmlStreamReader reader(document.toUtf8());
    QVERIFY(reader.readNextStartElement());
    QCOMPARE(reader.attributes().value(QLatin1String("v")).toString(), expected);
    QCOMPARE(reader.attributes().value(QLatin1String("w")).toString(), expected);
    QString text = reader.readElementText();
    QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
    QCOMPARE(text, QString(expected).replace(QLatin1Char('\r'), QLatin1Char('\n')));
}

QTEST_GUILESS_MAIN(XmlEscapeTest)
#include "tst_XmlEscape.moc"
