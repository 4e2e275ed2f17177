#include "app/BuiltinConfig.h"

#include "app/AppLog.h"
#include "app/ApplicationTitle.h"
#include "app/SessionState.h"
#include "core/CoreError.h"
#include "core/DesCipher.h"
#include "core/Gbk.h"
#include "core/Keys.h"
#include "core/TXMLNode.h"
#include "core/TXMLStringReader.h"
#include "core/TextTrim.h"

#include <QFile>

// The resource lives in this static library; referencing its initialiser keeps the linker
// from dropping it.
static void initSystemConfigureResource()
{
    Q_INIT_RESOURCE(systemconfigure);
}

namespace {
QString stripSpaces(const QString& text)
{
    int begin = 0;
    int end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

QString pathOf(const char* key)
{
    return QStringLiteral("\\ClientConfig\\") + QLatin1String(key);
}

// The element at \ClientConfig\<key>. The path lookup answers a missing leaf with its parent
// and a foreign root with nothing; both count as a missing value here.
const TXMLNode* keyNode(const TXMLNode& document, const char* key)
{
    const TXMLNode* node = document.findPath(pathOf(key));
    if (!node || node->nameBytes() != QByteArray(key))
        return nullptr;
    return node;
}

QString keyText(const TXMLNode& document, const char* key)
{
    const TXMLNode* node = keyNode(document, key);
    return node ? node->text() : QString();
}

int keyInteger(const TXMLNode& document, const char* key)
{
    const TXMLNode* node = keyNode(document, key);
    if (!node) {
        throw CoreError(QStringLiteral("Node \"") + QLatin1String(key) +
                        QStringLiteral("\" does not contain a valid integer"));
    }
    return node->integerValue();
}
} // namespace

const char* const BuiltinConfig::keys[13] = {
    "regurl",  "HostName", "ServerPort", "wsdluri",     "baseurl",       "AppVersion", "AppName",
    "Company", "homeURL",  "infourl",    "upgradfiles", "findfriendurl", "authmobile"};

QString BuiltinConfig::resourcePath()
{
    return QStringLiteral(":/xmlfile/systemconfigure");
}

QString BuiltinConfig::resourceText()
{
    initSystemConfigureResource();
    QFile resource(resourcePath());
    if (!resource.open(QIODevice::ReadOnly)) {
        qCWarning(lcApp) << "reading the built-in configuration failed:" << resource.errorString();
        return QString();
    }
    QString text;
    const QList<QByteArray> lines =
        resource.readAll().replace("\r\n", "\n").replace('\r', '\n').split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        // A final line break does not start another line.
        if (i == lines.size() - 1 && lines.at(i).isEmpty())
            break;
        text += Gbk::decode(lines.at(i)) + QStringLiteral("\r\n");
    }
    return text;
}

void BuiltinConfig::load()
{
    load(session());
}

void BuiltinConfig::load(SessionState& state)
{
    loadFromText(resourceText(), state);
}

void BuiltinConfig::loadFromText(const QString& resourceText, SessionState& state)
{
    const QString hex = TrimLowChars(stripSpaces(resourceText));
    const QString plain = stripSpaces(DesDecryptHex(hex, QString::fromLatin1(kConfigurationKey)));
    const std::unique_ptr<TXMLNode> document = TXMLStringReader::parseText(plain);
    if (!document)
        return;

    QString* const texts[13] = {
        &state.regurl,      &state.HostName,      nullptr,          &state.wsdluri, &state.baseurl,
        &state.AppVersion,  &state.AppName,       &state.Company,   &state.homeURL, &state.infourl,
        &state.upgradfiles, &state.findfriendurl, &state.authmobile};
    for (int i = 0; i < 13; ++i) {
        if (texts[i])
            *texts[i] = keyText(*document, keys[i]);
        else
            state.ServerPort = keyInteger(*document, keys[i]);
    }
    ApplicationTitle::set(state.AppName);
}
