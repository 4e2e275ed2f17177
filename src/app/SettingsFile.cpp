#include "app/SettingsFile.h"

#include "app/AppLog.h"
#include "app/SessionState.h"
#include "core/CoreError.h"
#include "core/DesCipher.h"
#include "core/Gbk.h"
#include "core/Keys.h"
#include "core/TXMLNode.h"
#include "core/TXMLStringReaderPro.h"
#include "core/TXMLStringWriter.h"
#include "core/TextTrim.h"
#include "core/XmlEscape.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
QString configurationKey()
{
    return QString::fromLatin1(kConfigurationKey);
}

// The element at the path, or nothing when the path lookup stopped early (missing leaf or a
// foreign root element).
const TXMLNode* element(const TXMLNode& document, const QString& path)
{
    const TXMLNode* node = document.findPath(path);
    const QString leaf = path.section(QLatin1Char('\\'), -1);
    if (!node || node->name() != leaf)
        return nullptr;
    return node;
}

QString elementText(const TXMLNode& document, const QString& path)
{
    const TXMLNode* node = element(document, path);
    return node ? node->text() : QString();
}

// "true"/"false" in any letter case, or an integer where only 0 is false.
bool readBoolean(const QString& text)
{
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const QString digits = text.trimmed();
    const int value =
        digits.startsWith(QLatin1Char('$')) ? digits.mid(1).toInt(&ok, 16) : digits.toInt(&ok, 10);
    if (!ok)
        throw CoreError(QStringLiteral("'%1' is not a valid boolean value").arg(text));
    return value != 0;
}

QStringList splitCities(const QString& text)
{
    QStringList cities;
    const QStringList items = text.split(QLatin1Char(','));
    for (const QString& item : items) {
        const QString city = TrimLowChars(item);
        if (!city.isEmpty())
            cities.append(city);
    }
    return cities;
}

void writeElement(TXMLWriter& writer, const QString& name, const QString& text)
{
    // Escaped so that a name with "<" or "&" cannot break the file; texts without markup or
    // forbidden characters are written unchanged.
    writer.writeTag(name, TXMLWriter::OpenTag);
    writer.writeRawBytes(Gbk::encode(XmlEscape::text(text)));
    writer.writeTag(name, TXMLWriter::CloseTagInline);
}

QByteArray compose(const SessionState& state, const QString& password, const QString& sendKey,
                   const QString* orderCityText)
{
    const bool rememberable = SettingsFile::canRemember(state.userName(), state.password);
    if (!rememberable)
        qCWarning(lcApp) << "the login holds characters GBK lacks; it is not remembered";
    TXMLStringWriter writer;
    writer.writeHeader();
    writer.writeTag(QStringLiteral("ClientConfig"), TXMLWriter::OpenTag);
    writer.writeTag(QStringLiteral("login"), TXMLWriter::OpenTag);
    writeElement(writer, QStringLiteral("rememberpsw"), QStringLiteral("true"));
    writeElement(writer, QStringLiteral("username"), rememberable ? state.userName() : QString());
    writeElement(writer, QStringLiteral("password"), rememberable ? password : QString());
    writer.writeTag(QStringLiteral("login"), TXMLWriter::CloseTag);
    writeElement(writer, QStringLiteral("sendmsg"), sendKey);
    if (orderCityText)
        writeElement(writer, QStringLiteral("ordercity"), *orderCityText);
    writer.writeTag(QStringLiteral("ClientConfig"), TXMLWriter::CloseTag);
    return writer.resultBytes();
}

QByteArray readExisting(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool replaceThroughTemporaryFile(const QString& path, const QByteArray& bytes, QString* reason)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    *reason = file.errorString();
    return false;
}

// A writable file in a folder the program may not create files in (no temporary file beside
// it, whatever the system calls the refusal) is written in place; should that write fail, the
// old bytes are put back.
bool writeInPlace(const QString& path, const QByteArray& bytes, QString* reason)
{
    if (!QFileInfo(path).isWritable())
        return false;
    const QByteArray oldBytes = readExisting(path);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
        file.write(bytes) == bytes.size() && file.flush())
        return true;
    *reason = file.errorString();
    file.close();
    QFile restore(path);
    if (!restore.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        restore.write(oldBytes) != oldBytes.size())
        qCWarning(lcApp) << "restoring the settings file failed:" << restore.errorString();
    return false;
}

