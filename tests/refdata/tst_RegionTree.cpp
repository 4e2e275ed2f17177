#include "core/Gbk.h"
#include "refdata/RegionTree.h"

#include <QtTest>

namespace {

// A strict reader of the region tree text: [{"p":"name","c":[...]},...] with
// "p" first, no white space and no escapes. It rebuilds the tree so that the
// test does not rely on the tolerant JSON parser the program uses.
class StrictTreeReader
{
public:
    explicit StrictTreeReader(const QString& text) : m_text(text) {}

    bool read(QVector<RegionEntry>* entries)
    {
        return readList(entries, 1) && m_pos == m_text.size();
    }
    QString error() const { return QStringLiteral("%1 at %2").arg(m_error).arg(m_pos); }
    int deepest() const { return m_deepest; }

private:
    bool expect(const QString& token)
    {
        if (m_text.midRef(m_pos, token.size()) != token)
            return fail(QStringLiteral("expected %1").arg(token));
        m_pos += token.size();
        return true;
    }
    bool fail(const QString& what)
    {
        if (m_error.isEmpty())
            m_error = what;
        return false;
    }
    bool readName(QString* name)
    {
        if (!expect(QStringLiteral("\"")))
            return false;
        const int end = m_text.indexOf(QLatin1Char('"'), m_pos);
        if (end < 0)
            return fail(QStringLiteral("unterminated name"));
        *name = m_text.mid(m_pos, end - m_pos);
        for (const QChar ch : *name) {
            if (ch.unicode() <= 32 || ch == QLatin1Char('\\'))
                return fail(QStringLiteral("white space or escape in a name"));
        }
        m_pos = end + 1;
        return !name->isEmpty() || fail(QStringLiteral("empty name"));
    }
    bool readEntry(RegionEntry* entry, int level)
    {
        m_deepest = qMax(m_deepest, level);
        return expect(QStringLiteral("{\"p\":")) && readName(&entry->name) &&
               expect(QStringLiteral(",\"c\":")) && readList(&entry->children, level + 1) &&
               expect(QStringLiteral("}"));
    }
    bool readList(QVector<RegionEntry>* entries, int level)
    {
        if (!expect(QStringLiteral("[")))
            return false;
        if (m_text.midRef(m_pos, 1) == QLatin1String("]")) {
            ++m_pos;
            return true;
        }
        for (;;) {
            RegionEntry entry;
            if (!readEntry(&entry, level))
                return false;
            entries->append(entry);
            if (m_text.midRef(m_pos, 1) != QLatin1String(","))
                return expect(QStringLiteral("]"));
            ++m_pos;
        }
    }

    QString m_text;
    int m_pos = 0;
    int m_deepest = 0;
    QString m_error;
};

QStringList names(const QVector<RegionEntry>& entries)
{
    QStringList result;
    for (const RegionEntry& entry : entries)
        result.append(entry.name);
    return result;
}

bool sameTree(const QVector<RegionEntry>& a, const QVector<RegionEntry>& b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (a.at(i).name != b.at(i).name || !sameTree(a.at(i).children, b.at(i).children))
            return false;
    }
    return true;
}

const QStringList TopLevelOrder{
    "请选择", "北京", "上海", "天津", "重庆", "河北", "山西", "辽宁",   "吉林",   "江苏", "浙江",
    "安徽",   "福建", "江西", "山东", "河南", "湖北", "湖南", "广东",   "广西",   "海南", "四川",
    "贵州",   "云南", "西藏", "陕西", "甘肃", "青海", "宁夏", "内蒙古", "黑龙江", "新疆"};

} // namespace

class RegionTreeTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_text = RegionTree::builtInText();
        QVERIFY2(!m_text.isEmpty(), "the built-in region tree resource is missing");
        StrictTreeReader reader(m_text);
        QVERIFY2(reader.read(&m_strict), qPrintable(reader.error()));
        QCOMPARE(reader.deepest(), 3);
    }

    void textFollowsTheGrammarAndOrder()
    {
        QVERIFY(m_text.startsWith(QStringLiteral(
            "[{\"p\":\"请选择\",\"c\":[]},{\"p\":\"北京\",\"c\":[{\"p\":\"东城区\",")));
        QVERIFY(m_text.endsWith(QStringLiteral("]}]}]")));
        QCOMPARE(names(m_strict), TopLevelOrder);
        QVERIFY(m_strict.first().children.isEmpty());
    }

    void municipalitiesHoldOnlyDistrictsAndCounties()
    {
        for (const QString& name : MunicipalityNames()) {
            const RegionEntry& city = m_strict.at(TopLevelOrder.indexOf(name));
            QVERIFY2(city.children.size() >= 10, qPrintable(name));
            for (const RegionEntry& district : city.children)
                QVERIFY2(district.children.isEmpty(), qPrintable(name + "/" + district.name));
        }
        const QStringList beijing = names(m_strict.at(1).children);
        QCOMPARE(beijing.first(), QStringLiteral("东城区"));
        QVERIFY(beijing.contains(QStringLiteral("海淀区")));
        QVERIFY(names(m_strict.at(4).children).contains(QStringLiteral("巫溪县")));
    }

    void provincesHaveCitiesWithLeafCounties()
    {
        int cities = 0;
        int counties = 0;
        for (int i = 5; i < m_strict.size(); ++i) {
            const RegionEntry& province = m_strict.at(i);
            QVERIFY2(!province.children.isEmpty(), qPrintable(province.name));
            for (const RegionEntry& city : province.children) {
                ++cities;
                for (const RegionEntry& county : city.children) {
                    ++counties;
                    QVERIFY2(county.children.isEmpty(), qPrintable(county.name));
                }
            }
        }
        QVERIFY(cities > 300);
        QVERIFY(counties > 2000);
        const RegionEntry& hebei = m_strict.at(5);
        QCOMPARE(hebei.children.first().name, QStringLiteral("石家庄"));
        QVERIFY(names(hebei.children.first().children).contains(QStringLiteral("正定县")));
    }

    void groupingRowsAndZonesAreLeftOut()
    {
        // County-level units run by the province stand as cities of their own.
        const RegionEntry& hubei = m_strict.at(TopLevelOrder.indexOf("湖北"));
        QVERIFY(names(hubei.children).contains(QStringLiteral("仙桃")));
        const QStringList forbidden{"市辖区", "县", "省直辖县级行政区划", "自治区直辖县级行政区划"};
        std::function<void(const QVector<RegionEntry>&)> check;
        check = [&](const QVector<RegionEntry>& entries) {
            for (const RegionEntry& entry : entries) {
                QVERIFY2(!forbidden.contains(entry.name), qPrintable(entry.name));
                QVERIFY2(!entry.name.endsWith(QStringLiteral("开发区")), qPrintable(entry.name));
                check(entry.children);
            }
        };
        check(m_strict);
    }

    void namesFitGbkAndAreUniqueAmongSiblings()
    {
        std::function<void(const QVector<RegionEntry>&, const QString&)> check;
        check = [&](const QVector<RegionEntry>& entries, const QString& path) {
            QStringList seen;
            for (const RegionEntry& entry : entries) {
                const QString where = path + "/" + entry.name;
                QVERIFY2(Gbk::canEncode(entry.name), qPrintable(where));
                // The user profile keeps a province or city in 32 GBK bytes.
                QVERIFY2(Gbk::byteLength(entry.name) <= 32, qPrintable(where));
                // Selectors pick the first entry of a name; a twin would be unreachable.
                QVERIFY2(!seen.contains(entry.name), qPrintable(where));
                seen.append(entry.name);
                check(entry.children, where);
            }
        };
        check(m_strict, QString());
    }

    void sharedTreeMatchesTheText()
    {
        const RegionTree& tree = RegionTree::shared();
        QVERIFY(sameTree(tree.entries(), m_strict));
        QCOMPARE(&RegionTree::shared(), &tree);
        QCOMPARE(tree.count(), 32);
        QCOMPARE(tree.provinceNames(), TopLevelOrder.mid(1));
        QCOMPARE(tree.indexOf(QStringLiteral("新疆")), 31);
        QCOMPARE(tree.indexOf(QStringLiteral("台湾")), -1);
    }

    void accessorsAnswerEmptyOutsideTheTree()
    {
        const RegionTree& tree = RegionTree::shared();
        QVERIFY(tree.entry(-1) == nullptr);
        QVERIFY(tree.entry(32) == nullptr);
        QVERIFY(tree.child(5, -1) == nullptr);
        QVERIFY(tree.child(5, 10000) == nullptr);
        QVERIFY(tree.childNames(0).isEmpty());
        QVERIFY(tree.childNames(99).isEmpty());
        QVERIFY(tree.grandchildNames(1, 0).isEmpty());
        QVERIFY(tree.grandchildNames(5, 999).isEmpty());
        QCOMPARE(tree.grandchildNames(5, 0), names(m_strict.at(5).children.at(0).children));
    }

    void damagedTextsKeepPositions()
    {
        // A rejected text is logged, with the parser's reason where it has one.
        const QRegularExpression rejected("^region tree text rejected");
        QTest::ignoreMessage(QtWarningMsg, rejected);
        QVERIFY(RegionTree::fromText(QString()).isEmpty());
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^JSON text rejected: list not closed"));
        QTest::ignoreMessage(QtWarningMsg, rejected);
        QVERIFY(RegionTree::fromText(QStringLiteral("[{\"p\":\"甲\",\"c\":[")).isEmpty());
        QTest::ignoreMessage(QtWarningMsg, rejected);
        QVERIFY(RegionTree::fromText(QStringLiteral("{\"p\":\"甲\",\"c\":[]}")).isEmpty());

        // A damaged entry stays in place so later indices still mean the same place;
        // children come from the second member whatever it is called.
        const RegionTree tree = RegionTree::fromText(
            QStringLiteral("[{\"p\":\"请选择\",\"c\":[]},7,{\"c\":[],\"p\":\"乙\"},{\"p\":\"丙\","
                           "\"x\":[{\"p\":\"丁\","
                           "\"c\":[{\"p\":\"戊\",\"c\":[{\"p\":\"己\",\"c\":[]}]}]}]}]"));
        QCOMPARE(tree.topLevelNames(), QStringList({"请选择", "", "乙", "丙"}));
        QVERIFY(tree.childNames(2).isEmpty());
        QCOMPARE(tree.childNames(3), QStringList{"丁"});
        QCOMPARE(tree.grandchildNames(3, 0), QStringList{"戊"});
        // Nothing below the third level.
        QVERIFY(tree.child(3, 0)->children.first().children.isEmpty());
    }

    void municipalityRule()
    {
        QCOMPARE(MunicipalityNames(), QStringList({"北京", "上海", "天津", "重庆"}));
        for (const QString& name : MunicipalityNames())
            QVERIFY(IsMunicipality(name));
        QVERIFY(!IsMunicipality(QString()));
        QVERIFY(!IsMunicipality(QStringLiteral("北京市")));
        QVERIFY(!IsMunicipality(QStringLiteral(" 北京")));
        QVERIFY(!IsMunicipality(QStringLiteral("河北")));
        QVERIFY(!IsMunicipality(RegionTree::placeholder()));
    }

private:
    QString m_text;
    QVector<RegionEntry> m_strict;
};

QTEST_GUILESS_MAIN(RegionTreeTest)
#include "tst_RegionTree.moc"
