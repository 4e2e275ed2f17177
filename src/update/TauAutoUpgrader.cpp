#include "update/TauAutoUpgrader.h"

#include "service/HttpClient.h"
#include "update/OnlineCheck.h"
#include "update/UpdateFileName.h"
#include "update/UpdateLog.h"
#include "update/UpdateVersion.h"
#include "update/UpgraderCommandLine.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

QString upgraderFileName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Upgrader3.exe");
#else
    return QStringLiteral("Upgrader3");
#endif
}

// The system's default handler for a web address.
bool openInSystemBrowser(const QUrl& url)
{
#if defined(Q_OS_WIN)
    return QProcess::startDetached(
        QStringLiteral("cmd"),
        {QStringLiteral("/c"), QStringLiteral("start"), QString(), url.toString()});
#elif defined(Q_OS_MACOS)
    return QProcess::startDetached(QStringLiteral("open"), {url.toString()});
#else
    return QProcess::startDetached(QStringLiteral("xdg-open"), {url.toString()});
#endif
}

void markTemporary(const QString& path)
{
#ifdef Q_OS_WIN
    SetFileAttributesW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(path).utf16()),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY);
#else
    Q_UNUSED(path) // no such attributes here; the ".uTMP" name marks the file
#endif
}

} // namespace

TauAutoUpgrader::TauAutoUpgrader(QObject* parent)
    : QObject(parent), m_http(new HttpClient(this)),
      m_versionDate(UpdateVersion::writeDate(QDate::currentDate())),
      m_restartParameters(UpgraderCommandLine::defaultRestartParameters()),
      m_executablePath(QCoreApplication::applicationFilePath()),
      m_upgraderPath(defaultUpgraderPath()), m_upgraderSource(QStringLiteral(":/AUUPG/AUUPG")),
      m_startProgram([](const QString& program, const QStringList& args) {
          return QProcess::startDetached(program, args);
      }),
      m_openUrl(openInSystemBrowser)
{
    m_online = [this] { return OnlineCheck::isOnline(QUrl(m_infoFileUrl).host()); };
    m_timer.setInterval(AutoCheckIntervalMs);
    m_timer.setSingleShot(false);
    connect(&m_timer, &QTimer::timeout, this, &TauAutoUpgrader::timerTick);
    if (QFile::exists(m_upgraderPath) && !QFile::remove(m_upgraderPath))
        qCWarning(lcUpdate) << "could not delete the old upgrader" << m_upgraderPath;
}

TauAutoUpgrader::~TauAutoUpgrader() = default;

QString TauAutoUpgrader::defaultUpgraderPath()
{
    QString dir = QDir::tempPath();
    if (!QFileInfo(dir).isDir())
        dir = QCoreApplication::applicationDirPath();
    return QDir(dir).filePath(upgraderFileName());
}

void TauAutoUpgrader::setRestartParameters(const QString& parameters)
{
    m_restartParameters = parameters.isEmpty() ? QStringLiteral(" ") : parameters;
}

void TauAutoUpgrader::setDescription(const QString& fileList, const QString& message)
{
    m_descriptionFileList = fileList;
    m_descriptionMessage = message;
}

void TauAutoUpgrader::setAutoCheck(bool on)
{
    m_autoCheck = on;
    if (on)
        m_timer.start();
    else
        m_timer.stop();
}

void TauAutoUpgrader::setExecutablePath(const QString& path)
{
    m_executablePath = path;
}

QString TauAutoUpgrader::programDirectory() const
{
    return QFileInfo(m_executablePath).absolutePath();
}

QString TauAutoUpgrader::temporaryFileFor(const QString& url) const
{
    const QString name = UpdateFileName::fromUrl(url);
    if (name.isEmpty())
        return {};
    return QDir(programDirectory()).filePath(name + UpdateFileName::temporarySuffix());
}

void TauAutoUpgrader::noticeRestart(const QStringList& programArguments)
{
    if (programArguments.size() > 1 && programArguments.at(1) == m_restartParameters)
        Q_EMIT afterRestart();
}

void TauAutoUpgrader::toIdle()
{
    m_mode = Mode::Idle;
    ++m_generation;
}

void TauAutoUpgrader::checkNow()
{
    if (busy())
        return;
    m_aborted = false;
    m_automatic = false;
    m_mode = Mode::InformationFile;
    const quint64 generation = ++m_generation;
    m_http->setLimits({InformationFileDeadlineMs, InformationFileMaxBytes});
    qCDebug(lcUpdate) << "fetching the update information" << m_infoFileUrl;
    m_http->getUrl(QUrl(m_infoFileUrl), [this, generation](const HttpReply& reply) {
        if (generation == m_generation)
            informationFileArrived(reply);
    });
}

