// tovanta_configtool encipher <plain.xml> <out.hex>
// tovanta_configtool decipher <in.hex> <plain.xml>
//
// The plain document is UTF-8; it is enciphered as GBK with the configuration key in DES hex
// form, one line of upper-case hex digits. "decipher" turns such a line back into the
// document, for checking what a build carries. A document the program could not read
// (another root, a missing element, a ServerPort that is no integer) fails the build here
// rather than at the user's first start.
#include "core/CoreError.h"
#include "core/DesCipher.h"
#include "core/Keys.h"
#include "core/TXMLNode.h"
#include "core/TXMLStringReader.h"

#include <QFile>
#include <QString>
#include <QTextStream>

namespace {
int fail(const QString& message)
{
    QTextStream(stderr) << "tovanta_configtool: " << message << '\n';
    return 1;
}

bool readFile(const QString& path, QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return true;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// The elements the program reads under ClientConfig, in its reading order.
const char* const kKeys[] = {"regurl",      "HostName",      "ServerPort", "wsdluri", "baseurl",
                             "AppVersion",  "AppName",       "Company",    "homeURL", "infourl",
                             "upgradfiles", "findfriendurl", "authmobile"};

// Empty when the program can read every value of the document, else the reason.
QString documentProblem(const QString& document)
{
    const std::unique_ptr<TXMLNode> parsed = TXMLStringReader::parseText(document);
    const TXMLNode* root = parsed->findChild(QStringLiteral("ClientConfig"));
    if (!root || root->kind() != TXMLNode::Element)
        return QStringLiteral("the root element must be ClientConfig");
    for (const char* key : kKeys) {
        const TXMLNode* element = root->findChild(QLatin1String(key));
        if (!element)
            return QStringLiteral("element %1 is missing").arg(QLatin1String(key));
        if (qstrcmp(key, "ServerPort") == 0)
            element->integerValue();
    }
    return QString();
}

QString plainDocument(const QByteArray& bytes)
{
    QByteArray text = bytes;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    return QString::fromUtf8(text).trimmed();
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc != 4)
        return fail(QStringLiteral("usage: tovanta_configtool encipher|decipher <in> <out>"));
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString in = QString::fromLocal8Bit(argv[2]);
    const QString out = QString::fromLocal8Bit(argv[3]);
    const QString key = QString::fromLatin1(kConfigurationKey);

    QByteArray input;
    if (!readFile(in, input))
        return fail(QStringLiteral("cannot read %1").arg(in));
    try {
        QByteArray output;
        if (mode == QLatin1String("encipher")) {
            const QString document = plainDocument(input);
            const QString problem = documentProblem(document);
            if (!problem.isEmpty())
                return fail(QStringLiteral("%1: %2").arg(in, problem));
            output = DesEncryptHex(document, key).toLatin1() + '\n';
        } else if (mode == QLatin1String("decipher"))
            output = DesDecryptHex(QString::fromLatin1(input).trimmed(), key).toUtf8() + '\n';
        else
            return fail(QStringLiteral("unknown mode %1").arg(mode));
        if (!writeFile(out, output))
            return fail(QStringLiteral("cannot write %1").arg(out));
    } catch (const CoreError& e) {
        return fail(QStringLiteral("%1: %2").arg(in, e.message()));
    }
    return 0;
}