bool writeFile(const QString& path, const QByteArray& bytes, QString* error)
{
    QString cause;
    if (replaceThroughTemporaryFile(path, bytes, &cause) || writeInPlace(path, bytes, &cause))
        return true;
    const QString reason =
        QStringLiteral("Cannot create file \"%1\". %2").arg(QDir::toNativeSeparators(path), cause);
    qCWarning(lcApp) << "writing the settings file failed:" << reason;
    if (error)
        *error = reason;
    return false;
}

template <typename Compose>
bool composeAndWrite(Compose composeDocument, const QString& path, QString* error)
{
    QByteArray bytes;
    try {
        bytes = composeDocument();
    } catch (const CoreError& e) {
        qCWarning(lcApp) << "composing the settings file failed:" << e.message();
        if (error)
            *error = e.message();
        return false;
    }
    return writeFile(path, bytes, error);
}
} // namespace

QString SettingsFile::defaultPath()
{
    return SessionState::executableDirectory() + QStringLiteral("/config.xml");
}

void SettingsFile::load(LoginFields& fields)
{
    load(fields, session(), defaultPath());
}

void SettingsFile::load(LoginFields& fields, SessionState& state, const QString& path)
{
    if (!QFile::exists(path)) {
        fields.rememberChecked = false;
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw CoreError(QStringLiteral("Cannot open file \"%1\". %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    TXMLStringReaderPro reader;
    reader.loadFromStream(file);
    const std::unique_ptr<TXMLNode> document = reader.parse();

    if (readBoolean(elementText(*document, QStringLiteral("\\ClientConfig\\login\\rememberpsw")))) {
        fields.userName =
            TrimLowChars(elementText(*document, QStringLiteral("\\ClientConfig\\login\\username")));
        const QString password =
            TrimLowChars(elementText(*document, QStringLiteral("\\ClientConfig\\login\\password")));
        fields.password = password.isEmpty()
                              ? QString()
                              : TrimLowChars(DesDecryptHex(password, configurationKey()));
        fields.rememberChecked = true;
        state.rememberPassword = true;
    } else {
        fields.rememberChecked = false;
        state.rememberPassword = false;
    }

    if (const TXMLNode* sendmsg = element(*document, QStringLiteral("\\ClientConfig\\sendmsg")))
        state.sendKey = sendmsg->text();
    state.orderCities =
        splitCities(elementText(*document, QStringLiteral("\\ClientConfig\\ordercity")));
}

bool SettingsFile::canRemember(const QString& userName, const QString& password)
{
    return Gbk::canEncode(userName) && Gbk::canEncode(password);
}

QString SettingsFile::sendKeyForMenuTag(int menuTag)
{
    return menuTag == 1 ? QStringLiteral("Enter") : QStringLiteral("CtrlEnter");
}

QByteArray SettingsFile::composeMain(const SessionState& state, const QString& orderCityText)
{
    const QString password =
        state.rememberPassword ? DesEncryptHex(state.password, configurationKey()) : QString();
    return compose(state, password, state.sendKey, &orderCityText);
}

QByteArray SettingsFile::composeChat(const SessionState& state, int menuTag)
{
    const QString password = DesEncryptHex(state.password, configurationKey());
    return compose(state, password, sendKeyForMenuTag(menuTag), nullptr);
}

bool SettingsFile::writeMain(const SessionState& state, const QString& orderCityText,
                             const QString& path, QString* error)
{
    return composeAndWrite([&] { return composeMain(state, orderCityText); }, path, error);
}

bool SettingsFile::writeChat(const SessionState& state, int menuTag, const QString& path,
                             QString* error)
{
    return composeAndWrite([&] { return composeChat(state, menuTag); }, path, error);
}

QString SettingsFile::saveFromChatMenu(int menuTag, QString* error)
{
    writeChat(session(), menuTag, defaultPath(), error);
    return sendKeyForMenuTag(menuTag);
}

void SettingsFile::saveMain(const QString& orderCityText)
{
    writeMain(session(), orderCityText, defaultPath());
}