void TauAutoUpgrader::timerTick()
{
    if (busy() || !m_online())
        return;
    m_timer.stop();
    checkNow();
    m_automatic = true;
}

void TauAutoUpgrader::reportUnreachable(const QString& url)
{
    const bool automatic = m_automatic;
    toIdle();
    Q_EMIT hostUnreachable(url, QUrl(url).host());
    if (automatic && m_autoCheck)
        m_timer.start();
}

void TauAutoUpgrader::informationFileArrived(const HttpReply& reply)
{
    if (!reply.ok) {
        qCWarning(lcUpdate) << "the update information could not be fetched:" << reply.error;
        if (reply.unreachable) {
            reportUnreachable(m_infoFileUrl);
            return;
        }
        toIdle();
        if (reply.status == 401 || reply.status == 407)
            Q_EMIT passwordRequest();
        if (reply.status >= 400 && reply.status < 500)
            Q_EMIT noInformationFile();
        else
            Q_EMIT connectionLost(reply.status);
        return;
    }

    const UpdateInfoFile info(reply.body);
    m_files = info.files();
    if (!offerIsNewer(info) || m_files.isEmpty()) {
        toIdle();
        Q_EMIT noUpdateAvailable();
        return;
    }
    m_method = info.method();
    QStringList urls;
    for (const UpdateInfoFile::File& file : qAsConst(m_files))
        urls.append(file.url);
    bool mayProceed = true;
    Q_EMIT beginUpgrade(info.message(), &mayProceed, urls, m_method);
    if (!mayProceed) {
        toIdle();
        Q_EMIT laterUpgrade();
        return;
    }
    if (m_method == 2) {
        toIdle();
        QString address = m_files.first().url;
        if (!address.contains(QLatin1String("://")))
            address.prepend(QLatin1String("http://"));
        if (!m_openUrl(QUrl(address)))
            qCWarning(lcUpdate) << "the browser could not be started for" << address;
        return;
    }
    m_mode = Mode::UpdateFiles;
    m_fileIndex = 0;
    m_stored.clear();
    m_http->setLimits({UpdateFileDeadlineMs, UpdateFileMaxBytes});
    fetchNextFile();
}

bool TauAutoUpgrader::offerIsNewer(const UpdateInfoFile& info) const
{
    if (m_versionControl == VersionControl::ByDate)
        return UpdateVersion::isNewerByDate(info.date(), m_versionDate, QDate::currentDate());
    return UpdateVersion::isNewer(info.version(), m_currentVersion);
}

void TauAutoUpgrader::fetchNextFile()
{
    while (m_fileIndex < m_files.size()) {
        if (m_aborted) {
            abandonFiles();
            return;
        }
        const QString url = m_files.at(m_fileIndex).url;
        bool transfer = true;
        Q_EMIT fileStart(url, -1, &transfer);
        if (!transfer) {
            ++m_fileIndex;
            continue;
        }
        if (temporaryFileFor(url).isEmpty()) {
            // A name that would leave the program's folder is never fetched.
            qCWarning(lcUpdate) << "refused an update file without a plain file name:" << url;
            bool continueUpgrade = false;
            Q_EMIT fileLost(url, &continueUpgrade, 0);
            if (!continueUpgrade) {
                abandonFiles();
                return;
            }
            ++m_fileIndex;
            continue;
        }
        m_fileClock.start();
        const quint64 generation = m_generation;
        m_http->getUrl(
            QUrl(url),
            [this, generation](const HttpReply& reply) {
                if (generation == m_generation)
                    fileArrived(reply);
            },
            [this, generation](qint64 received, qint64 total) {
                if (generation == m_generation)
                    fileProgress(received, total);
            });
        return;
    }
    finishFiles();
}

void TauAutoUpgrader::fileProgress(qint64 received, qint64 total)
{
    const QString url = m_files.at(m_fileIndex).url;
    const double seconds = qMax<qint64>(m_fileClock.elapsed(), 1) / 1000.0;
    const double rate = received / seconds;
    const double fraction = total > 0 ? double(received) / double(total) : 0.0;
    const int percentFile = int(fraction * 100);
    const int percentAll = int((m_fileIndex + fraction) * 100 / m_files.size());
    const int secondsLeft = total > 0 && rate > 0 ? int((total - received) / rate) : 0;
    Q_EMIT progress(url, rate, percentAll, percentFile, secondsLeft);
}

