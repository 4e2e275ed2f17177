#include "SoapCall.h"

#include "SandboxHttp.h"
#include "core/FieldScrambler.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVariantMap>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {
const QString kServiceNamespace = QStringLiteral("urn:Marovinta_Service");
const QString kEnvelopeNamespace = QStringLiteral("http://schemas.xmlsoap.org/soap/envelope/");
const QString kServicePath = QStringLiteral("/w/index.php/Service/index/wsdl/1");
} // namespace

QByteArray SoapCall::envelope(const QString& operation, const Arguments& arguments)
{
    QByteArray out;
    QXmlStreamWriter writer(&out);
    writer.writeStartDocument();
    writer.writeNamespace(kEnvelopeNamespace, QStringLiteral("soap"));
    writer.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema"),
                          QStringLiteral("xsd"));
    writer.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"),
                          QStringLiteral("xsi"));
    writer.writeStartElement(kEnvelopeNamespace, QStringLiteral("Envelope"));
    writer.writeStartElement(kEnvelopeNamespace, QStringLiteral("Body"));
    writer.writeNamespace(kServiceNamespace, QStringLiteral("n1"));
    writer.writeStartElement(kServiceNamespace, operation);
    for (const auto& argument : arguments) {
        writer.writeStartElement(argument.first);
        writer.writeAttribute(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"),
                              QStringLiteral("type"), QStringLiteral("xsd:string"));
        writer.writeCharacters(argument.second);
        writer.writeEndElement();
    }
    writer.writeEndDocument();
    return out;
}

SoapCall::Result SoapCall::post(const QByteArray& envelope, const QByteArray& soapAction)
{
    const auto reply =
        SandboxHttp::postRaw(kServicePath, envelope, "text/xml; charset=utf-8", soapAction);
    Result result;
    result.status = reply.status;
    result.raw = reply.text();
    QXmlStreamReader reader(reply.body);
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement())
            continue;
        if (reader.name() == QLatin1String("Fault"))
            result.fault = true;
        else if (reader.name() == QLatin1String("return"))
            result.value = reader.readElementText();
    }
    return result;
}

SoapCall::Result SoapCall::call(const QString& operation, const Arguments& arguments)
{
    return post(envelope(operation, arguments),
                (kServiceNamespace + "#Cargo#" + operation).toUtf8());
}

QList<QVariantMap> SoapCall::rows(const QString& scrambled, bool* isList)
{
    const QJsonDocument document = QJsonDocument::fromJson(UnscrambleField(scrambled).toUtf8());
    if (isList)
        *isList = document.isArray();
    QList<QVariantMap> list;
    for (const auto& row : document.array())
        list.append(row.toObject().toVariantMap());
    return list;
}

bool SoapCall::listHolds(const QString& operation, const Arguments& arguments, const QString& key,
                         const QString& value)
{
    for (const QVariantMap& row : rows(call(operation, arguments).value)) {
        if (row.value(key).toString() == value)
            return true;
    }
    return false;
}

bool SoapCall::airPricesHold(const QString& airLine, const QString& price)
{
    return listHolds(QStringLiteral("getAirPriceList"),
                     {{"airLine", airLine},
                      {"aircompany", ""},
                      {"startcn", ""},
                      {"starten", ""},
                      {"pagenumber", "1"},
                      {"ssticket", ""}},
                     QStringLiteral("price"), price);
}

bool SoapCall::trainsHold(const QString& fromCity, const QString& train)
{
    return listHolds(QStringLiteral("getTrianList"),
                     {{"triamnum", ""},
                      {"fromcity", fromCity},
                      {"startport2", ""},
                      {"toport2", ""},
                      {"tocity", ""},
                      {"pagenumber", "1"},
                      {"sticket", ""}},
                     QStringLiteral("triannum"), train);
}
