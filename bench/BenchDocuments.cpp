#include "BenchDocuments.h"

#include "core/Gbk.h"

#include <QFile>
#include <QStringList>

namespace {

const char* const kCities[] = {"上海", "北京", "广州", "深圳", "乌鲁木齐", "石家庄", "郑州"};
const char* const kGoods[] = {"钢材30吨",  "配货 9.6米厢车", "建材 整车",
                              "食品 冷链", "机械设备",       "化肥 50吨"};

QString city(int i)
{
    return QString::fromUtf8(kCities[i % 7]);
}

QString landRow(int i)
{
    const QString title = city(i) + QStringLiteral("到") + city(i + 3) + QLatin1Char(' ') +
                          QString::fromUtf8(kGoods[i % 6]);
    return QStringLiteral("{\"id\":\"%1\",\"title\":\"%2\",\"itype\":\"%3\",\"issueat\":"
                          "\"2024-05-%4 10:%5:00\",\"senderid\":\"user%6\",\"contact\":"
                          "\"王先生 1391234%7\",\"position\":\"%8\"}")
        .arg(100000 + i)
        .arg(title)
        .arg(i % 2)
        .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
        .arg(i % 60, 2, 10, QLatin1Char('0'))
        .arg(i % 997)
        .arg(i % 10000, 4, 10, QLatin1Char('0'))
        .arg(city(i));
}

QString listingElement(int i)
{
    return QStringLiteral("  <cargo id=\"%1\" itype=\"%2\" issueat=\"2024-05-01 10:00:00\">\r\n"
                          "    <title>%3&#196;&#227;</title>\r\n"
                          "    <contact><![CDATA[王先生 <1391234%4>]]></contact>\r\n"
                          "    <position>%5</position><!-- row %1 -->\r\n"
                          "  </cargo>\r\n")
        .arg(100000 + i)
        .arg(i % 2)
        .arg(city(i) + QStringLiteral(" &amp; ") + QString::fromUtf8(kGoods[i % 6]))
        .arg(i % 10000, 4, 10, QLatin1Char('0'))
        .arg(city(i + 1));
}

QString broadcastElement(const char* name, const QString& value)
{
    return QStringLiteral("<%1>%2</%1>").arg(QLatin1String(name), value);
}

} // namespace

QByteArray BenchDocuments::landListingJson(int rows)
{
    QStringList parts;
    for (int i = 0; i < rows; ++i) {
        parts << landRow(i);
    }
    return (QLatin1Char('[') + parts.join(QLatin1Char(',')) + QLatin1Char(']')).toUtf8();
}

QByteArray BenchDocuments::landListingJsonOfSize(int targetBytes)
{
    const int rowBytes = landRow(0).toUtf8().size() + 1;
    return landListingJson(targetBytes / rowBytes + 1);
}

QByteArray BenchDocuments::regionTreeJson()
{
    QFile file(QStringLiteral(TOVANTA_SOURCE_DIR "/src/refdata/data/regiontree.json"));
    if (!file.open(QIODevice::ReadOnly)) {
        return QByteArray();
    }
    return file.readAll();
}

QByteArray BenchDocuments::listingXml(int rows)
{
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n<listings>\r\n");
    for (int i = 0; i < rows; ++i) {
        text += listingElement(i);
    }
    text += QStringLiteral("</listings>");
    return Gbk::encode(text);
}

QByteArray BenchDocuments::listingXmlOfSize(int targetBytes)
{
    const int rowBytes = Gbk::encode(listingElement(0)).size();
    return listingXml(targetBytes / rowBytes + 1);
}

QByteArray BenchDocuments::landBroadcastStanza(int i)
{
    const QString body =
        broadcastElement("tag", QStringLiteral("robot")) + broadcastElement("fcity", city(i)) +
        broadcastElement("tcity", city(i + 3)) + broadcastElement("id", QString::number(500 + i)) +
        broadcastElement("title", city(i) + QStringLiteral("到") + city(i + 3) + QLatin1Char(' ') +
                                      QString::fromUtf8(kGoods[i % 6])) +
        broadcastElement("tpy", QString::number(i % 2)) +
        broadcastElement("sender", QStringLiteral("user%1").arg(i % 997)) +
        broadcastElement("contact", QStringLiteral("0A1B%1").arg(i % 10000, 4, 16)) +
        broadcastElement("isuat", QStringLiteral("2026-12-08 19:30:05")) +
        broadcastElement("postion", city(i));
    return Gbk::encode(QStringLiteral("<message from='localhost' to='lina@localhost/haulway'>"
                                      "<broadcastcargo>%1</broadcastcargo></message>")
                           .arg(body));
}