void TauAutoUpgrader::fileArrived(const HttpReply& reply)
{
    const UpdateInfoFile::File file = m_files.at(m_fileIndex);
    if (!reply.ok) {
        qCWarning(lcUpdate) << "update file" << file.url << "failed:" << reply.error;
        if (reply.unreachable) {
            abandonFiles(false);
            reportUnreachable(file.url);
            return;
        }
        if (reply.status >= 400 && reply.status < 500) {
            if (reply.status == 401 || reply.status == 407)
                Q_EMIT passwordRequest();
            bool continueUpgrade = false;
            Q_EMIT fileLost(file.url, &continueUpgrade, reply.status);
            if (!continueUpgrade) {
                abandonFiles();
                return;
            }
            ++m_fileIndex;
            fetchNextFile();
            return;
        }
        abandonFiles(false);
        Q_EMIT connectionLost(reply.status);
        return;
    }
    if (reply.declaredLength >= 0 && reply.declaredLength != reply.body.size()) {
        qCWarning(lcUpdate) << "update file" << file.url << "arrived with" << reply.body.size()
                            << "of" << reply.declaredLength << "bytes";
        abandonFiles(false);
        Q_EMIT connectionLost(reply.status);
        return;
    }
    if (!file.sha256.isEmpty()) {
        const QByteArray hash =
            QCryptographicHash::hash(reply.body, QCryptographicHash::Sha256).toHex();
        if (QString::fromLatin1(hash) != file.sha256) {
            qCWarning(lcUpdate) << "update file" << file.url
                                << "does not match its announced SHA-256; nothing is installed";
            abandonFiles();
            return;
        }
    }
    QString localName;
    if (!storeFile(reply, localName)) {
        abandonFiles();
        return;
    }
    Q_EMIT fileDone(localName);
    ++m_fileIndex;
    fetchNextFile();
}

bool TauAutoUpgrader::storeFile(const HttpReply& reply, QString& localName)
{
    localName = temporaryFileFor(m_files.at(m_fileIndex).url);
    if (QFile::exists(localName) && !QFile::remove(localName)) {
        qCWarning(lcUpdate) << "could not delete the earlier copy" << localName;
        return false;
    }
    QFile out(localName);
    if (!out.open(QIODevice::WriteOnly) || out.write(reply.body) != reply.body.size()) {
        qCWarning(lcUpdate) << "could not write" << localName << out.errorString();
        out.close();
        QFile::remove(localName);
        return false;
    }
    if (reply.lastModified.isValid())
        out.setFileTime(reply.lastModified, QFileDevice::FileModificationTime);
    out.close();
    markTemporary(localName);
    m_stored.append(localName);
    return true;
}

void TauAutoUpgrader::abandonFiles(bool emitAborted)
{
    for (const QString& path : qAsConst(m_stored)) {
        if (!QFile::remove(path))
            qCWarning(lcUpdate) << "could not delete the abandoned copy" << path;
    }
    m_stored.clear();
    m_aborted = true;
    toIdle();
    if (emitAborted)
        Q_EMIT aborted();
}

void TauAutoUpgrader::finishFiles()
{
    if (m_stored.isEmpty()) {
        qCWarning(lcUpdate) << "no update file arrived; nothing to install";
        abandonFiles();
        return;
    }
    toIdle();
    Q_EMIT endUpgrade();
    install();
}

void TauAutoUpgrader::install()
{
    if (QFile::exists(m_upgraderPath) && !QFile::remove(m_upgraderPath)) {
        qCWarning(lcUpdate) << "could not replace the upgrader at" << m_upgraderPath;
        abandonFiles();
        return;
    }
    if (!QFile::copy(m_upgraderSource, m_upgraderPath)) {
        qCWarning(lcUpdate) << "could not write the upgrader from" << m_upgraderSource << "to"
                            << m_upgraderPath;
        abandonFiles();
        return;
    }
    QFile::setPermissions(m_upgraderPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                              QFileDevice::ExeGroup);
    const QStringList args = UpgraderCommandLine::arguments(
        QDir::toNativeSeparators(QFileInfo(m_executablePath).absoluteFilePath()),
        m_restartParameters, m_method);
    qCInfo(lcUpdate) << "starting the upgrader" << m_upgraderPath << args;
    if (!m_startProgram(m_upgraderPath, args)) {
        qCWarning(lcUpdate) << "the upgrader did not start:" << m_upgraderPath;
        abandonFiles();
        return;
    }
    m_stored.clear();
    Q_EMIT installed();
}
